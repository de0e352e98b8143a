#include "ui/qt/gadget_widgets.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

namespace ui::qt {

MainWindowWidget::MainWindowWidget()
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint) {}

void MainWindowWidget::closeEvent(QCloseEvent* event) {
    event->accept();
    if (onCloseRequest)
        onCloseRequest();
}

ClickLabel::ClickLabel(QWidget* parent) : QLabel(parent) {
    setFocusPolicy(Qt::StrongFocus);
}

void ClickLabel::SetLinkColors(QColor normal, QColor hover) {
    link_ = true;
    normal_ = normal;
    hover_ = hover;
    QFont f = font();
    f.setUnderline(true);
    setFont(f);
    setCursor(Qt::PointingHandCursor);
    Paint(hovered_ ? hover_ : normal_);
}

void ClickLabel::Paint(QColor color) {
    QPalette p = palette();
    p.setColor(QPalette::Active, QPalette::WindowText, color);
    p.setColor(QPalette::Inactive, QPalette::WindowText, color);
    setPalette(p);
}

void ClickLabel::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click)
        emit clicked();
}

void ClickLabel::enterEvent(QEnterEvent* event) {
    hovered_ = true;
    if (link_)
        Paint(hover_);
    QLabel::enterEvent(event);
}

void ClickLabel::leaveEvent(QEvent* event) {
    hovered_ = false;
    if (link_)
        Paint(normal_);
    QLabel::leaveEvent(event);
}

void ClickLabel::showEvent(QShowEvent* event) {
    if (makePicture_) {
        setPixmap(makePicture_());
        makePicture_ = nullptr;
    }
    QLabel::showEvent(event);
}

void ClickLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}

OutputBox::OutputBox(QWidget* parent) : QPlainTextEdit(parent) {}

void OutputBox::SetText(const QString& text) {
    ApplyFont();
    setPlainText(text);
}

void OutputBox::focusInEvent(QFocusEvent* event) {
    ApplyFont();
    QPlainTextEdit::focusInEvent(event);
}

void OutputBox::ApplyFont() {
    if (makeFont_) {
        setFont(makeFont_());
        makeFont_ = nullptr;
    }
}

}  // namespace ui::qt
