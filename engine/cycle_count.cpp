#include "engine/cycle_count.h"

#include "base/big_unsigned.h"
#include "engine/exact_quotient.h"
#include "engine/loop_variant.h"

using base::BigUnsigned;

CycleCount ComputeCycleCount(const std::string& timeText, std::optional<TimeUnit> timeUnit,
                             const std::string& frequencyText, int frequencyUnit) {
    const TypedDecimal t = ReadTypedDecimal(timeText);
    const TypedDecimal f = ReadTypedDecimal(frequencyText);
    if (timeText.empty() || frequencyText.empty()) {
        const bool time = timeText.empty() || (t.finite && t.digits.IsZero());
        return {time ? CycleCountOutcome::MissingTime : CycleCountOutcome::MissingFrequency, 0};
    }
    // No time unit is an endless time, a frequency unit outside the list a zero clock.
    if (!timeUnit || !t.finite || !f.finite)
        return {CycleCountOutcome::TooLarge, 0};
    if (frequencyUnit < 0 || frequencyUnit > 2 || t.digits.IsZero() || f.digits.IsZero())
        return {CycleCountOutcome::BelowOneCycle, 0};
    const ExactQuotient q = CycleQuotient(t, *timeUnit, f, frequencyUnit);
    BigUnsigned::Division n = q.numerator.DividedBy(q.denominator);
    // The nearest whole cycle, ties to the even one.
    const int half = Compare(n.remainder + n.remainder, q.denominator);
    if (half > 0 || (half == 0 && n.quotient.IsOdd()))
        n.quotient = n.quotient + BigUnsigned(1);
    // Only a negative sign in a text no field takes: a count below zero.
    const bool negative = t.negative != f.negative;
    if (n.quotient.BitLength() > 63 ||
        n.quotient.Low64() > static_cast<std::uint64_t>(kLargestDelay) ||
        (negative && !n.quotient.IsZero()))
        return {CycleCountOutcome::TooLarge, 0};
    if (negative || Compare(q.numerator, q.denominator) < 0)  // the unrounded count below 1
        return {CycleCountOutcome::BelowOneCycle, 0};
    return {CycleCountOutcome::Cycles, static_cast<std::int64_t>(n.quotient.Low64())};
}
