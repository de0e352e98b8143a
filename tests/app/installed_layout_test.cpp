// The window's files in the layout of an installed package: settings in the user's
// configuration folder, shipped languages in the data folder, the user's own winning.
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/app_state.h"
#include "app/gadget_ids.h"
#include "app/language.h"
#include "app/main_window_layout.h"
#include "app/settings.h"
#include "app/startup.h"
#include "helpers/memory_gadgets.h"
#include "helpers/temp_folder.h"
#include "store/file_locations.h"

namespace {

using namespace testing_files;
namespace fs = std::filesystem;

#ifdef _WIN32
TEST(InstalledLayout, UserConfigFolderIsInAppData) {
    _putenv_s("APPDATA", "C:\\Users\\u\\AppData\\Roaming");
    EXPECT_EQ(UserConfigFolder(), fs::path("C:\\Users\\u\\AppData\\Roaming") / "Loopsmith");
}
#else
TEST(InstalledLayout, UserConfigFolderFollowsTheEnvironment) {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = xdg ? xdg : "";
    ::setenv("XDG_CONFIG_HOME", "/x/config", 1);
    EXPECT_EQ(UserConfigFolder(), fs::path("/x/config/loopsmith"));
    ::setenv("XDG_CONFIG_HOME", "relative", 1);  // not absolute: ignored
    ::setenv("HOME", "/home/u", 1);
    EXPECT_EQ(UserConfigFolder(), fs::path("/home/u/.config/loopsmith"));
    xdg ? ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1) : ::unsetenv("XDG_CONFIG_HOME");
    // With no home there is no settings file, rather than one in the current folder.
    EXPECT_TRUE(InstalledLocations({}, "/usr/share/loopsmith").settingsFile.empty());
}
#endif

TEST(InstalledLayout, SettingsGoToTheUserFolderAndTheUsersLanguageWins) {
    TempFolder dir;
    const fs::path program = dir / "usr-bin";
    const fs::path data = dir / "usr-share-loopsmith";
    const fs::path config = dir / "home" / ".config" / "loopsmith";
    fs::create_directories(program);
    fs::create_directories(data / "Language");
    WriteBytes(data / "Language" / "russian.lng", kMark + "[Message]\nDelay=Shipped\n");
    WriteBytes(data / "Language" / "english.lng", "");
    const FileLocations files = InstalledLocations(config, data);
    ASSERT_TRUE(PrepareConfigFolder(files));
    fs::create_directories(config / "Language");
    WriteBytes(config / "Language" / "russian.lng", kMark + "[Message]\nDelay=Mine\n");
    fs::permissions(program,
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);

    ui::MemoryGadgets gadgets(MainWindowLayout());
    AppState app(gadgets, program, files);
    StartUp(app);
    EXPECT_EQ(gadgets.ItemCount(gadget::kLanguageCombo), 2);  // russian once, english
    EXPECT_EQ(app.messages[Msg::Delay], "; Mine ");
    gadgets.SetState(gadget::kWatchdogCheck, 1);
    ShutDown(app);

    EXPECT_EQ(CountEntries(program), 0u);
    const std::string saved = ReadBytes(config / "Loopsmith.ini");
    EXPECT_EQ(saved.rfind("[Window]\r\n", 0), 0u) << saved;
    EXPECT_NE(saved.find("WdtState = 1\r\n"), std::string::npos) << saved;
}

TEST(InstalledLayout, AConfigFolderThatCannotBeMadeIsARefusedSaveNotACrash) {
    TempFolder dir;
    WriteBytes(dir / "home", "a file where the home folder should be");
    const FileLocations files = InstalledLocations(dir / "home" / "loopsmith", dir / "data");
    EXPECT_FALSE(PrepareConfigFolder(files));
    ui::MemoryGadgets gadgets(MainWindowLayout());
    AppState app(gadgets, dir.path(), files);
    StartUp(app);
    EXPECT_EQ(gadgets.ItemCount(gadget::kProfileCombo), 2);  // the built-in profiles
    EXPECT_FALSE(SaveAll(app));
    ShutDown(app);
    EXPECT_EQ(ReadBytes(dir / "home"), "a file where the home folder should be");
}

}  // namespace
