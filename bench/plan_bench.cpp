// The solver alone.
#include <benchmark/benchmark.h>

#include "bench_delays.h"
#include "engine/plan_delay.h"

static void BM_PlanDelay(benchmark::State& state) {
    const auto delays = BenchDelays();
    const Variant v = state.range(0) ? Variant::Watchdog : Variant::Plain;
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(PlanDelay(delays[i++ & 4095], v));
    }
}
BENCHMARK(BM_PlanDelay)->Arg(0)->Arg(1);

// Delays whose remainders run short: the slower, searching path.
static void BM_PlanDelayShortRemainder(benchmark::State& state) {
    const std::int64_t delays[] = {394244, 394250, 394255, 591366, 591377, 100926468, 100926483};
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(PlanDelay(delays[i++ % 7], Variant::Plain));
    }
}
BENCHMARK(BM_PlanDelayShortRemainder);
