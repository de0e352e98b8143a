// Pictures of the three pages for a person to look at, in Russian and in English, and the
// check that every caption fits its gadget; the editor with a profile for the current
// assembler.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTabBar>
#include <QTabWidget>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>

#include "app/gadget_ids.h"
#include "app/startup.h"
#include "helpers/doubled_language.h"
#include "program_fixture.h"
#include "store/profile.h"
#include "ui/qt/qt_text.h"

using ui::qt::ToQ;

namespace {

// The family combo's pic-as item is wider than the combo, which keeps its place; its popup
// list must show it whole instead (EditorPicture).
const QString kWiderThanItsCombo = "PIC10/12/16 (pic-as)";

// The width of `text` drawn at `scale` (its font that many times larger), in unscaled pixels.
qreal Width(const QWidget* w, const QString& text, qreal scale) {
    return QFontMetricsF(ui::qt::ScaledFont(w->font(), scale)).horizontalAdvance(text) / scale;
}

// Room a caption needs beyond its text in each kind of widget (frame, indicator, arrow), with
// the widgets' fonts drawn at `scale`.
std::string ClippedCaptions(const ui::qt::QtGadgets& g, qreal scale, bool insideWindow) {
    std::string report;
    auto complain = [&report, scale](int n, const QString& text, qreal need, int have) {
        if (qRound(need) <= have)
            return;  // drawn in whole pixels
        report += "scale " + std::to_string(scale) + ": gadget " + std::to_string(n) + " \"" +
                  text.toStdString() + "\" needs " + std::to_string(need) + " px, has " +
                  std::to_string(have) + "\n";
    };
    for (int n = 0; n <= gadget::kRoutineNameField; ++n) {
        QWidget* w = g.Widget(n);
        if (!w || w->isHidden())
            continue;
        const QRect inWindow(w->mapTo(g.Window(), QPoint(0, 0)), w->size());
        if (insideWindow && !g.Window()->rect().contains(inWindow))
            complain(n, "outside the window", inWindow.right() + 1, g.Window()->width());
        const QFontMetrics fm = w->fontMetrics();
        if (auto* label = qobject_cast<QLabel*>(w); label && label->pixmap().isNull()) {
            const QRect room = label->contentsRect();
            if (label->wordWrap()) {
                const QRect need = fm.boundingRect(room, Qt::TextWordWrap, label->text());
                if (need.height() > room.height())
                    complain(n, label->text(), need.height(), room.height());
            } else {
                const qreal need = Width(w, label->text(), scale);
                if (need > room.width())
                    complain(n, label->text(), need, room.width());
                if (fm.height() > room.height())
                    complain(n, label->text(), fm.height(), room.height());
            }
        } else if (auto* check = qobject_cast<QCheckBox*>(w)) {
            const qreal need = check->sizeHint().width() - fm.horizontalAdvance(check->text()) +
                               Width(w, check->text(), scale);
            if (need > w->width())
                complain(n, check->text(), need, w->width());
        } else if (auto* button = qobject_cast<QPushButton*>(w)) {
            const qreal need = Width(w, button->text(), scale) + 8;
            if (need > w->width())
                complain(n, button->text(), need, w->width());
        } else if (auto* frame = qobject_cast<QGroupBox*>(w)) {
            const qreal need = Width(w, frame->title(), scale) + 12;
            if (need > w->width())
                complain(n, frame->title(), need, w->width());
        } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            QStyleOptionComboBox option;
            option.initFrom(combo);
            const int room = combo->style()
                                 ->subControlRect(QStyle::CC_ComboBox, &option,
                                                  QStyle::SC_ComboBoxEditField, combo)
                                 .width();
            for (int i = 0; i < combo->count(); ++i) {
                if (n == gadget::kFamilyCombo && combo->itemText(i).endsWith("(pic-as)"))
                    continue;  // shown whole in the list (EditorPicture)
                const qreal need = Width(w, combo->itemText(i), scale);
                if (need > room)
                    complain(n, combo->itemText(i), need, room);
            }
        } else if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
            QTabBar* bar = tabs->tabBar();
            qreal need = bar->sizeHint().width();
            for (int i = 0; i < bar->count(); ++i) {
                need += Width(bar, bar->tabText(i), scale) -
                        bar->fontMetrics().horizontalAdvance(bar->tabText(i));
            }
            if (need > tabs->width())
                complain(n, "page titles", need, tabs->width());
        }
    }
    return report;
}

// At each scale, once the window has made room for it; then back at the offscreen screen's.
// The client area's fixed 510 px fit a 768-px screen's height only up to 1.25.
std::string ClippedCaptions(ui::qt::QtGadgets& g) {
    std::string report;
    for (qreal scale : ui::qt::kScreenScales) {
        g.MakeRoomAt(scale);
        report += ClippedCaptions(g, scale, true);
        if (g.Window()->width() > 1366 / scale - 16 ||
            (scale <= 1.25 && g.Window()->height() > 768 / scale - 40))
            report += "scale " + std::to_string(scale) + ": larger than 1366 x 768 px\n";
    }
    g.MakeRoomAt(1);
    return report;
}

void SavePages(ui::qt::QtGadgets& g, const std::string& suffix) {
    const std::filesystem::path dir = LOOPSMITH_BUILD_DIR;
    for (int page = 0; page < 3; ++page) {
        g.SetState(gadget::kPanel, page);
        QApplication::processEvents();
        const QPixmap shot = g.Window()->grab();
        const std::string name = "page" + std::to_string(page) + suffix + ".png";
        ASSERT_TRUE(shot.save(ToQ((dir / name).string()), "PNG")) << name;
    }
    g.SetState(gadget::kPanel, 0);
}

// The program as a user sees it: calculator on, 10 ms at 4 MHz turned into code.
class WindowPictures : public ProgramFixture {
  protected:
    void SetUp() override {
        ProgramFixture::SetUp();
        StartUp(*app);
        if (gadgets->State(gadget::kCalculatorCheck) == 0)
            ClickCalculatorCheck();
        gadgets->SetState(gadget::kTimeUnitCombo, 1);
        gadgets->SetState(gadget::kFrequencyUnitCombo, 0);
        gadgets->SetText(gadget::kTimeField, "");
        gadgets->SetText(gadget::kFrequencyField, "");
        QTest::keyClicks(W(gadget::kTimeField), "10");
        QTest::keyClicks(W(gadget::kFrequencyField), "4");
        QTest::keyClick(W(gadget::kFrequencyField), Qt::Key_Return);
        Pump();
        ASSERT_TRUE(messages.empty()) << messages.front();
        ASSERT_FALSE(gadgets->Text(gadget::kOutputBox).empty());
    }

    // The page with each subroutine form chosen in its combo and named in the field: the code
    // is the routine's, and the picture is saved.
    void SaveForms(const std::string& suffix) {
        for (int form : {1, 2}) {
            gadgets->SetState(gadget::kFormCombo, form);
            Dispatch(*app, ui::Event::OnGadget(gadget::kFormCombo, ui::kEventSelectionChange));
            EXPECT_TRUE(W(gadget::kRoutineNameField)->isEnabled());
            gadgets->SetText(gadget::kRoutineNameField, "");
            QTest::keyClicks(W(gadget::kRoutineNameField), "Delay_10ms");
            QTest::keyClick(W(gadget::kRoutineNameField), Qt::Key_Return);
            Pump();
            ASSERT_TRUE(messages.empty()) << messages.front();
            const std::string code = gadgets->Text(gadget::kOutputBox);
            EXPECT_NE(code.find("Delay_10ms\n"), std::string::npos) << code;
            EXPECT_EQ(code.find("n * 10 000 + 4") != std::string::npos, form == 2) << code;
            const std::filesystem::path dir = LOOPSMITH_BUILD_DIR;
            const std::string name = "page0_form" + std::to_string(form) + suffix + ".png";
            ASSERT_TRUE(gadgets->Window()->grab().save(ToQ((dir / name).string()), "PNG"));
            // The typed count takes the same form: the same routine, without the time lines.
            ClickCalculatorCheck();
            QTest::keyClick(W(gadget::kCyclesField), Qt::Key_Return);
            Pump();
            const std::string typed = gadgets->Text(gadget::kOutputBox);
            const std::string body = "Delay_10ms\n";
            ASSERT_NE(typed.find(body), std::string::npos) << typed;
            EXPECT_EQ(typed.substr(typed.find(body)), code.substr(code.find(body)));
            EXPECT_EQ(typed.find("n * 10 000 + 4") != std::string::npos, form == 2) << typed;
            gadgets->SetText(gadget::kRoutineNameField, "end");  // with the same refusals
            QTest::keyClick(W(gadget::kCyclesField), Qt::Key_Return);
            Pump();
            EXPECT_EQ(messages.size(), 1u);
            messages.clear();
            EXPECT_EQ(gadgets->Text(gadget::kOutputBox), typed);
            ClickCalculatorCheck();
        }
    }

    // Picks a language in its combo box as the user would.
    void PickLanguage(const std::string& name) {
        for (int i = 0; i < gadgets->ItemCount(gadget::kLanguageCombo); ++i) {
            if (gadgets->ItemText(gadget::kLanguageCombo, i) != name)
                continue;
            gadgets->SetState(gadget::kLanguageCombo, i);
            Dispatch(*app, ui::Event::OnGadget(gadget::kLanguageCombo, ui::kEventSelectionChange));
            return;
        }
        FAIL() << "no language " << name;
    }
};

TEST_F(WindowPictures, RussianCaptionsFitAndPagesAreSaved) {
    EXPECT_EQ(gadgets->Window()->size(), QSize(392, 510));  // no room needed at 96 DPI
    const std::string clipped = ClippedCaptions(*gadgets);
    EXPECT_TRUE(clipped.empty()) << clipped;
    SavePages(*gadgets, "");
    SaveForms("");
}

TEST_F(WindowPictures, EnglishCaptionsFitAndPagesAreSaved) {
    PickLanguage("english");
    EXPECT_EQ(gadgets->Text(gadget::kCalculateButton), "Calculate");
    gadgets->ShowWindow();
    EXPECT_EQ(gadgets->Window()->size(), QSize(392, 510));
    const std::string clipped = ClippedCaptions(*gadgets);
    EXPECT_TRUE(clipped.empty()) << clipped;
    SavePages(*gadgets, "_en");
    SaveForms("_en");
}

// Captions twice as long as the Russian ones: the window makes room, within a small screen,
// and shrinks again for the shipped language.
TEST_F(WindowPictures, DoubledCaptionsGetRoomAndFit) {
    testing_files::WriteDoubledLanguage(folder / "Language" / "doubled.lng");
    gadgets->ClearItems(gadget::kLanguageCombo);
    gadgets->AddItem(gadget::kLanguageCombo, "doubled");
    gadgets->AddItem(gadget::kLanguageCombo, "russian");
    PickLanguage("doubled");
    gadgets->ShowWindow();
    EXPECT_EQ(gadgets->Text(gadget::kCalculateButton), "Рассчитать Рассчитать");
    const std::string clipped = ClippedCaptions(*gadgets);
    EXPECT_TRUE(clipped.empty()) << clipped;
    EXPECT_GT(gadgets->Window()->width(), 392);
    EXPECT_EQ(gadgets->Window()->height(), 510);
    SavePages(*gadgets, "_doubled");
    const std::filesystem::path dir = LOOPSMITH_BUILD_DIR;
    for (const auto& [scale, workArea] : {std::pair{1.5, 1366}, {2.0, 1250}}) {
        gadgets->MakeRoomAt(scale, workArea);
        QPixmap shot(gadgets->Window()->size() * scale);
        shot.setDevicePixelRatio(scale);
        gadgets->Window()->render(&shot);
        const std::string name = "page0_doubled_" + std::to_string(workArea) + ".png";
        ASSERT_TRUE(shot.save(ToQ((dir / name).string()), "PNG"));
    }
    // Too narrow a screen for the cycles label's row: it takes two lines, and all still fits.
    EXPECT_LE(gadgets->Window()->width(), 1250 / 2 - 16);
    EXPECT_GT(W(gadget::kCyclesLabel)->height(), 16);
    EXPECT_EQ(ClippedCaptions(*gadgets, 2, true), "");
    // Moved to a screen of another scale: laid out for that screen's (here, 1).
    QEvent moved(QEvent::ScreenChangeInternal);
    QApplication::sendEvent(gadgets->Window(), &moved);
    EXPECT_EQ(W(gadget::kCyclesLabel)->height(), 16);
    PickLanguage("russian");
    gadgets->ShowWindow();
    EXPECT_EQ(gadgets->Window()->size(), QSize(392, 510));
}

// A current-syntax PIC18 profile from the settings file, opened in the editor by clicks.
class EditorPicture : public ProgramFixture {};

TEST_F(EditorPicture, CurrentSyntaxPic18ProfileIsShownAndSaved) {
    {
        std::ofstream ini(folder / "Loopsmith.ini", std::ios::binary);
        ini << "\xEF\xBB\xBF\r\n[Window]\r\nLanguage = 0\r\n[Timer wait]\r\nReg1 = cnt_lo\r\n"
               "Reg2 = cnt_hi\r\nLabel = wait_lp\r\nTypePIC = 1\r\nRegType2 = 1\r\n"
               "Syntax = 1\r\n";
    }
    StartUp(*app);
    QTabBar* bar = qobject_cast<QTabWidget*>(W(gadget::kPanel))->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(gadget::kPageEditor).center());
    Pump();
    auto* list = qobject_cast<QListWidget*>(W(gadget::kProfileList));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(0)).center());
    QTest::mouseClick(W(gadget::kEditButton), Qt::LeftButton);
    Pump();

    auto* family = qobject_cast<QComboBox*>(W(gadget::kFamilyCombo));
    EXPECT_EQ(family->currentText(), "PIC 18 (pic-as)");
    EXPECT_TRUE(W(gadget::kFirstAccessCombo + 7)->isVisible());
    EXPECT_EQ(gadgets->State(gadget::kFirstAccessCombo + 1), kBanked);
    const std::filesystem::path dir = LOOPSMITH_BUILD_DIR;
    ASSERT_TRUE(gadgets->Window()->grab().save(ToQ((dir / "page1_pic_as.png").string()), "PNG"));

    family->showPopup();
    QApplication::processEvents();
    QWidget* popup = family->view()->window();
    ASSERT_TRUE(popup->isVisible());
    EXPECT_GE(family->view()->viewport()->width(),
              family->fontMetrics().horizontalAdvance(kWiderThanItsCombo));
    ASSERT_TRUE(popup->grab().save(ToQ((dir / "page1_pic_as_family.png").string()), "PNG"));
    family->hidePopup();
    EXPECT_TRUE(messages.empty());
}

}  // namespace
