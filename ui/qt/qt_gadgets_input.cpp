// What the user does becomes one queue of events; the program reads it with WaitEvent.
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>

#include "ui/input_filter.h"
#include "ui/qt/gadget_widgets.h"
#include "ui/qt/key_codes.h"
#include "ui/qt/qt_gadgets.h"
#include "ui/qt/qt_text.h"

namespace ui::qt {

namespace {

bool IsEnterKey(const QKeyEvent& key) {
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

bool IsAncestor(const QObject* older, const QObject* younger) {
    for (const QObject* o = younger ? younger->parent() : nullptr; o; o = o->parent()) {
        if (o == older)
            return true;
    }
    return false;
}

}  // namespace

void QtGadgets::Report(const Event& event) {
    if (quietDepth_ == 0)
        events_.push_back(event);
}

void QtGadgets::PostClick(int gadget) {
    // The program's own request: queued even while it is busy, behind what is already there.
    events_.push_back(Event::OnGadget(gadget, kEventClick));
}

Event QtGadgets::WaitEvent() {
    MakeRoomForCaptions();
    while (events_.empty()) {
        // A closed or never shown window can send nothing more: do not wait forever.
        if (closed_ || !window_->isVisible())
            return Event::Close();
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    Event e = events_.front();
    events_.pop_front();
    return e;
}

bool QtGadgets::IsFirstDelivery(QObject* watched, QEvent* event) {
    // An event a widget ignores goes on to its parent, and the application's filter sees it
    // again there: the same key event object, or a copy of the mouse event.
    bool same = false;
    if (event->type() == QEvent::MouseMove) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        same = lastInputEvent_ != nullptr && mouse->timestamp() == lastStamp_ &&
               mouse->globalPosition() == lastGlobal_;
        lastStamp_ = mouse->timestamp();
        lastGlobal_ = mouse->globalPosition();
        lastInputEvent_ = mouse;
    } else {
        same = event == lastInputEvent_;
        lastInputEvent_ = event;
    }
    const bool propagated = same && IsAncestor(watched, lastInputReceiver_);
    lastInputReceiver_ = watched;
    return !propagated;
}

bool QtGadgets::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyRelease) {
        lastInputEvent_ = nullptr;  // the next press may reuse the same address
        return false;
    }
    if (type != QEvent::KeyPress && type != QEvent::MouseMove)
        return false;
    // Nothing the user does is an event while a message box is open or the window is built.
    if (quietDepth_ > 0 || !window_)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != window_.get())
        return false;
    if (!IsFirstDelivery(watched, event))
        return false;

    if (type == QEvent::MouseMove) {
        Report(Event::MouseMove());
        return false;
    }
    auto* key = static_cast<QKeyEvent*>(event);
    Report(Event::KeyDown(KeyCode(*key)));
    Entry* entry = Find(GadgetOf(widget));
    if (!entry || entry->widget != widget)
        return false;
    if (entry->layout.kind == GadgetKind::TextField)
        return HandleTypedKey(*entry, key);
    // Enter is the event loop's business (the calculation on page 0), not a button's click.
    if (entry->layout.kind == GadgetKind::Button && IsEnterKey(*key))
        return true;
    return false;
}

bool QtGadgets::HandleTypedKey(Entry& entry, QKeyEvent* key) {
    const GadgetLayout& g = entry.layout;
    auto* edit = qobject_cast<QLineEdit*>(entry.widget.data());
    if (!edit || edit->isReadOnly())
        return false;
    if (!g.filterInput && !g.digitsOnly && g.maxLength <= 0)
        return false;

    char32_t ch = 0;
    if (IsEnterKey(*key)) {
        ch = kEnter;
    } else if (key->key() == Qt::Key_Backspace) {
        ch = kBackspace;
    } else {
        const QList<uint> typed = key->text().toUcs4();
        // No character (arrows, Delete), a control character or a Ctrl shortcut (Ctrl+C,
        // Ctrl+V...): an editing command, not typing. Ctrl+Alt is AltGr and does type.
        const Qt::KeyboardModifiers mods = key->modifiers();
        const bool shortcut = (mods & Qt::ControlModifier) && !(mods & Qt::AltModifier);
        if (shortcut || typed.isEmpty() || typed.front() < 0x20 || typed.front() == 0x7F) {
            return false;
        }
        ch = typed.front();
    }

    const int start = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
    const int selected = static_cast<int>(edit->selectedText().toUcs4().size());
    switch (TypedCharVerdict(g, ch, FromQ(edit->text()), start, selected)) {
        case FilterVerdict::Pass:
            return false;
        case FilterVerdict::Discard:
            return true;
        case FilterVerdict::DiscardWithBeep:
            Beep();
            return true;
    }
    return false;
}

MessageAnswer QtGadgets::ShowMessage(const std::string& title, const std::string& text,
                                     MessageIcon icon, MessageButtons buttons) {
    QMessageBox box(window_.get());
    box.setWindowTitle(ToQ(title));
    box.setTextFormat(Qt::PlainText);
    box.setText(ToQ(text));
    box.setIcon(icon == MessageIcon::Warning ? QMessageBox::Warning
                : icon == MessageIcon::Error ? QMessageBox::Critical
                                             : QMessageBox::Question);
    // The standard buttons keep their roles (Enter, Escape); only the captions change.
    auto caption = [&box](QMessageBox::StandardButton button, const QString& text) {
        if (!text.isEmpty())
            box.button(button)->setText(text);
    };
    if (buttons == MessageButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
        caption(QMessageBox::Yes, yesText_);
        caption(QMessageBox::No, noText_);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
        caption(QMessageBox::Ok, okText_);
    }
    ++quietDepth_;
    const int answer = box.exec();
    --quietDepth_;
    if (buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    return answer == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

void QtGadgets::SetMessageButtonTexts(const std::string& yes, const std::string& no,
                                      const std::string& ok) {
    yesText_ = ToQ(yes);
    noText_ = ToQ(no);
    okText_ = ToQ(ok);
}

}  // namespace ui::qt
