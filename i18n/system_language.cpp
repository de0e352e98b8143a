#include "i18n/system_language.h"

#include <array>
#include <cstdlib>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#endif

#include "base/ascii.h"

namespace {

// ISO 639-1 codes and the English names that language files are called by.
constexpr std::array<std::pair<std::string_view, std::string_view>, 34> kLanguages{{
    {"be", "belarusian"}, {"bg", "bulgarian"},  {"cs", "czech"},     {"da", "danish"},
    {"de", "german"},     {"el", "greek"},      {"en", "english"},   {"es", "spanish"},
    {"et", "estonian"},   {"fi", "finnish"},    {"fr", "french"},    {"hr", "croatian"},
    {"hu", "hungarian"},  {"it", "italian"},    {"ja", "japanese"},  {"kk", "kazakh"},
    {"ko", "korean"},     {"lt", "lithuanian"}, {"lv", "latvian"},   {"nb", "norwegian"},
    {"nl", "dutch"},      {"nn", "norwegian"},  {"no", "norwegian"}, {"pl", "polish"},
    {"pt", "portuguese"}, {"ro", "romanian"},   {"ru", "russian"},   {"sk", "slovak"},
    {"sl", "slovenian"},  {"sr", "serbian"},    {"sv", "swedish"},   {"tr", "turkish"},
    {"uk", "ukrainian"},  {"zh", "chinese"},
}};

}  // namespace

std::string LanguageOfLocale(std::string_view locale) {
    const std::string code = base::FoldedAscii(locale.substr(0, locale.find_first_of("_-.@")));
    for (const auto& [iso, name] : kLanguages) {
        if (code == iso)
            return std::string(name);
    }
    return {};
}

std::string SystemLocaleName() {
#ifdef _WIN32
    const LCID locale = MAKELCID(GetUserDefaultUILanguage(), SORT_DEFAULT);
    wchar_t wide[16] = {};
    if (GetLocaleInfoW(locale, LOCALE_SISO639LANGNAME, wide, 16) <= 0)
        return {};
    std::string code;
    for (const wchar_t* c = wide; *c != 0; ++c)
        code += *c < 128 ? static_cast<char>(*c) : '?';
    return code;
#else
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0')
            return value;
    }
    return {};
#endif
}
