// The two loop nests: plain, and with one clrwdt after the innermost loop. The variant fixes
// the loop weights, the smallest delay and a few small constants of the solver.
#pragma once

#include <array>
#include <cstdint>

enum class Variant { Plain, Watchdog };

inline constexpr std::int64_t kLargestDelay = 9223372036854775800;  // 2^63 - 8

constexpr std::int64_t SmallestDelay(Variant v) {
    return v == Variant::Plain ? 4 : 5;
}

// W[k]: the cycles one more pass of register k adds while all inner registers restart from 0.
constexpr std::array<std::int64_t, 9> LoopWeights(Variant v) {
    std::array<std::int64_t, 9> w{};
    w[1] = 3;
    w[2] = v == Variant::Plain ? 770 : 771;  // the clrwdt runs once per pass of register 2
    for (int k = 3; k <= 8; ++k)
        w[k] = 256 * w[k - 1] + 2;
    return w;
}

// The cycles of a nest of L registers that each make one pass (no extra nop, no tail), less
// 3 for the innermost register's single pass.
constexpr std::int64_t NestBaseCycles(Variant v, int registerCount) {
    return 4 * registerCount - (v == Variant::Plain ? 3 : 2);
}
