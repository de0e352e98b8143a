#include "base/exact_decimal.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

namespace {

std::string Printf(const char* format, double v) {
    char buffer[1600];
    std::snprintf(buffer, sizeof buffer, format, v);
    return buffer;
}

// The platform's C library (in the "C" locale) is the yardstick: our code must agree with it on
// every double and on texts at and beside the halfway points between neighbouring doubles.
TEST(ExactDecimal, AgreesWithTheCLibraryEverywhere) {
    ASSERT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
    std::mt19937_64 random(11);
    for (int i = 0; i < 20000; ++i) {
        const std::uint64_t bits = random();
        double v;
        std::memcpy(&v, &bits, sizeof v);
        if (i % 2 == 0)  // values of the size people type
            v = std::ldexp(static_cast<double>(bits >> 11), static_cast<int>(bits % 90) - 80);
        if (!std::isfinite(v))
            continue;
        ASSERT_EQ(base::FormatFixed(v, 10), Printf("%.10f", v));
        ASSERT_EQ(base::FormatGeneral(v, 64), Printf("%.64g", v));
        const double a = std::fabs(v);
        const double next = std::nextafter(a, HUGE_VAL);
        if (std::isinf(next))
            continue;
        // Exactly halfway to the next double (the long double holds it whole), a little above
        // it, and a little below it (cut after 40 significant digits).
        char buffer[1600];
        const long double half = a + (static_cast<long double>(next) - a) / 2;
        std::snprintf(buffer, sizeof buffer, "%.1100Lf", half);
        const std::string halfway = buffer;
        const std::size_t cut = halfway.find_first_not_of("0.") + 40;
        for (const std::string& text : {halfway, halfway + "1", halfway.substr(0, cut),
                                        Printf("%.17g", a), Printf("%.6e", a)}) {
            ASSERT_EQ(base::DecimalNumberValue(text), std::strtod(text.c_str(), nullptr)) << text;
        }
    }
}

}  // namespace
