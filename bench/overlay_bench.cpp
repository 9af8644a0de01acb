// Speed of an overlay build without the chart: ten welds of 100,000 lines each
// found by number, read, the third column mapped and the points put in time
// order, as the main window does before handing them to the chart.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "bench_data.h"
#include "display/plot_data.h"
#include "display/trace_map.h"
#include "wavefile/folder_scan.h"
#include "wavefile/overlay_file.h"
#include "wavefile/wave_csv.h"

namespace {

namespace fs = std::filesystem;

constexpr int kFiles = 10;
constexpr int kLines = 100000;

std::string g_folder;

bool MakeData() {
    for (int n = 1; n <= kFiles; ++n)
        vx::bench::WriteBytes(vx::JoinPath(g_folder, vx::OverlayFileName(n)),
                              vx::bench::SteadyArcWave(kLines, false, n));
    return true;
}

void BM_OverlayBuildTenFiles(benchmark::State& state) {
    const vx::Trace3Mapping map3{0, 0, 6};  // wire feed 0..100 on current 0..600
    vx::LineList lines;
    vx::WaveColumns columns;
    size_t points = 0;
    for (auto _ : state) {
        points = 0;
        for (int n = 1; n <= kFiles; ++n) {
            const std::optional<std::string> path = vx::ResolveOverlayPath(g_folder, n);
            if (!path || !vx::ReadOverlayFile(*path, lines, columns)) {
                state.SkipWithError("overlay file not read");
                return;
            }
            for (double& v : columns.y3) v = map3.Map(v);
            vx::SortColumnsByTime(columns);
            points += columns.size();
            benchmark::DoNotOptimize(columns.y3.data());
        }
    }
    if (points != static_cast<size_t>(kFiles) * kLines) state.SkipWithError("points missing");
    state.SetItemsProcessed(state.iterations() * kFiles * kLines);
    state.counters["points"] = static_cast<double>(points);
}

BENCHMARK(BM_OverlayBuildTenFiles)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    g_folder = vx::bench::MakeScratchFolder("overlay-bench");
    return vx::bench::RunBenchmarks(argc, argv, g_folder, MakeData);
}
