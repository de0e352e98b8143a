// What happens between building the window and the first event, and after the last one.
#pragma once

struct AppState;

// Fills the built window from the language folder and the settings file, then shows it.
void StartUp(AppState& app);
// The orderly end: saves the settings group.
void ShutDown(AppState& app);
