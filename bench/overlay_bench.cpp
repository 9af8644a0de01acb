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

// A weld: current, voltage and wire feed with ripple, one line per 10 ms.
std::string MakeWeld(int lines, int seed) {
    std::string out = "Time[msec],CurrentActual[A],VoltageActual[V],FeedingActual[m/min]\r\n";
    out.reserve(static_cast<size_t>(lines) * 26);
    char buf[96];
    for (int i = 0; i < lines; ++i) {
        const double ripple = std::sin(i * 0.7 + seed);
        std::snprintf(buf, sizeof buf, "%d,%.1f,%.2f,%.2f\r\n", i * 10, 220.0 + 12.0 * ripple,
                      24.5 + 1.5 * ripple, 8.0 + 0.1 * ripple);
        out += buf;
    }
    return out;
}

bool MakeData() {
    std::string pattern = (fs::temp_directory_path() / "vx-overlay-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) return false;
    g_folder = pattern;
    for (int n = 1; n <= kFiles; ++n) {
        const std::string bytes = MakeWeld(kLines, n);
        std::ofstream(vx::JoinPath(g_folder, vx::OverlayFileName(n)), std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
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
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    if (!MakeData()) {
        std::fprintf(stderr, "cannot make the benchmark data\n");
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    fs::remove_all(g_folder, ec);
    return 0;
}
