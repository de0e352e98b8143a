// Real key events into the time, frequency and cycle fields: the character rule, the length
// limits, Enter, and which edits mark a field.
#include <QLineEdit>
#include <QTest>

#include <ostream>
#include <string>

#include "app/app_state.h"
#include "app/event_loop.h"
#include "app/gadget_ids.h"
#include "qt_fixture.h"

namespace {

class Typing : public QtWindowTest {
  protected:
    void SetUp() override {
        QtWindowTest::SetUp();
        gadgets->ShowWindow();
        QApplication::processEvents();
    }

    QLineEdit* Field(int gadget) const { return qobject_cast<QLineEdit*>(W(gadget)); }

    // Each character as a key press and release, as a keyboard would send it.
    void TypeKeys(int gadget, const std::string& keys) {
        for (char c : keys)
            QTest::keyClick(Field(gadget), c);
    }

    int Count(const std::vector<ui::Event>& events, int gadget, int type) const {
        int n = 0;
        for (const ui::Event& e : events) {
            n += e.kind == ui::Event::Kind::Gadget && e.gadget == gadget && e.type == type;
        }
        return n;
    }
};

struct LimitCase {
    int gadget;
    int limit;
};

void PrintTo(const LimitCase& c, std::ostream* os) {
    *os << "gadget " << c.gadget << " limit " << c.limit;
}

class LengthLimits : public Typing, public ::testing::WithParamInterface<LimitCase> {};

TEST_P(LengthLimits, StopTypingButKeepTheProgramsText) {
    const LimitCase& c = GetParam();
    TypeKeys(c.gadget, std::string(c.limit + 2, '7'));
    EXPECT_EQ(gadgets->Text(c.gadget), std::string(c.limit, '7'));
    EXPECT_EQ(gadgets->BeepCount(), 2);

    // Replacing a selection keeps the length, so it is allowed at the limit.
    Field(c.gadget)->selectAll();
    TypeKeys(c.gadget, "5");
    EXPECT_EQ(gadgets->Text(c.gadget), "5");

    const std::string longer(c.limit + 6, '9');
    gadgets->SetText(c.gadget, longer);
    EXPECT_EQ(gadgets->Text(c.gadget), longer);
    TypeKeys(c.gadget, "1");
    EXPECT_EQ(gadgets->Text(c.gadget), longer);
    QTest::keyClick(Field(c.gadget), Qt::Key_Backspace);
    EXPECT_EQ(gadgets->Text(c.gadget), longer.substr(1));
}

INSTANTIATE_TEST_SUITE_P(Fields, LengthLimits,
                         ::testing::Values(LimitCase{gadget::kTimeField, 18},
                                           LimitCase{gadget::kFrequencyField, 18},
                                           LimitCase{gadget::kCyclesField, 19}),
                         [](const ::testing::TestParamInfo<LimitCase>& info) {
                             return "Gadget" + std::to_string(info.param.gadget) + "Limit" +
                                    std::to_string(info.param.limit);
                         });

TEST_F(Typing, APointMayComeFirstButOnlyOnce) {
    TypeKeys(gadget::kTimeField, "25");
    QTest::keyClick(Field(gadget::kTimeField), Qt::Key_Home);
    TypeKeys(gadget::kTimeField, ".");
    EXPECT_EQ(gadgets->Text(gadget::kTimeField), ".25");
    EXPECT_EQ(gadgets->BeepCount(), 0);
    QTest::keyClick(Field(gadget::kTimeField), Qt::Key_Right);
    TypeKeys(gadget::kTimeField, ".");
    EXPECT_EQ(gadgets->Text(gadget::kTimeField), ".25");
    EXPECT_EQ(gadgets->BeepCount(), 1);
}

TEST_F(Typing, EnterIsSilentInsertsNothingAndIsReportedAsKey13) {
    for (int field : {gadget::kTimeField, gadget::kFrequencyField, gadget::kCyclesField}) {
        SCOPED_TRACE(field);
        TypeKeys(field, "1");
        TakeEvents();
        QTest::keyClick(Field(field), Qt::Key_Return);
        QTest::keyClick(Field(field), Qt::Key_Enter, Qt::KeypadModifier);
        EXPECT_EQ(gadgets->Text(field), "1");
        EXPECT_EQ(gadgets->BeepCount(), 0);
        const std::vector<ui::Event> events = TakeEvents();
        ASSERT_EQ(events.size(), 2u);
        for (const ui::Event& e : events) {
            EXPECT_EQ(e.kind, ui::Event::Kind::KeyDown);
            EXPECT_EQ(e.key, ui::kKeyEnter);
        }
    }
}

TEST_F(Typing, EditingShortcutsAreNotTypedCharacters) {
    TypeKeys(gadget::kTimeField, "12");
    QTest::keyClick(Field(gadget::kTimeField), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(Field(gadget::kTimeField), Qt::Key_Delete);
    EXPECT_EQ(gadgets->Text(gadget::kTimeField), "");
    EXPECT_EQ(gadgets->BeepCount(), 0);
}

TEST_F(Typing, OnlyTheUsersEditsAreReported) {
    gadgets->SetText(gadget::kCyclesField, "500");
    gadgets->SetText(gadget::kTimeField, "2.5");
    EXPECT_TRUE(TakeEvents().empty());
    TypeKeys(gadget::kCyclesField, "1");
    const std::vector<ui::Event> events = TakeEvents();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].kind, ui::Event::Kind::KeyDown);
    EXPECT_EQ(events[0].key, '1');
    EXPECT_EQ(events[1].gadget, gadget::kCyclesField);
    EXPECT_EQ(events[1].type, ui::kEventTextChange);
}

class EnterKey : public Typing {
  protected:
    void SetUp() override {
        Typing::SetUp();
        app = std::make_unique<AppState>(*gadgets, ".", PortableLocations("."));
    }
    std::unique_ptr<AppState> app;
};

TEST_F(EnterKey, OnPageZeroPostsAClickOfTheCalculateButtonForALaterTurn) {
    QTest::keyClick(Field(gadget::kTimeField), Qt::Key_Return);
    const ui::Event key = gadgets->WaitEvent();
    ASSERT_EQ(key.kind, ui::Event::Kind::KeyDown);
    EXPECT_FALSE(gadgets->HasPendingEvent());
    Dispatch(*app, key);
    ASSERT_TRUE(gadgets->HasPendingEvent());
    const ui::Event click = gadgets->WaitEvent();
    EXPECT_EQ(click.kind, ui::Event::Kind::Gadget);
    EXPECT_EQ(click.gadget, gadget::kCalculateButton);
    EXPECT_EQ(click.type, ui::kEventClick);
}

TEST_F(EnterKey, OnTheButtonIsNotAClickOfItsOwn) {
    QTest::keyClick(W(gadget::kCalculateButton), Qt::Key_Return);
    const std::vector<ui::Event> events = TakeEvents();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].kind, ui::Event::Kind::KeyDown);
}

TEST_F(EnterKey, OnOtherPagesPostsNothing) {
    for (int page : {gadget::kPageEditor, gadget::kPageAbout}) {
        gadgets->SetState(gadget::kPanel, page);
        QTest::keyClick(Field(gadget::kProfileNameField), Qt::Key_Return);
        for (const ui::Event& e : TakeEvents())
            Dispatch(*app, e);
        EXPECT_FALSE(gadgets->HasPendingEvent()) << page;
    }
}

TEST_F(EnterKey, TheAboutLinksAreTabStopsThatEnterPresses) {
    gadgets->SetState(gadget::kPanel, gadget::kPageAbout);
    QApplication::processEvents();
    W(gadget::kBanner)->setFocus();
    QTest::keyClick(W(gadget::kBanner), Qt::Key_Tab);
    ASSERT_EQ(gadgets->FocusedGadget(), gadget::kMailLink);
    TakeEvents();
    QTest::keyClick(W(gadget::kMailLink), Qt::Key_Return);
    Dispatch(*app, gadgets->WaitEvent());
    EXPECT_EQ(gadgets->WaitEvent().gadget, gadget::kMailLink);
}

}  // namespace
