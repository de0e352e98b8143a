// Turns a delay in machine cycles into an exact loop plan: no gadgets, no shared state.
#pragma once

#include <cstdint>
#include <optional>

#include "engine/loop_plan.h"
#include "engine/loop_variant.h"

// The plan whose code takes exactly `delayCycles` cycles, or nullopt when the delay is out of
// the variant's range. `fromCalculator` is left false for the caller to set.
std::optional<LoopPlan> PlanDelay(std::int64_t delayCycles, Variant variant);

// The cycles the code of a plan takes, from the plan's own counts; the variant is the plan's
// clearWatchdog flag; -1 for a register count outside 1..8. 128-bit, so never overflows.
__int128 PlanCycles(const LoopPlan& plan);

// Whether the plan is well formed (1..8 registers, counts above L zero, tail >= 0, extra nop
// only with two or more registers) and takes exactly its delayCycles.
bool IsExactPlan(const LoopPlan& plan);

// PlanDelay's first step, which its tests compare it with: the solve with no hold-back, taken
// where both flags hold and the plan is exact; elsewhere PlanDelay searches for the fewest
// tail nops.
struct PlainSolve {
    LoopPlan plan;
    // Every remainder left after levels 3..8 kept the least share the inner levels need.
    bool remaindersMet = true;
    // The innermost count fell within 1..256 and the tail was not negative.
    bool countsInRange = true;
};
// The solve with no hold-back at levels 3..8. Where either flag is false the plan must not
// be used.
PlainSolve SolveWithoutHoldBack(std::int64_t delayCycles, Variant variant);
