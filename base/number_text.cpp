#include "base/number_text.h"

#include <algorithm>
#include <cstddef>
#include <limits>

#include "base/exact_decimal.h"
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

// "inf" or "nan" in any letter case, as the C scan reads them.
bool StartsWithWord(std::string_view text, std::string_view word) {
    if (text.size() < word.size())
        return false;
    for (std::size_t i = 0; i < word.size(); ++i)
        if ((text[i] | 0x20) != word[i])
            return false;
    return true;
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
    const std::string_view rest = std::string_view(text).substr(i);
    double value = 0.0;
    if (const std::size_t length = base::DecimalNumberLength(rest); length > 0)
        value = base::DecimalNumberValue(rest.substr(0, length));
    else if (StartsWithWord(rest, "inf"))
        value = std::numeric_limits<double>::infinity();
    else if (StartsWithWord(rest, "nan"))
        value = std::numeric_limits<double>::quiet_NaN();
    return negative ? -value : value;
}

std::string WriteIntegerText(std::int64_t value) {
    return std::to_string(value);
}

std::string WriteTrimmedDecimal(double value) {
    std::string text = base::FormatFixed(value, 10);
    if (text.find('.') != std::string::npos) {
        while (!text.empty() && text.back() == '0')
            text.pop_back();
        if (!text.empty() && text.back() == '.')
            text.pop_back();
    }
    return text;
}
