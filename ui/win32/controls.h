// One small file per kind of control, each with its making, its writes and its reads. A
// control is made at its final place in pixels (px, already scaled for the DPI) with the
// state the program wants, so that the window's build moves nothing afterwards.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "ui/control_state.h"
#include "ui/window_layout.h"

namespace ui::win32 {

// Control identifiers are the gadget numbers moved clear of IDOK and IDCANCEL.
inline constexpr int kFirstControlId = 1000;

// What the windows of the controls and pages ask of the window that holds them.
class ControlOwner {
  public:
    // The window procedures' shared part: notifications and colours of the controls.
    virtual bool HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                               LRESULT& result) = 0;
    // A character typed into a text field: whether it goes in.
    virtual bool TakesTypedChar(HWND edit, wchar_t& ch) = 0;
    // A paste into a text field (Ctrl+V, Shift+Insert, the context menu): true when the owner
    // has dealt with it, typed as a whole or refused.
    virtual bool TakesPaste(HWND edit) = 0;
    // The mouse is over a hyperlink or has left it; true when that is news.
    virtual bool SetHovered(HWND link, bool hovered) = 0;

  protected:
    ~ControlOwner() = default;
};

// window_proc.cpp: the main window's and the pages' window classes.
HINSTANCE Instance();
void RegisterWindowClasses();
extern const wchar_t* const kMainWindowClass;
extern const wchar_t* const kPageClass;
HWND MakeChild(const wchar_t* windowClass, const std::wstring& text, DWORD style, DWORD exStyle,
               HWND parent, int id, const Rect& px);

// tab_control.cpp: the panel, its pages and the page icons.
HWND CreatePanel(HWND parent, int id, const Rect& px);
HWND CreatePage(HWND panel, int id, const Rect& px, bool visible, ControlOwner* owner);
void AddPanelPage(HWND panel, const std::wstring& title, int iconIndex);
HIMAGELIST CreatePageIcons(const std::vector<int>& images, int size);
void SetPageTitles(HWND panel, const std::vector<std::string>& titles);
int ShownPage(HWND panel);
void ChoosePage(HWND panel, int page);

// static_control.cpp: labels and frames; every caption's write.
HWND CreateLabel(const GadgetLayout& g, const ControlState& s, HWND parent, int id, const Rect& px);
// A label's caption on more lines, when its place is narrower than the caption; else on one.
void SetLabelWraps(HWND label, bool wraps);
HWND CreateFrame(const GadgetLayout& g, const ControlState& s, HWND parent, int id, const Rect& px);
void SetCaption(HWND control, GadgetKind kind, const std::string& text);

// button_control.cpp: check boxes and push buttons.
HWND CreateCheckBox(const GadgetLayout& g, const ControlState& s, HWND parent, int id,
                    const Rect& px);
HWND CreateButton(const GadgetLayout& g, const ControlState& s, HWND parent, int id,
                  const Rect& px);
int CheckOf(HWND box);
void SetCheck(HWND box, int state);

// edit_control.cpp: text fields (with the keystroke rule) and the read-only output box.
HWND CreateTextField(const GadgetLayout& g, const ControlState& s, HWND parent, int id,
                     const Rect& px, ControlOwner* owner);
HWND CreateOutputBox(const GadgetLayout& g, const ControlState& s, HWND parent, int id,
                     const Rect& px, ControlOwner* owner);
std::string EditText(HWND edit);
void SetEditText(HWND edit, const std::string& text);
void SetEditReadOnly(HWND edit, bool readOnly);
// The typed character's place: the selection's start and length in code points.
void EditSelection(HWND edit, const std::wstring& text, int& start, int& length);
// The clipboard's text, "" when it holds none.
std::wstring ClipboardText(HWND owner);

// combo_control.cpp and list_control.cpp: items only cleared or added, so a control lacks
// at most the ones added since it was last written.
HWND CreateComboBox(const GadgetLayout& g, const ControlState& s, HWND parent, int id,
                    const Rect& px);
HWND CreateListBox(const GadgetLayout& g, const ControlState& s, HWND parent, int id,
                   const Rect& px);
void SetItems(HWND control, GadgetKind kind, const std::vector<std::string>& items);
int SelectionOf(HWND control, GadgetKind kind);
void Select(HWND control, GadgetKind kind, int index);
// The horizontal scroll bar appears when an item is wider than the list.
// dc: any device context to measure in (the window keeps one for the whole build).
void UpdateListExtent(HWND list, HDC dc, const std::vector<std::string>& items);

// image_control.cpp: the banner, drawn from a bitmap resource at the window's scale.
HWND CreateImage(HWND parent, int id, const Rect& px);
// A dotted frame on the control while it has the keyboard focus (statics draw none).
void AddFocusFrame(HWND control);
void ScaleImage(HWND image, int imageNumber, int width, int height);

// link_control.cpp: the mail link; hand cursor, hover colour.
HWND CreateLink(const GadgetLayout& g, const ControlState& s, HWND parent, int id, const Rect& px,
                ControlOwner* owner);

}  // namespace ui::win32
