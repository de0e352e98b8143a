#include "programs/web/form_keys.h"

#include "app/app_state.h"
#include "app/gadget_ids.h"

using namespace gadget;

namespace {

bool InProfileForm(int gadget) {
    return gadget == kProfileNameField || gadget == kFamilyCombo ||
           (gadget >= kFirstRegisterField && gadget <= kLabelField) ||
           (gadget >= kFirstAccessCombo && gadget < kFirstAccessCombo + 8);
}

}  // namespace

// The desktop's keys stay as they are (the event loop's).
bool HandleFormKey(AppState& app, int key) {
    ui::Gadgets& g = app.gadgets;
    if (key != ui::kKeyEnter || g.State(kPanel) != kPageEditor)
        return false;
    const int focused = g.FocusedGadget();
    if (app.editorMode != EditorMode::Idle && InProfileForm(focused)) {
        g.PostClick(kOkButton);
        return true;
    }
    if (app.editorMode == EditorMode::Idle && focused == kProfileList) {
        g.PostClick(kEditButton);
        return true;
    }
    return false;
}
