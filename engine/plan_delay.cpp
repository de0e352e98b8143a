#include "engine/plan_delay.h"

namespace {

constexpr auto kPlainWeights = LoopWeights(Variant::Plain);
constexpr auto kWatchdogWeights = LoopWeights(Variant::Watchdog);

const std::array<std::int64_t, 9>& WeightsOf(Variant v) {
    return v == Variant::Plain ? kPlainWeights : kWatchdogWeights;
}

int Passes(std::uint8_t count) {
    return count == 0 ? 256 : count;
}
std::uint8_t CountFor(std::int64_t passes) {
    return static_cast<std::uint8_t>(passes & 0xFF);
}

// The innermost register adds 3 to 768 cycles. Below every level the inner registers span
// fewer cycles than that level's weight, so each level's passes follow from one division.
constexpr std::int64_t kInnermostMax = std::int64_t{3} * 256;

bool Decompose(std::int64_t rest, int registerCount, int extraNop,
               const std::array<std::int64_t, 9>& w, LoopPlan& plan) {
    // extraNop adds c_L = units_L + 1: one more cycle per unit of the outermost register.
    rest -= extraNop;
    for (int k = registerCount; k >= 2; --k) {
        const std::int64_t weight = w[k] + (k == registerCount ? extraNop : 0);
        if (rest < 3)
            return false;
        const std::int64_t units = (rest - 3) / weight;
        if (units > 255)
            return false;
        rest -= units * weight;
        plan.counts[k] = CountFor(units + 1);
    }
    if (rest < 3 || rest > kInnermostMax || rest % 3 != 0)
        return false;
    plan.counts[1] = CountFor(rest / 3);
    return true;
}

}  // namespace

__int128 PlanCycles(const LoopPlan& plan) {
    const Variant v = plan.clearWatchdog ? Variant::Watchdog : Variant::Plain;
    const auto& w = WeightsOf(v);
    const int L = plan.registerCount;
    if (L < 1 || L > 8)
        return -1;
    __int128 total = NestBaseCycles(v, L) + std::int64_t{3} * Passes(plan.counts[1]);
    for (int k = 2; k <= L; ++k)
        total += static_cast<__int128>(Passes(plan.counts[k]) - 1) * w[k];
    if (plan.extraNop)
        total += Passes(plan.counts[L]);
    return total + plan.tailNops;
}

bool IsExactPlan(const LoopPlan& plan) {
    const int L = plan.registerCount;
    if (L < 1 || L > 8 || plan.tailNops < 0)
        return false;
    if (plan.extraNop && L < 2)
        return false;
    for (int k = L + 1; k < static_cast<int>(plan.counts.size()); ++k) {
        if (plan.counts[k] != 0)
            return false;
    }
    return plan.counts[0] == 0 && PlanCycles(plan) == plan.delayCycles;
}

PlainSolve SolveWithoutHoldBack(std::int64_t D, Variant variant) {
    const auto& w = WeightsOf(variant);
    const int wdt = variant == Variant::Watchdog ? 1 : 0;
    PlainSolve result;
    LoopPlan& p = result.plan;
    p.delayCycles = D;
    p.clearWatchdog = variant == Variant::Watchdog;

    std::int64_t o = D;
    int L = 0;
    for (int k = 8; k >= 2; --k) {
        if (w[k] + std::int64_t{4} * k + wdt > D)
            continue;  // compared with D itself, never with o
        if (L == 0)
            L = k;
        const std::int64_t holdBack = k == 2 ? 3 * L + 2 + wdt : 0;
        std::int64_t units = (o - holdBack) / w[k];
        if (units == 256) {
            p.counts[k] = 0;
            units = 255;  // what 256 passes cannot place stays in o for the innermost step
        } else {
            p.counts[k] = CountFor(units + 1);
        }
        o -= units * w[k] + 1;
        if (k >= 3 && o < 3 * L + k - 1 + wdt) {
            p.registerCount = L;
            result.remaindersMet = false;
            return result;
        }
    }
    if (L == 0)
        L = 1;
    o -= wdt;  // the clrwdt of the first run of register 1, which no weight counts

    int u = 0;
    std::int64_t q = 0, s = 1;
    for (;;) {
        q = (o - u - 1) / 3;
        if (L == 1) {
            if (o - 1 < 771) {
                p.counts[1] = CountFor(q);
                s = 1;
            } else {
                L = 2;
                p.counts[2] = 1;
                p.counts[1] = o - 1 == 771 ? 255 : 0;
                s = o - 1 == 771 ? -1 : 2;
                q = 257;
            }
            break;
        }
        if (q - L + 1 >= 257 && !p.extraNop) {
            p.extraNop = true;
            const int n = Passes(p.counts[L]);
            o -= n;
            if (o - n - 771 >= L && (L < 4 + wdt || n < 3))
                u = 1;
            continue;
        }
        // A second extra-nop pass cannot be placed: the count falls out of range.
        const std::int64_t innermost = q - L + 1;
        if (innermost < 1 || innermost > 256)
            result.countsInRange = false;
        p.counts[1] = CountFor(innermost);
        s = 1;
        break;
    }
    p.registerCount = L;
    const std::int64_t tail = o - 3 * q - s;
    if (tail < 0 || tail > 1000)
        result.countsInRange = false;
    p.tailNops = static_cast<int>(tail);
    return result;
}

namespace {

// An exact plan with `registerCount` registers and the fewest tail nops any such plan has
// (no extra nop preferred on a tie), or nullopt when none exists.
std::optional<LoopPlan> FewestTailPlan(std::int64_t D, int L, Variant variant) {
    const auto& w = WeightsOf(variant);
    const std::int64_t rest = D - NestBaseCycles(variant, L);
    // Each level leaves a gap of a few cycles its inner levels cannot fill; no delay we have
    // found needs more than 15 tail nops, and the search stops far beyond that.
    constexpr int kTailLimit = 256;
    for (int tail = 0; tail <= kTailLimit && tail <= rest; ++tail) {
        for (int extraNop = 0; extraNop <= (L >= 2 ? 1 : 0); ++extraNop) {
            LoopPlan p;
            p.delayCycles = D;
            p.registerCount = L;
            p.clearWatchdog = variant == Variant::Watchdog;
            p.extraNop = extraNop == 1;
            p.tailNops = tail;
            if (Decompose(rest - tail, L, extraNop, w, p))
                return p;
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<LoopPlan> PlanDelay(std::int64_t D, Variant variant) {
    if (D < SmallestDelay(variant) || D > kLargestDelay)
        return std::nullopt;
    PlainSolve solved = SolveWithoutHoldBack(D, variant);
    if (solved.remaindersMet && solved.countsInRange && IsExactPlan(solved.plan))
        return solved.plan;
    return FewestTailPlan(D, solved.plan.registerCount, variant);
}
