#include "store/profile_editor_rules.h"

#include "store/key_value_text.h"

namespace {

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

}  // namespace

FormVerdict CheckProfileForm(const Profile& form, const ProfileList& list, int ownIndex) {
    if (form.Name.empty())
        return FormVerdict::NoName;
    if (kv::NamesMatch(form.Name, "window"))
        return FormVerdict::ReservedName;
    if (form.Name.find(']') != std::string::npos)
        return FormVerdict::UnstorableName;
    for (const std::string& reg : form.Reg) {
        if (reg.empty())
            return FormVerdict::EmptyField;
    }
    if (form.Label.empty())
        return FormVerdict::EmptyField;
    for (int i = 0; i < static_cast<int>(list.size()); ++i) {
        if (i != ownIndex && kv::NamesMatch(list[i].Name, form.Name)) {
            return FormVerdict::NameTaken;
        }
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

std::string DeleteQuestionText(const MessageTexts& texts, const std::string& name) {
    return texts[Msg::Del_Profile] + Quoted(name) + "?";
}

std::string VerdictText(FormVerdict verdict, const MessageTexts& texts, const std::string& name) {
    switch (verdict) {
        case FormVerdict::Accepted:
            return "";
        case FormVerdict::NoName:
            return texts[Msg::No_Profile_Name];
        case FormVerdict::ReservedName:
            return Quoted("Window") + texts[Msg::Forbidden_Profile_Name];
        case FormVerdict::UnstorableName:
            return Quoted(name) + texts[Msg::Forbidden_Profile_Name];
        case FormVerdict::EmptyField:
            return texts[Msg::No_Filled_Field];
        case FormVerdict::NameTaken:
            return texts[Msg::ProfileName_Exists];
    }
    return "";
}
