#include "store/profile_editor_rules.h"

#include "base/ascii.h"
#include "base/utf8.h"

FormVerdict CheckProfileForm(const Profile& form, const ProfileList& list, int ownIndex) {
    if (form.Name.empty())
        return FormVerdict::NoName;
    if (base::EqualFoldingAscii(form.Name, "window"))
        return FormVerdict::ReservedName;
    if (form.Name.find(']') != std::string::npos)
        return FormVerdict::UnstorableName;
    const int count = static_cast<int>(list.size());
    const bool own = ownIndex >= 0 && ownIndex < count;
    // A name the profile already bears (from an older or imported file) stays editable.
    const bool sameName = own && list[ownIndex].Name == form.Name;
    if (!sameName && base::HoldsControlCharacters(form.Name))
        return FormVerdict::UnstorableName;
    for (const std::string& reg : form.Reg) {
        if (reg.empty())
            return FormVerdict::EmptyField;
    }
    if (form.Label.empty())
        return FormVerdict::EmptyField;
    // The profile being edited keeps its name, whatever twins a hand-made file gave it, and may
    // change its letter case unless another profile bears exactly the new spelling.
    if (sameName)
        return FormVerdict::Accepted;
    const bool ownName = own && base::EqualFoldingAscii(list[ownIndex].Name, form.Name);
    for (int i = 0; i < count; ++i) {
        if (i != ownIndex && (ownName ? list[i].Name == form.Name
                                      : base::EqualFoldingAscii(list[i].Name, form.Name)))
            return FormVerdict::NameTaken;
    }
    return FormVerdict::Accepted;
}

int NewProfilePosition(int selected, int count) {
    if (selected >= 0 && selected < count)
        return selected + 1;
    return count > 0 ? 1 : 0;
}

int ProfileToDelete(const ProfileList& list, int index, const std::string& name) {
    const int count = static_cast<int>(list.size());
    if (index >= 0 && index < count && list[index].Name == name)
        return index;
    for (int i = 0; i < count; ++i) {
        if (list[i].Name == name)
            return i;
    }
    return -1;
}
