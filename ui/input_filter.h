// The character rule of the time, frequency and cycle fields: what a typed character does.
#pragma once

#include <string>

#include "ui/window_layout.h"

namespace ui {

// PassAsPoint: the decimal comma, entered as the decimal point it stands for.
enum class FilterVerdict { Pass, PassAsPoint, Discard, DiscardWithBeep };

inline constexpr char kBackspace = '\b';
inline constexpr char kEnter = '\r';

// `ch` is the typed character, `text` the field's text before it and `selectionStart` the
// start of the selection (or the caret). `allowPoint` is the field's decimal-point flag.
FilterVerdict FilterTypedChar(char32_t ch, const std::string& text, int selectionStart,
                              bool allowPoint);

// Everything a character typed into a text field meets, for every face alike: the input
// filter where the field has one, then the digits-only property and the length limit, which
// count a selection as replaced. Backspace and Enter pass the last two. Positions and lengths
// are in characters (code points).
FilterVerdict TypedCharVerdict(const GadgetLayout& field, char32_t ch, const std::string& text,
                               int selectionStart, int selectionLength);

}  // namespace ui
