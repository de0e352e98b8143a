// Every translatable caption, tooltip, combo item and page title of the window: its group and
// key in a language file and its built-in (Russian) text, each written once. Where each goes
// is the window's business (app/ui_text_places).
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct UiText {
    const char* group;
    const char* key;  // unique within the table
    const char* fallback;
};

inline constexpr const char* kMessageGroup = "Message";

// In the order the texts are read and applied.
std::span<const UiText> UiTextTable();
// The position of a key in the table; -1 for none.
int UiTextIndex(std::string_view key);
// The built-in text of a key of the table.
std::string UiDefault(std::string_view key);

// `read(group, key, fallback)` gives a key's trimmed value, or the fallback.
using LanguageReader =
    std::function<std::string(std::string_view group, std::string_view key, const char* fallback)>;

// One text per entry of UiTextTable, in its order.
std::vector<std::string> ReadUiTexts(const LanguageReader& read);
