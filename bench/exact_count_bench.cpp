// The calculator's exact count and actual-time line: typed texts, and texts of 2,000 digits as
// the command line or a link may bring (zeros at the ends, or all of them significant).
#include <benchmark/benchmark.h>

#include <string>

#include "engine/actual_time.h"
#include "engine/cycle_count.h"

namespace {

void CountAndActualTime(benchmark::State& state, const std::string& time, TimeUnit timeUnit,
                        const std::string& frequency, int frequencyUnit) {
    for (auto _ : state) {
        const CycleCount n = ComputeCycleCount(time, timeUnit, frequency, frequencyUnit);
        benchmark::DoNotOptimize(n);
        benchmark::DoNotOptimize(
            ExactActualTime(time, timeUnit, frequency, frequencyUnit, n.cycles));
    }
}

void BM_ExactCountShort(benchmark::State& state) {
    CountAndActualTime(state, "1.3", TimeUnit::Seconds, "32.768", 1);
}

void BM_ExactCountShortLarge(benchmark::State& state) {
    CountAndActualTime(state, "9072", TimeUnit::Hours, "1034.4", 0);
}

void BM_ExactCountZeroPadded2000(benchmark::State& state) {
    CountAndActualTime(state, std::string(2000, '0') + "1.3" + std::string(2000, '0'),
                       TimeUnit::Seconds, std::string(2000, '0') + "32.768", 1);
}

// 2,000 significant digits in each field: the worst a text of that length can ask.
void BM_ExactCountSignificant2000(benchmark::State& state) {
    std::string time = "1.", frequency = "3.";
    for (int i = 0; i < 1998; ++i) {
        time += static_cast<char>('1' + i % 9);
        frequency += static_cast<char>('9' - i % 7);
    }
    CountAndActualTime(state, time, TimeUnit::Minutes, frequency, 0);
}

}  // namespace

BENCHMARK(BM_ExactCountShort);
BENCHMARK(BM_ExactCountShortLarge);
BENCHMARK(BM_ExactCountZeroPadded2000);
BENCHMARK(BM_ExactCountSignificant2000);
