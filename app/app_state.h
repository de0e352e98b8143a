// The program-wide state that outlives a single user action. One instance, owned by the
// application and handed by reference to every operation.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "i18n/message_texts.h"
#include "store/file_locations.h"
#include "store/profile.h"
#include "store/settings_values.h"
#include "ui/gadgets.h"

enum class EditorMode {
    Idle,
    New,      // a new profile in the form
    Editing,  // a profile of the list in the form
};

struct AppState {
    AppState(ui::Gadgets& g, std::filesystem::path programFolder, FileLocations locations)
        : gadgets(g), folder(std::move(programFolder)), files(std::move(locations)) {}

    ui::Gadgets& gadgets;
    std::filesystem::path folder;  // the program's folder
    FileLocations files;           // the settings file and the language folders

    ProfileList profiles;
    // The settings file as this window last read or wrote it (KeyValueFile::Stamp): a save
    // that finds it otherwise merges with what another window wrote.
    std::optional<std::size_t> settingsStamp;
    // Filled with the built-in texts before the first language is applied, so that a failed
    // first load never leaves empty messages or code comments.
    MessageTexts messages = DefaultMessageTexts();
    std::string editorTitle = StartEditorTitle();

    EditorMode editorMode = EditorMode::Idle;
    int editIndex = -1;
    std::string editName;

    // The language file name of the user's language ("english"), for a start with no stored
    // choice; "" leaves that start to the default language.
    std::string systemLanguage;

    // Lets a page draw and answer between the parts of a long load; nothing on the desktop,
    // whose window waits for the load.
    std::function<void()> breathe;
    void Breathe() const {
        if (breathe)
            breathe();
    }

    int currentPage = 0;
    bool handCursorShown = false;

    // The syntax an opened link asked for, over its profile's own, until the user picks a
    // profile: the link's code is then the code that made it.
    struct LinkSyntax {
        std::string profile;
        int syntax = 0;
    };
    std::optional<LinkSyntax> linkSyntax;

    const std::filesystem::path& SettingsPath() const { return files.settingsFile; }
};
