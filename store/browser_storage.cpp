#include "store/browser_storage.h"

#include <emscripten.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <set>
#include <string>
#include <system_error>
#include <utility>

#include "base/utf8.h"
#include "store/file_platform.h"

namespace {

// A file's bytes are kept as its text when they are UTF-8 (the mark included), so that the
// storage shows the text the desktop writes; other bytes, one character each, under a key of
// their own. Returns a copy the caller frees, its size in `size`; null when nothing is stored,
// or (`size` -1) when the text is what this page last stored or fetched there, which its file
// then holds already.
// clang-format off
// A page whose storage the browser withholds (a sandbox, a setting) throws at the very access;
// it then keeps its files for as long as it is open, as a desktop with a read-only folder does.
EM_JS(char*, LoadStoredFile, (const char* name, int* size), {
    var storage = null;
    try { storage = globalThis.localStorage; } catch (withheld) {}
    if (!storage)
        return 0;
    var key = UTF8ToString(name);
    var known = Module.loopsmithKnown || (Module.loopsmithKnown = {});
    var bytes;
    var text = storage.getItem('loopsmith/' + key);
    if (text !== null && text === known[key]) {
        HEAP32[size >> 2] = -1;
        return 0;
    }
    known[key] = text;
    if (text !== null) {
        bytes = new TextEncoder().encode(text);
    } else {
        var raw = storage.getItem('loopsmith-bytes/' + key);
        if (raw === null)
            return 0;
        bytes = new Uint8Array(raw.length);
        for (var i = 0; i < raw.length; ++i)
            bytes[i] = raw.charCodeAt(i);
    }
    var copy = _malloc(Math.max(1, bytes.length));
    HEAPU8.set(bytes, copy);
    HEAP32[size >> 2] = bytes.length;
    return copy;
});

// 1 when stored; else why not: 0 the storage is withheld, -1 it is full, -2 the write failed,
// the browser's words then in `error` (a copy the caller frees).
EM_JS(int, StoreFile, (const char* name, const char* data, int size, char** error), {
    var storage = null;
    try { storage = globalThis.localStorage; } catch (withheld) {}
    if (!storage)
        return 0;
    var key = UTF8ToString(name);
    var bytes = HEAPU8.subarray(data, data + size);
    try {
        var text = null;
        try {
            text = new TextDecoder('utf-8', {fatal: true, ignoreBOM: true}).decode(bytes);
        } catch (notText) {
        }
        var known = Module.loopsmithKnown || (Module.loopsmithKnown = {});
        known[key] = null;
        if (text !== null) {
            storage.setItem('loopsmith/' + key, text);
            storage.removeItem('loopsmith-bytes/' + key);
            known[key] = text;
        } else {
            var raw = "";
            for (var i = 0; i < bytes.length; ++i)
                raw += String.fromCharCode(bytes[i]);
            storage.setItem('loopsmith-bytes/' + key, raw);
            storage.removeItem('loopsmith/' + key);
        }
        return 1;
    } catch (refused) {
        if (refused && (refused.name === 'QuotaExceededError' || refused.code === 22))
            return -1;
        if (refused && refused.name === 'SecurityError')
            return 0;
        var words = String(refused);
        var length = lengthBytesUTF8(words) + 1;
        var copy = _malloc(length);
        stringToUTF8(words, copy, length);
        HEAP32[error >> 2] = copy;
        return -2;
    }
});

// The names of the stored files, one a line: the size in bytes, copied when `capacity` suffices.
EM_JS(int, StoredFileNames, (char* buffer, int capacity), {
    var storage = null;
    try { storage = globalThis.localStorage; } catch (withheld) {}
    var names = [];
    for (var i = 0; storage && i < storage.length; ++i) {
        var key = storage.key(i);
        var at = key.indexOf('/');
        if (key.startsWith('loopsmith/') || key.startsWith('loopsmith-bytes/'))
            names.push(key.substring(at + 1));
    }
    var bytes = new TextEncoder().encode(names.join('\n'));
    if (bytes.length <= capacity)
        HEAPU8.set(bytes, buffer);
    return bytes.length;
});
// clang-format on

std::filesystem::path& Root() {
    static std::filesystem::path root;
    return root;
}

// Files whose latest save the storage refused: the page's copy is the newer one.
std::set<std::string>& HeldInMemory() {
    static std::set<std::string> held;
    return held;
}

StorageFault& Pending() {
    static StorageFault fault;
    return fault;
}

// The key of a file of the kept folder ("Loopsmith.ini", "Language/my.lng"); "" for any other.
std::string KeyOf(const std::filesystem::path& path) {
    if (Root().empty())
        return "";
    const std::filesystem::path relative = path.lexically_normal().lexically_relative(Root());
    if (relative.empty() || *relative.begin() == "..")
        return "";
    return base::PathToUtf8(relative);
}

// (With <cstdio>, not <fstream>: the streams would add a third to the page. Not through fileio,
// whose opens fetch.)
std::optional<std::string> FileBytes(const std::filesystem::path& path) {
    std::FILE* in = std::fopen(path.c_str(), "rb");
    if (in == nullptr)
        return std::nullopt;
    std::string bytes;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, in)) > 0;)
        bytes.append(buffer, n);
    std::fclose(in);
    return bytes;
}

// Puts the stored bytes in place as a save by another window would: a new file renamed over
// the old one, and only when they differ from what the file holds.
void FetchFile(const std::filesystem::path& path) {
    const std::string key = KeyOf(path);
    if (key.empty() || HeldInMemory().count(key) != 0)
        return;
    int size = 0;
    char* stored = LoadStoredFile(key.c_str(), &size);
    if (stored == nullptr)
        return;
    const std::string bytes(stored, static_cast<std::size_t>(size));
    std::free(stored);
    if (FileBytes(path) == bytes)
        return;
    std::error_code ec;
    std::filesystem::create_directories(path.parent_path(), ec);
    std::filesystem::path fetched = path;
    fetched += ".fetched";
    std::FILE* out = std::fopen(fetched.c_str(), "wb");
    if (out == nullptr)
        return;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    if (std::fclose(out) == 0 && written)
        std::filesystem::rename(fetched, path, ec);
    else
        std::filesystem::remove(fetched, ec);
}

// A save the storage refuses still goes to the page's copy, which the page works on; the
// storage keeps what it held, and the fault waits to be told.
bool KeepFile(const std::filesystem::path& path, std::string_view bytes) {
    const std::string key = KeyOf(path);
    if (key.empty())
        return true;
    char* error = nullptr;
    const int stored = StoreFile(key.c_str(), bytes.data(), static_cast<int>(bytes.size()), &error);
    if (stored == 1) {
        HeldInMemory().erase(key);
        Pending().stored = true;
        return true;
    }
    HeldInMemory().insert(key);
    if (Pending().cause == StorageFault::Cause::None) {
        Pending().cause = stored == 0    ? StorageFault::Cause::Refused
                          : stored == -1 ? StorageFault::Cause::Full
                                         : StorageFault::Cause::Failed;
        Pending().error = error != nullptr ? error : "";
    }
    std::free(error);
    return true;
}

}  // namespace

FileLocations BrowserLocations() {
    return InstalledLocations("/home/web_user/loopsmith", "/loopsmith");
}

void KeepFilesInBrowserStorage(const FileLocations& locations) {
    Root() = locations.configFolder.lexically_normal();
    std::error_code ec;
    for (const std::filesystem::path& folder : locations.languageFolders)
        if (!KeyOf(folder / "x").empty())
            std::filesystem::create_directories(folder, ec);
    std::string list(static_cast<std::size_t>(StoredFileNames(nullptr, 0)), '\0');
    StoredFileNames(list.data(), static_cast<int>(list.size()));
    for (std::size_t start = 0; start < list.size();) {
        const std::size_t end = std::min(list.find('\n', start), list.size());
        FetchFile(Root() / base::PathFromUtf8(list.substr(start, end - start)));
        start = end + 1;
    }
    fileio::SetFileMirror({FetchFile, KeepFile});
}

StorageFault TakeStorageFault() {
    return std::exchange(Pending(), StorageFault{});
}
