#include "store/key_value_text.h"

#include "engine/number_text.h"
#include "ui/utf8.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <limits>

namespace kv {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string_view TrimTrailingBlanks(std::string_view s) {
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

std::string_view TrimLeadingBlanks(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    return s;
}

Entry ParseLine(std::string_view line) {
    if (line.front() == ';') {
        line.remove_prefix(1);
        if (!line.empty() && line.front() == ' ')
            line.remove_prefix(1);
        return {EntryKind::Comment, std::string(line), {}};
    }
    if (line.front() == '[') {
        line.remove_prefix(1);
        return {EntryKind::Group, std::string(line.substr(0, line.find(']'))), {}};
    }
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) {
        return {EntryKind::Key, std::string(TrimTrailingBlanks(line)), {}};
    }
    return {EntryKind::Key, std::string(TrimTrailingBlanks(line.substr(0, eq))),
            std::string(TrimLeadingBlanks(line.substr(eq + 1)))};
}

// A line break inside a written name or value would split it into two lines on disk.
void AppendOneLine(std::string& out, std::string_view text) {
    for (char c : text)
        out.push_back(IsLineEnd(c) ? ' ' : c);
}

// Length of the valid UTF-8 sequence at the start of `s`, or 0.
std::size_t ValidSequenceLength(std::string_view s) {
    const auto b = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char lead = b(0);
    if (lead < 0x80)
        return lead == 0 ? 0 : 1;
    std::size_t len;
    char32_t cp;
    if (lead >= 0xC2 && lead <= 0xDF) {
        len = 2, cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        len = 3, cp = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        len = 4, cp = lead & 0x07;
    } else {
        return 0;
    }
    if (s.size() < len)
        return 0;
    for (std::size_t i = 1; i < len; ++i) {
        if ((b(i) & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (b(i) & 0x3F);
    }
    const bool overlong = (len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000);
    const bool surrogate = cp >= 0xD800 && cp <= 0xDFFF;
    if (overlong || surrogate || cp > 0x10FFFF)
        return 0;
    return len;
}

}  // namespace

ParsedText ParseKeyValueText(std::string_view bytes) {
    ParsedText parsed;
    std::string converted;
    if (bytes.size() >= 3 && bytes.substr(0, 3) == kByteOrderMark) {
        bytes.remove_prefix(3);
    } else if (bytes.empty()) {
        parsed.utf8 = false;
    } else {
        converted = Latin1ToUtf8(bytes);
        bytes = converted;
    }
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        while (pos < bytes.size() && IsBlank(bytes[pos]))
            ++pos;
        std::size_t end = pos;
        while (end < bytes.size() && !IsLineEnd(bytes[end]))
            ++end;
        // A line of blanks only carries nothing, like an empty one.
        if (end > pos)
            parsed.entries.push_back(ParseLine(bytes.substr(pos, end - pos)));
        pos = end;
        while (pos < bytes.size() && IsLineEnd(bytes[pos]))
            ++pos;
    }
    return parsed;
}

std::string RenderKeyValueText(const std::vector<Entry>& entries, bool utf8) {
    std::string out;
    if (utf8) {
        out += kByteOrderMark;
        out += "\r\n";
    }
    for (const Entry& e : entries) {
        switch (e.kind) {
            case EntryKind::Group:
                out += '[';
                AppendOneLine(out, e.name);
                out += ']';
                break;
            case EntryKind::Comment:
                out += "; ";
                AppendOneLine(out, e.name);
                break;
            case EntryKind::Key:
                AppendOneLine(out, e.name);
                out += " = ";
                AppendOneLine(out, e.value);
                break;
        }
        out += "\r\n";
    }
    return out;
}

std::string Latin1ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (char c : bytes) {
        const unsigned char b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            out.push_back(c);
        } else {
            out.push_back(static_cast<char>(0xC0 + (b >> 6)));
            out.push_back(static_cast<char>(0x80 + (b & 0x3F)));
        }
    }
    return out;
}

std::string SanitizeUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        const std::size_t len = ValidSequenceLength(text);
        if (len == 0) {
            out += ui::EncodeUtf8(0xFFFD);
            text.remove_prefix(1);
        } else {
            out.append(text.substr(0, len));
            text.remove_prefix(len);
        }
    }
    return out;
}

bool NamesMatch(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i]))
            return false;
    }
    return true;
}

std::string TrimBlanks(std::string_view text) {
    return std::string(TrimTrailingBlanks(TrimLeadingBlanks(text)));
}

std::int32_t ParseIntegerValue(std::string_view value) {
    value = TrimLeadingBlanks(value);
    bool negative = false;
    if (!value.empty() && (value.front() == '+' || value.front() == '-')) {
        negative = value.front() == '-';
        value.remove_prefix(1);
    }
    long long magnitude = 0;
    for (char c : value) {
        if (!IsDigit(c))
            break;
        magnitude = std::min(magnitude * 10 + (c - '0'), 1LL << 32);
    }
    const long long signedValue = negative ? -magnitude : magnitude;
    if (signedValue > INT32_MAX)
        return INT32_MAX;
    if (signedValue < INT32_MIN)
        return INT32_MIN;
    return static_cast<std::int32_t>(signedValue);
}

double ParseDoubleValue(std::string_view value) {
    std::size_t i = 0;
    bool negative = false;
    if (i < value.size() && (value[i] == '+' || value[i] == '-')) {
        negative = value[i] == '-';
        ++i;
    }
    const std::size_t start = i;
    std::size_t digits = 0;
    while (i < value.size() && IsDigit(value[i]))
        ++i, ++digits;
    if (i < value.size() && value[i] == '.') {
        ++i;
        while (i < value.size() && IsDigit(value[i]))
            ++i, ++digits;
    }
    if (digits == 0)
        return 0.0;
    if (i < value.size() && (value[i] == 'e' || value[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < value.size() && (value[j] == '+' || value[j] == '-'))
            ++j;
        if (j < value.size() && IsDigit(value[j])) {
            while (j < value.size() && IsDigit(value[j]))
                ++j;
            i = j;
        }
    }
    const std::string_view number = value.substr(start, i - start);
    double result = 0.0;
    const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), result,
                                           std::chars_format::general);
    (void)ptr;
    if (ec == std::errc::result_out_of_range) {
        result = OutOfRangeDecimal(number);
    } else if (ec != std::errc()) {
        result = 0.0;
    }
    return negative ? -result : result;
}

std::string FormatIntegerValue(std::int32_t value) {
    char buffer[16];
    const auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    (void)ec;
    return std::string(buffer, ptr);
}

std::string FormatDoubleValue(double value) {
    char buffer[128];
    const auto [ptr, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 64);
    if (ec != std::errc())
        return "0";
    return std::string(buffer, ptr);
}

}  // namespace kv
