#include "store/key_value_text.h"

#include "base/ascii.h"
#include "base/exact_decimal.h"
#include "base/utf8.h"

#include <algorithm>
#include <charconv>
#include <climits>

namespace kv {

namespace {

using base::IsBlank;
using base::IsDigit;

bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
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

EntryView ParseLine(std::string_view line) {
    if (line.front() == ';') {
        line.remove_prefix(1);
        if (!line.empty() && line.front() == ' ')
            line.remove_prefix(1);
        return {EntryKind::Comment, line, {}};
    }
    if (line.front() == '[') {
        line.remove_prefix(1);
        return {EntryKind::Group, line.substr(0, line.find(']')), {}};
    }
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos)
        return {EntryKind::Key, TrimTrailingBlanks(line), {}};
    return {EntryKind::Key, TrimTrailingBlanks(line.substr(0, eq)),
            TrimLeadingBlanks(line.substr(eq + 1))};
}

// A line break inside a written name or value would split it into two lines on disk.
void AppendOneLine(std::string& out, std::string_view text) {
    for (char c : text)
        out.push_back(IsLineEnd(c) ? ' ' : c);
}

// A hand-edited file saved without the mark: valid UTF-8 that is not plain ASCII is almost
// never meant as ISO 8859-1, and reading it so would turn the text into mojibake at the save.
bool ReadsAsUtf8(std::string_view bytes) {
    bool nonAscii = false;
    while (!bytes.empty()) {
        if (static_cast<unsigned char>(bytes.front()) < 0x80) {
            bytes.remove_prefix(1);
            continue;
        }
        const std::size_t n = base::ValidSequenceLength(bytes);
        if (n == 0)
            return false;
        nonAscii = true;
        bytes.remove_prefix(n);
    }
    return nonAscii;
}

}  // namespace

bool WithinEntryLimits(std::string_view bytes) {
    std::size_t lines = 0, groups = 0;
    std::size_t pos = bytes.substr(0, 3) == kByteOrderMark ? 3 : 0;
    bool ownSeen = false;
    std::size_t ownFree = 0;  // lines of the own group still free
    while (pos < bytes.size()) {
        while (pos < bytes.size() && IsBlank(bytes[pos]))
            ++pos;
        if (pos < bytes.size() && !IsLineEnd(bytes[pos])) {
            const bool group = bytes[pos] == '[';
            if (group) {
                ownFree = 0;
                std::size_t end = pos + 1;
                while (end < bytes.size() && !IsLineEnd(bytes[end]) && bytes[end] != ']')
                    ++end;
                if (!ownSeen && bytes.substr(pos + 1, end - pos - 1) == kOwnGroup) {
                    ownSeen = true;
                    ownFree = kOwnGroupLines + 1;
                }
            }
            if (ownFree > 0) {
                --ownFree;
            } else {
                groups += group;
                if (++lines > kMaxEntries || groups > kMaxGroups)
                    return false;
            }
        }
        while (pos < bytes.size() && !IsLineEnd(bytes[pos]))
            ++pos;
        while (pos < bytes.size() && IsLineEnd(bytes[pos]))
            ++pos;
    }
    return true;
}

namespace {

// Each line that is not blank, as `visit(line, content)`: the line whole, and from its first
// non-blank to its end. Lines of blanks only count in `blanks`. False when the text was empty.
template <class Visit>
bool WalkLines(std::string_view bytes, std::string& converted, std::size_t& blanks, Visit visit) {
    const bool marked = bytes.size() >= 3 && bytes.substr(0, 3) == kByteOrderMark;
    if (marked) {
        bytes.remove_prefix(3);
    } else if (bytes.empty()) {
        return false;
    } else if (!ReadsAsUtf8(bytes)) {
        converted = Latin1ToUtf8(bytes);
        bytes = converted;
    }
    // Each line ends at CR LF, CR or LF. Empty lines (or lines of blanks) carry nothing but
    // are counted, so that a save puts them back; with the mark, a first empty line is the
    // one every written file starts with.
    bool header = marked;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t start = pos;
        while (start < bytes.size() && IsBlank(bytes[start]))
            ++start;
        std::size_t end = start;
        while (end < bytes.size() && !IsLineEnd(bytes[end]))
            ++end;
        if (end > start)
            visit(bytes.substr(pos, end - pos), bytes.substr(start, end - start));
        else if (!header)
            ++blanks;
        header = false;
        pos = end;
        if (pos < bytes.size())
            pos += bytes[pos] == '\r' && pos + 1 < bytes.size() && bytes[pos + 1] == '\n' ? 2 : 1;
    }
    return true;
}

// Whether the line reads as RenderKeyValueText writes the entry: then it need not be kept, and
// a file the program wrote is read without a copy of each of its lines.
bool WrittenAsRendered(std::string_view line, const EntryView& v) {
    std::string_view head = v.kind == EntryKind::Group     ? "["
                            : v.kind == EntryKind::Comment ? "; "
                                                           : "";
    std::string_view middle = v.kind == EntryKind::Key ? " = " : "";
    std::string_view tail = v.kind == EntryKind::Group ? "]" : "";
    const std::string_view value = v.kind == EntryKind::Key ? v.value : "";
    if (line.size() != head.size() + v.name.size() + middle.size() + value.size() + tail.size())
        return false;
    for (const std::string_view part : {head, v.name, middle, value, tail}) {
        if (line.substr(0, part.size()) != part)
            return false;
        line.remove_prefix(part.size());
    }
    return true;
}

}  // namespace

ParsedText ParseKeyValueText(std::string_view bytes) {
    ParsedText parsed;
    std::string converted;
    parsed.entries.reserve(static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')));
    std::size_t blanks = 0;
    parsed.utf8 =
        WalkLines(bytes, converted, blanks, [&](std::string_view line, std::string_view content) {
            const EntryView v = ParseLine(content);
            parsed.entries.push_back(
                {v.kind, std::string(v.name), std::string(v.value),
                 WrittenAsRendered(line, v) ? std::string() : std::string(line), blanks});
            blanks = 0;
        });
    parsed.blanksAfter = blanks;
    return parsed;
}

void ForEachEntry(std::string_view bytes, const std::function<void(const EntryView&)>& visit) {
    std::string converted;
    std::size_t blanks = 0;
    WalkLines(bytes, converted, blanks,
              [&](std::string_view, std::string_view content) { visit(ParseLine(content)); });
}

std::string RenderKeyValueText(const std::vector<Entry>& entries, bool utf8,
                               std::size_t blanksAfter) {
    std::string out;
    if (utf8) {
        out += kByteOrderMark;
        out += "\r\n";
    }
    const auto emptyLines = [&out](std::size_t n) {
        for (; n > 0; --n)
            out += "\r\n";
    };
    for (const Entry& e : entries) {
        emptyLines(e.blanksBefore);
        if (!e.line.empty()) {
            out += e.line;
            out += "\r\n";
            continue;
        }
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
    emptyLines(blanksAfter);
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
    const bool negative = !value.empty() && value.front() == '-';
    if (!value.empty() && (value.front() == '+' || value.front() == '-'))
        value.remove_prefix(1);
    const std::size_t length = base::DecimalNumberLength(value);
    if (length == 0)
        return 0.0;
    const double result = base::DecimalNumberValue(value.substr(0, length));
    return negative ? -result : result;
}

std::string FormatIntegerValue(std::int32_t value) {
    char buffer[16];
    const auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    (void)ec;
    return std::string(buffer, ptr);
}

std::string FormatDoubleValue(double value) {
    return base::FormatGeneral(value, 64);
}

}  // namespace kv
