// Speed of reading wave files: a million-line file in both variants, as the
// viewer streams it and through the line list, the conversion alone on text
// in memory, and the folder scan over ten thousand small wave files.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "bench_data.h"
#include "wavefile/data_block.h"
#include "wavefile/folder_scan.h"
#include "wavefile/wave_csv.h"
#include "wavefile/wave_stream.h"

namespace {

namespace fs = std::filesystem;

constexpr int kLines = 1000000;
constexpr int kScanFiles = 10000;

struct BenchData {
    std::string folder, commaFile, semicolonFile, scanFolder;
    std::vector<std::string> names;
};
BenchData g;

bool MakeData() {
    g.commaFile = g.folder + "/comma.csv";
    g.semicolonFile = g.folder + "/semicolon.csv";
    vx::bench::WriteBytes(g.commaFile, vx::bench::SteadyArcWave(kLines));
    vx::bench::WriteBytes(g.semicolonFile, vx::bench::SteadyArcWave(kLines, true));
    g.scanFolder = g.folder + "/scan";
    fs::create_directory(g.scanFolder);
    const std::string small = vx::bench::SteadyArcWave(50);
    char name[32];
    for (int i = 1; i <= kScanFiles; ++i) {
        std::snprintf(name, sizeof name, "/%06d.csv", i);
        vx::bench::WriteBytes(g.scanFolder + name, small);
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

std::optional<vx::DataRule> LoaderRule(std::string_view header) {
    return vx::RuleOf(vx::DetectVariant(header));
}

// The viewer's read: the file streamed through a small buffer into columns,
// both reused from one read to the next as when stepping through a folder.
void Stream(benchmark::State& state, const std::string& path) {
    vx::LineList scratch;
    vx::WaveColumns cols;
    for (auto _ : state) {
        if (!vx::ReadWaveSamples(path, LoaderRule, cols, scratch)) {
            state.SkipWithError("read failed");
            break;
        }
        benchmark::DoNotOptimize(cols.y3.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(fs::file_size(path)));
    state.counters["lines"] = static_cast<double>(cols.size());
}

void BM_StreamComma(benchmark::State& state) { Stream(state, g.commaFile); }
void BM_StreamSemicolon(benchmark::State& state) { Stream(state, g.semicolonFile); }

// The whole conversion on text already in memory (splitting lines and fields,
// the numbers, the columns), without the file system.
void ConvertInMemory(benchmark::State& state, const std::string& path) {
    vx::LineList lines;
    vx::ReadWaveLines(path, lines);
    const std::string header(lines[0]);
    std::ifstream in(path, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t dataStart = text.find('\n') + 1;
    const std::string data = text.substr(dataStart);
    std::string work = data;  // the semicolon variant rewrites its decimal commas
    const vx::DataRule rule = vx::RuleOf(vx::DetectVariant(header));
    vx::WaveColumns cols;
    cols.reserve(lines.size());
    for (auto _ : state) {
        state.PauseTiming();
        if (rule.decimalComma) work = data;
        cols.clear();
        state.ResumeTiming();
        vx::ConvertDataBlock(work.data(), work.data() + work.size(), rule, cols);
        benchmark::DoNotOptimize(cols.y3.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(data.size()));
}

void BM_ConvertBlockComma(benchmark::State& state) { ConvertInMemory(state, g.commaFile); }
void BM_ConvertBlockSemicolon(benchmark::State& state) { ConvertInMemory(state, g.semicolonFile); }

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
BENCHMARK(BM_StreamComma)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StreamSemicolon)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertBlockComma)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertBlockSemicolon)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScanFolder)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    g.folder = vx::bench::MakeScratchFolder("wave-bench");
    return vx::bench::RunBenchmarks(argc, argv, g.folder, MakeData);
}
