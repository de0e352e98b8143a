// The delays every benchmark cycles through: spread over all magnitudes, both common and deep
// plans, fixed so that runs compare.
#pragma once

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

inline std::vector<std::int64_t> BenchDelays() {
    std::mt19937_64 rng(42);
    std::uniform_real_distribution<double> exponent(std::log(5.0), std::log(9.2e18));
    std::vector<std::int64_t> d(4096);
    for (auto& x : d)
        x = static_cast<std::int64_t>(std::exp(exponent(rng)));
    return d;
}
