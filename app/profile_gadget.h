#pragma once

#include "store/profile.h"
#include "ui/gadgets.h"

// Refills a list or combo gadget with the profile names in list order and selects
// `index` (a negative index selects nothing).
void FillProfileGadget(ui::Gadgets& gadgets, const ProfileList& profiles, int gadget, int index);
