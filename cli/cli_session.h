// The window's own path without a screen: in-memory gadgets, the profiles of a settings
// file, the texts of a language, and the calculation request of the event loop.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "app/app_state.h"
#include "ui/memory_gadgets.h"

struct CliOptions;

class CliSession {
  public:
    explicit CliSession(const std::filesystem::path& programFolder);

    // Profiles from the settings file (never written). Empty when all is well, else the
    // line to print (a usage error).
    std::string LoadProfiles(const std::filesystem::path& settingsFile, const std::string* name);
    // Empty when applied, else the message the window would show.
    std::string ApplyLanguageNamed(const std::string& name);
    // The language the window would start with: the settings file's stored position in the
    // list of the Language folder, else the "russian" file, else the built-in texts.
    std::string ApplyStoredLanguage(const std::filesystem::path& settingsFile);

    struct Outcome {
        bool placed = false;
        std::string text;     // the output box, when placed
        std::string message;  // the message text, when not
        std::int64_t delayCycles = 0;
    };
    // One request, exactly as the calculate button would run it.
    Outcome Request(const CliOptions& options);

    AppState& app() { return *app_; }
    ui::MemoryGadgets& gadgets() { return *gadgets_; }

  private:
    std::filesystem::path folder_;
    std::unique_ptr<ui::MemoryGadgets> gadgets_;
    std::unique_ptr<AppState> app_;
};
