#include "i18n/profile_messages.h"

#include "base/utf8.h"

namespace {

// A name's direction controls stay inside its quotes.
std::string Quoted(const std::string& text) {
    return "\"" + base::IsolatedForDisplay(text) + "\"";
}

}  // namespace

std::string DeleteQuestionText(const MessageTexts& texts, const std::string& name) {
    return texts[Msg::Del_Profile] + Quoted(name) + "?";
}

std::string ForbiddenAsmNameText(const MessageTexts& texts, const std::string& name) {
    return Quoted(name) + texts[Msg::Forbidden_Asm_Name];
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
