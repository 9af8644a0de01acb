// `varmonix --render OUT FILE` of one wave file of 1,000,000 lines (about
// 2.8 hours at 10 ms) as a whole process: start-up, the read, the drawing
// and the PNG, without a display.
#include <benchmark/benchmark.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench_data.h"

namespace {

constexpr int kLines = 1000000;

std::string g_folder, g_file;

#ifdef VX_VARMONIX_BIN
// A shell word holding s.
std::string Quoted(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

void Render(benchmark::State& state, const char* picture) {
    const std::string out = g_folder + "/out/" + picture;
    const std::string cmd = "env -u QT_QPA_PLATFORM -u DISPLAY " + Quoted(VX_VARMONIX_BIN) +
                            " --render " + Quoted(out) + " " + Quoted(g_file) + " 2>/dev/null";
    for (auto _ : state) {
        const int status = std::system(cmd.c_str());
        if (status == -1 || !WIFEXITED(status) || WEXITSTATUS(status) != 0 ||
            !std::filesystem::is_regular_file(out))
            state.SkipWithError("varmonix --render failed");
    }
}

void BM_RenderPngProcess(benchmark::State& state) { Render(state, "w.png"); }
void BM_RenderPdfProcess(benchmark::State& state) { Render(state, "w.pdf"); }
BENCHMARK(BM_RenderPngProcess)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_RenderPdfProcess)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
#endif

bool MakeData() {
    // The picture goes to a folder of its own: the weld's folder is scanned.
    std::filesystem::create_directory(g_folder + "/log");
    std::filesystem::create_directory(g_folder + "/out");
    g_file = g_folder + "/log/000001.csv";
    vx::bench::WriteBytes(g_file, vx::bench::SteadyArcWave(kLines));
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    g_folder = vx::bench::MakeScratchFolder("render-bench");
    return vx::bench::RunBenchmarks(argc, argv, g_folder, MakeData);
}
