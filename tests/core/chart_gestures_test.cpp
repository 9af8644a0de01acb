#include "display/chart_gestures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "display/cursor_labels.h"
#include "display/measure_cursors.h"

namespace vx {
namespace {

// The plot area of the chart: 533 px from pixel 84, here showing 0..5330 ms,
// so one pixel is 10 ms.
const PlotMapping kMap{84, 533, {0, 5330}};
constexpr double kAt(double ms) { return 84 + ms / 10; }  // pixel of a time

using K = GestureKind;
using B = MouseButton;

struct Step {
    enum { Press, Move, Release, Double } what;
    B button = B::Left;
    double x = 0;
    bool shift = false, ctrl = false;
};

struct Want {
    K kind;
    double t0 = 0, t1 = 0;
    Cursor cursor = Cursor::A;
};

struct GestureCase {
    const char* name;
    std::vector<Step> steps;
    Want last;  // what the last step gives
};

Gesture Feed(ChartGestures& g, const std::vector<Step>& steps) {
    Gesture out;
    for (const Step& s : steps) {
        switch (s.what) {
            case Step::Press:
                out = g.Press(s.button, s.shift, s.ctrl, s.x, kMap);
                break;
            case Step::Move:
                out = g.Move(s.x);
                break;
            case Step::Release:
                out = g.Release(s.button, s.x);
                break;
            case Step::Double:
                out = g.DoubleClick(s.button, s.shift, s.ctrl, s.x, kMap);
                break;
        }
    }
    return out;
}

const GestureCase kCases[] = {
    {"click sets A",
     {{Step::Press, B::Left, kAt(1000)}, {Step::Release, B::Left, kAt(1000)}},
     {K::SetCursor, 1000, 0, Cursor::A}},
    {"a jitter of 4 px is still a click",
     {{Step::Press, B::Left, kAt(1000)},
      {Step::Move, B::Left, kAt(1040)},
      {Step::Release, B::Left, kAt(1040)}},
     {K::SetCursor, 1000, 0, Cursor::A}},
    {"Ctrl+click sets B",
     {{Step::Press, B::Left, kAt(2000), false, true}, {Step::Release, B::Left, kAt(2000)}},
     {K::SetCursor, 2000, 0, Cursor::B}},
    {"right click sets B",
     {{Step::Press, B::Right, kAt(2500)}, {Step::Release, B::Right, kAt(2500)}},
     {K::SetCursor, 2500, 0, Cursor::B}},
    {"right drag sets nothing",
     {{Step::Press, B::Right, kAt(2500)},
      {Step::Move, B::Right, kAt(3500)},
      {Step::Release, B::Right, kAt(3500)}},
     {K::None}},
    {"middle click sets nothing",
     {{Step::Press, B::Middle, kAt(2500)}, {Step::Release, B::Middle, kAt(2500)}},
     {K::None}},
    {"left drag shows the band",
     {{Step::Press, B::Left, kAt(3000)}, {Step::Move, B::Left, kAt(1000)}},
     {K::ShowBand, 1000, 3000}},
    {"left drag zooms to the band",
     {{Step::Press, B::Left, kAt(1000)},
      {Step::Move, B::Left, kAt(2000)},
      {Step::Release, B::Left, kAt(3000)}},
     {K::ZoomBand, 1000, 3000}},
    {"the band stays within the plot",
     {{Step::Press, B::Left, kAt(1000)}, {Step::Move, B::Left, 0}, {Step::Release, B::Left, 0}},
     {K::ZoomBand, 0, 1000}},
    {"a band dragged back is dropped",
     {{Step::Press, B::Left, kAt(1000)},
      {Step::Move, B::Left, kAt(2000)},
      {Step::Release, B::Left, kAt(1010)}},
     {K::HideBand}},
    {"middle drag pans with the mouse",
     {{Step::Press, B::Middle, kAt(1000)}, {Step::Move, B::Middle, kAt(1500)}},
     {K::Pan, -500, 4830}},
    {"Shift+left drag pans",
     {{Step::Press, B::Left, kAt(3000), true}, {Step::Move, B::Left, kAt(2000)}},
     {K::Pan, 1000, 6330}},
    {"a pan's release changes nothing more",
     {{Step::Press, B::Middle, kAt(1000)},
      {Step::Move, B::Middle, kAt(1500)},
      {Step::Release, B::Middle, kAt(1500)}},
     {K::None}},
    {"double click goes home",
     {{Step::Press, B::Left, kAt(1000)},
      {Step::Release, B::Left, kAt(1000)},
      {Step::Double, B::Left, kAt(1000)}},
     {K::Home}},
    {"the release after a double click sets nothing",
     {{Step::Press, B::Left, kAt(1000)},
      {Step::Release, B::Left, kAt(1000)},
      {Step::Double, B::Left, kAt(1000)},
      {Step::Release, B::Left, kAt(1000)}},
     {K::None}},
    {"a right double click is two right clicks",
     {{Step::Press, B::Right, kAt(1000)},
      {Step::Release, B::Right, kAt(1000)},
      {Step::Double, B::Right, kAt(1000)},
      {Step::Release, B::Right, kAt(1000)}},
     {K::SetCursor, 1000, 0, Cursor::B}},
    {"a second button while one is held is ignored",
     {{Step::Press, B::Left, kAt(1000)},
      {Step::Press, B::Right, kAt(2000)},
      {Step::Release, B::Right, kAt(2000)}},
     {K::None}},
    {"release of another button is ignored",
     {{Step::Press, B::Left, kAt(1000)},
      {Step::Release, B::Middle, kAt(1000)},
      {Step::Release, B::Left, kAt(1000)}},
     {K::SetCursor, 1000, 0, Cursor::A}},
    {"a release without a press is ignored", {{Step::Release, B::Left, kAt(1000)}}, {K::None}},
    {"the held button again starts afresh",
     {{Step::Press, B::Left, kAt(1000)},
      {Step::Move, B::Left, kAt(2000)},
      {Step::Press, B::Left, kAt(3000)}},
     {K::HideBand}},
    {"after a lost release the next click counts",
     {{Step::Press, B::Left, kAt(1000)},
      {Step::Press, B::Left, kAt(3000)},
      {Step::Release, B::Left, kAt(3000)}},
     {K::SetCursor, 3000, 0, Cursor::A}},
};

class ChartGesturesTest : public testing::TestWithParam<GestureCase> {};

TEST_P(ChartGesturesTest, LastStepGives) {
    const GestureCase& c = GetParam();
    ChartGestures g;
    const Gesture got = Feed(g, c.steps);
    EXPECT_EQ(got.kind, c.last.kind);
    if (c.last.kind == K::SetCursor) {
        EXPECT_EQ(got.cursor, c.last.cursor);
        EXPECT_DOUBLE_EQ(got.t0, c.last.t0);
    }
    if (c.last.kind == K::ShowBand || c.last.kind == K::ZoomBand || c.last.kind == K::Pan) {
        EXPECT_DOUBLE_EQ(got.t0, c.last.t0);
        EXPECT_DOUBLE_EQ(got.t1, c.last.t1);
    }
    if (c.last.kind == K::Home) {
        EXPECT_TRUE(got.undoClick);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ChartGesturesTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<GestureCase>& i) {
                             std::string n;
                             for (const char* p = i.param.name; *p; ++p)
                                 n += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             return n;
                         });

TEST(ChartGestures, CancelEndsABandAndTheNextPressStartsAfresh) {
    ChartGestures g;
    g.Press(B::Left, false, false, kAt(1000), kMap);
    EXPECT_EQ(g.Move(kAt(2000)).kind, K::ShowBand);
    EXPECT_EQ(g.Cancel().kind, K::HideBand);
    EXPECT_FALSE(g.Held());
    EXPECT_EQ(g.Release(B::Left, kAt(2000)).kind, K::None);
    EXPECT_EQ(g.Cancel().kind, K::None);
    g.Press(B::Right, false, false, kAt(3000), kMap);
    EXPECT_EQ(g.Release(B::Right, kAt(3000)).kind, K::SetCursor);
}

TEST(PlotMapping, TimeOfAPixel) {
    EXPECT_DOUBLE_EQ(kMap.TimeAt(84), 0);
    EXPECT_DOUBLE_EQ(kMap.TimeAt(617), 5330);
    EXPECT_DOUBLE_EQ(kMap.TimeAt(150), 660);
    EXPECT_DOUBLE_EQ(kMap.TimeAt(10), 0);
    EXPECT_DOUBLE_EQ(kMap.TimeAt(700), 5330);
    EXPECT_DOUBLE_EQ(kMap.MsPerPixel(), 10);
}

TEST(MeasureCursors, SetClearRangeAndTakingBackTheLastChange) {
    MeasureCursors c;
    EXPECT_FALSE(c.Range());
    c.Set(Cursor::B, 300);
    EXPECT_FALSE(c.Range());
    c.Set(Cursor::A, 900);
    ASSERT_TRUE(c.Range());
    EXPECT_EQ(*c.Range(), (TimeSpan{300, 900}));  // in time order
    c.Set(Cursor::A, 100);
    c.UndoLast();
    EXPECT_EQ(c.A(), 900);
    c.Clear();
    EXPECT_FALSE(c.A());
    EXPECT_FALSE(c.B());
    c.UndoLast();
    EXPECT_EQ(c.Of(Cursor::B), 300);
}

TEST(MeasureCursors, CursorTimeIsTheReadoutsWholeMillisecond) {
    EXPECT_EQ(CursorTimeAt(1234.9), 1234);
    EXPECT_EQ(CursorTimeAt(-0.5), 0);
    EXPECT_FALSE(std::signbit(*CursorTimeAt(-0.5)));
    EXPECT_EQ(CursorTimeAt(-7.5), -7);
    EXPECT_FALSE(CursorTimeAt(std::numeric_limits<double>::quiet_NaN()));
}

TEST(CursorLabelLefts, OutwardsInsideThePlotAndApart) {
    // Labels 20 px wide over a plot from pixel 84 to 616.
    struct Case {
        std::optional<double> a, b;
        double wantA, wantB;
    } cases[] = {
        {300, 400, 280, 400},  // A earlier: left of its line, B right of its own
        {400, 300, 400, 280},  // B earlier
        {300, 301, 280, 301},  // close: still apart
        {300, 300, 280, 300},  // on one line
        {85, 86, 84, 104},     // at the left edge: A inwards, B beside it
        {616, 615, 596, 576},  // at the right edge: B makes way for A
        {300, std::nullopt, 280, 0}, {std::nullopt, 300, 0, 300},
        {90, std::nullopt, 84, 0},  // alone at the edge: inwards
    };
    for (const Case& c : cases) {
        const auto lo = CursorLabelLefts({{{c.a, 20}, {c.b, 20}}}, 84, 616);
        if (c.a) {
            EXPECT_DOUBLE_EQ(lo[0], c.wantA) << *c.a;
        }
        if (c.b) {
            EXPECT_DOUBLE_EQ(lo[1], c.wantB) << *c.b;
        }
        if (c.a && c.b) {
            EXPECT_GE(std::fabs(lo[0] - lo[1]), 20.0) << *c.a << " " << *c.b;
        }
    }
}

}  // namespace
}  // namespace vx
