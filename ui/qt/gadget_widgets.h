// The few widgets Qt has no ready equivalent for: the main window that reports its close
// request, and a label that can be clicked (the banner image and the hyperlink).
#pragma once

#include <QColor>
#include <QLabel>
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

// A click is a press and a release of the left button inside the label.
class ClickLabel : public QLabel {
    Q_OBJECT
  public:
    explicit ClickLabel(QWidget* parent);
    // A hyperlink: drawn in `normal`, in `hover` while the mouse is over it.
    void SetLinkColors(QColor normal, QColor hover);
    bool IsLink() const { return link_; }

  signals:
    void clicked();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    void Paint(QColor color);
    bool link_ = false;
    bool pressed_ = false;
    bool hovered_ = false;
    QColor normal_, hover_;
};

}  // namespace ui::qt
