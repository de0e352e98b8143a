// The wanted state pushed to the widgets, and what the user changes read back from them.
#include "ui/qt/qt_gadgets.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QDesktopServices>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QTabWidget>
#include <QUrl>

#include "ui/qt/gadget_widgets.h"
#include "ui/qt/qt_text.h"
#include "ui/qt/widget_colors.h"

namespace ui::qt {

QWidget* QtGadgets::Window() const {
    return window_.get();
}

QWidget* QtGadgets::Widget(int gadget) const {
    auto it = widgets_.find(gadget);
    return it == widgets_.end() ? nullptr : it->second.data();
}

int QtGadgets::GadgetOf(const QWidget* widget) const {
    for (const QWidget* w = widget; w && w != window_.get(); w = w->parentWidget()) {
        auto it = owners_.find(w);
        if (it != owners_.end())
            return it->second;
    }
    return -1;
}

std::string QtGadgets::ReadText(const Control& control) const {
    auto* edit = qobject_cast<QLineEdit*>(Widget(control.layout.number));
    return edit ? FromQ(edit->text()) : control.want.text;
}

int QtGadgets::ReadState(const Control& control) const {
    QWidget* w = Widget(control.layout.number);
    if (!w)
        return control.want.state;
    switch (control.layout.kind) {
        case GadgetKind::CheckBox:
            return static_cast<QAbstractButton*>(w)->isChecked() ? 1 : 0;
        case GadgetKind::ComboBox:
            return static_cast<QComboBox*>(w)->currentIndex();
        case GadgetKind::ListBox: {
            auto* list = static_cast<QListWidget*>(w);
            const QList<QListWidgetItem*> picked = list->selectedItems();
            return picked.isEmpty() ? -1 : list->row(picked.front());
        }
        case GadgetKind::Panel:
            return panel_->currentIndex();
        default:
            return control.want.state;
    }
}

void QtGadgets::Push(Control& control, Aspect aspect) {
    QWidget* w = Widget(control.layout.number);
    if (!w)
        return;
    const ControlState& s = control.want;
    const GadgetKind kind = control.layout.kind;
    switch (aspect) {
        case Aspect::Text:
            if (kind == GadgetKind::Label || kind == GadgetKind::Hyperlink)
                static_cast<QLabel*>(w)->setText(ToQ(s.text));
            else if (kind == GadgetKind::CheckBox || kind == GadgetKind::Button)
                static_cast<QAbstractButton*>(w)->setText(ToQ(s.text));
            else if (kind == GadgetKind::Frame)
                static_cast<QGroupBox*>(w)->setTitle(ToQ(s.text));
            else if (kind == GadgetKind::TextField)
                static_cast<QLineEdit*>(w)->setText(ToQ(s.text));
            else if (kind == GadgetKind::OutputBox)
                static_cast<OutputBox*>(w)->SetText(ToQ(s.text));
            break;
        case Aspect::State:
            if (kind == GadgetKind::CheckBox) {
                static_cast<QAbstractButton*>(w)->setChecked(s.state != 0);
            } else if (kind == GadgetKind::ComboBox) {
                static_cast<QComboBox*>(w)->setCurrentIndex(s.state);
            } else if (kind == GadgetKind::ListBox) {
                auto* list = static_cast<QListWidget*>(w);
                if (s.state < 0)
                    list->clearSelection();
                list->setCurrentRow(s.state);
            } else if (kind == GadgetKind::Panel) {
                panel_->setCurrentIndex(s.state);
            }
            break;
        case Aspect::Items:
            PushItems(control, w);
            break;
        case Aspect::Enabled:
            w->setEnabled(s.enabled);
            break;
        case Aspect::Visible:
            w->setVisible(s.visible);
            break;
        case Aspect::ReadOnly:
            if (auto* edit = qobject_cast<QLineEdit*>(w))
                edit->setReadOnly(s.readOnly);
            break;
        case Aspect::Colors:
            ApplyColors(control, w);
            break;
        case Aspect::ToolTip:
            w->setToolTip(ToQ(s.toolTip));
            break;
    }
}

void QtGadgets::PushItems(const Control& control, QWidget* w) {
    const std::vector<std::string>& items = control.want.items;
    const int wanted = static_cast<int>(items.size());
    if (control.layout.kind == GadgetKind::Panel) {
        for (int page = 0; page < panel_->count() && page < wanted; ++page) {
            const QString title = ToQ(items[static_cast<size_t>(page)]);
            if (panel_->tabText(page) != title)
                panel_->setTabText(page, title);
        }
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        // Items are only cleared or added: the widget lacks the ones added since.
        if (combo->count() > wanted)
            combo->clear();
        for (int i = combo->count(); i < wanted; ++i) {
            const int before = combo->currentIndex();
            combo->addItem(ToQ(items[static_cast<size_t>(i)]));
            // Qt selects the first item added to an empty combo box; the program decides that.
            if (before < 0)
                combo->setCurrentIndex(-1);
        }
    } else if (auto* list = qobject_cast<QListWidget*>(w)) {
        if (list->count() > wanted)
            list->clear();
        for (int i = list->count(); i < wanted; ++i)
            list->addItem(ToQ(items[static_cast<size_t>(i)]));
    }
}

void QtGadgets::ApplyColors(const Control& control, QWidget* w) {
    const ControlState& s = control.want;
    auto* link = qobject_cast<ClickLabel*>(w);
    if (control.layout.kind == GadgetKind::Hyperlink && link) {
        PaintGadget(link, Color::Default(), s.backColor);
        QColor normal = ToQColor(s.textColor);
        if (!normal.isValid())
            normal = link->palette().color(QPalette::Link);
        QColor hover = ToQColor(control.layout.hoverColor);
        if (!hover.isValid())
            hover = normal;
        link->SetLinkColors(normal, hover);
        return;
    }
    PaintGadget(w, s.textColor, s.backColor);
}

void QtGadgets::Focus(int gadget) {
    if (QWidget* w = Widget(gadget))
        w->setFocus(Qt::OtherFocusReason);
}

int QtGadgets::FocusedGadget() const {
    return GadgetOf(window_->focusWidget());
}

void QtGadgets::Ring() {
    QApplication::beep();
}

void QtGadgets::ShowCursor(CursorShape shape) {
    window_->setCursor(shape == CursorShape::Hand ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

bool QtGadgets::PointerInside(int gadget) const {
    QWidget* w = Widget(gadget);
    if (!w)
        return false;
    // QRect::contains counts the left and top edges in and the right and bottom ones out.
    const QRect onScreen(w->mapToGlobal(QPoint(0, 0)), w->size());
    return onScreen.contains(QCursor::pos());
}

void QtGadgets::OpenUrl(const std::string& url) {
    // Failures are not reported: there is nothing the user could do about them here.
    QDesktopServices::openUrl(QUrl(ToQ(url), QUrl::TolerantMode));
}

void QtGadgets::ShowWindow() {
    QScreen* screen = window_->screen() ? window_->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        QRect place = window_->geometry();
        place.moveCenter(screen->availableGeometry().center());
        window_->move(place.topLeft());
    }
    window_->show();
    window_->activateWindow();
}

}  // namespace ui::qt
