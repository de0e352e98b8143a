// One delay request in, one answer out: what the Calculate button shows and what
// loopsmith-cli prints, by construction the same.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/actual_time.h"
#include "engine/delay_code_text.h"
#include "engine/delay_form.h"
#include "engine/delay_messages.h"
#include "engine/loop_plan.h"
#include "engine/loop_variant.h"
#include "i18n/message_texts.h"
#include "store/profile.h"

struct DelayRequest {
    std::int64_t delayCycles = 0;               // the count as read (ReadIntegerText)
    std::optional<CalculatorLines> calculator;  // instead: time and frequency as typed
    Variant variant = Variant::Plain;
    bool writeCode = true;  // off: the plan alone, and no profile is needed
    DelayRoutine routine;
};

// The field captions that the empty-field message quotes.
struct FieldCaptions {
    std::string time;
    std::string frequency;
};

struct DelayAnswer {
    // The count that was read or computed; none when it could not be had.
    std::optional<std::int64_t> delayCycles;
    bool fromCalculator = false;
    std::optional<LoopPlan> plan;          // the delay is in range; a subroutine's body
    std::optional<ActualTime> actualTime;  // the calculator rounded the count
    std::string code;                      // the plan written for the profile
    std::optional<MessageText> message;    // what the window shows instead of code
};

// The range is checked before the profile, as the window does; then whether the profile's
// names can be written in its syntax, and a routine's name and counter. `profile` null: none
// selected.
DelayAnswer AnswerDelay(const DelayRequest& request, const Profile* profile,
                        const MessageTexts& texts, const FieldCaptions& captions,
                        std::string_view lineEnd = kWindowLineEnd);

// The engine's own step for a count already known (batch requests); `calculator` given when
// the count came from there. The window and loopsmith-cli ask AnswerDelay.
DelayAnswer AnswerCycles(std::int64_t delayCycles, Variant variant,
                         const CalculatorLines* calculator, const Profile* profile,
                         const MessageTexts& texts, bool writeCode = true,
                         std::string_view lineEnd = kWindowLineEnd,
                         const DelayRoutine& routine = {});
