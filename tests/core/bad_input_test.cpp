// Files a data-log folder can hold that are no proper wave file: each must be
// left out of the list or read by the rules, and none may crash or block the
// reader. Small files live in tests/data/bad/; big or special ones (50 MB line,
// 100,000 columns, folder, FIFO, dangling link) are made here.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cfloat>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <functional>
#include <future>
#include <optional>
#include <sstream>
#include <vector>

#include "app/dump.h"
#include "common/weld_common.h"
#include "wave_test_files.h"
#include "wavefile/folder_scan.h"
#include "wavefile/overlay_file.h"
#include "wavefile/wave_csv.h"
#include "wavefile/wave_layout.h"

namespace vx {
namespace {

namespace fs = std::filesystem;
using test::Sj;
using test::TempFolder;

constexpr char kHeader[] = "Time[msec],CurrentActual[A],VoltageActual[V],FeedingActual[m/min]";
constexpr size_t k50MB = size_t{50} << 20;

std::vector<std::string> Accepted() { return {Sj("時間[msec]"), "Time[msec]"}; }

struct Point {
    double t, y1, y2, y3;
};

struct BadCase {
    const char* name;
    // Puts the file into `folder` and returns its name there.
    std::function<std::string(const TempFolder& folder)> make;
    bool regular;  // a regular file (else the scan has nothing to open)
    bool listed;   // passes the folder scan's header test
    bool readable;
    bool loaded;  // the header has four fields, so the loader draws
    std::optional<uint8_t> layout;
    std::optional<std::vector<Point>> samples;  // exact, in file order
};

std::ostream& operator<<(std::ostream& os, const BadCase& c) { return os << c.name; }

std::function<std::string(const TempFolder&)> Fixture(const char* name) {
    return [name](const TempFolder& folder) {
        fs::copy_file(std::string(VX_TEST_DATA) + "/bad/" + name, folder / name);
        return std::string(name);
    };
}

std::function<std::string(const TempFolder&)> Made(const char* name,
                                                   std::function<std::string()> bytes) {
    return [name, bytes](const TempFolder& folder) {
        folder.Write(name, bytes());
        return std::string(name);
    };
}

// One line of 50 MB: a wave header whose fifth and later columns fill the rest.
std::string HugeHeaderLine() {
    std::string s = kHeader;
    s.reserve(k50MB);
    while (s.size() + 2 <= k50MB) s += ",x";
    return s;
}

// A proper header, then one data line of 50 MB without a line break whose
// second field is a number of some fifty million digits.
std::string HugeDataLine() {
    std::string s = std::string(kHeader) + "\n5,";
    s.resize(s.size() + k50MB, '9');
    return s;
}

// 8 MB of UTF-16 whose characters have no CP932 form, without a line break.
// Each such character once cost the converter microseconds: half a minute here.
std::string Utf16Unmappable() {
    std::string s = "\xFF\xFE";
    s.reserve(8u << 20);
    while (s.size() < (8u << 20)) s.append({'\xE9', '\0'});  // U+00E9, little-endian
    return s;
}

std::string HundredThousandColumns() {
    std::string s = kHeader;
    for (int i = 4; i < 100000; ++i) s += ",x";
    s += "\n7,1,2,3";
    for (int i = 4; i < 100000; ++i) s += ",9";
    return s + "\n";
}

constexpr double kMax = DBL_MAX;
constexpr double kTiny = 4.9406564584124654e-324;  // smallest subnormal

std::vector<BadCase> Cases() {
    using P = std::vector<Point>;
    // name, file, regular, listed, readable, loaded, layout, samples
    return {
        {"empty", Fixture("empty.csv"), true, false, false, false, {}, {}},
        {"header_only", Fixture("header_only.csv"), true, true, true, true, 0, P{}},
        {"garbage", Fixture("garbage.csv"), true, false, true, false, {}, {}},
        // A zero byte ends a value like any other byte that is no part of a
        // number; a time holding one is no whole number.
        {"nul_in_data", Fixture("nul_in_data.csv"), true, true, true, true, 0,
         P{{0, 1, 3, 4}, {0, 5, 6, 7}, {0, 0, 0, 0}, {20, 8, 9, 0}}},
        {"nul_in_header", Fixture("nul_in_header.csv"), true, false, true, true, 0,
         P{{0, 1, 2, 3}}},
        {"invalid_sjis", Fixture("invalid_sjis.csv"), true, true, true, true, 0,
         P{{0, 0, 3, 4}, {0, 5, 6, 7}}},
        {"invalid_sjis_time", Fixture("invalid_sjis_time.csv"), true, false, true, true, 0,
         P{{0, 1, 2, 3}}},
        {"bom_utf8_only", Fixture("bom_utf8_only.csv"), true, false, false, false, {}, {}},
        {"bom_utf16le_only", Fixture("bom_utf16le_only.csv"), true, false, false, false, {}, {}},
        {"bom_utf16be_only", Fixture("bom_utf16be_only.csv"), true, false, false, false, {}, {}},
        // The odd last byte is no whole UTF-16 unit and is dropped.
        {"utf16le_odd", Fixture("utf16le_odd.csv"), true, true, true, true, 1,
         P{{0, 120.5, 18.2, 4.0}, {10, 121, 18.3, 4.1}}},
        {"utf16be_odd", Fixture("utf16be_odd.csv"), true, true, true, true, 1,
         P{{0, 120.5, 18.2, 4.0}, {10, 121, 18.3, 4.1}}},
        // Overflow gives the largest finite value, underflow zero; nan and inf
        // are no numbers; the sign of zero is kept.
        {"values", Fixture("values.csv"), true, true, true, true, 0,
         P{{0, kMax, -kMax, 0},
           {10, 0, 0, -0.0},
           {20, 0, 0, 0},
           {30, -0.0, kMax, kTiny},
           {0, 1e308, 0.5, -5}}},
        // Times are 32-bit whole numbers; anything beyond is 0, never wrapped.
        {"times", Fixture("times.csv"), true, true, true, true, 0,
         P{{2147483647, 1, 1, 1},
           {0, 2, 2, 2},
           {-2147483648.0, 3, 3, 3},
           {0, 4, 4, 4},
           {0, 5, 5, 5},
           {0, 6, 6, 6},
           {2147483647, 7, 7, 7},
           {0, 8, 8, 8}}},
        {"line_50mb_header", Made("huge_header.csv", HugeHeaderLine), true, true, true, true, 0,
         P{}},
        {"line_50mb_data", Made("huge_data.csv", HugeDataLine), true, true, true, true, 0,
         P{{5, kMax, 0, 0}}},
        {"utf16_unmappable_8mb",
         Made("unmappable.csv", Utf16Unmappable),
         true,
         false,
         true,
         false,
         {},
         P{}},
        {"columns_100000", Made("wide.csv", HundredThousandColumns), true, true, true, true, 0,
         P{{7, 1, 2, 3}}},
        {"directory",
         [](const TempFolder& f) {
             fs::create_directory(f / "x.csv");
             return std::string("x.csv");
         },
         false,
         false,
         false,
         false,
         {},
         {}},
        {"fifo",
         [](const TempFolder& f) {
             EXPECT_EQ(::mkfifo((f / "fifo.csv").c_str(), 0600), 0);
             return std::string("fifo.csv");
         },
         false,
         false,
         false,
         false,
         {},
         {}},
        {"dangling_link",
         [](const TempFolder& f) {
             fs::create_symlink(f / "gone.txt", f / "link.csv");
             return std::string("link.csv");
         },
         false,
         false,
         false,
         false,
         {},
         {}},
    };
}

// How long a read may take before it counts as blocked: generous, since it
// tells a reader stuck on a FIFO from one that works, not fast from slow;
// sanitizer builds run the large cases many times slower.
#if defined(__SANITIZE_ADDRESS__)
constexpr std::chrono::seconds kBlockedAfter{300};
#else
constexpr std::chrono::seconds kBlockedAfter{30};
#endif

// Runs `work` on another thread; a call that blocks fails the test instead of
// hanging it (a writer opening the FIFO, if any, lets a blocked reader go).
template <class F>
auto WithoutBlocking(F work, const std::string& fifo) {
    auto job = std::async(std::launch::async, work);
    if (job.wait_for(kBlockedAfter) != std::future_status::ready) {
        ADD_FAILURE() << "blocked";
        int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0) ::close(fd);
    }
    return job.get();
}

void ExpectSame(double got, double want, const char* what, size_t line) {
    EXPECT_TRUE(got == want && std::signbit(got) == std::signbit(want))
        << what << " of data line " << line + 1 << ": " << got << " instead of " << want;
}

class BadInputTest : public ::testing::TestWithParam<BadCase> {};

TEST_P(BadInputTest, LeftOutOrReadByTheRulesWithoutBlocking) {
    const BadCase& c = GetParam();
    TempFolder folder;
    ASSERT_FALSE(folder.path().empty());
    const std::string name = c.make(folder);
    const std::string path = folder / name;

    // Alone in its folder, then beside a proper wave file: the scan goes on past it.
    FolderScanResult alone =
        WithoutBlocking([&] { return ScanCsvFolder(folder.path(), Accepted()); }, path);
    EXPECT_EQ(alone.ok, c.regular);
    EXPECT_EQ(alone.names, c.listed ? std::vector<std::string>{name} : std::vector<std::string>{});
    folder.Write("good.csv", std::string(kHeader) + "\n0,1,2,3\n");
    std::vector<std::string> expected = {"good.csv"};
    if (c.listed) expected.push_back(name);
    std::sort(expected.begin(), expected.end(), FileNameLess);
    FolderScanResult beside =
        WithoutBlocking([&] { return ScanCsvFolder(folder.path(), Accepted()); }, path);
    EXPECT_TRUE(beside.ok);
    EXPECT_EQ(beside.names, expected);

    // The loader's steps.
    LineList lines;
    const bool readable = WithoutBlocking([&] { return ReadWaveLines(path, lines); }, path);
    ASSERT_EQ(readable, c.readable);
    if (readable) {
        const WaveVariant v = DetectVariant(lines[0]);
        std::string fields[4];
        const int count =
            WeldCommon::SplitFields(lines[0], std::string(1, v.delimiter), true, 4, fields);
        EXPECT_EQ(count == 4, c.loaded) << count << " header fields";
        if (c.layout) {
            EXPECT_EQ(DetectWaveLayout(fields), *c.layout);
        }

        WaveColumns cols;
        ConvertDataLines(lines, v, cols);
        ASSERT_EQ(cols.size(), lines.size() - 1);
        if (c.samples) {
            ASSERT_EQ(cols.size(), c.samples->size());
            for (size_t i = 0; i < cols.size(); ++i) {
                const Point& p = (*c.samples)[i];
                ExpectSame(cols.t[i], p.t, "time", i);
                ExpectSame(cols.y1[i], p.y1, "value 1", i);
                ExpectSame(cols.y2[i], p.y2, "value 2", i);
                ExpectSame(cols.y3[i], p.y3, "value 3", i);
            }
        }

        // The overlay reader takes the same file without trouble.
        LineList overlayLines;
        WaveColumns overlay;
        EXPECT_TRUE(ReadOverlayFile(path, overlayLines, overlay));
        EXPECT_EQ(overlay.size(), cols.size());
    }

    // The whole command-line path: one JSON line, exit status by readability.
    std::ostringstream out, err;
    const int rc = WithoutBlocking(
        [&] {
            return RunDump({"--dump", "--summary", path}, out, err, folder / "none.ini");
        },
        path);
    EXPECT_EQ(rc, c.readable ? 0 : 1);
    const std::string text = out.str();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1);
}

INSTANTIATE_TEST_SUITE_P(Files, BadInputTest, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<BadCase>& i) {
                             return std::string(i.param.name);
                         });

}  // namespace
}  // namespace vx
