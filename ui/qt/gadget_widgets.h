// The few widgets Qt has no ready equivalent for: the main window that reports its close
// request, a label that can be clicked (the banner image and the hyperlink), and the output
// box that takes its font when it is first needed.
#pragma once

#include <QColor>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QWidget>

#include <functional>

namespace ui::qt {

class MainWindowWidget : public QWidget {
    Q_OBJECT
  public:
    MainWindowWidget();
    std::function<void()> onCloseRequest;

  protected:
    void closeEvent(QCloseEvent* event) override;
};

// A click is a press and a release of the left button inside the label. It is a tab stop,
// shown with a focus frame; the program's dialog keys press it.
class ClickLabel : public QLabel {
    Q_OBJECT
  public:
    explicit ClickLabel(QWidget* parent);
    // A hyperlink: drawn in `normal`, in `hover` while the mouse is over it.
    void SetLinkColors(QColor normal, QColor hover);
    bool IsLink() const { return link_; }
    // The picture is made the first time the label is shown.
    void SetPictureWhenShown(std::function<QPixmap()> make) { makePicture_ = std::move(make); }

  signals:
    void clicked();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void Paint(QColor color);
    bool link_ = false;
    bool pressed_ = false;
    bool hovered_ = false;
    QColor normal_, hover_;
    std::function<QPixmap()> makePicture_;
};

// The output box starts empty: its own font is set the first time it is given text or
// takes the focus (and shows the caret), so that loading a second font does not delay the
// window's first appearance.
class OutputBox : public QPlainTextEdit {
    Q_OBJECT
  public:
    explicit OutputBox(QWidget* parent);
    void SetFontWhenNeeded(std::function<QFont()> make) { makeFont_ = std::move(make); }
    void SetText(const QString& text);

  protected:
    void focusInEvent(QFocusEvent* event) override;

  private:
    void ApplyFont();
    std::function<QFont()> makeFont_;
};

}  // namespace ui::qt
