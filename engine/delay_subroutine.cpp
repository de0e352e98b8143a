#include "engine/delay_subroutine.h"

#include "engine/plan_delay.h"

std::optional<LoopPlan> PlanSubroutine(std::int64_t requested, Variant variant) {
    if (requested < SmallestSubroutineDelay(variant) ||
        requested > LargestSubroutineDelay(variant)) {
        return std::nullopt;
    }
    return PlanDelay(requested - kCallCycles - kReturnCycles, variant);
}

std::string DelaySubroutineText(const LoopPlan& body, const Profile& profile, std::string_view name,
                                const MessageTexts& texts, std::string_view callReturnLine,
                                const CalculatorLines* calc, std::string_view lineEnd) {
    std::string out =
        DelayHeaderLine(body.delayCycles + kCallCycles + kReturnCycles, texts, lineEnd);
    out += callReturnLine;
    out += lineEnd;
    AppendRoutineLabel(out, body, profile, name, texts, calc, lineEnd);
    AppendDelayInstructions(out, body, profile, lineEnd);
    AppendReturn(out, lineEnd);
    return out;
}

void AppendRoutineLabel(std::string& out, const LoopPlan& body, const Profile& profile,
                        std::string_view name, const MessageTexts& texts,
                        const CalculatorLines* calc, std::string_view lineEnd) {
    if (body.fromCalculator && calc != nullptr)
        out = AppendCalculatorLines(out, *calc, texts, lineEnd);
    out += name;
    if (profile.Syntax == kSyntaxCurrent)
        out += ':';
    out += lineEnd;
}

void AppendReturn(std::string& out, std::string_view lineEnd) {
    out += "            return";
    out += lineEnd;
}
