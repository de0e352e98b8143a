// The solver against known plans of both variants, and the delays whose remainders run short.
#include <gtest/gtest.h>

#include <vector>

#include "engine/plan_delay.h"

namespace {

struct Row {
    std::int64_t delay;
    std::vector<int> counts;  // LoopCounts[1..L] as stored (0 = 256 passes)
    int extraNop;
    int tailNops;
};

void ExpectPlan(const Row& row, Variant v) {
    SCOPED_TRACE(row.delay);
    const auto plan = PlanDelay(row.delay, v);
    ASSERT_TRUE(plan.has_value());
    EXPECT_EQ(plan->delayCycles, row.delay);
    ASSERT_EQ(plan->registerCount, static_cast<int>(row.counts.size()));
    for (std::size_t k = 0; k < row.counts.size(); ++k) {
        EXPECT_EQ(plan->counts[k + 1], row.counts[k]) << "register " << k + 1;
    }
    EXPECT_EQ(plan->extraNop, row.extraNop);
    EXPECT_EQ(plan->tailNops, row.tailNops);
    EXPECT_EQ(plan->clearWatchdog, v == Variant::Watchdog ? 1 : 0);
    EXPECT_TRUE(IsExactPlan(*plan));
}

class PlainTable : public ::testing::TestWithParam<Row> {};
class WatchdogTable : public ::testing::TestWithParam<Row> {};

TEST_P(PlainTable, Reproduced) {
    ExpectPlan(GetParam(), Variant::Plain);
}
TEST_P(WatchdogTable, Reproduced) {
    ExpectPlan(GetParam(), Variant::Watchdog);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PlainTable,
    ::testing::Values(Row{4, {1}, 0, 0}, Row{5, {1}, 0, 1}, Row{771, {0}, 0, 2},
                      Row{772, {255, 1}, 0, 2}, Row{773, {0, 1}, 0, 0}, Row{777, {0, 1}, 0, 4},
                      Row{778, {1, 2}, 0, 0}, Row{1546, {0, 2}, 1, 1}, Row{1547, {0, 2}, 1, 2},
                      Row{197133, {174, 0}, 1, 0}, Row{197134, {1, 1, 2}, 0, 0},
                      Row{200000, {186, 4, 2}, 0, 1}, Row{1000000, {173, 19, 6}, 0, 2},
                      Row{1000000000, {14, 1, 210, 20}, 0, 1},
                      Row{9223372036854775800, {67, 232, 182, 34, 102, 48, 143, 43}, 0, 0}));

INSTANTIATE_TEST_SUITE_P(
    Rows, WatchdogTable,
    ::testing::Values(Row{5, {1}, 0, 0}, Row{6, {1}, 0, 1}, Row{10, {2}, 0, 2}, Row{771, {0}, 0, 1},
                      Row{772, {0}, 0, 2}, Row{773, {255, 1}, 0, 2}, Row{779, {0, 1}, 0, 5},
                      Row{780, {1, 2}, 0, 0}, Row{1542, {255, 2}, 0, 0}, Row{1546, {0, 2}, 0, 1},
                      Row{1548, {0, 2}, 1, 1}, Row{197390, {174, 0}, 1, 1},
                      Row{197391, {1, 1, 2}, 0, 0}, Row{200000, {99, 4, 2}, 0, 2},
                      Row{1000000, {254, 17, 6}, 0, 2}, Row{1000000000, {167, 108, 203, 20}, 0, 2},
                      Row{9223372036854775800, {193, 144, 100, 176, 43, 15, 129, 43}, 0, 2}));

TEST(PlanRange, EndsOfBothVariants) {
    for (std::int64_t d : {std::int64_t{3}, std::int64_t{0}, std::int64_t{-1}, INT64_MIN,
                           std::int64_t{9223372036854775801}, INT64_MAX}) {
        EXPECT_FALSE(PlanDelay(d, Variant::Plain).has_value()) << d;
        EXPECT_FALSE(PlanDelay(d, Variant::Watchdog).has_value()) << d;
    }
    EXPECT_TRUE(PlanDelay(4, Variant::Plain).has_value());
    EXPECT_FALSE(PlanDelay(4, Variant::Watchdog).has_value());
    EXPECT_TRUE(PlanDelay(5, Variant::Watchdog).has_value());
}

// Delays whose remainder after some level of three or more falls short of what the inner
// levels need; a hold-back of 0 breaks exactly there.
struct ShortRange {
    Variant variant;
    std::int64_t first, last;
};

TEST(HoldBack, ShortRemaindersAreExactlyTheKnownRanges) {
    const ShortRange ranges[] = {{Variant::Plain, 394244, 394255},
                                 {Variant::Plain, 591366, 591377},
                                 {Variant::Plain, 100926468, 100926483},
                                 {Variant::Watchdog, 394756, 394768},
                                 {Variant::Watchdog, 592134, 592146}};
    for (const ShortRange& r : ranges) {
        for (std::int64_t d = r.first - 40; d <= r.last + 40; ++d) {
            SCOPED_TRACE(d);
            const bool inside = d >= r.first && d <= r.last;
            EXPECT_EQ(SolveWithoutHoldBack(d, r.variant).remaindersMet, !inside);
            const auto plan = PlanDelay(d, r.variant);
            ASSERT_TRUE(plan.has_value());
            EXPECT_TRUE(IsExactPlan(*plan));
        }
    }
}

TEST(HoldBack, ShortRemaindersKeepTheRegisterCountAndNeedMoreNops) {
    const auto a = PlanDelay(394255, Variant::Plain);
    ASSERT_TRUE(a.has_value());
    EXPECT_EQ(a->registerCount, 3);
    EXPECT_EQ(a->tailNops, 4);

    const auto b = PlanDelay(100926483, Variant::Plain);
    ASSERT_TRUE(b.has_value());
    EXPECT_EQ(b->registerCount, 4);
    EXPECT_GE(b->tailNops, 6);
    EXPECT_TRUE(IsExactPlan(*b));
}

TEST(PlanCyclesCheck, CatchesAPlanThatIsOneOff) {
    LoopPlan plan = *PlanDelay(1000000, Variant::Plain);
    ++plan.tailNops;
    EXPECT_FALSE(IsExactPlan(plan));
    plan = *PlanDelay(1000000, Variant::Plain);
    plan.counts[5] = 1;  // a count above L
    EXPECT_FALSE(IsExactPlan(plan));
    plan = *PlanDelay(10, Variant::Plain);
    plan.extraNop = 1;  // with one register
    EXPECT_FALSE(IsExactPlan(plan));
}

}  // namespace
