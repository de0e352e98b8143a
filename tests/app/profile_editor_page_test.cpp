#include "app/profile_editor_page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "app/app_state.h"
#include "app/event_loop.h"
#include "app/gadget_ids.h"
#include "app/main_window_layout.h"
#include "app/profile_gadget.h"
#include "helpers/memory_gadgets.h"
#include "helpers/temp_folder.h"
#include "store/profile_store.h"

using namespace gadget;
using Names = std::vector<std::string>;

namespace {

const MessageTexts kTexts = DefaultMessageTexts();

// The program on page 1 over in-memory gadgets, in a fresh temporary folder.
class Editor : public ::testing::Test {
  protected:
    testing_files::TempFolder dir;
    ui::MemoryGadgets g{MainWindowLayout()};
    AppState app{g, dir.path(), PortableLocations(dir.path())};

    // `selected` is the profile combo's choice, which the list takes over on page entry.
    void Start(const Names& names, int selected) {
        for (const std::string& n : names)
            app.profiles.push_back(MakeProfile(n, "$", 0));
        FillProfileGadget(g, app.profiles, kProfileCombo, selected);
        FillProfileGadget(g, app.profiles, kProfileList, -1);
        LockEditor(app, true);
        g.SwitchPage(kPageEditor);
        Pump();
    }
    void Pump() {
        while (g.HasPendingEvent())
            Dispatch(app, g.WaitEvent());
    }
    void Do(int button) {
        g.Click(button);
        Pump();
    }
    void TypeForm(const std::string& name, const std::string& regs = "r",
                  const std::string& label = "L") {
        g.Type(kProfileNameField, name);
        for (int n = kFirstRegisterField; n < kLabelField; ++n)
            g.Type(n, regs);
        g.Type(kLabelField, label);
        Pump();
    }
    // The list and both profile gadgets must agree, item for item.
    void Expect(const Names& names, int selected) {
        Names listed;
        for (const Profile& p : app.profiles)
            listed.push_back(p.Name);
        EXPECT_EQ(listed, names);
        for (int gadget : {kProfileList, kProfileCombo}) {
            Names items;
            for (int i = 0; i < g.ItemCount(gadget); ++i)
                items.push_back(g.ItemText(gadget, i));
            EXPECT_EQ(items, names) << "gadget " << gadget;
            EXPECT_EQ(g.State(gadget), selected) << "gadget " << gadget;
        }
    }
    Names Shown() const {
        Names out;
        for (const ui::ShownMessage& m : g.Messages())
            out.push_back(m.text);
        return out;
    }
};

struct NewCase {
    Names before;
    int selected;
    Names after;
    int selectedAfter;
};
class NewProfile : public Editor, public ::testing::WithParamInterface<NewCase> {};

TEST_P(NewProfile, GoesAfterTheSelectionElseSecond) {
    Start(GetParam().before, GetParam().selected);
    Do(kNewButton);
    TypeForm("N");
    Do(kOkButton);
    Expect(GetParam().after, GetParam().selectedAfter);
    EXPECT_EQ(app.editorMode, EditorMode::Idle);
    EXPECT_FALSE(g.IsEnabled(kOkButton));
}

INSTANTIATE_TEST_SUITE_P(Editor, NewProfile,
                         ::testing::Values(NewCase{{"A", "B", "C"}, 1, {"A", "B", "N", "C"}, 2},
                                           NewCase{{"A", "B"}, -1, {"A", "N", "B"}, 0},
                                           NewCase{{"A"}, -1, {"A", "N"}, 0},
                                           NewCase{{}, -1, {"N"}, 0}));

TEST_F(Editor, EditStoresEveryFieldAndHiddenAccessModes) {
    Start({"A", "B"}, 1);
    Do(kEditButton);
    EXPECT_EQ(g.Text(kFirstRegisterField + 7), "Reg_8");
    g.Pick(kFamilyCombo, kFamilyPic18);
    Pump();
    for (int k = 0; k < 8; ++k)
        EXPECT_TRUE(g.IsVisible(kFirstAccessCombo + k));
    g.Pick(kFirstAccessCombo + 2, kBanked);
    g.Pick(kFamilyCombo, kFamilyPic16);
    Pump();
    for (int k = 0; k < 8; ++k)
        EXPECT_FALSE(g.IsVisible(kFirstAccessCombo + k));
    g.Type(kFirstRegisterField + 7, "x");
    g.Type(kProfileNameField, "b");
    Do(kOkButton);
    Profile expected = MakeProfile("Bb", "$", kFamilyPic16);
    expected.Reg[7] = "Reg_8x";
    expected.RegType[2] = kBanked;
    EXPECT_EQ(app.profiles[1], expected);
    Expect({"A", "Bb"}, 1);
    g.DoubleClick(kProfileList, 0);
    Pump();
    EXPECT_EQ(app.editorMode, EditorMode::Editing);
    EXPECT_EQ(g.Text(kProfileNameField), "A");
}

TEST_F(Editor, EditMayKeepOrRecaseItsNameButNotTakeAnother) {
    Start({"Fast", "Slow"}, 0);
    Do(kEditButton);
    Do(kOkButton);
    Do(kEditButton);
    g.SetText(kProfileNameField, "FAST");
    Do(kOkButton);
    Do(kEditButton);
    g.SetText(kProfileNameField, "slow");
    Do(kOkButton);
    EXPECT_EQ(Shown(), Names{kTexts[Msg::ProfileName_Exists]});
    EXPECT_EQ(app.editorMode, EditorMode::Editing);
    Expect({"FAST", "Slow"}, 0);
}

TEST_F(Editor, LockSwapsListAndFormAndReturningToThePageAbandonsTheEdit) {
    Start({"A", "B"}, 1);
    Do(kEditButton);
    for (int n = kProfileNameLabel; n <= kCancelButton; ++n)
        EXPECT_TRUE(g.IsEnabled(n)) << n;
    for (int n = kProfileList; n <= kDeleteButton; ++n)
        EXPECT_FALSE(g.IsEnabled(n)) << n;
    EXPECT_FALSE(g.IsVisible(kFirstAccessCombo));  // a PIC10/12/16 profile
    g.Type(kProfileNameField, "x");
    g.SwitchPage(kPageAbout);
    Pump();
    EXPECT_EQ(g.Text(kProfileNameField), "Bx");  // leaving keeps the form
    g.SwitchPage(kPageEditor);
    Pump();
    EXPECT_EQ(app.editorMode, EditorMode::Idle);
    for (int n = kProfileNameLabel; n <= kFirstAccessCombo + 7; ++n)
        EXPECT_FALSE(g.IsEnabled(n));
    for (int n = kProfileList; n <= kDeleteButton; ++n)
        EXPECT_TRUE(g.IsEnabled(n)) << n;
    for (int n : {kProfileNameField, kFirstRegisterField + 7, kLabelField})
        EXPECT_EQ(g.Text(n), "") << n;
    Expect({"A", "B"}, 1);
    EXPECT_TRUE(Shown().empty());
}

TEST_F(Editor, DeleteAsksWithNoAsDefaultAndSelectsThePrevious) {
    Start({"A", "B", "C"}, 2);
    Do(kDeleteButton);
    ASSERT_EQ(g.Messages().size(), 1u);
    EXPECT_EQ(g.Messages()[0].text, "Вы действительно хотите удалить профиль \"C\"?");
    EXPECT_EQ(g.Messages()[0].title, app.editorTitle);
    EXPECT_EQ(g.Messages()[0].icon, ui::MessageIcon::Question);
    EXPECT_EQ(g.Messages()[0].buttons, ui::MessageButtons::YesNo);
    Expect({"A", "B", "C"}, 2);
    g.AnswerNextQuestions({ui::MessageAnswer::Yes});
    Do(kDeleteButton);
    Expect({"A", "B"}, 1);
    g.Pick(kProfileList, 0);
    g.AnswerNextQuestions({ui::MessageAnswer::Yes});
    Do(kDeleteButton);
    Expect({"B"}, -1);
}

TEST_F(Editor, EditAndDeleteNeedASelection) {
    Start({"A"}, -1);
    Do(kEditButton);
    Do(kDeleteButton);
    EXPECT_EQ(Shown(), (Names{kTexts[Msg::No_Profile_Edit], kTexts[Msg::No_Chose_Del_Profile]}));
    Expect({"A"}, -1);
}

// Rows that fail a check also fail every later one, so the order shows.
struct OkCase {
    const char* name;
    const char* regs;
    const char* label;
    std::string complaint;  // empty: accepted
};
class OkChecks : public Editor, public ::testing::WithParamInterface<OkCase> {};

TEST_P(OkChecks, FirstFailureIsShownAndNothingChanges) {
    Start({"Fast", "Slow", "Фаст"}, 0);
    Do(kNewButton);
    TypeForm(GetParam().name, GetParam().regs, GetParam().label);
    Do(kOkButton);
    if (GetParam().complaint.empty()) {
        EXPECT_TRUE(Shown().empty());
        EXPECT_EQ(app.profiles[1].Name, GetParam().name);
        return;
    }
    EXPECT_EQ(Shown(), Names{GetParam().complaint});
    EXPECT_EQ(g.Messages()[0].title, app.editorTitle);
    EXPECT_EQ(g.Messages()[0].icon, ui::MessageIcon::Warning);
    EXPECT_EQ(app.editorMode, EditorMode::New);
    Expect({"Fast", "Slow", "Фаст"}, 0);
}

const std::string kForbidden = " - запрещённое имя профиля!";

INSTANTIATE_TEST_SUITE_P(
    Editor, OkChecks,
    ::testing::Values(OkCase{"", "", "", kTexts[Msg::No_Profile_Name]},
                      OkCase{"window", "", "", "\"Window\"" + kForbidden},
                      OkCase{"WINDOW", "r", "L", "\"Window\"" + kForbidden},
                      OkCase{"[x]y", "", "", "\"[x]y\"" + kForbidden},
                      // Control characters; a direction control is isolated in the message.
                      OkCase{"a\tb", "", "", "\"a\tb\"" + kForbidden},
                      OkCase{"e\u202Evil", "r", "L", "\"\u2068e\u202Evil\u2069\"" + kForbidden},
                      OkCase{"slow", "", "L", kTexts[Msg::No_Filled_Field]},
                      OkCase{"slow", "r", "", kTexts[Msg::No_Filled_Field]},
                      OkCase{"slow", " \t ", "L", kTexts[Msg::No_Filled_Field]},
                      OkCase{"slow", "r", "\t", kTexts[Msg::No_Filled_Field]},
                      OkCase{"sLOW", "r", "L", kTexts[Msg::ProfileName_Exists]},
                      OkCase{"Fast", "r", "L", kTexts[Msg::ProfileName_Exists]},
                      OkCase{"   ", "r", "L", ""}, OkCase{" window", "r", "L", ""},
                      OkCase{"Window1", "r", "L", ""}, OkCase{"ФАСТ", "r", "L", ""}));

// The two pic-as items of the family combo: TypePIC + 2 x syntax, access modes for PIC 18.
TEST_F(Editor, PicAsItemsStoreTheSyntaxAndShowAccessModesForPic18) {
    Start({"A"}, 0);
    Do(kNewButton);
    for (int item : {3, 2, 1, 0, 3}) {
        g.Pick(kFamilyCombo, item);
        Pump();
        EXPECT_EQ(g.IsVisible(kFirstAccessCombo + 7), item % 2 == 1) << item;
    }
    g.Pick(kFirstAccessCombo, kBanked);
    TypeForm("N", "cnt", "lp");
    g.SetText(kFirstRegisterField + 7, "cnt8");
    Do(kOkButton);
    ASSERT_TRUE(Shown().empty()) << Shown()[0];
    Profile n = MakeProfile("N", "lp", kFamilyPic18);
    n.Reg.fill("cnt");
    n.Reg[7] = "cnt8";
    n.RegType[0] = kBanked;
    n.Syntax = kSyntaxCurrent;
    EXPECT_EQ(app.profiles[1], n);
    EXPECT_EQ(ReadStoredSettings(app.SettingsPath()).profiles, app.profiles);

    Do(kEditButton);
    EXPECT_EQ(g.State(kFamilyCombo), 3);
    EXPECT_TRUE(g.IsVisible(kFirstAccessCombo));
    g.Pick(kFamilyCombo, 2);
    Do(kOkButton);
    EXPECT_EQ(app.profiles[1].TypePIC, kFamilyPic16);
    EXPECT_EQ(app.profiles[1].Syntax, kSyntaxCurrent);
    Do(kEditButton);
    EXPECT_EQ(g.State(kFamilyCombo), 2);
    EXPECT_FALSE(g.IsVisible(kFirstAccessCombo));
    g.Pick(kFamilyCombo, 0);
    Do(kOkButton);
    EXPECT_EQ(app.profiles[1].Syntax, kSyntaxClassic);
    EXPECT_EQ(testing_files::ReadBytes(app.SettingsPath()).find("Syntax"), std::string::npos);
}

struct SyntaxCase {
    int family;  // item of the family combo
    const char* name;
    const char* regs;
    const char* label;
    std::string complaint;  // empty: accepted
};
class NamesOfTheSyntax : public Editor, public ::testing::WithParamInterface<SyntaxCase> {};

// The assembler's rule comes after every earlier check; classic profiles take any name.
TEST_P(NamesOfTheSyntax, PicAsRefusesWhatItCannotAssemble) {
    Start({"Fast"}, 0);
    Do(kNewButton);
    g.Pick(kFamilyCombo, GetParam().family);
    TypeForm(GetParam().name, GetParam().regs, GetParam().label);
    Do(kOkButton);
    if (GetParam().complaint.empty()) {
        EXPECT_TRUE(Shown().empty()) << Shown()[0];
        EXPECT_EQ(app.profiles.size(), 2u);
        return;
    }
    EXPECT_EQ(Shown(), Names{GetParam().complaint});
    EXPECT_EQ(g.Messages()[0].title, app.editorTitle);
    EXPECT_EQ(app.editorMode, EditorMode::New);
    EXPECT_EQ(app.profiles.size(), 1u);
}

const std::string kPicAs = kTexts[Msg::Forbidden_Asm_Name];

INSTANTIATE_TEST_SUITE_P(
    Editor, NamesOfTheSyntax,
    ::testing::Values(SyntaxCase{3, "N", "cnt", "lp", ""}, SyntaxCase{2, "N", "cnt", "$", ""},
                      SyntaxCase{3, "N", "cnt", "1st", "\"1st\"" + kPicAs},
                      SyntaxCase{2, "N", "Reg 1", "lp", "\"Reg 1\"" + kPicAs},
                      SyntaxCase{3, "N", "c", "lp", "\"c\"" + kPicAs},
                      SyntaxCase{2, "N", "Счёт", "lp", "\"Счёт\"" + kPicAs},
                      SyntaxCase{3, "N", "cnt", "Decfsz", "\"Decfsz\"" + kPicAs},
                      SyntaxCase{2, "N", "cnt", "cnt", "\"cnt\"" + kPicAs},
                      SyntaxCase{3, "N", "", "1st", kTexts[Msg::No_Filled_Field]},
                      SyntaxCase{3, "Fast", "c", "lp", kTexts[Msg::ProfileName_Exists]},
                      SyntaxCase{0, "N", "Reg 1", "1st", ""}, SyntaxCase{1, "N", "c", "nop", ""}));

// The settings file as SaveAll lays it out: mark, empty line, "Window" and its seven keys,
// then 19 lines per profile.
std::string ProfileLines(const Profile& p) {
    std::string s = "[" + p.Name + "]\r\n";
    for (int k = 0; k < 8; ++k)
        s += "Reg" + std::to_string(k + 1) + " = " + p.Reg[k] + "\r\n";
    s += "Label = " + p.Label + "\r\nTypePIC = " + std::to_string(p.TypePIC) + "\r\n";
    for (int k = 0; k < 8; ++k) {
        s += "RegType" + std::to_string(k + 1) + " = " + std::to_string(p.RegType[k]) + "\r\n";
    }
    return s;
}

void ExpectFileHolds(const std::filesystem::path& file, const ProfileList& list, int selected) {
    const std::string text = testing_files::ReadBytes(file);
    std::string profiles;
    for (const Profile& p : list)
        profiles += ProfileLines(p);
    ASSERT_GT(text.size(), profiles.size());
    const std::string head = text.substr(0, text.size() - profiles.size());
    EXPECT_EQ(text.substr(head.size()), profiles);
    EXPECT_EQ(head.rfind("\xEF\xBB\xBF\r\n[Window]\r\nCalcState = ", 0), 0u);
    EXPECT_EQ(std::count(head.begin(), head.end(), '\n'), 9);
    EXPECT_NE(head.find("\r\nNumberProf = " + std::to_string(selected) + "\r\n"),
              std::string::npos);
}

TEST_F(Editor, EveryAcceptedChangeRewritesTheFile) {
    Start({"A", "B"}, 0);
    Profile a = MakeProfile("A", "$", kFamilyPic16), b = MakeProfile("B", "$", kFamilyPic16);
    Do(kNewButton);
    TypeForm("Ню");
    Do(kOkButton);
    Profile n = MakeProfile("Ню", "L", kFamilyPic16);
    n.Reg.fill("r");
    ExpectFileHolds(app.SettingsPath(), {a, n, b}, 1);

    g.Pick(kProfileList, 2);
    Do(kEditButton);
    g.Pick(kFamilyCombo, kFamilyPic18);
    Pump();
    g.Pick(kFirstAccessCombo + 7, kBanked);
    g.Type(kLabelField, "1");
    Do(kOkButton);
    b.TypePIC = kFamilyPic18;
    b.RegType[7] = kBanked;
    b.Label = "$1";
    ExpectFileHolds(app.SettingsPath(), {a, n, b}, 2);

    g.Pick(kProfileList, 0);
    g.AnswerNextQuestions({ui::MessageAnswer::Yes});
    Do(kDeleteButton);
    ExpectFileHolds(app.SettingsPath(), {n, b}, -1);
    ASSERT_EQ(g.Messages().size(), 1u);  // the question; every save went through
}

struct KeptCase {
    const char* name;
    const char* regs;
    const char* label;
    const char* storedName;
};
class KeptAsReadBack : public Editor, public ::testing::WithParamInterface<KeptCase> {};

// The file trims blanks around values but not around group names; what the editor keeps in
// memory must be what the next start reads.
TEST_P(KeptAsReadBack, TheNextStartSeesTheSameProfile) {
    Start({"A"}, 0);
    Do(kNewButton);
    TypeForm(GetParam().name, GetParam().regs, GetParam().label);
    Do(kOkButton);
    ASSERT_TRUE(Shown().empty()) << Shown()[0];
    ASSERT_EQ(app.profiles.size(), 2u);
    EXPECT_EQ(app.profiles[1].Name, GetParam().storedName);
    EXPECT_EQ(ReadStoredSettings(app.SettingsPath()).profiles, app.profiles);
}

INSTANTIATE_TEST_SUITE_P(Editor, KeptAsReadBack,
                         ::testing::Values(KeptCase{"N", " r ", "\tL ", "N"},
                                           KeptCase{" N ", "r", " $", " N "},
                                           KeptCase{"   ", "r\t", "$ ", "   "},
                                           KeptCase{"a\r\nb", "r\n", "\nL", "a  b"}));

TEST_F(Editor, BlanksAroundTheLabelDoNotHideRelativeJumps) {
    Start({"A"}, 0);
    Do(kNewButton);
    TypeForm("N", " r", " $ ");
    Do(kOkButton);
    EXPECT_EQ(app.profiles[1].Label, "$");
    EXPECT_EQ(app.profiles[1].Reg[0], "r");
}

class Unsavable : public Editor, public ::testing::WithParamInterface<bool> {};

// The folder is gone, or the settings file's name is taken by a folder.
TEST_P(Unsavable, ChangeStaysInMemoryButIsReported) {
    Start({"A"}, 0);
    std::filesystem::remove_all(app.folder);
    if (GetParam())
        std::filesystem::create_directories(app.SettingsPath());
    Do(kNewButton);
    TypeForm("N");
    Do(kOkButton);
    ASSERT_EQ(g.Messages().size(), 1u);
    EXPECT_EQ(g.Messages()[0].title, app.editorTitle);
    EXPECT_EQ(g.Messages()[0].text, "Не удалось сохранить файл настроек!");
    EXPECT_EQ(g.Messages()[0].icon, ui::MessageIcon::Warning);
    Expect({"A", "N"}, 1);
    EXPECT_EQ(app.editorMode, EditorMode::Idle);
    EXPECT_EQ(std::filesystem::is_directory(app.SettingsPath()), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Editor, Unsavable, ::testing::Bool());

TEST_F(Editor, EditedProfileVanishingIsReportedNotWritten) {
    Start({"A", "B"}, 1);
    Do(kEditButton);
    app.profiles.pop_back();
    Do(kOkButton);
    EXPECT_EQ(Shown(), Names{kTexts[Msg::Memory_Error]});
    EXPECT_EQ(g.Messages()[0].icon, ui::MessageIcon::Error);
    EXPECT_EQ(app.profiles, ProfileList{MakeProfile("A", "$", kFamilyPic16)});
}

}  // namespace
