#include "engine/exact_quotient.h"

#include <algorithm>
#include <string>

#include "base/ascii.h"
#include "base/exact_decimal.h"

using base::BigUnsigned;

namespace {

constexpr int kExponentReach = 10000;

bool IsScanWhiteSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool StartsWithFolded(std::string_view text, std::string_view word) {
    return text.size() >= word.size() && base::EqualFoldingAscii(text.substr(0, word.size()), word);
}

// The written exponent after "e": an optional sign and digits.
int WrittenExponent(std::string_view text) {
    const bool minus = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+'))
        text.remove_prefix(1);
    int value = 0;
    for (char c : text)
        value = std::min(value * 10 + (c - '0'), kExponentReach);
    return minus ? -value : value;
}

}  // namespace

TypedDecimal ReadTypedDecimal(std::string_view text) {
    TypedDecimal d;
    std::size_t i = 0;
    while (i < text.size() && IsScanWhiteSpace(text[i]))
        ++i;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        d.negative = text[i++] == '-';
    const std::string_view rest = text.substr(i);
    const std::string_view number = rest.substr(0, base::DecimalNumberLength(rest));
    if (number.empty()) {
        d.finite = !StartsWithFolded(rest, "inf") && !StartsWithFolded(rest, "nan");
        return d;
    }
    const std::size_t e = number.find_first_of("eE");
    const std::string_view mantissa = number.substr(0, e);
    std::string_view whole = mantissa.substr(0, mantissa.find('.'));
    std::string_view fraction = mantissa.substr(std::min(whole.size() + 1, mantissa.size()));
    int exponent = e == std::string_view::npos ? 0 : WrittenExponent(number.substr(e + 1));
    while (!fraction.empty() && fraction.back() == '0')
        fraction.remove_suffix(1);
    exponent -= static_cast<int>(fraction.size());
    for (; fraction.empty() && !whole.empty() && whole.back() == '0'; ++exponent)
        whole.remove_suffix(1);
    while (!whole.empty() && whole.front() == '0')
        whole.remove_prefix(1);
    while (whole.empty() && !fraction.empty() && fraction.front() == '0')
        fraction.remove_prefix(1);
    if (whole.empty() && fraction.empty())
        return d;
    d.digits = BigUnsigned::FromDecimal(std::string(whole) + std::string(fraction));
    d.exponent = exponent;
    return d;
}

ExactQuotient CycleQuotient(const TypedDecimal& time, TimeUnit timeUnit,
                            const TypedDecimal& frequency, int frequencyUnit) {
    // Q = time digits × µs per unit × frequency digits × 10^e / 4
    const int e = time.exponent + MegahertzExponent(frequency, frequencyUnit);
    ExactQuotient q;
    q.numerator = time.digits * frequency.digits * BigUnsigned(MicrosecondsPer(timeUnit)) *
                  BigUnsigned::PowerOfTen(std::max(e, 0));
    q.denominator = BigUnsigned(4) * BigUnsigned::PowerOfTen(std::max(-e, 0));
    return q;
}
