// The one place where user input enters: every event is dispatched by gadget number.
#pragma once

#include "ui/event.h"

struct AppState;

// Handles one event; false for the close request.
bool Dispatch(AppState& app, const ui::Event& event);
// Waits for and dispatches events until the window is closed.
void RunEventLoop(AppState& app);
