// Small UTF-8 helpers for counting and stepping through characters.
#pragma once

#include <string>

namespace ui {

std::u32string DecodeUtf8(const std::string& text);  // invalid bytes become U+FFFD
std::string EncodeUtf8(char32_t ch);
std::size_t CountCodePoints(const std::string& text);
std::string DropLastCodePoint(const std::string& text);

}  // namespace ui
