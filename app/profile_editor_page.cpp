#include "app/profile_editor_page.h"

#include <string>

#include "app/app_state.h"
#include "app/gadget_ids.h"
#include "app/profile_editor_form.h"
#include "app/profile_gadget.h"
#include "app/settings.h"
#include "engine/asm_identifier.h"
#include "i18n/profile_messages.h"
#include "store/profile_editor_rules.h"
#include "store/profile_store.h"

using namespace gadget;

namespace {

ui::MessageAnswer Tell(AppState& app, const std::string& text,
                       ui::MessageIcon icon = ui::MessageIcon::Warning,
                       ui::MessageButtons buttons = ui::MessageButtons::Ok) {
    return app.gadgets.ShowMessage(app.editorTitle, text, icon, buttons);
}

int ProfileCount(const AppState& app) {
    return static_cast<int>(app.profiles.size());
}

// Both profile gadgets show the list; the file follows at once. A failed save keeps the
// change in memory but must not pass for a saved one.
void PublishChange(AppState& app, int selected, const ProfileChange& change) {
    FillProfileGadget(app.gadgets, app.profiles, kProfileList, selected);
    FillProfileGadget(app.gadgets, app.profiles, kProfileCombo, selected);
    if (!SaveAll(app, &change))
        Tell(app, app.messages[Msg::Save_Error]);
}

}  // namespace

void LockEditor(AppState& app, bool lock) {
    ui::Gadgets& g = app.gadgets;
    for (int n = kProfileNameLabel; n <= kCancelButton; ++n)
        g.SetEnabled(n, !lock);
    for (int n = kProfileList; n <= kDeleteButton; ++n)
        g.SetEnabled(n, lock);
    if (lock) {
        g.SetText(kProfileNameField, "");
        for (int n = kFirstRegisterField; n <= kLabelField; ++n)
            g.SetText(n, "");
    }
    for (int k = 0; k < 8; ++k) {
        g.SetEnabled(kFirstAccessCombo + k, !lock);
        if (lock)
            g.SetVisible(kFirstAccessCombo + k, false);
    }
}

void EditorPageEntered(AppState& app) {
    app.gadgets.SetState(kProfileList, app.gadgets.State(kProfileCombo));
    app.editorMode = EditorMode::Idle;
    LockEditor(app, true);
}

void EditorNew(AppState& app) {
    LockEditor(app, false);
    ShowProfileInForm(app.gadgets, Profile{});
    app.editorMode = EditorMode::New;
}

void EditorEdit(AppState& app) {
    app.editIndex = app.gadgets.State(kProfileList);
    if (app.editIndex < 0) {
        Tell(app, app.messages[Msg::No_Profile_Edit]);
        return;
    }
    app.editName = app.gadgets.ItemText(kProfileList, app.editIndex);
    if (app.editIndex >= ProfileCount(app))
        return;
    LockEditor(app, false);
    ShowProfileInForm(app.gadgets, app.profiles[app.editIndex]);
    app.editorMode = EditorMode::Editing;
}

void EditorDelete(AppState& app) {
    app.editorMode = EditorMode::Idle;
    app.editIndex = app.gadgets.State(kProfileList);
    if (app.editIndex < 0) {
        Tell(app, app.messages[Msg::No_Chose_Del_Profile]);
        return;
    }
    app.editName = app.gadgets.ItemText(kProfileList, app.editIndex);
    if (Tell(app, DeleteQuestionText(app.messages, app.editName), ui::MessageIcon::Question,
             ui::MessageButtons::YesNo) != ui::MessageAnswer::Yes) {
        return;
    }
    if (app.editIndex >= ProfileCount(app)) {
        Tell(app, app.messages[Msg::Error_Del_Profile]);
        return;
    }
    const int victim = ProfileToDelete(app.profiles, app.editIndex, app.editName);
    ProfileChange change;
    change.kind = ProfileChange::Kind::Delete;
    if (victim >= 0) {
        change.before = app.profiles[victim];
        change.position = victim;
        app.profiles.erase(app.profiles.begin() + victim);
    }
    PublishChange(app, app.editIndex - 1, change);
}

void EditorOk(AppState& app) {
    Profile form = ReadProfileForm(app.gadgets);
    const int ownIndex = app.editorMode == EditorMode::Editing ? app.editIndex : -1;
    const FormVerdict verdict = CheckProfileForm(form, app.profiles, ownIndex);
    if (verdict != FormVerdict::Accepted) {
        Tell(app, VerdictText(verdict, app.messages, form.Name));
        return;
    }
    // A profile serves every delay, so all eight registers must be writable, not only those
    // of some delay.
    if (const auto bad = UnwritableProfileName(form, 8)) {
        Tell(app, ForbiddenAsmNameText(app.messages, *bad));
        return;
    }
    app.editName = form.Name;

    int target = -1;
    if (app.editorMode == EditorMode::New) {
        app.editIndex = app.gadgets.State(kProfileList);
        target = NewProfilePosition(app.editIndex, ProfileCount(app));
        app.profiles.insert(app.profiles.begin() + target, Profile{});
        ++app.editIndex;
    } else if (app.editorMode == EditorMode::Editing) {
        if (app.editIndex >= 0 && app.editIndex < ProfileCount(app))
            target = app.editIndex;
    } else {
        return;
    }
    if (target < 0) {
        // Nothing to store into: report it rather than touch a profile that is not there.
        Tell(app, app.messages[Msg::Memory_Error], ui::MessageIcon::Error);
        return;
    }
    ProfileChange change;
    change.position = target;
    change.after = form;
    if (app.editorMode == EditorMode::New) {
        change.follows = target > 0 ? app.profiles[target - 1].Name : std::string();
    } else {
        change.kind = ProfileChange::Kind::Change;
        change.before = app.profiles[target];
        // The form has no field for the data address: an edit keeps the stored one.
        form.DataAddress = change.before.DataAddress;
        change.after = form;
    }
    app.profiles[target] = form;
    PublishChange(app, app.editIndex, change);
    LockEditor(app, true);
    app.editorMode = EditorMode::Idle;
}

void EditorCancel(AppState& app) {
    LockEditor(app, true);
    app.editorMode = EditorMode::Idle;
}

void EditorFamilyChanged(AppState& app) {
    ShowAccessModes(app.gadgets, FamilyComboShowsPic18(app.gadgets));
}
