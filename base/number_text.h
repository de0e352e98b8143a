// How field texts are read as numbers and how numbers are written into fields. All of it is
// independent of the C locale, which the toolkit sets from the environment.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The value of a digit in `base` (2 to 16, either letter case), or -1.
int DigitValue(char c, int base);

// Whether `text` is wholly a count as the cycle field takes it: blanks aside, an optional
// sign, then decimal digits, "$" and hexadecimal digits, or "%" and binary digits. Blanks
// between digit groups ("10 000") are refused: a count is never read from a part of its text.
bool IsWholeCount(std::string_view text);

// The count of a text that IsWholeCount takes; the empty text (blanks alone) gives 0. Any other
// text, and a value that does not fit in a signed 64-bit integer, gives INT64_MIN, which every
// solver rejects as out of range: never a prefix's count, never a wrapped count.
std::int64_t ReadIntegerText(std::string_view text);

// `text` as a time or frequency field reads it, blanks aside: digits with at most one decimal
// point (".5" and "5." too), a decimal comma standing for the point; nothing when `text` is not
// wholly that (a sign, an exponent, a unit, a second point, no digit at all).
std::optional<std::string> WholeDecimal(std::string_view text);

// The "%lf" scan: leading white space, an optional sign, digits with an optional "." and
// fraction, an optional exponent, or "inf" or "nan"; stops at the first character that does not
// fit. Nothing readable gives 0.0; beyond the largest double gives infinity.
double ReadDecimalText(const std::string& text);

// Plain decimal digits, "-" for negatives.
std::string WriteIntegerText(std::int64_t value);

// Ten digits after the point, then trailing zeros and a bare point removed: 4.0 -> "4",
// 3.579545 -> "3.579545".
std::string WriteTrimmedDecimal(double value);
