// Which file a path names, so that a test tells a file replaced by a new one from the same file
// rewritten in place.
#pragma once

#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace testing_files {

struct FileIdentity {
    unsigned long long volume = 0;
    unsigned long long index = 0;
    bool operator==(const FileIdentity&) const = default;
};

inline FileIdentity IdentityOf(const std::filesystem::path& p) {
    FileIdentity id;
#ifdef _WIN32
    const HANDLE h =
        CreateFileW(p.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    BY_HANDLE_FILE_INFORMATION info{};
    if (h != INVALID_HANDLE_VALUE && GetFileInformationByHandle(h, &info)) {
        id.volume = info.dwVolumeSerialNumber;
        id.index =
            (static_cast<unsigned long long>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    }
    if (h != INVALID_HANDLE_VALUE)
        CloseHandle(h);
#else
    struct stat st {};
    if (::stat(p.c_str(), &st) == 0) {
        id.volume = st.st_dev;
        id.index = st.st_ino;
    }
#endif
    return id;
}

}  // namespace testing_files
