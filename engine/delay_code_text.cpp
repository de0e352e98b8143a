#include "engine/delay_code_text.h"

#include <algorithm>
#include <charconv>

namespace {

constexpr std::string_view kBlankField = "            ";  // 12 blanks: an empty label field

void AppendNumber(std::string& out, std::int64_t value) {
    char buf[24];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    out.append(buf, end);
}

const std::string& TimeUnitText(const MessageTexts& texts, std::optional<TimeUnit> unit) {
    static const std::string kNone;
    if (!unit)
        return kNone;
    return texts[static_cast<Msg>(static_cast<int>(Msg::microsecond) + TimeUnitPosition(unit))];
}

const std::string& FrequencyUnitText(const MessageTexts& texts, int index) {
    static const std::string kNone;
    if (index < 0 || index > 2)
        return kNone;
    return texts[static_cast<Msg>(static_cast<int>(Msg::MHZ) + index)];
}

// Spelling of one profile, derived once per text: its family, jump style and syntax.
class Spelling {
  public:
    Spelling(const Profile& p, std::string_view lineEnd)
        : p_(p),
          pic18_(p.TypePIC == kFamilyPic18),
          relative_(p.Label == "$"),
          current_(p.Syntax == kSyntaxCurrent),
          step_(pic18_ ? 2 : 1),
          end_(lineEnd) {}

    void Load(std::string& out, int k, std::uint8_t value) const {
        out += kBlankField;
        out += current_ ? "movlw       " : "movlw       .";
        AppendNumber(out, value);
        out += end_;
        Store(out, k);
    }

    void Store(std::string& out, int k) const {
        out += kBlankField;
        out += "movwf       ";
        out += p_.Reg[k - 1];
        if (current_) {
            if (pic18_)
                out += Banked(k) ? ",b" : ",c";
        } else if (pic18_ && Banked(k)) {
            out += ",1";
        }
        out += end_;
    }

    void LoopHead(std::string& out) const {
        if (relative_) {
            out += kBlankField;
        } else {
            out += p_.Label;
            std::size_t n = p_.Label.size();
            if (current_) {
                out += ':';
                ++n;
            }
            out.append(n < 12 ? 12 - n : 1, ' ');
        }
        out += "decfsz      ";
        DecrementOperand(out, 1);
    }

    void Decrement(std::string& out, int k) const {
        out += kBlankField;
        out += "decfsz      ";
        DecrementOperand(out, k);
    }

    // Jumps back to the loop head; `distance` is in address units, used in relative mode.
    void Jump(std::string& out, int distance) const { Jump(out, distance, relative_); }

    void Jump(std::string& out, int distance, bool relative) const {
        out += kBlankField;
        out += pic18_ ? "bra " : "goto";
        out += "        ";
        if (relative) {
            out += "$-";
            // Classic text reads bare numbers as hexadecimal; 1..9 mean the same either way.
            if (distance >= 10 && !current_)
                out += '.';
            AppendNumber(out, distance);
        } else {
            out += p_.Label;
        }
        out += end_;
    }

    void Line(std::string& out, std::string_view mnemonic) const {
        out += kBlankField;
        out += mnemonic;
        out += end_;
    }

    int step() const { return step_; }

  private:
    bool Banked(int k) const { return p_.RegType[k - 1] == kBanked; }

    void DecrementOperand(std::string& out, int k) const {
        out += p_.Reg[k - 1];
        if (current_) {
            out += ",f";
            if (pic18_)
                out += Banked(k) ? ",b" : ",c";
        } else if (!pic18_) {
            out += ",F";
        } else if (Banked(k)) {
            out += ",F,1";
        }
        out += end_;
    }

    const Profile& p_;
    bool pic18_;
    bool relative_;
    bool current_;
    int step_;
    std::string_view end_;
};

}  // namespace

std::string GroupDigits(std::int64_t value) {
    char digits[24];
    auto [end, ec] = std::to_chars(digits, digits + sizeof digits, value);
    const std::size_t n = static_cast<std::size_t>(end - digits);
    std::string out;
    out.reserve(n + n / 3);
    for (std::size_t i = 1; i <= n; ++i) {
        out += digits[i - 1];
        if ((n - i) % 3 == 0 && i < n)
            out += ' ';
    }
    return out;
}

std::string AppendCalculatorLines(const std::string& header, const CalculatorLines& calc,
                                  const MessageTexts& texts, std::string_view lineEnd) {
    std::string out = header;
    out += texts[Msg::Delay_Size];
    out += calc.timeText;
    out += TimeUnitText(texts, calc.timeUnit);
    out += lineEnd;
    if (calc.actual) {
        out += texts[Msg::Actual_Time];
        out += calc.actual->time;
        out += TimeUnitText(texts, calc.timeUnit);
        out += texts[Msg::Time_Error];
        out += calc.actual->errorPercent;
        out += '%';
        out += lineEnd;
    }
    out += texts[Msg::Frequency_Oscillator];
    out += calc.frequencyText;
    out += FrequencyUnitText(texts, calc.frequencyUnit);
    out += lineEnd;
    out += lineEnd;
    return out;
}

std::string DelayHeaderLine(std::int64_t cycles, const MessageTexts& texts,
                            std::string_view lineEnd) {
    std::string out = texts[Msg::Delay];
    out += GroupDigits(cycles);
    out += texts[Msg::machine_cycles];
    out += lineEnd;
    return out;
}

void AppendDelayInstructions(std::string& out, const LoopPlan& plan, const Profile& profile,
                             std::string_view lineEnd) {
    const Spelling sp(profile, lineEnd);
    // The solvers give 1..8; anything else must still not reach past the eight names.
    const int L = std::clamp(plan.registerCount, 1, 8);
    const bool extraNop = plan.extraNop;

    for (int k = 1; k <= L; ++k)
        sp.Load(out, k, plan.counts[k]);
    sp.LoopHead(out);

    int distance = sp.step();
    sp.Jump(out, distance);
    distance += 2 * sp.step();
    if (plan.clearWatchdog) {
        sp.Line(out, "clrwdt");
        distance += sp.step();
    }
    if (L == 2 && extraNop) {
        sp.Line(out, "nop");
        distance += sp.step();
    }
    for (int k = 2; k <= L; ++k) {
        sp.Decrement(out, k);
        sp.Jump(out, distance);
        distance += 2 * sp.step();
        if (extraNop && k == L - 1) {
            sp.Line(out, "nop");
            distance += sp.step();
        }
    }
    for (int i = 0; i < plan.tailNops; ++i)
        sp.Line(out, "nop");
}

int DelayInstructionWords(const LoopPlan& plan) {
    const int L = std::clamp(plan.registerCount, 1, 8);
    return 4 * L + (plan.clearWatchdog ? 1 : 0) + (plan.extraNop ? 1 : 0) + plan.tailNops;
}

void AppendStoreW(std::string& out, const Profile& profile, int k, std::string_view lineEnd) {
    Spelling(profile, lineEnd).Store(out, k);
}

void AppendCountDownBack(std::string& out, const Profile& profile, int k, int words,
                         std::string_view lineEnd) {
    const Spelling sp(profile, lineEnd);
    sp.Decrement(out, k);
    sp.Jump(out, (words + 1) * sp.step(), true);
}

std::string DelayCodeText(const LoopPlan& plan, const Profile& profile, const MessageTexts& texts,
                          const CalculatorLines* calc, std::string_view lineEnd) {
    std::string out = DelayHeaderLine(plan.delayCycles, texts, lineEnd);
    out.reserve(160 + 70 * std::clamp(plan.registerCount, 1, 8) + 16 * plan.tailNops);
    if (plan.fromCalculator && calc != nullptr) {
        out = AppendCalculatorLines(out, *calc, texts, lineEnd);
    }
    AppendDelayInstructions(out, plan, profile, lineEnd);
    return out;
}
