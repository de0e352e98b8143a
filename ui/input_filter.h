// The character rule of the time, frequency and cycle fields: what a typed character does, and
// what a pasted or dropped text does, which is typing it as a whole.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "ui/window_layout.h"

namespace ui {

// PassAsPoint: the decimal comma, entered as the decimal point it stands for.
enum class FilterVerdict { Pass, PassAsPoint, Discard, DiscardWithBeep };

inline constexpr char kBackspace = '\b';
inline constexpr char kEnter = '\r';

// `ch` is the typed character, `text` the field's text before it, `selectionStart` and
// `selectionLength` the selection it replaces (in characters). `allowPoint` is the field's
// decimal-point flag.
FilterVerdict FilterTypedChar(char32_t ch, const std::string& text, int selectionStart,
                              int selectionLength, bool allowPoint);

// Everything a character typed into a text field meets, for every face alike: the input
// filter where the field has one, then the digits-only property and the length limit, which
// count a selection as replaced. Backspace and Enter pass the last two. Positions and lengths
// are in characters (code points).
FilterVerdict TypedCharVerdict(const GadgetLayout& field, char32_t ch, const std::string& text,
                               int selectionStart, int selectionLength);

// A text pasted or dropped over the selection of a field: what goes in, or nothing when the
// field cannot hold the result as a whole (then the field keeps its text and the beep sounds).
// Blanks and line ends around the pasted text are dropped; in a field with the decimal point a
// comma goes in as the point. A number field then holds a number in the making: the time and
// frequency fields digits with at most one point, the cycle field a count in one of its forms
// (digits, "$" and hexadecimal digits, "%" and binary digits). Fields without a rule take the
// text as it is.
std::optional<std::string> PastedTextVerdict(const GadgetLayout& field, const std::string& text,
                                             int selectionStart, int selectionLength,
                                             std::string_view pasted);

}  // namespace ui
