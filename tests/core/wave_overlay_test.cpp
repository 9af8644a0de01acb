#include <gtest/gtest.h>

#include <filesystem>

#include "wave_test_files.h"
#include "wavefile/overlay_file.h"

namespace vx {
namespace {

using test::TempFolder;

TEST(OverlayFileName, SixDigitsAndCsv) {
    EXPECT_EQ(OverlayFileName(30), "000030.csv");
    EXPECT_EQ(OverlayFileName(1), "000001.csv");
    EXPECT_EQ(OverlayFileName(999999), "999999.csv");
    EXPECT_EQ(OverlayFileName(1234567), "1234567.csv");
}

TEST(ResolveOverlayPath, ExactNameFirstThenAnyLetterCase) {
    TempFolder dir;
    dir.Write("000001.csv", "x");
    dir.Write("000001.CSV", "x");
    dir.Write("000002.CSV", "x");
    dir.Write("000003.Csv", "x");
    dir.Write("000003.cSV", "x");
    std::filesystem::create_directory(dir / "000004.csv");
    std::filesystem::create_symlink(dir / "nowhere", dir / "000005.csv");
    dir.Write("000006.csv.bak", "x");

    EXPECT_EQ(ResolveOverlayPath(dir.path(), 1), dir / "000001.csv");
    EXPECT_EQ(ResolveOverlayPath(dir.path(), 2), dir / "000002.CSV");
    EXPECT_EQ(ResolveOverlayPath(dir.path(), 3), dir / "000003.Csv");  // first by bytes
    EXPECT_EQ(ResolveOverlayPath(dir.path(), 4), std::nullopt);        // a folder
    EXPECT_EQ(ResolveOverlayPath(dir.path(), 5), std::nullopt);        // dangling link
    EXPECT_EQ(ResolveOverlayPath(dir.path(), 6), std::nullopt);
    EXPECT_EQ(ResolveOverlayPath(dir / "missing", 1), std::nullopt);
}

TEST(ConvertOverlayLine, ChoosesTheDelimiterPerLine) {
    struct Case {
        std::string line, rewritten;
        double t, y1, y2, y3;
    } cases[] = {
        {"12;1,5;20,0;3,2", "12;1.5;20.0;3.2", 12, 1.5, 20.0, 3.2},
        {"12,1.5,20.0,3.2", "12,1.5,20.0,3.2", 12, 1.5, 20.0, 3.2},
        {"40,1,2", "40,1,2", 40, 1, 2, 0},
        {"", "", 0, 0, 0, 0},
        {"7.5;1;2;3", "7.5;1;2;3", 0, 1, 2, 3},
        {"5,6;7", "5.6;7", 0, 7, 0, 0},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.line);
        Sample s = ConvertOverlayLine(c.line);
        EXPECT_EQ(c.line, c.rewritten);
        EXPECT_DOUBLE_EQ(s.t, c.t);
        EXPECT_DOUBLE_EQ(s.y[0], c.y1);
        EXPECT_DOUBLE_EQ(s.y[1], c.y2);
        EXPECT_DOUBLE_EQ(s.y[2], c.y3);
    }
}

// A file whose lines mix both variants, a blank line and a fourth column far
// off any scale: each line is read on its own, values stay as written.
TEST(ReadOverlayFile, ReadsEveryLineByItsOwnDelimiterRaw) {
    LineList lines;
    WaveColumns cols;
    ASSERT_TRUE(ReadOverlayFile(std::string(VX_TEST_DATA) + "/overlay_mixed.csv", lines, cols));
    ASSERT_EQ(cols.size(), 4u);
    EXPECT_EQ(cols.t, (std::vector<double>{0, 10, 0, 20}));
    EXPECT_EQ(cols.y1, (std::vector<double>{150.5, 151, 0, 149}));
    EXPECT_EQ(cols.y2, (std::vector<double>{20.5, 21, 0, 20}));
    EXPECT_EQ(cols.y3, (std::vector<double>{7, 7.5, 0, 1234}));
    EXPECT_TRUE(lines.empty());  // the text streams by, it is not kept
}

TEST(ReadOverlayFile, UnreadableOrHeaderOnly) {
    TempFolder dir;
    LineList lines;
    WaveColumns cols;
    cols.t = {1};
    EXPECT_FALSE(ReadOverlayFile(dir / "000001.csv", lines, cols));
    EXPECT_EQ(cols.size(), 0u);
    EXPECT_TRUE(ReadOverlayFile(dir.Write("000002.csv", "Time[msec];a;b;c\r\n"), lines, cols));
    EXPECT_EQ(cols.size(), 0u);
}

}  // namespace
}  // namespace vx
