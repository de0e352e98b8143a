// The gadget layer on real Qt Widgets: one fixed-size window built from a WindowLayout, every
// control at its place, and one queue of the events the user caused.
#pragma once

#include <QIcon>
#include <QObject>
#include <QPointF>
#include <QPointer>
#include <QString>

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/gadgets.h"
#include "ui/window_layout.h"

class QKeyEvent;
class QTabWidget;
class QWidget;

namespace ui::qt {

class MainWindowWidget;

class QtGadgets : public QObject, public Gadgets {
    Q_OBJECT
  public:
    // Needs a QApplication. The window is built hidden; Built() tells whether it succeeded.
    explicit QtGadgets(const WindowLayout& layout);
    ~QtGadgets() override;

    bool Built() const { return built_; }
    QWidget* Window() const;
    QWidget* Widget(int gadget) const;          // nullptr for an unknown number
    int GadgetOf(const QWidget* widget) const;  // the gadget owning the widget, or -1
    int BeepCount() const { return beeps_; }
    CursorShape Cursor() const { return cursor_; }
    bool HasPendingEvent() const { return !events_.empty(); }

    std::string Text(int gadget) const override;
    void SetText(int gadget, const std::string& text) override;
    int State(int gadget) const override;
    void SetState(int gadget, int state) override;
    int ItemCount(int gadget) const override;
    std::string ItemText(int gadget, int index) const override;
    void ClearItems(int gadget) override;
    void AddItem(int gadget, const std::string& text) override;
    void SetPageTitle(int panel, int page, const std::string& title) override;
    bool IsEnabled(int gadget) const override;
    void SetEnabled(int gadget, bool enabled) override;
    bool IsVisible(int gadget) const override;
    void SetVisible(int gadget, bool visible) override;
    bool IsReadOnly(int gadget) const override;
    void SetReadOnly(int gadget, bool readOnly) override;
    void Focus(int gadget) override;
    int FocusedGadget() const override;
    Color TextColor(int gadget) const override;
    void SetTextColor(int gadget, Color color) override;
    Color BackColor(int gadget) const override;
    void SetBackColor(int gadget, Color color) override;
    void SetToolTip(int gadget, const std::string& text) override;
    std::string ToolTip(int gadget) const override;
    MessageAnswer ShowMessage(const std::string& title, const std::string& text, MessageIcon icon,
                              MessageButtons buttons) override;
    void SetMessageButtonTexts(const std::string& yes, const std::string& no,
                               const std::string& ok) override;
    void Beep() override;
    void PostClick(int gadget) override;
    Event WaitEvent() override;
    void SetCursor(CursorShape shape) override;
    bool PointerInside(int gadget) const override;
    void OpenUrl(const std::string& url) override;
    void ShowWindow() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Entry {
        GadgetLayout layout;
        QPointer<QWidget> widget;
        int state = 0;  // for kinds whose state is not kept by the widget
        bool readOnly = false;
        Color textColor, backColor;
        std::string rawText;  // output boxes: the text exactly as the program set it
    };

    bool Build(const WindowLayout& layout);
    QWidget* CreateWidget(Entry& entry, QWidget* parent);
    void ConnectUserSignals(Entry& entry);
    QIcon Icon(int image);
    Entry* Find(int gadget);
    const Entry* Find(int gadget) const;
    void ApplyColors(Entry& entry);
    // Captions changed since the last call get room (ui/caption_room.h) when the window is
    // shown or waits for the user.
    int CaptionNeed(const Entry& e) const;
    void MakeRoomForCaptions();

    // The user's actions become events only while no message box is open.
    void Report(const Event& event);
    bool IsFirstDelivery(QObject* watched, QEvent* event);
    bool HandleTypedKey(Entry& entry, QKeyEvent* key);

    std::unique_ptr<MainWindowWidget> window_;
    WindowLayout layout_;    // the places as described, before any room was made
    bool roomStale_ = true;  // a caption changed since room was last made
    QTabWidget* panel_ = nullptr;
    int panelNumber_ = -1;
    std::vector<int> pageContainers_, pageIcons_;
    std::map<int, Entry> entries_;
    std::map<const QWidget*, int> owners_;
    std::map<int, QIcon> icons_;
    std::deque<Event> events_;
    bool built_ = false;
    bool closed_ = false;
    int quietDepth_ = 0;  // > 0 while building, while the program turns pages, in message boxes
    int beeps_ = 0;
    QString yesText_, noText_, okText_;  // empty: the toolkit's own
    CursorShape cursor_ = CursorShape::Arrow;
    // A key or mouse event travels up the parents when a widget ignores it; report it once.
    const QEvent* lastInputEvent_ = nullptr;
    QPointer<QObject> lastInputReceiver_;
    quint64 lastStamp_ = 0;
    QPointF lastGlobal_;
};

}  // namespace ui::qt
