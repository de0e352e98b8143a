// A delay written as a subroutine, so that "call NAME" takes exactly the requested count: the
// caller's call and the subroutine's return are counted in it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/delay_code_text.h"
#include "engine/loop_plan.h"
#include "engine/loop_variant.h"

inline constexpr std::int64_t kCallCycles = 2;    // call, on either family
inline constexpr std::int64_t kReturnCycles = 2;  // return

// The body is always a loop plan of its own (no body of bare nops): 8 cycles plain, 9 with
// clrwdt.
constexpr std::int64_t SmallestSubroutineDelay(Variant v) {
    return SmallestDelay(v) + kCallCycles + kReturnCycles;
}
constexpr std::int64_t LargestSubroutineDelay(Variant) {
    return kLargestDelay + kCallCycles + kReturnCycles;
}

// The plan of the body for a requested count that includes the call and the return; its
// delayCycles is the body's own count, `requested` - 4. nullopt outside the variant's range.
std::optional<LoopPlan> PlanSubroutine(std::int64_t requested, Variant variant);

// The header line with the requested count (body.delayCycles + 4), then `callReturnLine` (a
// whole comment line without its line end, in the current language, e.g. "; including the
// call and the return"), the calculator lines when the plan comes from the calculator and
// `calc` is given, the label NAME on its own line ("NAME:" in the current syntax), the body,
// and "return". NAME is written as it is: check it with IsSubroutineName first.
// The parts every subroutine form shares: after its header comments, the calculator lines (as
// above) and NAME's label line; after its body, "return".
void AppendRoutineLabel(std::string& out, const LoopPlan& body, const Profile& profile,
                        std::string_view name, const MessageTexts& texts,
                        const CalculatorLines* calc, std::string_view lineEnd);
void AppendReturn(std::string& out, std::string_view lineEnd);

std::string DelaySubroutineText(const LoopPlan& body, const Profile& profile, std::string_view name,
                                const MessageTexts& texts, std::string_view callReturnLine,
                                const CalculatorLines* calc,
                                std::string_view lineEnd = kWindowLineEnd);
