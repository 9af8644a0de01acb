// Speed of reading wave files: a million-line file in both variants, and the
// folder scan over ten thousand small wave files.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "common/encoding.h"
#include "wavefile/folder_scan.h"
#include "wavefile/wave_csv.h"

namespace {

namespace fs = std::filesystem;

constexpr int kLines = 1000000;
constexpr int kScanFiles = 10000;

struct BenchData {
    std::string folder, commaFile, semicolonFile, scanFolder;
    std::vector<std::string> names;
};
BenchData g;

// A steady arc: current, voltage and wire feed with ripple, one line per 10 ms.
std::string MakeWave(int lines, bool semicolon) {
    std::string header =
        vx::Utf8ToCp932("時間[msec],電流実測値[A],電圧実測値[V],送給実測値[m/min]");
    std::string out = header + "\r\n";
    out.reserve(static_cast<size_t>(lines) * 26);
    char buf[96];
    for (int i = 0; i < lines; ++i) {
        double ripple = std::sin(i * 0.7);
        std::snprintf(buf, sizeof buf, "%d,%.1f,%.2f,%.2f\r\n", i * 10, 220.0 + 12.0 * ripple,
                      24.5 + 1.5 * ripple, 8.0 + 0.1 * ripple);
        out += buf;
    }
    if (semicolon) {
        for (char& c : out) {
            if (c == ',')
                c = ';';
            else if (c == '.')
                c = ',';
        }
    }
    return out;
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool MakeData() {
    std::string pattern = (fs::temp_directory_path() / "vx-wave-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) return false;
    g.folder = pattern;
    g.commaFile = g.folder + "/comma.csv";
    g.semicolonFile = g.folder + "/semicolon.csv";
    WriteFile(g.commaFile, MakeWave(kLines, false));
    WriteFile(g.semicolonFile, MakeWave(kLines, true));
    g.scanFolder = g.folder + "/scan";
    fs::create_directory(g.scanFolder);
    std::string small = MakeWave(50, false);
    char name[32];
    for (int i = 1; i <= kScanFiles; ++i) {
        std::snprintf(name, sizeof name, "/%06d.csv", i);
        WriteFile(g.scanFolder + name, small);
    }
    g.names = {vx::Utf8ToCp932("時間[msec]"), "Time[msec]"};
    return true;
}

void ReadAndConvert(benchmark::State& state, const std::string& path) {
    vx::LineList lines;
    vx::WaveColumns cols;
    for (auto _ : state) {
        if (!vx::ReadWaveLines(path, lines)) {
            state.SkipWithError("read failed");
            break;
        }
        vx::ConvertDataLines(lines, vx::DetectVariant(lines[0]), cols);
        benchmark::DoNotOptimize(cols.y3.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(fs::file_size(path)));
    state.counters["lines"] = static_cast<double>(lines.size());
}

void BM_ReadConvertComma(benchmark::State& state) { ReadAndConvert(state, g.commaFile); }
void BM_ReadConvertSemicolon(benchmark::State& state) { ReadAndConvert(state, g.semicolonFile); }

// The conversion alone, on lines already in memory.
void BM_ConvertCommaInMemory(benchmark::State& state) {
    vx::LineList lines;
    vx::ReadWaveLines(g.commaFile, lines);
    vx::WaveColumns cols;
    for (auto _ : state) {
        vx::ConvertDataLines(lines, vx::DetectVariant(lines[0]), cols);
        benchmark::DoNotOptimize(cols.y3.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(fs::file_size(g.commaFile)));
}

void BM_ScanFolder(benchmark::State& state) {
    size_t found = 0;
    for (auto _ : state) {
        vx::FolderScanResult r = vx::ScanCsvFolder(g.scanFolder, g.names);
        found = r.names.size();
        benchmark::DoNotOptimize(found);
    }
    if (found != static_cast<size_t>(kScanFiles)) state.SkipWithError("scan missed files");
    state.SetItemsProcessed(state.iterations() * kScanFiles);
}

BENCHMARK(BM_ReadConvertComma)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadConvertSemicolon)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertCommaInMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScanFolder)->Unit(benchmark::kMillisecond);

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
    fs::remove_all(g.folder, ec);
    return 0;
}
