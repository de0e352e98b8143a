// The calculator's count against rational arithmetic done here on decimal digit strings, and
// against the double arithmetic it replaced wherever that was exact.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "base/exact_decimal.h"
#include "base/number_text.h"
#include "engine/actual_time.h"
#include "engine/cycle_count.h"
#include "engine/loop_variant.h"

namespace {

// Digit strings without leading zeros ("" is zero), multiplied by hand.
std::string Times(const std::string& a, const std::string& b) {
    std::vector<long> r(a.size() + b.size(), 0);
    for (std::size_t i = 0; i < a.size(); ++i)
        for (std::size_t j = 0; j < b.size(); ++j)
            r[i + j + 1] += (a[i] - '0') * (b[j] - '0');
    std::string out;
    for (std::size_t k = r.size() - 1; k > 0; --k) {
        r[k - 1] += r[k] / 10;
        r[k] %= 10;
    }
    for (long d : r)
        if (!out.empty() || d != 0)
            out += static_cast<char>('0' + d);
    return out;
}

struct Exact {
    CycleCountOutcome outcome;
    std::int64_t cycles;
    std::string q;  // the unrounded count in decimal, no trailing zeros
};

// Q = time digits × frequency digits × µs per unit × 25 / 10^(places + 2): exactly a decimal.
Exact Expected(std::string t, int tu, std::string f, int fu) {
    const char* const kMicroseconds[] = {"1",        "1000",       "1000000",
                                         "60000000", "3600000000", "86400000000"};
    std::size_t places = 3 * fu + 2;
    for (std::string* s : {&t, &f}) {
        if (const std::size_t point = s->find('.'); point != std::string::npos) {
            s->erase(s->find_last_not_of('0') + 1);
            places += s->size() - point - 1;
            s->erase(point, 1);
        }
        s->erase(0, s->find_first_not_of('0'));
    }
    std::string q = Times(Times(Times(t, f), kMicroseconds[tu]), "25");
    q.insert(0, places + 1, '0');
    std::string whole = q.substr(0, q.size() - places), fraction = q.substr(q.size() - places);
    whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size() - 1));
    fraction.erase(fraction.find_last_not_of('0') + 1);
    Exact e{CycleCountOutcome::Cycles, 0, fraction.empty() ? whole : whole + "." + fraction};
    if (whole.size() > 19)
        return {CycleCountOutcome::TooLarge, 0, e.q};
    std::uint64_t n = std::stoull(whole);
    const bool rest = fraction.find_first_not_of('0', 1) != std::string::npos;
    if (!fraction.empty() && (fraction[0] > '5' || (fraction[0] == '5' && (rest || n % 2 == 1))))
        ++n;
    if (n > static_cast<std::uint64_t>(kLargestDelay))
        e.outcome = CycleCountOutcome::TooLarge;
    else if (whole == "0")
        e.outcome = CycleCountOutcome::BelowOneCycle;
    else
        e.cycles = static_cast<std::int64_t>(n);
    return e;
}

// The arithmetic this replaced, products left to right as it formed them.
double OldDoubleQuotient(double t, int tu, double f, int fu) {
    const double step[] = {1.0 / t,
                           1.0 / (t * 1000.0),
                           1.0 / (t * 1000000.0),
                           1.0 / (t * 60.0 * 1000000.0),
                           1.0 / (t * 60.0 * 1000000.0 * 60.0),
                           1.0 / (t * 60.0 * 1000000.0 * 60.0 * 24.0)};
    const double fi = f / 4.0;
    const double clock[] = {fi, fi / 1000.0, fi / 1000000.0};
    return clock[fu] / step[tu];
}

TEST(ExactCount, MatchesRationalArithmeticAndTheExactDoubles) {
    std::mt19937_64 rng(32);
    const auto digits = [&rng](std::size_t n) {
        std::string s;
        while (s.size() < n)
            s += static_cast<char>('0' + rng() % 10);
        return s;
    };
    const auto decimal = [&](std::size_t n) {  // n digits, the point anywhere or nowhere
        std::string s = digits(n);
        if (const std::size_t point = rng() % (n + 2); point <= n)
            s.insert(point, ".");
        return s;
    };
    const char* const kShort[] = {"", ".5", ".25", ".125", ".75", ".1", ".375"};
    int aboveTwoTo53 = 0, ties = 0, sameAsDoubles = 0;
    for (int i = 0; i < 24000; ++i) {
        std::string t, f = "4";
        int tu = static_cast<int>(rng() % 6), fu = static_cast<int>(rng() % 3);
        switch (i % 4) {
            case 0:  // what people type
                t = std::to_string(1 + rng() % 99999) + kShort[rng() % 7];
                f = std::to_string(1 + rng() % 999) + kShort[rng() % 3];
                break;
            case 1:
                t = decimal(1 + rng() % 19);
                f = decimal(1 + rng() % 10);
                break;
            case 2:  // halves of a microsecond at 4 MHz, up to and past the top of the range
                t = (rng() % 2 ? "9223372036854775" + digits(3) : digits(1 + rng() % 19)) + ".5";
                tu = fu = 0;
                break;
            default:  // just below one cycle, or just above
                t = (rng() % 2 ? "0." + std::string(1 + rng() % 30, '9')
                               : "1." + std::string(rng() % 30, '0') + "1");
                tu = fu = 0;
        }
        if (rng() % 8 == 0)  // zeros at both ends, as many as a link or the command line holds
            t = std::string(rng() % 2100, '0') + t + (t.find('.') == std::string::npos ? "." : "") +
                std::string(rng() % 2100, '0');
        SCOPED_TRACE(t + " " + std::to_string(tu) + " " + f + " " + std::to_string(fu));
        const Exact e = Expected(t, tu, f, fu);
        const CycleCount n = ComputeCycleCount(t, tu, f, fu);
        ASSERT_EQ(n.outcome, e.outcome);
        ASSERT_EQ(n.cycles, e.cycles);
        if (n.outcome == CycleCountOutcome::Cycles) {
            EXPECT_EQ(ExactActualTime(t, tu, f, fu, n.cycles).has_value(),
                      e.q != std::to_string(n.cycles));
        }
        aboveTwoTo53 += n.cycles > (std::int64_t{1} << 53) ? 1 : 0;
        ties += e.q.ends_with(".5") ? 1 : 0;
        const double q = OldDoubleQuotient(ReadDecimalText(t), tu, ReadDecimalText(f), fu);
        std::string doubleQ = q >= 1.0 && q < 0x1p53 ? base::FormatFixed(q, 60) : "";
        doubleQ.erase(doubleQ.find_last_not_of('0') + 1);
        if (doubleQ.ends_with('.'))
            doubleQ.pop_back();
        if (doubleQ == e.q) {
            ++sameAsDoubles;
            EXPECT_EQ(n.cycles, static_cast<std::int64_t>(std::nearbyint(q)));
        }
    }
    EXPECT_GT(aboveTwoTo53, 2000);
    EXPECT_GT(ties, 4000);
    EXPECT_GT(sameAsDoubles, 5000);
}

// Where doubles went wrong: the count is exact, and the actual-time line then agrees with it.
TEST(ExactCount, LargeCountsAndLongTexts) {
    EXPECT_EQ(ComputeCycleCount("9072", 4, "1034.4", 0).cycles, 8445669120000000);
    EXPECT_FALSE(ExactActualTime("9072", 4, "1034.4", 0, 8445669120000000));
    EXPECT_EQ(ComputeCycleCount("9223372036854775000", 0, "4", 0).cycles, 9223372036854775000);
    EXPECT_EQ(ComputeCycleCount("0.99999999999999999", 0, "4", 0).outcome,
              CycleCountOutcome::BelowOneCycle);
    const std::string time = std::string(40, '0') + "10";
    const auto a = ExactActualTime(time, 0, "3", 0, ComputeCycleCount(time, 0, "3", 0).cycles);
    ASSERT_TRUE(a);
    EXPECT_EQ(a->time, "10.6666666667");
    EXPECT_EQ(a->errorPercent, "+6.67");
}

}  // namespace
