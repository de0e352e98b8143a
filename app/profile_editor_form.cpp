#include "app/profile_editor_form.h"

#include "app/gadget_ids.h"
#include "base/ascii.h"

using namespace gadget;

namespace {

// A combo left without a selection (a stored value outside its items) stores its first item,
// so saved profiles only ever hold 0 or 1.
int OneOrZero(int state) {
    return state == 1 ? 1 : 0;
}

// The family combo lists both families for the classic syntax, then both again for the current
// assembler: its index is TypePIC + 2 x Syntax.
constexpr int kFamilyItems = 2;

int FamilyComboIndex(const Profile& p) {
    return p.TypePIC + (p.Syntax == kSyntaxCurrent ? kFamilyItems : 0);
}

// The settings file writes line ends inside a name or value as blanks, so that each stays on
// its line, and drops blanks around a value when it reads it back. Take the form as it will
// come back: " $" must not mean one thing now and another after a restart, a register name of
// blanks alone is an empty field, and two names must not become one on disk.
std::string OnOneLine(std::string text) {
    for (char& c : text) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    return text;
}

std::string AsStoredValue(const std::string& text) {
    return base::TrimBlanks(OnOneLine(text));
}

}  // namespace

Profile ReadProfileForm(const ui::Gadgets& gadgets) {
    Profile p;
    p.Name = OnOneLine(gadgets.Text(kProfileNameField));
    for (int k = 0; k < 8; ++k) {
        p.Reg[k] = AsStoredValue(gadgets.Text(kFirstRegisterField + k));
        p.RegType[k] = OneOrZero(gadgets.State(kFirstAccessCombo + k));
    }
    p.Label = AsStoredValue(gadgets.Text(kLabelField));
    const int family = gadgets.State(kFamilyCombo);
    if (family >= 0 && family < 2 * kFamilyItems) {
        p.TypePIC = family % kFamilyItems;
        p.Syntax = family / kFamilyItems;
    }
    return p;
}

void ShowProfileInForm(ui::Gadgets& gadgets, const Profile& profile) {
    gadgets.SetText(kProfileNameField, profile.Name);
    for (int k = 0; k < 8; ++k) {
        gadgets.SetText(kFirstRegisterField + k, profile.Reg[k]);
        gadgets.SetState(kFirstAccessCombo + k, profile.RegType[k]);
    }
    gadgets.SetText(kLabelField, profile.Label);
    gadgets.SetState(kFamilyCombo, FamilyComboIndex(profile));
    ShowAccessModes(gadgets, profile.TypePIC == kFamilyPic18);
}

bool FamilyComboShowsPic18(const ui::Gadgets& gadgets) {
    const int family = gadgets.State(kFamilyCombo);
    return family >= 0 && family % kFamilyItems == kFamilyPic18;
}

void ShowAccessModes(ui::Gadgets& gadgets, bool shown) {
    for (int k = 0; k < 8; ++k)
        gadgets.SetVisible(kFirstAccessCombo + k, shown);
}
