// The program-wide state that outlives a single user action. One instance, owned by the
// application and handed by reference to every operation.
#pragma once

#include <filesystem>
#include <string>

#include "engine/loop_plan.h"
#include "i18n/message_texts.h"
#include "store/profile.h"
#include "store/settings_values.h"
#include "ui/gadgets.h"

inline constexpr const char* kDefaultEditorTitle = "Loopsmith - Редактор базы данных";

struct AppState {
    explicit AppState(ui::Gadgets& g, std::filesystem::path programFolder = ".")
        : gadgets(g), folder(std::move(programFolder)) {}

    ui::Gadgets& gadgets;
    std::filesystem::path folder;  // the program's folder: base of every file it uses

    ProfileList profiles;
    LoopCounts loopCounts{};
    // Filled with the built-in texts before the first language is applied, so that a failed
    // first load never leaves empty messages or code comments.
    MessageTexts messages = DefaultMessageTexts();
    std::string editorTitle = kDefaultEditorTitle;

    int editorMode = 0;  // 0 idle, 1 new profile, 2 editing a profile
    int editIndex = -1;
    std::string editName;

    int currentPage = 0;
    bool handCursorShown = false;

    std::filesystem::path SettingsPath() const { return folder / kSettingsFileName; }
    std::filesystem::path LanguageFolder() const { return folder / "Language"; }
};

inline constexpr int kEditorIdle = 0;
inline constexpr int kEditorNew = 1;
inline constexpr int kEditorEditing = 2;
