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

// Digit strings multiplied by hand, leading zeros dropped ("" is zero).
std::string Times(const std::string& a, const std::string& b) {
    std::string out(a.size() + b.size(), '0');
    for (std::size_t i = a.size(); i-- > 0;) {
        int carry = 0;
        for (std::size_t j = b.size(); j-- > 0;) {
            const int v = (out[i + j + 1] - '0') + (a[i] - '0') * (b[j] - '0') + carry;
            out[i + j + 1] = static_cast<char>('0' + v % 10);
            carry = v / 10;
        }
        out[i] = static_cast<char>('0' + carry);
    }
    return out.substr(std::min(out.find_first_not_of('0'), out.size()));
}

// Q = time digits × frequency digits × µs per unit × 25 / 10^places, in decimal without trailing
// zeros, and the count the rules make of it.
std::pair<std::string, CycleCount> Exact(std::string t, int tu, std::string f, int fu) {
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
    const std::string q =
        std::string(places + 1, '0') + Times(Times(Times(t, f), kMicroseconds[tu]), "25");
    std::string whole = q.substr(0, q.size() - places), fraction = q.substr(whole.size());
    whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size() - 1));
    fraction.erase(fraction.find_last_not_of('0') + 1);
    const std::string text = fraction.empty() ? whole : whole + "." + fraction;
    const bool up = fraction > "5" || (fraction == "5" && whole.back() % 2 == 1);  // ties to even
    const std::uint64_t n = whole.size() > 19 ? UINT64_MAX : std::stoull(whole) + up;
    if (n > static_cast<std::uint64_t>(kLargestDelay) || whole == "0")  // 0.6 is below 1 cycle
        return {text, {n > 1 ? CycleCountOutcome::TooLarge : CycleCountOutcome::BelowOneCycle, 0}};
    return {text, {CycleCountOutcome::Cycles, static_cast<std::int64_t>(n)}};
}

// The arithmetic this replaced, products left to right as it formed them (a factor 1.0 is exact).
double OldDoubleQuotient(double t, int tu, double f, int fu) {
    const double first[] = {1.0, 1000.0, 1000000.0, 60.0, 60.0, 60.0};
    const double x = tu < 3 ? t * first[tu]
                            : t * 60.0 * 1000000.0 * (tu > 3 ? 60.0 : 1.0) * (tu > 4 ? 24.0 : 1.0);
    const double fi = f / 4.0;
    return (fu == 0 ? fi : fi / (fu == 1 ? 1000.0 : 1000000.0)) / (1.0 / x);
}

TEST(ExactCount, MatchesRationalArithmeticAndTheExactDoubles) {
    std::mt19937_64 rng(32);
    const auto decimal = [&rng](bool point) {  // any size up to 2^64, the point anywhere
        std::string s = std::to_string(rng() >> rng() % 64);
        return point ? s.insert(rng() % (s.size() + 1), ".") : s;
    };
    const char* const kShort[] = {"", ".5", ".25", ".125", ".75", ".1", ".375"};
    int sameAsDoubles = 0;
    for (int i = 0; i < 24000; ++i) {
        int tu = static_cast<int>(rng() % 6), fu = static_cast<int>(rng() % 3);
        std::string t = decimal(rng() % 2), f = decimal(rng() % 2);
        if (i % 4 == 0) {  // what people type
            t = std::to_string(1 + rng() % 99999) + kShort[rng() % 7];
            f = std::to_string(1 + rng() % 999) + kShort[rng() % 3];
        } else if (i % 4 > 1) {  // at 4 MHz: halves of a µs up to and past the top; about 1 cycle
            const std::string top = std::to_string(9223372036854775000 + rng() % 1000);
            t = i % 4 == 3 ? (rng() % 2 ? "0." + std::string(1 + rng() % 30, '9')
                                        : "1." + std::string(rng() % 30, '0') + "1")
                           : (rng() % 2 ? top : decimal(false)) + ".5";
            f = "4";
            tu = fu = 0;
        }
        if (rng() % 8 == 0)  // zeros at both ends, as many as a link or the command line holds
            t = std::string(rng() % 2100, '0') + t + (t.find('.') == std::string::npos ? "." : "") +
                std::string(rng() % 2100, '0');
        SCOPED_TRACE(t + " " + std::to_string(tu) + " " + f + " " + std::to_string(fu));
        const auto [q, expected] = Exact(t, tu, f, fu);
        const CycleCount n = ComputeCycleCount(t, TimeUnitAt(tu), f, fu);
        ASSERT_EQ(std::pair(n.outcome, n.cycles), std::pair(expected.outcome, expected.cycles));
        // An actual-time line exactly for the rounded counts.
        ASSERT_EQ(!!ExactActualTime(t, *TimeUnitAt(tu), f, fu, n.cycles),
                  n.cycles && q != std::to_string(n.cycles));
        const double old = OldDoubleQuotient(ReadDecimalText(t), tu, ReadDecimalText(f), fu);
        if (old >= 1.0 && old < 0x1p53 && Exact(base::FormatFixed(old, 60), 0, "4", 0).first == q) {
            ++sameAsDoubles;
            EXPECT_EQ(n.cycles, static_cast<std::int64_t>(std::nearbyint(old)));
        }
    }
    EXPECT_GT(sameAsDoubles, 5000);
}

}  // namespace
