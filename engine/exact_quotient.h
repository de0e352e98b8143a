// The calculator's quotient worked exactly from the typed texts: the time in microseconds times
// the instruction clock (a quarter of the oscillator) in megahertz. Doubles lose the digits
// above 2^53; the count and the actual-time line both start from this one reading instead.
#pragma once

#include <cstdint>
#include <string_view>

#include "base/big_unsigned.h"
#include "engine/time_unit.h"

// digits × 10^exponent, without trailing zeros in `digits` (exponent 0 for zero).
struct TypedDecimal {
    base::BigUnsigned digits;
    int exponent = 0;
    bool negative = false;  // "-" and "inf" / "nan" come only from texts that no field or
    bool finite = true;     // option lets through; they are read as the "%lf" scan reads them
};

// The longest leading number, as the "%lf" scan takes it (white space, a sign, digits with at
// most one point, an exponent, or "inf" / "nan"), but exact; nothing readable is zero. Zeros at
// either end cost no arithmetic however many. A written exponent counts at most ±10000, so that
// no text can ask for a power of ten too large to hold.
TypedDecimal ReadTypedDecimal(std::string_view text);

// The frequency in MHz from frequency unit 0..2 (MHz, kHz, Hz) is digits × 10^this.
inline int MegahertzExponent(const TypedDecimal& frequency, int frequencyUnit) {
    return frequency.exponent - 3 * frequencyUnit;
}

struct ExactQuotient {
    base::BigUnsigned numerator;
    base::BigUnsigned denominator;
};

// Q = numerator / denominator for units in range; the signs and finiteness are the caller's.
ExactQuotient CycleQuotient(const TypedDecimal& time, TimeUnit timeUnit,
                            const TypedDecimal& frequency, int frequencyUnit);
