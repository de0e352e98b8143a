// How field texts are read as numbers and how numbers are written into fields.
#pragma once

#include <cstdint>
#include <string>

// The cycle field's integer reading: optional blanks and sign, then decimal digits, "$" and
// hexadecimal digits, or "%" and binary digits; no digits give 0. A value that does not fit
// in a signed 64-bit integer gives INT64_MIN, which every solver rejects as out of range.
std::int64_t ReadIntegerText(const std::string& text);
