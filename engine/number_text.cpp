#include "engine/number_text.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {

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
        // Like the C scan: overflow gives infinity, underflow zero.
        std::string_view number(first, static_cast<std::size_t>(end - first));
        std::size_t e = number.find_first_of("eE");
        bool tiny = e != std::string_view::npos && e + 1 < number.size() && number[e + 1] == '-';
        value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    } else if (ec != std::errc()) {
        return 0.0;
    }
    return negative ? -value : value;
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
