// The platform's own file calls behind the shared file logic of file_platform.cpp: one
// implementation per platform (file_native_posix.cpp, file_native_win32.cpp), chosen by the
// build. Private to store/.
#pragma once

#include <sys/stat.h>

#include <cstddef>
#include <filesystem>

namespace fileio::native {

#ifdef _WIN32
// With the file's identity: a save by another process may replace the file between open and
// lock (nothing keeps it from doing so while the file is open, see OpenNative).
struct NativeStat : _stat64 {
    unsigned long long volume = 0;
    unsigned long long index = 0;
};
#else
using NativeStat = struct stat;
#endif

// Open flags: read-write, read-only, and a new file made exclusively (never through a link).
extern const int kReadWrite;
extern const int kReadOnly;
extern const int kCreateNew;
extern const int kNewFileMode;

// 0 / a descriptor on success, -1 with errno set on failure, as the C library's calls.
int OpenNative(const std::filesystem::path& p, int flags, int mode = 0);
int StatNative(const std::filesystem::path& p, NativeStat* st);
int FstatNative(int fd, NativeStat* st);
int CloseNative(int fd);
long long ReadNative(int fd, char* buf, std::size_t n);
long long WriteNative(int fd, const char* buf, std::size_t n);
bool SyncNative(int fd);

bool SameFile(const NativeStat& a, const NativeStat& b);
bool MarkedReadOnly(const NativeStat& st);
bool IsRegular(const NativeStat& st);

// A lock against other writers, never waiting; false when taken (errno says why).
bool TryLockForWriting(int fd);
// Whether the failed lock's errno means the file system offers no lock at all.
bool LockUnsupported();
// Renames `from` over `to` in one step; false with errno set on failure.
bool RenameOver(const std::filesystem::path& from, const std::filesystem::path& to);
void KeepOwnerAndMode(int fd, const NativeStat& st);
void SyncFolder(const std::filesystem::path& folder);
int ProcessId();
bool ProcessRuns(int pid);

}  // namespace fileio::native
