#pragma once
// What the benchmarks make for themselves: steady-arc wave files in a scratch
// folder, and the common main().
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <streambuf>
#include <string>

#include "common/encoding.h"

namespace vx::bench {

// A steady arc: current, voltage and wire feed with ripple, one line per 10 ms.
// The semicolon variant writes decimal commas; `phase` tells welds apart.
inline std::string SteadyArcWave(int lines, bool semicolon = false, double phase = 0) {
    std::string out =
        Utf8ToCp932("時間[msec],電流実測値[A],電圧実測値[V],送給実測値[m/min]") + "\r\n";
    out.reserve(static_cast<size_t>(lines) * 26);
    char buf[96];
    for (int i = 0; i < lines; ++i) {
        const double ripple = std::sin(i * 0.7 + phase);
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

// Counts what it is given and keeps nothing: output written without a disk.
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

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A new folder under the temporary directory; empty when none can be made.
inline std::string MakeScratchFolder(const char* tag) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / (std::string("vx-") + tag + "-XXXXXX")).string();
    return ::mkdtemp(pattern.data()) ? pattern : std::string();
}

// main() of a benchmark program whose data `makeData` writes into `folder`.
template <class MakeData>
int RunBenchmarks(int argc, char** argv, std::string& folder, MakeData makeData) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    if (folder.empty() || !makeData()) {
        std::fprintf(stderr, "cannot make the benchmark data\n");
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    return 0;
}

}  // namespace vx::bench
