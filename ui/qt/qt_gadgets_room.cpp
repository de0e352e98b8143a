// Room for captions wider than their places (ui/caption_room.h), measured with the fonts the
// widgets use.
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
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

// The width of `text` in unscaled pixels as a screen of `scale` draws it: at its own size,
// rounding its own way.
int CaptionWidth(const QFont& font, const QString& text, double scale) {
    return static_cast<int>(
        std::lround(QFontMetricsF(ScaledFont(font, scale)).horizontalAdvance(text) / scale));
}

// A label's caption on more lines: its widest word, and its height at a width, both in
// unscaled pixels with the label's margins.
Wrapping LabelWrapping(const QLabel* label, double scale) {
    const QFontMetricsF metrics(ScaledFont(label->font(), scale));
    const int marginW = label->width() - label->contentsRect().width();
    const int marginH = label->height() - label->contentsRect().height();
    double widest = 0;
    for (const QString& word : label->text().split(' ', Qt::SkipEmptyParts))
        widest = std::max(widest, metrics.horizontalAdvance(word));
    Wrapping wrap;
    wrap.narrowest = static_cast<int>(std::ceil(widest / scale)) + marginW;
    wrap.heightAt = [metrics, text = label->text(), scale, marginW, marginH](int width) {
        const QRectF room(0, 0, (width - marginW) * scale, 1e6);
        const QRectF need = metrics.boundingRect(room, Qt::TextWordWrap, text);
        return static_cast<int>(std::ceil(need.height() / scale)) + marginH;
    };
    return wrap;
}

}  // namespace

int QtGadgets::CaptionNeed(const Control& control, QWidget* w, double scale) const {
    const QFont& font = w->font();
    switch (control.layout.kind) {
        case GadgetKind::Label:
        case GadgetKind::Hyperlink: {
            auto* label = static_cast<QLabel*>(w);
            if ((label->wordWrap() && !wrapped_.count(control.layout.number)) ||
                !label->pixmap().isNull() || label->text().isEmpty())
                return 0;
            return CaptionWidth(font, label->text(), scale) + w->width() -
                   label->contentsRect().width();
        }
        case GadgetKind::CheckBox: {
            auto* box = static_cast<QCheckBox*>(w);
            return box->sizeHint().width() - box->fontMetrics().horizontalAdvance(box->text()) +
                   CaptionWidth(font, box->text(), scale);
        }
        case GadgetKind::Button:
            return CaptionWidth(font, static_cast<QPushButton*>(w)->text(), scale) + kButtonMargin;
        case GadgetKind::Frame:
            return CaptionWidth(font, static_cast<QGroupBox*>(w)->title(), scale) +
                   kFrameTitleMargin;
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
                widest = std::max(widest, CaptionWidth(font, combo->itemText(i), scale));
            return widest + w->width() - field;
        }
        case GadgetKind::Panel: {
            QTabBar* bar = panel_->tabBar();
            int need = bar->sizeHint().width();
            for (int i = 0; i < bar->count(); ++i) {
                need += CaptionWidth(bar->font(), bar->tabText(i), scale) -
                        bar->fontMetrics().horizontalAdvance(bar->tabText(i));
            }
            return need;
        }
        default:
            return 0;
    }
}

void QtGadgets::MakeRoomForCaptions() {
    if (roomStale_)
        MakeRoomAt(window_->devicePixelRatioF());
}

void QtGadgets::MakeRoomAt(double scale, int workArea) {
    if (!built_)
        return;
    roomStale_ = false;
    std::map<int, int> need;
    std::map<int, Wrapping> wraps;
    for (const auto& [number, widget] : widgets_) {
        const Control* control = Find(number);
        if (!control || !widget)
            continue;
        need[number] = CaptionNeed(*control, widget, scale);
        if (control->layout.kind == GadgetKind::Label && need[number] > 0)
            wraps[number] = LabelWrapping(static_cast<QLabel*>(widget.data()), scale);
    }
    const int maxWidth = static_cast<int>(workArea / scale) - kWindowFrame;
    const WindowLayout room = MakeRoom(Layout(), need, maxWidth, wraps);
    for (const GadgetLayout& g : room.gadgets) {
        QWidget* w = Widget(g.number);
        if (!w || g.kind == GadgetKind::Container)
            continue;
        w->setGeometry(g.place.x, g.place.y, g.place.w, g.place.h);
        if (wraps.count(g.number)) {  // narrower than its caption: on more lines
            const bool wrap = need[g.number] > g.place.w;
            static_cast<QLabel*>(w)->setWordWrap(wrap);
            if (wrap)
                wrapped_.insert(g.number);
            else
                wrapped_.erase(g.number);
        }
    }
    window_->setFixedSize(room.clientWidth, room.clientHeight);
}

}  // namespace ui::qt
