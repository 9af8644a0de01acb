// Speed of `varmonix --dump` on a million-line wave file: all samples, and the
// summary. The output goes to a stream that throws it away.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "app/dump.h"
#include "bench_data.h"
#include "common/encoding.h"

namespace {

namespace fs = std::filesystem;

constexpr int kLines = 1000000;

std::string g_folder, g_file;

bool MakeData() {
    g_file = g_folder + "/wave.csv";
    vx::bench::WriteBytes(g_file, vx::bench::SteadyArcWave(kLines));
    return true;
}

void RunOnce(benchmark::State& state, const std::vector<std::string>& args) {
    vx::bench::CountingBuf sink;
    std::ostream out(&sink);
    std::ostringstream err;
    for (auto _ : state) {
        sink.bytes = 0;
        int status = vx::RunDump(args, out, err, g_folder + "/Varmonix.ini");
        benchmark::DoNotOptimize(status);
        if (status != 0) state.SkipWithError("dump failed");
    }
    state.counters["out_MB"] = static_cast<double>(sink.bytes) / 1e6;
}

void BM_DumpSamples(benchmark::State& state) { RunOnce(state, {g_file}); }
void BM_DumpSummary(benchmark::State& state) { RunOnce(state, {"--summary", g_file}); }

BENCHMARK(BM_DumpSamples)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DumpSummary)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    g_folder = vx::bench::MakeScratchFolder("dump-bench");
    return vx::bench::RunBenchmarks(argc, argv, g_folder, MakeData);
}
