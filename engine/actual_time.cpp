#include "engine/actual_time.h"

#include <algorithm>

#include "base/big_unsigned.h"
#include "engine/exact_quotient.h"

using base::BigUnsigned;

namespace {

// p / q >= 10^power
bool QuotientReaches(const BigUnsigned& p, const BigUnsigned& q, long long power) {
    if (power >= 0)
        return Compare(p, q * BigUnsigned::PowerOfTen(static_cast<int>(power))) >= 0;
    return Compare(p * BigUnsigned::PowerOfTen(static_cast<int>(-power)), q) >= 0;
}

}  // namespace

std::string DecimalQuotient(const BigUnsigned& p, const BigUnsigned& q, int digits) {
    if (p.IsZero())
        return "0";
    // e: the power of ten of the leading digit. The bit lengths give it to within one
    // (log10 2 = 0.30103), without dividing numbers of thousands of digits.
    const long long bits = p.BitLength() - q.BitLength();
    long long e = bits * 30103 / 100000 - (bits < 0 ? 1 : 0);
    while (!QuotientReaches(p, q, e))
        --e;
    while (QuotientReaches(p, q, e + 1))
        ++e;
    const int shift = digits - 1 - static_cast<int>(e);
    BigUnsigned num = p, den = q;
    if (shift >= 0)
        num = num * BigUnsigned::PowerOfTen(shift);
    else
        den = den * BigUnsigned::PowerOfTen(-shift);
    BigUnsigned::Division d = num.DividedBy(den);
    if (Compare(d.remainder + d.remainder, den) >= 0)
        d.quotient = d.quotient + BigUnsigned(1);
    std::string text = d.quotient.ToDecimal();
    int point = static_cast<int>(text.size()) - shift;  // digits before the point
    if (point <= 0) {
        text.insert(0, static_cast<std::size_t>(1 - point), '0');
        point = 1;
    }
    if (point >= static_cast<int>(text.size()))
        return text + std::string(static_cast<std::size_t>(point) - text.size(), '0');
    text.insert(static_cast<std::size_t>(point), 1, '.');
    while (text.back() == '0')
        text.pop_back();
    if (text.back() == '.')
        text.pop_back();
    return text;
}

std::optional<ActualTime> ExactActualTime(const std::string& timeText, TimeUnit timeUnit,
                                          const std::string& frequencyText, int frequencyUnit,
                                          std::int64_t cycles) {
    if (frequencyUnit < 0 || frequencyUnit > 2 || cycles <= 0)
        return std::nullopt;
    const TypedDecimal t = ReadTypedDecimal(timeText);
    const TypedDecimal f = ReadTypedDecimal(frequencyText);
    if (!t.finite || !f.finite || t.negative || f.negative || t.digits.IsZero() ||
        f.digits.IsZero())
        return std::nullopt;
    // The same exact count as the calculator's: Q = P / D.
    const ExactQuotient q = CycleQuotient(t, timeUnit, f, frequencyUnit);
    const BigUnsigned n(static_cast<std::uint64_t>(cycles));
    const BigUnsigned nd = n * q.denominator;
    const int order = Compare(nd, q.numerator);
    if (order == 0)
        return std::nullopt;
    ActualTime a;
    a.unit = timeUnit;
    // N cycles of 4 / F microseconds, in the typed unit; F in MHz is digits × 10^e.
    const int e = MegahertzExponent(f, frequencyUnit);
    a.time = DecimalQuotient(
        n * BigUnsigned(4) * BigUnsigned::PowerOfTen(std::max(-e, 0)),
        f.digits * BigUnsigned(MicrosecondsPer(timeUnit)) * BigUnsigned::PowerOfTen(std::max(e, 0)),
        12);
    const BigUnsigned difference = order > 0 ? nd - q.numerator : q.numerator - nd;
    a.errorPercent =
        (order > 0 ? "+" : "-") + DecimalQuotient(difference * BigUnsigned(100), q.numerator, 3);
    return a;
}
