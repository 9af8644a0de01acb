// The streamed reader against the line-list reader: for any bytes, in any
// piece size, the same header, the same readability and the same samples bit
// for bit, both for a file's own variant and for the overlay's per-line rule.
#include "wavefile/wave_stream.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "common/number_text.h"
#include "wave_test_files.h"
#include "wavefile/data_block.h"
#include "wavefile/wave_csv.h"

namespace vx {
namespace {

using test::Sj;
using test::TempFolder;

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

void ExpectSameColumns(const WaveColumns& got, const WaveColumns& want) {
    ASSERT_EQ(got.size(), want.size());
    ASSERT_EQ(got.y1.size(), want.size());
    ASSERT_EQ(got.y2.size(), want.size());
    ASSERT_EQ(got.y3.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i) {
        ASSERT_TRUE(SameBits(got.t[i], want.t[i])) << "time " << i;
        ASSERT_TRUE(SameBits(got.y1[i], want.y1[i])) << "value 1 of " << i;
        ASSERT_TRUE(SameBits(got.y2[i], want.y2[i])) << "value 2 of " << i;
        ASSERT_TRUE(SameBits(got.y3[i], want.y3[i])) << "value 3 of " << i;
    }
}

// The loader's rule: the header's variant, nothing for fewer than four fields.
std::optional<DataRule> LoaderRule(std::string_view header) {
    std::string_view f[4];
    const WaveVariant v = DetectVariant(header);
    if (SplitFourFields(header, v.delimiter, f) != 4) return std::nullopt;
    return RuleOf(v);
}

std::optional<DataRule> OverlayRule(std::string_view) { return DataRule{',', false, true}; }

struct Reference {
    bool readable = false;
    std::string header;
    WaveColumns cols;
};

// The line-list way: the whole file as lines, then line by line.
Reference ReadByLines(const std::string& path, bool overlay) {
    Reference r;
    LineList lines;
    r.readable = ReadWaveLines(path, lines);
    if (!r.readable) return r;
    r.header = lines[0];
    if (overlay) {
        ConvertLinesWith(lines, r.cols, PrepareOverlayLine);
    } else if (LoaderRule(r.header)) {
        ConvertDataLines(lines, DetectVariant(r.header), r.cols);
    }
    return r;
}

void ExpectStreamedAsByLines(const std::string& path, const std::vector<size_t>& chunks) {
    for (bool overlay : {false, true}) {
        const Reference want = ReadByLines(path, overlay);
        for (size_t chunk : chunks) {
            SCOPED_TRACE((overlay ? "overlay, chunk " : "loader, chunk ") + std::to_string(chunk));
            std::string header = "none";
            const HeaderRule rule = [&](std::string_view h) {
                header = h;
                return overlay ? OverlayRule(h) : LoaderRule(h);
            };
            WaveColumns got;
            got.t = {1};  // left over from before: must go
            LineList scratch;
            ASSERT_EQ(ReadWaveSamples(path, rule, got, scratch, chunk), want.readable);
            EXPECT_TRUE(scratch.empty());
            if (!want.readable) {
                EXPECT_EQ(got.size(), 0u);
                continue;
            }
            EXPECT_EQ(header, want.header);
            ExpectSameColumns(got, want.cols);
        }
    }
}

const std::vector<size_t> kChunks = {16, 17, 23, 64, 1000, kStreamChunk};

// Text that mixes plain lines with every kind of trouble: line breaks of each
// kind, signs, exponents, blanks, NUL, lone CP932 lead bytes, UTF-8, overlong
// numbers, empty and extra fields.
std::string RandomData(std::mt19937_64& rng, int lines, bool asciiOnly) {
    static const char* kBreaks[] = {"\n", "\r\n", "\r"};
    static const std::string kNoise[] = {
        "e5", "E", "+", " ",     "x",      "\t",   std::string(1, '\0'), ".",    "..",
        "-",  ",", ";", "1e400", "1e-400", "\x8d", "\xe3\x81\x82",       "\xff", "0x1",
        "inf"};
    std::string out;
    for (int i = 0; i < lines; ++i) {
        const unsigned kind = static_cast<unsigned>(rng() % 10);
        if (kind < 6) {  // plain: time and three decimals
            out += std::to_string(rng() % 2000000000);
            for (int k = 0; k < 3; ++k) {
                out += ',';
                if (rng() % 4 == 0) out += '-';
                std::string digits = std::to_string(rng() % 100000000000000000ull);
                digits.resize(1 + rng() % digits.size());
                if (rng() % 3) digits.insert(rng() % (digits.size() + 1), ".");
                out += digits;
            }
            if (rng() % 8 == 0) out += ",9";  // a fifth column
        } else if (kind < 9) {                // plain pieces with noise between them
            const int n = static_cast<int>(rng() % 8);
            for (int k = 0; k < n; ++k) {
                if (rng() % 2) {
                    out += std::to_string(rng() % 100000);
                } else {
                    const std::string& noise = kNoise[rng() % std::size(kNoise)];
                    if (!asciiOnly || static_cast<unsigned char>(noise[0]) < 0x80) out += noise;
                }
                if (rng() % 2) out += rng() % 3 ? ',' : ';';
            }
        }  // else: an empty line
        if (i + 1 < lines || rng() % 2) out += kBreaks[rng() % 3];
    }
    return out;
}

TEST(ReadWaveSamples, AgreesWithTheLineListReaderOnRandomFiles) {
    const std::vector<std::string> headers = {
        "Time[msec],CurrentActual[A],VoltageActual[V],FeedingActual[m/min]",
        "Time[msec];CurrentActual[A];VoltageActual[V];FeedingActual[m/min]",
        Sj("時間[msec],電流実測値[A],電圧実測値[V],送給実測値[m/min]"),
        "時間[msec],電流実測値[A],電圧実測値[V],送給実測値[m/min]",  // UTF-8
        "\xEF\xBB\xBF時間[msec];電流指令値[A];電圧指令値[V];送給指令値[m/min]",
        "Time[msec],CurrentActual[A],VoltageActual[V]",  // three fields: no samples
        "",
    };
    TempFolder dir;
    std::mt19937_64 rng(2024);
    for (int round = 0; round < 120; ++round) {
        const std::string& header = headers[static_cast<size_t>(round) % headers.size()];
        const bool asciiOnly = round % 3 == 0;
        std::string bytes = header + "\r\n" + RandomData(rng, 1 + round % 40, asciiOnly);
        SCOPED_TRACE(testing::PrintToString(bytes));
        ExpectStreamedAsByLines(dir.Write("w.csv", bytes), kChunks);
    }
}

TEST(ReadWaveSamples, AgreesOnFilesOfEveryShape) {
    const std::string header = "Time[msec],CurrentActual[A],VoltageActual[V],FeedingActual[m/min]";
    const std::string plain = "10,220.5,24.25,8.1\r\n";
    std::string bigPlain = header + "\r\n";
    for (int i = 0; i < 5000; ++i)
        bigPlain += std::to_string(i * 10) + ",220.5,-24.25,8." + std::to_string(i % 10) +
                    (i % 2 ? "\r\n" : "\n");
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"lone LF", "\n"},
        {"lone CR", "\r"},
        {"header only", header},
        {"header and CR", header + "\r"},
        {"no break at the end", header + "\n" + plain + "20,1,2,3"},
        {"CR LF at every boundary", header + "\r\n" + std::string(5, 'x') + "\r\n" + plain + plain},
        {"a line longer than a piece", header + "\n" + std::string(3000, '7') + ",1,2,3\n" + plain},
        {"a header longer than a piece", header + std::string(5000, 'F') + "\n" + plain},
        {"UTF-8 byte-order mark only", "\xEF\xBB\xBF"},
        {"UTF-16 with a mark",
         test::Utf16WithBom(u"Time[msec];a;b;c\r\n0;1,5;2;3\r\n10;4;5;6,25", false)},
        {"ASCII header, UTF-8 data",
         header + "\n0,1,2,3\n" + std::string(4000, '1') + ",\xe3\x81\x82,2\n5,6,7,8\n"},
        {"ASCII header, CP932 data",
         header + "\n0,1,2,3\n" + std::string(4000, '1') + ",\x8d\x41,2\n5,6,7,8\n"},
        {"decimal commas", "T;a;b;c\n0;1,5;2,25;3\n10;,5;-0,0;1e3\n"},
        {"many plain lines", bigPlain},
    };
    TempFolder dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectStreamedAsByLines(dir.Write("w.csv", c.bytes), kChunks);
    }
}

// The short cut for plain decimals against the general conversion of the same
// line, on values of every length around the 15 digits it takes.
TEST(ConvertDataBlock, PlainDecimalsMatchTheLineConversionBitForBit) {
    std::mt19937_64 rng(99);
    std::string text;
    std::vector<std::string> lines;
    const char* fixed[] = {"0,0,-0,5.",
                           "1,0.1,0.3,-2.675",
                           "2,123456789012345,1.5,2",
                           "3,1234567890123456,1,2",
                           "4,0.000000000000001,0.00000000000001,1",
                           "5,99999999999999.9,9007199254740993,.5",
                           "999999999,1,2,3",
                           "1000000000,1,2,3",
                           "-5,1,2,3",
                           "+5,1,2,3"};
    for (const char* f : fixed) lines.push_back(f);
    for (int i = 0; i < 50000; ++i) {
        std::string line = std::to_string(rng() % 1000000000);
        for (int k = 0; k < 3; ++k) {
            line += ',';
            if (rng() % 3 == 0) line += '-';
            const int digits = 1 + static_cast<int>(rng() % 18);
            std::string d;
            for (int j = 0; j < digits; ++j) d += static_cast<char>('0' + rng() % 10);
            if (rng() % 4) d.insert(rng() % (d.size() + 1), ".");
            if (d[0] == '.') d.insert(0, "0");
            line += d;
        }
        lines.push_back(line);
    }
    for (const std::string& l : lines) text += l + "\n";

    WaveColumns got;
    ConvertDataBlock(text.data(), text.data() + text.size(), RuleOf(WaveVariant{}), got);
    ASSERT_EQ(got.size(), lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        const Sample want = ConvertDataLine(lines[i], ',');
        ASSERT_TRUE(SameBits(got.t[i], want.t)) << lines[i];
        ASSERT_TRUE(SameBits(got.y1[i], want.y[0])) << lines[i];
        ASSERT_TRUE(SameBits(got.y2[i], want.y[1])) << lines[i];
        ASSERT_TRUE(SameBits(got.y3[i], want.y[2])) << lines[i];
        // And the line conversion agrees with the plain strtod-like reading.
        std::string_view f[4];
        SplitFourFields(lines[i], ',', f);
        ASSERT_TRUE(SameBits(want.y[0], ParseLeadingDouble(f[1]))) << lines[i];
    }
}

// Logs repeat the shape of their lines; the reader takes a short cut for a
// line shaped as the one before. Lines of a few shapes, a fifth of them with
// one byte changed, put in or left out, must still read as each alone.
TEST(ConvertDataBlock, LinesShapedAsTheOneBeforeMatchTheLineConversion) {
    const std::vector<std::string> shapes = {
        "123,220.5,24.50,8.06", "1234567,-0.5,-12.25,1234567.1", "5,0,1,2",
        "99999999,1.2345678,0.0000001,12345678", "42,12345678.1234567,-9.,0.5", "7,1.5,2.5,3.5,9",
        "1,123456789,1.23456789,2", "10,1.1,2.2,3.333333333333333333",
        // eight digits and no point: a word of digits
        "0,21647999,-0,12345678"};
    const char changeBytes[] = "0123456789,.-+e ;\0\x80x\r";
    const std::string changes(changeBytes, sizeof changeBytes - 1);
    std::mt19937_64 rng(4);
    std::vector<std::string> lines;
    for (int i = 0; i < 6000; ++i) {
        std::string line = shapes[static_cast<size_t>(i / 300) % shapes.size()];
        for (char& c : line)
            if (c >= '0' && c <= '9') c = static_cast<char>('0' + rng() % 10);
        if (rng() % 5 == 0) {
            const size_t at = rng() % (line.size() + 1);
            const char c = changes[rng() % changes.size()];
            switch (rng() % 3) {
                case 0:
                    if (at < line.size()) line[at] = c;
                    break;
                case 1:
                    line.insert(at, 1, c);
                    break;
                default:
                    if (at < line.size()) line.erase(at, 1);
            }
        }
        lines.push_back(line);
    }
    for (const DataRule& rule : {RuleOf(WaveVariant{}), DataRule{',', false, true}}) {
        std::string text;
        for (const std::string& line : lines) text += line + (rng() % 2 ? "\r\n" : "\n");
        // The lines as the line list splits them (a CR among the changes splits one).
        LineList split;
        split.Assign(text);
        std::vector<std::string> byItself;
        for (size_t k = 0; k < split.size(); ++k) byItself.emplace_back(split[k]);
        WaveColumns got;
        ConvertDataBlock(text.data(), text.data() + text.size(), rule, got);
        ASSERT_EQ(got.size(), byItself.size());
        for (size_t i = 0; i < byItself.size(); ++i) {
            std::string line = byItself[i];
            const char d = rule.perLine ? PrepareOverlayLine(line) : ',';
            const Sample want = ConvertDataLine(line, d);
            ASSERT_TRUE(SameBits(got.t[i], want.t)) << testing::PrintToString(byItself[i]);
            ASSERT_TRUE(SameBits(got.y1[i], want.y[0])) << testing::PrintToString(byItself[i]);
            ASSERT_TRUE(SameBits(got.y2[i], want.y[1])) << testing::PrintToString(byItself[i]);
            ASSERT_TRUE(SameBits(got.y3[i], want.y[2])) << testing::PrintToString(byItself[i]);
        }
    }
}

}  // namespace
}  // namespace vx
