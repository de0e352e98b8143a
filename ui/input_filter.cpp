#include "ui/input_filter.h"

#include "base/utf8.h"

namespace ui {

FilterVerdict FilterTypedChar(char32_t ch, const std::string& text, int selectionStart,
                              bool allowPoint) {
    if (ch == U'\r' || ch == U'\n')
        return FilterVerdict::Discard;
    // The cycle field passes everything on; its digits-only property rejects the rest.
    if (!allowPoint)
        return FilterVerdict::Pass;
    if (ch == U'\b' || (ch >= U'0' && ch <= U'9'))
        return FilterVerdict::Pass;
    if ((ch == U'.' || ch == U',') && selectionStart > 0 && !text.empty() &&
        text.find('.') == std::string::npos) {
        return ch == U'.' ? FilterVerdict::Pass : FilterVerdict::PassAsPoint;
    }
    return FilterVerdict::DiscardWithBeep;
}

FilterVerdict TypedCharVerdict(const GadgetLayout& field, char32_t ch, const std::string& text,
                               int selectionStart, int selectionLength) {
    if (field.filterInput) {
        const FilterVerdict v = FilterTypedChar(ch, text, selectionStart, field.filterAllowsPoint);
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

}  // namespace ui
