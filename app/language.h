// Language files: listing them in the language combo and applying one to every text.
#pragma once

#include <filesystem>

struct AppState;

void ListLanguages(AppState& app);
// The stored setting if it names an item of the language combo, else the "russian" item, or -1.
int ResolveLanguageIndex(AppState& app, int stored);
void LoadSelectedLanguage(AppState& app);
// An empty path applies the built-in texts.
void ApplyLanguage(AppState& app, const std::filesystem::path& path);
// Gives the gadget layer the message boxes' button captions of the current texts.
void ApplyMessageButtonTexts(AppState& app);
