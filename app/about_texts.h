// The About page's fixed texts and link targets; no language file changes them.
#pragma once

namespace about {

inline constexpr const char* kAboutText =
    "  Loopsmith   это программа, предназначенная для преобразования времени задержки в "
    "ассемблерный код для PIC контроллеров фирмы MicroChip.\n"
    "  Исходными данными программы, является число машинных циклов, но при необходимости "
    "можно использовать встроенный калькулятор, который вычисляет число машинных циклов "
    "исходя из данных о длительности задержки и частоте задающего генератора микроконтроллера";
inline constexpr const char* kCreditLine = "Автор программы  —  команда Loopsmith";
inline constexpr const char* kMailAddress = "team@example.org";
inline constexpr const char* kWebAddress = "https://loopsmith.example.org/";
inline constexpr const char* kBannerToolTip = "Loopsmith: точные задержки для PIC — loopsmith.example.org";

}  // namespace about
