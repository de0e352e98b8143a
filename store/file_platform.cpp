#include "store/file_platform.h"

#include "base/utf8.h"
#include "store/file_native.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <system_error>
#include <thread>
#ifdef __EMSCRIPTEN__
#include <unistd.h>
#endif

namespace fileio {

namespace {

FileStepHook& StepHook() {
    static FileStepHook hook;
    return hook;
}

// True when the hook makes `step` fail; errno then says why.
bool Refused(FileStep step) {
    const FileStepHook& hook = StepHook();
    if (!hook)
        return false;
    const int error = hook(step);
    if (error != 0)
        errno = error;
    return error != 0;
}

FileMirror& Mirror() {
    static FileMirror mirror;
    return mirror;
}

bool Keep(const std::filesystem::path& path, std::string_view bytes) {
    return !Mirror().keep || Mirror().keep(path, bytes);
}

using namespace native;

// Waits briefly for another process's save to finish. A lock that stays taken (a hung
// process) must not cost the user the save, so after the wait the file is used unlocked.
void LockForWriting(int fd) {
    using namespace std::chrono;
    const auto deadline = steady_clock::now() + seconds(2);
    if (Refused(FileStep::Lock))
        return;
    while (!TryLockForWriting(fd)) {
        if (LockUnsupported() || steady_clock::now() >= deadline)
            return;
        std::this_thread::sleep_for(milliseconds(5));
    }
}

// In pieces, so that a disk filling up part-way shows as a failed write like any other.
bool WriteAll(int fd, std::string_view bytes) {
    constexpr std::size_t kPiece = 1u << 16;
#ifdef __EMSCRIPTEN__
    // The page's files live in memory, where a file beyond a megabyte grows by an eighth per
    // piece, copied whole each time: sized once instead.
    if (ftruncate(fd, static_cast<off_t>(bytes.size())) != 0)
        return false;
#endif
    while (!bytes.empty()) {
        if (Refused(FileStep::Write))
            return false;
        const long long n = WriteNative(fd, bytes.data(), std::min(bytes.size(), kPiece));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

std::filesystem::path FolderOf(const std::filesystem::path& path) {
    const std::filesystem::path parent = path.parent_path();
    return parent.empty() ? std::filesystem::path(".") : parent;
}

constexpr std::string_view kTemporaryInfix = ".tmp-";

std::string NameOf(const std::filesystem::path& path) {
    return base::PathToUtf8(path.filename());
}

// The process id in the name of a temporary file of `targetName` ("NAME.tmp-PID-N"), or 0
// for any other name.
int TemporaryFileOwner(const std::string& name, const std::string& targetName) {
    const std::string prefix = targetName + std::string(kTemporaryInfix);
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0)
        return 0;
    const char* first = name.data() + prefix.size();
    const char* last = name.data() + name.size();
    int pid = 0;
    auto [dash, ec] = std::from_chars(first, last, pid);
    if (ec != std::errc() || dash == first || dash == last || *dash != '-' || pid <= 0)
        return 0;
    unsigned serial = 0;
    auto [end, ec2] = std::from_chars(dash + 1, last, serial);
    return ec2 == std::errc() && end == last && end != dash + 1 ? pid : 0;
}

// A new, empty file beside `target` that no other process uses; -1 on failure. Made
// exclusively and never through a link, so no two writers ever share one.
int CreateTemporaryBeside(const std::filesystem::path& target, std::filesystem::path& made) {
    static unsigned counter = 0;
    if (Refused(FileStep::CreateTemporary))
        return -1;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::filesystem::path candidate = target;
        candidate += std::string(kTemporaryInfix) + std::to_string(ProcessId()) + "-" +
                     std::to_string(++counter);
        const int fd = OpenNative(candidate, kCreateNew, kNewFileMode);
        if (fd >= 0) {
            made = candidate;
            return fd;
        }
        if (errno != EEXIST)
            return -1;
    }
    return -1;
}

}  // namespace

void SetFileStepHook(FileStepHook hook) {
    StepHook() = std::move(hook);
}

void SetFileMirror(FileMirror mirror) {
    Mirror() = std::move(mirror);
}

void FetchFromMirror(const std::filesystem::path& path) {
    if (Mirror().fetch)
        Mirror().fetch(path);
}

FileHandle::FileHandle(FileHandle&& other) noexcept : fd_(other.fd_), writable_(other.writable_) {
    other.fd_ = -1;
}

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept {
    if (this != &other) {
        Close();
        fd_ = other.fd_;
        writable_ = other.writable_;
        other.fd_ = -1;
    }
    return *this;
}

FileHandle::~FileHandle() {
    Close();
}

void FileHandle::Close() {
    if (fd_ >= 0)
        CloseNative(fd_);  // also drops the lock
    fd_ = -1;
    writable_ = false;
}

std::optional<FileHandle> FileHandle::OpenExisting(const std::filesystem::path& path) {
    FetchFromMirror(path);
    // A save by another process may rename a new file over the one just locked; then the
    // lock guards nothing, and the new file is opened again. Another window saving again and
    // again can win that race many times in a row; each lost round follows a finished save,
    // so the rounds are many but never a wait on a process that makes no progress.
    for (int attempt = 0; attempt < 100; ++attempt) {
        NativeStat before{};
        if (StatNative(path, &before) != 0 || !IsRegular(before))
            return std::nullopt;
        FileHandle h;
        h.fd_ = Refused(FileStep::OpenForWriting) ? -1 : OpenNative(path, kReadWrite);
        if (h.fd_ >= 0 && !MarkedReadOnly(before)) {
            h.writable_ = true;
            LockForWriting(h.fd_);
            NativeStat opened{}, now{};
            if (FstatNative(h.fd_, &opened) != 0 || !IsRegular(opened))
                return std::nullopt;
            if (StatNative(path, &now) == 0 && SameFile(opened, now))
                return h;
            continue;
        }
        if (h.fd_ >= 0)
            CloseNative(h.fd_);
        h.fd_ = -1;
        return OpenForReading(path);
    }
    return std::nullopt;
}

std::optional<FileHandle> FileHandle::OpenForReading(const std::filesystem::path& path) {
    FetchFromMirror(path);
    if (Refused(FileStep::OpenForReading))
        return std::nullopt;
    FileHandle h;
    h.fd_ = OpenNative(path, kReadOnly);
    if (h.fd_ < 0)
        return std::nullopt;
    NativeStat opened{};
    if (FstatNative(h.fd_, &opened) != 0 || !IsRegular(opened))
        return std::nullopt;
    return h;
}

std::optional<std::string> FileHandle::ReadAll(std::size_t limit) {
    if (fd_ < 0 || TooLarge(limit))
        return std::nullopt;
    std::string content;
    char buffer[65536];
    for (;;) {
        const long long n = ReadNative(fd_, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return std::nullopt;
        if (n == 0)
            break;
        if (content.size() + static_cast<std::size_t>(n) > limit)
            return std::nullopt;
        content.append(buffer, static_cast<std::size_t>(n));
    }
    return content;
}

bool FileHandle::TooLarge(std::size_t limit) const {
    NativeStat st{};
    return fd_ < 0 || FstatNative(fd_, &st) != 0 ||
           static_cast<unsigned long long>(st.st_size) > limit;
}

bool CreateEmptyFile(const std::filesystem::path& path) {
    if (path.empty() || Refused(FileStep::CreateNew))
        return false;
    const int fd = OpenNative(path, kCreateNew, kNewFileMode);
    if (fd < 0 || CloseNative(fd) != 0)
        return false;
    if (Keep(path, ""))
        return true;
    std::error_code ec;
    std::filesystem::remove(path, ec);
    return false;
}

bool CanCreateFileAt(const std::filesystem::path& path) {
    std::filesystem::path probe;
    const int fd = CreateTemporaryBeside(path, probe);
    if (fd < 0)
        return false;
    CloseNative(fd);
    std::error_code ec;
    std::filesystem::remove(probe, ec);
    return true;
}

bool ReplaceFileContent(const std::filesystem::path& target, std::string_view bytes) {
    NativeStat existing{};
    const bool exists = StatNative(target, &existing) == 0;
    if (exists && !IsRegular(existing))
        return false;
    RemoveStaleTemporaryFiles(target);
    std::filesystem::path temp;
    const int fd = CreateTemporaryBeside(target, temp);
    if (fd < 0)
        return false;
    bool ok = WriteAll(fd, bytes);
    if (ok && exists)
        KeepOwnerAndMode(fd, existing);
    ok = ok && !Refused(FileStep::Flush) && SyncNative(fd);
    const bool closeRefused = Refused(FileStep::Close);
    ok = CloseNative(fd) == 0 && !closeRefused && ok;
    ok = ok && Keep(target, bytes) && !Refused(FileStep::Rename) && RenameOver(temp, target);
    if (!ok) {
        std::error_code ec;
        std::filesystem::remove(temp, ec);
        return false;
    }
    SyncFolder(FolderOf(target));
    return true;
}

void RemoveStaleTemporaryFiles(const std::filesystem::path& target) {
    const std::string targetName = NameOf(target);
    std::error_code ec;
    for (auto it = std::filesystem::directory_iterator(FolderOf(target), ec);
         !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
        const int owner = TemporaryFileOwner(NameOf(it->path()), targetName);
        // Our own are never stale: this process removes its temporary file on any failure.
        if (owner == 0 || owner == ProcessId() || ProcessRuns(owner))
            continue;
        std::error_code ignored;
        if (!it->is_directory(ignored))
            std::filesystem::remove(it->path(), ignored);
    }
}

std::filesystem::path ResolveWriteTarget(const std::filesystem::path& path) {
    // Link by link rather than canonical(): a link whose target does not exist yet (a fresh
    // dotfiles set-up) must still lead to that target, so that the save creates it.
    std::filesystem::path at = path;
    for (int hop = 0; hop < 40; ++hop) {
        std::error_code ec;
        if (!std::filesystem::is_symlink(at, ec))
            return at;
        const std::filesystem::path next = std::filesystem::read_symlink(at, ec);
        if (ec)
            return path;
        at = next.is_absolute() ? next : at.parent_path() / next;
    }
    return path;
}

}  // namespace fileio
