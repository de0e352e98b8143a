// A delay subroutine that waits W times a unit: entered with W = n, "call NAME" takes exactly
// n * U + C cycles up to the instruction after the call, for n = 1..255, and n = 256 for W = 0.
//
//   NAME    movwf  Counter        ; 1, once
//           <loads, nest, nops>   ; U - 3, every pass
//           decfsz Counter        ; 1, or 2 on the last pass
//           goto   $-k            ; 2, back to the loads
//           return
//
// call 2 + movwf 1 + n (U - 3) + (n - 1) 3 + 2 + return 2 = n U + 4, on either family (a PIC18
// bra taken costs 2, as goto does). The counter is the register after the nest's last.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/delay_code_text.h"
#include "engine/loop_plan.h"
#include "engine/loop_variant.h"

inline constexpr std::int64_t kWTimesOverhead = 4;    // C: call, movwf, the last skip, return
inline constexpr std::int64_t kWTimesPassCycles = 3;  // decfsz and the jump back, per pass

// The body is always a loop plan of its own: 7 cycles plain, 8 with clrwdt.
constexpr std::int64_t SmallestWTimesUnit(Variant v) {
    return SmallestDelay(v) + kWTimesPassCycles;
}
// 256 * U + C stays within the largest delay.
constexpr std::int64_t LargestWTimesUnit(Variant) {
    return (kLargestDelay - kWTimesOverhead) / 256;
}

// The plan of one pass's body for the unit U; its delayCycles is U - 3. nullopt outside the
// variant's range.
std::optional<LoopPlan> PlanWTimes(std::int64_t unit, Variant variant);

// The register (1..8) that counts the passes: the one after the body's nest.
constexpr int WTimesCounter(const LoopPlan& body) {
    return body.registerCount + 1;
}

// Whether the profile has a counter register apart from the nest's registers and the label.
bool HasWTimesCounter(const LoopPlan& body, const Profile& profile);

// The header ("n * U + C" cycles, the call and return line, how W gives n and the counter's
// name), the calculator lines when the plan comes from there and `calc` is given, NAME, the
// routine. NAME is written as it is: check it with IsSubroutineName first.
std::string WTimesRoutineText(const LoopPlan& body, const Profile& profile, std::string_view name,
                              const MessageTexts& texts, const CalculatorLines* calc,
                              std::string_view lineEnd = kWindowLineEnd);
