#include <gtest/gtest.h>

#include "profile_editor_fixture.h"

using namespace gadget;
using ui::MessageAnswer;

namespace {

const MessageTexts kTexts = DefaultMessageTexts();

class Editor : public EditorFixture {};

TEST_F(Editor, NewThenOkInsertsAfterTheSelectedProfileAndSelectsIt) {
    Start({"A", "B", "C"}, 1);
    Do(kNewButton);
    TypeForm("N");
    Do(kOkButton);
    ExpectGadgetsShow({"A", "B", "N", "C"}, 2);
    Profile expected = MakeProfile("N", "L", kFamilyPic16);
    expected.Reg.fill("r");
    EXPECT_EQ(app.profiles[2], expected);
    EXPECT_EQ(app.editorMode, kEditorIdle);
    EXPECT_FALSE(g.IsEnabled(kOkButton));
}

TEST_F(Editor, NewWithoutSelectionGoesSecondAndSelectsTheFirst) {
    Start({"A", "B"}, -1);
    Do(kNewButton);
    TypeForm("N");
    Do(kOkButton);
    ExpectGadgetsShow({"A", "N", "B"}, 0);
}

TEST_F(Editor, NewIntoAnEmptyListMakesTheOnlyProfile) {
    Start({}, -1);
    Do(kNewButton);
    TypeForm("N");
    Do(kOkButton);
    ExpectGadgetsShow({"N"}, 0);
}

TEST_F(Editor, EditStoresEveryFieldEvenHiddenAccessModes) {
    Start({"A", "B"}, 1);
    Do(kEditButton);
    EXPECT_EQ(app.editorMode, kEditorEditing);
    EXPECT_EQ(g.Text(kProfileNameField), "B");
    EXPECT_EQ(g.Text(kFirstRegisterField + 7), "Reg_8");
    g.Pick(kFamilyCombo, kFamilyPic18);
    Pump();
    EXPECT_TRUE(g.IsVisible(kFirstAccessCombo + 7));
    g.Pick(kFirstAccessCombo + 2, kBanked);
    g.Pick(kFamilyCombo, kFamilyPic16);
    Pump();
    EXPECT_FALSE(g.IsVisible(kFirstAccessCombo + 2));
    g.Type(kFirstRegisterField + 7, "x");
    g.Type(kProfileNameField, "b");  // "Bb"
    Do(kOkButton);
    Profile expected = MakeProfile("Bb", "$", kFamilyPic16);
    expected.Reg[7] = "Reg_8x";
    expected.RegType[2] = kBanked;
    EXPECT_EQ(app.profiles[1], expected);
    ExpectGadgetsShow({"A", "Bb"}, 1);

    g.DoubleClick(kProfileList, 1);  // reopened, it shows what was stored
    Pump();
    EXPECT_EQ(g.State(kFirstAccessCombo + 2), kBanked);
    EXPECT_FALSE(g.IsVisible(kFirstAccessCombo + 2));
}

TEST_F(Editor, EditMayKeepTheNameOrRecaseItButNotTakeAnother) {
    Start({"Fast", "Slow"}, 0);
    Do(kEditButton);
    Do(kOkButton);
    Do(kEditButton);
    g.SetText(kProfileNameField, "FAST");
    Do(kOkButton);
    EXPECT_EQ(Names(), (std::vector<std::string>{"FAST", "Slow"}));
    Do(kEditButton);
    g.SetText(kProfileNameField, "slow");
    Do(kOkButton);
    EXPECT_EQ(g.Messages().back().text, kTexts[Msg::ProfileName_Exists]);
    EXPECT_EQ(app.editorMode, kEditorEditing);
    EXPECT_EQ(Names(), (std::vector<std::string>{"FAST", "Slow"}));
}

TEST_F(Editor, FamilyComboShowsAccessModesForPic18Only) {
    Start({"A"}, -1);
    Do(kNewButton);
    for (int k = 0; k < 8; ++k)
        EXPECT_FALSE(g.IsVisible(kFirstAccessCombo + k));
    g.Pick(kFamilyCombo, kFamilyPic18);
    Pump();
    for (int k = 0; k < 8; ++k)
        EXPECT_TRUE(g.IsVisible(kFirstAccessCombo + k));
    g.Pick(kFamilyCombo, kFamilyPic16);
    Pump();
    for (int k = 0; k < 8; ++k)
        EXPECT_FALSE(g.IsVisible(kFirstAccessCombo + k));
}

TEST_F(Editor, LockingSwapsListAndFormAndEmptiesTheForm) {
    Start({"A", "B"}, 1);
    EXPECT_EQ(g.State(kProfileList), 1);  // follows the profile combo
    Do(kEditButton);
    for (int n = kProfileNameLabel; n <= kCancelButton; ++n)
        EXPECT_TRUE(g.IsEnabled(n)) << n;
    for (int n = kProfileList; n <= kDeleteButton; ++n)
        EXPECT_FALSE(g.IsEnabled(n)) << n;
    EXPECT_TRUE(g.IsEnabled(kFirstAccessCombo));
    EXPECT_FALSE(g.IsVisible(kFirstAccessCombo));  // "B" is a PIC10/12/16 profile
    Do(kCancelButton);
    EXPECT_EQ(app.editorMode, kEditorIdle);
    for (int n = kProfileNameLabel; n <= kFirstAccessCombo + 7; ++n)
        EXPECT_FALSE(g.IsEnabled(n));
    for (int n = kProfileList; n <= kDeleteButton; ++n)
        EXPECT_TRUE(g.IsEnabled(n)) << n;
    for (int n = kFirstRegisterField; n <= kLabelField; ++n)
        EXPECT_EQ(g.Text(n), "");
    EXPECT_EQ(g.Text(kProfileNameField), "");
    EXPECT_FALSE(g.IsVisible(kFirstAccessCombo));
    EXPECT_EQ(g.State(kFamilyCombo), kFamilyPic16);
    EXPECT_EQ(Names(), (std::vector<std::string>{"A", "B"}));
}

TEST_F(Editor, ComingBackToThePageAbandonsTheEdit) {
    Start({"A", "B"}, 0);
    Do(kEditButton);
    g.Type(kProfileNameField, "x");
    g.SwitchPage(kPageAbout);
    Pump();
    EXPECT_EQ(g.Text(kProfileNameField), "Ax");  // leaving keeps the form
    g.SwitchPage(kPageEditor);
    Pump();
    EXPECT_EQ(app.editorMode, kEditorIdle);
    EXPECT_EQ(g.Text(kProfileNameField), "");
    EXPECT_FALSE(g.IsEnabled(kOkButton));
    EXPECT_EQ(Names(), (std::vector<std::string>{"A", "B"}));
}

TEST_F(Editor, DeleteAsksAndNoIsTheDefault) {
    Start({"A", "B", "C"}, 2);
    Do(kDeleteButton);
    ASSERT_EQ(g.Messages().size(), 1u);
    const ui::ShownMessage& q = g.Messages()[0];
    EXPECT_EQ(q.title, app.editorTitle);
    EXPECT_EQ(q.text, kTexts[Msg::Del_Profile] + "\"C\"?");
    EXPECT_EQ(q.text, "Вы действительно хотите удалить профиль \"C\"?");
    EXPECT_EQ(q.icon, ui::MessageIcon::Question);
    EXPECT_EQ(q.buttons, ui::MessageButtons::YesNo);
    ExpectGadgetsShow({"A", "B", "C"}, 2);

    g.AnswerNextQuestions({MessageAnswer::Yes});
    Do(kDeleteButton);
    ExpectGadgetsShow({"A", "B"}, 1);
    g.Pick(kProfileList, 0);
    g.AnswerNextQuestions({MessageAnswer::Yes});
    Do(kDeleteButton);
    ExpectGadgetsShow({"B"}, -1);
}

TEST_F(Editor, RefusalsWithoutSelection) {
    Start({"A"}, -1);
    Do(kEditButton);
    Do(kDeleteButton);
    EXPECT_EQ(MessageTextsShown(), (std::vector<std::string>{kTexts[Msg::No_Profile_Edit],
                                                             kTexts[Msg::No_Chose_Del_Profile]}));
    EXPECT_EQ(app.editorMode, kEditorIdle);
    EXPECT_EQ(Names(), (std::vector<std::string>{"A"}));
}

// Each row fails one check while every later check would fail too.
struct OkCase {
    const char* name;
    const char* regs;
    const char* label;
    std::string message;
};

class OkChecks : public EditorFixture, public ::testing::WithParamInterface<OkCase> {};

TEST_P(OkChecks, FirstFailureIsShownAndNothingChanges) {
    Start({"Fast", "Slow"}, 0);
    Do(kNewButton);
    TypeForm(GetParam().name, GetParam().regs, GetParam().label);
    Do(kOkButton);
    ASSERT_EQ(g.Messages().size(), 1u);
    EXPECT_EQ(g.Messages()[0].text, GetParam().message);
    EXPECT_EQ(g.Messages()[0].title, app.editorTitle);
    EXPECT_EQ(g.Messages()[0].icon, ui::MessageIcon::Warning);
    EXPECT_EQ(app.editorMode, kEditorNew);
    EXPECT_TRUE(g.IsEnabled(kOkButton));
    EXPECT_EQ(Names(), (std::vector<std::string>{"Fast", "Slow"}));
}

const std::string kForbidden = " - запрещённое имя профиля!";

INSTANTIATE_TEST_SUITE_P(
    Editor, OkChecks,
    ::testing::Values(OkCase{"", "", "", kTexts[Msg::No_Profile_Name]},
                      OkCase{"window", "", "", "\"Window\"" + kForbidden},
                      OkCase{"WINDOW", "r", "L", "\"Window\"" + kForbidden},
                      OkCase{"wInDoW", "r", "L", "\"Window\"" + kForbidden},
                      OkCase{"[x]y", "", "", "\"[x]y\"" + kForbidden},
                      OkCase{"slow", "", "L", kTexts[Msg::No_Filled_Field]},
                      OkCase{"slow", "r", "", kTexts[Msg::No_Filled_Field]},
                      OkCase{"SLOW", "r", "L", kTexts[Msg::ProfileName_Exists]},
                      OkCase{"Fast", "r", "L", kTexts[Msg::ProfileName_Exists]}));

}  // namespace

namespace {

TEST_F(Editor, UnsavableChangeStaysInMemoryButIsReported) {
    Start({"A"}, 0);
    std::filesystem::remove_all(app.folder);  // nowhere to write the settings file
    Do(kNewButton);
    TypeForm("N");
    Do(kOkButton);
    ASSERT_EQ(g.Messages().size(), 1u);
    EXPECT_EQ(g.Messages()[0].title, app.editorTitle);
    EXPECT_EQ(g.Messages()[0].text, "Не удалось сохранить файл настроек!");
    EXPECT_EQ(g.Messages()[0].icon, ui::MessageIcon::Warning);
    ExpectGadgetsShow({"A", "N"}, 1);
    EXPECT_EQ(app.editorMode, kEditorIdle);
}

TEST_F(Editor, EditedProfileVanishingIsReportedNotWritten) {
    Start({"A", "B"}, 1);
    Do(kEditButton);
    app.profiles.pop_back();
    Do(kOkButton);
    ASSERT_EQ(g.Messages().size(), 1u);
    EXPECT_EQ(g.Messages()[0].text, kTexts[Msg::Memory_Error]);
    EXPECT_EQ(g.Messages()[0].icon, ui::MessageIcon::Error);
    EXPECT_EQ(Names(), (std::vector<std::string>{"A"}));
}

}  // namespace
