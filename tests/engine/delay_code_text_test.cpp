// The text of a plan for each family, jump style and access mode, byte for byte.
#include <gtest/gtest.h>

#include <initializer_list>

#include "engine/delay_code_text.h"
#include "engine/plan_delay.h"
#include "shared_texts.h"

namespace {

LoopPlan Plan(std::int64_t delay, std::initializer_list<int> counts, int tail, int extraNop,
              int wdt) {
    LoopPlan p;
    p.delayCycles = delay;
    p.registerCount = static_cast<int>(counts.size());
    int k = 1;
    for (int c : counts)
        p.counts[k++] = static_cast<std::uint8_t>(c);
    p.tailNops = tail;
    p.extraNop = extraNop;
    p.clearWatchdog = wdt;
    return p;
}

const Profile kPic16 = MakeProfile("Default PIC10, PIC12, PIC16", "$", kFamilyPic16);
const Profile kPic18 = MakeProfile("Default PIC18", "$", kFamilyPic18);

TEST(DelayCodeText, OneRegisterRelative) {
    EXPECT_EQ(DelayCodeText(Plan(10, {3}, 0, 0, 0), kPic16, kTexts, nullptr),
              Lines({"; Задержка 10 машинных циклов", "            movlw       .3",
                     "            movwf       Reg_1", "            decfsz      Reg_1,F",
                     "            goto        $-1"}));
    EXPECT_EQ(DelayCodeText(Plan(5, {1}, 0, 0, 1), kPic16, kTexts, nullptr),
              Lines({"; Задержка 5 машинных циклов", "            movlw       .1",
                     "            movwf       Reg_1", "            decfsz      Reg_1,F",
                     "            goto        $-1", "            clrwdt"}));
}

TEST(DelayCodeText, CalculatorLinesFollowTheHeader) {
    LoopPlan p = Plan(10, {3}, 0, 0, 0);
    p.fromCalculator = true;
    const CalculatorLines calc{"10", TimeUnit::Microseconds, "4", 0};
    EXPECT_EQ(DelayCodeText(p, kPic16, kTexts, &calc),
              Lines({"; Задержка 10 машинных циклов", "; Длительность задержки 10 микросекунд",
                     "; Частота задающего генератора 4 МГц", "", "            movlw       .3",
                     "            movwf       Reg_1", "            decfsz      Reg_1,F",
                     "            goto        $-1"}));
    // Typed in cycles: no calculator lines even when the field texts are at hand.
    p.fromCalculator = false;
    EXPECT_EQ(DelayCodeText(p, kPic16, kTexts, &calc).find("Длительность"), std::string::npos);
}

TEST(DelayCodeText, UnitWordsAndUnitsOutsideTheTable) {
    const CalculatorLines calc{"1.5", TimeUnit::Days, "32.768", 1};
    EXPECT_EQ(AppendCalculatorLines("H\r\n", calc, kTexts),
              Lines({"H", "; Длительность задержки 1.5 суток",
                     "; Частота задающего генератора 32.768 кГц", ""}));
    const CalculatorLines odd{"7", std::nullopt, "8", 3};
    EXPECT_EQ(AppendCalculatorLines("", odd, kTexts, "\n"),
              "; Длительность задержки 7\n; Частота задающего генератора 8\n\n");
}

TEST(DelayCodeText, Pic18WatchdogExtraNopAndDottedDistance) {
    EXPECT_EQ(DelayCodeText(Plan(1548, {0, 2}, 1, 1, 1), kPic18, kTexts, nullptr),
              Lines({"; Задержка 1 548 машинных циклов", "            movlw       .0",
                     "            movwf       Reg_1", "            movlw       .2",
                     "            movwf       Reg_2", "            decfsz      Reg_1",
                     "            bra         $-2", "            clrwdt", "            nop",
                     "            decfsz      Reg_2", "            bra         $-.10",
                     "            nop"}));
}

TEST(DelayCodeText, LabelWithBankedRegisterInBothFamilies) {
    Profile p18 = MakeProfile("MP18", "MP", kFamilyPic18);
    p18.RegType[0] = kBanked;
    const LoopPlan plan = Plan(1546, {0, 2}, 1, 1, 0);
    EXPECT_EQ(
        DelayCodeText(plan, p18, kTexts, nullptr),
        Lines({"; Задержка 1 546 машинных циклов", "            movlw       .0",
               "            movwf       Reg_1,1", "            movlw       .2",
               "            movwf       Reg_2", "MP          decfsz      Reg_1,F,1",
               "            bra         MP", "            nop", "            decfsz      Reg_2",
               "            bra         MP", "            nop"}));
    Profile p16 = p18;
    p16.TypePIC = kFamilyPic16;  // access modes mean nothing here
    EXPECT_EQ(
        DelayCodeText(plan, p16, kTexts, nullptr),
        Lines({"; Задержка 1 546 машинных циклов", "            movlw       .0",
               "            movwf       Reg_1", "            movlw       .2",
               "            movwf       Reg_2", "MP          decfsz      Reg_1,F",
               "            goto        MP", "            nop", "            decfsz      Reg_2,F",
               "            goto        MP", "            nop"}));
}

TEST(DelayCodeText, ThreeRegistersBothVariantsFromTheSolver) {
    LoopPlan wdt = *PlanDelay(200000, Variant::Watchdog);
    EXPECT_EQ(
        DelayCodeText(wdt, kPic18, kTexts, nullptr),
        Lines({"; Задержка 200 000 машинных циклов", "            movlw       .99",
               "            movwf       Reg_1", "            movlw       .4",
               "            movwf       Reg_2", "            movlw       .2",
               "            movwf       Reg_3", "            decfsz      Reg_1",
               "            bra         $-2", "            clrwdt", "            decfsz      Reg_2",
               "            bra         $-8", "            decfsz      Reg_3",
               "            bra         $-.12", "            nop", "            nop"}));
    LoopPlan plain = *PlanDelay(200000, Variant::Plain);
    EXPECT_EQ(DelayCodeText(plain, kPic16, kTexts, nullptr),
              Lines({"; Задержка 200 000 машинных циклов", "            movlw       .186",
                     "            movwf       Reg_1", "            movlw       .4",
                     "            movwf       Reg_2", "            movlw       .2",
                     "            movwf       Reg_3", "            decfsz      Reg_1,F",
                     "            goto        $-1", "            decfsz      Reg_2,F",
                     "            goto        $-3", "            decfsz      Reg_3,F",
                     "            goto        $-5", "            nop"}));
}

TEST(DelayCodeText, ExtraNopStandsBeforeTheOutermostDecrement) {
    // Four registers: the nop follows the jump of register 3, and shifts the last distance.
    const std::string text = DelayCodeText(Plan(1, {1, 1, 1, 1}, 0, 1, 0), kPic16, kTexts, nullptr);
    EXPECT_NE(text.find("goto        $-5\r\n            nop\r\n            decfsz      Reg_4,F\r\n"
                        "            goto        $-8\r\n"),
              std::string::npos)
        << text;
    const std::string pic18 =
        DelayCodeText(Plan(1, {1, 1, 1, 1}, 0, 1, 0), kPic18, kTexts, nullptr);
    EXPECT_NE(pic18.find("bra         $-.10\r\n            nop\r\n            decfsz      Reg_4\r\n"
                         "            bra         $-.16\r\n"),
              std::string::npos)
        << pic18;
}

TEST(DelayCodeText, LabelFieldWidth) {
    const LoopPlan plan = Plan(10, {3}, 0, 0, 0);
    struct Case {
        std::string label, head;
    } cases[] = {
        {"L", "L           decfsz      Reg_1,F"},
        {"ABCDEFGHIJK", "ABCDEFGHIJK decfsz      Reg_1,F"},
        {"ABCDEFGHIJKL", "ABCDEFGHIJKL decfsz      Reg_1,F"},
        {"ABCDEFGHIJKLMNOP", "ABCDEFGHIJKLMNOP decfsz      Reg_1,F"},
        {"$$", "$$          decfsz      Reg_1,F"},
        {"$ ", "$           decfsz      Reg_1,F"},
    };
    for (const Case& c : cases) {
        const std::string text =
            DelayCodeText(plan, MakeProfile("x", c.label, kFamilyPic16), kTexts, nullptr);
        EXPECT_NE(text.find("\r\n" + c.head + "\r\n"), std::string::npos) << text;
        EXPECT_NE(text.find("goto        " + c.label + "\r\n"), std::string::npos) << text;
    }
}

TEST(DelayCodeText, LineEndsAreTheCallersChoice) {
    const std::string text = DelayCodeText(Plan(10, {3}, 0, 0, 0), kPic16, kTexts, nullptr, "\n");
    EXPECT_EQ(text.find('\r'), std::string::npos);
    EXPECT_EQ(text.back(), '\n');
}

TEST(GroupDigits, GroupsOfThree) {
    EXPECT_EQ(GroupDigits(4), "4");
    EXPECT_EQ(GroupDigits(999), "999");
    EXPECT_EQ(GroupDigits(1000), "1 000");
    EXPECT_EQ(GroupDigits(1548), "1 548");
    EXPECT_EQ(GroupDigits(200000), "200 000");
    EXPECT_EQ(GroupDigits(9223372036854775800), "9 223 372 036 854 775 800");
    EXPECT_EQ(GroupDigits(-1234), "-1 234");
}

}  // namespace
