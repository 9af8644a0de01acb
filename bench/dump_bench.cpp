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
#include "common/encoding.h"

namespace {

namespace fs = std::filesystem;

constexpr int kLines = 1000000;

std::string g_folder, g_file;

// Counts what it is given and keeps nothing.
class CountingBuf : public std::streambuf {
  public:
    size_t bytes = 0;

  protected:
    std::streamsize xsputn(const char*, std::streamsize n) override {
        bytes += static_cast<size_t>(n);
        return n;
    }
    int_type overflow(int_type c) override {
        ++bytes;
        return traits_type::not_eof(c);
    }
};

bool MakeData() {
    std::string pattern = (fs::temp_directory_path() / "vx-dump-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) return false;
    g_folder = pattern;
    g_file = g_folder + "/wave.csv";
    std::string out =
        vx::Utf8ToCp932("時間[msec],電流実測値[A],電圧実測値[V],送給実測値[m/min]") + "\r\n";
    out.reserve(static_cast<size_t>(kLines) * 26);
    char buf[96];
    for (int i = 0; i < kLines; ++i) {
        double ripple = std::sin(i * 0.7);
        std::snprintf(buf, sizeof buf, "%d,%.1f,%.2f,%.2f\r\n", i * 10, 220.0 + 12.0 * ripple,
                      24.5 + 1.5 * ripple, 8.0 + 0.1 * ripple);
        out += buf;
    }
    std::ofstream(g_file, std::ios::binary)
        .write(out.data(), static_cast<std::streamsize>(out.size()));
    return true;
}

void RunOnce(benchmark::State& state, const std::vector<std::string>& args) {
    CountingBuf sink;
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
    if (!MakeData()) return 1;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    fs::remove_all(g_folder, ec);
    return 0;
}
