// The actual time of a rounded calculator count. The expected texts were worked out with exact
// fractions (12 significant digits of N * 4 / F, the error (N - Q) / Q in per cent to 3), not
// with this program's arithmetic; the count is the calculator's own.
#include <gtest/gtest.h>

#include "engine/cycle_count.h"
#include "engine/delay_answer.h"
#include "engine/plan_json.h"
#include "shared_texts.h"

namespace {

const Profile kTimedProfile = MakeProfile("p", "$", kFamilyPic16);

struct TimeCase {
    const char* time;
    int timeUnit;
    const char* frequency;
    int frequencyUnit;
    std::int64_t cycles;
    const char* actual;  // "" when the count is exact
    const char* error;
};

const TimeCase kTimeCases[] = {
    {"100", 1, "32.768", 1, 819, "99.9755859375", "-0.0244"},
    {"1", 1, "32.768", 1, 8, "0.9765625", "-2.34"},
    {"1", 2, "32.768", 1, 8192, "", ""},
    {"1.3", 2, "32.768", 1, 10650, "1.30004882813", "+0.00376"},
    {"7", 3, "32.768", 1, 3440640, "", ""},
    {"2.5", 4, "32.768", 1, 73728000, "", ""},
    {"0.3", 5, "32.768", 1, 212336640, "", ""},
    {"10", 0, "3.579545", 0, 9, "10.0571441342", "+0.571"},
    {"1", 1, "3.579545", 0, 895, "1.00012711113", "+0.0127"},
    {"1", 2, "3.579545", 0, 894886, "0.999999720635", "-0.0000279"},
    {"1", 3, "3.579545", 0, 53693175, "", ""},
    {"1", 4, "3.579545", 0, 3221590500, "", ""},
    {"1.0000001", 5, "3.579545", 0, 77318179732, "1.0000001", "+0.000000000236"},
    // Doubles made this 28 cycles too many; the exact count is the time to the cycle.
    {"1234567.891", 5, "3.579545", 0, 95454532542015252, "", ""},
    {"3579.545", 1, "3579545", 2, 3203286, "3579.54544502", "+0.0000124"},
    {"1.1", 0, "20", 0, 6, "1.2", "+9.09"},
    {"0.33", 0, "20", 0, 2, "0.4", "+21.2"},
    {"3.33", 1, "20", 0, 16650, "", ""},
    {"0.123456789", 2, "20", 0, 617284, "0.1234568", "+0.00000891"},
    {"1.23456789123", 4, "20", 0, 22222222042, "1.23456789122", "-0.00000000063"},
    {"0.0000001", 5, "20000", 1, 43200, "", ""},
    {"1e2", 1, "20", 0, 500000, "", ""},
    {"25e-1", 0, "4", 0, 2, "2", "-20"},
    // Beyond what doubles hold, and beyond 40 digits.
    {"9072", 4, "1034.4", 0, 8445669120000000, "", ""},
    {"9223372036854775000", 0, "4", 0, 9223372036854775000, "", ""},
    {"0000000000000000000000000000000000000000010", 0, "3", 0, 8, "10.6666666667", "+6.67"},
};

TEST(ActualTime, MatchesExactFractions) {
    for (const TimeCase& c : kTimeCases) {
        SCOPED_TRACE(std::string(c.time) + " " + c.frequency);
        const TimeUnit unit = *TimeUnitAt(c.timeUnit);
        const CycleCount n = ComputeCycleCount(c.time, unit, c.frequency, c.frequencyUnit);
        ASSERT_EQ(n.cycles, c.cycles);
        const auto a = ExactActualTime(c.time, unit, c.frequency, c.frequencyUnit, n.cycles);
        EXPECT_EQ(a.has_value(), *c.actual != '\0');
        if (a) {
            EXPECT_EQ(a->time, c.actual);
            EXPECT_EQ(a->errorPercent, c.error);
        }
    }
}

// The line stands after the time line, in the language's words; --plan carries the same.
TEST(ActualTime, HeaderLineAndPlan) {
    DelayRequest request;
    request.calculator = CalculatorLines{"100", TimeUnit::Milliseconds, "32.768", 1};
    const DelayAnswer answer = AnswerDelay(request, &kTimedProfile, kTexts, {});
    EXPECT_EQ(answer.code.substr(0, answer.code.find("\r\n\r\n") + 4),
              Lines({"; Задержка 819 машинных циклов", "; Длительность задержки 100 миллисекунд",
                     "; Фактическая длительность 99.9755859375 миллисекунд, погрешность -0.0244%",
                     "; Частота задающего генератора 32.768 кГц", ""}));
    std::string json;
    AppendFormPlanJson(json, *answer.plan, DelayForm::Block, &*answer.actualTime);
    EXPECT_NE(json.find(R"("actualTime":99.9755859375,"timeUnit":"ms","errorPercent":-0.0244})"),
              std::string::npos);
    request.calculator = CalculatorLines{"1", TimeUnit::Seconds, "32.768", 1};
    EXPECT_EQ(AnswerDelay(request, &kTimedProfile, kTexts, {}).code.find("Фактическая"),
              std::string::npos);
}

}  // namespace
