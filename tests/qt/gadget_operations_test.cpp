// What the program asks of the window, and which of the user's actions become events.
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QEnterEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "app/colors.h"
#include "app/gadget_ids.h"
#include "qt_fixture.h"

using ui::Color;

namespace {

class Operations : public QtWindowTest {
  protected:
    void SetUp() override {
        QtWindowTest::SetUp();
        gadgets->ShowWindow();
        QApplication::processEvents();
    }

    QColor Role(int gadget, QPalette::ColorRole role) const {
        return W(gadget)->palette().color(QPalette::Active, role);
    }
    QColor Default(int gadget, QPalette::ColorRole role) const {
        return QApplication::palette(W(gadget)).color(QPalette::Active, role);
    }
    bool IsOnlyEvent(int gadget, int type) {
        const std::vector<ui::Event> events = TakeEvents();
        return events.size() == 1 && events[0].kind == ui::Event::Kind::Gadget &&
               events[0].gadget == gadget && events[0].type == type;
    }
};

TEST_F(Operations, ColoursFromTheTableAndBackToTheDefault) {
    EXPECT_EQ(Role(gadget::kCyclesField, QPalette::Text), QColor(3, 37, 181));
    EXPECT_EQ(Role(gadget::kProfileNameLabel, QPalette::WindowText), QColor(58, 2, 180));
    EXPECT_EQ(Role(gadget::kProfileNameField, QPalette::Text), QColor(58, 2, 180));
    EXPECT_EQ(Role(gadget::kAboutText, QPalette::WindowText), QColor(10, 0, 128));
    EXPECT_EQ(Role(gadget::kMailLink, QPalette::WindowText), QColor(25, 2, 218));

    gadgets->SetTextColor(gadget::kCyclesField, colors::kNotCalculated);
    EXPECT_EQ(Role(gadget::kCyclesField, QPalette::Text), QColor(177, 3, 29));
    EXPECT_EQ(gadgets->TextColor(gadget::kCyclesField), colors::kNotCalculated);
    gadgets->SetBackColor(gadget::kCyclesField, Color::ButtonFace());
    gadgets->SetTextColor(gadget::kCyclesField, Color::Default());
    EXPECT_EQ(Role(gadget::kCyclesField, QPalette::Base),
              QApplication::palette().color(QPalette::Button));
    EXPECT_EQ(Role(gadget::kCyclesField, QPalette::Text),
              Default(gadget::kCyclesField, QPalette::Text));
    gadgets->SetBackColor(gadget::kCyclesField, Color::Default());
    EXPECT_EQ(Role(gadget::kCyclesField, QPalette::Base),
              Default(gadget::kCyclesField, QPalette::Base));
    EXPECT_EQ(gadgets->BackColor(gadget::kCyclesField), Color::Default());
}

TEST_F(Operations, HyperlinkTakesItsHoverColourWhileThePointerIsOverIt) {
    QWidget* link = W(gadget::kMailLink);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(link, &enter);
    EXPECT_EQ(Role(gadget::kMailLink, QPalette::WindowText), QColor(87, 123, 254));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(link, &leave);
    EXPECT_EQ(Role(gadget::kMailLink, QPalette::WindowText), QColor(25, 2, 218));
}

TEST_F(Operations, OutputBoxShowsGeneratedLinesPlainlyAndKeepsTheText) {
    ASSERT_EQ(gadgets->LineEnd(), "\n");  // the program writes its code so for this box
    const std::string code = "; one\n        nop\n\n; four\n";
    gadgets->SetText(gadget::kOutputBox, code);
    auto* box = qobject_cast<QPlainTextEdit*>(W(gadget::kOutputBox));
    EXPECT_EQ(box->toPlainText(), QStringLiteral("; one\n        nop\n\n; four\n"));
    EXPECT_EQ(box->document()->blockCount(), 5);
    EXPECT_EQ(gadgets->Text(gadget::kOutputBox), code);
}

TEST_F(Operations, ClicksOfTheUserAreEventsAndTheProgramsChangesAreNot) {
    gadgets->SetState(gadget::kCalculatorCheck, 1);
    EXPECT_TRUE(TakeEvents().empty());
    QTest::mouseClick(W(gadget::kCalculatorCheck), Qt::LeftButton, {}, QPoint(6, 7));
    EXPECT_EQ(gadgets->State(gadget::kCalculatorCheck), 0);
    EXPECT_TRUE(IsOnlyEvent(gadget::kCalculatorCheck, ui::kEventClick));

    QTest::mouseClick(W(gadget::kCalculateButton), Qt::LeftButton);
    EXPECT_TRUE(IsOnlyEvent(gadget::kCalculateButton, ui::kEventClick));
    QTest::mouseClick(W(gadget::kBanner), Qt::LeftButton);
    EXPECT_TRUE(IsOnlyEvent(gadget::kBanner, ui::kEventClick));
    QTest::mouseClick(W(gadget::kMailLink), Qt::LeftButton);
    EXPECT_TRUE(IsOnlyEvent(gadget::kMailLink, ui::kEventClick));

    gadgets->SetState(gadget::kTimeUnitCombo, 2);
    EXPECT_TRUE(TakeEvents().empty());
    QTest::keyClick(W(gadget::kTimeUnitCombo), Qt::Key_Down);
    EXPECT_EQ(gadgets->State(gadget::kTimeUnitCombo), 3);
    const std::vector<ui::Event> events = TakeEvents();
    ASSERT_EQ(events.size(), 2u);  // the key, then the selection change
    EXPECT_EQ(events[1].gadget, gadget::kTimeUnitCombo);
    EXPECT_EQ(events[1].type, ui::kEventSelectionChange);
}

TEST_F(Operations, ListClicksAndDoubleClicks) {
    gadgets->SetState(gadget::kPanel, gadget::kPageEditor);
    gadgets->AddItem(gadget::kProfileList, "PIC16");
    gadgets->AddItem(gadget::kProfileList, "PIC18");
    auto* list = qobject_cast<QListWidget*>(W(gadget::kProfileList));
    const QPoint second = list->visualItemRect(list->item(1)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second);
    EXPECT_EQ(gadgets->State(gadget::kProfileList), 1);
    EXPECT_TRUE(IsOnlyEvent(gadget::kProfileList, ui::kEventClick));
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second);
    bool doubleClick = false;
    for (const ui::Event& e : TakeEvents()) {
        doubleClick |= e.gadget == gadget::kProfileList && e.type == ui::kEventDoubleClick;
    }
    EXPECT_TRUE(doubleClick);
}

TEST_F(Operations, PointerInsideCountsLeftAndTopEdgesOnly) {
    QWidget* banner = W(gadget::kBanner);
    gadgets->SetState(gadget::kPanel, gadget::kPageAbout);
    const QPoint origin = banner->mapToGlobal(QPoint(0, 0));
    QCursor::setPos(origin);
    EXPECT_TRUE(gadgets->PointerInside(gadget::kBanner));
    QCursor::setPos(origin + QPoint(banner->width() - 1, banner->height() - 1));
    EXPECT_TRUE(gadgets->PointerInside(gadget::kBanner));
    QCursor::setPos(origin + QPoint(banner->width(), 10));
    EXPECT_FALSE(gadgets->PointerInside(gadget::kBanner));
    QCursor::setPos(origin + QPoint(10, banner->height()));
    EXPECT_FALSE(gadgets->PointerInside(gadget::kBanner));
}

TEST_F(Operations, KeysAndMouseMovesAreReportedOnceEvenWhenParentsSeeThemToo) {
    // A label ignores the pointer and a plain field ignores Enter: both travel up the parents.
    QTest::mouseMove(W(gadget::kCyclesLabel), QPoint(5, 5));
    QTest::mouseMove(W(gadget::kOutputBox), QPoint(20, 20));
    QTest::mouseMove(gadgets->Window(), QPoint(200, 495));
    QTest::keyClick(W(gadget::kProfileNameField), Qt::Key_Return);
    QTest::keyClick(W(gadget::kProfileNameField), Qt::Key_F5);
    int moves = 0, keys = 0;
    for (const ui::Event& e : TakeEvents()) {
        moves += e.kind == ui::Event::Kind::MouseMove;
        keys += e.kind == ui::Event::Kind::KeyDown;
    }
    EXPECT_EQ(moves, 3);
    EXPECT_EQ(keys, 2);
}

// Answers the message box that is about to open with a key, as a user would.
void PressInNextMessageBox(Qt::Key key, QString* seenText = nullptr) {
    QTimer::singleShot(0, [key, seenText] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        if (seenText)
            *seenText = box->text();
        QTest::keyClick(box, key);
    });
}

TEST_F(Operations, QuestionDefaultsToNoAndNothingIsQueuedWhileItIsOpen) {
    QTimer::singleShot(0, [this] {
        // Whatever reaches the main window while the question is open is no user action.
        QTest::keyClick(W(gadget::kCyclesField), Qt::Key_5);
        qobject_cast<QCheckBox*>(W(gadget::kWatchdogCheck))->click();
        QTest::mouseMove(W(gadget::kCyclesLabel), QPoint(3, 3));
    });
    QString text;
    PressInNextMessageBox(Qt::Key_Return, &text);
    EXPECT_EQ(gadgets->ShowMessage("Loopsmith - Вопрос", "Удалить?", ui::MessageIcon::Question,
                                   ui::MessageButtons::YesNo),
              ui::MessageAnswer::No);
    EXPECT_EQ(text, QStringLiteral("Удалить?"));
    EXPECT_TRUE(TakeEvents().empty());

    PressInNextMessageBox(Qt::Key_Y);
    EXPECT_EQ(gadgets->ShowMessage("t", "q", ui::MessageIcon::Question, ui::MessageButtons::YesNo),
              ui::MessageAnswer::Yes);
    PressInNextMessageBox(Qt::Key_Escape);
    EXPECT_EQ(gadgets->ShowMessage("t", "q", ui::MessageIcon::Question, ui::MessageButtons::YesNo),
              ui::MessageAnswer::No);
    PressInNextMessageBox(Qt::Key_Return);
    EXPECT_EQ(gadgets->ShowMessage("t", "e", ui::MessageIcon::Error, ui::MessageButtons::Ok),
              ui::MessageAnswer::Ok);
}

TEST_F(Operations, ClosingTheWindowIsTheLastEventAndWaitingAfterItDoesNotBlock) {
    gadgets->Window()->close();
    EXPECT_EQ(gadgets->WaitEvent().kind, ui::Event::Kind::Close);
    EXPECT_EQ(gadgets->WaitEvent().kind, ui::Event::Kind::Close);
}

TEST(HiddenWindow, WaitingWithNothingQueuedDoesNotBlock) {
    EnsureApplication();
    ui::qt::QtGadgets hidden(MainWindowLayout());
    EXPECT_EQ(hidden.WaitEvent().kind, ui::Event::Kind::Close);
}

TEST(BrokenDescription, IsNotBuilt) {
    EnsureApplication();
    ui::WindowLayout layout = MainWindowLayout();
    layout.gadgets.back().parent = 999;  // a parent that does not exist
    EXPECT_FALSE(ui::qt::QtGadgets(layout).Built());
    layout = MainWindowLayout();
    layout.gadgets.push_back(layout.gadgets.front());  // a number used twice
    EXPECT_FALSE(ui::qt::QtGadgets(layout).Built());
}

}  // namespace
