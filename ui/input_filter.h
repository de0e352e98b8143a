// The character rule of the time, frequency and cycle fields: what a typed character does.
#pragma once

#include <string>

namespace ui {

enum class FilterVerdict { Pass, Discard, DiscardWithBeep };

inline constexpr char kBackspace = '\b';
inline constexpr char kEnter = '\r';

// `ch` is the typed character, `text` the field's text before it and `selectionStart` the
// start of the selection (or the caret). `allowPoint` is the field's decimal-point flag.
FilterVerdict FilterTypedChar(char32_t ch, const std::string& text, int selectionStart,
                              bool allowPoint);

}  // namespace ui
