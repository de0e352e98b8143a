// The interpreter behind --verify and --count, on the largest delay of each variant and on a
// typical one.
#include <benchmark/benchmark.h>

#include "engine/count_block_cycles.h"
#include "engine/delay_code_text.h"
#include "engine/plan_delay.h"

static void BM_VerifyText(benchmark::State& state) {
    const std::int64_t delays[] = {1000000, kLargestDelay};
    const Variant v = state.range(1) ? Variant::Watchdog : Variant::Plain;
    const std::string text =
        DelayCodeText(*PlanDelay(delays[state.range(0)], v), MakeProfile("p", "$", kFamilyPic18),
                      DefaultMessageTexts(), nullptr);
    for (auto _ : state) {
        benchmark::DoNotOptimize(CountTextCycles(text));
    }
}
BENCHMARK(BM_VerifyText)->Args({0, 0})->Args({1, 0})->Args({1, 1})->Unit(benchmark::kMicrosecond);
