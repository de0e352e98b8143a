#include "store/key_value_file.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

#include <chrono>

#include "helpers/file_identity.h"
#include "helpers/temp_folder.h"

namespace {

using namespace testing_files;
namespace fs = std::filesystem;

struct Fixture : ::testing::Test {
    TempFolder dir;
    fs::path ini = dir / "Loopsmith.ini";
    KeyValueFile file;
};

using KeyValueFileOnDisk = Fixture;

TEST_F(KeyValueFileOnDisk, AsciiFileWithoutMarkIsReadAndWrittenBackWithIt) {
    WriteBytes(ini, "[Window]\nCalcState=0\n\n  [A]\nReg1 = r\n");
    ASSERT_TRUE(file.OpenKeyValueFile(ini));
    file.SelectGroup("Window");
    EXPECT_EQ(file.ReadInteger("CalcState", 1), 0);
    file.WriteInteger("Time", 2);
    EXPECT_TRUE(file.CloseKeyValueFile());
    EXPECT_EQ(ReadBytes(ini),
              kMark + "\r\n[Window]\r\nCalcState=0\r\nTime = 2\r\n\r\n  [A]\r\nReg1 = r\r\n");
}

TEST_F(KeyValueFileOnDisk, HandEditedUtf8WithoutMarkKeepsItsTextThroughASave) {
    const std::string text =
        "[\xD0\x9C\xD0\xBE\xD1\x82\xD0\xBE\xD1\x80]\r\nReg1 = "
        "\xD0\xA1\xD1\x87\xD1\x91\xD1\x82\r\n";
    WriteBytes(ini, text);
    ASSERT_TRUE(file.OpenKeyValueFile(ini));
    file.SelectGroup("Window");
    file.WriteInteger("Time", 1);
    EXPECT_TRUE(file.CloseKeyValueFile());
    EXPECT_EQ(ReadBytes(ini), kMark + "\r\n" + text + "[Window]\r\nTime = 1\r\n");
}

TEST_F(KeyValueFileOnDisk, EmptyFileIsWrittenBackWithoutMark) {
    WriteBytes(ini, "");
    ASSERT_TRUE(file.OpenKeyValueFile(ini));
    file.SelectGroup("Window");
    file.WriteInteger("CalcState", 1);
    EXPECT_TRUE(file.CloseKeyValueFile());
    EXPECT_EQ(ReadBytes(ini), "[Window]\r\nCalcState = 1\r\n");
}

TEST_F(KeyValueFileOnDisk, FileIsUntouchedWhenNothingWasWritten) {
    const std::string original = "  ;x\r\n[Window]\r\r\nTime=1   \n";
    WriteBytes(ini, original);
    const FileIdentity before = IdentityOf(ini);
    ASSERT_TRUE(file.OpenKeyValueFile(ini));
    file.SelectGroup("Window");
    EXPECT_EQ(file.ReadInteger("Time", 0), 1);
    file.SelectGroup("Missing");  // selecting alone writes nothing
    EXPECT_TRUE(file.CloseKeyValueFile());
    EXPECT_EQ(ReadBytes(ini), original);
    EXPECT_EQ(IdentityOf(ini), before);
}

TEST_F(KeyValueFileOnDisk, CreatedFileWithNothingWrittenIsEmpty) {
    WriteBytes(ini, "[Window]\r\nTime=1\r\n");
    ASSERT_TRUE(file.CreateKeyValueFile(ini));
    EXPECT_EQ(file.ReadInteger("Time", 7), 7);
    EXPECT_TRUE(file.CloseKeyValueFile());
    EXPECT_EQ(ReadBytes(ini), "");
    fs::path fresh = dir / "new.ini";
    ASSERT_TRUE(file.CreateKeyValueFile(fresh));
    EXPECT_TRUE(file.CloseKeyValueFile());
    EXPECT_TRUE(fs::is_regular_file(fresh));
    EXPECT_EQ(fs::file_size(fresh), 0u);
}

TEST_F(KeyValueFileOnDisk, CreatedFileGetsMarkAndLines) {
    WriteBytes(ini, "old content that must go\n");
    ASSERT_TRUE(file.CreateKeyValueFile(ini));
    file.SelectGroup("Window");
    file.WriteText("Name", "Счётчик");
    EXPECT_TRUE(file.CloseKeyValueFile());
    EXPECT_EQ(ReadBytes(ini), kMark + "\r\n[Window]\r\nName = Счётчик\r\n");
}

TEST_F(KeyValueFileOnDisk, OpeningAnotherFileWritesTheFirst) {
    WriteBytes(ini, "");
    WriteBytes(dir / "b.ini", "x=1\n");
    ASSERT_TRUE(file.OpenKeyValueFile(ini));
    file.SelectGroup("G");
    file.WriteInteger("k", 1);
    ASSERT_TRUE(file.OpenKeyValueFile(dir / "b.ini"));
    EXPECT_EQ(ReadBytes(ini), "[G]\r\nk = 1\r\n");
    EXPECT_EQ(file.ReadInteger("x", 0), 1);
}

TEST_F(KeyValueFileOnDisk, SaveReplacesTheFileWholeKeepingItsPermissions) {
    WriteBytes(ini, "[Window]\nTime=1\n");
    fs::permissions(ini, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const FileIdentity before = IdentityOf(ini);
    ASSERT_TRUE(file.OpenKeyValueFile(ini));
    file.SelectGroup("Window");
    file.WriteInteger("Time", 2);
    ASSERT_TRUE(file.CloseKeyValueFile());
    // A new file took the old one's place in one step: no temporary file is left behind.
    EXPECT_NE(IdentityOf(ini), before);
#ifndef _WIN32  // Windows has no group bits to keep
    EXPECT_EQ(fs::status(ini).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
#endif
    EXPECT_EQ(CountEntries(dir.path()), 1u);
    EXPECT_EQ(ReadBytes(ini), kMark + "\r\n[Window]\r\nTime = 2\r\n");
}

TEST_F(KeyValueFileOnDisk, ReadOnlyFileIsReadButNeverChanged) {
    const std::string original = "[Window]\nTime=1\n";
    WriteBytes(ini, original);
    fs::permissions(ini, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    ASSERT_TRUE(file.OpenKeyValueFile(ini));
    file.SelectGroup("Window");
    EXPECT_EQ(file.ReadInteger("Time", 0), 1);
    file.WriteInteger("Time", 2);
    EXPECT_FALSE(file.CloseKeyValueFile());
    EXPECT_EQ(ReadBytes(ini), original);
    EXPECT_EQ(fs::status(ini).permissions(),
              fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_FALSE(file.CreateKeyValueFile(ini));
    EXPECT_EQ(ReadBytes(ini), original);
    EXPECT_EQ(CountEntries(dir.path()), 1u);
}

TEST_F(KeyValueFileOnDisk, FolderOfThatNameIsNeitherOpenedNorReplaced) {
    fs::create_directory(ini);
    WriteBytes(ini / "inside", "keep");
    EXPECT_FALSE(file.OpenKeyValueFile(ini));
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(file.ReadText("k", "default"), "default");
    file.WriteInteger("k", 1);  // nothing open: nothing happens
    EXPECT_FALSE(file.CreateKeyValueFile(ini));
    EXPECT_TRUE(file.CloseKeyValueFile());
    EXPECT_TRUE(fs::is_directory(ini));
    EXPECT_EQ(ReadBytes(ini / "inside"), "keep");
}

TEST_F(KeyValueFileOnDisk, MissingFileOrFolderFailsCleanly) {
    EXPECT_FALSE(file.OpenKeyValueFile(ini));
    EXPECT_FALSE(file.SelectGroup("Window"));
    EXPECT_FALSE(file.FirstGroup());
    EXPECT_EQ(file.ReadInteger("k", -4), -4);
    EXPECT_EQ(file.ReadDouble("k", 4.0), 4.0);
    EXPECT_FALSE(fs::exists(ini));
    EXPECT_FALSE(file.CreateKeyValueFile(dir / "no-such-folder" / "Loopsmith.ini"));
    EXPECT_EQ(CountEntries(dir.path()), 0u);
}

#ifndef _WIN32  // links there need a privilege, and these locks are the POSIX ones
TEST_F(KeyValueFileOnDisk, SavesThroughSymbolicLinksReachTheTargetAndKeepTheLinks) {
    fs::create_directory(dir / "real");
    const fs::path target = dir / "real" / "settings.ini";
    fs::create_symlink("real/settings.ini", dir / "chain.ini");
    // To a file, dangling, and to a link that dangles.
    for (const auto& [to, exists] :
         {std::pair{target, true}, std::pair{fs::path("real/settings.ini"), false},
          std::pair{fs::path("chain.ini"), false}}) {
        fs::remove(target);
        fs::remove(ini);
        if (exists)
            WriteBytes(target, "");
        fs::create_symlink(to, ini);
        ASSERT_TRUE(file.CreateKeyValueFile(ini)) << to;
        file.WriteInteger("a", 3);
        ASSERT_TRUE(file.CloseKeyValueFile());
        ASSERT_TRUE(file.OpenKeyValueFile(ini));
        file.WriteInteger("a", 4);
        ASSERT_TRUE(file.CloseKeyValueFile());
        EXPECT_TRUE(fs::is_symlink(ini));
        EXPECT_EQ(ReadBytes(target), kMark + "\r\na = 4\r\n") << to;
        EXPECT_EQ(CountEntries(dir / "real"), 1u);
    }
}

// The save stays an atomic replace: the name saved through gets the new file, any other name
// of a hard-linked file keeps the old content (see README).
TEST_F(KeyValueFileOnDisk, AHardLinkedFileIsReplacedUnderTheNameSavedThrough) {
#ifdef __EMSCRIPTEN__
    GTEST_SKIP() << "the browser's file system has no hard links";
#endif
    WriteBytes(ini, "a=1\n");
    fs::create_hard_link(ini, dir / "other.ini");
    ASSERT_TRUE(file.OpenKeyValueFile(ini));
    file.WriteInteger("a", 2);
    ASSERT_TRUE(file.CloseKeyValueFile());
    EXPECT_EQ(ReadBytes(ini), kMark + "\r\na = 2\r\n");
    EXPECT_EQ(ReadBytes(dir / "other.ini"), "a=1\n");
}

TEST_F(KeyValueFileOnDisk, OpenFileIsLockedAgainstOtherWriters) {
#ifdef __EMSCRIPTEN__
    GTEST_SKIP() << "the browser's file system has no locks (nor another process to lock out)";
#endif
    WriteBytes(ini, "a=1\n");
    ASSERT_TRUE(file.OpenKeyValueFile(ini));
    const int other = ::open(ini.c_str(), O_RDWR);
    ASSERT_GE(other, 0);
    EXPECT_NE(::flock(other, LOCK_EX | LOCK_NB), 0);
    file.CloseKeyValueFile();
    EXPECT_EQ(::flock(other, LOCK_EX | LOCK_NB), 0);
    ::close(other);
}

TEST_F(KeyValueFileOnDisk, LockHeldElsewhereDelaysButNeverLosesTheSave) {
    WriteBytes(ini, "");
    const int other = ::open(ini.c_str(), O_RDWR);
    ASSERT_EQ(::flock(other, LOCK_EX | LOCK_NB), 0);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(file.OpenKeyValueFile(ini));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    file.SelectGroup("Window");
    file.WriteInteger("Time", 1);
    EXPECT_TRUE(file.CloseKeyValueFile());
    EXPECT_EQ(ReadBytes(ini), "[Window]\r\nTime = 1\r\n");
    ::close(other);
}

#endif  // _WIN32

}  // namespace
