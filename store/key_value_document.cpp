#include "store/key_value_document.h"

#include "base/ascii.h"
#include "base/utf8.h"

namespace kv {

namespace {

std::string Folded(std::string_view name) {
    return base::FoldedAscii(name);
}

}  // namespace

std::size_t KeyValueDocument::FindGroup(std::string_view name) const {
    // A document searched once (a file read for its settings) is not worth an index.
    if (!groupIndexValid_ && !searchedBefore_) {
        searchedBefore_ = true;
        for (std::size_t i = 0; i < entries_.size(); ++i) {
            if (entries_[i].kind == EntryKind::Group &&
                base::EqualFoldingAscii(entries_[i].name, name)) {
                return i;
            }
        }
        return kNone;
    }
    if (!groupIndexValid_) {
        groupIndex_.clear();
        for (std::size_t i = 0; i < entries_.size(); ++i) {
            if (entries_[i].kind == EntryKind::Group)
                groupIndex_.emplace(Folded(entries_[i].name), i);
        }
        groupIndexValid_ = true;
    }
    const auto it = groupIndex_.find(Folded(name));
    return it == groupIndex_.end() ? kNone : it->second;
}

bool KeyValueDocument::Select(std::size_t found, std::string_view name) {
    pending_.reset();
    lastWritten_ = kNone;
    if (name.empty()) {
        current_ = kNone;
        return true;
    }
    if (found != kNone) {
        current_ = found;
        return true;
    }
    pending_ = std::string(name);
    return false;
}

bool KeyValueDocument::SelectGroup(std::string_view name) {
    return Select(name.empty() ? kNone : FindGroup(name), name);
}

bool KeyValueDocument::SelectGroupExactly(std::string_view name) {
    std::size_t found = name.empty() ? kNone : FindGroup(name);
    if (found != kNone && entries_[found].name != name) {
        found = kNone;
        for (std::size_t i = 0; i < entries_.size() && found == kNone; ++i) {
            if (entries_[i].kind == EntryKind::Group && entries_[i].name == name)
                found = i;
        }
    }
    return Select(found, name);
}

void KeyValueDocument::AppendGroup(std::string_view name) {
    pending_ = std::string(name);
}

void KeyValueDocument::FirstGroup() {
    pending_.reset();
    lastWritten_ = kNone;
    current_ = kNone;
}

void KeyValueDocument::SelectGroupLine(std::size_t index) {
    pending_.reset();
    lastWritten_ = kNone;
    current_ = index < entries_.size() && entries_[index].kind == EntryKind::Group ? index : kNone;
}

void KeyValueDocument::RenameCurrentGroup(std::string_view name) {
    if (current_ == kNone || entries_[current_].name == name)
        return;
    entries_[current_].name = std::string(name);
    entries_[current_].line.clear();
    groupIndexValid_ = false;
    modified_ = true;
}

bool KeyValueDocument::NextGroup() {
    lastWritten_ = kNone;
    for (std::size_t i = current_ == kNone ? 0 : current_ + 1; i < entries_.size(); ++i) {
        if (entries_[i].kind == EntryKind::Group) {
            current_ = i;
            return true;
        }
    }
    return false;
}

std::string KeyValueDocument::CurrentGroupName() const {
    return current_ == kNone ? std::string() : entries_[current_].name;
}

std::size_t KeyValueDocument::EndOfCurrentGroup() const {
    std::size_t i = current_ == kNone ? 0 : current_ + 1;
    while (i < entries_.size() && entries_[i].kind != EntryKind::Group)
        ++i;
    return i;
}

std::size_t KeyValueDocument::FindKey(std::string_view key) const {
    const std::size_t end = EndOfCurrentGroup();
    for (std::size_t i = current_ == kNone ? 0 : current_ + 1; i < end; ++i) {
        if (entries_[i].kind == EntryKind::Key && base::EqualFoldingAscii(entries_[i].name, key))
            return i;
    }
    return kNone;
}

const std::string* KeyValueDocument::FindValue(std::string_view key) const {
    if (pending_)
        return nullptr;
    const std::size_t i = FindKey(key);
    return i == kNone ? nullptr : &entries_[i].value;
}

std::string KeyValueDocument::ReadText(std::string_view key, std::string_view fallback) const {
    const std::string* value = FindValue(key);
    return value ? base::SanitizeUtf8(base::TrimBlanks(*value)) : std::string(fallback);
}

std::int32_t KeyValueDocument::ReadInteger(std::string_view key, std::int32_t fallback) const {
    const std::string* value = FindValue(key);
    return value ? ParseIntegerValue(*value) : fallback;
}

double KeyValueDocument::ReadDouble(std::string_view key, double fallback) const {
    const std::string* value = FindValue(key);
    return value ? ParseDoubleValue(*value) : fallback;
}

void KeyValueDocument::WriteText(std::string_view key, std::string_view text) {
    if (pending_) {
        entries_.push_back({EntryKind::Group, std::move(*pending_), {}});
        current_ = entries_.size() - 1;
        if (groupIndexValid_)
            groupIndex_.emplace(Folded(entries_.back().name), current_);
        pending_.reset();
    }
    std::size_t at = FindKey(key);
    if (at != kNone) {
        // A line that already says this stays as the user wrote it.
        Entry& e = entries_[at];
        if (e.value != text) {
            e.name = std::string(key);
            e.value = std::string(text);
            e.line.clear();
        }
    } else {
        if (!writeOrder_)
            at = EndOfCurrentGroup();
        else if (lastWritten_ != kNone)
            at = lastWritten_ + 1;
        else
            at = current_ == kNone ? 0 : current_ + 1;
        if (at < entries_.size())
            groupIndexValid_ = false;
        entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(at),
                        {EntryKind::Key, std::string(key), std::string(text)});
    }
    lastWritten_ = at;
    modified_ = true;
}

void KeyValueDocument::RemoveKey(std::string_view key) {
    if (pending_)
        return;
    const std::size_t at = FindKey(key);
    if (at == kNone)
        return;
    const std::size_t blanks = entries_[at].blanksBefore;
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(at));
    (at < entries_.size() ? entries_[at].blanksBefore : blanksAfter_) += blanks;
    if (lastWritten_ != kNone && lastWritten_ >= at)
        --lastWritten_;
    groupIndexValid_ = false;
    modified_ = true;
}

void KeyValueDocument::WriteInteger(std::string_view key, std::int32_t value) {
    WriteText(key, FormatIntegerValue(value));
}

void KeyValueDocument::WriteDouble(std::string_view key, double value) {
    WriteText(key, FormatDoubleValue(value));
}

}  // namespace kv
