#include "display/time_zoom.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>

#include "display/time_view.h"

namespace vx {

std::ostream& operator<<(std::ostream& os, const TimeSpan& r) { return os << r.lo << ".." << r.hi; }

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
const ZoomLimits kAxis;  // 0 .. 10,000,000 ms, at least 10 ms

void ExpectSpan(const TimeSpan& got, const TimeSpan& want) {
    EXPECT_NEAR(got.lo, want.lo, 1e-6) << got;
    EXPECT_NEAR(got.hi, want.hi, 1e-6) << got;
}

struct ZoomCase {
    const char* name;
    TimeSpan range;
    double anchor, factor;
    TimeSpan want;
};

const ZoomCase kZoomCases[] = {
    // The anchor keeps its place on the screen: a quarter from the left.
    {"in at a quarter", {0, 10000}, 2500, 0.5, {1250, 6250}},
    {"in at the centre", {0, 10000}, 5000, 0.8, {1000, 9000}},
    {"out at the centre", {4000, 6000}, 5000, 2, {3000, 7000}},
    {"in at the left edge", {1000, 2000}, 1000, 0.5, {1000, 1500}},
    {"in at the right edge", {1000, 2000}, 2000, 0.5, {1500, 2000}},
    // An anchor outside the range counts at the nearer edge.
    {"anchor left of the range", {1000, 2000}, -50, 0.5, {1000, 1500}},
    {"anchor right of the range", {1000, 2000}, 9e9, 0.5, {1500, 2000}},
    {"anchor not a number", {1000, 2000}, kNaN, 0.5, {1250, 1750}},
    // Never narrower than 10 ms, also zooming in on a range already at 10 ms.
    {"stops at 10 ms", {1000, 1040}, 1010, 0.1, {1007.5, 1017.5}},
    {"at 10 ms stays", {1000, 1010}, 1005, 0.5, {1000, 1010}},
    // Never outside 0 .. 10,000,000 ms: zooming out near an end slides in.
    {"out at the start", {0, 1000}, 100, 4, {0, 4000}},
    {"out past zero slides right", {100, 1100}, 600, 4, {0, 4000}},
    {"out past the end slides left", {9999000, 10000000}, 9999500, 4, {9996000, 10000000}},
    {"out beyond the whole axis", {0, 8000000}, 100, 4, {0, 10000000}},
    // A home range beyond the axis' limits is brought inside them.
    {"home below zero", {-1000, 9000}, 4000, 1, {0, 10000}},
    {"home wider than the axis", {-5, 20000000}, 1e6, 0.5, {0, 10000000}},
    // Factors that mean nothing change nothing.
    {"factor 0", {1000, 2000}, 1500, 0, {1000, 2000}},
    {"factor negative", {1000, 2000}, 1500, -2, {1000, 2000}},
    {"factor NaN", {1000, 2000}, 1500, kNaN, {1000, 2000}},
    {"factor infinite", {1000, 2000}, 1500, kInf, {1000, 2000}},
    // A reversed range is read in order; an unreadable one gives the whole axis.
    {"reversed range", {2000, 1000}, 1500, 0.5, {1250, 1750}},
    {"range not a number", {kNaN, 1000}, 500, 0.5, {0, 10000000}},
};

class ZoomTimeTest : public testing::TestWithParam<ZoomCase> {};

TEST_P(ZoomTimeTest, KeepsTheAnchorAndTheLimits) {
    const ZoomCase& c = GetParam();
    const TimeSpan got = ZoomTime(c.range, c.anchor, c.factor, kAxis);
    ExpectSpan(got, c.want);
    EXPECT_GE(got.lo, kAxis.lo);
    EXPECT_LE(got.hi, kAxis.hi);
    EXPECT_GE(got.Width(), kAxis.minWidth - 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Cases, ZoomTimeTest, testing::ValuesIn(kZoomCases),
                         [](const testing::TestParamInfo<ZoomCase>& i) {
                             std::string n;
                             for (const char* p = i.param.name; *p; ++p)
                                 n += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             return n;
                         });

TEST(ZoomTime, OtherLimitsAreHonoured) {
    const ZoomLimits small{100, 200, 5};
    ExpectSpan(ZoomTime({100, 200}, 150, 0.01, small), {147.5, 152.5});
    ExpectSpan(ZoomTime({140, 160}, 150, 100, small), {100, 200});
}

TEST(PanTime, KeepsTheWidthAndStopsAtTheEnds) {
    ExpectSpan(PanTime({1000, 2000}, 100, kAxis), {1100, 2100});
    ExpectSpan(PanTime({1000, 2000}, -100, kAxis), {900, 1900});
    ExpectSpan(PanTime({1000, 2000}, -5000, kAxis), {0, 1000});
    ExpectSpan(PanTime({9998000, 9999000}, 5000, kAxis), {9999000, 10000000});
    ExpectSpan(PanTime({1000, 2000}, kNaN, kAxis), {1000, 2000});
    ExpectSpan(PanTime({1000, 2000}, kInf, kAxis), {1000, 2000});
}

TEST(BandTime, TakesTheBandInEitherOrderAndWidensATinyOne) {
    ExpectSpan(BandTime(300, 700, kAxis), {300, 700});
    ExpectSpan(BandTime(700, 300, kAxis), {300, 700});
    ExpectSpan(BandTime(500, 504, kAxis), {497, 507});
    ExpectSpan(BandTime(2, 4, kAxis), {0, 10});
    ExpectSpan(BandTime(-300, 700, kAxis), {0, 1000});
}

TEST(FitTime, FirstToLastSampleWithAMargin) {
    ExpectSpan(FitTime(1000, 6000, kAxis), {900, 6100});
    ExpectSpan(FitTime(0, 4000, kAxis), {0, 4160});    // the margin left of 0 slides in
    ExpectSpan(FitTime(500, 500, kAxis), {495, 505});  // one sample
}

TEST(NiceTimeStep, OneTwoOrFiveTimesAPowerOfTen) {
    struct {
        double width;
        int ticks;
        double step;
    } cases[] = {
        {10000, 10, 1000}, {5000, 10, 500}, {3000, 10, 500}, {1200, 10, 200},
        {10, 10, 1},       {10, 4, 5},      {10, 20, 0.5},   {10000000, 6, 2000000},
        {2500, 10, 500},   {1, 0, 1},       {0, 10, 0},      {kNaN, 10, 0},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(NiceTimeStep(c.width, c.ticks), c.step) << c.width;
}

TEST(StepDecimals, WholeStepsNeedNone) {
    EXPECT_EQ(StepDecimals(1000), 0);
    EXPECT_EQ(StepDecimals(1), 0);
    EXPECT_EQ(StepDecimals(0.5), 1);
    EXPECT_EQ(StepDecimals(0.2), 1);
    EXPECT_EQ(StepDecimals(0.05), 2);
    EXPECT_EQ(StepDecimals(0), 0);
}

TEST(TimeView, ZoomStaysOverNewHomesUntilHome) {
    TimeView v;
    v.SetHome(RangeAxis(0, 10000, 1000));
    EXPECT_FALSE(v.Zoomed());
    EXPECT_EQ(v.Range(), (TimeSpan{0, 10000}));
    EXPECT_EQ(v.Axis(10).Increment(), 1000);  // home is drawn as set up

    v.ZoomAt(2500, 0.5);
    EXPECT_TRUE(v.Zoomed());
    EXPECT_EQ(v.Range(), (TimeSpan{1250, 6250}));
    EXPECT_EQ(v.Axis(10).Minimum(), 1250);
    EXPECT_EQ(v.Axis(10).Maximum(), 6250);
    EXPECT_EQ(v.Axis(10).Increment(), 500);

    v.SetHome(RangeAxis(0, 20000, 2000));  // the next file's set-up
    EXPECT_EQ(v.Range(), (TimeSpan{1250, 6250}));
    v.PanByShare(0.1);
    EXPECT_EQ(v.Range(), (TimeSpan{1750, 6750}));
    v.ZoomAroundCentre(2);
    EXPECT_EQ(v.Range(), (TimeSpan{0, 10000}));  // -750 .. 9250 slides in at 0
    v.GoHome();
    EXPECT_EQ(v.Range(), (TimeSpan{0, 20000}));
    EXPECT_EQ(v.Axis(10).Increment(), 2000);
}

TEST(TimesSpanned, FirstToLastFiniteTime) {
    EXPECT_EQ(TimesSpanned({0, 10, 20}), (TimeSpan{0, 20}));
    EXPECT_EQ(TimesSpanned({-kInf, 5, 7, kInf, kNaN}), (TimeSpan{5, 7}));
    EXPECT_EQ(TimesSpanned({3}), (TimeSpan{3, 3}));
    EXPECT_FALSE(TimesSpanned({}));
    EXPECT_FALSE(TimesSpanned({kNaN, kNaN}));
}

}  // namespace
}  // namespace vx
