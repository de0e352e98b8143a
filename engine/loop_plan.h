// The loop solvers' result, handed to the assembler text writer.
#pragma once

#include <array>
#include <cstdint>

// Load values of the loop registers; entries 1..8 are used, 0 means 256 passes.
using LoopCounts = std::array<std::uint8_t, 12>;

struct LoopPlan {
    std::int64_t delayCycles = 0;
    int registerCount = 1;  // 1..8
    LoopCounts counts{};    // the load value of register k at index k
    int tailNops = 0;
    bool extraNop = false;       // one nop before the outermost decfsz (only with 2+ registers)
    bool clearWatchdog = false;  // the plan counts one clrwdt after the innermost loop
    bool fromCalculator = false;

    friend bool operator==(const LoopPlan&, const LoopPlan&) = default;
};
