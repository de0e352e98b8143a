#include "app/settings.h"

#include <gtest/gtest.h>

#include "app/gadget_ids.h"
#include "app/language.h"
#include "helpers/files_app_fixture.h"
#include "store/settings_values.h"

namespace {

using namespace testing_files;
namespace fs = std::filesystem;
using namespace gadget;

const std::string kDefaultWindowGroup =
    "[Window]\r\nCalcState = 1\r\nTime = 0\r\nOscillatorType = 0\r\nOscillator = 4\r\n"
    "WdtState = 0\r\nNumberProf = 0\r\nLanguage = -1\r\n";

struct Settings : AppInFolder {
    void Start() {
        ListLanguages(app);
        LoadSettings(app);
    }
};

TEST_F(Settings, FirstStartTakesDefaultsAndLeavesAnEmptyFile) {
    MakeLanguage("english.lng", "");
    MakeLanguage("russian.lng", "");
    Start();
    EXPECT_EQ(gadgets.State(kCalculatorCheck), 1);
    EXPECT_TRUE(gadgets.IsReadOnly(kCyclesField));  // calculator mode switched on
    EXPECT_EQ(gadgets.State(kTimeUnitCombo), 0);
    EXPECT_EQ(gadgets.State(kFrequencyUnitCombo), 0);
    EXPECT_EQ(gadgets.Text(kFrequencyField), "4");
    EXPECT_EQ(gadgets.State(kWatchdogCheck), 0);
    EXPECT_EQ(gadgets.State(kProfileCombo), 0);
    EXPECT_EQ(gadgets.State(kProfileList), -1);
    EXPECT_EQ(Items(kProfileCombo),
              (std::vector<std::string>{"Default PIC10, PIC12, PIC16", "Default PIC18"}));
    EXPECT_EQ(Items(kProfileList), Items(kProfileCombo));
    EXPECT_EQ(gadgets.State(kLanguageCombo), 1);  // "russian"
    ASSERT_TRUE(fs::is_regular_file(ini));
    EXPECT_EQ(fs::file_size(ini), 0u);
}

TEST_F(Settings, CloseAfterFirstStartWritesTheWindowGroupWithoutMark) {
    Start();
    SaveSettings(app);
    EXPECT_EQ(ReadBytes(ini), kDefaultWindowGroup);
}

TEST_F(Settings, SaveUpdatesTheGroupInPlaceAndKeepsEverythingElse) {
    WriteBytes(ini, "; mine\n[Prof]\nReg1=a\n[Window]\nlanguage=0\nTime=1\n[Other]\nx=1\n");
    Start();
    EXPECT_EQ(gadgets.State(kTimeUnitCombo), 1);
    gadgets.SetState(kTimeUnitCombo, 4);
    gadgets.SetText(kFrequencyField, "20");
    gadgets.SetState(kWatchdogCheck, 1);
    SaveSettings(app);
    EXPECT_EQ(ReadBytes(ini),
              kMark +
                  "\r\n; mine\r\n[Prof]\r\nReg1=a\r\n[Window]\r\nLanguage = -1\r\n"
                  "Time = 4\r\nCalcState = 1\r\nOscillatorType = 0\r\n"
                  "Oscillator = 20\r\nWdtState = 1\r\nNumberProf = 0\r\n"
                  "[Other]\r\nx=1\r\n");
    Start();
    EXPECT_EQ(gadgets.Text(kFrequencyField), "20");
    EXPECT_EQ(gadgets.State(kTimeUnitCombo), 4);
}

// The form and the name are written once a subroutine form is chosen, and kept from then on.
TEST_F(Settings, FormAndNameAreSavedOnlyOnceTheFormIsNotTheBlock) {
    Start();
    EXPECT_EQ(gadgets.Text(kRoutineNameField), "Delay");
    gadgets.SetText(kRoutineNameField, "ignored");
    SaveSettings(app);
    EXPECT_EQ(ReadBytes(ini), kDefaultWindowGroup);
    gadgets.SetState(kFormCombo, 2);
    gadgets.SetText(kRoutineNameField, "Delay_ms");
    SaveSettings(app);
    Start();
    EXPECT_EQ(gadgets.State(kFormCombo), 2);
    EXPECT_EQ(gadgets.Text(kRoutineNameField), "Delay_ms");
    EXPECT_TRUE(gadgets.IsEnabled(kRoutineNameField));
    gadgets.SetState(kFormCombo, 0);
    SaveSettings(app);
    EXPECT_EQ(ReadBytes(ini),
              kMark + "\r\n" + kDefaultWindowGroup + "DelayForm = 0\r\nRoutineName = Delay_ms\r\n");
    Start();
    EXPECT_EQ(gadgets.State(kFormCombo), 0);
    EXPECT_FALSE(gadgets.IsEnabled(kRoutineNameField));
}

TEST_F(Settings, DeclareIsSavedOnlyOnceTicked) {
    Start();
    SaveSettings(app);
    EXPECT_EQ(ReadBytes(ini), kDefaultWindowGroup);
    gadgets.SetState(kDeclareCheck, 1);
    SaveSettings(app);
    Start();
    EXPECT_EQ(gadgets.State(kDeclareCheck), 1);
    gadgets.SetState(kDeclareCheck, 0);
    SaveSettings(app);
    EXPECT_EQ(ReadBytes(ini), kMark + "\r\n" + kDefaultWindowGroup + "Declare = 0\r\n");
}

struct StoredCase {
    const char* lines;
    int gadget;
    int expected;
};
class StoredValues : public Settings, public ::testing::WithParamInterface<StoredCase> {};

TEST_P(StoredValues, AreAppliedAsTheWindowExpects) {
    WriteBytes(ini, std::string("[A]\n[B]\n[C]\n[Window]\n") + GetParam().lines);
    Start();
    EXPECT_EQ(gadgets.State(GetParam().gadget), GetParam().expected) << GetParam().lines;
}

INSTANTIATE_TEST_SUITE_P(Settings, StoredValues,
                         ::testing::Values(StoredCase{"NumberProf=7", kProfileCombo, 2},
                                           StoredCase{"NumberProf=-5", kProfileCombo, 0},
                                           StoredCase{"NumberProf=1", kProfileCombo, 1},
                                           StoredCase{"NumberProf=99999999999", kProfileCombo, 2},
                                           StoredCase{"NumberProf", kProfileCombo, 0},
                                           StoredCase{"CalcState=2", kCalculatorCheck, 0},
                                           StoredCase{"CalcState=3", kCalculatorCheck, 1},
                                           StoredCase{"CalcState=-1", kCalculatorCheck, 1},
                                           StoredCase{"CalcState=x", kCalculatorCheck, 0},
                                           StoredCase{"Time=5", kTimeUnitCombo, 5},
                                           StoredCase{"Time=6", kTimeUnitCombo, -1},
                                           StoredCase{"OscillatorType=-1", kFrequencyUnitCombo, -1},
                                           StoredCase{"OscillatorType=2", kFrequencyUnitCombo, 2},
                                           StoredCase{"WdtState=1", kWatchdogCheck, 1}));

TEST_F(Settings, CalculatorOffFreesTheCycleField) {
    WriteBytes(ini, "[Window]\nCalcState=2\n");
    Start();
    EXPECT_FALSE(gadgets.IsReadOnly(kCyclesField));
    EXPECT_FALSE(gadgets.IsEnabled(kTimeField));
}

TEST_F(Settings, FrequencyFieldShowsTheStoredNumberTrimmed) {
    for (const auto& [stored, shown] :
         std::vector<std::pair<std::string, std::string>>{{"4.5", "4.5"}, {"x", "0"}}) {
        WriteBytes(ini, "[Window]\nOscillator=" + stored + "\n");
        Start();
        EXPECT_EQ(gadgets.Text(kFrequencyField), shown) << stored;
    }
}

TEST_F(Settings, FrequencyThatIsNoNumberIsSavedAsZero) {
    Start();
    gadgets.SetText(kFrequencyField, "abc");
    SaveSettings(app);
    ASSERT_TRUE(ReadStoredSettings(ini).settings.has_value());
    EXPECT_EQ(ReadStoredSettings(ini).settings->Oscillator, 0.0);
}

TEST_F(Settings, LanguageIsResolvedAgainstTheList) {
    MakeLanguage("english.lng", "");
    MakeLanguage("russian.lng", "");
    for (const auto& [line, expected] :
         std::vector<std::pair<std::string, int>>{{"", 1},
                                                  {"Language=5", 1},
                                                  {"Language=0", 0},
                                                  {"Language=1", 1},
                                                  {"Language=-1", 1}}) {
        WriteBytes(ini, "[Window]\n" + line + "\n");
        Start();
        EXPECT_EQ(gadgets.State(kLanguageCombo), expected) << line;
    }
}

TEST_F(Settings, ReadOnlyFileLoadsButIsNeverChanged) {
    const std::string original = "[Window]\nTime=2\n";
    WriteBytes(ini, original);
    fs::permissions(ini, fs::perms::owner_read);
    Start();
    EXPECT_EQ(gadgets.State(kTimeUnitCombo), 2);
    gadgets.SetState(kTimeUnitCombo, 3);
    SaveSettings(app);
    EXPECT_EQ(ReadBytes(ini), original);
    EXPECT_EQ(CountEntries(dir.path()), 1u);
}

TEST_F(Settings, FolderOfTheFileNameIsLeftAlone) {
    fs::create_directory(ini);
    Start();
    EXPECT_EQ(gadgets.Text(kFrequencyField), "4");
    EXPECT_EQ(gadgets.ItemCount(kProfileCombo), 2);
    SaveSettings(app);
    EXPECT_TRUE(fs::is_directory(ini));
    EXPECT_EQ(CountEntries(ini), 0u);
}

TEST_F(Settings, StoredSettingsOfAFileForToolsWithoutWindow) {
    EXPECT_FALSE(ReadStoredSettings(ini).settings.has_value());
    WriteBytes(ini, "[Window]\nNumberProf=3\nLanguage=1\n");
    const std::optional<SettingsValues> v = ReadStoredSettings(ini).settings;
    ASSERT_TRUE(v.has_value());
    EXPECT_EQ(v->NumberProf, 3);
    EXPECT_EQ(v->Language, 1);
    EXPECT_EQ(v->Oscillator, 4.0);
    EXPECT_EQ(v->CalcState, 1);
}

}  // namespace
