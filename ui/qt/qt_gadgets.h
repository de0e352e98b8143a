// The gadget layer on real Qt Widgets: one fixed-size window built from a WindowLayout, every
// control at its place. The frame keeps the wanted state and the events; this is the toolkit's
// side of them.
#pragma once

#include <QIcon>
#include <QObject>
#include <QPointF>
#include <QPointer>

#include <map>
#include <memory>
#include <set>
#include <string>

#include "ui/gadget_frame.h"

class QKeyEvent;
class QLineEdit;
class QTabWidget;
class QWidget;

namespace ui::qt {

class MainWindowWidget;

// In screen pixels: the window stays within a small laptop's screen.
inline constexpr int kLargestWorkArea = 1366;

class QtGadgets : public QObject, public GadgetFrame {
    Q_OBJECT
  public:
    // Needs a QApplication. The window is built hidden; Built() tells whether it succeeded.
    explicit QtGadgets(const WindowLayout& layout);
    ~QtGadgets() override;

    bool Built() const { return built_; }
    QWidget* Window() const;
    QWidget* Widget(int gadget) const;          // nullptr for an unknown number
    int GadgetOf(const QWidget* widget) const;  // the gadget owning the widget, or -1
    // Lays the window out for its captions as a screen of `scale` (device pixels per pixel)
    // draws them, within `workArea` screen pixels across; done for the window's own screen
    // whenever a caption has changed or the window has moved to a screen of another scale.
    void MakeRoomAt(double scale, int workArea = kLargestWorkArea);

    // A text box ends its lines in "\n": with "\r\n" it would show an empty line after each.
    std::string_view LineEnd() const override { return "\n"; }
    void Focus(int gadget) override;
    int FocusedGadget() const override;
    bool PointerInside(int gadget) const override;
    void OpenUrl(const std::string& url) override;
    void ShowWindow() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

    void Push(Control& control, Aspect aspect) override;
    std::string ReadText(const Control& control) const override;
    int ReadState(const Control& control) const override;
    bool PumpMessages() override;
    bool WindowOnScreen() const override;
    MessageAnswer RunMessageBox(const std::string& title, const std::string& text, MessageIcon icon,
                                MessageButtons buttons) override;
    void Ring() override;
    void ShowCursor(CursorShape shape) override;

  private:
    bool Build();
    QWidget* CreateWidget(const Control& control, QWidget* parent);
    void ConnectUserSignals(const Control& control, QWidget* widget);
    QIcon Icon(int image);
    void PushItems(const Control& control, QWidget* widget);
    void ApplyColors(const Control& control, QWidget* widget);
    // Captions changed since the last call get room (ui/caption_room.h) when the window is
    // shown or waits for the user.
    int CaptionNeed(const Control& control, QWidget* widget, double scale) const;
    void MakeRoomForCaptions();

    bool IsFirstDelivery(QObject* watched, QEvent* event);
    bool HandleTypedKey(const Control& field, QKeyEvent* key);
    // A paste, a drop or a middle click into a number field: the text typed as a whole.
    bool HandlePasteEvent(QObject* watched, QEvent* event);
    void PasteInto(const Control& field, QLineEdit* edit, const QString& pasted);

    std::unique_ptr<MainWindowWidget> window_;
    QTabWidget* panel_ = nullptr;
    std::map<int, QPointer<QWidget>> widgets_;
    std::map<const QWidget*, int> owners_;
    std::map<int, QIcon> icons_;
    bool built_ = false;
    bool roomStale_ = true;  // a caption changed since room was last made
    std::set<int> wrapped_;  // labels on more lines than they were made for, to make room
    // A key or mouse event travels up the parents when a widget ignores it; report it once.
    const QEvent* lastInputEvent_ = nullptr;
    QPointer<QObject> lastInputReceiver_;
    quint64 lastStamp_ = 0;
    QPointF lastGlobal_;
};

}  // namespace ui::qt
