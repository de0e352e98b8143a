// Every translatable caption, tooltip, combo item and page title of the window: its group and
// key in a language file, its built-in (Russian) text and where it goes.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ui/gadgets.h"

enum class UiTarget {
    Caption,           // gadget (and `second`, when not -1)
    ToolTip,           // gadget
    ComboItem,         // item `second` of gadget; the combo is refilled keeping its selection
    PageTitle,         // page `second` of the panel
    RegisterCaptions,  // gadgets 32..39: text + " № " + n + ":"
};

struct UiText {
    const char* group;
    const char* key;
    const char* fallback;
    UiTarget target;
    int gadget;
    int second;
};

inline constexpr const char* kMessageGroup = "Message";

// In the order the texts are read and applied.
std::span<const UiText> UiTextTable();

// `read(group, key, fallback)` gives a key's trimmed value, or the fallback.
using LanguageReader =
    std::function<std::string(std::string_view group, std::string_view key, const char* fallback)>;

// One text per entry of UiTextTable, in its order.
std::vector<std::string> ReadUiTexts(const LanguageReader& read);
void ApplyUiTexts(ui::Gadgets& gadgets, const std::vector<std::string>& texts);
