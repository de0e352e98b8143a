// The few file-system operations the key-value file needs, on top of the platform's own
// calls: open for reading, open with a lock against other writers, read whole, and replace a
// file's content in one step (temporary file beside it, flushed to disk, renamed over it).
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace fileio {

// The steps of reading and saving, each a place where the platform can refuse.
enum class FileStep {
    OpenForReading,
    OpenForWriting,
    Lock,
    CreateTemporary,
    CreateNew,
    Write,
    Flush,
    Close,
    Rename,
};

// Sees every step before it runs and returns 0 to let it run, or an errno value to make it
// fail as the platform would (ENOSPC, EIO ...). Tests reach the failure points through it; the
// program installs none.
using FileStepHook = std::function<int(FileStep)>;
void SetFileStepHook(FileStepHook hook);

// A store that holds the files of a folder outside the file system (the browser's storage):
// `fetch` brings a file's stored bytes into the file system before the file is opened (another
// window may have saved it meanwhile), `keep` stores the bytes of a save before the save takes
// effect and may refuse it (a full store), which fails the save. The desktop installs none.
struct FileMirror {
    std::function<void(const std::filesystem::path&)> fetch;
    std::function<bool(const std::filesystem::path&, std::string_view bytes)> keep;
};
void SetFileMirror(FileMirror mirror);
// Brings the stored bytes of `path` into the file system now (the opens below do so themselves).
void FetchFromMirror(const std::filesystem::path& path);

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
    // Neither open ever blocks: a FIFO or a device at the path is refused, never waited on.
    // An existing regular file, read-only and unlocked: a reader never waits on a writer,
    // whose saves replace the file whole and so never show a reader half a file.
    static std::optional<FileHandle> OpenForReading(const std::filesystem::path& path);

    bool IsOpen() const { return fd_ >= 0; }
    bool Writable() const { return writable_; }
    bool TooLarge(std::size_t limit = kMaxFileSize) const;
    // The whole content, or nothing on a read error or a file beyond `limit` bytes.
    std::optional<std::string> ReadAll(std::size_t limit = kMaxFileSize);

  private:
    void Close();

    int fd_ = -1;
    bool writable_ = false;
};

// A new, empty file at `path`, made only where nothing stands under that name (never through a
// link). An empty file has nothing to tear, so it needs no temporary file and no flush.
bool CreateEmptyFile(const std::filesystem::path& path);

// Whether a new file could be made at `path` (its folder exists and takes new files).
bool CanCreateFileAt(const std::filesystem::path& path);

// Writes `bytes` into a temporary file in the target's folder, flushes it to disk and renames
// it over the target, keeping the permissions (and, where allowed, the owner) of a target that
// exists. Either the old content or the new one survives a crash. False when any step failed:
// the target is then untouched and the temporary file gone. Leftover temporary files of
// earlier saves whose process no longer runs are removed.
bool ReplaceFileContent(const std::filesystem::path& target, std::string_view bytes);

// Removes the temporary files that saves of `target` left behind when their process died.
// The temporary file of a process that still runs is left alone.
void RemoveStaleTemporaryFiles(const std::filesystem::path& target);

// The path a write must replace: symbolic links are followed, a dangling one too, so that the
// link stays a link and its target gets the save.
std::filesystem::path ResolveWriteTarget(const std::filesystem::path& path);

}  // namespace fileio
