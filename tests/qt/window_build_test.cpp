// The built window against the gadget table: kinds, places, parents, captions, items.
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

#include <string>

#include "app/gadget_ids.h"
#include "qt_fixture.h"
#include "ui/qt/gadget_widgets.h"
#include "ui/qt/qt_text.h"

using ui::GadgetKind;
using ui::qt::FromQ;

namespace {

bool HasKind(QWidget* w, GadgetKind kind) {
    switch (kind) {
        case GadgetKind::Label: {
            auto* label = qobject_cast<QLabel*>(w);
            return label && label->metaObject() == &QLabel::staticMetaObject;
        }
        case GadgetKind::CheckBox:
            return qobject_cast<QCheckBox*>(w) != nullptr;
        case GadgetKind::ComboBox: {
            auto* combo = qobject_cast<QComboBox*>(w);
            return combo && !combo->isEditable();
        }
        case GadgetKind::Frame:
            return qobject_cast<QGroupBox*>(w) != nullptr;
        case GadgetKind::TextField:
            return qobject_cast<QLineEdit*>(w) != nullptr;
        case GadgetKind::OutputBox: {
            auto* box = qobject_cast<QPlainTextEdit*>(w);
            return box && box->isReadOnly();
        }
        case GadgetKind::Button:
            return qobject_cast<QPushButton*>(w) != nullptr;
        case GadgetKind::ListBox: {
            auto* list = qobject_cast<QListWidget*>(w);
            return list && list->selectionMode() == QAbstractItemView::SingleSelection;
        }
        case GadgetKind::Panel:
            return qobject_cast<QTabWidget*>(w) != nullptr;
        case GadgetKind::Container:
            return w->metaObject() == &QWidget::staticMetaObject;
        case GadgetKind::Image: {
            auto* label = qobject_cast<ui::qt::ClickLabel*>(w);
            return label && !label->IsLink();
        }
        case GadgetKind::Hyperlink: {
            auto* label = qobject_cast<QLabel*>(w);
            return label && label->font().underline() &&
                   label->cursor().shape() == Qt::PointingHandCursor;
        }
    }
    return false;
}

using WindowBuild = QtWindowTest;

TEST_F(WindowBuild, WindowIsFixedHiddenAndTitled) {
    QWidget* window = gadgets->Window();
    EXPECT_EQ(FromQ(window->windowTitle()), "Loopsmith - 1.7");
    EXPECT_EQ(window->size(), QSize(392, 510));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    const Qt::WindowFlags flags = window->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(window->isVisible());
    gadgets->ShowWindow();
    EXPECT_TRUE(window->isVisible());
}

TEST_F(WindowBuild, EveryGadgetHasItsKindPlaceParentAndCaption) {
    const ui::WindowLayout layout = MainWindowLayout();
    ASSERT_EQ(layout.gadgets.size(), 70u);
    auto* panel = qobject_cast<QTabWidget*>(W(gadget::kPanel));
    ASSERT_NE(panel, nullptr);
    for (const ui::GadgetLayout& g : layout.gadgets) {
        SCOPED_TRACE("gadget " + std::to_string(g.number));
        QWidget* w = W(g.number);
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(HasKind(w, g.kind));
        EXPECT_EQ(gadgets->GadgetOf(w), g.number);
        if (g.kind == GadgetKind::Container) {
            const int page = panel->indexOf(w);
            ASSERT_GE(page, 0);
            EXPECT_EQ(layout.pageContainers[page], g.number);
            continue;
        }
        EXPECT_EQ(w->geometry(), QRect(g.place.x, g.place.y, g.place.w, g.place.h));
        QWidget* parent = g.parent == ui::kWindowParent ? gadgets->Window() : W(g.parent);
        EXPECT_EQ(w->parentWidget(), parent);
        if (g.kind == GadgetKind::ComboBox || g.kind == GadgetKind::ListBox) {
            ASSERT_EQ(gadgets->ItemCount(g.number), static_cast<int>(g.items.size()));
            for (int i = 0; i < gadgets->ItemCount(g.number); ++i) {
                EXPECT_EQ(gadgets->ItemText(g.number, i), g.items[i]);
            }
            EXPECT_EQ(gadgets->State(g.number), g.items.empty() ? -1 : g.initialState);
        } else if (g.kind != GadgetKind::Panel && g.kind != GadgetKind::Image) {
            EXPECT_EQ(gadgets->Text(g.number), g.caption);
        }
        EXPECT_EQ(gadgets->ToolTip(g.number), g.toolTip);
    }
}

TEST_F(WindowBuild, PagesHaveTitlesAndIconsAndTheBannerItsPicture) {
    auto* panel = qobject_cast<QTabWidget*>(W(gadget::kPanel));
    ASSERT_EQ(panel->count(), 3);
    const char* titles[] = {"Loopsmith", "Редактирование профилей", "О программе"};
    for (int page = 0; page < 3; ++page) {
        EXPECT_EQ(FromQ(panel->tabText(page)), titles[page]);
        EXPECT_FALSE(panel->tabIcon(page).isNull()) << page;
        EXPECT_EQ(panel->tabIcon(page).availableSizes().value(0), QSize(16, 16)) << page;
    }
    EXPECT_EQ(gadgets->State(gadget::kPanel), 0);
    // The banner is decoded when its page is first shown, not at start-up.
    auto* banner = qobject_cast<QLabel*>(W(gadget::kBanner));
    gadgets->ShowWindow();
    EXPECT_TRUE(banner->pixmap().isNull());
    gadgets->SetState(gadget::kPanel, gadget::kPageAbout);
    EXPECT_EQ(banner->pixmap().size(), QSize(381, 68));
}

TEST_F(WindowBuild, OutputFontIsFixedOnceNeededAndTypingLimitsAreNotQts) {
    // The box starts empty; its font is there before any text or caret is drawn.
    gadgets->SetText(gadget::kOutputBox, "    nop\r\n");
    EXPECT_TRUE(QFontInfo(W(gadget::kOutputBox)->font()).fixedPitch());
    ui::qt::QtGadgets other(MainWindowLayout());
    QFocusEvent focusIn(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(other.Widget(gadget::kOutputBox), &focusIn);
    EXPECT_TRUE(QFontInfo(other.Widget(gadget::kOutputBox)->font()).fixedPitch());
    // Qt's own limit would also cut the text that the program writes.
    for (int field : {gadget::kTimeField, gadget::kFrequencyField, gadget::kCyclesField}) {
        EXPECT_EQ(qobject_cast<QLineEdit*>(W(field))->maxLength(), 32767) << field;
    }
}

// "&" is shown as written: no caption gives its control an access key.
TEST_F(WindowBuild, AmpersandsInCaptionsAreNoAccessKeys) {
    for (int n : {gadget::kCalculateButton, gadget::kWatchdogCheck}) {
        gadgets->SetText(n, "R&D");
        EXPECT_TRUE(qobject_cast<QAbstractButton*>(W(n))->shortcut().isEmpty()) << n;
    }
    gadgets->SetPageTitle(gadget::kPanel, 1, "R&D");
    EXPECT_EQ(qobject_cast<QTabWidget*>(W(gadget::kPanel))->tabText(1), "R&&D");
}

}  // namespace
