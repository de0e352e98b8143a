#include "store/file_native.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

namespace fileio::native {

namespace {

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
}  // namespace

// Every file is opened sharing delete and rename: the C library's _wopen shares neither, and
// then no save (ours included, while the settings file is open and locked) can replace it.
int OpenNative(const std::filesystem::path& p, int flags, int) {
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
namespace {

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
}  // namespace

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
namespace {

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
}  // namespace

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
const int kReadWrite = _O_RDWR;
const int kReadOnly = _O_RDONLY;
const int kCreateNew = _O_WRONLY | _O_CREAT | _O_EXCL;
const int kNewFileMode = _S_IREAD | _S_IWRITE;

}  // namespace fileio::native
