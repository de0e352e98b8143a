#include "engine/delay_messages.h"

#include <array>
#include <string>
#include <utility>

#include "engine/asm_identifier.h"
#include "i18n/profile_messages.h"

namespace {

// 9223372036854775800 -> "9.223.372.036.854.775.800", as the range message writes it.
std::string DotGrouped(std::int64_t value) {
    const std::string digits = std::to_string(value);
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += '.';
        out += digits[i];
    }
    return out;
}

}  // namespace

MessageText RangeMessage(const MessageTexts& texts, Variant variant) {
    return RangeMessage(texts, SmallestDelay(variant), kLargestDelay);
}

MessageText RangeMessage(const MessageTexts& texts, std::int64_t smallest, std::int64_t largest) {
    return {
        texts[Msg::Gen_Code],
        texts[Msg::Delay_Size_Range] + " " + std::to_string(smallest) + "..." + DotGrouped(largest),
        false};
}

MessageText NoProfileMessage(const MessageTexts& texts) {
    return {texts[Msg::Gen_Code], texts[Msg::No_profile], false};
}

MessageText UnwritableNameMessage(const MessageTexts& texts, const std::string& name) {
    return {texts[Msg::Gen_Code], ForbiddenAsmNameText(texts, name), false};
}

MessageText BadDataAddressMessage(const MessageTexts& texts, const std::string& address) {
    return {texts[Msg::Gen_Code], "\"" + address + "\"" + texts[Msg::Bad_Data_Address], false};
}

MessageText FewRegistersMessage(const MessageTexts& texts) {
    return {texts[Msg::Gen_Code], texts[Msg::Few_Registers], false};
}

std::optional<MessageText> RoutineNameMessage(const MessageTexts& texts, const std::string& name,
                                              const Profile& profile) {
    if (name.empty())
        return MessageText{texts[Msg::Gen_Code], texts[Msg::No_Routine_Name], false};
    if (IsSubroutineName(name, profile))
        return std::nullopt;
    return MessageText{texts[Msg::Gen_Code], "\"" + name + "\"" + texts[Msg::Bad_Routine_Name],
                       false};
}

MessageText CalculatorMessage(const MessageTexts& texts, CycleCountOutcome outcome,
                              const std::string& timeCaption, const std::string& frequencyCaption) {
    const std::string& title = texts[Msg::Calculator];
    switch (outcome) {
        case CycleCountOutcome::MissingTime:
        case CycleCountOutcome::MissingFrequency: {
            const std::string& caption =
                outcome == CycleCountOutcome::MissingTime ? timeCaption : frequencyCaption;
            return {title, texts[Msg::Calculator_1] + "\"" + caption + "\"" + texts[Msg::No_Data],
                    false};
        }
        case CycleCountOutcome::TooLarge:
            return {title, texts[Msg::Error_Delay], true};
        case CycleCountOutcome::BelowOneCycle:
        case CycleCountOutcome::Cycles:
            break;
    }
    return {title, texts[Msg::Error_Delay_1], true};
}

std::string LinkFaultMessage(const MessageTexts& texts, const ShareLinkRead& read) {
    static constexpr std::array<std::pair<LinkFault, Msg>, 15> kTexts = {{
        {LinkFault::TooLong, Msg::Web_Link_Too_Long},
        {LinkFault::UnknownKey, Msg::Web_Link_Unknown_Key},
        {LinkFault::NoValue, Msg::Web_Link_No_Value},
        {LinkFault::GivenTwice, Msg::Web_Link_Twice},
        {LinkFault::NotUtf8, Msg::Web_Link_Not_Utf8},
        {LinkFault::CyclesOrTime, Msg::Web_Link_Cycles_Or_Time},
        {LinkFault::TimeWithoutFreq, Msg::Web_Link_Time_Freq},
        {LinkFault::TimeUnit, Msg::Web_Link_Time_Unit},
        {LinkFault::FrequencyUnit, Msg::Web_Link_Freq_Unit},
        {LinkFault::Watchdog, Msg::Web_Link_Wdt},
        {LinkFault::Form, Msg::Web_Link_Form},
        {LinkFault::NoName, Msg::Web_Link_No_Name},
        {LinkFault::NotANumber, Msg::Web_Link_Number},
        {LinkFault::Declare, Msg::Web_Link_Declare},
        {LinkFault::Syntax, Msg::Web_Link_Syntax},
    }};
    std::string text = texts[Msg::Web_Link_Bad];
    for (const auto& [fault, msg] : kTexts)
        if (fault == read.fault)
            text += texts[msg];
    if (read.what)
        text += " \"" + *read.what + "\"";
    return text + ".";
}
