// How field texts are read as numbers and how numbers are written into fields. All of it is
// independent of the C locale, which the toolkit sets from the environment.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The value of a digit in `base` (2 to 16, either letter case), or -1.
int DigitValue(char c, int base);

// The cycle field's integer reading: optional blanks and tabs, an optional sign, then decimal
// digits, "$" and hexadecimal digits, or "%" and binary digits; reading stops at the first
// other character and no digits give 0. A value that does not fit in a signed 64-bit integer
// gives INT64_MIN, which every solver rejects as out of range (never a wrapped count).
std::int64_t ReadIntegerText(const std::string& text);

// The "%lf" scan: leading white space, an optional sign, digits with an optional "." and
// fraction, an optional exponent, or "inf" or "nan"; stops at the first character that does not
// fit. Nothing readable gives 0.0; beyond the largest double gives infinity.
double ReadDecimalText(const std::string& text);

// Plain decimal digits, "-" for negatives.
std::string WriteIntegerText(std::int64_t value);

// Ten digits after the point, then trailing zeros and a bare point removed: 4.0 -> "4",
// 3.579545 -> "3.579545".
std::string WriteTrimmedDecimal(double value);
