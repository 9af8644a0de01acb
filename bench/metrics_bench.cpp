// Speed of the weld metrics over a data-log folder of 10,000 welds of 6,000
// lines each (one minute at 10 ms): RunMetrics in this process, and, when the
// build knows the viewer's binary and it takes --metrics, `varmonix --metrics
// FOLDER > /dev/null` as a whole process.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <ostream>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "analysis/metrics_run.h"
#include "bench_data.h"

namespace {

constexpr int kFiles = 10000;
constexpr int kLines = 6000;
constexpr int kVariants = 16;  // distinct welds, written over and over

std::string g_folder, g_data;

void RunInProcess(benchmark::State& state, bool csv) {
    vx::bench::CountingBuf sink;
    std::ostream out(&sink);
    std::ostringstream err;
    vx::MetricsOptions o;
    o.settingsPath = g_folder + "/Varmonix.ini";  // absent: defaults
    o.csv = csv;
    o.paths = {g_data};
    for (auto _ : state) {
        sink.bytes = 0;
        if (vx::RunMetrics(o, out, err) != 0) state.SkipWithError("metrics failed");
    }
    state.SetItemsProcessed(state.iterations() * kFiles);
    state.counters["out_MB"] = static_cast<double>(sink.bytes) / 1e6;
}

void BM_MetricsJsonInProcess(benchmark::State& state) { RunInProcess(state, false); }
void BM_MetricsCsvInProcess(benchmark::State& state) { RunInProcess(state, true); }

BENCHMARK(BM_MetricsJsonInProcess)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_MetricsCsvInProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

#ifdef VX_VARMONIX_BIN
// A shell word holding s.
std::string Quoted(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// The viewer as a command: status 0 and the first record on stdout, or the
// process part is left out (the option may not be wired yet).
bool ProcessTakesMetrics() {
    const std::string probe = g_folder + "/probe";
    const std::string out = g_folder + "/probe.out";
    std::filesystem::create_directory(probe);
    std::filesystem::copy_file(g_data + "/000000.csv", probe + "/000000.csv");
    const std::string cmd = "QT_QPA_PLATFORM=offscreen timeout 60 " + Quoted(VX_VARMONIX_BIN) +
                            " --metrics " + Quoted(probe) + " > " + Quoted(out) + " 2>/dev/null";
    const int status = std::system(cmd.c_str());
    std::ifstream in(out);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 0 &&
           text.rfind("{\"path\":", 0) == 0;
}

void BM_MetricsProcess(benchmark::State& state) {
    const std::string cmd =
        Quoted(VX_VARMONIX_BIN) + " --metrics " + Quoted(g_data) + " > /dev/null";
    for (auto _ : state) {
        const int status = std::system(cmd.c_str());
        if (status == -1 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
            state.SkipWithError("varmonix --metrics failed");
    }
    rusage children{};
    getrusage(RUSAGE_CHILDREN, &children);
    state.SetItemsProcessed(state.iterations() * kFiles);
    state.counters["peak_RSS_MB"] = static_cast<double>(children.ru_maxrss) / 1024;
}
#endif

bool MakeData() {
    g_data = g_folder + "/datalog";
    std::filesystem::create_directory(g_data);
    std::vector<std::string> welds;
    for (int v = 0; v < kVariants; ++v) welds.push_back(vx::bench::SteadyArcWave(kLines, false, v));
    for (int k = 0; k < kFiles; ++k) {
        char name[16];
        std::snprintf(name, sizeof name, "/%06d.csv", k);
        vx::bench::WriteBytes(g_data + name, welds[k % kVariants]);
    }
#ifdef VX_VARMONIX_BIN
    if (ProcessTakesMetrics())
        benchmark::RegisterBenchmark("BM_MetricsProcess", BM_MetricsProcess)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    else
        std::fprintf(stderr, "%s does not take --metrics yet: process benchmark left out\n",
                     VX_VARMONIX_BIN);
#endif
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    g_folder = vx::bench::MakeScratchFolder("metrics-bench");
    return vx::bench::RunBenchmarks(argc, argv, g_folder, MakeData);
}
