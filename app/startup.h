// What happens between building the window and the first event, and after the last one.
#pragma once

#include <filesystem>

#include "ui/gadgets.h"

struct AppState;

// The whole life of the window, on whichever face was built: the files found from the
// program's folder (an installed build's configuration folder made on first use; if it cannot
// be made the program runs as with a read-only settings file), start, events, end.
void RunProgram(ui::Gadgets& gadgets, const std::filesystem::path& programFolder);

// Fills the built window from the language folder and the settings file, then shows it.
void StartUp(AppState& app);
// The orderly end: saves the settings group.
void ShutDown(AppState& app);
