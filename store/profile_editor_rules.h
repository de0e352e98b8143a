// The editor's decisions as plain values: which form may be stored, where a new profile
// goes and which profile a delete removes.
#pragma once

#include <string>

#include "store/profile.h"

enum class FormVerdict {
    Accepted,
    NoName,          // No_Profile_Name
    ReservedName,    // "window" in any letter case: the settings group
    UnstorableName,  // holds "]", which ends a group line; or, new, a control character
    EmptyField,      // a register name or the label is empty
    NameTaken,       // ProfileName_Exists
};

// Checks in the order the user is told about them. A new name is taken when another profile
// bears it in any letter case. `ownIndex` is the position of the profile being edited, -1 for a
// new one: it may keep its name or change its letter case, whatever twins it has.
FormVerdict CheckProfileForm(const Profile& form, const ProfileList& list, int ownIndex);

// Where New then OK inserts: after the selected profile, else after the first one (or as
// the only one in an empty list).
int NewProfilePosition(int selected, int count);

// The profile a confirmed delete removes: the one at `index` if it bears `name`, else the
// first one that does; -1 for none.
int ProfileToDelete(const ProfileList& list, int index, const std::string& name);
