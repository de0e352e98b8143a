#include "base/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "base/ascii.h"

int DigitValue(char c, int base) {
    int v = -1;
    if (c >= '0' && c <= '9')
        v = c - '0';
    else if (c >= 'a' && c <= 'f')
        v = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        v = c - 'A' + 10;
    return v < base ? v : -1;
}

namespace {

// Decimal exponent of the leading digit of a number text, for telling overflow from underflow.
long long Magnitude(std::string_view number) {
    long long position = 0;  // digits seen before the point, minus leading zeros
    bool seenNonZero = false, afterPoint = false;
    long long leadingFractionZeros = 0;
    std::size_t i = 0;
    for (; i < number.size(); ++i) {
        const char c = number[i];
        if (c == '.') {
            afterPoint = true;
        } else if ((c >= '0' && c <= '9')) {
            if (c != '0')
                seenNonZero = true;
            if (!afterPoint && seenNonZero)
                ++position;
            if (afterPoint && !seenNonZero)
                ++leadingFractionZeros;
        } else if (c == 'e' || c == 'E') {
            break;
        }
    }
    long long exponent = 0;
    if (i < number.size()) {
        std::string_view e = number.substr(i + 1);
        const bool negative = !e.empty() && e.front() == '-';
        if (!e.empty() && (e.front() == '-' || e.front() == '+'))
            e.remove_prefix(1);
        for (char c : e)
            exponent = std::min(exponent * 10 + (c - '0'), 1LL << 40);
        if (negative)
            exponent = -exponent;
    }
    return (position > 0 ? position : -leadingFractionZeros) + exponent;
}

bool IsScanSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

std::int64_t ReadIntegerText(const std::string& text) {
    constexpr std::int64_t kOutOfRange = std::numeric_limits<std::int64_t>::min();
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    int base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i < text.size() && text[i] == '%') {
        base = 2;
        ++i;
    }
    // The magnitude may reach 2^63 for a negative value.
    const std::uint64_t limit = negative ? (std::uint64_t{1} << 63) : (std::uint64_t{1} << 63) - 1;
    std::uint64_t value = 0;
    bool overflow = false;
    for (; i < text.size(); ++i) {
        int d = DigitValue(text[i], base);
        if (d < 0)
            break;
        if (value > (limit - static_cast<std::uint64_t>(d)) / static_cast<std::uint64_t>(base)) {
            overflow = true;
        } else {
            value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(d);
        }
    }
    if (overflow)
        return kOutOfRange;
    if (negative)
        return value == (std::uint64_t{1} << 63) ? kOutOfRange : -static_cast<std::int64_t>(value);
    return static_cast<std::int64_t>(value);
}

bool IsWholeCount(std::string_view text) {
    text = base::TrimBlanksView(text);
    if (!text.empty() && (text.front() == '-' || text.front() == '+'))
        text.remove_prefix(1);
    int base = 10;
    if (!text.empty() && (text.front() == '$' || text.front() == '%')) {
        base = text.front() == '$' ? 16 : 2;
        text.remove_prefix(1);
    }
    return !text.empty() && std::all_of(text.begin(), text.end(),
                                        [base](char c) { return DigitValue(c, base) >= 0; });
}

std::optional<std::string> WholeDecimal(std::string_view text) {
    std::string out;
    for (char c : base::TrimBlanksView(text)) {
        const bool point = c == '.' || c == ',';
        if (point && out.find('.') != std::string::npos)
            return std::nullopt;
        if (!point && DigitValue(c, 10) < 0)
            return std::nullopt;
        out += point ? '.' : c;
    }
    if (out.find_first_of("0123456789") == std::string::npos)
        return std::nullopt;
    return out;
}

double ReadDecimalText(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && IsScanSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    const char* first = text.data() + i;
    const char* last = text.data() + text.size();
    // A sign may not be followed by another one.
    if (first < last && (*first == '-' || *first == '+'))
        return 0.0;
    double value = 0.0;
    auto [end, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        value = OutOfRangeDecimal(std::string_view(first, static_cast<std::size_t>(end - first)));
    } else if (ec != std::errc()) {
        return 0.0;
    }
    return negative ? -value : value;
}

double OutOfRangeDecimal(std::string_view number) {
    return Magnitude(number) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
}

std::string WriteIntegerText(std::int64_t value) {
    return std::to_string(value);
}

std::string WriteTrimmedDecimal(double value) {
    char buffer[400];
    auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 10);
    std::string text = ec == std::errc() ? std::string(buffer, end) : std::string("0");
    if (text.find('.') != std::string::npos) {
        while (!text.empty() && text.back() == '0')
            text.pop_back();
        if (!text.empty() && text.back() == '.')
            text.pop_back();
    }
    return text;
}
