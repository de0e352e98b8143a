#include "store/file_native.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

namespace fileio::native {

int OpenNative(const std::filesystem::path& p, int flags, int mode) {
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
// Without blocking: a FIFO or a device at the path must not hang the open; whatever is not a
// regular file is refused after fstat, and a regular file ignores the flag.
const int kReadWrite = O_RDWR | O_NONBLOCK;
const int kReadOnly = O_RDONLY | O_NONBLOCK;
const int kCreateNew = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW;
const int kNewFileMode = 0666;  // narrowed by the umask like any new file

}  // namespace fileio::native
