#include "base/ascii.h"

#include <algorithm>

namespace base {

bool EqualFoldingAscii(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return FoldAscii(x) == FoldAscii(y); });
}

bool LessFoldingAscii(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(FoldAscii(x)) < static_cast<unsigned char>(FoldAscii(y));
    });
}

std::string FoldedAscii(std::string_view text) {
    std::string folded(text);
    for (char& c : folded)
        c = FoldAscii(c);
    return folded;
}

std::string_view TrimBlanksView(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string TrimBlanks(std::string_view text) {
    return std::string(TrimBlanksView(text));
}

}  // namespace base
