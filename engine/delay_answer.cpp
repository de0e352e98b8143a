#include "engine/delay_answer.h"

#include <limits>

#include "base/number_text.h"
#include "engine/asm_identifier.h"
#include "engine/cycle_count.h"
#include "engine/delay_subroutine.h"
#include "engine/plan_delay.h"
#include "engine/register_declarations.h"
#include "engine/w_times_routine.h"

namespace {

std::optional<LoopPlan> PlanForm(DelayForm form, std::int64_t cycles, Variant variant) {
    switch (form) {
        case DelayForm::Subroutine:
            return PlanSubroutine(cycles, variant);
        case DelayForm::WTimes:
            return PlanWTimes(cycles, variant);
        case DelayForm::Block:
            break;
    }
    return PlanDelay(cycles, variant);
}

MessageText FormRangeMessage(DelayForm form, const MessageTexts& texts, Variant variant) {
    switch (form) {
        case DelayForm::Subroutine:
            return RangeMessage(texts, SmallestSubroutineDelay(variant),
                                LargestSubroutineDelay(variant));
        case DelayForm::WTimes:
            return RangeMessage(texts, SmallestWTimesUnit(variant), LargestWTimesUnit(variant));
        case DelayForm::Block:
            break;
    }
    return RangeMessage(texts, variant);
}

// `calculator` with the actual-time line that `delayCycles`, worked out from its texts, calls
// for (none when the count is exact). A text that is not wholly a number states nothing.
CalculatorLines WithActualTime(CalculatorLines calculator, std::int64_t delayCycles) {
    const std::optional<std::string> time = WholeDecimal(calculator.timeText);
    const std::optional<std::string> frequency = WholeDecimal(calculator.frequencyText);
    calculator.actual = std::nullopt;
    if (time && frequency && calculator.timeUnit) {
        calculator.actual = ExactActualTime(*time, *calculator.timeUnit, *frequency,
                                            calculator.frequencyUnit, delayCycles);
    }
    return calculator;
}

}  // namespace

DelayAnswer AnswerCycles(std::int64_t delayCycles, Variant variant,
                         const CalculatorLines* calculator, const Profile* profile,
                         const MessageTexts& texts, bool writeCode, std::string_view lineEnd,
                         const DelayRoutine& routine) {
    DelayAnswer answer;
    answer.fromCalculator = calculator != nullptr;
    // The lowest value stands for a count too large to read: no count to quote.
    if (delayCycles != std::numeric_limits<std::int64_t>::min())
        answer.delayCycles = delayCycles;
    answer.plan = PlanForm(routine.form, delayCycles, variant);
    if (!answer.plan) {
        answer.message = FormRangeMessage(routine.form, texts, variant);
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
    const bool wTimes = routine.form == DelayForm::WTimes;
    if (wTimes && !HasWTimesCounter(*answer.plan, *profile)) {
        answer.message = FewRegistersMessage(texts);
        return answer;
    }
    const int used = answer.plan->registerCount + (wTimes ? 1 : 0);
    if (const auto bad = UnwritableProfileName(*profile, used)) {
        answer.message = UnwritableNameMessage(texts, *bad);
        return answer;
    }
    if (routine.form != DelayForm::Block) {
        if (const auto m = RoutineNameMessage(texts, routine.name, *profile)) {
            answer.message = *m;
            return answer;
        }
    }
    std::optional<DataPlace> place;
    if (routine.declareRegisters) {
        place = ReadDataPlace(*profile);
        if (!place) {
            answer.message = BadDataAddressMessage(texts, profile->DataAddress);
            return answer;
        }
    }
    switch (routine.form) {
        case DelayForm::Block:
            answer.code = DelayCodeText(*answer.plan, *profile, texts, calculator, lineEnd);
            break;
        case DelayForm::Subroutine:
            answer.code = DelaySubroutineText(*answer.plan, *profile, routine.name, texts,
                                              texts[Msg::Call_Return], calculator, lineEnd);
            break;
        case DelayForm::WTimes:
            answer.code =
                WTimesRoutineText(*answer.plan, *profile, routine.name, texts, calculator, lineEnd);
            break;
    }
    if (place) {
        answer.code.insert(
            0, RegisterDeclarations(UsedRegisterNames(*answer.plan, routine.form, *profile),
                                    *profile, *place, lineEnd));
    }
    return answer;
}

DelayAnswer AnswerDelay(const DelayRequest& request, const Profile* profile,
                        const MessageTexts& texts, const FieldCaptions& captions,
                        std::string_view lineEnd) {
    if (!request.calculator) {
        return AnswerCycles(request.delayCycles, request.variant, nullptr, profile, texts,
                            request.writeCode, lineEnd, request.routine);
    }
    CalculatorLines calc = *request.calculator;
    // Each text is wholly a number or none: a text that is not counts as an empty field.
    const std::string time = WholeDecimal(calc.timeText).value_or("");
    const std::string frequency = WholeDecimal(calc.frequencyText).value_or("");
    const CycleCount count = ComputeCycleCount(time, calc.timeUnit, frequency, calc.frequencyUnit);
    if (count.outcome != CycleCountOutcome::Cycles) {
        DelayAnswer answer;
        answer.fromCalculator = true;
        answer.message = CalculatorMessage(texts, count.outcome, captions.time, captions.frequency);
        return answer;
    }
    calc = WithActualTime(calc, count.cycles);
    DelayAnswer answer = AnswerCycles(count.cycles, request.variant, &calc, profile, texts,
                                      request.writeCode, lineEnd, request.routine);
    answer.actualTime = calc.actual;
    return answer;
}
