#include "store/settings_import.h"

#include <gtest/gtest.h>

#include <string>

#include "helpers/temp_folder.h"
#include "store/profile_store.h"

namespace {

using namespace testing_files;

struct Case {
    std::string bytes;
    bool readable, settings, profileKeys;
    int profiles;
};

TEST(SettingsFileSurvey, FindsWhatTheProgramReads) {
    std::string tooMany;
    for (int i = 0; i <= 30000; ++i)
        tooMany += "[P" + std::to_string(i) + "]\n";
    const Case cases[] = {
        {"[user]\n\tname = A. User\n[core]\n\teditor = vi\n", true, false, false, 2},
        {"[Window]\r\nColour = red\r\n", true, false, false, 0},
        {"[Window]\r\nwdtstate = 1\r\n", true, true, false, 0},
        {"[window]\r\nTime = 1\r\n[]\r\nReg1 = r\r\n", true, false, false, 1},
        {kMark + "\r\n[Motor]\r\nREG8 = a\r\n[Fast]\r\nReg9 = b\r\n", true, false, true, 2},
        {std::string("\xFF\xFE\0\0\0\0", 6), false, false, false, 0},
        {tooMany, false, false, false, 0},
    };
    for (const Case& c : cases) {
        const SettingsFileSurvey s = SurveySettingsFile(c.bytes);
        EXPECT_EQ(s.readable, c.readable) << c.bytes.substr(0, 40);
        EXPECT_EQ(s.settings, c.settings) << c.bytes.substr(0, 40);
        EXPECT_EQ(s.profileKeys, c.profileKeys) << c.bytes.substr(0, 40);
        EXPECT_EQ(s.profiles, c.profiles) << c.bytes.substr(0, 40);
    }
}

// Every key the program writes, alone in its group, is one the survey knows.
TEST(SettingsFileSurvey, KnowsEveryKeyTheProgramWrites) {
    TempFolder dir;
    SettingsValues v;
    v.LanguageFile = "english.lng";
    v.DelayForm = 1;
    v.Declare = 1;
    Profile p;
    p.Name = "P";
    p.DataAddress = "0x20";
    p.Syntax = kSyntaxCurrent;
    ASSERT_TRUE(WriteSettingsFile(dir / "s.ini", v, {p}));
    const std::string text = ReadBytes(dir / "s.ini");
    std::string group;
    int keys = 0;
    for (std::size_t at = 0, end; at < text.size(); at = end + 2) {
        end = text.find("\r\n", at);
        const std::string line = text.substr(at, end - at);
        if (line.starts_with("[")) {
            group = line;
        } else if (line.find(" = ") != std::string::npos) {
            ++keys;
            EXPECT_TRUE(SurveySettingsFile(group + "\n" + line + "\n").Known()) << line;
        }
    }
    EXPECT_EQ(keys, 11 + 20);
}

}  // namespace
