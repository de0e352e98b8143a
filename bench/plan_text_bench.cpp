// The solver and the writer: what one typed request costs without the window.
#include <benchmark/benchmark.h>

#include "bench_delays.h"
#include "engine/delay_code_text.h"
#include "engine/plan_delay.h"

static void BM_PlanAndText(benchmark::State& state) {
    const auto delays = BenchDelays();
    const MessageTexts texts = DefaultMessageTexts();
    const Profile profile = MakeProfile("p", state.range(0) ? "Loop" : "$",
                                        state.range(0) ? kFamilyPic18 : kFamilyPic16);
    std::size_t i = 0;
    for (auto _ : state) {
        const auto plan = PlanDelay(delays[i++ & 4095], Variant::Plain);
        benchmark::DoNotOptimize(DelayCodeText(*plan, profile, texts, nullptr));
    }
}
BENCHMARK(BM_PlanAndText)->Arg(0)->Arg(1);
