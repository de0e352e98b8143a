// The Qt face under the contract: real widgets offscreen, worked with QTest.
#if defined(LOOPSMITH_CONTRACT_QT)
#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMessageBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "contract/faces.h"
#include "qt/qt_fixture.h"
#include "ui/qt/qt_text.h"

QtFace::QtFace() {
    EnsureApplication();
    g_ = std::make_unique<ui::qt::QtGadgets>(MainWindowLayout());
    g_->ShowWindow();
    Pump();
}

QtFace::~QtFace() = default;

ui::Gadgets& QtFace::Gadgets() {
    return *g_;
}

void QtFace::Type(int gadget, const std::string& text) {
    QWidget* w = g_->Widget(gadget);
    w->setFocus();
    for (QChar c : ui::qt::ToQ(text)) {
        const Qt::Key key = c == '\b'   ? Qt::Key_Backspace
                            : c == '\r' ? Qt::Key_Return
                                        : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Click, w, key, key == Qt::Key_unknown ? QString(c) : QString(),
                            Qt::NoModifier);
    }
    Pump();
}

void QtFace::Paste(int gadget, const std::string& text) {
    QWidget* w = g_->Widget(gadget);
    w->setFocus();
    QGuiApplication::clipboard()->setText(ui::qt::ToQ(text));
    QTest::keySequence(w, QKeySequence::Paste);
    Pump();
}

void QtFace::Click(int gadget) {
    QTest::mouseClick(g_->Widget(gadget), Qt::LeftButton);
    Pump();
}

void QtFace::NextItem(int combo) {
    g_->Widget(combo)->setFocus();
    QTest::keyClick(g_->Widget(combo), Qt::Key_Down);
    Pump();
}

void QtFace::NextPage() {
    QTabBar* bar = qobject_cast<QTabWidget*>(g_->Widget(MainWindowLayout().panel))->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(bar->currentIndex() + 1).center());
    Pump();
}

void QtFace::SelectAll(int field) {
    qobject_cast<QLineEdit*>(g_->Widget(field))->selectAll();
}

void QtFace::Pump() {
    QCoreApplication::processEvents();
}

bool QtFace::HasPendingEvent() const {
    return g_->HasPendingEvent();
}

int QtFace::Beeps() const {
    return g_->BeepCount();
}

void QtFace::AnswerNextBox(BoxAction action) {
    seen_ = {};
    QTimer::singleShot(0, [this, action] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen_.shown = true;
        for (QMessageBox::StandardButton b : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Ok}) {
            if (QAbstractButton* button = box->button(b))
                seen_.buttons.push_back(ui::qt::FromQ(button->text()));
        }
        if (action == BoxAction::ClickYes)
            QTest::mouseClick(box->button(QMessageBox::Yes), Qt::LeftButton);
        else
            QTest::keyClick(box, action == BoxAction::Enter ? Qt::Key_Return : Qt::Key_Escape);
    });
}
#endif
