// The operations the program performs on gadgets, by number.
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

QtGadgets::Entry* QtGadgets::Find(int gadget) {
    auto it = entries_.find(gadget);
    return it == entries_.end() || !it->second.widget ? nullptr : &it->second;
}

const QtGadgets::Entry* QtGadgets::Find(int gadget) const {
    auto it = entries_.find(gadget);
    return it == entries_.end() || !it->second.widget ? nullptr : &it->second;
}

QWidget* QtGadgets::Window() const {
    return window_.get();
}

QWidget* QtGadgets::Widget(int gadget) const {
    const Entry* e = Find(gadget);
    return e ? e->widget.data() : nullptr;
}

int QtGadgets::GadgetOf(const QWidget* widget) const {
    for (const QWidget* w = widget; w && w != window_.get(); w = w->parentWidget()) {
        auto it = owners_.find(w);
        if (it != owners_.end())
            return it->second;
    }
    return -1;
}

std::string QtGadgets::Text(int gadget) const {
    const Entry* e = Find(gadget);
    if (!e)
        return "";
    QWidget* w = e->widget;
    switch (e->layout.kind) {
        case GadgetKind::Label:
        case GadgetKind::Hyperlink:
            return FromQ(static_cast<QLabel*>(w)->text());
        case GadgetKind::CheckBox:
        case GadgetKind::Button:
            return FromQ(static_cast<QAbstractButton*>(w)->text());
        case GadgetKind::Frame:
            return FromQ(static_cast<QGroupBox*>(w)->title());
        case GadgetKind::TextField:
            return FromQ(static_cast<QLineEdit*>(w)->text());
        case GadgetKind::OutputBox:
            return e->rawText;
        case GadgetKind::ComboBox:
        case GadgetKind::ListBox:
            return ItemText(gadget, State(gadget));
        case GadgetKind::Panel:
        case GadgetKind::Container:
        case GadgetKind::Image:
            return "";
    }
    return "";
}

void QtGadgets::SetText(int gadget, const std::string& text) {
    Entry* e = Find(gadget);
    if (!e)
        return;
    if (e->layout.kind != GadgetKind::TextField && e->layout.kind != GadgetKind::OutputBox)
        roomStale_ = true;  // a caption, which may need room
    QWidget* w = e->widget;
    switch (e->layout.kind) {
        case GadgetKind::Label:
        case GadgetKind::Hyperlink:
            static_cast<QLabel*>(w)->setText(ToQ(text));
            break;
        case GadgetKind::CheckBox:
        case GadgetKind::Button:
            static_cast<QAbstractButton*>(w)->setText(ToQ(text));
            break;
        case GadgetKind::Frame:
            static_cast<QGroupBox*>(w)->setTitle(ToQ(text));
            break;
        case GadgetKind::TextField:
            static_cast<QLineEdit*>(w)->setText(ToQ(text));
            break;
        case GadgetKind::OutputBox:
            e->rawText = text;
            static_cast<OutputBox*>(w)->SetText(PlainLines(text));
            break;
        case GadgetKind::ComboBox:
        case GadgetKind::ListBox:
        case GadgetKind::Panel:
        case GadgetKind::Container:
        case GadgetKind::Image:
            break;
    }
}

int QtGadgets::State(int gadget) const {
    const Entry* e = Find(gadget);
    if (!e)
        return 0;
    switch (e->layout.kind) {
        case GadgetKind::CheckBox:
            return static_cast<QAbstractButton*>(e->widget.data())->isChecked() ? 1 : 0;
        case GadgetKind::ComboBox:
            return static_cast<QComboBox*>(e->widget.data())->currentIndex();
        case GadgetKind::ListBox: {
            auto* list = static_cast<QListWidget*>(e->widget.data());
            const QList<QListWidgetItem*> picked = list->selectedItems();
            return picked.isEmpty() ? -1 : list->row(picked.front());
        }
        case GadgetKind::Panel:
            return panel_->currentIndex();
        default:
            return e->state;
    }
}

void QtGadgets::SetState(int gadget, int state) {
    Entry* e = Find(gadget);
    if (!e)
        return;
    switch (e->layout.kind) {
        case GadgetKind::CheckBox:
            static_cast<QAbstractButton*>(e->widget.data())->setChecked(state != 0);
            break;
        case GadgetKind::ComboBox: {
            auto* combo = static_cast<QComboBox*>(e->widget.data());
            // Like the platform's controls: an index outside the items leaves no selection.
            combo->setCurrentIndex(state >= 0 && state < combo->count() ? state : -1);
            break;
        }
        case GadgetKind::ListBox: {
            auto* list = static_cast<QListWidget*>(e->widget.data());
            if (state >= 0 && state < list->count()) {
                list->setCurrentRow(state);
            } else {
                list->clearSelection();
                list->setCurrentRow(-1);
            }
            break;
        }
        case GadgetKind::Panel:
            if (state >= 0 && state < panel_->count()) {
                ++quietDepth_;  // the program's own page change is no user action
                panel_->setCurrentIndex(state);
                --quietDepth_;
            }
            break;
        default:
            e->state = state;
            break;
    }
}

int QtGadgets::ItemCount(int gadget) const {
    const Entry* e = Find(gadget);
    if (!e)
        return 0;
    if (e->layout.kind == GadgetKind::ComboBox)
        return static_cast<QComboBox*>(e->widget.data())->count();
    if (e->layout.kind == GadgetKind::ListBox)
        return static_cast<QListWidget*>(e->widget.data())->count();
    return 0;
}

std::string QtGadgets::ItemText(int gadget, int index) const {
    const Entry* e = Find(gadget);
    if (!e || index < 0 || index >= ItemCount(gadget))
        return "";
    if (e->layout.kind == GadgetKind::ComboBox) {
        return FromQ(static_cast<QComboBox*>(e->widget.data())->itemText(index));
    }
    return FromQ(static_cast<QListWidget*>(e->widget.data())->item(index)->text());
}

void QtGadgets::ClearItems(int gadget) {
    Entry* e = Find(gadget);
    if (!e)
        return;
    if (e->layout.kind == GadgetKind::ComboBox)
        static_cast<QComboBox*>(e->widget.data())->clear();
    if (e->layout.kind == GadgetKind::ListBox)
        static_cast<QListWidget*>(e->widget.data())->clear();
}

void QtGadgets::AddItem(int gadget, const std::string& text) {
    Entry* e = Find(gadget);
    if (!e)
        return;
    if (e->layout.kind == GadgetKind::ComboBox) {
        auto* combo = static_cast<QComboBox*>(e->widget.data());
        const int before = combo->currentIndex();
        combo->addItem(ToQ(text));
        roomStale_ = true;
        // Qt selects the first item added to an empty combo box; the program decides that.
        if (before < 0)
            combo->setCurrentIndex(-1);
    } else if (e->layout.kind == GadgetKind::ListBox) {
        static_cast<QListWidget*>(e->widget.data())->addItem(ToQ(text));
    }
}

void QtGadgets::SetPageTitle(int panel, int page, const std::string& title) {
    if (panel != panelNumber_ || !panel_ || page < 0 || page >= panel_->count())
        return;
    panel_->setTabText(page, ToQ(title));
    roomStale_ = true;
}

bool QtGadgets::IsEnabled(int gadget) const {
    const Entry* e = Find(gadget);
    return e && e->widget->isEnabledTo(window_.get());
}

void QtGadgets::SetEnabled(int gadget, bool enabled) {
    if (Entry* e = Find(gadget))
        e->widget->setEnabled(enabled);
}

bool QtGadgets::IsVisible(int gadget) const {
    // The gadget's own flag: a gadget on a page not shown is still visible in this sense.
    const Entry* e = Find(gadget);
    return e && !e->widget->isHidden();
}

void QtGadgets::SetVisible(int gadget, bool visible) {
    if (Entry* e = Find(gadget))
        e->widget->setVisible(visible);
}

bool QtGadgets::IsReadOnly(int gadget) const {
    const Entry* e = Find(gadget);
    if (!e)
        return false;
    if (auto* edit = qobject_cast<QLineEdit*>(e->widget.data()))
        return edit->isReadOnly();
    return e->readOnly;
}

void QtGadgets::SetReadOnly(int gadget, bool readOnly) {
    Entry* e = Find(gadget);
    if (!e)
        return;
    e->readOnly = readOnly;
    if (auto* edit = qobject_cast<QLineEdit*>(e->widget.data()))
        edit->setReadOnly(readOnly);
}

void QtGadgets::Focus(int gadget) {
    if (Entry* e = Find(gadget))
        e->widget->setFocus(Qt::OtherFocusReason);
}

int QtGadgets::FocusedGadget() const {
    return GadgetOf(window_->focusWidget());
}

Color QtGadgets::TextColor(int gadget) const {
    const Entry* e = Find(gadget);
    return e ? e->textColor : Color{};
}

void QtGadgets::SetTextColor(int gadget, Color color) {
    if (Entry* e = Find(gadget)) {
        e->textColor = color;
        ApplyColors(*e);
    }
}

Color QtGadgets::BackColor(int gadget) const {
    const Entry* e = Find(gadget);
    return e ? e->backColor : Color{};
}

void QtGadgets::SetBackColor(int gadget, Color color) {
    if (Entry* e = Find(gadget)) {
        e->backColor = color;
        ApplyColors(*e);
    }
}

void QtGadgets::ApplyColors(Entry& entry) {
    auto* link = qobject_cast<ClickLabel*>(entry.widget.data());
    if (entry.layout.kind == GadgetKind::Hyperlink && link) {
        PaintGadget(link, Color::Default(), entry.backColor);
        QColor normal = ToQColor(entry.textColor);
        if (!normal.isValid())
            normal = link->palette().color(QPalette::Link);
        QColor hover = ToQColor(entry.layout.hoverColor);
        if (!hover.isValid())
            hover = normal;
        link->SetLinkColors(normal, hover);
        return;
    }
    PaintGadget(entry.widget, entry.textColor, entry.backColor);
}

void QtGadgets::SetToolTip(int gadget, const std::string& text) {
    if (Entry* e = Find(gadget))
        e->widget->setToolTip(ToQ(text));
}

std::string QtGadgets::ToolTip(int gadget) const {
    const Entry* e = Find(gadget);
    return e ? FromQ(e->widget->toolTip()) : "";
}

void QtGadgets::Beep() {
    ++beeps_;
    QApplication::beep();
}

void QtGadgets::SetCursor(CursorShape shape) {
    cursor_ = shape;
    window_->setCursor(shape == CursorShape::Hand ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

bool QtGadgets::PointerInside(int gadget) const {
    const Entry* e = Find(gadget);
    if (!e)
        return false;
    // QRect::contains counts the left and top edges in and the right and bottom ones out.
    const QRect onScreen(e->widget->mapToGlobal(QPoint(0, 0)), e->widget->size());
    return onScreen.contains(QCursor::pos());
}

void QtGadgets::OpenUrl(const std::string& url) {
    // Failures are not reported: there is nothing the user could do about them here.
    QDesktopServices::openUrl(QUrl(ToQ(url), QUrl::TolerantMode));
}

void QtGadgets::ShowWindow() {
    MakeRoomForCaptions();
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
