// The sample data-log folder that ships with the program reads as intended.
#include <gtest/gtest.h>

#include <cstdio>

#include "common/weld_common.h"
#include "wave_test_files.h"
#include "wavefile/folder_scan.h"
#include "wavefile/wave_csv.h"
#include "wavefile/wave_layout.h"

namespace vx {
namespace {

const std::string kDatalog = std::string(VX_TEST_DATA) + "/../../examples/datalog";

TEST(SampleDatalog, ScanListsTheTenWeldsOnly) {
    FolderScanResult r = ScanCsvFolder(kDatalog, {test::Sj("時間[msec]"), "Time[msec]"});
    ASSERT_TRUE(r.ok);
    std::vector<std::string> want;
    char name[16];
    for (int n = 1; n <= 10; ++n) {
        std::snprintf(name, sizeof name, "%06d.csv", n);
        want.push_back(name);
    }
    EXPECT_EQ(r.names, want);
}

TEST(SampleDatalog, EachWeldHasItsLayoutAndPlausibleValues) {
    const int layouts[10] = {0, 1, 2, 3, 5, 0, 4, 6, 7, 0};
    const int intervals[10] = {10, 10, 10, 100, 10, 100, 10, 10, 10, 10};
    for (int n = 1; n <= 10; ++n) {
        SCOPED_TRACE(n);
        char name[16];
        std::snprintf(name, sizeof name, "/%06d.csv", n);
        LineList lines;
        ASSERT_TRUE(ReadWaveLines(kDatalog + name, lines));
        WaveVariant v = DetectVariant(lines[0]);
        std::string f[4];
        ASSERT_EQ(WeldCommon::SplitFields(lines[0], std::string(1, v.delimiter), true, 4, f), 4);
        EXPECT_EQ(DetectWaveLayout(f), layouts[n - 1]);
        WaveColumns cols;
        ConvertDataLines(lines, v, cols);
        ASSERT_GT(cols.size(), 10u);
        EXPECT_EQ(cols.t[1] - cols.t[0], intervals[n - 1]);
        double duration = cols.t.back();
        EXPECT_GE(duration, 2000);
        EXPECT_LE(duration, 8000);
        // Mid-weld every value is non-zero and nothing is beyond a welding range.
        size_t mid = cols.size() / 2;
        for (double y : {cols.y1[mid], cols.y2[mid], cols.y3[mid]}) {
            EXPECT_GT(y, 3.0);
            EXPECT_LT(y, 400.0);
        }
    }
}

}  // namespace
}  // namespace vx
