// Both subroutine forms run on the interpreter across the whole range of their counts: the
// subroutine takes its count as called, the W-times routine n * U + 4 for every n tried.
#include <gtest/gtest.h>

#include <random>

#include "engine/count_block_cycles.h"
#include "engine/delay_answer.h"
#include "engine/delay_subroutine.h"
#include "engine/w_times_routine.h"
#include "shared_texts.h"

namespace {

std::vector<Profile> RoutineProfiles() {
    std::vector<Profile> out;
    for (int family : {kFamilyPic16, kFamilyPic18}) {
        for (const char* label : {"$", "Loop"}) {
            for (int syntax : {kSyntaxClassic, kSyntaxCurrent}) {
                Profile p = MakeProfile("p", label, family);
                p.Syntax = syntax;
                if (family == kFamilyPic18 && syntax == kSyntaxCurrent) {
                    for (int k = 0; k < 8; k += 3)
                        p.RegType[k] = kBanked;
                }
                out.push_back(p);
            }
        }
    }
    return out;
}

// Cycles from the start of the call to the instruction after it, or -1.
std::int64_t AsCalled(const std::string& text, const Profile& p, int w = -1) {
    CountOptions o;
    o.radix = p.Syntax == kSyntaxCurrent ? kCurrentRadix : kClassicRadix;
    o.enteringW = w;
    const BlockCycles run = CountTextCycles(text, o);
    return run.ok && run.returned ? run.cycles + kCallCycles : -1;
}

TEST(SubroutineForms, TakeTheirCountsOverTheWholeRange) {
    std::vector<std::int64_t> counts;
    for (std::int64_t u = 4; u <= 1600; ++u)
        counts.push_back(u);
    for (Variant v : {Variant::Plain, Variant::Watchdog}) {
        const auto w = LoopWeights(v);
        for (int k = 2; k <= 7; ++k) {
            for (std::int64_t d = w[k] - 3; d <= w[k] + 12; ++d)
                counts.push_back(d);
        }
    }
    std::mt19937_64 rng(19);
    std::uniform_real_distribution<double> exponent(2.0, 38.2);
    for (int i = 0; i < 400; ++i)
        counts.push_back(static_cast<std::int64_t>(std::exp(exponent(rng))));
    counts.push_back(LargestWTimesUnit(Variant::Plain));
    counts.push_back(LargestSubroutineDelay(Variant::Plain));

    const std::vector<Profile> profiles = RoutineProfiles();
    int failures = 0, checked = 0;
    auto expect = [&](std::int64_t got, std::int64_t want, const std::string& what) {
        ++checked;
        if (got != want && ++failures <= 5)
            ADD_FAILURE() << what << ": " << got << " instead of " << want;
    };
    for (Variant v : {Variant::Plain, Variant::Watchdog}) {
        for (std::size_t i = 0; i < counts.size(); ++i) {
            const std::int64_t c = counts[i];
            const Profile& p = profiles[i % profiles.size()];
            const std::string what = std::to_string(c) + " " + p.Label + " " +
                                     std::to_string(p.TypePIC) + std::to_string(p.Syntax);
            if (const auto body = PlanSubroutine(c, v)) {
                expect(AsCalled(DelaySubroutineText(*body, p, "D", kTexts, "; x", nullptr), p), c,
                       "subroutine " + what);
            }
            const auto unit = PlanWTimes(c, v);
            if (!unit)
                continue;
            const std::string text = WTimesRoutineText(*unit, p, "D", kTexts, nullptr);
            for (int n : {1, 2, 3, 128, 255, 256})
                expect(AsCalled(text, p, n & 0xFF), n * c + kWTimesOverhead, "w-times " + what);
            // Without a known W the routine cannot be counted.
            expect(AsCalled(text, p), -1, "w-times with W unknown " + what);
        }
    }
    EXPECT_EQ(failures, 0);
    EXPECT_GT(checked, 25000);
}

TEST(WTimesRoutine, RangeKeeps256UnitsInTheLargestDelay) {
    for (Variant v : {Variant::Plain, Variant::Watchdog}) {
        const std::int64_t smallest = SmallestWTimesUnit(v), largest = LargestWTimesUnit(v);
        EXPECT_EQ(smallest, v == Variant::Plain ? 7 : 8);
        EXPECT_FALSE(PlanWTimes(smallest - 1, v));
        EXPECT_EQ(PlanWTimes(smallest, v)->delayCycles, SmallestDelay(v));
        EXPECT_LE(256 * largest + kWTimesOverhead, kLargestDelay);
        EXPECT_GT(largest + 1, (kLargestDelay - kWTimesOverhead) / 256);
        EXPECT_LE(WTimesCounter(*PlanWTimes(largest, v)), 8);
        EXPECT_FALSE(PlanWTimes(largest + 1, v));
        const DelayAnswer a = AnswerCycles(smallest - 1, v, nullptr, nullptr, kTexts, true,
                                           kWindowLineEnd, {DelayForm::WTimes, "D"});
        ASSERT_TRUE(a.message);
        EXPECT_EQ(a.message->text, kTexts[Msg::Delay_Size_Range] + " " + std::to_string(smallest) +
                                       "...36.028.797.018.963.967");
    }
}

// What a routine's name and the profile's registers can refuse, in every form's answer.
TEST(WTimesRoutine, BadNamesAndTooFewRegistersGetMessagesNotCode) {
    Profile clash = MakeProfile("p", "Loop", kFamilyPic16);
    clash.Reg[2] = clash.Reg[0];  // the counter of a two-register nest would be Reg_1 again
    Profile current = MakeProfile("c", "$", kFamilyPic16);
    current.Syntax = kSyntaxCurrent;
    current.Reg[2] = "3rd";
    const Profile good = MakeProfile("g", "Loop", kFamilyPic16);
    const struct {
        DelayForm form;
        const char* name;
        const Profile* profile;
        std::string message;
    } cases[] = {
        {DelayForm::WTimes, "", &good, kTexts[Msg::No_Routine_Name]},
        {DelayForm::Subroutine, "", &good, kTexts[Msg::No_Routine_Name]},
        {DelayForm::WTimes, "Loop", &good, "\"Loop\"" + kTexts[Msg::Bad_Routine_Name]},
        {DelayForm::Subroutine, "Reg_8", &good, "\"Reg_8\"" + kTexts[Msg::Bad_Routine_Name]},
        {DelayForm::WTimes, "1ms", &good, "\"1ms\"" + kTexts[Msg::Bad_Routine_Name]},
        {DelayForm::WTimes, "D", &clash, kTexts[Msg::Few_Registers]},
        {DelayForm::WTimes, "D", &current, "\"3rd\"" + kTexts[Msg::Forbidden_Asm_Name]},
        {DelayForm::Subroutine, "D", &current, ""},
        {DelayForm::WTimes, "Delay_ms", &good, ""},
    };
    for (const auto& c : cases) {
        const DelayAnswer a = AnswerCycles(1000, Variant::Plain, nullptr, c.profile, kTexts, true,
                                           kWindowLineEnd, {c.form, c.name});
        EXPECT_EQ(a.message ? a.message->text : "", c.message) << c.name;
        EXPECT_EQ(a.code.empty(), !c.message.empty()) << c.name;
    }
}

}  // namespace
