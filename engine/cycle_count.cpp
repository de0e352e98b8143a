#include "engine/cycle_count.h"

#include <cmath>

#include "base/number_text.h"
#include "engine/loop_variant.h"

namespace {

// Reciprocal of the time in microseconds; the products are formed left to right so that the
// rounding is the same on every platform and in every build.
double TimeStep(double t, int unit) {
    switch (unit) {
        case 0:
            return 1.0 / t;
        case 1:
            return 1.0 / (t * 1000.0);
        case 2:
            return 1.0 / (t * 1000000.0);
        case 3:
            return 1.0 / (t * 60.0 * 1000000.0);
        case 4:
            return 1.0 / (t * 60.0 * 1000000.0 * 60.0);
        case 5:
            return 1.0 / (t * 60.0 * 1000000.0 * 60.0 * 24.0);
        default:
            return 0.0;
    }
}

double ClockMegahertz(double instructionClock, int unit) {
    switch (unit) {
        case 0:
            return instructionClock;
        case 1:
            return instructionClock / 1000.0;
        case 2:
            return instructionClock / 1000000.0;
        default:
            return 0.0;
    }
}

// Nearest integer, ties to even; anything not finite or outside 64 bits is INT64_MIN.
std::int64_t RoundToCycles(double q) {
    constexpr double kTwoTo63 = 9223372036854775808.0;
    if (!std::isfinite(q) || q < -kTwoTo63 || q >= kTwoTo63)
        return INT64_MIN;
    return static_cast<std::int64_t>(std::nearbyint(q));
}

}  // namespace

CycleCount ComputeCycleCount(const std::string& timeText, int timeUnit,
                             const std::string& frequencyText, int frequencyUnit) {
    const double t = ReadDecimalText(timeText);
    const double fi = ReadDecimalText(frequencyText) / 4.0;
    if (timeText.empty() || frequencyText.empty()) {
        const bool time = timeText.empty() || t == 0.0;
        return {time ? CycleCountOutcome::MissingTime : CycleCountOutcome::MissingFrequency, 0};
    }
    const double q = ClockMegahertz(fi, frequencyUnit) / TimeStep(t, timeUnit);
    const std::int64_t n = RoundToCycles(q);
    if (n < 0 || n > kLargestDelay)
        return {CycleCountOutcome::TooLarge, 0};
    if (q < 1.0)
        return {CycleCountOutcome::BelowOneCycle, 0};
    return {CycleCountOutcome::Cycles, n};
}
