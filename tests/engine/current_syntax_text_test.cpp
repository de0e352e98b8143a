// Text for the current Microchip assembler: a few texts byte for byte, then every line of a
// broad sample against an allow-list of that syntax.
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <random>
#include <regex>

#include "engine/delay_code_text.h"
#include "engine/delay_subroutine.h"
#include "engine/plan_delay.h"
#include "engine/register_declarations.h"
#include "engine/w_times_routine.h"
#include "shared_texts.h"

namespace {

constexpr std::string_view kCallLine = "; the call and the return included";

Profile Current(std::string label, int family) {
    Profile p = MakeProfile("current", std::move(label), family);
    p.Syntax = kSyntaxCurrent;
    return p;
}

TEST(CurrentSyntaxText, Pic18BankedRegisterWatchdogAndLongDistance) {
    Profile p = Current("$", kFamilyPic18);
    p.RegType[0] = kBanked;
    EXPECT_EQ(DelayCodeText(*PlanDelay(1548, Variant::Watchdog), p, kTexts, nullptr),
              Lines({"; Задержка 1 548 машинных циклов", "            movlw       0",
                     "            movwf       Reg_1,b", "            movlw       2",
                     "            movwf       Reg_2,c", "            decfsz      Reg_1,f,b",
                     "            bra         $-2", "            clrwdt", "            nop",
                     "            decfsz      Reg_2,f,c", "            bra         $-10",
                     "            nop"}));
}

TEST(SubroutineText, BothSyntaxes) {
    const LoopPlan body = *PlanSubroutine(14, Variant::Plain);
    EXPECT_EQ(body.delayCycles, 10);
    EXPECT_EQ(DelaySubroutineText(body, Current("$", kFamilyPic16), "Delay14", kTexts, kCallLine,
                                  nullptr),
              Lines({"; Задержка 14 машинных циклов", "; the call and the return included",
                     "Delay14:", "            movlw       3", "            movwf       Reg_1",
                     "            decfsz      Reg_1,f", "            goto        $-1",
                     "            return"}));
    EXPECT_EQ(DelaySubroutineText(body, MakeProfile("classic", "$", kFamilyPic18), "Delay14",
                                  kTexts, kCallLine, nullptr, "\n"),
              "; Задержка 14 машинных циклов\n; the call and the return included\nDelay14\n"
              "            movlw       .3\n            movwf       Reg_1\n"
              "            decfsz      Reg_1\n            bra         $-2\n"
              "            return\n");
}

TEST(SubroutineText, RangeCountsTheCallAndTheReturn) {
    for (Variant v : {Variant::Plain, Variant::Watchdog}) {
        const std::int64_t smallest = SmallestSubroutineDelay(v);
        EXPECT_EQ(smallest, v == Variant::Plain ? 8 : 9);
        EXPECT_FALSE(PlanSubroutine(smallest - 1, v));
        EXPECT_EQ(PlanSubroutine(smallest, v)->delayCycles, SmallestDelay(v));
        EXPECT_EQ(PlanSubroutine(LargestSubroutineDelay(v), v)->delayCycles, kLargestDelay);
        EXPECT_FALSE(PlanSubroutine(LargestSubroutineDelay(v) + 1, v));
    }
}

// The lines the current-syntax writer may produce, for one family.
class Grammar {
  public:
    explicit Grammar(bool pic18) {
        const std::string id = "[A-Za-z_][A-Za-z0-9_]*";
        const std::string access = pic18 ? ",[cb]" : "";
        const std::string jump = pic18 ? "bra " : "goto";
        code_ = {
            std::regex(" {12}movlw {7}(25[0-5]|2[0-4][0-9]|1[0-9][0-9]|[1-9]?[0-9])"),
            std::regex(" {12}movwf {7}" + id + access),
            std::regex(" {12}decfsz {6}" + id + ",f" + access),
            std::regex(" {12}" + jump + " {8}(\\$-[1-9][0-9]*|" + id + ")"),
            std::regex(" {12}(nop|clrwdt|return)"),
            std::regex(id + ":"),
            std::regex(std::string(" {12}PSECT {7}(code|") + (pic18 ? "udata_acs)" : "udata_shr)")),
            std::regex(id + ": +DS {10}1"),
        };
        head_ = std::regex("(" + id + ":)( +)decfsz {6}" + id + ",f" + access);
        classicOnly_ = std::regex(R"(\.[0-9]|,F|,W|ACCESS|BANKED|,[01]\b)");
    }

    // Empty when every line is allowed; otherwise the first line that is not.
    std::string FirstStrayLine(const std::string& text) const {
        std::size_t pos = 0;
        while (pos < text.size()) {
            const std::size_t end = text.find("\r\n", pos);
            if (end == std::string::npos)
                return "(no line end) " + text.substr(pos);
            std::string line = text.substr(pos, end - pos);
            pos = end + 2;
            if (line.empty() || line[0] == ';')
                continue;  // comments and the calculator's empty line
            if (std::regex_search(line, classicOnly_))
                return line;
            std::smatch m;
            if (std::regex_match(line, m, head_)) {
                // The label field is 12 wide with its colon; a longer label gets one blank.
                const std::size_t blanks = m[1].length() < 12 ? 12 - m[1].length() : 1;
                if (static_cast<std::size_t>(m[2].length()) != blanks)
                    return line;
                continue;
            }
            bool allowed = false;
            for (const std::regex& r : code_)
                allowed = allowed || std::regex_match(line, r);
            if (!allowed)
                return line;
        }
        return {};
    }

  private:
    std::vector<std::regex> code_;
    std::regex head_, classicOnly_;
};

TEST(CurrentSyntaxText, EveryLineOfABroadSampleIsInTheGrammar) {
    std::vector<std::int64_t> delays;
    for (std::int64_t d = 4; d <= 1600; ++d)
        delays.push_back(d);
    for (Variant v : {Variant::Plain, Variant::Watchdog}) {
        const auto w = LoopWeights(v);
        for (int k = 2; k <= 8; ++k) {
            for (std::int64_t d = w[k] - 4; d <= w[k] + 40; ++d)
                delays.push_back(d);
        }
    }
    std::mt19937_64 rng(3);
    std::uniform_real_distribution<double> exponent(1.7, 43.6);
    for (int i = 0; i < 300; ++i)
        delays.push_back(static_cast<std::int64_t>(std::exp(exponent(rng))));
    delays.push_back(kLargestDelay);

    const CalculatorLines calc{"1.5", TimeUnit::Seconds, "3.2768", 0};
    int texts = 0;
    for (int family : {kFamilyPic16, kFamilyPic18}) {
        const Grammar grammar(family == kFamilyPic18);
        std::vector<Profile> profiles;
        for (const char* label : {"$", "L", "abcdefghij", "abcdefghijk", "VeryLongLabelName"})
            profiles.push_back(Current(label, family));
        for (int k = 0; k < 8; k += 3)
            profiles.back().RegType[k] = kBanked;
        for (Variant v : {Variant::Plain, Variant::Watchdog}) {
            for (std::size_t i = 0; i < delays.size(); ++i) {
                auto plan = PlanDelay(delays[i], v);
                if (!plan)
                    continue;
                plan->fromCalculator = i % 7 == 0;
                const Profile& p = profiles[i % profiles.size()];
                for (const std::string& text :
                     {DelayCodeText(*plan, p, kTexts, &calc),
                      DelaySubroutineText(*plan, p, "Delay_1", kTexts, kCallLine, &calc),
                      plan->registerCount < 8
                          ? WTimesRoutineText(*plan, p, "Delay_1", kTexts, &calc)
                          : std::string(),
                      RegisterDeclarations(UsedRegisterNames(*plan, DelayForm::WTimes, p), p,
                                           {})}) {
                    ++texts;
                    const std::string stray = grammar.FirstStrayLine(text);
                    ASSERT_EQ(stray, "") << text;
                }
            }
        }
    }
    EXPECT_GT(texts, 20000);
}

}  // namespace
