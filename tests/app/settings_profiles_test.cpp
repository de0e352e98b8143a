#include "store/profile_store.h"

#include <gtest/gtest.h>

#include "app/gadget_ids.h"
#include "app/language.h"
#include "app/profile_editor_form.h"
#include "app/profile_editor_page.h"
#include "app/settings.h"
#include "helpers/files_app_fixture.h"

namespace {

using namespace testing_files;
namespace fs = std::filesystem;

const std::string kWindowGroup =
    "[Window]\r\nCalcState = 1\r\nTime = 0\r\nOscillatorType = 0\r\nOscillator = 4\r\n"
    "WdtState = 0\r\nNumberProf = 0\r\nLanguage = -1\r\n";

struct ProfileStore : AppInFolder {
    void Start() {
        ListLanguages(app);
        LoadSettings(app);
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const Profile& p : app.profiles)
            names.push_back(p.Name);
        return names;
    }
};

TEST_F(ProfileStore, SaveAllWritesSettingsThenEveryProfileInNineteenLines) {
    Start();
    Profile p = MakeProfile("Fast", "Loop", kFamilyPic18);
    p.Reg = {"a", "b", "c", "d", "e", "f", "g", "h"};
    p.RegType = {1, 0, 1, 0, 0, 0, 0, 1};
    app.profiles = {p};
    ASSERT_TRUE(SaveAll(app));
    EXPECT_EQ(ReadBytes(ini), kMark + "\r\n" + kWindowGroup +
                                  "[Fast]\r\nReg1 = a\r\nReg2 = b\r\nReg3 = c\r\nReg4 = d\r\n"
                                  "Reg5 = e\r\nReg6 = f\r\nReg7 = g\r\nReg8 = h\r\nLabel = Loop\r\n"
                                  "TypePIC = 1\r\nRegType1 = 1\r\nRegType2 = 0\r\nRegType3 = 1\r\n"
                                  "RegType4 = 0\r\nRegType5 = 0\r\nRegType6 = 0\r\nRegType7 = 0\r\n"
                                  "RegType8 = 1\r\n");
}

// A file from before the syntax key: read and written again, not one byte moves.
TEST_F(ProfileStore, FileWithoutSyntaxKeysSavesByteForByte) {
    const std::string old =
        kMark + "\r\n" + kWindowGroup +
        "[A]\r\nReg1 = r1\r\nReg2 = r2\r\nReg3 = r3\r\nReg4 = r4\r\nReg5 = r5\r\n"
        "Reg6 = r6\r\nReg7 = r7\r\nReg8 = r8\r\nLabel = lp\r\nTypePIC = 1\r\nRegType1 = 1\r\n"
        "RegType2 = 0\r\nRegType3 = 0\r\nRegType4 = 0\r\nRegType5 = 0\r\nRegType6 = 0\r\n"
        "RegType7 = 0\r\nRegType8 = 1\r\n"
        "[B]\r\nReg1 = Reg_1\r\nReg2 = Reg_2\r\nReg3 = Reg_3\r\nReg4 = Reg_4\r\n"
        "Reg5 = Reg_5\r\nReg6 = Reg_6\r\nReg7 = Reg_7\r\nReg8 = Reg_8\r\nLabel = $\r\n"
        "TypePIC = 0\r\nRegType1 = 0\r\nRegType2 = 0\r\nRegType3 = 0\r\nRegType4 = 0\r\n"
        "RegType5 = 0\r\nRegType6 = 0\r\nRegType7 = 0\r\nRegType8 = 0\r\n";
    WriteBytes(ini, old);
    Start();
    ASSERT_EQ(Names(), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(app.profiles[0].Syntax, kSyntaxClassic);
    ASSERT_TRUE(SaveAll(app));
    EXPECT_EQ(ReadBytes(ini), old);
}

// Only "1" means the current assembler; the key is written for it alone, after RegType8.
TEST_F(ProfileStore, CurrentSyntaxSurvivesARestartAndOtherValuesReadClassic) {
    WriteBytes(ini,
               "[One]\nSyntax = 1\n[Two]\nSyntax=2\n[Word]\nSyntax=current\n"
               "[Empty]\nSyntax=\n[Trail]\nSyntax=1x\n[Zero]\nSyntax=0\n");
    Start();
    std::vector<int> syntaxes;
    for (const Profile& p : app.profiles)
        syntaxes.push_back(p.Syntax);
    EXPECT_EQ(syntaxes, (std::vector<int>{kSyntaxCurrent, 0, 0, 0, 0, 0}));
    fs::remove(ini);  // as a new file lays them out
    ASSERT_TRUE(SaveAll(app));
    const std::string bytes = ReadBytes(ini);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 1 + 8 + 6 * 19 + 1);
    EXPECT_NE(bytes.find("[One]\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("RegType8 = 0\r\nSyntax = 1\r\n[Two]\r\n"), std::string::npos) << bytes;
    const ProfileList saved = app.profiles;
    Start();
    EXPECT_EQ(app.profiles, saved);
}

// The form has no field for it: an edit keeps it, and the file holds it after the last key.
TEST_F(ProfileStore, DataAddressSurvivesAnEditAndASave) {
    WriteBytes(ini, "[Mine]\nDataAddress = udata\n");
    Start();
    gadgets.SetState(gadget::kProfileList, 0);
    EditorEdit(app);
    gadgets.SetText(gadget::kLabelField, "Wait");
    EditorOk(app);
    EXPECT_EQ(app.profiles[0].Label, "Wait");
    EXPECT_NE(ReadBytes(ini).find("RegType8 = 0\r\nDataAddress = udata\r\n"), std::string::npos);
    Start();
    EXPECT_EQ(app.profiles[0].DataAddress, "udata");
}

TEST_F(ProfileStore, ProfilesSurviveSaveAndLoadInOrder) {
    Start();
    app.profiles.push_back(MakeProfile("Счётчик", "MP", kFamilyPic16));
    app.profiles[2].Reg[7] = "  spaced";  // read back trimmed
    app.profiles[1].RegType[3] = 1;
    ASSERT_TRUE(SaveAll(app));
    const std::string bytes = ReadBytes(ini);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 1 + 8 + 3 * 19);
    ProfileList expected = app.profiles;
    expected[2].Reg[7] = "spaced";
    Start();
    EXPECT_EQ(app.profiles, expected);
    EXPECT_EQ(Items(gadget::kProfileList), Names());
}

TEST_F(ProfileStore, BuiltInProfilesReachTheFileOnlyWithSaveAll) {
    Start();
    SaveSettings(app);
    Start();
    SaveSettings(app);
    EXPECT_EQ(ReadBytes(ini), kMark + "\r\n" + kWindowGroup);
    EXPECT_EQ(Names(), (std::vector<std::string>{"Default PIC10, PIC12, PIC16", "Default PIC18"}));
}

TEST_F(ProfileStore, EmptyListSavesTheSettingsGroupAloneAndComesBackBuiltIn) {
    Start();
    app.profiles.clear();
    ASSERT_TRUE(SaveAll(app));
    EXPECT_EQ(ReadBytes(ini), kMark + "\r\n" + kWindowGroup);
    Start();
    EXPECT_EQ(app.profiles.size(), 2u);
}

TEST_F(ProfileStore, EveryGroupButWindowAndEmptyNamesIsAProfile) {
    WriteBytes(ini, "[A]\n[Window]\nTime=1\n[]\n[B]\n[window]\n[A]\n");
    Start();
    EXPECT_EQ(Names(), (std::vector<std::string>{"A", "B", "window", "A"}));
}

TEST_F(ProfileStore, MissingKeysTakeTheFileDefaults) {
    WriteBytes(ini, "[P]\nTypePIC=1\n");
    Start();
    ASSERT_EQ(app.profiles.size(), 1u);
    Profile expected = MakeProfile("P", "MP", kFamilyPic18);
    EXPECT_EQ(app.profiles[0], expected);
}

TEST_F(ProfileStore, IntegersKeepTheirLowestBitAndEmptyTextsStayEmpty) {
    WriteBytes(ini,
               "[P]\nTypePIC=2\nRegType1=1\nRegType2=2\nRegType3=3\nRegType4=-1\nRegType5=x\n"
               "RegType6=\nReg1=\nLabel=\n");
    Start();
    const Profile& p = app.profiles.at(0);
    EXPECT_EQ(p.TypePIC, 0);
    EXPECT_EQ(p.RegType, (std::array<int, 8>{1, 0, 1, 1, 0, 0, 0, 0}));
    EXPECT_EQ(p.Reg[0], "");
    EXPECT_EQ(p.Reg[1], "Reg_2");
    EXPECT_EQ(p.Label, "");
}

TEST_F(ProfileStore, SaveAllThatCannotWriteReportsItAndChangesNothing) {
    fs::create_directory(ini);
    Start();
    EXPECT_FALSE(SaveAll(app));
    EXPECT_TRUE(fs::is_directory(ini));

    fs::remove(ini);
    const std::string original = "[Window]\nTime=3\n[Mine]\nReg1=x\n";
    WriteBytes(ini, original);
    fs::permissions(ini, fs::perms::owner_read);
    Start();
    app.profiles.clear();
    EXPECT_FALSE(SaveAll(app));
    EXPECT_EQ(ReadBytes(ini), original);
    EXPECT_EQ(CountEntries(dir.path()), 1u);
}

// The keys of a profile as the program writes them.
std::string ProfileKeys(const std::string& reg1, const std::string& reg2,
                        const std::string& label) {
    std::string keys = "Reg1 = " + reg1 + "\r\nReg2 = " + reg2 + "\r\n";
    for (int n = 3; n <= 8; ++n)
        keys += "Reg" + std::to_string(n) + " = Reg_" + std::to_string(n) + "\r\n";
    keys += "Label = " + label + "\r\nTypePIC = 0\r\n";
    for (int n = 1; n <= 8; ++n)
        keys += "RegType" + std::to_string(n) + " = 0\r\n";
    return keys;
}

// A hand-edited file: comments, empty lines, keys of its own, keys spelled otherwise and lines
// laid out otherwise, in every group, and two profiles whose names differ only in letter case.
const std::string kFast =
    "; the fast one\r\n[Fast]\r\nNote = user note\r\n" + ProfileKeys("f1", "Reg_2", "L") + "\r\n";
const std::string kUsersFile =
    kMark + "\r\n; top comment\r\n\r\n[Window]\r\nCalcState = 1\r\n" +
    "time=0\r\nOscillatorType = 0\r\nOscillator = 4\r\nWdtState = 0\r\n" +
    "NumberProf = 0\r\nLanguage = -1\r\nUserKey = keep me\r\n\r\n" + kFast +
    "[fast]\r\n  Reg1 =  t1\r\n; inside\r\n" + ProfileKeys("t1", "Reg_2", "MP").substr(11) + "\r\n";

struct UsersFileCase {
    const char* action;
    void (*act)(AppState&, ui::MemoryGadgets&);
    // The lines the action changes: from the first `from` on after `after`, to `to`.
    std::vector<std::array<std::string, 3>> edits;
};
class UsersFileSave : public ProfileStore, public ::testing::WithParamInterface<UsersFileCase> {};

void EditTwin(AppState& app, ui::MemoryGadgets& g, int index, const std::string& name) {
    g.SetState(gadget::kProfileList, index);
    EditorEdit(app);
    g.SetText(gadget::kProfileNameField, name);
    g.SetText(gadget::kFirstRegisterField + 1, "x");
    EditorOk(app);
}

TEST_P(UsersFileSave, ChangesOnlyTheLinesOfWhatItChanges) {
    WriteBytes(ini, kUsersFile);
    Start();
    ASSERT_EQ(Names(), (std::vector<std::string>{"Fast", "fast"}));
    GetParam().act(app, gadgets);
    for (const auto& m : gadgets.Messages())
        EXPECT_EQ(m.icon, ui::MessageIcon::Question) << m.text;  // only the delete's question
    std::string expected = kUsersFile;
    for (const auto& [after, from, to] : GetParam().edits) {
        const std::size_t at = expected.find(from, expected.find(after));
        ASSERT_NE(at, std::string::npos) << from;
        expected.replace(at, from.size(), to);
    }
    EXPECT_EQ(ReadBytes(ini), expected);
    const ProfileList saved = app.profiles;
    Start();
    EXPECT_EQ(app.profiles, saved);
}

INSTANTIATE_TEST_SUITE_P(
    ProfileStore, UsersFileSave,
    ::testing::Values(
        UsersFileCase{"close",
                      [](AppState& app, ui::MemoryGadgets& g) {
                          g.SetState(gadget::kTimeUnitCombo, 2);
                          SaveSettings(app);
                      },
                      {{"", "time=0", "Time = 2"}}},
        UsersFileCase{
            "edit the twin",
            [](AppState& app, ui::MemoryGadgets& g) { EditTwin(app, g, 1, "fast"); },
            {{"[fast]", "Reg2 = Reg_2", "Reg2 = x"}, {"", "NumberProf = 0", "NumberProf = 1"}}},
        UsersFileCase{"rename the other twin",
                      [](AppState& app, ui::MemoryGadgets& g) { EditTwin(app, g, 0, "Quick"); },
                      {{"", "[Fast]", "[Quick]"}, {"[Quick]", "Reg2 = Reg_2", "Reg2 = x"}}},
        UsersFileCase{
            "add",
            [](AppState& app, ui::MemoryGadgets& g) {
                g.SetState(gadget::kProfileList, 0);
                EditorNew(app);
                ShowProfileInForm(g, MakeProfile("New", "N", kFamilyPic16));
                EditorOk(app);
            },
            {{"", "[fast]", "[New]\r\n" + ProfileKeys("Reg_1", "Reg_2", "N") + "\r\n[fast]"},
             {"", "NumberProf = 0", "NumberProf = 1"}}},
        UsersFileCase{"delete",
                      [](AppState& app, ui::MemoryGadgets& g) {
                          g.SetState(gadget::kProfileList, 0);
                          g.AnswerNextQuestions({ui::MessageAnswer::Yes});
                          EditorDelete(app);
                      },
                      {{"", "\r\n" + kFast.substr(0, kFast.size() - 2), ""},
                       {"", "NumberProf = 0", "NumberProf = -1"}}}));

TEST_F(ProfileStore, ProfileListOfAFileForToolsWithoutWindow) {
    EXPECT_EQ(ReadStoredSettings(ini).profiles.size(), 2u);
    WriteBytes(ini, "[Window]\n[X]\nLabel=L\n");
    const ProfileList list = ReadStoredSettings(ini).profiles;
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].Name, "X");
    EXPECT_EQ(list[0].Label, "L");
}

}  // namespace
