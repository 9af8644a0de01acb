#include "display/axes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "display/range_axis.h"
#include "display/trace_map.h"
#include "display_test_util.h"

namespace vx {
namespace {

using testing::DisplaySetting;
using Labels = std::array<std::string, 11>;

Labels Captions(std::vector<std::string> v) {
    Labels l;
    for (size_t i = 0; i < l.size(); ++i) l[i] = v.at(i);
    return l;
}

struct Axes {
    RangeAxis time, left{519, 3388, 0}, right{0, 2000, 0};
    AxisSetupResult Setup(const WeldWaveSetting& s, uint8_t layout) {
        return SetupAxes(s, layout, time, left, right);
    }
};

TEST(RangeAxis, RefusesCrossedLimitsAndExchangesSetMinMax) {
    RangeAxis a;
    EXPECT_EQ(a.Minimum(), 0);
    EXPECT_EQ(a.Maximum(), 100000);
    EXPECT_EQ(a.Increment(), 250);

    EXPECT_THROW(a.SetMinimum(100001), AxisRangeError);
    EXPECT_THROW(a.SetMaximum(-1), AxisRangeError);
    EXPECT_THROW(a.SetMinimum(NAN), AxisRangeError);
    EXPECT_EQ(a.Minimum(), 0);
    EXPECT_EQ(a.Maximum(), 100000);

    a.SetMinimum(100000);  // equal limits are allowed
    EXPECT_EQ(a.Minimum(), 100000);
    EXPECT_THROW(a.SetMaximum(99999), AxisRangeError);

    a.SetMinMax(50, -20);
    EXPECT_EQ(a.Minimum(), -20);
    EXPECT_EQ(a.Maximum(), 50);
    a.SetMinMax(NAN, 5);  // ignored
    EXPECT_EQ(a.Minimum(), -20);
    EXPECT_EQ(a.Maximum(), 50);

    RangeAxis b(3388, 519, -4);
    EXPECT_EQ(b.Minimum(), 519);
    EXPECT_EQ(b.Maximum(), 3388);
    EXPECT_EQ(b.Increment(), 0);
}

TEST(SetupAxes, DefaultSettingsWithRowOne) {
    Axes ax;
    AxisSetupResult r = ax.Setup(DisplaySetting(), 1);
    EXPECT_FALSE(r.timeRefused);
    EXPECT_EQ(ax.time.Minimum(), 0);
    EXPECT_EQ(ax.time.Maximum(), 10000);
    EXPECT_EQ(ax.time.Increment(), 1000);
    EXPECT_EQ(ax.left.Minimum(), 0);
    EXPECT_EQ(ax.left.Maximum(), 600);
    EXPECT_EQ(ax.left.Increment(), 60);
    EXPECT_EQ(ax.right.Minimum(), 0);
    EXPECT_EQ(ax.right.Maximum(), 100);
    EXPECT_EQ(ax.right.Increment(), 10);
    EXPECT_EQ(r.labels[0],
              Captions({"0", "60", "120", "180", "240", "300", "360", "420", "480", "540", "600"}));
    const Labels tens =
        Captions({"0", "10", "20", "30", "40", "50", "60", "70", "80", "90", "100"});
    EXPECT_EQ(r.labels[1], tens);
    EXPECT_EQ(r.labels[2], tens);
    EXPECT_EQ(r.AxisFactor, (std::array<double, 3>{1.0, 1.0, 6.0}));
    EXPECT_DOUBLE_EQ(MakeTrace3Mapping(DisplaySetting(), 1, r.AxisFactor[2]).Map(4.0), 24.0);
}

TEST(SetupAxes, IncrementAndCaptionsOfAScale) {
    struct Case {
        int32_t min, max;
        double increment;
        std::vector<std::string> captions;
    } cases[] = {
        {0, 600, 60, {"0", "60", "120", "180", "240", "300", "360", "420", "480", "540", "600"}},
        {0, 25, 2, {"0", "2", "5", "7", "10", "12", "15", "17", "20", "22", "25"}},
        {0, 5, 0, {"0.0", "0.5", "1.0", "1.5", "2.0", "2.5", "3.0", "3.5", "4.0", "4.5", "5.0"}},
        {100,
         109,
         0,
         {"100.0", "100.9", "101.8", "102.7", "103.6", "104.5", "105.4", "106.3", "107.2", "108.1",
          "109.0"}},
        {0,
         3388,
         338,
         {"0", "338", "677", "1016", "1355", "1694", "2032", "2371", "2710", "3049", "3388"}},
        // Negative values keep their own captions.
        {-100, 100, 20, {"-100", "-80", "-60", "-40", "-20", "0", "20", "40", "60", "80", "100"}},
        {-25, 0, 2, {"-25", "-22", "-20", "-17", "-15", "-12", "-10", "-7", "-5", "-2", "0"}},
        {-3,
         2,
         0,
         {"-3.0", "-2.5", "-2.0", "-1.5", "-1.0", "-0.5", "0.0", "0.5", "1.0", "1.5", "2.0"}},
    };
    for (const Case& c : cases) {
        Axes ax;
        AxisSetupResult r = ax.Setup(DisplaySetting({c.min, c.max, {}}), 0);
        EXPECT_EQ(ax.left.Minimum(), c.min) << c.min << ".." << c.max;
        EXPECT_EQ(ax.left.Maximum(), c.max) << c.min << ".." << c.max;
        EXPECT_EQ(ax.left.Increment(), c.increment) << c.min << ".." << c.max;
        EXPECT_EQ(r.labels[0], Captions(c.captions)) << c.min << ".." << c.max;
    }
}

TEST(SetupAxes, RowTwoPutsTheCurrentScaleOnBothAxes) {
    Axes ax;
    AxisSetupResult r = ax.Setup(DisplaySetting({0, 600, {}}, {10, 50, {}}), 2);
    EXPECT_EQ(ax.right.Minimum(), 0);
    EXPECT_EQ(ax.right.Maximum(), 600);
    EXPECT_EQ(r.labels[1], r.labels[0]);
    EXPECT_EQ(r.labels[2][0], "10");
    EXPECT_EQ(r.labels[2][10], "50");
    EXPECT_DOUBLE_EQ(r.AxisFactor[2], 15.0);
}

TEST(SetupAxes, RefusedTimeLimitKeepsWhatWasSetAndStillSetsTheRest) {
    struct Case {
        int32_t min, max;
        double wantMin, wantMax;
    } cases[] = {
        {500, 100, 500, 10000000},          // maximum below minimum: refused at the last limit
        {20000000, 30000000, 0, 10000000},  // minimum above the widened maximum
    };
    for (const Case& c : cases) {
        Axes ax;
        ax.time.SetIncrement(123);
        AxisSetupResult r = ax.Setup(
            DisplaySetting({0, 600, {}}, {0, 100, {}}, {0, 100, {}}, {c.min, c.max, {}}), 1);
        EXPECT_TRUE(r.timeRefused) << c.min;
        EXPECT_EQ(ax.time.Minimum(), c.wantMin) << c.min;
        EXPECT_EQ(ax.time.Maximum(), c.wantMax) << c.min;
        EXPECT_EQ(ax.time.Increment(), 123) << c.min;  // the increment step was skipped
        EXPECT_EQ(ax.left.Maximum(), 600);
        EXPECT_EQ(ax.left.Increment(), 60);
        EXPECT_EQ(ax.right.Maximum(), 100);
        EXPECT_EQ(r.labels[0][10], "600");
        EXPECT_EQ(r.AxisFactor[2], 6.0);
    }
}

TEST(SetupAxes, TimeScaleBelowZeroDoesNotBlockLaterSetUps) {
    Axes ax;
    const GraphInfo cur{0, 600, {}}, other{0, 100, {}};
    EXPECT_FALSE(ax.Setup(DisplaySetting(cur, other, other, {-200, -100, {}}), 1).timeRefused);
    EXPECT_FALSE(ax.Setup(DisplaySetting(cur, other, other, {-200, -100, {}}), 1).timeRefused);
    AxisSetupResult r = ax.Setup(DisplaySetting(cur, other, other, {0, 10000, {}}), 1);
    EXPECT_FALSE(r.timeRefused);
    EXPECT_EQ(ax.time.Minimum(), 0);
    EXPECT_EQ(ax.time.Maximum(), 10000);
}

TEST(SetupAxes, EmptySpanGivesAUsableAxisAndNoDivisionByZero) {
    Axes ax;
    // Left scale 300..300 and wire feed 40..40 (trace 3) with row 1.
    const WeldWaveSetting s = DisplaySetting({300, 300, {}}, {0, 100, {}}, {40, 40, {}});
    AxisSetupResult r = ax.Setup(s, 1);
    EXPECT_EQ(ax.left.Minimum(), 300);
    EXPECT_EQ(ax.left.Maximum(), 301);
    EXPECT_EQ(ax.left.Increment(), 0);
    EXPECT_EQ(r.labels[0], Captions({"300.0", "300.1", "300.2", "300.3", "300.4", "300.5", "300.6",
                                     "300.7", "300.8", "300.9", "301.0"}));
    EXPECT_EQ(r.AxisFactor[2], 1.0);
    // Factor 1: one unit of trace 3 is one unit of the left axis, and its
    // captions say so.
    EXPECT_EQ(r.labels[2][0], "40.0");
    EXPECT_EQ(r.labels[2][10], "41.0");
    const Trace3Mapping m = MakeTrace3Mapping(s, 1, r.AxisFactor[2]);
    EXPECT_DOUBLE_EQ(m.Map(41.0), 301.0);
    EXPECT_DOUBLE_EQ(m.Inverse(300.5), 40.5);

    // Only trace 3's scale empty: its captions follow the left axis's span.
    r = ax.Setup(DisplaySetting({0, 600, {}}, {0, 100, {}}, {40, 40, {}}), 1);
    EXPECT_EQ(r.AxisFactor[2], 1.0);
    EXPECT_EQ(r.labels[2][1], "100");
    EXPECT_EQ(r.labels[2][10], "640");
    for (double f : r.AxisFactor) EXPECT_TRUE(std::isfinite(f));
}

TEST(SetupAxes, ReversedScaleIsExchangedEverywhere) {
    Axes ax;
    // Current 600..0 on the left, voltage 100..0 on the right, wire 12..2 as trace 3.
    const WeldWaveSetting s = DisplaySetting({600, 0, {}}, {100, 0, {}}, {12, 2, {}});
    AxisSetupResult r = ax.Setup(s, 1);
    EXPECT_EQ(ax.left.Minimum(), 0);
    EXPECT_EQ(ax.left.Maximum(), 600);
    EXPECT_EQ(ax.left.Increment(), 60);
    EXPECT_EQ(ax.right.Minimum(), 0);
    EXPECT_EQ(ax.right.Increment(), 10);
    EXPECT_EQ(r.labels[0][0], "0");
    EXPECT_EQ(r.labels[0][10], "600");
    EXPECT_EQ(r.labels[1][1], "10");
    EXPECT_EQ(r.labels[2][0], "2");
    EXPECT_EQ(r.labels[2][10], "12");
    EXPECT_DOUBLE_EQ(r.AxisFactor[2], 60.0);
    const Trace3Mapping m = MakeTrace3Mapping(s, 1, r.AxisFactor[2]);
    EXPECT_DOUBLE_EQ(m.Map(2.0), 0.0);
    EXPECT_DOUBLE_EQ(m.Map(12.0), 600.0);
}

TEST(SetupAxes, ExtremeLimitsDoNotOverflowAndBadLayoutReadsRowZero) {
    Axes ax;
    const int32_t lo = INT32_MIN, hi = INT32_MAX;
    AxisSetupResult r = ax.Setup(DisplaySetting({lo, hi, {}}), 200);
    EXPECT_EQ(ax.left.Minimum(), lo);
    EXPECT_EQ(ax.left.Maximum(), hi);
    EXPECT_EQ(ax.left.Increment(), 429496729);
    EXPECT_EQ(r.labels[0][0], "-2147483648");
    EXPECT_EQ(r.labels[0][10], "2147483647");
    EXPECT_GT(r.AxisFactor[2], 0.0);
}

}  // namespace
}  // namespace vx
