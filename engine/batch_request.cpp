#include "engine/batch_request.h"

#include "base/ascii.h"

#include <array>
#include <cstdint>
#include <optional>

#include "base/number_text.h"
#include "engine/cycle_count.h"
#include "engine/delay_answer.h"
#include "engine/delay_messages.h"
#include "engine/plan_json.h"
#include "engine/time_unit.h"

namespace {

bool IsWordBreak(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

// The cycle field's reading; plain short digit strings (nearly every request) skip the
// string copy.
std::int64_t ReadCount(std::string_view word) {
    if (!word.empty() && word.size() <= 18) {
        std::int64_t v = 0;
        bool digits = true;
        for (char c : word) {
            if (c < '0' || c > '9') {
                digits = false;
                break;
            }
            v = v * 10 + (c - '0');
        }
        if (digits)
            return v;
    }
    return ReadIntegerText(std::string(word));
}

void Answer(const BatchContext& c, std::int64_t delay, std::string& out) {
    const DelayAnswer answer = AnswerCycles(delay, c.variant, nullptr, nullptr, c.texts, false);
    if (answer.plan) {
        AppendPlanJson(out, *answer.plan);
    } else {
        AppendErrorJson(out, answer.delayCycles ? &*answer.delayCycles : nullptr,
                        answer.message->text);
    }
}

constexpr std::array<std::string_view, 3> kFrequencyUnitWords = {"MHz", "kHz", "Hz"};

}  // namespace

int FrequencyUnitIndex(std::string_view w) {
    for (std::size_t i = 0; i < kFrequencyUnitWords.size(); ++i) {
        if (base::EqualFoldingAscii(w, kFrequencyUnitWords[i]))
            return static_cast<int>(i);
    }
    return -1;
}

std::string_view FrequencyUnitWord(int index) {
    return index >= 0 && index < 3 ? kFrequencyUnitWords[static_cast<std::size_t>(index)] : "";
}

void AnswerBatchLine(std::string_view line, const BatchContext& c, std::string& out) {
    std::array<std::string_view, 5> words;
    std::size_t n = 0, i = 0;
    while (i < line.size()) {
        while (i < line.size() && IsWordBreak(line[i]))
            ++i;
        const std::size_t start = i;
        while (i < line.size() && !IsWordBreak(line[i]))
            ++i;
        if (i > start) {
            if (n == words.size()) {
                n = words.size() + 1;
                break;
            }
            words[n++] = line.substr(start, i - start);
        }
    }

    const std::optional<std::string> time = n == 4 ? WholeDecimal(words[0]) : std::nullopt;
    const std::optional<std::string> frequency = n == 4 ? WholeDecimal(words[2]) : std::nullopt;
    if (n == 1 && !IsWholeCount(words[0])) {
        AppendErrorJson(out, nullptr, "not a whole number (decimal, $hex or %binary)");
    } else if (n == 1) {
        Answer(c, ReadCount(words[0]), out);
    } else if (n == 4 && (!time || !frequency)) {
        AppendErrorJson(out, nullptr,
                        "time and frequency are digits, with one decimal point or comma");
    } else if (n == 4) {
        const std::optional<TimeUnit> timeUnit = TimeUnitOfWord(words[1]);
        const int frequencyUnit = FrequencyUnitIndex(words[3]);
        if (!timeUnit || frequencyUnit < 0) {
            AppendErrorJson(out, nullptr,
                            !timeUnit ? "unknown time unit (us ms s min h d)"
                                      : "unknown frequency unit (MHz kHz Hz)");
        } else {
            const CycleCount count = ComputeCycleCount(*time, timeUnit, *frequency, frequencyUnit);
            if (count.outcome == CycleCountOutcome::Cycles) {
                Answer(c, count.cycles, out);
            } else {
                AppendErrorJson(
                    out, nullptr,
                    CalculatorMessage(c.texts, count.outcome, c.timeCaption, c.frequencyCaption)
                        .text);
            }
        }
    } else {
        AppendErrorJson(out, nullptr,
                        "not a request: a cycle count, or time, unit, frequency, unit");
    }
    out += c.lineEnd;
}
