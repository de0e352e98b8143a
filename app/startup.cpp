#include "app/startup.h"

#include "app/app_state.h"
#include "app/event_loop.h"
#include "app/gadget_ids.h"
#include "app/language.h"
#include "app/profile_editor_page.h"
#include "app/settings.h"
#include "i18n/system_language.h"

void StartUp(AppState& app) {
    ApplyMessageButtonTexts(app);  // the built-in ones until a language file is read
    app.editorMode = EditorMode::Idle;
    LockEditor(app, true);
    ListLanguages(app);
    LoadSettings(app);
    LoadSelectedLanguage(app);
    app.gadgets.Focus(app.gadgets.State(gadget::kCalculatorCheck) != 0 ? gadget::kTimeField
                                                                       : gadget::kCyclesField);
    app.gadgets.SetState(gadget::kPanel, gadget::kPageCalculator);
    app.currentPage = gadget::kPageCalculator;
    app.gadgets.ShowWindow();
}

void ShutDown(AppState& app) {
    SaveSettings(app);
}

void RunProgram(ui::Gadgets& gadgets, const std::filesystem::path& programFolder) {
    const FileLocations locations = BuildLocations(programFolder);
    PrepareConfigFolder(locations);
    AppState app(gadgets, programFolder, locations);
    app.systemLanguage = LanguageOfLocale(SystemLocaleName());
    StartUp(app);
    RunEventLoop(app);
    ShutDown(app);
}
