// One grouped key-value file on disk, open for the length of one operation: read whole at
// open, changed in memory, written back whole at close if anything was written.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "store/file_platform.h"
#include "store/key_value_document.h"

class KeyValueFile {
  public:
    KeyValueFile() = default;
    KeyValueFile(const KeyValueFile&) = delete;
    KeyValueFile& operator=(const KeyValueFile&) = delete;
    ~KeyValueFile() { CloseKeyValueFile(); }

    // False, with nothing open, for a missing file, a folder, or a file that cannot be read.
    // The file stays locked against other writers until it is closed.
    bool OpenKeyValueFile(const std::filesystem::path& path);
    // The same for a reader: read once, read-only, never locked and never written back.
    bool OpenKeyValueFileForReading(const std::filesystem::path& path);
    // A new, empty file in place of whatever stood at `path`; the old content is replaced only
    // at close. False, with nothing open, when the file could not be written, or when it could
    // not be read (over the limits, an encoding the program cannot read): it is kept.
    bool CreateKeyValueFile(const std::filesystem::path& path);
    // Writes the file back whole if anything was written (or it was created). True when the
    // disk now holds what is in memory; false when a write was lost (the old file then stays
    // byte for byte as it was).
    bool CloseKeyValueFile();
    bool IsOpen() const { return document_.has_value(); }
    // What the file held when it was opened or created (read whole), or what the last
    // successful close wrote: a fingerprint of the bytes, to notice a change another program
    // made since.
    std::optional<std::size_t> Stamp() const { return stamp_; }
    // The file that a CreateKeyValueFile holds open and locked, as it stood when created (as the
    // parser reads it); nothing for a file that did not exist yet.
    std::optional<std::string> ReadHeldFile();

    // Whether the last open failed because the file holds more groups or entries than a file
    // of ours ever does (kv::kMaxGroups, kv::kMaxEntries). A close never writes such a file.
    bool BeyondLimits() const { return beyondLimits_; }
    // The open file's entries, for edits that go through the whole file; none when closed.
    kv::KeyValueDocument* Document() { return document_ ? &*document_ : nullptr; }

    bool SelectGroup(std::string_view name);
    bool SelectGroupExactly(std::string_view name);
    void AppendGroup(std::string_view name);
    bool FirstGroup();
    bool NextGroup();
    std::string CurrentGroupName() const;

    std::string ReadText(std::string_view key, std::string_view fallback) const;
    std::int32_t ReadInteger(std::string_view key, std::int32_t fallback) const;
    double ReadDouble(std::string_view key, double fallback) const;

    void WriteText(std::string_view key, std::string_view text);
    void WriteInteger(std::string_view key, std::int32_t value);
    void WriteDouble(std::string_view key, double value);

  private:
    // Reads the whole file of an opened handle into the document.
    bool Load(std::optional<fileio::FileHandle>& handle);
    // The whole file decoded (as the parser reads it) and within the limits, its stamp taken;
    // nothing otherwise.
    std::optional<std::string> ReadWhole(fileio::FileHandle& handle);

    std::optional<kv::KeyValueDocument> document_;
    fileio::FileHandle handle_;
    std::filesystem::path target_;
    bool created_ = false;
    bool readOnly_ = false;
    bool beyondLimits_ = false;
    std::optional<std::size_t> stamp_;
    std::optional<std::string> held_;
};

// The fingerprint KeyValueFile::Stamp gives for these bytes.
std::size_t FileStamp(std::string_view bytes);

// An empty file where nothing stands under `path` yet (through a symbolic link, dangling or
// not, at the link's target); anything already there is left alone. True when it was made.
bool CreateEmptyKeyValueFile(const std::filesystem::path& path);
