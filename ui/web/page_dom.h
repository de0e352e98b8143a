// The few page operations the browser face repeats, on emscripten::val elements.
#pragma once

#include <emscripten/val.h>

#include <string>

#include "ui/color.h"
#include "ui/window_layout.h"

namespace ui::web::dom {

emscripten::val Get(const std::string& id);
emscripten::val Make(const char* tag);
void Attribute(emscripten::val element, const char* name, const std::string& value);
void AddClass(emscripten::val element, const char* name);
void AddOption(emscripten::val select, const std::string& text);
// Absolute place in CSS pixels of the window's own scale.
void Place(emscripten::val element, const Rect& place);
// The CSS colour, "" for the default.
std::string CssColor(const Color& color);
// The element id of a gadget.
std::string Id(int gadget);

}  // namespace ui::web::dom
