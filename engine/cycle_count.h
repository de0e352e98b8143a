// The calculator's arithmetic: a time and an oscillator frequency, as field texts and units,
// become a whole number of machine cycles (four oscillator periods each).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "engine/time_unit.h"

enum class CycleCountOutcome {
    Cycles,            // `cycles` holds the count (the solver still applies its own range)
    MissingTime,       // the empty-field message naming the time field
    MissingFrequency,  // the empty-field message naming the frequency field
    TooLarge,          // below 0 or above the largest delay: Error_Delay
    BelowOneCycle,     // the unrounded count is below 1: Error_Delay_1
};

struct CycleCount {
    CycleCountOutcome outcome = CycleCountOutcome::Cycles;
    std::int64_t cycles = 0;
};

// The nearest whole cycle to time × frequency / 4, ties to even, worked exactly from the texts
// (digits with at most one point; other texts as ReadTypedDecimal reads them).
// No time unit is an endless time (TooLarge); frequencyUnit 0..2: megahertz, kilohertz, hertz,
// another index a zero clock (BelowOneCycle).
CycleCount ComputeCycleCount(const std::string& timeText, std::optional<TimeUnit> timeUnit,
                             const std::string& frequencyText, int frequencyUnit);
