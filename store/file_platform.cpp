#include "store/file_platform.h"

#include "base/utf8.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <system_error>
#include <thread>

#ifdef _WIN32
#include <io.h>
#include <windows.h>

#include <cstring>
#include <mutex>
#include <vector>
#else
#include <signal.h>
#include <sys/file.h>
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

#ifdef _WIN32
// With the file's identity: a save by another process may replace the file between open and
// lock (nothing keeps it from doing so while the file is open, see OpenNative).
struct NativeStat : _stat64 {
    unsigned long long volume = 0;
    unsigned long long index = 0;
};
void IdentifyNative(HANDLE h, NativeStat* st) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (h != INVALID_HANDLE_VALUE && GetFileInformationByHandle(h, &info)) {
        st->volume = info.dwVolumeSerialNumber;
        st->index =
            (static_cast<unsigned long long>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    }
}
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
int ErrnoOf(DWORD error) {
    switch (error) {
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return EEXIST;
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return ENOENT;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return EACCES;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ENOSPC;
        default:
            return EIO;
    }
}
// Every file is opened sharing delete and rename: the C library's _wopen shares neither, and
// then no save (ours included, while the settings file is open and locked) can replace it.
int OpenNative(const std::filesystem::path& p, int flags, int = 0) {
    const int access = flags & (_O_RDONLY | _O_WRONLY | _O_RDWR);
    const DWORD desired = access == _O_RDWR     ? GENERIC_READ | GENERIC_WRITE
                          : access == _O_WRONLY ? GENERIC_WRITE
                                                : GENERIC_READ;
    const DWORD disposition = (flags & _O_CREAT) ? CREATE_NEW : OPEN_EXISTING;
    const HANDLE h = CreateFileW(p.c_str(), desired, kShareAll, nullptr, disposition,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        errno = ErrnoOf(GetLastError());
        return -1;
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(h), access | _O_BINARY);
    if (fd < 0)
        CloseHandle(h);
    return fd;
}
int StatNative(const std::filesystem::path& p, NativeStat* st) {
    if (_wstat64(p.c_str(), st) != 0)
        return -1;
    const HANDLE h = CreateFileW(p.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                                 FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    IdentifyNative(h, st);
    if (h != INVALID_HANDLE_VALUE)
        CloseHandle(h);
    return 0;
}
int FstatNative(int fd, NativeStat* st) {
    if (_fstat64(fd, st) != 0)
        return -1;
    IdentifyNative(reinterpret_cast<HANDLE>(_get_osfhandle(fd)), st);
    return 0;
}
// The files this process holds open and locked for writing. Where a rename cannot replace an
// open file (file systems without POSIX renames, and wine), the save lets go of them at the
// last moment, the lock included: the handle is then pointed at NUL until its owner closes it.
struct HeldWriters {
    std::mutex mutex;
    std::vector<int> fds;
};
HeldWriters& Writers() {
    static HeldWriters writers;
    return writers;
}
int CloseNative(int fd) {
    {
        HeldWriters& w = Writers();
        std::lock_guard<std::mutex> guard(w.mutex);
        std::erase(w.fds, fd);
    }
    return _close(fd);
}
long long ReadNative(int fd, char* buf, std::size_t n) {
    return _read(fd, buf, static_cast<unsigned>(n));
}
long long WriteNative(int fd, const char* buf, std::size_t n) {
    return _write(fd, buf, static_cast<unsigned>(n));
}
bool SyncNative(int fd) {
    return _commit(fd) == 0;
}
bool SameFile(const NativeStat& a, const NativeStat& b) {
    return a.volume == b.volume && a.index == b.index;
}
bool MarkedReadOnly(const NativeStat& st) {
    return (st.st_mode & _S_IWRITE) == 0;
}
bool IsRegular(const NativeStat& st) {
    return (st.st_mode & _S_IFREG) != 0;
}
// Windows locks keep every other handle from reading the bytes they cover, so the writers'
// lock is one byte far past the end of any file of ours: it excludes writers only.
bool TryLockForWriting(int fd) {
    OVERLAPPED farByte{};
    farByte.Offset = 0xFFFFFFFEu;
    farByte.OffsetHigh = 0x7FFFFFFFu;
    if (!LockFileEx(reinterpret_cast<HANDLE>(_get_osfhandle(fd)),
                    LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &farByte))
        return false;
    HeldWriters& w = Writers();
    std::lock_guard<std::mutex> guard(w.mutex);
    w.fds.push_back(fd);
    return true;
}
// Lets go of this process's open handles of `path`; true when there were any.
bool ReleaseWritersOf(const std::filesystem::path& path) {
    NativeStat target{};
    if (StatNative(path, &target) != 0 || target.index == 0)
        return false;
    const int nul = _wopen(L"NUL", _O_RDONLY | _O_BINARY | _O_NOINHERIT);
    if (nul < 0)
        return false;
    bool released = false;
    HeldWriters& w = Writers();
    std::lock_guard<std::mutex> guard(w.mutex);
    for (auto it = w.fds.begin(); it != w.fds.end();) {
        NativeStat held{};
        if (FstatNative(*it, &held) == 0 && SameFile(held, target) && _dup2(nul, *it) == 0) {
            it = w.fds.erase(it);
            released = true;
        } else {
            ++it;
        }
    }
    _close(nul);
    return released;
}
// An atomic rename that replaces a file even while it is open (shared for delete): Windows 10
// and later on NTFS. 0 or the error.
DWORD PosixRename(const std::filesystem::path& from, const std::filesystem::path& to) {
    const HANDLE h = CreateFileW(from.c_str(), DELETE | SYNCHRONIZE, kShareAll, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return GetLastError();
    const std::wstring name = to.wstring();
    const DWORD nameBytes = static_cast<DWORD>(name.size() * sizeof(wchar_t));
    std::vector<unsigned char> buffer(sizeof(FILE_RENAME_INFO) + nameBytes);
    auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    info->Flags = FILE_RENAME_FLAG_REPLACE_IF_EXISTS | FILE_RENAME_FLAG_POSIX_SEMANTICS;
    info->RootDirectory = nullptr;
    info->FileNameLength = nameBytes;
    std::memcpy(info->FileName, name.data(), nameBytes);
    // FileRenameInfoEx, named by the headers only for Windows 10 targets.
    constexpr auto kFileRenameInfoEx = static_cast<FILE_INFO_BY_HANDLE_CLASS>(22);
    const bool ok =
        SetFileInformationByHandle(h, kFileRenameInfoEx, info, static_cast<DWORD>(buffer.size()));
    const DWORD error = ok ? 0 : GetLastError();
    CloseHandle(h);
    return error;
}
bool LockUnsupported() {
    return false;
}
// Where the POSIX rename is missing, MoveFileExW replaces a file only when no handle is open on
// it: ours are let go, and a virus scanner or an indexer holding it for a moment is waited for.
bool RenameOver(const std::filesystem::path& from, const std::filesystem::path& to) {
    for (int attempt = 0;; ++attempt) {
        DWORD error = PosixRename(from, to);
        if (error == ERROR_INVALID_PARAMETER || error == ERROR_NOT_SUPPORTED ||
            error == ERROR_INVALID_FUNCTION) {
            error = MoveFileExW(from.c_str(), to.c_str(),
                                MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
                        ? 0
                        : GetLastError();
        }
        if (error == 0)
            return true;
        const bool busy = error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION ||
                          error == ERROR_LOCK_VIOLATION;
        if (!busy || attempt >= 20) {
            errno = ErrnoOf(error);
            return false;
        }
        if (attempt > 0 || !ReleaseWritersOf(to))
            Sleep(50);
    }
}
// A new file takes the folder's inherited permissions; there is no mode to copy.
void KeepOwnerAndMode(int, const NativeStat&) {}
void SyncFolder(const std::filesystem::path&) {}  // no folder handle to flush there
int ProcessId() {
    return static_cast<int>(GetCurrentProcessId());
}
bool ProcessRuns(int pid) {
    HANDLE h = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(pid));
    if (h == nullptr)
        return GetLastError() == ERROR_ACCESS_DENIED;
    const bool runs = WaitForSingleObject(h, 0) == WAIT_TIMEOUT;
    CloseHandle(h);
    return runs;
}
constexpr int kReadWrite = _O_RDWR;
constexpr int kReadOnly = _O_RDONLY;
constexpr int kCreateNew = _O_WRONLY | _O_CREAT | _O_EXCL;
constexpr int kNewFileMode = _S_IREAD | _S_IWRITE;
#else
using NativeStat = struct stat;
int OpenNative(const std::filesystem::path& p, int flags, int mode = 0) {
    int fd;
    do {
        fd = ::open(p.c_str(), flags | O_CLOEXEC, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}
int StatNative(const std::filesystem::path& p, NativeStat* st) {
    return ::stat(p.c_str(), st);
}
int FstatNative(int fd, NativeStat* st) {
    return ::fstat(fd, st);
}
int CloseNative(int fd) {
    return ::close(fd);
}
long long ReadNative(int fd, char* buf, std::size_t n) {
    return ::read(fd, buf, n);
}
long long WriteNative(int fd, const char* buf, std::size_t n) {
    return ::write(fd, buf, n);
}
bool SyncNative(int fd) {
    return ::fsync(fd) == 0;
}
bool SameFile(const NativeStat& a, const NativeStat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}
// Like the read-only attribute elsewhere: no write bit at all means hands off, even for root.
bool MarkedReadOnly(const NativeStat& st) {
    return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}
bool IsRegular(const NativeStat& st) {
    return S_ISREG(st.st_mode);
}
bool TryLockForWriting(int fd) {
    return ::flock(fd, LOCK_EX | LOCK_NB) == 0;
}
// File systems without advisory locks: carry on unlocked rather than refuse to save.
bool LockUnsupported() {
    return errno == ENOLCK || errno == EOPNOTSUPP || errno == EINVAL;
}
bool RenameOver(const std::filesystem::path& from, const std::filesystem::path& to) {
    return ::rename(from.c_str(), to.c_str()) == 0;
}
void KeepOwnerAndMode(int fd, const NativeStat& st) {
    if (::fchown(fd, st.st_uid, st.st_gid) != 0) {
        // Only the owner's group or root may do this; the mode below still holds.
    }
    ::fchmod(fd, st.st_mode & 07777);
}
void SyncFolder(const std::filesystem::path& folder) {
    const int fd = OpenNative(folder.empty() ? "." : folder, O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}
int ProcessId() {
    return static_cast<int>(::getpid());
}
bool ProcessRuns(int pid) {
    return ::kill(pid, 0) == 0 || errno == EPERM;
}
constexpr int kReadWrite = O_RDWR;
constexpr int kReadOnly = O_RDONLY;
constexpr int kCreateNew = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW;
constexpr int kNewFileMode = 0666;  // narrowed by the umask like any new file
#endif

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
    // A save by another process may rename a new file over the one just locked; then the
    // lock guards nothing, and the new file is opened again.
    for (int attempt = 0; attempt < 5; ++attempt) {
        NativeStat before{};
        if (StatNative(path, &before) != 0 || !IsRegular(before))
            return std::nullopt;
        FileHandle h;
        h.fd_ = Refused(FileStep::OpenForWriting) ? -1 : OpenNative(path, kReadWrite);
        if (h.fd_ >= 0 && !MarkedReadOnly(before)) {
            h.writable_ = true;
            LockForWriting(h.fd_);
            NativeStat opened{}, now{};
            if (FstatNative(h.fd_, &opened) != 0)
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

std::optional<std::string> FileHandle::ReadAll() {
    if (fd_ < 0 || TooLarge())
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
        if (content.size() + static_cast<std::size_t>(n) > kMaxFileSize)
            return std::nullopt;
        content.append(buffer, static_cast<std::size_t>(n));
    }
    return content;
}

bool FileHandle::TooLarge() const {
    NativeStat st{};
    return fd_ < 0 || FstatNative(fd_, &st) != 0 ||
           static_cast<unsigned long long>(st.st_size) > kMaxFileSize;
}

bool CreateEmptyFile(const std::filesystem::path& path) {
    if (path.empty() || Refused(FileStep::CreateNew))
        return false;
    const int fd = OpenNative(path, kCreateNew, kNewFileMode);
    return fd >= 0 && CloseNative(fd) == 0;
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
    ok = ok && !Refused(FileStep::Rename) && RenameOver(temp, target);
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
    std::error_code ec;
    if (!std::filesystem::is_symlink(path, ec))
        return path;
    std::filesystem::path resolved = std::filesystem::canonical(path, ec);
    return ec ? path : resolved;
}

}  // namespace fileio
