// Batch throughput: request lines in, plan JSON lines out, as loopsmith-cli --batch does
// between its reads and writes. items_per_second is requests per second.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench_delays.h"
#include "engine/batch_request.h"

static void BM_BatchLines(benchmark::State& state) {
    std::vector<std::string> lines;
    for (std::int64_t d : BenchDelays())
        lines.push_back(std::to_string(d));
    if (state.range(0)) {
        for (std::size_t i = 0; i < lines.size(); i += 4)
            lines[i] = "1.5 ms 32.768 kHz";
    }
    const BatchContext context;
    std::string out;
    out.reserve(1 << 20);
    std::size_t i = 0;
    for (auto _ : state) {
        AnswerBatchLine(lines[i++ & 4095], context, out);
        if (out.size() > (1 << 19))
            out.clear();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_BatchLines)->Arg(0)->Arg(1);
