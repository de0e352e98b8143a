// Doubles to decimal text and back, exact and correctly rounded, by the same code on every
// platform: no C locale, no C library's printf or strtod, no C++ library's floating-point
// to_chars or from_chars (which the browser's library lacks). Every build thus reads and writes
// the same numbers as the same texts.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace base {

// The length of the longest leading decimal number of `text`: digits with an optional "." and
// fraction (at least one digit in all), then an exponent ("e" or "E", an optional sign, digits)
// when one follows whole. 0 when `text` does not start with a digit or "." and a digit.
std::size_t DecimalNumberLength(std::string_view text);

// The double nearest to the unsigned decimal number `number` (as DecimalNumberLength measures
// it), ties to even: infinity beyond the largest double, 0 below half the smallest.
double DecimalNumberValue(std::string_view number);

// printf's "%.Nf": `fractionDigits` digits after the point, rounded to nearest, ties to even;
// "inf", "nan", with "-" for a negative sign.
std::string FormatFixed(double value, int fractionDigits);

// printf's "%.Ng": `precision` significant digits rounded as above, trailing zeros and a bare
// point removed, the exponent form ("1.5e+300", "2e-05") below 1e-4 and from 10^precision.
std::string FormatGeneral(double value, int precision);

}  // namespace base
