#include <gtest/gtest.h>

#include <tuple>

#include "app/calculator_mode.h"
#include "app/colors.h"
#include "app/gadget_ids.h"
#include "app/profile_gadget.h"
#include "helpers/app_fixture.h"

using namespace gadget;

namespace {

class EventLoopTest : public AppFixture {
  protected:
    void SetUp() override {
        AddDefaultProfiles(app.profiles);
        FillProfileGadget(gadgets, app.profiles, kProfileCombo, 0);
        FillProfileGadget(gadgets, app.profiles, kProfileList, -1);
    }
};

TEST_F(EventLoopTest, CalculatorCheckBoxSwitchesTheCalculatorGadgetsAndTheCycleField) {
    gadgets.SetState(kCalculatorCheck, 1);
    SetCalculatorMode(app, true);
    gadgets.Click(kCalculatorCheck);  // now off
    Pump();
    for (int n = kCalculatorFrame; n <= kFrequencyField; ++n)
        EXPECT_FALSE(gadgets.IsEnabled(n)) << n;
    EXPECT_FALSE(gadgets.IsReadOnly(kCyclesField));
    EXPECT_EQ(gadgets.TextColor(kCyclesField), colors::kCalculated);
    EXPECT_EQ(gadgets.BackColor(kCyclesField), ui::Color::Default());

    gadgets.Click(kCalculatorCheck);  // on again
    Pump();
    for (int n = kCalculatorFrame; n <= kFrequencyField; ++n)
        EXPECT_TRUE(gadgets.IsEnabled(n)) << n;
    EXPECT_TRUE(gadgets.IsReadOnly(kCyclesField));
    EXPECT_EQ(gadgets.TextColor(kCyclesField), ui::Color::Default());
    EXPECT_EQ(gadgets.BackColor(kCyclesField), ui::Color::ButtonFace());
    // Gadgets outside 3..13 are left alone.
    EXPECT_TRUE(gadgets.IsEnabled(kProfileCombo));
    EXPECT_TRUE(gadgets.IsEnabled(kCyclesField));
}

TEST_F(EventLoopTest, UserEditsMarkTheTimeFrequencyAndCycleFieldsDarkRed) {
    SetCalculatorMode(app, false);
    gadgets.Type(kCyclesField, "12");
    Pump();
    EXPECT_EQ(gadgets.TextColor(kCyclesField), colors::kNotCalculated);

    SetCalculatorMode(app, true);
    gadgets.Type(kTimeField, "5");
    gadgets.Type(kFrequencyField, "4");
    Pump();
    EXPECT_EQ(gadgets.TextColor(kTimeField), colors::kNotCalculated);
    EXPECT_EQ(gadgets.TextColor(kFrequencyField), colors::kNotCalculated);

    // Text the program writes is not a user edit.
    gadgets.SetTextColor(kFrequencyField, ui::Color::Default());
    gadgets.SetText(kFrequencyField, "20");
    Pump();
    EXPECT_EQ(gadgets.TextColor(kFrequencyField), ui::Color::Default());
}

TEST_F(EventLoopTest, EnterOnTheCalculatorPagePostsAClickThatArrivesOnALaterTurn) {
    gadgets.PressKey(ui::kKeyEnter);
    ui::Event key = gadgets.WaitEvent();
    ASSERT_EQ(key.kind, ui::Event::Kind::KeyDown);
    EXPECT_FALSE(gadgets.HasPendingEvent());
    Dispatch(app, key);
    ui::Event posted = gadgets.WaitEvent();
    EXPECT_EQ(posted.kind, ui::Event::Kind::Gadget);
    EXPECT_EQ(posted.gadget, kCalculateButton);
}

TEST_F(EventLoopTest, EnterOnTheOtherPagesAndOtherKeysDoNothing) {
    for (int page : {kPageEditor, kPageAbout}) {
        gadgets.SetState(kPanel, page);
        Dispatch(app, ui::Event::KeyDown(ui::kKeyEnter));
        EXPECT_FALSE(gadgets.HasPendingEvent()) << page;
    }
    gadgets.SetState(kPanel, kPageCalculator);
    Dispatch(app, ui::Event::KeyDown('A'));
    EXPECT_FALSE(gadgets.HasPendingEvent());
}

TEST_F(EventLoopTest, DialogKeysPressTheFocusedButtonOrLinkAndEscapeCancelsTheForm) {
    using M = EditorMode;
    const int enter = ui::kKeyEnter, esc = ui::kKeyEscape, space = ui::kKeySpace, none = -1;
    const std::tuple<int, M, int, int, int> cases[] = {
        // page, form, focus, key: click
        {kPageCalculator, M::Idle, kCyclesField, enter, kCalculateButton},
        {kPageCalculator, M::Idle, kCyclesField, esc, none},
        {kPageEditor, M::Idle, kNewButton, enter, kNewButton},
        {kPageEditor, M::Idle, kDeleteButton, space, none},  // the button's own key
        {kPageEditor, M::Idle, kProfileList, esc, none},
        {kPageEditor, M::New, kOkButton, enter, kOkButton},
        {kPageEditor, M::Editing, kProfileNameField, enter, none},
        {kPageEditor, M::Editing, kProfileNameField, esc, kCancelButton},
        {kPageAbout, M::Idle, kMailLink, enter, kMailLink},
        {kPageAbout, M::Idle, kBanner, space, kBanner},
        {kPageAbout, M::Idle, kLanguageCombo, space, none},
    };
    for (const auto& [page, mode, focus, key, click] : cases) {
        gadgets.SetState(kPanel, page);
        app.editorMode = mode;
        gadgets.Focus(focus);
        Dispatch(app, ui::Event::KeyDown(key));
        ASSERT_EQ(gadgets.HasPendingEvent(), click != none) << focus << " key " << key;
        if (click != none) {
            EXPECT_EQ(gadgets.WaitEvent().gadget, click);
        }
    }
}

TEST_F(EventLoopTest, UnitCombosMoveTheFocusToTheirFields) {
    gadgets.Pick(kTimeUnitCombo, 3);
    Pump();
    EXPECT_EQ(gadgets.FocusedGadget(), kTimeField);
    gadgets.Pick(kFrequencyUnitCombo, 1);
    Pump();
    EXPECT_EQ(gadgets.FocusedGadget(), kFrequencyField);
}

TEST_F(EventLoopTest, EnteringTheEditorPageSelectsTheComboProfileAndLocksTheForm) {
    gadgets.SetState(kProfileCombo, 1);
    gadgets.SwitchPage(kPageEditor);
    Pump();
    EXPECT_EQ(app.currentPage, kPageEditor);
    EXPECT_EQ(gadgets.State(kProfileList), 1);
    EXPECT_EQ(app.editorMode, EditorMode::Idle);
    EXPECT_TRUE(gadgets.IsEnabled(kProfileList));
    EXPECT_FALSE(gadgets.IsEnabled(kProfileNameField));
    EXPECT_FALSE(gadgets.IsEnabled(kOkButton));
    for (int n = kFirstAccessCombo; n < kFirstAccessCombo + 8; ++n)
        EXPECT_FALSE(gadgets.IsVisible(n));
}

TEST_F(EventLoopTest, TheBannerHandAppearsOnlyWhileTheAboutPageIsShown) {
    gadgets.MovePointer(kBanner);  // page 0: the banner's rectangle means nothing
    Pump();
    EXPECT_EQ(gadgets.Cursor(), ui::CursorShape::Arrow);

    gadgets.SwitchPage(kPageAbout);
    gadgets.MovePointer(kBanner);
    Pump();
    EXPECT_EQ(gadgets.Cursor(), ui::CursorShape::Hand);
    EXPECT_TRUE(app.handCursorShown);
    gadgets.MovePointer(-1);
    Pump();
    EXPECT_EQ(gadgets.Cursor(), ui::CursorShape::Arrow);
    EXPECT_FALSE(app.handCursorShown);
}

TEST_F(EventLoopTest, BannerAndMailLinkOpenTheirTargetsOncePerClick) {
    gadgets.SwitchPage(kPageAbout);
    gadgets.Click(kBanner);
    gadgets.Click(kMailLink);
    Pump();
    ASSERT_EQ(gadgets.OpenedUrls().size(), 2u);
    EXPECT_EQ(gadgets.OpenedUrls()[0].rfind("https://", 0), 0u);
    EXPECT_EQ(gadgets.OpenedUrls()[1], "mailto:" + gadgets.Text(kMailLink));
    EXPECT_TRUE(gadgets.Messages().empty());
}

TEST_F(EventLoopTest, TheLoopRunsUntilTheCloseRequest) {
    gadgets.Pick(kTimeUnitCombo, 2);
    gadgets.RequestClose();
    gadgets.Pick(kTimeUnitCombo, 4);  // never reached
    RunEventLoop(app);
    EXPECT_TRUE(gadgets.HasPendingEvent());
    EXPECT_EQ(gadgets.FocusedGadget(), kTimeField);
}

TEST_F(EventLoopTest, FillProfileGadgetListsNamesInOrderWithOrWithoutSelection) {
    app.profiles.push_back(MakeProfile("Mine", "MP", kFamilyPic18));
    FillProfileGadget(gadgets, app.profiles, kProfileList, -1);
    ASSERT_EQ(gadgets.ItemCount(kProfileList), 3);
    EXPECT_EQ(gadgets.ItemText(kProfileList, 0), "Default PIC10, PIC12, PIC16");
    EXPECT_EQ(gadgets.ItemText(kProfileList, 1), "Default PIC18");
    EXPECT_EQ(gadgets.ItemText(kProfileList, 2), "Mine");
    EXPECT_EQ(gadgets.State(kProfileList), -1);
    FillProfileGadget(gadgets, app.profiles, kProfileCombo, 2);
    EXPECT_EQ(gadgets.ItemCount(kProfileCombo), 3);
    EXPECT_EQ(gadgets.State(kProfileCombo), 2);
}

}  // namespace
