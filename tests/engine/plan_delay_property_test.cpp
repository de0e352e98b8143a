// The cycle identity and the count bounds over whole ranges of delays, and the hold-back
// against an exhaustive search.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "engine/plan_delay.h"

namespace {

const Variant kVariants[] = {Variant::Plain, Variant::Watchdog};

// Counts failures instead of asserting each delay, so a broken solver reports a few
// examples rather than millions of lines.
class Checker {
  public:
    explicit Checker(Variant v) : v_(v) {}
    void Check(std::int64_t d) {
        ++checked_;
        const auto plan = PlanDelay(d, v_);
        // Where no remainder runs short, the plan without hold-back is the one to give.
        const PlainSolve unheld = SolveWithoutHoldBack(d, v_);
        const bool unheldUsed = !unheld.remaindersMet || (plan && *plan == unheld.plan);
        if (plan && IsExactPlan(*plan) && plan->delayCycles == d && unheldUsed &&
            plan->clearWatchdog == (v_ == Variant::Watchdog ? 1 : 0)) {
            maxTail_ = std::max(maxTail_, plan->tailNops);
            return;
        }
        if (failures_ < 5)
            ADD_FAILURE() << "no exact plan for " << d;
        ++failures_;
    }
    ~Checker() { EXPECT_EQ(failures_, 0) << "of " << checked_ << " delays"; }
    int maxTail() const { return maxTail_; }

  private:
    Variant v_;
    int failures_ = 0;
    long checked_ = 0;
    int maxTail_ = 0;
};

TEST(PlanProperty, EveryDelayUpToThreeMillion) {
    for (Variant v : kVariants) {
        Checker c(v);
        for (std::int64_t d = SmallestDelay(v); d <= 3000000; ++d)
            c.Check(d);
    }
}

TEST(PlanProperty, AroundEveryMultipleOfEveryWeight) {
    for (Variant v : kVariants) {
        Checker c(v);
        const auto w = LoopWeights(v);
        for (int k = 2; k <= 8; ++k) {
            for (std::int64_t m = 1; m <= 256 && m <= kLargestDelay / w[k]; ++m) {
                const std::int64_t at = m * w[k];
                const std::int64_t last = at > kLargestDelay - 64 ? kLargestDelay : at + 64;
                for (std::int64_t d = std::max(at - 64, SmallestDelay(v)); d <= last; ++d) {
                    c.Check(d);
                }
            }
        }
    }
}

TEST(PlanProperty, LargestDelays) {
    for (Variant v : kVariants) {
        Checker c(v);
        for (std::int64_t d = kLargestDelay - 100000; d <= kLargestDelay; ++d)
            c.Check(d);
    }
}

TEST(PlanProperty, RandomDelaysUniformAndSpreadOverMagnitudes) {
    std::mt19937_64 rng(20261207);
    for (Variant v : kVariants) {
        Checker c(v);
        std::uniform_int_distribution<std::int64_t> whole(SmallestDelay(v), kLargestDelay);
        std::uniform_real_distribution<double> exponent(std::log(5.0), std::log(9.2e18));
        for (int i = 0; i < 100000; ++i) {
            c.Check(whole(rng));
            const auto d = static_cast<std::int64_t>(std::exp(exponent(rng)));
            c.Check(std::clamp<std::int64_t>(d, SmallestDelay(v), kLargestDelay));
        }
    }
}

// Delays just off a sum of whole passes, where several levels at once leave little or nothing
// for the levels below: the remainders that run short at every depth.
TEST(PlanProperty, RandomSumsOfWholePasses) {
    std::mt19937_64 rng(99);
    for (Variant v : kVariants) {
        Checker c(v);
        const auto w = LoopWeights(v);
        for (int i = 0; i < 100000; ++i) {
            const int top = 3 + static_cast<int>(rng() % 6);
            __int128 d = static_cast<__int128>(1 + rng() % 256) * w[top];
            for (int k = top - 1; k >= 2; --k) {
                const std::int64_t choices[] = {0,   0,   1,
                                                255, 256, static_cast<std::int64_t>(rng() % 257)};
                d += choices[rng() % 6] * w[k];
            }
            d += static_cast<std::int64_t>(rng() % 161) - 80;
            if (d >= SmallestDelay(v) && d <= kLargestDelay)
                c.Check(static_cast<std::int64_t>(d));
        }
    }
}

// The fewest tail nops of any exact plan with two or three registers, by trying every count
// of the outer registers and both extra-nop choices.
int BruteForceFewestTail(std::int64_t d, int L, Variant v) {
    const auto w = LoopWeights(v);
    int best = 1 << 30;
    const int c3Max = L == 3 ? 256 : 1;
    for (int c3 = 1; c3 <= c3Max; ++c3) {
        for (int c2 = 1; c2 <= 256; ++c2) {
            for (int e = 0; e <= 1; ++e) {
                const std::int64_t rest = d - NestBaseCycles(v, L) - (c2 - 1) * w[2] -
                                          (c3 - 1) * w[3] - e * (L == 3 ? c3 : c2);
                if (rest < 3)
                    continue;
                const std::int64_t c1 = std::min<std::int64_t>(256, rest / 3);
                best = std::min<int>(best, static_cast<int>(rest - 3 * c1));
            }
        }
    }
    return best;
}

TEST(HoldBack, ShortCasesGetTheFewestTailNopsThatExist) {
    int shortCases = 0;
    for (Variant v : kVariants) {
        for (std::int64_t d = 197000; d <= 3000000; ++d) {
            const PlainSolve s = SolveWithoutHoldBack(d, v);
            if (s.remaindersMet)
                continue;
            ++shortCases;
            SCOPED_TRACE(d);
            const auto plan = PlanDelay(d, v);
            ASSERT_TRUE(plan.has_value());
            EXPECT_EQ(plan->registerCount, s.plan.registerCount);
            EXPECT_EQ(plan->tailNops, BruteForceFewestTail(d, plan->registerCount, v));
        }
    }
    EXPECT_GT(shortCases, 50);
}

}  // namespace
