// Spells a loop plan as PIC assembler text for one profile, in its family and its syntax
// (classic or the current Microchip assembler): no gadgets, no shared state.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/actual_time.h"
#include "engine/loop_plan.h"
#include "engine/time_unit.h"
#include "i18n/message_texts.h"
#include "store/profile.h"

// What the calculator's header lines quote: the field texts as typed and the units (frequency
// 0..2 MHz, kHz, Hz; no time unit and other frequency indices give no unit word).
struct CalculatorLines {
    std::string timeText;
    std::optional<TimeUnit> timeUnit = TimeUnit::Microseconds;
    std::string frequencyText;
    int frequencyUnit = 0;
    // Set when the count was rounded: one more line after the time line states it.
    std::optional<ActualTime> actual = std::nullopt;

    friend bool operator==(const CalculatorLines&, const CalculatorLines&) = default;
};

inline constexpr std::string_view kWindowLineEnd = "\r\n";

// Decimal digits in groups of three separated by blanks: 1548 -> "1 548".
std::string GroupDigits(std::int64_t value);

// The header followed by the time line, the actual-time line when `calc` has one, the frequency
// line and one empty line.
std::string AppendCalculatorLines(const std::string& header, const CalculatorLines& calc,
                                  const MessageTexts& texts,
                                  std::string_view lineEnd = kWindowLineEnd);

// The first comment line: the count in groups of three between the Delay and machine_cycles
// texts.
std::string DelayHeaderLine(std::int64_t cycles, const MessageTexts& texts,
                            std::string_view lineEnd = kWindowLineEnd);

// The instructions of a plan (loads, loop nest, nops) spelled for the profile's family, jump
// style and syntax, appended to `out`.
void AppendDelayInstructions(std::string& out, const LoopPlan& plan, const Profile& profile,
                             std::string_view lineEnd = kWindowLineEnd);

// How many program words AppendDelayInstructions writes for the plan.
int DelayInstructionWords(const LoopPlan& plan);

// "movwf" into register k, spelled for the profile.
void AppendStoreW(std::string& out, const Profile& profile, int k,
                  std::string_view lineEnd = kWindowLineEnd);

// "decfsz" of register k, then a jump back over itself and the `words` before it, always
// relative ("$-n"): it needs no label of its own.
void AppendCountDownBack(std::string& out, const Profile& profile, int k, int words,
                         std::string_view lineEnd = kWindowLineEnd);

// The whole text for a plan. The calculator lines follow the header when the plan comes from
// the calculator and `calc` is given.
std::string DelayCodeText(const LoopPlan& plan, const Profile& profile, const MessageTexts& texts,
                          const CalculatorLines* calc, std::string_view lineEnd = kWindowLineEnd);
