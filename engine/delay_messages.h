// The texts of the engine's message boxes, composed from the current language's texts.
#pragma once

#include <string>

#include "engine/cycle_count.h"
#include "engine/loop_variant.h"
#include "i18n/message_texts.h"

struct MessageText {
    std::string title;
    std::string text;
    bool isError = false;  // stop icon; otherwise exclamation
};

// A delay outside the variant's range.
MessageText RangeMessage(const MessageTexts& texts, Variant variant);
// No usable profile is selected.
MessageText NoProfileMessage(const MessageTexts& texts);
// The calculator's message for an outcome other than Cycles; the captions are the current
// texts of the time and frequency field labels.
MessageText CalculatorMessage(const MessageTexts& texts, CycleCountOutcome outcome,
                              const std::string& timeCaption, const std::string& frequencyCaption);
