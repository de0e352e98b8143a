#include "store/settings_import.h"

#include <gtest/gtest.h>

#include "helpers/temp_folder.h"
#include "store/profile_store.h"

namespace {

using namespace testing_files;

// Every key the program writes, alone in its group, is one the survey knows (and a file that
// holds none is refused, tests/web/drive.js).
TEST(SettingsFileSurvey, KnowsEveryKeyTheProgramWrites) {
    TempFolder dir;
    SettingsValues v;
    v.LanguageFile = "english.lng";
    v.DelayForm = v.Declare = 1;
    Profile p;
    p.Name = "P";
    p.DataAddress = "0x20";
    p.Syntax = kSyntaxCurrent;
    ASSERT_TRUE(WriteSettingsFile(dir / "s.ini", v, {p}));
    const std::string text = ReadBytes(dir / "s.ini");
    std::string group;
    int keys = 0;
    for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos;
         at = end + 2) {
        const std::string line = text.substr(at, end - at);
        if (line.starts_with("[")) {
            group = line;
        } else if (line.find(" = ") != std::string::npos && ++keys) {
            EXPECT_TRUE(SurveySettingsFile(group + "\n" + line).Known()) << line;
        }
    }
    EXPECT_EQ(keys, 11 + 20);
}

}  // namespace
