// What every face of the gadget layer does alike, so that a face holds only its toolkit's
// calls: the layout check, the wanted state of every control (answered from here, pushed to
// the control when it changes and when the control is made), the event queue, the keystroke
// verdict, and the message boxes' captions.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "ui/control_state.h"
#include "ui/event_queue.h"
#include "ui/gadgets.h"
#include "ui/window_layout.h"

namespace ui {

struct MessageButtonTexts {
    std::string yes, no, ok;  // empty: the toolkit's own
};

class GadgetFrame : public Gadgets {
  public:
    explicit GadgetFrame(const WindowLayout& layout);

    int BeepCount() const { return beeps_; }
    CursorShape Cursor() const { return cursor_; }
    bool HasPendingEvent() const { return !events_.Empty(); }

    std::string Text(int gadget) const override;
    // The core's own, which a Windows edit control shows as it is.
    std::string_view LineEnd() const override { return "\r\n"; }
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

  protected:
    struct Control {
        GadgetLayout layout;
        ControlState want;
        bool made = false;
    };
    // One part of the wanted state; Items is the items of a combo or list box (only cleared or
    // added to) or the panel's page titles.
    enum class Aspect { Text, State, Items, Enabled, Visible, ReadOnly, Colors, ToolTip };

    // False when the layout fails IsSoundLayout: then the frame holds no control.
    bool LayoutSound() const { return sound_; }
    const WindowLayout& Layout() const { return layout_; }
    Control* Find(int gadget);
    const Control* Find(int gadget) const;
    int PageOf(const Control& control) const;  // the page it sits on, or -1

    // The face has made the control from its wanted state's text, items and state: the rest
    // that differs from a new control's is pushed now.
    void Made(Control& control);
    // A character typed into a text field: whether it goes in. Beeps when the rule says so.
    // Editing commands (control characters but Backspace and Enter) and read-only fields pass.
    // A decimal comma goes in as the point it stands for: `ch` becomes '.'.
    bool LetTypedChar(const Control& field, char32_t& ch, const std::string& text,
                      int selectionStart, int selectionLength);
    // A text pasted or dropped into a text field, typed as a whole: what goes in, or nothing
    // (with the beep) when the field cannot hold it.
    std::optional<std::string> LetPastedText(const Control& field, const std::string& text,
                                             int selectionStart, int selectionLength,
                                             std::string_view pasted);
    const MessageButtonTexts& ButtonTexts() const { return buttonTexts_; }
    EventQueue& Events() { return events_; }
    const EventQueue& Events() const { return events_; }

    // --- The face's part. ---
    // Shows one aspect of the wanted state on a made control.
    virtual void Push(Control& control, Aspect aspect) = 0;
    // What the user changes, from a made control: a text field's text; a check box's check,
    // a combo or list box's selection, the panel's page.
    virtual std::string ReadText(const Control& control) const = 0;
    virtual int ReadState(const Control& control) const = 0;
    // Runs the toolkit until it has new messages; false once it has ended.
    virtual bool PumpMessages() = 0;
    virtual bool WindowOnScreen() const = 0;
    // Modal; the answer of a Yes/No box, anything for an OK box.
    virtual MessageAnswer RunMessageBox(const std::string& title, const std::string& text,
                                        MessageIcon icon, MessageButtons buttons) = 0;
    virtual void Ring() = 0;  // the error sound
    virtual void ShowCursor(CursorShape shape) = 0;

  private:
    void Change(Control& control, Aspect aspect);

    WindowLayout layout_;
    bool sound_ = false;
    std::map<int, Control> controls_;
    EventQueue events_;
    MessageButtonTexts buttonTexts_;
    int beeps_ = 0;
    CursorShape cursor_ = CursorShape::Arrow;
};

}  // namespace ui
