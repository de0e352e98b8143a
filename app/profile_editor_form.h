// The editor's form on page 1 as a Profile: name 29, family and syntax 31, registers 41-48,
// label 49, access modes 52-59.
#pragma once

#include "store/profile.h"
#include "ui/gadgets.h"

// As the settings file will give the profile back: line ends as blanks, and register names
// and the label without blanks around them (group names keep theirs).
Profile ReadProfileForm(const ui::Gadgets& gadgets);
// Fills every form gadget; the access-mode combos are shown for a "PIC 18" profile only.
void ShowProfileInForm(ui::Gadgets& gadgets, const Profile& profile);
void ShowAccessModes(ui::Gadgets& gadgets, bool shown);
// Whether the family combo's selection is one of the two "PIC 18" items.
bool FamilyComboShowsPic18(const ui::Gadgets& gadgets);
