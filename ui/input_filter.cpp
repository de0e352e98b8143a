#include "ui/input_filter.h"

namespace ui {

FilterVerdict FilterTypedChar(char32_t ch, const std::string& text, int selectionStart,
                              bool allowPoint) {
    if (ch == U'\r' || ch == U'\n') return FilterVerdict::Discard;
    // The cycle field passes everything on; its digits-only property rejects the rest.
    if (!allowPoint) return FilterVerdict::Pass;
    if (ch == U'\b' || (ch >= U'0' && ch <= U'9')) return FilterVerdict::Pass;
    if (ch == U'.' && selectionStart > 0 && !text.empty() &&
        text.find('.') == std::string::npos) {
        return FilterVerdict::Pass;
    }
    return FilterVerdict::DiscardWithBeep;
}

}  // namespace ui
