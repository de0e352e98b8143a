// ASCII-only character rules: the program's names and numbers never depend on the locale.
#pragma once

#include <string>
#include <string_view>

namespace base {

inline bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

inline bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

inline char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Equal but for the letter case of A..Z: how names of groups, keys and files are matched.
bool EqualFoldingAscii(std::string_view a, std::string_view b);
// Before in the order that ignores the letter case of A..Z.
bool LessFoldingAscii(std::string_view a, std::string_view b);
std::string FoldedAscii(std::string_view text);

std::string_view TrimBlanksView(std::string_view text);
std::string TrimBlanks(std::string_view text);

}  // namespace base
