// The language file a locale name points at.
#include <gtest/gtest.h>

#include "i18n/system_language.h"

namespace {

TEST(SystemLanguage, LocaleNamesGiveLanguageFileNames) {
    const std::pair<const char*, const char*> cases[] = {
        {"en_US.UTF-8", "english"},
        {"ru_RU.UTF-8", "russian"},
        {"RU", "russian"},
        {"de_AT@euro", "german"},
        {"pt-BR", "portuguese"},
        {"C.UTF-8", ""},
        {"POSIX", ""},
        {"", ""},
        {"english", ""},
    };
    for (const auto& [locale, language] : cases)
        EXPECT_EQ(LanguageOfLocale(locale), language) << locale;
}

}  // namespace
