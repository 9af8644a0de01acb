// --dump output against outputs recorded by scripts/record_dump_golden: any
// change of a byte in what the reader, the axes or the writer produce shows
// here. Re-record only when a change of the output is intended.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/dump.h"
#include "wave_test_files.h"

namespace vx {
namespace {

namespace fs = std::filesystem;

const fs::path kRoot = fs::path(VX_TEST_DATA).parent_path().parent_path();

struct GoldenCase {
    std::string name, settings, options, pattern;
};

std::string Trim(std::string s) {
    const auto blank = [](unsigned char c) { return c <= ' '; };
    while (!s.empty() && blank(s.back())) s.pop_back();
    size_t i = 0;
    while (i < s.size() && blank(s[i])) ++i;
    return s.substr(i);
}

std::vector<GoldenCase> Cases() {
    std::vector<GoldenCase> cases;
    std::ifstream in(kRoot / "tests/data/golden/cases.txt");
    for (std::string line; std::getline(in, line);) {
        if (Trim(line).empty() || Trim(line)[0] == '#') continue;
        std::vector<std::string> parts;
        std::istringstream fields(line);
        for (std::string p; std::getline(fields, p, '|');) parts.push_back(Trim(p));
        if (parts.size() == 4) cases.push_back({parts[0], parts[1], parts[2], parts[3]});
    }
    return cases;
}

// "dir/*.csv" relative to the repository, sorted by bytes as the shell's C
// locale sorts them.
std::vector<std::string> Expand(const std::string& pattern) {
    const fs::path p(pattern);
    const std::string ext = p.extension().string();
    std::vector<std::string> files;
    for (const auto& e : fs::directory_iterator(kRoot / p.parent_path())) {
        if (e.path().extension() == ext)
            files.push_back((p.parent_path() / e.path().filename()).string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class DumpGolden : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(DumpGolden, OutputIsByteIdenticalToTheRecordedOne) {
    const GoldenCase& c = GetParam();
    test::TempFolder none;
    std::vector<std::string> args{
        "--dump", "--settings", c.settings == "-" ? none / "none.ini" : "tests/data/" + c.settings};
    if (!c.options.empty()) args.push_back(c.options);
    const std::vector<std::string> files = Expand(c.pattern);
    ASSERT_FALSE(files.empty());
    args.insert(args.end(), files.begin(), files.end());

    // Paths are written as given, relative to the repository.
    const fs::path before = fs::current_path();
    fs::current_path(kRoot);
    std::ostringstream out, err;
    RunDump(args, out, err, none / "none.ini");
    fs::current_path(before);

    const std::string expected = ReadAll(kRoot / ("tests/data/golden/" + c.name + ".jsonl"));
    ASSERT_FALSE(expected.empty());
    const std::string got = out.str();
    if (got == expected) return;
    // Name the first line that differs rather than printing megabytes.
    std::istringstream g(got), e(expected);
    std::string gl, el;
    for (int n = 1;; ++n) {
        const bool hg = static_cast<bool>(std::getline(g, gl));
        const bool he = static_cast<bool>(std::getline(e, el));
        if (!hg && !he) break;
        if (gl != el || hg != he) {
            FAIL() << c.name << ": line " << n << " differs\n got: " << gl.substr(0, 400)
                   << "\nwant: " << el.substr(0, 400);
        }
    }
    FAIL() << c.name << ": outputs differ";
}

INSTANTIATE_TEST_SUITE_P(Recorded, DumpGolden, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace vx
