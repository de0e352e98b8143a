#include "ui/input_filter.h"

#include <algorithm>

#include "base/ascii.h"
#include "base/number_text.h"
#include "base/utf8.h"

namespace ui {

namespace {

// The byte offset of code point `index` (clamped to the text).
std::size_t ByteOffset(const std::string& text, int index) {
    std::size_t at = 0;
    for (int i = 0; i < index && at < text.size(); ++i) {
        const std::size_t n = base::ValidSequenceLength(std::string_view(text).substr(at));
        at += n == 0 ? 1 : n;
    }
    return std::min(at, text.size());
}

// `text` with `inserted` in place of the selection.
std::string Replaced(const std::string& text, int selectionStart, int selectionLength,
                     std::string_view inserted) {
    const std::size_t from = ByteOffset(text, selectionStart);
    const std::size_t to = ByteOffset(text, selectionStart + std::max(0, selectionLength));
    return text.substr(0, from) + std::string(inserted) + text.substr(to);
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Digits with at most one point, as far as typed: "", ".", "5.", ".5".
bool IsDecimalInTheMaking(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return IsDigit(c) || c == '.'; }) &&
           std::count(text.begin(), text.end(), '.') <= 1;
}

}  // namespace

FilterVerdict FilterTypedChar(char32_t ch, const std::string& text, int selectionStart,
                              int selectionLength, bool allowPoint) {
    if (ch == U'\r' || ch == U'\n')
        return FilterVerdict::Discard;
    // The cycle field passes everything on; its digits-only property rejects the rest.
    if (!allowPoint)
        return FilterVerdict::Pass;
    if (ch == U'\b' || (ch >= U'0' && ch <= U'9'))
        return FilterVerdict::Pass;
    // A leading point is fine (".5"); a second one is not, unless it replaces the first.
    if ((ch == U'.' || ch == U',') &&
        Replaced(text, selectionStart, selectionLength, "").find('.') == std::string::npos) {
        return ch == U'.' ? FilterVerdict::Pass : FilterVerdict::PassAsPoint;
    }
    return FilterVerdict::DiscardWithBeep;
}

FilterVerdict TypedCharVerdict(const GadgetLayout& field, char32_t ch, const std::string& text,
                               int selectionStart, int selectionLength) {
    if (field.filterInput) {
        const FilterVerdict v =
            FilterTypedChar(ch, text, selectionStart, selectionLength, field.filterAllowsPoint);
        if (v == FilterVerdict::PassAsPoint) {
            const FilterVerdict point =
                TypedCharVerdict(field, U'.', text, selectionStart, selectionLength);
            return point == FilterVerdict::Pass ? FilterVerdict::PassAsPoint : point;
        }
        if (v != FilterVerdict::Pass)
            return v;
    }
    if (ch == U'\b' || ch == U'\r' || ch == U'\n')
        return FilterVerdict::Pass;
    if (field.digitsOnly && (ch < U'0' || ch > U'9'))
        return FilterVerdict::DiscardWithBeep;
    const int kept = static_cast<int>(base::CountCodePoints(text)) - selectionLength;
    if (field.maxLength > 0 && kept >= field.maxLength)
        return FilterVerdict::DiscardWithBeep;
    return FilterVerdict::Pass;
}

std::optional<std::string> PastedTextVerdict(const GadgetLayout& field, const std::string& text,
                                             int selectionStart, int selectionLength,
                                             std::string_view pasted) {
    const bool decimal = field.filterInput && field.filterAllowsPoint;
    const bool count = field.digitsOnly;
    if (!decimal && !count)
        return std::string(pasted);
    const std::size_t first = pasted.find_first_not_of(" \t\r\n");
    const std::size_t last = pasted.find_last_not_of(" \t\r\n");
    std::string piece(first == std::string_view::npos ? std::string_view()
                                                      : pasted.substr(first, last - first + 1));
    if (decimal)
        std::replace(piece.begin(), piece.end(), ',', '.');
    const std::string after = Replaced(text, selectionStart, selectionLength, piece);
    const bool holds = decimal ? IsDecimalInTheMaking(after)
                               : std::all_of(after.begin(), after.end(), IsDigit) ||
                                     (IsWholeCount(after) && base::TrimBlanksView(after) == after);
    const bool fits = field.maxLength <= 0 ||
                      base::CountCodePoints(after) <= static_cast<std::size_t>(field.maxLength);
    if (piece.empty() || !holds || !fits)
        return std::nullopt;
    return piece;
}

}  // namespace ui
