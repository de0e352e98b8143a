// The gadget layer on the Windows API: one fixed-size window built from a WindowLayout, every
// control at its place scaled from 96 DPI, and one queue of the events the user caused.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "ui/gadgets.h"
#include "ui/win32/dpi.h"
#include "ui/window_layout.h"

namespace ui::win32 {

// Control identifiers are the gadget numbers moved clear of IDOK and IDCANCEL.
inline constexpr int kFirstControlId = 1000;

class Win32Gadgets : public Gadgets {
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
    int BeepCount() const { return beeps_; }
    CursorShape Cursor() const { return cursor_; }
    bool HasPendingEvent() const { return !events_.empty(); }
    Dpi CurrentDpi() const { return dpi_; }
    // Lays the window out again for another DPI, as when it moves to another monitor.
    void ApplyDpi(Dpi dpi);

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

    // Runs the messages already waiting without blocking (for tests and the driver).
    void ProcessPendingMessages();

    struct Entry {
        GadgetLayout layout;
        HWND hwnd = nullptr;
        Color textColor, backColor;
        HBRUSH backBrush = nullptr;  // for an RGB or button-face background
        std::string rawText;         // output boxes: the text exactly as the program set it
        std::wstring toolTip;
        bool hovered = false;     // hyperlinks
        bool hasToolTip = false;  // known to the tooltip control
        HFONT fitFont = nullptr;  // a caption too wide for its place, set narrower
        // A control on a page not shown yet is not made (hwnd is null): its layout keeps the
        // caption, items and state the program sets, these flags the rest.
        bool enabled = true, visible = true, readOnly = false;
    };

    // The window procedures' shared part: notifications and colours of the controls.
    bool HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // A character typed into a text field: the shared keystroke rule decides which one the
    // field takes (the typed one, a decimal comma's point), or 0 for none.
    wchar_t FilterChar(Entry& entry, wchar_t ch);
    void Report(const Event& event);
    Entry* Find(int gadget);
    const Entry* Find(int gadget) const;
    Entry* FindByHandle(HWND hwnd);

  private:
    bool Build(const WindowLayout& layout);
    HWND CreateControl(Entry& entry, HWND parent);
    // Makes the control with what the program has set so far; false if Windows refused.
    bool MakeControl(Entry& entry, HWND parent);
    // Makes the controls of a page on its first showing: under wine every control costs the
    // start many round trips to the server, and most users never open the other pages.
    void MakePage(size_t page);
    int PageHolding(const GadgetLayout& g) const;  // the page a gadget is on, or -1
    Rect PlaceOf(const GadgetLayout& g) const;     // in pixels, in its parent
    Rect PageArea() const;                         // the panel's display area
    SIZE OuterSize() const;                        // the window with its frame
    void CreateFonts();
    void SetPageIcons();
    void PlaceAll();
    void PlacePages();
    void ShowPage(int page);
    void ApplyFonts();
    // Gives the control its font, narrowed when its caption is too wide; unless `always`, only
    // when that differs from the font it has.
    void SetControlFont(Entry& entry, bool always, BOOL redraw);
    void FitCaption(Entry& entry);
    LRESULT ControlColors(UINT message, HDC dc, HWND control, HWND parent);
    void UpdateToolTip(Entry& entry);
    bool PreTranslate(const MSG& msg);
    void TurnPage(int step);             // Ctrl+Tab: +1, Ctrl+Shift+Tab: -1, round
    void StepFocus(bool back);           // Tab, Shift+Tab: the tabs first, then creation order
    std::vector<HWND> TabStops() const;  // what Tab walks, in its order
    HWND NextTabStop(HWND from, bool back) const;
    void PassFocusOn(HWND control);  // to the next control, when `control` is to lose it
    bool IsOurs(HWND hwnd) const;

    HWND window_ = nullptr;
    HWND panel_ = nullptr;
    HWND toolTips_ = nullptr;
    int panelNumber_ = -1;
    WindowLayout layout_;
    std::vector<HWND> pages_;
    std::vector<bool> pageMade_;
    std::map<int, Entry> entries_;
    std::map<HWND, int> owners_;
    HIMAGELIST pageIcons_ = nullptr;
    HFONT font_ = nullptr, linkFont_ = nullptr, fixedFont_ = nullptr;
    HBRUSH pageBrush_ = nullptr;
    HDC measureDc_ = nullptr;  // caption widths are measured here, not on the screen
    Dpi dpi_;
    std::deque<Event> events_;
    bool built_ = false;
    bool closed_ = false;
    int quietDepth_ = 0;  // > 0 while building, while the program itself changes a control
    int beeps_ = 0;
    int pendingFocus_ = -1;                   // asked for while the window was hidden
    HWND lastFocus_ = nullptr;                // kept while another window is active
    std::wstring yesText_, noText_, okText_;  // empty: the system's own
    CursorShape cursor_ = CursorShape::Arrow;
    POINT lastPointer_{-1, -1};
};

}  // namespace ui::win32
