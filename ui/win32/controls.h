// One small maker per kind of control. Each creates its control at its final place in pixels
// (px, already scaled for the DPI) with the creation parameters its kind needs, so that the
// window's build moves nothing afterwards.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "ui/window_layout.h"

namespace ui::win32 {

class Win32Gadgets;

HINSTANCE Instance();
HWND MakeChild(const wchar_t* windowClass, const std::wstring& text, DWORD style, DWORD exStyle,
               HWND parent, int id, const Rect& px);

// tab_control.cpp: the panel, its pages (a window class of their own that passes the
// controls' notifications to the gadgets) and the page icons.
HWND CreatePanel(HWND parent, int id, const Rect& px);
HWND CreatePage(HWND panel, int id, const Rect& px, bool visible, Win32Gadgets* owner);
void AddPanelPage(HWND panel, const std::wstring& title, int iconIndex);
HIMAGELIST CreatePageIcons(const std::vector<int>& images, int size);
void RegisterWindowClasses();
extern const wchar_t* const kMainWindowClass;

// static_control.cpp: labels and frames.
HWND CreateLabel(const GadgetLayout& g, HWND parent, int id, const Rect& px);
HWND CreateFrame(const GadgetLayout& g, HWND parent, int id, const Rect& px);

// button_control.cpp: check boxes and push buttons.
HWND CreateCheckBox(const GadgetLayout& g, HWND parent, int id, const Rect& px);
HWND CreateButton(const GadgetLayout& g, HWND parent, int id, const Rect& px);

// edit_control.cpp: text fields (with the keystroke rule) and the read-only output box.
HWND CreateTextField(const GadgetLayout& g, HWND parent, int id, const Rect& px,
                     Win32Gadgets* owner);
HWND CreateOutputBox(const GadgetLayout& g, HWND parent, int id, const Rect& px,
                     Win32Gadgets* owner);

// combo_control.cpp and list_control.cpp.
HWND CreateComboBox(const GadgetLayout& g, HWND parent, int id, const Rect& px);
HWND CreateListBox(const GadgetLayout& g, HWND parent, int id, const Rect& px);
// The horizontal scroll bar appears when an item is wider than the list.
// dc: any device context to measure in (the window keeps one for the whole build).
void UpdateListExtent(HWND list, HDC dc);
// Item texts of a combo or list box.
std::wstring ItemTextOf(HWND control, bool isList, int index);

// image_control.cpp: the banner, drawn from a bitmap resource at the window's scale.
HWND CreateImage(const GadgetLayout& g, HWND parent, int id, const Rect& px);
void ScaleImage(HWND image, int imageNumber, int width, int height);

// link_control.cpp: the mail link; hand cursor, hover colour.
HWND CreateLink(const GadgetLayout& g, HWND parent, int id, const Rect& px, Win32Gadgets* owner);

}  // namespace ui::win32
