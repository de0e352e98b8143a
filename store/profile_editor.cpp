#include "store/profile_editor.h"

#include "app/app_state.h"
#include "app/gadget_ids.h"

using namespace gadget;

void LockEditor(AppState& app, bool lock) {
    ui::Gadgets& g = app.gadgets;
    for (int n = kProfileNameLabel; n <= kCancelButton; ++n) g.SetEnabled(n, !lock);
    for (int n = kProfileList; n <= kDeleteButton; ++n) g.SetEnabled(n, lock);
    if (lock) {
        g.SetText(kProfileNameField, "");
        for (int n = kFirstRegisterField; n <= kLabelField; ++n) g.SetText(n, "");
    }
    for (int k = 0; k < 8; ++k) {
        g.SetEnabled(kFirstAccessCombo + k, !lock);
        if (lock) g.SetVisible(kFirstAccessCombo + k, false);
    }
}
