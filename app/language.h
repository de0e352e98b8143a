// Language files: listing them in the language combo and applying one to every text.
#pragma once

#include <filesystem>
#include <string>

struct AppState;

void ListLanguages(AppState& app);
// The item of the language combo the stored file name or position names, else the "russian"
// item, or -1.
int ResolveLanguageIndex(AppState& app, int stored, const std::string& storedFile = "");
void LoadSelectedLanguage(AppState& app);
// An empty path applies the built-in texts.
void ApplyLanguage(AppState& app, const std::filesystem::path& path);
// Gives the gadget layer the message boxes' button captions of the current texts.
void ApplyMessageButtonTexts(AppState& app);
