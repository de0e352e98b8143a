// The built program itself: no display, and a program folder deeper than any fixed buffer.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

const fs::path kProgram = fs::path(LOOPSMITH_BIN_DIR) / "loopsmith";

fs::path FreshFolder() {
    std::random_device rd;
    const fs::path dir = fs::temp_directory_path() /
                         ("loopsmith-bin-" + std::to_string(rd()) + std::to_string(rd()));
    fs::create_directories(dir);
    return dir;
}

std::string Quoted(const fs::path& p) {
    return "'" + p.string() + "'";
}

struct RunResult {
    int exitCode;
    std::string output;
};

RunResult Shell(const std::string& command, const fs::path& outputFile) {
    const int status = std::system((command + " >" + Quoted(outputFile) + " 2>&1").c_str());
    std::ifstream in(outputFile);
    std::stringstream text;
    text << in.rdbuf();
    return {WEXITSTATUS(status), text.str()};
}

class ProgramBinary : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!fs::exists(kProgram))
            GTEST_SKIP() << "the program is not built: " << kProgram;
        folder = FreshFolder();
    }
    void TearDown() override {
        std::error_code ec;
        if (!folder.empty())
            fs::remove_all(folder, ec);
    }
    fs::path folder;
};

TEST_F(ProgramBinary, WithoutADisplaySaysSoInOneLineAndFails) {
    for (const char* platform : {"", "QT_QPA_PLATFORM=xcb ", "DISPLAY=:97 "}) {
        SCOPED_TRACE(platform);
        const RunResult run =
            Shell(std::string("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ") + platform +
                      Quoted(kProgram),
                  folder / "out.txt");
        EXPECT_NE(run.exitCode, 0);
        EXPECT_EQ(run.output,
                  "Loopsmith cannot open its window: no graphical display is available.\n");
    }
}

TEST_F(ProgramBinary, UsesItsOwnFolderHoweverDeep) {
    fs::path deep = folder;
    while (deep.string().size() < 300)
        deep /= "a-rather-long-folder-name";
    fs::create_directories(deep);
    fs::copy_file(kProgram, deep / "loopsmith");
    fs::copy(fs::path(LOOPSMITH_SOURCE_DIR) / "Language", deep / "Language");
    const fs::path elsewhere = folder / "elsewhere";
    fs::create_directories(elsewhere);
    // The program waits for a person; it is stopped once it had time to start.
    Shell("cd " + Quoted(elsewhere) + " && QT_QPA_PLATFORM=offscreen timeout 4 " +
              Quoted(deep / "loopsmith"),
          folder / "out.txt");
    EXPECT_TRUE(fs::exists(deep / "Loopsmith.ini"));
    EXPECT_FALSE(fs::exists(elsewhere / "Loopsmith.ini"));
}

}  // namespace
