// The few file-system operations the key-value file needs, on top of the platform's own
// calls: open with a lock against other writers, read whole, and replace a file's content
// in one step (temporary file beside it, flushed to disk, renamed over it).
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace fileio {

// A settings or language file is a few kilobytes; anything this large is not one of ours.
inline constexpr std::size_t kMaxFileSize = 256u << 20;

class FileHandle {
  public:
    FileHandle() = default;
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    FileHandle(FileHandle&& other) noexcept;
    FileHandle& operator=(FileHandle&& other) noexcept;
    ~FileHandle();

    // An existing regular file (never a folder). Read-write when the platform allows it and
    // the file is not marked read-only, else read-only; nothing when even reading is refused.
    // A read-write file is locked against writers in other processes for as long as the
    // handle lives, as far as the platform offers such a lock.
    static std::optional<FileHandle> OpenExisting(const std::filesystem::path& path);

    bool IsOpen() const { return fd_ >= 0; }
    bool Writable() const { return writable_; }
    bool TooLarge() const;
    // The whole content, or nothing on a read error or a file beyond kMaxFileSize.
    std::optional<std::string> ReadAll();
    // Writes `bytes` over the content from the start, cuts the rest and flushes to disk.
    // Not atomic: only for a folder that takes no temporary file.
    bool RewriteInPlace(std::string_view bytes);

  private:
    void Close();

    int fd_ = -1;
    bool writable_ = false;
};

// Whether a new file could be made at `path` (its folder exists and takes new files).
bool CanCreateFileAt(const std::filesystem::path& path);

enum class ReplaceResult { Replaced, NoTemporaryFile, Failed };

// Writes `bytes` into a temporary file in the target's folder, flushes it to disk and renames
// it over the target, keeping the permissions (and, where allowed, the owner) of a target that
// exists. Either the old content or the new one survives a crash. On failure the target is
// untouched.
ReplaceResult ReplaceFileContent(const std::filesystem::path& target, std::string_view bytes);

// The path a write must replace: a symbolic link is followed so that the link stays a link.
std::filesystem::path ResolveWriteTarget(const std::filesystem::path& path);

}  // namespace fileio
