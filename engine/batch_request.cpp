#include "engine/batch_request.h"

#include "base/ascii.h"

#include <array>
#include <cstdint>

#include "base/number_text.h"
#include "engine/cycle_count.h"
#include "engine/delay_answer.h"
#include "engine/delay_messages.h"
#include "engine/plan_json.h"

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

}  // namespace

namespace {

constexpr std::array<std::string_view, 6> kTimeUnitWords = {"us", "ms", "s", "min", "h", "d"};
constexpr std::array<std::string_view, 3> kFrequencyUnitWords = {"MHz", "kHz", "Hz"};

template <std::size_t N>
int WordIndex(const std::array<std::string_view, N>& words, std::string_view w) {
    for (std::size_t i = 0; i < N; ++i) {
        if (base::EqualFoldingAscii(w, words[i]))
            return static_cast<int>(i);
    }
    return -1;
}

}  // namespace

int TimeUnitIndex(std::string_view w) {
    return WordIndex(kTimeUnitWords, w);
}

int FrequencyUnitIndex(std::string_view w) {
    return WordIndex(kFrequencyUnitWords, w);
}

std::string_view TimeUnitWord(int index) {
    return index >= 0 && index < 6 ? kTimeUnitWords[static_cast<std::size_t>(index)] : "";
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

    if (n == 1) {
        Answer(c, ReadCount(words[0]), out);
    } else if (n == 4) {
        const int timeUnit = TimeUnitIndex(words[1]);
        const int frequencyUnit = FrequencyUnitIndex(words[3]);
        if (timeUnit < 0 || frequencyUnit < 0) {
            AppendErrorJson(out, nullptr,
                            timeUnit < 0 ? "unknown time unit (us ms s min h d)"
                                         : "unknown frequency unit (MHz kHz Hz)");
        } else {
            const CycleCount count = ComputeCycleCount(std::string(words[0]), timeUnit,
                                                       std::string(words[2]), frequencyUnit);
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
