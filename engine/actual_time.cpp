#include "engine/actual_time.h"

#include "base/ascii.h"
#include "base/big_unsigned.h"

using base::BigUnsigned;

namespace {

// An exact decimal: digits * 10^-scale.
struct Decimal {
    BigUnsigned digits;
    int scale = 0;
};

// What a "%lf" scan reads, where it can be read exactly: blanks, an optional +, digits with an
// optional point and fraction, an optional exponent. Anything else (a sign that makes it
// negative, hexadecimal, inf, nan, no digits) is not ours to state.
std::optional<Decimal> ReadExactDecimal(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (base::IsBlank(text[i]) || text[i] == '\n' || text[i] == '\r'))
        ++i;
    if (i < text.size() && text[i] == '+')
        ++i;
    Decimal d;
    int count = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        if (base::IsDigit(text[i])) {
            d.digits =
                d.digits * BigUnsigned(10) + BigUnsigned(static_cast<unsigned>(text[i] - '0'));
            ++count;
            if (point)
                ++d.scale;
        } else if (text[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
        if (count > 40)
            return std::nullopt;
    }
    if (count == 0 || (i < text.size() && (text[i] == 'x' || text[i] == 'X')))
        return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        const bool minus = j < text.size() && text[j] == '-';
        if (j < text.size() && (text[j] == '-' || text[j] == '+'))
            ++j;
        int exponent = 0;
        const std::size_t first = j;
        while (j < text.size() && base::IsDigit(text[j]) && exponent < 1000)
            exponent = exponent * 10 + (text[j++] - '0');
        if (j > first) {
            if (exponent > 60)
                return std::nullopt;
            d.scale += minus ? exponent : -exponent;
        }
    }
    if (d.scale < 0) {
        d.digits = d.digits * BigUnsigned::PowerOfTen(-d.scale);
        d.scale = 0;
    }
    return d;
}

// Microseconds per time unit, and the divisor that turns the frequency unit into MHz.
constexpr std::uint64_t kMicroseconds[] = {1, 1000, 1000000, 60000000, 3600000000, 86400000000};
constexpr std::uint64_t kPerMegahertz[] = {1, 1000, 1000000};

}  // namespace

std::string DecimalQuotient(const BigUnsigned& p, const BigUnsigned& q, int digits) {
    if (p.IsZero())
        return "0";
    // e: the power of ten of the leading digit.
    int e = 0;
    const BigUnsigned whole = p.DividedBy(q).quotient;
    if (!whole.IsZero()) {
        e = static_cast<int>(whole.ToDecimal().size()) - 1;
    } else {
        BigUnsigned scaled = p;
        while (Compare(scaled, q) < 0) {
            scaled = scaled * BigUnsigned(10);
            --e;
        }
    }
    const int shift = digits - 1 - e;
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

std::optional<ActualTime> ExactActualTime(const std::string& timeText, int timeUnit,
                                          const std::string& frequencyText, int frequencyUnit,
                                          std::int64_t cycles) {
    if (timeUnit < 0 || timeUnit > 5 || frequencyUnit < 0 || frequencyUnit > 2 || cycles <= 0)
        return std::nullopt;
    const auto t = ReadExactDecimal(timeText);
    const auto f = ReadExactDecimal(frequencyText);
    if (!t || !f || t->digits.IsZero() || f->digits.IsZero())
        return std::nullopt;
    const BigUnsigned n(static_cast<std::uint64_t>(cycles));
    const BigUnsigned us(kMicroseconds[timeUnit]);
    const BigUnsigned perMhz(kPerMegahertz[frequencyUnit]);
    // The exact count is P / D: time in us times the instruction clock in MHz.
    const BigUnsigned P = t->digits * f->digits * us;
    const BigUnsigned D = BigUnsigned::PowerOfTen(t->scale + f->scale) * perMhz * BigUnsigned(4);
    const BigUnsigned ND = n * D;
    const int order = Compare(ND, P);
    if (order == 0)
        return std::nullopt;
    ActualTime a;
    // N cycles of 4 / F microseconds, in the typed unit.
    a.time = DecimalQuotient(n * BigUnsigned(4) * perMhz * BigUnsigned::PowerOfTen(f->scale),
                             f->digits * us, 12);
    const BigUnsigned difference = order > 0 ? ND - P : P - ND;
    a.errorPercent = (order > 0 ? "+" : "-") + DecimalQuotient(difference * BigUnsigned(100), P, 3);
    return a;
}
