// The page's files in the browser's storage (a build for the browser only).
#ifdef __EMSCRIPTEN__
#include "store/browser_storage.h"

#include <emscripten.h>
#include <gtest/gtest.h>

#include "helpers/temp_folder.h"
#include "store/file_platform.h"
#include "store/key_value_file.h"
#include "store/profile_store.h"

namespace {

using namespace testing_files;

// node has no localStorage: the browser's interface over one Map, refusing writes when `full`.
// clang-format off
EM_JS(void, MakeStorage, (int full), {
    var items = globalThis.storageItems = globalThis.storageItems || new Map();
    globalThis.localStorage = {
        get length() { return items.size; },
        key: function(i) { return Array.from(items.keys())[i] ?? null; },
        getItem: function(k) { return items.has(k) ? items.get(k) : null; },
        setItem: function(k, v) {
            if (full) throw Object.assign(new Error('full'), {name: 'QuotaExceededError'});
            items.set(k, String(v));
        },
        removeItem: function(k) { items.delete(k); },
    };
});
EM_JS(void, SetItem, (const char* key, const char* utf8, int size), {
    var text = new TextDecoder('utf-8', {ignoreBOM: true}).decode(HEAPU8.slice(utf8, utf8 + size));
    localStorage.setItem(UTF8ToString(key), text);
});
EM_JS(int, ItemUtf8, (const char* key, char* buffer, int capacity), {
    var text = localStorage.getItem(UTF8ToString(key));
    if (text === null) return -1;
    var bytes = new TextEncoder().encode(text);
    if (bytes.length <= capacity) HEAPU8.set(bytes, buffer);
    return bytes.length;
});
// clang-format on

std::string Item(const char* key) {
    std::string bytes(static_cast<std::size_t>(std::max(ItemUtf8(key, nullptr, 0), 0)), '\0');
    return ItemUtf8(key, bytes.data(), static_cast<int>(bytes.size())) < 0 ? "(none)" : bytes;
}

Profile Named(const std::string& name) {
    Profile p;
    p.Name = name;
    p.Label = "L";
    return p;
}

TEST(BrowserStorage, KeepsTheExactBytesAndMergesWithAnotherTab) {
    MakeStorage(0);
    TempFolder dir;
    const FileLocations at = InstalledLocations(dir / "user", dir / "data");
    const std::string first = kMark + "\r\n[Window]\r\nLanguage = 1\r\n[Мой]\r\nLabel = L\r\n";
    SetItem("loopsmith/Loopsmith.ini", first.data(), static_cast<int>(first.size()));
    KeepFilesInBrowserStorage(at);
    EXPECT_EQ(ReadBytes(at.settingsFile), first);

    // This tab read the file; another tab saves a profile of its own; this tab's save merges.
    KeyValueFile file;
    ASSERT_TRUE(file.OpenKeyValueFileForReading(at.settingsFile));
    const std::optional<std::size_t> known = file.Stamp();
    file.CloseKeyValueFile();
    ASSERT_TRUE(WriteSettingsFile(at.settingsFile, {}, {Named("Мой"), Named("Other tab")}));
    const std::string otherTab = Item("loopsmith/Loopsmith.ini");
    ASSERT_TRUE(fileio::ReplaceFileContent(at.settingsFile, first));  // this tab's file system
    SetItem("loopsmith/Loopsmith.ini", otherTab.data(), static_cast<int>(otherTab.size()));
    ProfileChange add;
    add.after = Named("This tab");
    add.follows = "Мой";
    add.position = 1;
    const ProfileSave save =
        SaveProfiles(at.settingsFile, {}, {Named("Мой"), add.after}, known, &add, "Мой");
    ASSERT_TRUE(save.saved);
    ASSERT_TRUE(save.merged);
    EXPECT_EQ(ReadStoredSettings(at.settingsFile).profiles.size(), 3u);
    EXPECT_EQ(Item("loopsmith/Loopsmith.ini"), ReadBytes(at.settingsFile));
    EXPECT_EQ(ReadBytes(at.settingsFile).substr(0, 5), kMark + "\r\n");

    // Bytes that are not UTF-8 come back as they were; a file of another folder is not kept.
    const std::string odd = "[Message]\r\nx = \xFF\xFE\r\n";
    ASSERT_TRUE(fileio::ReplaceFileContent(at.languageFolders[0] / "odd.lng", odd));
    std::filesystem::remove(at.languageFolders[0] / "odd.lng");
    EXPECT_EQ(fileio::FileHandle::OpenForReading(at.languageFolders[0] / "odd.lng")->ReadAll(),
              odd);
    ASSERT_TRUE(fileio::ReplaceFileContent(dir / "elsewhere.ini", "x"));
    EXPECT_EQ(Item("loopsmith/../elsewhere.ini"), "(none)");

    // A full storage: the save reaches the page's copy, which no fetch then overwrites; the
    // storage keeps what it held, and the cause is told.
    const std::string kept = Item("loopsmith/Loopsmith.ini");
    MakeStorage(1);
    EXPECT_TRUE(WriteSettingsFile(at.settingsFile, {}, {Named("Kept in memory")}));
    EXPECT_EQ(ReadStoredSettings(at.settingsFile).profiles[0].Name, "Kept in memory");
    EXPECT_EQ(TakeStorageFault().cause, StorageFault::Cause::Full);
    EXPECT_EQ(Item("loopsmith/Loopsmith.ini"), kept);
    fileio::SetFileMirror({});
}

}  // namespace
#endif
