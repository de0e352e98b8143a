#include "base/exact_decimal.h"

#include "base/ascii.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

namespace base {

namespace {

// A non-negative number as digits × 10^exponent, without leading or trailing zeros (no digits
// for zero).
struct Decimal {
    std::string digits;
    long long exponent = 0;

    // The power of ten of the leading digit.
    long long Lead() const { return exponent + static_cast<long long>(digits.size()) - 1; }
};

void Trim(Decimal& d) {
    const std::size_t first = d.digits.find_first_not_of('0');
    if (first == std::string::npos) {
        d = Decimal{};
        return;
    }
    const std::size_t last = d.digits.find_last_not_of('0');
    d.exponent += static_cast<long long>(d.digits.size() - 1 - last);
    d.digits = d.digits.substr(first, last + 1 - first);
}

// Big numbers in limbs of nine decimal digits, the lowest first: the digits come out directly.
constexpr std::uint64_t kLimb = 1'000'000'000;

void Multiply(std::vector<std::uint64_t>& limbs, std::uint64_t factor) {
    std::uint64_t carry = 0;
    for (std::uint64_t& limb : limbs) {
        const std::uint64_t v = limb * factor + carry;  // below 2^30 * 2^32 + 2^33
        limb = v % kLimb;
        carry = v / kLimb;
    }
    for (; carry != 0; carry /= kLimb)
        limbs.push_back(carry % kLimb);
}

// mantissa × 2^power, exactly: a double has at most 767 significant decimal digits.
Decimal Exact(std::uint64_t mantissa, int power) {
    std::vector<std::uint64_t> limbs;
    for (std::uint64_t m = mantissa; m != 0; m /= kLimb)
        limbs.push_back(m % kLimb);
    for (int k = power; k > 0; k -= 30)
        Multiply(limbs, std::uint64_t{1} << std::min(k, 30));
    // 2^-k = 5^k / 10^k
    for (int k = -power; k > 0; k -= 13) {
        std::uint64_t five = 1;
        for (int i = std::min(k, 13); i > 0; --i)
            five *= 5;
        Multiply(limbs, five);
    }
    Decimal d;
    for (auto it = limbs.rbegin(); it != limbs.rend(); ++it) {
        const std::string piece = std::to_string(*it);
        d.digits += std::string(9 - piece.size(), '0') + piece;
    }
    d.exponent = std::min(power, 0);
    Trim(d);
    return d;
}

// (std::bit_cast is missing from the browser's library.)
std::uint64_t Bits(double x) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &x, sizeof bits);
    return bits;
}

// A finite non-negative double as mantissa × 2^power.
struct Binary {
    std::uint64_t mantissa;
    int power;
};

Binary Split(double x) {
    const std::uint64_t bits = Bits(x);
    const auto field = static_cast<int>((bits >> 52) & 0x7FF);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    if (field == 0)
        return {fraction, -1074};
    return {fraction | (std::uint64_t{1} << 52), field - 1075};
}

// The point halfway between `x` and the next double up.
Decimal HalfwayUp(double x) {
    const Binary b = Split(x);
    return Exact(2 * b.mantissa + 1, b.power - 1);
}

int Compare(const Decimal& a, const Decimal& b) {
    if (a.digits.empty() || b.digits.empty())
        return static_cast<int>(!a.digits.empty()) - static_cast<int>(!b.digits.empty());
    if (a.Lead() != b.Lead())
        return a.Lead() < b.Lead() ? -1 : 1;
    const int c = a.digits.compare(b.digits);
    return (c > 0) - (c < 0);
}

bool OddMantissa(double x) {
    return (Bits(x) & 1) != 0;
}

// Rounds to a multiple of 10^power, ties to even.
void RoundAt(Decimal& d, long long power) {
    if (d.digits.empty() || d.exponent >= power)
        return;
    const auto dropped = static_cast<std::size_t>(power - d.exponent);
    if (dropped >= d.digits.size())
        d.digits.insert(0, dropped - d.digits.size() + 1, '0');
    const std::size_t kept = d.digits.size() - dropped;
    const char first = d.digits[kept];
    // Without trailing zeros, anything after the first dropped digit is more than nothing.
    const bool more = dropped > 1;
    const bool odd = (d.digits[kept - 1] - '0') % 2 != 0;
    d.digits.resize(kept);
    d.exponent = power;
    if (first > '5' || (first == '5' && (more || odd))) {
        std::size_t i = kept;
        while (i > 0 && d.digits[i - 1] == '9')
            d.digits[--i] = '0';
        if (i == 0)
            d.digits.insert(0, 1, '1');
        else
            ++d.digits[i - 1];
    }
    Trim(d);
}

std::string NotFinite(double value) {
    const std::string sign = std::signbit(value) ? "-" : "";
    return sign + (std::isnan(value) ? "nan" : "inf");
}

}  // namespace

std::size_t DecimalNumberLength(std::string_view text) {
    std::size_t i = 0, digits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i)
        ++digits;
    if (i < text.size() && text[i] == '.')
        for (++i; i < text.size() && IsDigit(text[i]); ++i)
            ++digits;
    if (digits == 0)
        return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j]))
                ++j;
            i = j;
        }
    }
    return i;
}

double DecimalNumberValue(std::string_view number) {
    Decimal in;
    std::size_t i = 0;
    for (bool afterPoint = false; i < number.size() && number[i] != 'e' && number[i] != 'E'; ++i) {
        if (number[i] == '.') {
            afterPoint = true;
        } else {
            in.digits += number[i];
            in.exponent -= afterPoint ? 1 : 0;
        }
    }
    if (i + 1 < number.size()) {
        std::string_view e = number.substr(i + 1);
        const bool negative = e.front() == '-';
        if (e.front() == '-' || e.front() == '+')
            e.remove_prefix(1);
        long long power = 0;
        for (char c : e)
            power = std::min(power * 10 + (c - '0'), 1LL << 40);
        in.exponent += negative ? -power : power;
    }
    Trim(in);
    constexpr double kLargest = std::numeric_limits<double>::max();
    if (in.digits.empty() || in.Lead() < -324)  // below 1e-324, less than half the smallest
        return 0.0;
    if (in.Lead() > 308)
        return std::numeric_limits<double>::infinity();

    const std::size_t taken = std::min<std::size_t>(in.digits.size(), 19);
    std::uint64_t leading = 0;
    for (std::size_t k = 0; k < taken; ++k)
        leading = leading * 10 + static_cast<std::uint64_t>(in.digits[k] - '0');
    double x = static_cast<double>(leading);
    // What people type: up to 15 digits (below 2^53) and a power of ten up to 10^22 are both
    // exact doubles, so one multiplication or division rounds the exact value once, correctly.
    constexpr double kExactPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                       1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    if (in.digits.size() <= 15 && in.exponent >= -22 && in.exponent <= 22) {
        const double power = kExactPowers[in.exponent < 0 ? -in.exponent : in.exponent];
        return in.exponent < 0 ? x / power : x * power;
    }
    // Else a guess within a few units in the last place, from the first 19 digits; then steps
    // of one unit, decided by exact comparison with the halfway points.
    const long long scale = in.exponent + static_cast<long long>(in.digits.size() - taken);
    if (scale >= 0) {
        x *= std::pow(10.0, static_cast<double>(scale));
    } else {
        x /= std::pow(10.0, static_cast<double>(std::min(-scale, 300LL)));
        x /= std::pow(10.0, static_cast<double>(std::max(-scale - 300, 0LL)));
    }
    x = std::min(x, kLargest);
    for (;;) {
        const int above = Compare(in, HalfwayUp(x));
        if (above > 0 || (above == 0 && OddMantissa(x))) {
            if (x == kLargest)
                return std::numeric_limits<double>::infinity();
            x = std::nextafter(x, kLargest);
            continue;
        }
        if (x > 0.0) {
            const double below = std::nextafter(x, 0.0);
            const int under = Compare(in, HalfwayUp(below));
            if (under < 0 || (under == 0 && OddMantissa(x))) {
                x = below;
                continue;
            }
        }
        return x;
    }
}

std::string FormatFixed(double value, int fractionDigits) {
    if (!std::isfinite(value))
        return NotFinite(value);
    const Binary b = Split(std::fabs(value));
    Decimal d = Exact(b.mantissa, b.power);
    RoundAt(d, -fractionDigits);
    // The value times 10^fractionDigits, as whole digits.
    std::string text =
        d.digits.empty()
            ? std::string("0")
            : d.digits + std::string(static_cast<std::size_t>(d.exponent + fractionDigits), '0');
    const auto places = static_cast<std::size_t>(fractionDigits);
    if (text.size() <= places)
        text.insert(0, places + 1 - text.size(), '0');
    if (places > 0)
        text.insert(text.size() - places, 1, '.');
    return (std::signbit(value) ? "-" : "") + text;
}

std::string FormatGeneral(double value, int precision) {
    if (!std::isfinite(value))
        return NotFinite(value);
    const std::string sign = std::signbit(value) ? "-" : "";
    const Binary b = Split(std::fabs(value));
    Decimal d = Exact(b.mantissa, b.power);
    if (d.digits.empty())
        return sign + "0";
    RoundAt(d, d.Lead() - precision + 1);
    const long long lead = d.Lead();
    std::string text = d.digits;
    if (lead < -4 || lead >= precision) {
        if (text.size() > 1)
            text.insert(1, 1, '.');
        const std::string power = std::to_string(lead < 0 ? -lead : lead);
        text += std::string(lead < 0 ? "e-" : "e+") + (power.size() < 2 ? "0" : "") + power;
    } else if (lead < 0) {
        text = "0." + std::string(static_cast<std::size_t>(-lead - 1), '0') + text;
    } else if (text.size() <= static_cast<std::size_t>(lead) + 1) {
        text += std::string(static_cast<std::size_t>(lead) + 1 - text.size(), '0');
    } else {
        text.insert(static_cast<std::size_t>(lead) + 1, 1, '.');
    }
    return sign + text;
}

}  // namespace base
