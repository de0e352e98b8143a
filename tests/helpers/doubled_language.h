// A language file whose every text is its built-in one twice over, a blank between: captions
// far wider than the places were made for, as a user's own translation may have them.
#pragma once

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <string_view>

#include "i18n/ui_text_table.h"

namespace testing_files {

inline void WriteDoubledLanguage(const std::filesystem::path& file) {
    std::map<std::string, std::string> groups;
    for (const UiText& t : UiTextTable()) {
        // The About page's prose wraps in a box of its own; the captions are what must fit.
        if (std::string_view(t.key).starts_with("About_Text"))
            continue;
        groups[t.group] += std::string(t.key) + " = " + t.fallback + " " + t.fallback + "\r\n";
    }
    std::ofstream out(file, std::ios::binary);
    out << "\xEF\xBB\xBF";
    for (const auto& [group, lines] : groups)
        out << "[" << group << "]\r\n" << lines;
}

}  // namespace testing_files
