#include "engine/delay_messages.h"

MessageText RangeMessage(const MessageTexts& texts, Variant variant) {
    return {texts[Msg::Gen_Code],
            texts[Msg::Delay_Size_Range] + (variant == Variant::Plain
                                                ? " 4...9.223.372.036.854.775.800"
                                                : " 5...9.223.372.036.854.775.800"),
            false};
}

MessageText NoProfileMessage(const MessageTexts& texts) {
    return {texts[Msg::Gen_Code], texts[Msg::No_profile], false};
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
