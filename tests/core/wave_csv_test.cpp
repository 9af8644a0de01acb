#include "wavefile/wave_csv.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <future>
#include <random>
#include <vector>

#include "common/number_text.h"
#include "common/weld_common.h"
#include "wave_test_files.h"
#include "wavefile/wave_layout.h"

namespace vx {
namespace {

using test::Sj;
using test::TempFolder;
using test::Utf16WithBom;

std::vector<std::string> DefaultNames() { return {Sj("時間[msec]"), "Time[msec]"}; }

struct Point {
    double t, y1, y2, y3;
};

struct ReaderCase {
    std::string name;
    std::string bytes;
    bool accepted;  // by CheckCsvFile with the default time-column names
    int layout;     // -1: the header gives fewer than four fields
    std::vector<Point> samples;
};

const std::vector<Point> kRow1Samples = {
    {0, 120.5, 18.2, 4.0}, {10, 121, 18.3, 4.1}, {20, 119.8, 18.1, 4.1}};

std::vector<ReaderCase> ReaderCases() {
    const std::string jpRow1 = Sj("時間[msec],電流指令値[A],電圧指令値[V],送給指令値[m/min]");
    const std::string en0 = "Time[msec],CurrentActual[A],VoltageActual[V],FeedingActual[m/min]";
    std::string jpRow1Semi = jpRow1;
    std::replace(jpRow1Semi.begin(), jpRow1Semi.end(), ',', ';');
    return {
        {"CommaJapanese",
         jpRow1 + "\r\n0,120.5,18.2,4.0\r\n10,121,18.3,4.1\r\n20,119.8,18.1,4.1\r\n", true, 1,
         kRow1Samples},
        {"SemicolonDecimalComma",
         jpRow1Semi + "\r\n0;120,5;18,2;4,0\r\n10;121;18,3;4,1\r\n20;119,8;18,1;4,1\r\n", true, 1,
         kRow1Samples},
        // After the comma replacement a data line is one field: only a line that
        // is a whole number as a whole gets a time.
        {"SemicolonHeaderOverCommaData",
         jpRow1Semi + "\r\n0,120.5,18.2,4.0\r\n30\r\n",
         true,
         1,
         {{0, 0, 0, 0}, {30, 0, 0, 0}}},
        {"FiveHeaderFields",
         en0 + ",Extra[x]\n0,1,2,3,4\n10,5,6,7\n",
         true,
         0,
         {{0, 1, 2, 3}, {10, 5, 6, 7}}},
        {"ThreeHeaderFields",
         "Time[msec],CurrentActual[A],VoltageActual[V]\n0,1,2\n",
         false,
         -1,
         {}},
        {"FractionTimeUnitValueEmptyFields",
         en0 + "\n12.5,12.5A,,7\n10,,x,\n-20,1e2,.5,-3\n",
         true,
         0,
         {{0, 12.5, 0, 7}, {10, 0, 0, 0}, {-20, 100, 0.5, -3}}},
        {"ShortDataLines", en0 + "\n10,1\n20\n", true, 0, {{10, 1, 0, 0}, {20, 0, 0, 0}}},
        {"BlankLineInData",
         en0 + "\n10,1,2,3\n\n20,4,5,6\n",
         true,
         0,
         {{10, 1, 2, 3}, {0, 0, 0, 0}, {20, 4, 5, 6}}},
        {"EnglishCommandNames",
         "Time[msec],CurrentSet[A],VoltageSet[V],FeedingSet[m/min]\n0,1,2,3",
         true,
         1,
         {{0, 1, 2, 3}}},
        {"TimeNameWithTrailingBlank",
         "Time[msec] ,CurrentActual[A],VoltageActual[V],FeedingActual[m/min]\n0,1,2,3\n",
         false,
         0,
         {{0, 1, 2, 3}}},
        {"TimeNameInOtherCase",
         "time[msec],CurrentActual[A],VoltageActual[V],FeedingActual[m/min]\n",
         false,
         0,
         {}},
        {"Utf8Bom",
         "\xEF\xBB\xBF時間[msec],電流指令値[A],電流実測値[A],電圧実測値[V]\r\n0,150,148,21.5\r\n",
         true,
         2,
         {{0, 150, 148, 21.5}}},
        {"Utf16LittleEndianBom",
         Utf16WithBom(u"時間[msec],電流指令値[A],電流実測値[A],送給実測値[m/"
                      u"min]\r\n0,150,148.5,6.2\r\n10,151,149,6.3\r\n",
                      false),
         true,
         3,
         {{0, 150, 148.5, 6.2}, {10, 151, 149, 6.3}}},
        {"Utf16BigEndianBom",
         Utf16WithBom(u"時間[msec];電圧指令値[V];電圧実測値[V];送給実測値[m/min]\n0;20,5;21;7,5\n",
                      true),
         true,
         5,
         {{0, 20.5, 21, 7.5}}},
        {"Utf8WithoutBom",
         "時間[msec],電圧実測値[V],送給指令値[m/min],送給実測値[m/min]\n0,22,8,7.9\n",
         true,
         7,
         {{0, 22, 8, 7.9}}},
        {"CarriageReturnOnly",
         en0 + "\r0,1,2,3\r10,4,5,6\r",
         true,
         0,
         {{0, 1, 2, 3}, {10, 4, 5, 6}}},
        {"HeaderOnly", en0, true, 0, {}},
    };
}

class WaveReaderTest : public ::testing::TestWithParam<ReaderCase> {};

// The read as the viewer does it: lines, variant from the header, four header
// fields, layout, data lines.
TEST_P(WaveReaderTest, ReadsAsTheViewerDoes) {
    const ReaderCase& c = GetParam();
    TempFolder dir;
    std::string path = dir.Write("wave.csv", c.bytes);

    EXPECT_EQ(CheckCsvFile(path, DefaultNames()), c.accepted);

    LineList lines;
    ASSERT_TRUE(ReadWaveLines(path, lines));
    std::string first;
    ASSERT_TRUE(ReadFirstLine(path, first));
    EXPECT_EQ(first, lines[0]);

    WaveVariant v = DetectVariant(lines[0]);
    std::string f[4];
    int n = WeldCommon::SplitFields(lines[0], std::string(1, v.delimiter), true, 4, f);
    if (c.layout < 0) {
        EXPECT_LT(n, 4);
        return;
    }
    ASSERT_EQ(n, 4);
    EXPECT_EQ(DetectWaveLayout(f), c.layout);

    WaveColumns cols;
    ConvertDataLines(lines, v, cols);
    ASSERT_EQ(cols.size(), c.samples.size());
    for (size_t i = 0; i < c.samples.size(); ++i) {
        SCOPED_TRACE("sample " + std::to_string(i));
        EXPECT_DOUBLE_EQ(cols.t[i], c.samples[i].t);
        EXPECT_DOUBLE_EQ(cols.y1[i], c.samples[i].y1);
        EXPECT_DOUBLE_EQ(cols.y2[i], c.samples[i].y2);
        EXPECT_DOUBLE_EQ(cols.y3[i], c.samples[i].y3);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, WaveReaderTest, ::testing::ValuesIn(ReaderCases()),
                         [](const auto& info) { return info.param.name; });

TEST(WaveReader, FixtureFilesGiveTheSameSamplesInBothVariants) {
    for (const char* name : {"wave_row1_comma.csv", "wave_row1_semicolon.csv"}) {
        SCOPED_TRACE(name);
        std::string path = std::string(VX_TEST_DATA) + "/" + name;
        EXPECT_TRUE(CheckCsvFile(path, DefaultNames()));
        LineList lines;
        ASSERT_TRUE(ReadWaveLines(path, lines));
        WaveColumns cols;
        ConvertDataLines(lines, DetectVariant(lines[0]), cols);
        ASSERT_EQ(cols.size(), kRow1Samples.size());
        for (size_t i = 0; i < cols.size(); ++i) {
            EXPECT_DOUBLE_EQ(cols.t[i], kRow1Samples[i].t);
            EXPECT_DOUBLE_EQ(cols.y1[i], kRow1Samples[i].y1);
            EXPECT_DOUBLE_EQ(cols.y2[i], kRow1Samples[i].y2);
            EXPECT_DOUBLE_EQ(cols.y3[i], kRow1Samples[i].y3);
        }
    }
}

TEST(ConvertDataLines, DecimalCommaLinesAreStoredBackHeaderUntouched) {
    LineList lines;
    lines.Assign("T;a,b;c;d\n0;120,5;18,2;4,0\n10;1,25;2;3\n");
    WaveColumns cols;
    ConvertDataLines(lines, DetectVariant(lines[0]), cols);
    EXPECT_EQ(lines[0], "T;a,b;c;d");
    EXPECT_EQ(lines[1], "0;120.5;18.2;4.0");
    EXPECT_EQ(lines[2], "10;1.25;2;3");
    EXPECT_DOUBLE_EQ(cols.y1[1], 1.25);
}

TEST(ConvertDataLines, CommaVariantLeavesLinesAsTheyAre) {
    LineList lines;
    lines.Assign("T,a,b,c\n0,1.5,2,3\n");
    WaveColumns cols;
    ConvertDataLines(lines, DetectVariant(lines[0]), cols);
    EXPECT_EQ(lines[1], "0,1.5,2,3");
    ASSERT_EQ(cols.size(), 1u);
}

TEST(DetectVariant, SemicolonAnywhereInTheHeaderDecides) {
    EXPECT_EQ(DetectVariant("Time[msec],A,B,C").delimiter, ',');
    EXPECT_FALSE(DetectVariant("Time[msec],A,B,C").decimalComma);
    WaveVariant v = DetectVariant("Time[msec],A,B,C;");
    EXPECT_EQ(v.delimiter, ';');
    EXPECT_TRUE(v.decimalComma);
}

TEST(SplitFourFields, AgreesWithSplitFields) {
    for (const char* text : {"p,q,r,s", "p,q,r", "p,q,r,", "p,,r,s", "p,q,r,s,t", "pqr", "", ",",
                             ",,,,,", "a,b,c,d,e,f", ";a,b;c"}) {
        SCOPED_TRACE(text);
        std::string want[4];
        int wantCount = WeldCommon::SplitFields(text, ",", true, 4, want);
        std::string_view got[4];
        EXPECT_EQ(SplitFourFields(text, ',', got), wantCount);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(got[i], want[i]) << "field " << i;
    }
}

TEST(ConvertDataLine, FourthFieldEndsAtTheFourthDelimiter) {
    Sample s = ConvertDataLine("100,1.5,2.5,3.5,9,9", ',');
    EXPECT_EQ(s.t, 100);
    EXPECT_EQ(s.y[0], 1.5);
    EXPECT_EQ(s.y[1], 2.5);
    EXPECT_EQ(s.y[2], 3.5);
    s = ConvertDataLine(" 7;1;2;3", ';');
    EXPECT_EQ(s.t, 7);
    EXPECT_EQ(s.y[2], 3);
}

// Data lines take a short cut for plain decimals; it must give the very same
// doubles as the general conversion, bit for bit.
TEST(ConvertDataLine, ValuesMatchTheGeneralConversionExactly) {
    std::vector<std::string> texts = {"0",
                                      "-0",
                                      "5.",
                                      "0.1",
                                      "0.3",
                                      "-2.675",
                                      "231.5",
                                      "1e3",
                                      "12.5A",
                                      " 7.25",
                                      "+3.5",
                                      "-.5",
                                      ".5",
                                      "1.7976931348623157e308",
                                      "123456789012345",
                                      "1234567890123456",
                                      "0.000000000000001",
                                      "9007199254740993",
                                      "99999999999999.9",
                                      "4.35;",
                                      "x",
                                      ""};
    std::mt19937_64 rng(12345);
    for (int i = 0; i < 20000; ++i) {
        std::string t = std::to_string(rng() % 100000000000ull);
        size_t point = rng() % (t.size() + 1);
        if (point < t.size()) t.insert(point, ".");
        if (rng() % 4 == 0) t.insert(0, "-");
        texts.push_back(t);
    }
    for (const std::string& text : texts) {
        double want = ParseLeadingDouble(text);
        double got = ConvertDataLine("0," + text, ',').y[0];
        EXPECT_EQ(std::memcmp(&got, &want, sizeof got), 0)
            << '"' << text << "\" " << got << " vs " << want;
    }
    std::vector<std::string> times = {"10",         "-10",        "+10",  " 10", "10 ", "999999999",
                                      "2147483647", "2147483648", "0x10", "1.0", ""};
    for (const std::string& text : times)
        EXPECT_EQ(ConvertDataLine(text, ',').t, ParseWholeNumber(text)) << '"' << text << '"';
}

TEST(LineList, SplitsAtEveryKindOfLineBreak) {
    struct Case {
        std::string text;
        std::vector<std::string> lines;
    } cases[] = {
        {"", {}},
        {"\n", {""}},
        {"\r\n", {""}},
        {"a", {"a"}},
        {"a\n", {"a"}},
        {"a\r\nb", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\n\nb\n", {"a", "", "b"}},
        {"a\r\r\nb", {"a", "", "b"}},
        {"a\n\r", {"a", ""}},
        {"a\n\rb\r\n\r\nc", {"a", "", "b", "", "c"}},
        {std::string("x\0y\nz", 5), {std::string("x\0y", 3), "z"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.text));
        LineList l;
        l.Assign(c.text);
        ASSERT_EQ(l.size(), c.lines.size());
        for (size_t i = 0; i < l.size(); ++i) EXPECT_EQ(l[i], c.lines[i]);
    }
}

// Byte by byte, the plain reading of the line-break rules.
std::vector<std::string> SplitLinesSlowly(const std::string& text) {
    std::vector<std::string> lines;
    std::string cur;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c != '\r' && c != '\n') {
            cur += c;
            continue;
        }
        lines.push_back(cur);
        cur.clear();
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    }
    if (!cur.empty()) lines.push_back(cur);
    return lines;
}

TEST(LineList, AgreesWithByteWiseSplittingOnRandomText) {
    // Bytes near CR and LF in value, and CP932 lead bytes, at every alignment.
    const char alphabet[] = {'a',    '\r', '\n',   '\t',   '\x0b', '\x8d',
                             '\x8a', '\0', '\xff', '\x0e', ','};
    std::mt19937 rng(7);
    for (int round = 0; round < 3000; ++round) {
        std::string text(rng() % 80, 'a');
        for (char& c : text) c = alphabet[rng() % sizeof alphabet];
        LineList l;
        l.Assign(text);
        std::vector<std::string> want = SplitLinesSlowly(text);
        ASSERT_EQ(l.size(), want.size()) << testing::PrintToString(text);
        for (size_t i = 0; i < want.size(); ++i)
            ASSERT_EQ(l[i], want[i]) << testing::PrintToString(text);
    }
}

TEST(LineList, SetLineReplacesOneLineEvenFromItsOwnText) {
    LineList l;
    l.Assign("first\nsecond\nthird");
    l.SetLine(1, "a much longer second line");
    l.SetLine(0, l[2]);  // a view into the list itself
    EXPECT_EQ(l[0], "third");
    EXPECT_EQ(l[1], "a much longer second line");
    EXPECT_EQ(l[2], "third");
    l.clear();
    EXPECT_EQ(l.size(), 0u);
}

TEST(ReadWaveLines, RefusesWhatIsNoReadableFileAndKeepsTheOldLines) {
    TempFolder dir;
    dir.Write("empty.csv", "");
    dir.Write("bom-only.csv", "\xEF\xBB\xBF");
    std::filesystem::create_directory(dir / "folder.csv");
    for (std::string name : {"missing.csv", "empty.csv", "bom-only.csv", "folder.csv"}) {
        SCOPED_TRACE(name);
        LineList lines;
        lines.Assign("old\nlines");
        std::string first = "old";
        EXPECT_FALSE(ReadWaveLines(dir / name, lines));
        EXPECT_FALSE(ReadFirstLine(dir / name, first));
        if (name == "missing.csv" || name == "folder.csv") {
            EXPECT_EQ(lines.size(), 2u);
        }
        EXPECT_FALSE(CheckCsvFile(dir / name, DefaultNames()));
    }
}

TEST(ReadWaveLines, ALoneLineBreakIsOneEmptyLine) {
    TempFolder dir;
    std::string path = dir.Write("w.csv", "\n");
    LineList lines;
    ASSERT_TRUE(ReadWaveLines(path, lines));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "");
    std::string first = "x";
    EXPECT_TRUE(ReadFirstLine(path, first));
    EXPECT_EQ(first, "");
}

TEST(ReadWaveLines, FifoIsRefusedWithoutBlocking) {
    TempFolder dir;
    std::string fifo = dir / "pipe.csv";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    auto reads = std::async(std::launch::async, [&] {
        LineList lines;
        std::string first;
        return ReadWaveLines(fifo, lines) || ReadFirstLine(fifo, first) ||
               CheckCsvFile(fifo, DefaultNames());
    });
    if (reads.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        // Release the blocked open so the test can end, then fail.
        int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0) ::close(fd);
        FAIL() << "reading a FIFO blocked";
    }
    EXPECT_FALSE(reads.get());
}

// Without a byte-order mark the whole file decides whether it is UTF-8; the
// header alone must not be taken as UTF-8 when later bytes are not.
TEST(ReadFirstLine, DecodesTheHeaderAsTheWholeFileIsDecoded) {
    TempFolder dir;
    std::string header = "時間[msec],電流実測値[A],電圧実測値[V],送給実測値[m/min]";  // UTF-8
    std::string padding(10000, '0');  // pushes the later bytes past the first read
    std::string utf8 = dir.Write("u.csv", header + "\n" + padding + ",1,2,3\n");
    std::string mixed = dir.Write("m.csv", header + "\n" + padding + "," + Sj("電流") + "\n");

    std::string first;
    LineList lines;
    ASSERT_TRUE(ReadFirstLine(utf8, first));
    EXPECT_EQ(first, Sj(header));
    EXPECT_TRUE(CheckCsvFile(utf8, DefaultNames()));

    ASSERT_TRUE(ReadFirstLine(mixed, first));
    ASSERT_TRUE(ReadWaveLines(mixed, lines));
    EXPECT_EQ(first, lines[0]);
    EXPECT_EQ(first, header);  // left as bytes: the file is not UTF-8
}

TEST(ReadFirstLine, LongHeaderAcrossReadsAndUtf16BreakOnlyOnWholeUnits) {
    TempFolder dir;
    std::string longHeader =
        "Time[msec],CurrentActual[A],VoltageActual[V]," + std::string(20000, 'F');
    std::string path = dir.Write("long.csv", longHeader + "\r\n0,1,2,3\r\n");
    std::string first;
    ASSERT_TRUE(ReadFirstLine(path, first));
    EXPECT_EQ(first, longHeader);

    // U+0A0D and U+0D0A hold the bytes of CR and LF but are no line break.
    std::string utf16 =
        dir.Write("u16.csv", Utf16WithBom(u"Time[msec],\u0A0D\u0D0A,b,c\nx", false));
    LineList lines;
    ASSERT_TRUE(ReadFirstLine(utf16, first));
    ASSERT_TRUE(ReadWaveLines(utf16, lines));
    EXPECT_EQ(lines.size(), 2u);
    EXPECT_EQ(first, lines[0]);
}

TEST(CheckCsvFile, AcceptsOnlyListedTimeNamesExactly) {
    TempFolder dir;
    std::string path = dir.Write("w.csv", "Zeit[ms],a,b,c\n");
    EXPECT_FALSE(CheckCsvFile(path, DefaultNames()));
    EXPECT_TRUE(CheckCsvFile(path, {"Time[msec]", "Zeit[ms]"}));
    EXPECT_FALSE(CheckCsvFile(path, {"Zeit[ms"}));
    EXPECT_FALSE(CheckCsvFile(path, {}));
}

}  // namespace
}  // namespace vx

namespace vx {
namespace {

TEST(ConvertDataLines, DecimalCommasRewriteOnlyTheDataLines) {
    for (bool moved : {false, true}) {
        SCOPED_TRACE(moved ? "a line replaced before" : "lines as read");
        LineList lines;
        lines.Assign("Time[msec];a,b;c,d;e,f\r\n0;1,5;2,25;3\r\n10;4,5;,5;x,y\r\n");
        if (moved) lines.SetLine(1, "0;1,5;2,25;3");  // moves line 2 to the end of the buffer
        WaveColumns c;
        ConvertDataLines(lines, DetectVariant(lines[0]), c);
        EXPECT_EQ(lines[0], "Time[msec];a,b;c,d;e,f");
        EXPECT_EQ(lines[1], "0;1.5;2.25;3");
        EXPECT_EQ(lines[2], "10;4.5;.5;x.y");
        ASSERT_EQ(c.size(), 2u);
        EXPECT_EQ(c.y1[0], 1.5);
        EXPECT_EQ(c.y2[1], 0.5);
    }
}

}  // namespace
}  // namespace vx
