// Room for captions wider than their places (ui/caption_room.h), measured with the fonts the
// widgets use.
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyleOptionComboBox>
#include <QTabBar>
#include <QTabWidget>

#include <cmath>

#include "ui/caption_room.h"
#include "ui/qt/app_look.h"
#include "ui/qt/gadget_widgets.h"
#include "ui/qt/qt_gadgets.h"

namespace ui::qt {

namespace {

// Room each kind needs beyond its text: a button's bevel, a frame's title inset.
constexpr int kButtonMargin = 8;
constexpr int kFrameTitleMargin = 12;
constexpr int kWindowFrame = 16;
constexpr int kLargestWorkArea = 1366;

namespace {

// The widest at the common screen scales: the window may be moved to any screen, and the text
// is drawn at the scale's own size, rounding its own way.
int CaptionWidth(const QFont& font, const QString& text) {
    qreal widest = 0;
    for (qreal scale : kScreenScales) {
        QFont scaled = font;
        if (font.pixelSize() > 0)
            scaled.setPixelSize(static_cast<int>(std::lround(font.pixelSize() * scale)));
        else
            scaled.setPointSizeF(font.pointSizeF() * scale);
        widest = std::max(widest, QFontMetricsF(scaled).horizontalAdvance(text) / scale);
    }
    return static_cast<int>(std::ceil(widest));
}

}  // namespace

int QtGadgets::CaptionNeed(const Control& control, QWidget* w) const {
    const QFont& font = w->font();
    switch (control.layout.kind) {
        case GadgetKind::Label:
        case GadgetKind::Hyperlink: {
            auto* label = static_cast<QLabel*>(w);
            if (label->wordWrap() || !label->pixmap().isNull() || label->text().isEmpty())
                return 0;
            return CaptionWidth(font, label->text()) + w->width() - label->contentsRect().width();
        }
        case GadgetKind::CheckBox: {
            auto* box = static_cast<QCheckBox*>(w);
            return box->sizeHint().width() - box->fontMetrics().horizontalAdvance(box->text()) +
                   CaptionWidth(font, box->text());
        }
        case GadgetKind::Button:
            return CaptionWidth(font, static_cast<QPushButton*>(w)->text()) + kButtonMargin;
        case GadgetKind::Frame:
            return CaptionWidth(font, static_cast<QGroupBox*>(w)->title()) + kFrameTitleMargin;
        case GadgetKind::ComboBox: {
            if (control.layout.itemsMayOverflow)
                return 0;
            auto* combo = static_cast<QComboBox*>(w);
            QStyleOptionComboBox option;
            option.initFrom(combo);
            const int field = combo->style()
                                  ->subControlRect(QStyle::CC_ComboBox, &option,
                                                   QStyle::SC_ComboBoxEditField, combo)
                                  .width();
            int widest = 0;
            for (int i = 0; i < combo->count(); ++i)
                widest = std::max(widest, CaptionWidth(font, combo->itemText(i)));
            return widest + w->width() - field;
        }
        case GadgetKind::Panel: {
            QTabBar* bar = panel_->tabBar();
            int need = bar->sizeHint().width();
            for (int i = 0; i < bar->count(); ++i) {
                need += CaptionWidth(bar->font(), bar->tabText(i)) -
                        bar->fontMetrics().horizontalAdvance(bar->tabText(i));
            }
            return need;
        }
        default:
            return 0;
    }
}

void QtGadgets::MakeRoomForCaptions() {
    if (!roomStale_ || !built_)
        return;
    roomStale_ = false;
    std::map<int, int> need;
    for (const auto& [number, widget] : widgets_) {
        if (const Control* control = Find(number); control && widget)
            need[number] = CaptionNeed(*control, widget);
    }
    QScreen* screen = window_->screen();
    const int workArea =
        screen ? std::min(screen->availableGeometry().width(), kLargestWorkArea) : kLargestWorkArea;
    const WindowLayout room = MakeRoom(Layout(), need, workArea - kWindowFrame);
    for (const GadgetLayout& g : room.gadgets) {
        QWidget* w = Widget(g.number);
        if (w && g.kind != GadgetKind::Container)
            w->setGeometry(g.place.x, g.place.y, g.place.w, g.place.h);
    }
    window_->setFixedSize(room.clientWidth, room.clientHeight);
}

}  // namespace ui::qt
