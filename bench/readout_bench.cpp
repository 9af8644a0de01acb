// Cost of one mouse move over a chart holding long traces.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <vector>

#include "display/plot_data.h"
#include "display/readout.h"

namespace {

constexpr size_t kPoints = 1000000;

struct Trace {
    std::vector<double> t, y;
};

Trace MakeTrace() {
    Trace r;
    r.t.reserve(kPoints);
    r.y.reserve(kPoints);
    for (size_t i = 0; i < kPoints; ++i) {
        r.t.push_back(static_cast<double>(i) * 10.0);
        r.y.push_back(static_cast<double>(i % 600));
    }
    return r;
}

const Trace& LongTrace() {
    static const Trace tr = MakeTrace();
    return tr;
}

// Mouse positions spread over the axis so the searches do not hit one cache line.
double MouseAt(size_t i) { return static_cast<double>((i * 7919) % kPoints) * 10.0 + 3.7; }

void BM_SampleIndexAt(benchmark::State& state) {
    const Trace& tr = LongTrace();
    const ptrdiff_t last = static_cast<ptrdiff_t>(kPoints) - 1;
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(vx::SampleIndexAt(tr.t.data(), tr.t.size(), MouseAt(i++), last));
    }
}
BENCHMARK(BM_SampleIndexAt);

void BM_ReadoutHintThreeTraces(benchmark::State& state) {
    // Three traces with their own arrays, as the chart keeps them.
    static const Trace tr[3] = {MakeTrace(), MakeTrace(), MakeTrace()};
    std::array<vx::ReadoutTrace, 3> traces;
    for (int k = 0; k < 3; ++k) traces[k] = {true, tr[k].t.data(), tr[k].y.data(), tr[k].t.size()};
    const vx::Trace3Mapping map3{0, 0, 6};
    const double axisMax = static_cast<double>(kPoints) * 10.0;
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(vx::ReadoutHint(0, axisMax, MouseAt(i++), traces, map3));
    }
}
BENCHMARK(BM_ReadoutHintThreeTraces);

// A file of a million points, read in order (the usual case) and reversed.
void BM_StableTimeOrder(benchmark::State& state) {
    std::vector<double> t = LongTrace().t;
    if (state.range(0) != 0) std::reverse(t.begin(), t.end());
    for (auto _ : state) benchmark::DoNotOptimize(vx::StableTimeOrder(t));
}
BENCHMARK(BM_StableTimeOrder)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
BENCHMARK_MAIN();
