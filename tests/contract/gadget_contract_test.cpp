// What app/ relies on from ui::Gadgets, held against every face this build has.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/gadget_ids.h"
#include "contract/faces.h"

using namespace gadget;
using ui::Color;
using ui::Event;

namespace {

template <typename Face>
class GadgetContract : public ::testing::Test {
  protected:
    ui::Gadgets& G() { return face.Gadgets(); }

    // The gadget events queued so far: keys and mouse moves are left aside, as each face
    // reports them at its own level.
    std::vector<std::pair<int, int>> TakeGadgetEvents() {
        face.Pump();
        std::vector<std::pair<int, int>> out;
        while (face.HasPendingEvent()) {
            const Event e = G().WaitEvent();
            if (e.kind == Event::Kind::Gadget)
                out.emplace_back(e.gadget, e.type);
        }
        return out;
    }

    Face face;
};

using Faces = ::testing::Types<MemoryFace
#if defined(LOOPSMITH_CONTRACT_QT)
                               ,
                               QtFace
#endif
#if defined(LOOPSMITH_CONTRACT_WIN32)
                               ,
                               Win32Face
#endif
#if defined(LOOPSMITH_CONTRACT_WEB)
                               ,
                               WebFace
#endif
                               >;
TYPED_TEST_SUITE(GadgetContract, Faces);

using Events = std::vector<std::pair<int, int>>;

TYPED_TEST(GadgetContract, TextsStatesAndItemsReadBackAsSet) {
    ui::Gadgets& g = this->G();
    const std::string cyrillic = "Длительность «задержки» — 5 µs, R&D && Co";
    for (int gadget : {kCyclesLabel, kTimeField, kCalculateButton, kWatchdogCheck, kTimeFrame}) {
        g.SetText(gadget, cyrillic);
        EXPECT_EQ(g.Text(gadget), cyrillic) << "gadget " << gadget;
    }
    // The output box gives back exactly the bytes it was given, line ends and all.
    const std::string code = "; Delay\r\n            nop\r\n";
    g.SetText(kOutputBox, code);
    EXPECT_EQ(g.Text(kOutputBox), code);

    g.SetState(kWatchdogCheck, 1);
    EXPECT_EQ(g.State(kWatchdogCheck), 1);
    g.SetState(kWatchdogCheck, 0);
    EXPECT_EQ(g.State(kWatchdogCheck), 0);

    g.ClearItems(kProfileCombo);
    EXPECT_EQ(g.ItemCount(kProfileCombo), 0);
    EXPECT_EQ(g.State(kProfileCombo), -1);
    for (const char* item : {"Первый", "Second", "Третий"})
        g.AddItem(kProfileCombo, item);
    EXPECT_EQ(g.ItemCount(kProfileCombo), 3);
    EXPECT_EQ(g.State(kProfileCombo), -1) << "adding items selects none";
    g.SetState(kProfileCombo, 2);
    EXPECT_EQ(g.State(kProfileCombo), 2);
    EXPECT_EQ(g.Text(kProfileCombo), "Третий") << "a combo's text is its selected item";
    EXPECT_EQ(g.ItemText(kProfileCombo, 0), "Первый");
    EXPECT_EQ(g.ItemText(kProfileCombo, 3), "");
    g.SetState(kProfileCombo, 7);
    EXPECT_EQ(g.State(kProfileCombo), -1) << "an index past the items selects none";

    g.ClearItems(kProfileList);
    g.AddItem(kProfileList, "A");
    g.AddItem(kProfileList, "B");
    g.SetState(kProfileList, 1);
    EXPECT_EQ(g.Text(kProfileList), "B");
    g.SetState(kProfileList, -1);
    EXPECT_EQ(g.State(kProfileList), -1);

    g.SetState(kPanel, kPageAbout);
    EXPECT_EQ(g.State(kPanel), kPageAbout);
    g.SetState(kPanel, 9);
    EXPECT_EQ(g.State(kPanel), kPageAbout) << "no such page: the panel stays";
}

// A face may make a page's controls only when the page is first shown: what the program set
// before must read back the same before and after.
TYPED_TEST(GadgetContract, PagesNotShownYetKeepWhatWasSet) {
    ui::Gadgets& g = this->G();
    g.SetText(kProfileNameField, "Мотор");
    g.SetText(kAboutText, "О программе");
    g.ClearItems(kProfileList);
    for (const char* item : {"Один", "Two"})
        g.AddItem(kProfileList, item);
    g.SetState(kProfileList, 1);
    g.ClearItems(kFirstAccessCombo + 1);
    g.SetState(kFirstAccessCombo, 1);
    g.SetEnabled(kDeleteButton, false);
    g.SetVisible(kFirstAccessCombo + 2, false);
    g.SetReadOnly(kLabelField, true);
    g.SetTextColor(kMailLink, Color::FromRgb(9, 8, 7));
    g.SetToolTip(kDeleteButton, "Удалить");
    auto readBack = [&g](const char* when) {
        EXPECT_EQ(g.Text(kProfileNameField), "Мотор") << when;
        EXPECT_EQ(g.Text(kAboutText), "О программе") << when;
        EXPECT_EQ(g.ItemCount(kProfileList), 2) << when;
        EXPECT_EQ(g.Text(kProfileList), "Two") << when;
        EXPECT_EQ(g.ItemCount(kFirstAccessCombo + 1), 0) << when;
        EXPECT_EQ(g.State(kFirstAccessCombo + 1), -1) << when;
        EXPECT_EQ(g.Text(kFirstAccessCombo), "BANKED") << when;
        EXPECT_FALSE(g.IsEnabled(kDeleteButton)) << when;
        EXPECT_TRUE(g.IsEnabled(kEditButton)) << when;
        EXPECT_FALSE(g.IsVisible(kFirstAccessCombo + 2)) << when;
        EXPECT_TRUE(g.IsReadOnly(kLabelField)) << when;
        EXPECT_FALSE(g.IsReadOnly(kProfileNameField)) << when;
        EXPECT_EQ(g.TextColor(kMailLink), Color::FromRgb(9, 8, 7)) << when;
        EXPECT_EQ(g.ToolTip(kDeleteButton), "Удалить") << when;
    };
    readBack("before the pages were shown");
    g.SetState(kPanel, kPageEditor);
    g.SetState(kPanel, kPageAbout);
    this->face.Pump();
    readBack("after");
    g.SetState(kPanel, kPageEditor);
    g.Focus(kProfileNameField);
    this->face.Pump();
    EXPECT_EQ(g.FocusedGadget(), kProfileNameField);
}

TYPED_TEST(GadgetContract, UnknownNumbersDoNothingAndYieldNothing) {
    ui::Gadgets& g = this->G();
    for (int gadget : {-5, gadget::kDeclareCheck + 1, 1000}) {
        g.SetText(gadget, "x");
        g.SetState(gadget, 1);
        g.AddItem(gadget, "x");
        g.SetEnabled(gadget, true);
        g.Focus(gadget);
        g.SetTextColor(gadget, Color::FromRgb(1, 2, 3));
        EXPECT_EQ(g.Text(gadget), "");
        EXPECT_EQ(g.State(gadget), 0);
        EXPECT_EQ(g.ItemCount(gadget), 0);
        EXPECT_FALSE(g.IsEnabled(gadget));
        EXPECT_FALSE(g.IsVisible(gadget));
        EXPECT_EQ(g.TextColor(gadget), Color::Default());
        EXPECT_EQ(g.ToolTip(gadget), "");
    }
}

TYPED_TEST(GadgetContract, FlagsColoursToolTipsAndFocusReadBackAsSet) {
    ui::Gadgets& g = this->G();
    g.SetEnabled(kTimeField, false);
    EXPECT_FALSE(g.IsEnabled(kTimeField));
    g.SetEnabled(kTimeField, true);
    EXPECT_TRUE(g.IsEnabled(kTimeField));
    g.SetVisible(kFirstAccessCombo, false);
    EXPECT_FALSE(g.IsVisible(kFirstAccessCombo));
    g.SetVisible(kFirstAccessCombo, true);
    EXPECT_TRUE(g.IsVisible(kFirstAccessCombo)) << "visible even on a page not shown";
    g.SetReadOnly(kCyclesField, true);
    EXPECT_TRUE(g.IsReadOnly(kCyclesField));
    g.SetReadOnly(kCyclesField, false);
    EXPECT_FALSE(g.IsReadOnly(kCyclesField));

    EXPECT_EQ(g.TextColor(kCyclesField), Color::FromRgb(3, 37, 181)) << "the layout's colour";
    g.SetTextColor(kCyclesField, Color::FromRgb(177, 3, 29));
    EXPECT_EQ(g.TextColor(kCyclesField), Color::FromRgb(177, 3, 29));
    g.SetBackColor(kCyclesField, Color::ButtonFace());
    EXPECT_EQ(g.BackColor(kCyclesField), Color::ButtonFace());
    g.SetBackColor(kCyclesField, Color::Default());
    EXPECT_EQ(g.BackColor(kCyclesField), Color::Default());

    g.SetToolTip(kCalculateButton, "Преобразовать");
    EXPECT_EQ(g.ToolTip(kCalculateButton), "Преобразовать");

    for (int gadget : {kTimeField, kCyclesField, kCalculateButton}) {
        g.Focus(gadget);
        this->face.Pump();
        EXPECT_EQ(g.FocusedGadget(), gadget);
    }
}

TYPED_TEST(GadgetContract, WhatTheProgramSetsReportsNothing) {
    ui::Gadgets& g = this->G();
    this->TakeGadgetEvents();
    g.SetText(kTimeField, "12");
    g.SetText(kCyclesField, "1000");
    g.SetState(kCalculatorCheck, 1 - g.State(kCalculatorCheck));
    g.SetState(kTimeUnitCombo, 3);
    g.AddItem(kProfileList, "P");
    g.SetState(kProfileList, 0);
    g.SetState(kPanel, kPageEditor);
    g.SetPageTitle(kPanel, kPageEditor, "Editor");
    EXPECT_EQ(this->TakeGadgetEvents(), Events{});
}

TYPED_TEST(GadgetContract, WhatTheUserDoesIsReported) {
    ui::Gadgets& g = this->G();
    this->TakeGadgetEvents();
    const int before = g.State(kWatchdogCheck);
    this->face.Click(kWatchdogCheck);
    EXPECT_EQ(g.State(kWatchdogCheck), 1 - before);
    this->face.Click(kCalculateButton);
    EXPECT_EQ(this->TakeGadgetEvents(),
              (Events{{kWatchdogCheck, ui::kEventClick}, {kCalculateButton, ui::kEventClick}}));

    this->face.Type(kCyclesField, "42");
    EXPECT_EQ(g.Text(kCyclesField), "42");
    EXPECT_EQ(this->TakeGadgetEvents(),
              (Events{{kCyclesField, ui::kEventTextChange}, {kCyclesField, ui::kEventTextChange}}));

    g.SetState(kTimeUnitCombo, 0);
    this->face.NextItem(kTimeUnitCombo);
    EXPECT_EQ(g.State(kTimeUnitCombo), 1);
    EXPECT_EQ(this->TakeGadgetEvents(), (Events{{kTimeUnitCombo, ui::kEventSelectionChange}}));

    g.SetState(kPanel, kPageCalculator);
    this->face.NextPage();
    EXPECT_EQ(g.State(kPanel), kPageEditor);
    EXPECT_EQ(this->TakeGadgetEvents(), (Events{{kPanel, ui::kEventClick}}));
}

TYPED_TEST(GadgetContract, PostedClicksArriveOnALaterTurnBehindTheUsersEvents) {
    ui::Gadgets& g = this->G();
    this->TakeGadgetEvents();
    this->face.Type(kCyclesField, "7");
    g.PostClick(kCalculateButton);
    EXPECT_EQ(this->TakeGadgetEvents(),
              (Events{{kCyclesField, ui::kEventTextChange}, {kCalculateButton, ui::kEventClick}}));
}

// The keystroke rule: what each typed text leaves in the field, and how many beeps it costs.
struct Typing {
    int field;
    std::string typed;
    std::string left;
    int beeps;
};

TYPED_TEST(GadgetContract, TheKeystrokeRuleHoldsInEveryFace) {
    const std::string nineteen = "1234567890123456789";
    const std::vector<Typing> cases = {
        {kTimeField, ".5", ".5", 0},       // a point may come first
        {kTimeField, "0.5", "0.5", 0},     // a point after a digit
        {kTimeField, "1.2.3", "1.23", 1},  // one point only
        {kTimeField, "1e3-", "13", 2},     // only digits and the point
        {kTimeField, "2,5", "2.5", 0},     // the decimal comma is the point
        {kTimeField, "1.2,3", "1.23", 1},  // and counts as one
        {kTimeField, "12\r3", "123", 0},   // Enter: dropped without a sound
        {kTimeField, "12\b3", "13", 0},    // Backspace edits
        {kFrequencyField, std::string(20, '9'), std::string(18, '9'), 2},  // 18 at most
        {kCyclesField, "12a3", "123", 1},                                  // digits only
        {kCyclesField, "1.5", "15", 1},                                    // no point here
        {kCyclesField, nineteen + "0", nineteen, 1},                       // 19 at most
        {kCyclesField, "9\r", "9", 0},
    };
    ui::Gadgets& g = this->G();
    for (const Typing& c : cases) {
        g.SetText(c.field, "");
        const int beeps = this->face.Beeps();
        this->face.Type(c.field, c.typed);
        EXPECT_EQ(g.Text(c.field), c.left) << "typed \"" << c.typed << "\" into " << c.field;
        EXPECT_EQ(this->face.Beeps() - beeps, c.beeps) << "typed \"" << c.typed << "\"";
    }
    // A full field takes a digit over a selection: the selection is replaced, not added to.
    if (this->face.HasSelection()) {
        g.SetText(kCyclesField, nineteen);
        this->face.SelectAll(kCyclesField);
        this->face.Type(kCyclesField, "7");
        EXPECT_EQ(g.Text(kCyclesField), "7");
        g.SetText(kTimeField, "2.5");
        this->face.SelectAll(kTimeField);
        this->face.Type(kTimeField, ".");
        EXPECT_EQ(g.Text(kTimeField), ".") << "a point over the whole text replaces it";
    }
    // The limit is the user's: text the program sets is kept whole.
    g.SetText(kCyclesField, nineteen + "99");
    EXPECT_EQ(g.Text(kCyclesField), nineteen + "99");
}

// A paste is typing as a whole, through each face's own paste command: what the field cannot
// hold as a whole leaves it as it was, with the beep; never a prefix of the pasted number.
TYPED_TEST(GadgetContract, APasteIsTypingAsAWhole) {
    struct Pasting {
        int field;
        std::string before, pasted, left;
        int beeps;
    };
    const std::vector<Pasting> cases = {
        {kTimeField, "", "2,5", "2.5", 0},  // the decimal comma is the point
        {kFrequencyField, "", "3,6864", "3.6864", 0},
        {kTimeField, "", ".5", ".5", 0},
        {kTimeField, "", "100abc", "", 1},
        {kTimeField, "7", "1e4", "7", 1},
        {kTimeField, "1.5", ".5", "1.5", 1},  // a second point
        {kCyclesField, "", "10 000", "", 1},  // blanks between digit groups are refused
        {kCyclesField, "", "1000abc", "", 1},
        {kCyclesField, "", "1000.9", "", 1},
        {kCyclesField, "", "$3E8", "$3E8", 0},
        {kCyclesField, "", " 4000\r\n", "4000", 0},         // blanks and a line end around it
        {kCyclesField, "1", std::string(19, '9'), "1", 1},  // 20 digits are not cut to 19
    };
    ui::Gadgets& g = this->G();
    for (const Pasting& c : cases) {
        g.SetText(c.field, c.before);
        const int beeps = this->face.Beeps();
        this->face.Paste(c.field, c.pasted);
        EXPECT_EQ(g.Text(c.field), c.left) << "pasted \"" << c.pasted << "\" into " << c.field;
        EXPECT_EQ(this->face.Beeps() - beeps, c.beeps) << "pasted \"" << c.pasted << "\"";
    }
}

TYPED_TEST(GadgetContract, MessageBoxesAnswerAsTheUserChose) {
    ui::Gadgets& g = this->G();
    g.SetMessageButtonTexts("Да", "Нет", "Хорошо");
    struct Case {
        BoxAction action;
        ui::MessageAnswer answer;
    };
    for (const Case& c : {Case{BoxAction::Enter, ui::MessageAnswer::No},
                          Case{BoxAction::Escape, ui::MessageAnswer::No},
                          Case{BoxAction::ClickYes, ui::MessageAnswer::Yes}}) {
        this->face.AnswerNextBox(c.action);
        EXPECT_EQ(g.ShowMessage("Loopsmith", "Удалить?", ui::MessageIcon::Question,
                                ui::MessageButtons::YesNo),
                  c.answer)
            << "action " << static_cast<int>(c.action);
        const SeenBox seen = this->face.LastBox();
        EXPECT_TRUE(seen.shown);
        EXPECT_EQ(seen.buttons, (std::vector<std::string>{"Да", "Нет"}));
    }
    this->face.AnswerNextBox(BoxAction::Enter);
    EXPECT_EQ(
        g.ShowMessage("Loopsmith", "Готово", ui::MessageIcon::Warning, ui::MessageButtons::Ok),
        ui::MessageAnswer::Ok);
    EXPECT_EQ(this->face.LastBox().buttons, std::vector<std::string>{"Хорошо"});
    EXPECT_EQ(this->TakeGadgetEvents(), Events{}) << "nothing of the box reaches the loop";
}

}  // namespace
