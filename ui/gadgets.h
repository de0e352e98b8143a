// What the program may ask of its window. Every control is addressed by its fixed gadget
// number; an operation on a number that does not exist does nothing and yields 0 or "".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "ui/color.h"
#include "ui/event.h"

namespace ui {

enum class MessageIcon { Warning, Error, Question };
enum class MessageButtons { Ok, YesNo };  // YesNo always has No as the default button
enum class MessageAnswer { Ok, Yes, No };
enum class CursorShape { Arrow, Hand };

class Gadgets {
  public:
    virtual ~Gadgets() = default;

    // Text of a label, check box, button, field or output box; for a list box, the
    // selected item's text.
    virtual std::string Text(int gadget) const = 0;
    // The line end of the text this window shows in its output box: the program writes its
    // code with it, and the box shows that text as it is.
    virtual std::string_view LineEnd() const = 0;
    virtual void SetText(int gadget, const std::string& text) = 0;

    // Check box 0/1, combo or list box selected index (-1 none), panel shown page.
    virtual int State(int gadget) const = 0;
    virtual void SetState(int gadget, int state) = 0;

    virtual int ItemCount(int gadget) const = 0;
    virtual std::string ItemText(int gadget, int index) const = 0;
    virtual void ClearItems(int gadget) = 0;
    virtual void AddItem(int gadget, const std::string& text) = 0;
    virtual void SetPageTitle(int panel, int page, const std::string& title) = 0;

    virtual bool IsEnabled(int gadget) const = 0;
    virtual void SetEnabled(int gadget, bool enabled) = 0;
    virtual bool IsVisible(int gadget) const = 0;
    virtual void SetVisible(int gadget, bool visible) = 0;
    virtual bool IsReadOnly(int gadget) const = 0;
    virtual void SetReadOnly(int gadget, bool readOnly) = 0;
    virtual void Focus(int gadget) = 0;
    virtual int FocusedGadget() const = 0;  // -1 when no gadget has the focus

    virtual Color TextColor(int gadget) const = 0;
    virtual void SetTextColor(int gadget, Color color) = 0;
    virtual Color BackColor(int gadget) const = 0;
    virtual void SetBackColor(int gadget, Color color) = 0;
    virtual void SetToolTip(int gadget, const std::string& text) = 0;
    virtual std::string ToolTip(int gadget) const = 0;

    // Modal over the main window; returns when the user has answered.
    virtual MessageAnswer ShowMessage(const std::string& title, const std::string& text,
                                      MessageIcon icon, MessageButtons buttons) = 0;
    // The captions of the message boxes' buttons from now on, in the window's language; an
    // empty one keeps the toolkit's own.
    virtual void SetMessageButtonTexts(const std::string& yes, const std::string& no,
                                       const std::string& ok) = 0;
    virtual void Beep() = 0;

    // Queues a click of the gadget; it arrives from WaitEvent on a later turn of the loop.
    virtual void PostClick(int gadget) = 0;
    // Blocks until the next user event. Returns a Close event once the window is closed.
    virtual Event WaitEvent() = 0;

    virtual void SetCursor(CursorShape shape) = 0;
    // Whether the mouse pointer lies inside the gadget's screen rectangle (left and top
    // edges inside, right and bottom outside).
    virtual bool PointerInside(int gadget) const = 0;
    // Opens a web or mailto address with the desktop's default handler, without waiting;
    // failures are ignored.
    virtual void OpenUrl(const std::string& url) = 0;

    // The window is built hidden; this shows it.
    virtual void ShowWindow() = 0;
};

}  // namespace ui
