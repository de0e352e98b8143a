// The user's own language, for a first start that has no stored choice.
#pragma once

#include <string>
#include <string_view>

// The language file name ("english") of a locale name as the system gives it ("en_US.UTF-8",
// "ru", "de_AT@euro"); "" for C, POSIX or a language without a known name.
std::string LanguageOfLocale(std::string_view locale);

// The user's language as a locale name: on Windows the user's UI language, elsewhere the first
// of LC_ALL, LC_MESSAGES and LANG that is set and not empty. "" when none is.
std::string SystemLocaleName();
