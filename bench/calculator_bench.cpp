// The calculator's arithmetic, the solver and the writer with the calculator's header lines.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "engine/cycle_count.h"
#include "engine/delay_code_text.h"
#include "engine/plan_delay.h"

static void BM_CalculatorPlanAndText(benchmark::State& state) {
    struct Input {
        std::string time;
        int timeUnit;
        std::string frequency;
        int frequencyUnit;
    };
    const std::vector<Input> inputs = {
        {"1", 1, "4", 0}, {"1", 2, "20", 0},  {"1", 2, "32.768", 1}, {"1", 3, "3.579545", 0},
        {"1", 5, "4", 0}, {"250", 0, "8", 0}, {"1.5", 4, "48", 0},   {"3.5", 0, "4", 0}};
    const MessageTexts texts = DefaultMessageTexts();
    const Profile profile = MakeProfile("p", "$", kFamilyPic16);
    std::size_t i = 0;
    for (auto _ : state) {
        const Input& in = inputs[i++ % inputs.size()];
        const CycleCount n =
            ComputeCycleCount(in.time, TimeUnitAt(in.timeUnit), in.frequency, in.frequencyUnit);
        LoopPlan plan = *PlanDelay(n.cycles, Variant::Plain);
        plan.fromCalculator = true;
        const CalculatorLines lines{in.time, TimeUnitAt(in.timeUnit), in.frequency,
                                    in.frequencyUnit};
        benchmark::DoNotOptimize(DelayCodeText(plan, profile, texts, &lines));
    }
}
BENCHMARK(BM_CalculatorPlanAndText);
