#include "display/readout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "display/axes.h"
#include "display/trace_map.h"
#include "display_test_util.h"

namespace vx {
namespace {

using testing::DisplaySetting;

TEST(FormatReadoutValue, SevenWideTwoDecimals) {
    struct Case {
        double v;
        const char* want;
    } cases[] = {{5.5, "   5.50"},        {250, " 250.00"},      {-3.456, "  -3.46"},
                 {12345.678, "12345.68"}, {0, "   0.00"},        {-1234.5, "-1234.50"},
                 {0.125, "   0.12"},      {1e9, "1000000000.00"}};
    for (const Case& c : cases) EXPECT_EQ(FormatReadoutValue(c.v), c.want) << c.v;
}

TEST(FormatReadout, TimeLineThenOneLinePerTrace) {
    EXPECT_EQ(FormatReadout(1234, {5.5, 250.0, -3.456}), "1234ms\r\n   5.50\r\n 250.00\r\n  -3.46");
    EXPECT_EQ(FormatReadout(1234, {5.5, std::nullopt, 1.0}), "1234ms\r\n   5.50\r\n\r\n   1.00");
    EXPECT_EQ(FormatReadout(0, {1.0, 2.0, std::nullopt}), "0ms\r\n   1.00\r\n   2.00\r\n");
    EXPECT_EQ(FormatReadout(-7, {}), "-7ms\r\n\r\n\r\n");
}

TEST(Trace3Mapping, MapsOntoTheFirstScaleAndBack) {
    // Wire feed 2..12 (trace 3, row 1) onto current 0..600.
    WeldWaveSetting s = DisplaySetting({0, 600, {}}, {0, 100, {}}, {2, 12, {}});
    RangeAxis time, left, right;
    Trace3Mapping m = MakeTrace3Mapping(s, 1, SetupAxes(s, 1, time, left, right).AxisFactor[2]);
    EXPECT_DOUBLE_EQ(m.Map(7.0), 300.0);
    EXPECT_DOUBLE_EQ(m.Map(2.0), 0.0);
    EXPECT_DOUBLE_EQ(m.Map(12.0), 600.0);
    EXPECT_DOUBLE_EQ(m.Inverse(300.0), 7.0);

    // A factor that would divide by zero is taken as 1.
    for (double bad : {0.0, double(NAN), double(INFINITY)}) {
        m = MakeTrace3Mapping(s, 1, bad);
        EXPECT_EQ(m.factor, 1.0);
        EXPECT_DOUBLE_EQ(m.Inverse(5.0), 7.0);
    }
    Trace3Mapping raw{100, 10, 0};
    EXPECT_TRUE(std::isfinite(raw.Inverse(150)));
}

TEST(LastVisibleIndex, LastPointWithinTheAxisRange) {
    const std::vector<double> t{0, 10, 20, 20, 30};
    struct Case {
        double min, max;
        ptrdiff_t want;
    } cases[] = {{0, 100, 4},  {0, 20, 3},    {0, 19.9, 1}, {21, 29, -1},
                 {31, 50, -1}, {-50, -1, -1}, {30, 30, 4}};
    for (const Case& c : cases)
        EXPECT_EQ(LastVisibleIndex(t.data(), t.size(), c.min, c.max), c.want)
            << c.min << ".." << c.max;
    EXPECT_EQ(LastVisibleIndex(nullptr, 0, 0, 100), -1);
}

TEST(SampleIndexAt, LastPointAtOrBeforeTheTime) {
    // Irregular sampling with a repeated time.
    const std::vector<double> t{0, 7, 30, 30, 31, 100};
    struct Case {
        double x;
        ptrdiff_t last;
        ptrdiff_t want;
    } cases[] = {{0, 5, 0},    {6.9, 5, 0},   {7, 5, 1},   {29.99, 5, 1}, {30, 5, 3},
                 {30.5, 5, 3}, {99, 5, 4},    {100, 5, 5}, {-0.5, 5, -1}, {100.5, 5, -1},
                 {31, 4, 4},   {31.5, 4, -1}, {5, -1, -1}, {NAN, 5, -1},  {5, 6, -1}};
    for (const Case& c : cases)
        EXPECT_EQ(SampleIndexAt(t.data(), t.size(), c.x, c.last), c.want) << c.x << " L=" << c.last;
}

TEST(SampleIndexAt, AgreesWithAScanOnUnevenWaves) {
    // Even, jittered, clustered and repeated times; every probe compared with
    // a plain scan for the last point at or before x.
    std::vector<std::vector<double>> waves;
    std::vector<double> even, jitter, cluster, repeat;
    uint32_t r = 12345;
    auto next = [&r] { return (r = r * 1103515245u + 12345u) >> 16; };
    for (int i = 0; i < 500; ++i) {
        even.push_back(i * 10.0);
        jitter.push_back(i * 10.0 + next() % 9);
        cluster.push_back(i < 450 ? i : 450 + (i - 449) * 1000.0);
        repeat.push_back((i / 7) * 100.0);
    }
    waves = {even, jitter, cluster, repeat, {5.0}, {1.0, 1.0, 1.0}};
    for (const std::vector<double>& t : waves) {
        for (ptrdiff_t last :
             {static_cast<ptrdiff_t>(t.size()) - 1, static_cast<ptrdiff_t>(t.size()) / 2}) {
            for (double x = t.front() - 3; x <= t.back() + 3; x += 0.75 + (next() % 23)) {
                ptrdiff_t want = -1;
                if (x <= t[last])
                    for (ptrdiff_t i = 0; i <= last; ++i)
                        if (t[i] <= x) want = i;
                ASSERT_EQ(SampleIndexAt(t.data(), t.size(), x, last), want)
                    << "x=" << x << " last=" << last << " n=" << t.size();
            }
        }
    }
}

struct Wave {
    std::vector<double> t, y1, y2, y3;
    std::array<ReadoutTrace, 3> Traces(bool a1 = true, bool a2 = true, bool a3 = true) const {
        return {ReadoutTrace{a1, t.data(), y1.data(), t.size()},
                ReadoutTrace{a2, t.data(), y2.data(), t.size()},
                ReadoutTrace{a3, t.data(), y3.data(), t.size()}};
    }
};

// Evenly sampled from `start`; every value tells its own index.
Wave Even(double start, double interval, size_t n) {
    Wave w;
    for (size_t i = 0; i < n; ++i) {
        w.t.push_back(start + i * interval);
        w.y1.push_back(i);
        w.y2.push_back(i + 0.5);
        w.y3.push_back(i * 2.0);
    }
    return w;
}

TEST(ReadoutHint, EvenSamplingFromTheAxisMinimumReadsTheSamePointAsBefore) {
    const Wave w = Even(0, 10, 1001);
    const Trace3Mapping id{0, 0, 1};
    EXPECT_EQ(ReadoutHint(0, 10000, 1234.6, w.Traces(), id),
              "1234ms\r\n 123.00\r\n 123.50\r\n 246.00");
    // Trace 2 hidden: its line is empty.
    EXPECT_EQ(ReadoutHint(0, 10000, 1234.6, w.Traces(true, false, true), id),
              "1234ms\r\n 123.00\r\n\r\n 246.00");
    // Outside the time axis: no hint at all.
    EXPECT_EQ(ReadoutHint(0, 10000, 10001.2, w.Traces(), id), "");
    EXPECT_EQ(ReadoutHint(0, 10000, -1.0, w.Traces(), id), "");
    EXPECT_EQ(ReadoutHint(0, 10000, NAN, w.Traces(), id), "");
    // Within the truncated range but before the first point.
    EXPECT_EQ(ReadoutHint(0, 10000, -0.5, w.Traces(), id), "0ms\r\n\r\n\r\n");
}

TEST(ReadoutHint, TimeAxisStartingAt1000ReadsThePointUnderTheMouse) {
    // The file starts at 0; the axis shows 1000..5000.
    const Wave w = Even(0, 10, 1001);
    const std::string hint = ReadoutHint(1000, 5000, 1500, w.Traces(), Trace3Mapping{0, 0, 1});
    EXPECT_EQ(hint, "1500ms\r\n 150.00\r\n 150.50\r\n 300.00");
}

TEST(ReadoutHint, IrregularSamplingAndPointsBeyondTheAxis) {
    Wave w;
    w.t = {0, 3, 50, 51, 400, 9000};
    w.y1 = {1, 2, 3, 4, 5, 6};
    w.y2 = w.y1;
    w.y3 = w.y1;
    const Trace3Mapping id{0, 0, 1};
    EXPECT_EQ(ReadoutHint(0, 1000, 49.9, w.Traces(), id), "49ms\r\n   2.00\r\n   2.00\r\n   2.00");
    EXPECT_EQ(ReadoutHint(0, 1000, 399, w.Traces(), id), "399ms\r\n   4.00\r\n   4.00\r\n   4.00");
    // Past the last visible point (400): the point at 9000 lies beyond the axis.
    EXPECT_EQ(ReadoutHint(0, 1000, 700, w.Traces(), id), "700ms\r\n\r\n\r\n");
}

TEST(ReadoutHint, TraceThreeShowsItsOwnUnit) {
    // Row 2: trace 3 is voltage 10..50, drawn on current 0..600.
    WeldWaveSetting s = DisplaySetting({0, 600, {}}, {10, 50, {}});
    RangeAxis time, left, right;
    const AxisSetupResult r = SetupAxes(s, 2, time, left, right);
    const Trace3Mapping m = MakeTrace3Mapping(s, 2, r.AxisFactor[2]);
    Wave w;
    w.t = {0, 10};
    w.y1 = {200, 201};
    w.y2 = {210, 211};
    w.y3 = {m.Map(30.0), m.Map(31.0)};
    EXPECT_DOUBLE_EQ(w.y3[0], 300.0);
    EXPECT_EQ(ReadoutHint(time.Minimum(), time.Maximum(), 5, w.Traces(), m),
              "5ms\r\n 200.00\r\n 210.00\r\n  30.00");
}

TEST(ReadoutHint, NoFileLoadedShowsOnlyTheTime) {
    const std::array<ReadoutTrace, 3> none{};
    EXPECT_EQ(ReadoutHint(0, 10000, 12.7, none, Trace3Mapping{}), "12ms\r\n\r\n\r\n");
}

TEST(WithDeltaToA, OneMoreLineWhenCursorAIsSet) {
    const std::string hint = "1238ms\r\n 246.25\r\n  12.30\r\n   5.50";
    struct Case {
        double x;
        std::optional<double> a;
        std::string want;
    } cases[] = {
        {1238.6, 1000, hint + "\r\nt-A: +238ms"},
        {1238.6, 1500, hint + "\r\nt-A: -262ms"},
        {1238.6, 1238, hint + "\r\nt-A: 0ms"},  // the time line's whole ms, as the cursor's
        {1238.6, std::nullopt, hint},
        {1238.6, std::numeric_limits<double>::quiet_NaN(), hint},
    };
    for (const Case& c : cases) EXPECT_EQ(WithDeltaToA(hint, c.x, c.a), c.want);
    EXPECT_EQ(WithDeltaToA("", 1238.6, 1000), "");  // outside the axis: still no tool tip
    // A trace without a value still has its empty line before the delta.
    EXPECT_EQ(WithDeltaToA("10ms\r\n\r\n\r\n", 10, 0), "10ms\r\n\r\n\r\n\r\nt-A: +10ms");
}

}  // namespace
}  // namespace vx
