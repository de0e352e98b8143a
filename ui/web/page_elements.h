// The window's elements on the page, by gadget number (page_elements.js holds them): one call
// per change, with no element handles kept on this side.
#pragma once

#include <string>
#include <vector>

#include "ui/color.h"

namespace ui::web::elements {

// Whether the page has a #window to make the window into.
bool HasPlace();
// Makes the window from `markup` (page_markup.h) into the page's #window, hidden; false when
// the page has no #window.
bool Build(const std::string& markup, int width, int height, const std::string& title);
// A field's or the output box's value (`isValue`), else the caption's text.
void SetText(int gadget, const std::string& text, bool isValue);
void SetChecked(int gadget, bool checked);
void SetSelected(int gadget, int index);
// A select keeps its first `kept` options and gains `added`; the panel's tabs take `added` as
// their titles.
void SetItems(int gadget, std::size_t kept, const std::vector<std::string>& added);
// The same with the `count` added items already joined by the unit separator (0x1F).
void SetJoinedItems(int gadget, std::size_t kept, std::size_t count, const std::string& joined);
void SetEnabled(int gadget, bool enabled);
void SetHidden(int gadget, bool hidden);
void SetReadOnly(int gadget, bool readOnly);
void SetColors(int gadget, const Color& text, const Color& back, const Color& hover);
void SetToolTip(int gadget, const std::string& text);
// The control's own accessible name (an image's text alternative).
void SetName(int gadget, const std::string& name);
void ShowPage(int panel, int page);
void ShowWindow();
void SetCursor(bool hand);

std::string Value(int gadget);
bool Checked(int gadget);
int Selected(int gadget);
// The gadget that has the keyboard focus, or -1.
int Focused();
void Focus(int gadget);
bool PointerInside(int gadget);

// The CSS colour, "" for the default.
std::string CssColor(const Color& color);

}  // namespace ui::web::elements
