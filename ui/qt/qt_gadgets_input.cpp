// The user's actions become the frame's events; keys typed into fields meet the keystroke rule.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
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

// The window moved to another screen, or its screen's scale changed.
bool IsScaleChange(QEvent::Type type) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    if (type == QEvent::DevicePixelRatioChange)
        return true;
#endif
    return type == QEvent::ScreenChangeInternal;
}

}  // namespace

bool QtGadgets::PumpMessages() {
    MakeRoomForCaptions();
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return true;
}

bool QtGadgets::WindowOnScreen() const {
    return window_ && window_->isVisible();
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
    if (IsScaleChange(type) && window_ && watched == window_.get()) {
        // On a screen of another scale the captions measure otherwise.
        roomStale_ = true;
        MakeRoomForCaptions();
        return false;
    }
    if (type == QEvent::KeyRelease) {
        lastInputEvent_ = nullptr;  // the next press may reuse the same address
        return false;
    }
    if (type == QEvent::ContextMenu || type == QEvent::Drop || type == QEvent::MouseButtonRelease)
        return HandlePasteEvent(watched, event);
    if (type != QEvent::KeyPress && type != QEvent::MouseMove)
        return false;
    // Nothing the user does is an event while a message box is open or the window is built.
    if (Events().Quiet() || !window_)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != window_.get())
        return false;
    if (!IsFirstDelivery(watched, event))
        return false;

    if (type == QEvent::MouseMove) {
        Events().Report(Event::MouseMove());
        return false;
    }
    auto* key = static_cast<QKeyEvent*>(event);
    Events().Report(Event::KeyDown(KeyCode(*key)));
    const Control* control = Find(GadgetOf(widget));
    if (!control || Widget(control->layout.number) != widget)
        return false;
    if (control->layout.kind == GadgetKind::TextField)
        return HandleTypedKey(*control, key);
    // Enter is the event loop's business (the calculation on page 0), not a button's click.
    if (control->layout.kind == GadgetKind::Button && IsEnterKey(*key))
        return true;
    return false;
}

bool QtGadgets::HandleTypedKey(const Control& field, QKeyEvent* key) {
    auto* edit = qobject_cast<QLineEdit*>(Widget(field.layout.number));
    if (!edit)
        return false;
    char32_t ch = 0;
    if (IsEnterKey(*key)) {
        ch = kEnter;
    } else if (key->key() == Qt::Key_Backspace) {
        ch = kBackspace;
    } else {
        const QList<uint> typed = key->text().toUcs4();
        // No character (arrows, Delete) or a Ctrl shortcut (Ctrl+C, Ctrl+V...): an editing
        // command, not typing. Ctrl+Alt is AltGr and does type.
        const Qt::KeyboardModifiers mods = key->modifiers();
        const bool shortcut = (mods & Qt::ControlModifier) && !(mods & Qt::AltModifier);
        if (key->matches(QKeySequence::Paste) && !field.want.readOnly) {
            PasteInto(field, edit, QGuiApplication::clipboard()->text());
            return true;
        }
        if (shortcut || typed.isEmpty())
            return false;
        ch = typed.front();
    }
    const int start = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
    const int selected = static_cast<int>(edit->selectedText().toUcs4().size());
    const char32_t typed = ch;
    if (!LetTypedChar(field, ch, FromQ(edit->text()), start, selected))
        return true;
    if (ch != typed) {
        // Typed anew as the point, so that the field reports the edit as the user's.
        QKeyEvent point(QEvent::KeyPress, Qt::Key_Period, key->modifiers(), QStringLiteral("."));
        QCoreApplication::sendEvent(edit, &point);
        return true;
    }
    return false;
}

bool QtGadgets::HandlePasteEvent(QObject* watched, QEvent* event) {
    auto* edit = qobject_cast<QLineEdit*>(watched);
    const Control* field = edit ? Find(GadgetOf(edit)) : nullptr;
    if (!field || Widget(field->layout.number) != edit || field->want.readOnly ||
        Events().Quiet() || !(field->layout.filterInput || field->layout.digitsOnly)) {
        return false;
    }
    switch (event->type()) {
        case QEvent::ContextMenu: {
            // The toolkit's own menu, its Paste typed as a whole like Ctrl+V.
            std::unique_ptr<QMenu> menu(edit->createStandardContextMenu());
            if (auto* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste"))) {
                paste->disconnect();
                connect(paste, &QAction::triggered, this, [this, field, edit] {
                    PasteInto(*field, edit, QGuiApplication::clipboard()->text());
                });
            }
            menu->exec(static_cast<QContextMenuEvent*>(event)->globalPos());
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            if (!drop->mimeData()->hasText())
                return false;
            edit->deselect();
            edit->setCursorPosition(edit->cursorPositionAt(drop->position().toPoint()));
            PasteInto(*field, edit, drop->mimeData()->text());
            drop->setDropAction(Qt::CopyAction);
            drop->accept();
            return true;
        }
        case QEvent::MouseButtonRelease: {
            // X11's middle click pastes the primary selection.
            QClipboard* clipboard = QGuiApplication::clipboard();
            if (static_cast<QMouseEvent*>(event)->button() != Qt::MiddleButton ||
                !clipboard->supportsSelection()) {
                return false;
            }
            edit->deselect();
            PasteInto(*field, edit, clipboard->text(QClipboard::Selection));
            return true;
        }
        default:
            return false;
    }
}

void QtGadgets::PasteInto(const Control& field, QLineEdit* edit, const QString& pasted) {
    const int start = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
    const int selected = static_cast<int>(edit->selectedText().toUcs4().size());
    if (const auto piece =
            LetPastedText(field, FromQ(edit->text()), start, selected, FromQ(pasted)))
        edit->insert(ToQ(*piece));  // reported as the user's edit, like typing
}

MessageAnswer QtGadgets::RunMessageBox(const std::string& title, const std::string& text,
                                       MessageIcon icon, MessageButtons buttons) {
    QMessageBox box(window_.get());
    box.setWindowTitle(ToQ(title));
    box.setTextFormat(Qt::PlainText);
    box.setText(ToQ(text));
    box.setIcon(icon == MessageIcon::Warning ? QMessageBox::Warning
                : icon == MessageIcon::Error ? QMessageBox::Critical
                                             : QMessageBox::Question);
    // The standard buttons keep their roles (Enter, Escape); only the captions change.
    auto caption = [&box](QMessageBox::StandardButton button, const std::string& text) {
        if (!text.empty())
            box.button(button)->setText(ToQCaption(text));
    };
    if (buttons == MessageButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
        caption(QMessageBox::Yes, ButtonTexts().yes);
        caption(QMessageBox::No, ButtonTexts().no);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
        caption(QMessageBox::Ok, ButtonTexts().ok);
    }
    return box.exec() == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

}  // namespace ui::qt
