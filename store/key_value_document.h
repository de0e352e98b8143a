// An open key-value file held in memory: its entries, the current group of lookups, a group
// selected but not yet present, and whether anything was written.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "store/key_value_text.h"

namespace kv {

class KeyValueDocument {
  public:
    KeyValueDocument() = default;
    explicit KeyValueDocument(ParsedText parsed)
        : entries_(std::move(parsed.entries)),
          utf8_(parsed.utf8),
          blanksAfter_(parsed.blanksAfter) {}

    // True if found or empty (the unnamed section); an unknown name becomes pending, and reads
    // give their defaults until the first write appends it.
    bool SelectGroup(std::string_view name);
    // The same, matching the name byte for byte: the settings group is "Window" only, so that
    // a hand-made "[window]" stays a group of its own.
    bool SelectGroupExactly(std::string_view name);
    // A new group of this name at the end, even where one matches: a file written whole keeps
    // groups whose names differ only in letter case, or not at all, apart.
    void AppendGroup(std::string_view name);
    // Walks the group entries in file order, duplicates included.
    void FirstGroup();
    bool NextGroup();
    std::string CurrentGroupName() const;
    // The group whose group line is entry `index`, and the entry of the current group's line
    // (npos for the unnamed section): a group found by place, whatever its name.
    void SelectGroupLine(std::size_t index);
    std::size_t CurrentGroupLine() const { return current_; }
    void RenameCurrentGroup(std::string_view name);

    std::string ReadText(std::string_view key, std::string_view fallback) const;
    std::int32_t ReadInteger(std::string_view key, std::int32_t fallback) const;
    double ReadDouble(std::string_view key, double fallback) const;

    void WriteText(std::string_view key, std::string_view text);
    void WriteInteger(std::string_view key, std::int32_t value);
    void WriteDouble(std::string_view key, double value);
    // Removes the first line of `key` in the current group; its empty lines stay.
    void RemoveKey(std::string_view key);
    // From now on a key not yet in the group goes right after the key written before it (after
    // the group line for the first), so that a group keeps the order its keys are written in.
    void InsertKeysInWriteOrder() { writeOrder_ = true; }

    bool Modified() const { return modified_; }
    std::string Render() const { return RenderKeyValueText(entries_, utf8_, blanksAfter_); }
    // Every entry, for edits that go through the whole file at once.
    std::vector<Entry>& Entries() {
        groupIndexValid_ = false;
        current_ = kNone;
        modified_ = true;
        return entries_;
    }

  private:
    // Index of the matching key entry in the current group, or npos.
    std::size_t FindKey(std::string_view key) const;
    std::size_t EndOfCurrentGroup() const;
    const std::string* FindValue(std::string_view key) const;

    std::size_t FindGroup(std::string_view name) const;
    bool Select(std::size_t found, std::string_view name);

    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    std::vector<Entry> entries_;
    bool utf8_ = true;
    std::size_t blanksAfter_ = 0;
    bool modified_ = false;
    bool writeOrder_ = false;
    std::size_t lastWritten_ = kNone;  // with writeOrder_: the key entry written last
    std::size_t current_ = kNone;      // index of the current group entry; kNone: unnamed section
    std::optional<std::string> pending_;
    // First group entry per ASCII-folded name. Writing a whole file selects one new group per
    // profile; without this, saving many profiles would take quadratic time. Dropped whenever
    // an insertion shifts entries, rebuilt on the next search.
    mutable std::unordered_map<std::string, std::size_t> groupIndex_;
    mutable bool groupIndexValid_ = false;
    mutable bool searchedBefore_ = false;
};

}  // namespace kv
