// UTF-8 inside the program, UTF-16 at the Windows API: converted here and nowhere else.
#pragma once

#include <windows.h>

#include <string>

namespace ui::win32 {

std::wstring Wide(const std::string& utf8);
std::string Utf8(const std::wstring& wide);

// A window's text (WM_GETTEXT), and a list or combo item's.
std::wstring WindowText(HWND hwnd);

// Code points before a UTF-16 offset: the filter counts characters, the control units.
int CodePointsBefore(const std::wstring& text, int offset);

}  // namespace ui::win32
