#include "engine/delay_answer.h"

#include <limits>

#include "base/number_text.h"
#include "engine/asm_identifier.h"
#include "engine/cycle_count.h"
#include "engine/delay_subroutine.h"
#include "engine/plan_delay.h"

DelayAnswer AnswerCycles(std::int64_t delayCycles, Variant variant,
                         const CalculatorLines* calculator, const Profile* profile,
                         const MessageTexts& texts, bool writeCode, std::string_view lineEnd,
                         std::string_view subroutine) {
    DelayAnswer answer;
    answer.fromCalculator = calculator != nullptr;
    // The lowest value stands for a count too large to read: no count to quote.
    if (delayCycles != std::numeric_limits<std::int64_t>::min())
        answer.delayCycles = delayCycles;
    const bool asSubroutine = !subroutine.empty();
    answer.plan =
        asSubroutine ? PlanSubroutine(delayCycles, variant) : PlanDelay(delayCycles, variant);
    if (!answer.plan) {
        answer.message = asSubroutine ? RangeMessage(texts, SmallestSubroutineDelay(variant),
                                                     LargestSubroutineDelay(variant))
                                      : RangeMessage(texts, variant);
        return answer;
    }
    answer.plan->fromCalculator = calculator != nullptr;
    if (!writeCode)
        return answer;
    if (profile == nullptr) {
        answer.message = NoProfileMessage(texts);
        return answer;
    }
    // A hand-edited file may hold names its assembler cannot take; only the registers this
    // plan uses matter.
    if (const auto bad = UnwritableProfileName(*profile, answer.plan->registerCount)) {
        answer.message = UnwritableNameMessage(texts, *bad);
        return answer;
    }
    answer.code = asSubroutine ? DelaySubroutineText(*answer.plan, *profile, subroutine, texts,
                                                     texts[Msg::Call_Return], calculator, lineEnd)
                               : DelayCodeText(*answer.plan, *profile, texts, calculator, lineEnd);
    return answer;
}

DelayAnswer AnswerDelay(const DelayRequest& request, const Profile* profile,
                        const MessageTexts& texts, const FieldCaptions& captions,
                        std::string_view lineEnd) {
    if (!request.calculator) {
        return AnswerCycles(ReadIntegerText(request.cyclesText), request.variant, nullptr, profile,
                            texts, request.writeCode, lineEnd, request.subroutine);
    }
    const CalculatorLines& calc = *request.calculator;
    const CycleCount count =
        ComputeCycleCount(calc.timeText, calc.timeUnit, calc.frequencyText, calc.frequencyUnit);
    if (count.outcome != CycleCountOutcome::Cycles) {
        DelayAnswer answer;
        answer.fromCalculator = true;
        answer.message = CalculatorMessage(texts, count.outcome, captions.time, captions.frequency);
        return answer;
    }
    return AnswerCycles(count.cycles, request.variant, &calc, profile, texts, request.writeCode,
                        lineEnd, request.subroutine);
}
