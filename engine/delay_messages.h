// The texts of the engine's message boxes, composed from the current language's texts.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "engine/cycle_count.h"
#include "engine/loop_variant.h"
#include "engine/share_link.h"
#include "i18n/message_texts.h"
#include "store/profile.h"

struct MessageText {
    std::string title;
    std::string text;
    bool isError = false;  // stop icon; otherwise exclamation
};

// A delay outside the variant's range.
MessageText RangeMessage(const MessageTexts& texts, Variant variant);
// The same text for the range from `smallest` to `largest` (a subroutine's).
MessageText RangeMessage(const MessageTexts& texts, std::int64_t smallest, std::int64_t largest);
// No usable profile is selected.
MessageText NoProfileMessage(const MessageTexts& texts);
// A register name or the label of a current-syntax profile that its assembler cannot take.
MessageText UnwritableNameMessage(const MessageTexts& texts, const std::string& name);
// A profile's DataAddress that names no place for the registers.
MessageText BadDataAddressMessage(const MessageTexts& texts, const std::string& address);
// The profile has no register for a W-times routine's counter apart from its nest's.
MessageText FewRegistersMessage(const MessageTexts& texts);
// An empty routine name, or one that the assembler cannot take or that names the profile's
// loop label or a register; nullopt for a usable name.
std::optional<MessageText> RoutineNameMessage(const MessageTexts& texts, const std::string& name,
                                              const Profile& profile);
// The calculator's message for an outcome other than Cycles; the captions are the current
// texts of the time and frequency field labels.
MessageText CalculatorMessage(const MessageTexts& texts, CycleCountOutcome outcome,
                              const std::string& timeCaption, const std::string& frequencyCaption);
// The sentence saying what is wrong with a link that cannot be read.
std::string LinkFaultMessage(const MessageTexts& texts, const ShareLinkRead& read);
