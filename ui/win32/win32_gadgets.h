// The gadget layer on the Windows API: one fixed-size window built from a WindowLayout, every
// control at its place scaled from 96 DPI. The frame keeps the wanted state and the events;
// this is the toolkit's side of them. Where things are:
//   window_build.cpp  making the window and its controls (a page's on its first showing)
//   window_proc.cpp   the window procedure: the controls' notifications, colours, closing
//   dpi_layout.cpp    placing everything again for another DPI
//   window_fonts.cpp  the fonts
//   caption_room.cpp  room for captions wider than their places (ui/caption_room.h)
//   message_loop.cpp  waiting for messages; the keys the window handles before the controls
//   tab_walk.cpp      Tab, Ctrl+Tab and where the focus goes from a disabled control
//   message_box.cpp   the modal message boxes with the program's captions
//   *_control.cpp     each kind of control: making it, pushing to it, reading it
//   dpi.cpp           the monitor's DPI and the window's frame at it
//   wide_text.cpp     UTF-8 to UTF-16 and back, for every call of the Windows API
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "ui/caption_room.h"
#include "ui/gadget_frame.h"
#include "ui/win32/controls.h"
#include "ui/win32/dpi.h"

namespace ui::win32 {

// Screen pixels: the window stays within a small laptop's screen.
inline constexpr int kLargestWorkArea = 1366;

class Win32Gadgets : public GadgetFrame, private ControlOwner {
  public:
    // Needs InitCommonControlsEx. The window is built hidden; Built() tells whether it worked.
    explicit Win32Gadgets(const WindowLayout& layout);
    ~Win32Gadgets() override;
    Win32Gadgets(const Win32Gadgets&) = delete;
    Win32Gadgets& operator=(const Win32Gadgets&) = delete;

    bool Built() const { return built_; }
    HWND Window() const { return window_; }
    // The control's window, made now if its page has not been shown yet; nullptr for an
    // unknown number.
    HWND Handle(int gadget);
    int GadgetOf(HWND hwnd) const;  // the gadget owning the window, or -1
    // Lays the window out again for another DPI, as when it moves to another monitor, within
    // `workArea` screen pixels across.
    void ApplyDpi(Dpi dpi, int workArea = kLargestWorkArea);
    // Runs the messages already waiting without blocking (for tests).
    void ProcessPendingMessages();

    void Focus(int gadget) override;
    int FocusedGadget() const override;
    bool PointerInside(int gadget) const override;
    void OpenUrl(const std::string& url) override;
    void ShowWindow() override;

  protected:
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
    // What Windows holds for a made control beside its window.
    struct Native {
        HWND hwnd = nullptr;
        HBRUSH backBrush = nullptr;  // for an RGB background
        bool hovered = false;        // hyperlinks
        bool hasToolTip = false;     // known to the tooltip control
    };

    // ControlOwner: what the windows of the controls and pages ask.
    bool HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                       LRESULT& result) override;
    bool TakesTypedChar(HWND edit, wchar_t& ch) override;
    bool TakesPaste(HWND edit) override;
    bool SetHovered(HWND link, bool hovered) override;

    Native* NativeOf(int gadget);
    const Native* NativeOf(int gadget) const;
    const Control* ControlOf(HWND hwnd) const;
    bool Build();
    HWND CreateControl(const Control& control, HWND parent);
    // Makes the control from its wanted state; false if Windows refused.
    bool MakeControl(Control& control, HWND parent);
    // Makes the controls of a page on its first showing: under wine every control costs the
    // start many round trips to the server, and most users never open the other pages.
    void MakePage(size_t page);
    void ShowPage(int page);
    void PushText(const Control& control, Native& native);
    void PushColors(const Control& control, Native& native);
    void PushToolTip(const Control& control, Native& native);

    // dpi_layout.cpp
    Rect PlaceOf(const GadgetLayout& g) const;  // in pixels, in its parent
    Rect PageArea() const;                      // the panel's display area
    SIZE OuterSize() const;                     // the window with its frame
    void PlaceAll();
    void PlacePages();
    // window_fonts.cpp
    void CreateFonts();
    void ApplyFonts();
    void SetPageIcons();
    void SetControlFont(const Control& control, Native& native, BOOL redraw);
    HFONT FontOf(const GadgetLayout& g) const;
    // caption_room.cpp: the width in 96-DPI pixels the control's caption needs with its own
    // font (0: none to measure), and the places that give every caption that room, applied
    // when a caption has changed or the DPI has.
    int CaptionNeed(const Control& control) const;
    Wrapping LabelWrapping(const Control& label) const;
    void MakeRoomForCaptions();
    // window_proc.cpp
    LRESULT ControlColors(UINT message, HDC dc, HWND control, HWND parent);
    bool OnCommand(WPARAM wParam, LPARAM lParam);
    // message_loop.cpp
    bool PreTranslate(const MSG& msg);
    void Dispatch(MSG& msg);
    bool IsOurs(HWND hwnd) const;
    // tab_walk.cpp
    void TurnPage(int step);             // Ctrl+Tab: +1, Ctrl+Shift+Tab: -1, round
    void StepFocus(bool back);           // Tab, Shift+Tab: the tabs first, then creation order
    std::vector<HWND> TabStops() const;  // what Tab walks, in its order
    HWND NextTabStop(HWND from, bool back) const;
    void PassFocusOn(HWND control);  // to the next control, when `control` is to lose it

    HWND window_ = nullptr;
    HWND panel_ = nullptr;
    HWND toolTips_ = nullptr;
    std::vector<HWND> pages_;
    std::vector<bool> pageMade_;
    std::map<int, Native> natives_;
    std::map<HWND, int> owners_;
    HIMAGELIST pageIcons_ = nullptr;
    HFONT font_ = nullptr, linkFont_ = nullptr, fixedFont_ = nullptr;
    HDC measureDc_ = nullptr;  // caption widths are measured here, not on the screen
    Dpi dpi_;
    std::map<int, Rect> roomPlaces_;      // places at 96 DPI that make room for the captions
    int roomWidth_ = 0, roomHeight_ = 0;  // the client size that goes with them
    std::set<int> wrapped_;               // labels their places show on more lines
    bool roomStale_ = true;               // a caption changed since room was last made
    int workArea_ = kLargestWorkArea;     // screen pixels across
    bool built_ = false;
    int pendingFocus_ = -1;     // asked for while the window was hidden
    HWND lastFocus_ = nullptr;  // kept while another window is active
    POINT lastPointer_{-1, -1};
};

}  // namespace ui::win32
