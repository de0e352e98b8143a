// The editor's form on page 1 as a Profile: name 29, family 31, registers 41-48,
// label 49, access modes 52-59.
#pragma once

#include "store/profile.h"
#include "ui/gadgets.h"

// Register names and the label without blanks around them; the name exactly as typed.
Profile ReadProfileForm(const ui::Gadgets& gadgets);
// Fills every form gadget; the access-mode combos are shown for a "PIC 18" profile only.
void ShowProfileInForm(ui::Gadgets& gadgets, const Profile& profile);
void ShowAccessModes(ui::Gadgets& gadgets, bool shown);
