// What a rounded calculator count really takes: the time of the whole cycles, and how far it
// is from the time asked for, worked out exactly from the typed decimals (a double cannot tell
// 0.25 of a cycle in 10^15).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "base/big_unsigned.h"
#include "engine/time_unit.h"

struct ActualTime {
    std::string time;                        // in `unit`, 12 significant digits at most
    std::string errorPercent;                // signed ("+0.0244", "-9.09"), 3 significant digits
    TimeUnit unit = TimeUnit::Microseconds;  // the typed one

    friend bool operator==(const ActualTime&, const ActualTime&) = default;
};

// nullopt when `cycles` is exactly the typed time at the typed frequency (the calculator's
// exact count, read the same way), or when a text reads as no positive number. Frequency units
// as the calculator's: 0..2 MHz, kHz, Hz. No digit cap: the line is as exact as the texts are
// long.
std::optional<ActualTime> ExactActualTime(const std::string& timeText, TimeUnit timeUnit,
                                          const std::string& frequencyText, int frequencyUnit,
                                          std::int64_t cycles);

// A positive quotient p / q in plain decimal notation with at most `digits` significant digits,
// rounded half up, trailing zeros dropped: 0.0999755859375, 99.9755859375, 120000.
std::string DecimalQuotient(const base::BigUnsigned& p, const base::BigUnsigned& q, int digits);
