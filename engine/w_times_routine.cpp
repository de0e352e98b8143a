#include "engine/w_times_routine.h"

#include <algorithm>

#include "engine/delay_subroutine.h"
#include "engine/plan_delay.h"

std::optional<LoopPlan> PlanWTimes(std::int64_t unit, Variant variant) {
    if (unit < SmallestWTimesUnit(variant) || unit > LargestWTimesUnit(variant))
        return std::nullopt;
    return PlanDelay(unit - kWTimesPassCycles, variant);
}

bool HasWTimesCounter(const LoopPlan& body, const Profile& profile) {
    const int counter = WTimesCounter(body);
    if (counter > 8)
        return false;
    const std::string& name = profile.Reg[counter - 1];
    // The same name twice would be one register counting two loops.
    return !name.empty() && name != profile.Label &&
           std::find(profile.Reg.begin(), profile.Reg.begin() + counter - 1, name) ==
               profile.Reg.begin() + counter - 1;
}

std::string WTimesRoutineText(const LoopPlan& body, const Profile& profile, std::string_view name,
                              const MessageTexts& texts, const CalculatorLines* calc,
                              std::string_view lineEnd) {
    // PlanWTimes leaves room for the counter; a plan of eight still must not read past Reg8.
    const int counter = std::min(WTimesCounter(body), 8);
    std::string out = texts[Msg::Delay];
    out += "n * ";
    out += GroupDigits(body.delayCycles + kWTimesPassCycles);
    out += " + ";
    out += std::to_string(kWTimesOverhead);
    out += texts[Msg::machine_cycles];
    out += lineEnd;
    out += texts[Msg::Call_Return];
    out += lineEnd;
    out += texts[Msg::W_Times_Entry];
    out += profile.Reg[counter - 1];
    out += lineEnd;
    AppendRoutineLabel(out, body, profile, name, texts, calc, lineEnd);
    AppendStoreW(out, profile, counter, lineEnd);
    AppendDelayInstructions(out, body, profile, lineEnd);
    AppendCountDownBack(out, profile, counter, DelayInstructionWords(body), lineEnd);
    AppendReturn(out, lineEnd);
    return out;
}
