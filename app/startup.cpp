#include "app/startup.h"

#include "app/app_state.h"
#include "app/gadget_ids.h"
#include "i18n/language.h"
#include "store/profile_editor.h"
#include "store/settings.h"

void StartUp(AppState& app) {
    app.editorMode = kEditorIdle;
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

void ShutDown(AppState& app) { SaveSettings(app); }
