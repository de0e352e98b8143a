#include "store/file_platform.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <thread>
#include <vector>

#include "helpers/child_process.h"
#include "helpers/temp_folder.h"
#include "store/key_value_file.h"
#include "store/profile_store.h"
#include "store/settings_values.h"

namespace {

using namespace testing_files;
namespace fs = std::filesystem;
using fileio::FileStep;

const fs::path kSaveChild = BuiltProgram("save_child");

// Makes the `failAt`-th occurrence of `step` fail with `error`, and records every step seen.
struct StepScript {
    FileStep step = FileStep::Write;
    int failAt = 0;
    int error = 0;
    std::vector<FileStep> seen;

    StepScript() {
        fileio::SetFileStepHook([this](FileStep s) {
            seen.push_back(s);
            return s == step && --failAt == 0 ? error : 0;
        });
    }
    ~StepScript() { fileio::SetFileStepHook(nullptr); }
    int Count(FileStep s) const {
        return static_cast<int>(std::count(seen.begin(), seen.end(), s));
    }
};

std::vector<std::string> Names(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

[[maybe_unused]] std::string Saved(char letter, std::size_t size) {
    return kMark + "\r\n[Save]\r\nData = " + std::string(size, letter) + "\r\n";
}

#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)
constexpr uid_t kNobody = 65534;

// Runs the save child as an unprivileged user (as itself when it is one already).
int SaveAsUser(const fs::path& file, std::size_t size) {
    const std::string child =
        "'" + kSaveChild.string() + "' '" + file.string() + "' " + std::to_string(size);
    const std::string command =
        ::geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " + child : child;
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
#endif

struct Failure {
    FileStep step;
    int failAt;
    int error;
};

class EverySaveStep : public ::testing::TestWithParam<Failure> {};

TEST_P(EverySaveStep, FailingLeavesTheOldFileWholeAndNoTemporaryFile) {
    TempFolder dir;
    const fs::path ini = dir / "Loopsmith.ini";
    const std::string old = "[Window]\r\nTime = 2\r\n" + std::string(70000, 'o') + "\r\n";
    WriteBytes(ini, old);
    StepScript script;
    script.step = GetParam().step;
    script.failAt = GetParam().failAt;
    script.error = GetParam().error;

    KeyValueFile file;
    ASSERT_TRUE(file.OpenKeyValueFile(ini));
    file.SelectGroup("Window");
    file.WriteText("Big", std::string(200000, 'n'));  // several pieces to write
    EXPECT_FALSE(file.CloseKeyValueFile());

    EXPECT_EQ(script.failAt, 0) << "the step to fail was never reached";
    EXPECT_EQ(ReadBytes(ini), old);
    EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"Loopsmith.ini"});
}

INSTANTIATE_TEST_SUITE_P(
    FileLayer, EverySaveStep,
    ::testing::Values(Failure{FileStep::CreateTemporary, 1, ENOSPC},
#ifdef EDQUOT
                      Failure{FileStep::CreateTemporary, 1, EDQUOT},
#endif
                      Failure{FileStep::Write, 1, ENOSPC}, Failure{FileStep::Write, 3, ENOSPC},
                      Failure{FileStep::Write, 4, EIO}, Failure{FileStep::Flush, 1, EIO},
                      Failure{FileStep::Close, 1, EIO}, Failure{FileStep::Rename, 1, EXDEV}));

TEST(FileLayer, ReadersOpenReadOnlyOnceAndNeverLock) {
    TempFolder dir;
    const fs::path ini = dir / "Loopsmith.ini";
    WriteBytes(ini, "[Window]\r\nLanguage = 1\r\n[P]\r\nLabel = X\r\n");
    StepScript script;
    EXPECT_EQ(ReadStoredSettings(ini).profiles.at(0).Label, "X");
    EXPECT_EQ(ReadStoredSettings(ini).settings->Language, 1);
    EXPECT_EQ(script.seen,
              (std::vector<FileStep>{FileStep::OpenForReading, FileStep::OpenForReading}));
}

#ifndef __EMSCRIPTEN__  // WebAssembly starts no other process
TEST(FileLayer, ACleanSaveRemovesLeftoversOfDeadSavesOnly) {
    TempFolder dir;
    const fs::path ini = dir / "Loopsmith.ini";
    WriteBytes(ini, "old");
    TempFolder elsewhere;
    ChildProcess ended(kSaveChild, {(elsewhere / "none" / "x.ini").string(), "1"});
    ended.Wait();  // no such folder: ends at once
    ChildProcess running(kSaveChild, {(elsewhere / "x.ini").string(), "10", "--loop"});
    ASSERT_NE(ended.Id(), 0);
    ASSERT_NE(running.Id(), 0);
    const std::string dead = std::to_string(ended.Id());
    const std::string live = std::to_string(running.Id());
    const std::vector<std::string> left = {
        "Loopsmith.ini.tmp-" + dead + "-1",  // a killed save: goes
        "Loopsmith.ini.tmp-" + live + "-7",  // a save that runs: stays
        "Loopsmith.ini.tmp-x-1",             // not one of ours
        "Other.ini.tmp-" + dead + "-1",      // another file's
    };
    for (const std::string& name : left)
        WriteBytes(dir / name, "partial");

    EXPECT_TRUE(fileio::ReplaceFileContent(ini, "new"));
    EXPECT_EQ(ReadBytes(ini), "new");
    EXPECT_EQ(Names(dir.path()),
              (std::vector<std::string>{"Loopsmith.ini", left[1], left[2], left[3]}));
}

TEST(FileLayer, KilledSavesLeaveTheOldOrTheNewFileWholeAndNothingAfterACleanSave) {
    TempFolder dir;
    const fs::path ini = dir / "Loopsmith.ini";
    constexpr std::size_t kSize = 1 << 20;
    const std::string initial = Saved('i', kSize / 3);
    WriteBytes(ini, initial);
    const char* killsSet = std::getenv("LOOPSMITH_KILLS");
    const int kills = killsSet ? std::atoi(killsSet) : 12;
    std::mt19937 random(20261207);
    int old = 0, newer = 0, torn = 0, midSave = 0;
    for (int i = 0; i < kills; ++i) {
        ChildProcess child(kSaveChild, {ini.string(), std::to_string(kSize), "--loop"});
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 60000));
        child.Kill();
        midSave += Names(dir.path()).size() > 1 ? 1 : 0;
        const std::string now = ReadBytes(ini);
        if (now == initial)
            ++old;
        else if (now == Saved('a', kSize) || now == Saved('b', kSize / 2))
            ++newer;
        else
            ++torn;
    }
    std::printf("%d kills (%d during a write): %d first file, %d a later save, %d torn\n", kills,
                midSave, old, newer, torn);
    EXPECT_EQ(torn, 0);
    EXPECT_TRUE(fileio::ReplaceFileContent(ini, "clean"));
    EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"Loopsmith.ini"});
}

#ifndef _WIN32
// Root writes into any folder, so these run the save as an ordinary user.
TEST(FileLayerAsUser, AFolderThatRefusesNewFilesKeepsTheFileAndSaysSo) {
    TempFolder dir;
    const fs::path folder = dir / "program";
    fs::create_directory(folder);
    const fs::path ini = folder / "Loopsmith.ini";
    const std::string old = Saved('o', 20000);
    WriteBytes(ini, old);
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(ini.c_str(), kNobody, kNobody), 0);  // the folder stays root's, 755
    } else {
        fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    }
    EXPECT_EQ(SaveAsUser(ini, 100), 1);
    EXPECT_EQ(ReadBytes(ini), old);
    fs::permissions(folder, fs::perms::owner_all);
    EXPECT_EQ(Names(folder), std::vector<std::string>{"Loopsmith.ini"});
}

TEST(FileLayerAsUser, AFullFileSystemKeepsTheFileAndSaysSo) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "mounting a small file system needs root; the step failures stand in";
    TempFolder dir;
    const fs::path mount = dir / "full";
    fs::create_directory(mount);
    if (::mount("tmpfs", mount.c_str(), "tmpfs", 0, "size=256k,nr_inodes=64,mode=0777") != 0)
        GTEST_SKIP() << "no tmpfs may be mounted here; the step failures stand in";
    const fs::path ini = mount / "Loopsmith.ini";
    const std::string old = Saved('o', 40000);
    WriteBytes(ini, old);
    ASSERT_EQ(::chown(ini.c_str(), kNobody, kNobody), 0);

    // First the blocks run out: the temporary file is made but cannot be written.
    {
        std::ofstream filler(mount / "filler", std::ios::binary);
        const std::string block(4096, 'f');
        while (filler.write(block.data(), block.size()))
            ;
    }
    EXPECT_EQ(SaveAsUser(ini, 100000), 1);
    EXPECT_EQ(ReadBytes(ini), old);
    // Then the inodes too: not even a temporary file.
    for (int i = 0; i < 100; ++i)
        WriteBytes(mount / ("empty" + std::to_string(i)), "");
    EXPECT_EQ(SaveAsUser(ini, 100000), 1);
    EXPECT_EQ(ReadBytes(ini), old);

    std::vector<std::string> ours;
    for (const std::string& name : Names(mount))
        if (name.rfind("Loopsmith.ini", 0) == 0)
            ours.push_back(name);
    EXPECT_EQ(ours, std::vector<std::string>{"Loopsmith.ini"});
    ::umount(mount.c_str());
}

#endif  // _WIN32
#endif  // __EMSCRIPTEN__

}  // namespace
