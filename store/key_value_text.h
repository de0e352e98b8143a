// The byte format of grouped key-value files (the settings file and the language files):
// parsing bytes into entries, rendering entries back into bytes, and the value conversions.
// Pure functions; no files.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

enum class EntryKind { Group, Comment, Key };

struct Entry {
    EntryKind kind;
    std::string name;   // group name, comment text, or key
    std::string value;  // key entries only
    // The line as it was read, leading blanks and all; written back as it was until the entry
    // is changed. Empty for an entry made or changed in memory: it is written out normalised.
    std::string line = {};
    std::size_t blanksBefore = 0;  // empty lines (or lines of blanks) just above it

    // What the entry says, not how its line is laid out.
    friend bool operator==(const Entry& a, const Entry& b) {
        return a.kind == b.kind && a.name == b.name && a.value == b.value;
    }
};

struct ParsedText {
    std::vector<Entry> entries;
    // False only for a file that was empty: it is written back without the byte-order mark.
    bool utf8 = true;
    std::size_t blanksAfter = 0;  // empty lines after the last entry
};

inline constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Bytes as they stand on disk. With the byte-order mark the rest is UTF-8; without it, bytes
// that are valid UTF-8 and not all ASCII are UTF-8 too, and any other byte is one ISO 8859-1
// character.
ParsedText ParseKeyValueText(std::string_view bytes);

// An entry as read, its texts views into the bytes read (or their conversion).
struct EntryView {
    EntryKind kind;
    std::string_view name;
    std::string_view value;
};
// Each entry ParseKeyValueText finds, in turn, without keeping any: a look over a large file.
void ForEachEntry(std::string_view bytes, const std::function<void(const EntryView&)>& visit);

// A file of ours holds a few hundred lines; one beyond these numbers of groups or of entries
// (lines that are not blank) is refused as unreadable, so that a read takes bounded memory:
// at most about 100 MB of entries and profiles on top of a few times the file's own size.
inline constexpr std::size_t kMaxGroups = 30000;
inline constexpr std::size_t kMaxEntries = 600000;
// The settings file's own group, which the program writes into in place at every close: its
// group line and its first kOwnGroupLines lines are not counted, so that this write can never
// push a file that was read past the limits.
inline constexpr std::string_view kOwnGroup = "Window";
inline constexpr std::size_t kOwnGroupLines = 16;
bool WithinEntryLimits(std::string_view bytes);
// The file's new content: the mark and an empty line when `utf8`, then one line per entry, each
// after its empty lines; every line ends in CR LF.
std::string RenderKeyValueText(const std::vector<Entry>& entries, bool utf8,
                               std::size_t blanksAfter = 0);

std::string Latin1ToUtf8(std::string_view bytes);

// Optional blanks, optional sign, decimal digits up to the first other character; no digits
// give 0. Values beyond 32 bits saturate instead of wrapping.
std::int32_t ParseIntegerValue(std::string_view value);
// The longest leading decimal number (sign, digits, ".", exponent) to the nearest double;
// no number gives 0.
double ParseDoubleValue(std::string_view value);

// "%d" and "%.64g", independent of the C locale.
std::string FormatIntegerValue(std::int32_t value);
std::string FormatDoubleValue(double value);

}  // namespace kv
