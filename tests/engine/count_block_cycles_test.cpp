// The interpreter runs the generated text itself; it shares nothing with the solver's cycle
// identity, so agreement checks the solver, the writer and the identity at once.
#include <gtest/gtest.h>

#include <chrono>
#include <random>

#include "engine/count_block_cycles.h"
#include "engine/delay_code_text.h"
#include "engine/delay_subroutine.h"
#include "engine/plan_delay.h"
#include "shared_texts.h"

namespace {

std::vector<Profile> InterpretedProfiles() {
    Profile banked = MakeProfile("banked", "Loop", kFamilyPic18);
    for (int k = 0; k < 8; k += 2)
        banked.RegType[k] = kBanked;
    return {MakeProfile("p16 relative", "$", kFamilyPic16),
            MakeProfile("p16 label", "VeryLongLabelName", kFamilyPic16),
            MakeProfile("p18 relative", "$", kFamilyPic18), banked};
}

// The same four spelled for the current assembler.
std::vector<Profile> CurrentProfiles() {
    std::vector<Profile> out = InterpretedProfiles();
    for (Profile& p : out) {
        p.Name += " current";
        p.Syntax = kSyntaxCurrent;
    }
    return out;
}

CountOptions Decimal() {
    CountOptions o;
    o.radix = kCurrentRadix;
    return o;
}

// Every delay inline in both syntaxes, and as the body of a subroutine called with d + 4:
// the subroutine's run ends on its return, and with the call it takes the requested count.
class Agreement {
  public:
    void Check(std::int64_t d, Variant v) {
        const auto plan = PlanDelay(d, v);
        ASSERT_TRUE(plan.has_value()) << d;
        for (const Profile& p : profiles_)
            Expect(CountTextCycles(DelayCodeText(*plan, p, kTexts, nullptr)), d, p, false);
        for (const Profile& p : current_)
            Expect(CountTextCycles(DelayCodeText(*plan, p, kTexts, nullptr), Decimal()), d, p,
                   false);
        const auto body = PlanSubroutine(d + 4, v);
        ASSERT_TRUE(body.has_value()) << d;
        for (const Profile& p : {profiles_[1], profiles_[2], current_[0], current_[3]}) {
            const std::string text =
                DelaySubroutineText(*body, p, "Delay", kTexts, "; with call and return", nullptr);
            // Current text read through its "radix dec" line, as gpasm reads it.
            const BlockCycles run = p.Syntax == kSyntaxCurrent
                                        ? CountTextCycles("        radix dec\r\n" + text)
                                        : CountTextCycles(text);
            Expect(run, d + 4 - kCallCycles, p, true);
        }
    }
    ~Agreement() { EXPECT_EQ(failures_, 0); }

  private:
    void Expect(const BlockCycles& run, std::int64_t want, const Profile& p, bool subroutine) {
        if (run.ok && run.cycles == want && run.returned == subroutine)
            return;
        if (++failures_ <= 5) {
            ADD_FAILURE() << want << " on " << p.Name << (subroutine ? " subroutine" : "") << ": "
                          << run.cycles << " " << run.error << " line " << run.errorLine;
        }
    }

    std::vector<Profile> profiles_ = InterpretedProfiles();
    std::vector<Profile> current_ = CurrentProfiles();
    int failures_ = 0;
};

TEST(Interpreter, AgreesWithEverySmallDelay) {
    Agreement a;
    for (Variant v : {Variant::Plain, Variant::Watchdog}) {
        for (std::int64_t d = SmallestDelay(v); d <= 4000; ++d)
            a.Check(d, v);
    }
}

TEST(Interpreter, AgreesAroundMultiplesOfTheWeightsAndTheShortRemainders) {
    Agreement a;
    for (Variant v : {Variant::Plain, Variant::Watchdog}) {
        const auto w = LoopWeights(v);
        for (int k = 2; k <= 8; ++k) {
            for (std::int64_t m : {1, 2, 3, 17, 128, 255, 256}) {
                if (m > (kLargestDelay - 8) / w[k])
                    continue;
                for (std::int64_t d = m * w[k] - 8; d <= m * w[k] + 8; ++d)
                    a.Check(d, v);
            }
        }
        for (std::int64_t d = 394240; d <= 394770; ++d)
            a.Check(d, v);
        for (std::int64_t d = 100926460; d <= 100926490; ++d)
            a.Check(d, v);
        a.Check(kLargestDelay, v);
    }
}

TEST(Interpreter, AgreesOnRandomDelaysOverTheWholeRange) {
    Agreement a;
    std::mt19937_64 rng(7);
    for (Variant v : {Variant::Plain, Variant::Watchdog}) {
        std::uniform_int_distribution<std::int64_t> whole(SmallestDelay(v), kLargestDelay);
        std::uniform_real_distribution<double> exponent(1.7, 43.6);
        for (int i = 0; i < 300; ++i) {
            a.Check(whole(rng), v);
            a.Check(static_cast<std::int64_t>(std::exp(exponent(rng))), v);
        }
    }
}

TEST(Interpreter, LargestDelayWellUnderASecond) {
    for (Variant v : {Variant::Plain, Variant::Watchdog}) {
        const std::string text =
            DelayCodeText(*PlanDelay(kLargestDelay, v), InterpretedProfiles()[3], kTexts, nullptr);
        const auto start = std::chrono::steady_clock::now();
        const BlockCycles run = CountTextCycles(text);
        const auto took = std::chrono::steady_clock::now() - start;
        EXPECT_TRUE(run.ok) << run.error;
        EXPECT_EQ(run.cycles, kLargestDelay);
        EXPECT_LT(took, std::chrono::milliseconds(300));
    }
}

// Random small programs: with and without skipping whole passes the count must be the same.
std::string RandomProgram(std::mt19937& rng) {
    const char* regs[] = {"A", "B", "C"};
    std::string text;
    for (const char* r : regs) {
        text += "  movlw ." + std::to_string(1 + rng() % 4) + "\n  movwf " + r + "\n";
    }
    const int body = 3 + static_cast<int>(rng() % 8);
    int labels = 0;
    for (int i = 0; i < body; ++i) {
        const std::string label = "L" + std::to_string(i);
        text += label;
        ++labels;
        switch (rng() % 8) {
            case 0:
            case 1:  // a countdown that jumps back: the shape of every generated loop
                text += " decfsz " + std::string(regs[rng() % 3]) + ",F\n  goto L" +
                        std::to_string(rng() % labels) + "\n";
                break;
            case 7:
                text += " decfsz " + std::string(regs[rng() % 3]) + ",F\n";
                break;
            case 2:
                text += " decfsz " + std::string(regs[rng() % 3]) + ",W\n";
                break;
            case 3:
                text += " goto L" + std::to_string(rng() % labels) + "\n";
                break;
            case 4:
                text += " movwf " + std::string(regs[rng() % 3]) + "\n";
                break;
            case 5:
                text += " movlw ." + std::to_string(1 + rng() % 3) + "\n";
                break;
            default:
                text += " nop\n";
                break;
        }
    }
    return text;
}

TEST(Interpreter, SkippingPassesNeverChangesTheCount) {
    std::mt19937 rng(11);
    int compared = 0, skippedSomething = 0;
    for (int i = 0; i < 4000; ++i) {
        const std::string text = RandomProgram(rng);
        const BlockCycles stepped = CountTextCycles(text, {false, 100000});
        if (!stepped.ok)
            continue;  // endless, or too long to step here
        const BlockCycles fast = CountTextCycles(text);
        ASSERT_TRUE(fast.ok) << text << fast.error;
        ASSERT_EQ(fast.cycles, stepped.cycles) << text;
        ++compared;
        if (fast.cycles > 200)
            ++skippedSomething;
    }
    EXPECT_GT(compared, 1000);
    EXPECT_GT(skippedSomething, 100);
}

TEST(Interpreter, ReadsTheFormsItDoesNotWriteItself) {
    struct Case {
        const char* text;
        std::int64_t cycles;
    } cases[] = {
        // Bare numbers are hexadecimal: 0x10 passes.
        {"  movlw 10\n  movwf R\nL decfsz R,F\n  goto L\n", 2 + 3 * 16 - 1},
        {"  movlw d'16'\n  movwf R\nL: decfsz R,f\n  goto L\n", 2 + 3 * 16 - 1},
        {"  MOVLW 0x10\n  MOVWF R\n\nL\n  DECFSZ R , F ; count down\n  GOTO L\n", 2 + 3 * 16 - 1},
        // A PIC18 goto takes two words: skipping it costs 3 cycles, "$-6" lands on a decfsz.
        {"  movlw .2\n  movwf R\n  bra $+2\n  decfsz R,F,0\n  goto $-2\n", 2 + 2 + 1 + 2 + 3},
        // Decrement into W leaves the register alone: a pass that counts nothing, once.
        {"  movlw .1\n  movwf R\n  decfsz R,W\n  nop\n", 2 + 2},
        {"  movlw .0\n  movwf R\nL decfsz R\n  bra L\n", 2 + 3 * 256 - 1},
        // From a radix line on, bare numbers are decimal, and suffixed forms are read.
        {"  movlw 10\n  radix dec\n  movlw 16\n  movwf R\nL: decfsz R,f,c\n  bra $-2\n",
         3 + 3 * 16 - 1},
        {"  radix dec\n  movlw 10h\n  movwf R\n  decfsz R,f,b\n  bra $-2\n", 2 + 3 * 16 - 1},
        {"  radix dec\n  movlw 16d\n  movwf R\n  decfsz R,f\n  goto $-1\n", 2 + 3 * 16 - 1},
        {"  radix dec\n  movlw 101b\n  movwf R\n  decfsz R,f\n  goto $-1\n", 2 + 3 * 5 - 1},
        // A subroutine: its label on a line of its own, and nothing after the return runs.
        {"Delay:\n  movlw .3\n  movwf R\n  decfsz R,F\n  goto $-1\n  return\n  nop\n",
         2 + 3 * 3 - 1 + 2},
    };
    for (const Case& c : cases) {
        const BlockCycles run = CountTextCycles(c.text);
        EXPECT_TRUE(run.ok) << c.text << run.error;
        EXPECT_EQ(run.cycles, c.cycles) << c.text;
    }
}

TEST(Interpreter, FaultsComeWithTheirLine) {
    struct Case {
        const char* text;
        int line;
        const char* words;
    } cases[] = {
        {"; header\n  movlw .1\n  addwf R,F\n", 3, "unknown instruction"},
        {"  movlw .300\n", 1, "movlw"},
        {"  movlw .1\n  movwf R\n  goto Nowhere\n", 3, "unknown label"},
        {"  nop\n  bra $-3\n", 2, "not an instruction"},
        {"  nop\n  goto $-5\n", 2, "not an instruction"},
        {"  nop\n  decfsz R,F\n", 2, "read before it is loaded"},
        {"  movwf R\n", 1, "W is stored"},
        {"  movlw .1\nHere goto Here\n", 2, "never ends"},
        {"L nop\nL nop\n", 2, "twice"},
        {"  nop x\n", 1, "no operand"},
        {"  decfsz R,X\n", 1, "decfsz"},
        {"  nop\n  radix bin\n", 2, "radix"},
        {"  return .1\n", 1, "no operand"},
        {"; only a comment\n", 0, "no instruction"},
    };
    for (const Case& c : cases) {
        const BlockCycles run = CountTextCycles(c.text);
        EXPECT_FALSE(run.ok) << c.text;
        EXPECT_EQ(run.errorLine, c.line) << c.text;
        EXPECT_NE(run.error.find(c.words), std::string::npos) << c.text << ": " << run.error;
    }
}

TEST(Interpreter, CountsBeyondSixtyFourBitsAreRefused) {
    std::string text;
    for (int k = 1; k <= 9; ++k)
        text += "  movlw .0\n  movwf R" + std::to_string(k) + "\n";
    text += "L decfsz R1,F\n  goto L\n";
    for (int k = 2; k <= 9; ++k)
        text += "  decfsz R" + std::to_string(k) + ",F\n  goto L\n";
    const BlockCycles run = CountTextCycles(text);
    EXPECT_FALSE(run.ok);
    EXPECT_NE(run.error.find("64 bits"), std::string::npos) << run.error;
}

// A block that names 20,000 registers and whose loops change two counters per pass (no pass
// can be skipped): each step must cost the same as with a handful of registers, so that the
// step limit is reached in a moment rather than in most of an hour.
TEST(Interpreter, AStepCostsTheSameHoweverManyRegistersTheBlockNames) {
    std::string text = "  movlw .255\n";
    for (int r = 0; r < 20000; ++r)
        text += "  movwf R" + std::to_string(r) + "\n";
    text += "L1\n";
    for (int k = 0; k < 4; ++k) {
        text += "  decfsz R" + std::to_string(2 * k) + ",F\n  nop\n  decfsz R" +
                std::to_string(2 * k + 1) + ",F\n  goto L1\n";
    }
    const auto start = std::chrono::steady_clock::now();
    const BlockCycles run = CountTextCycles(text, {true, 20000000});
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_EQ(run.error, "too many steps to count");
}

}  // namespace
