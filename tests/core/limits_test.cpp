// Quality limits: the check of one weld, the limit texts and section LIMITS.
#include "analysis/limits.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "analysis/metrics_output.h"
#include "settings/weld_wave_setting.h"
#include "settings_test_support.h"

namespace vx {
namespace {

using settings_test::ReadBytes;
using settings_test::ScratchDir;
using settings_test::WriteBytes;

// A weld whose twelve judged figures all differ: 1000 ms of arc, 200 A,
// 25 V, 8 m/min, 5000 W, 4990 J, 0.133 m, 2 breaks, 1 gap, deviations
// 3 A, 0.5 V, 0.25 m/min.
WeldMetrics Weld() {
    WeldMetrics m;
    m.arc = ArcStats{"CurrentActual", 10, 0.0, 1000.0, 1000, 2};
    const double means[3] = {200, 25, 8};
    for (int q = 0; q < 3; ++q) {
        m.quantity[q] = QuantityStats{};
        m.quantity[q]->mean = means[q];
    }
    m.powerW = 5000;
    m.energyJ = 4990;
    m.wireM = 0.133;
    m.gaps = 1;
    const double dev[3] = {3, 0.5, 0.25};
    for (int q = 0; q < 3; ++q) m.deviation[q] = DeviationStats{dev[q], dev[q] * 2};
    return m;
}

Limits One(int key, std::optional<double> min, std::optional<double> max) {
    Limits l;
    l.bound[key] = Bound{min, max};
    return l;
}

std::vector<int> Failed(const std::optional<LimitVerdict>& v) {
    return v ? v->failed : std::vector<int>{-1};
}

TEST(CheckLimits, InsideOutsideOneSidedAndOnTheBound) {
    const WeldMetrics m = Weld();  // current mean 200 A
    constexpr int kCur = 1;
    const std::optional<double> none;
    struct Case {
        const char* what;
        std::optional<double> min, max;
        bool pass;
    } cases[] = {
        {"inside", 180, 250, true},
        {"below", 210, 250, false},
        {"above", 150, 190, false},
        {"on the minimum", 200, 250, true},
        {"on the maximum", 150, 200, true},
        {"minimum only, met", 190, none, true},
        {"minimum only, missed", 201, none, false},
        {"maximum only, met", none, 200, true},
        {"maximum only, missed", none, 199.9, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::optional<LimitVerdict> v = CheckLimits(One(kCur, c.min, c.max), &m);
        ASSERT_TRUE(v);
        EXPECT_EQ(v->pass, c.pass);
        EXPECT_EQ(v->failed, c.pass ? std::vector<int>{} : std::vector<int>{kCur});
    }
}

TEST(CheckLimits, NoLimitAtAllGivesNoVerdict) {
    const WeldMetrics m = Weld();
    EXPECT_EQ(CheckLimits(Limits{}, &m), std::nullopt);
    EXPECT_EQ(CheckLimits(Limits{}, nullptr), std::nullopt);
    Limits both;
    both.bound[3] = Bound{std::nullopt, std::nullopt};  // both sides empty: not set
    EXPECT_FALSE(both.AnySet());
    EXPECT_EQ(CheckLimits(both, &m), std::nullopt);
}

TEST(CheckLimits, NullFigureFailsASetLimitAndOnlyThat) {
    WeldMetrics m = Weld();
    m.quantity[kWireSpeed].reset();  // the row has no wire feed
    m.deviation[kVoltage].reset();   // nor voltage command and measured
    Limits l;
    l.bound[3] = Bound{0.0, std::nullopt};   // WIRE_FEED_MEAN: any value would do
    l.bound[1] = Bound{100.0, 300.0};        // CURRENT_MEAN: met
    l.bound[10] = Bound{std::nullopt, 1.0};  // VOLTAGE_DEVIATION
    EXPECT_EQ(Failed(CheckLimits(l, &m)), (std::vector<int>{3, 10}));
    EXPECT_FALSE(CheckLimits(l, &m)->pass);

    // Without a set limit a missing figure is not looked at.
    EXPECT_TRUE(CheckLimits(One(1, 100, 300), &m)->pass);
    // A file without metrics fails every set limit, in key order.
    EXPECT_EQ(Failed(CheckLimits(l, nullptr)), (std::vector<int>{1, 3, 10}));
}

TEST(CheckLimits, EveryKeyJudgesTheRecordFieldItNames) {
    const WeldMetrics m = Weld();
    FileMetrics f;
    f.readable = f.waveFile = true;
    f.layout = 0;
    f.metrics = m;
    const nlohmann::ordered_json record = MetricsRecord("w.csv", f, Limits{});
    std::vector<double> seen;
    for (int k = 0; k < kLimitCount; ++k) {
        SCOPED_TRACE(kLimitKeys[k].name);
        const nlohmann::ordered_json* node = &record;
        std::string path = kLimitKeys[k].figure;
        for (size_t dot; (dot = path.find('.')) != std::string::npos; path.erase(0, dot + 1))
            node = &node->at(path.substr(0, dot));
        const double field = node->at(path).get<double>();
        ASSERT_TRUE(LimitFigure(m, k));
        EXPECT_EQ(*LimitFigure(m, k), field);
        seen.push_back(field);
        // Just outside the figure on either side fails this key alone.
        EXPECT_EQ(Failed(CheckLimits(One(k, field + 0.001, std::nullopt), &m)),
                  std::vector<int>{k});
        EXPECT_EQ(Failed(CheckLimits(One(k, std::nullopt, field - 0.001), &m)),
                  std::vector<int>{k});
    }
    // Twelve different figures: no key reads another's field.
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(std::adjacent_find(seen.begin(), seen.end()), seen.end());
}

TEST(CheckLimits, ArcFiguresAreNullWithoutArcDetection) {
    WeldMetrics m = Weld();
    m.arc.reset();  // no current column
    EXPECT_EQ(LimitFigure(m, 0), std::nullopt);
    EXPECT_EQ(LimitFigure(m, 7), std::nullopt);
    EXPECT_EQ(LimitFigure(m, 8), 1.0);  // gaps are always counted
    EXPECT_EQ(Failed(CheckLimits(One(7, std::nullopt, 0), &m)), std::vector<int>{7});
}

TEST(ParseBound, TextsAndTheirBounds) {
    const std::optional<double> none;
    struct Case {
        const char* text;
        std::optional<double> min, max;
    } cases[] = {
        {"180,250", 180, 250},
        {" 180 , 250 ", 180, 250},
        {",250", none, 250},
        {"180,", 180, none},
        {"-5,5", -5, 5},
        {"1e3,2.5e3", 1000, 2500},
        {"+7,7", 7, 7},  // one point is a band too
        {",", none, none},
        {"", none, none},
        // A bad side is no bound on that side.
        {"abc,250", none, 250},
        {"180,abc", 180, none},
        {"inf,250", none, 250},
        {"nan,250", none, 250},
        {"180,1e999", 180, none},
        {"180,250 A", 180, none},
        {"1,2,3", 1, none},  // "2,3" is no number
        {"4,5;6", 4, none},  // nor is a decimal comma
        // Not a band at all: no bound.
        {"180", none, none},
        {"250,180", none, none},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseBound(c.text), (Bound{c.min, c.max}));
    }
}

TEST(BoundText, WritesWhatParseBoundReads) {
    const std::optional<double> none;
    for (const Bound& b : {Bound{180.0, 250.5}, Bound{none, 0.0}, Bound{0.1, none},
                           Bound{none, none}, Bound{-1e-7, 3e12}}) {
        EXPECT_EQ(ParseBound(BoundText(b)), b) << BoundText(b);
    }
    EXPECT_EQ(BoundText(Bound{180.0, 250.0}), "180,250");
    EXPECT_EQ(BoundText(Bound{none, 0.0}), ",0");
    EXPECT_EQ(BoundText(Bound{}), "");
}

TEST(LoadLimits, SectionKeysInAnyCaseAndBadTextsAsNoBound) {
    ScratchDir dir;
    EXPECT_EQ(LoadLimits(dir / "none.ini"), Limits{});
    EXPECT_EQ(dir.EntryCount(), 0u);  // nothing created

    const std::string path = dir / "Varmonix.ini";
    WriteBytes(path,
               "[SCALE]\r\nCURRENT=0,400\r\n[limits]\r\ncurrent_mean = 180,250\r\n"
               "BREAKS=\",0\"\r\nENERGY_J=lots\r\nGAPS=3,1\r\nWIRE_FEED_DEVIATION=,0.5\r\n"
               "UNKNOWN=1,2\r\n");
    Limits want;
    want.bound[1] = Bound{180.0, 250.0};
    want.bound[7] = Bound{std::nullopt, 0.0};
    want.bound[11] = Bound{std::nullopt, 0.5};
    EXPECT_EQ(LoadLimits(path), want);
}

TEST(SaveLimits, WritesTheSectionAndLeavesTheRestByteForByte) {
    ScratchDir dir;
    const std::string path = dir / "Varmonix.ini";
    const std::string before =
        "; mine\r\n[SCALE]\r\nCURRENT = 0,300\r\n[ANALYSIS]\r\nEFFICIENCY=0.7\r\n";
    WriteBytes(path, before);
    Limits l;
    l.bound[0] = Bound{1500.0, std::nullopt};
    l.bound[1] = Bound{180.0, 250.5};
    l.bound[7] = Bound{std::nullopt, 0.0};
    SaveLimits(path, l);
    EXPECT_EQ(ReadBytes(path), before +
                                   "[LIMITS]\r\nARC_TIME_MS=1500,\r\nCURRENT_MEAN=180,250.5\r\n"
                                   "VOLTAGE_MEAN=\r\nWIRE_FEED_MEAN=\r\nPOWER_W=\r\nENERGY_J=\r\n"
                                   "WIRE_M=\r\nBREAKS=,0\r\nGAPS=\r\nCURRENT_DEVIATION=\r\n"
                                   "VOLTAGE_DEVIATION=\r\nWIRE_FEED_DEVIATION=\r\n");
    EXPECT_EQ(LoadLimits(path), l);

    // A second save replaces the values where they are.
    l.bound[0] = Bound{};
    SaveLimits(path, l);
    EXPECT_EQ(LoadLimits(path), l);
    EXPECT_NE(ReadBytes(path).find("[LIMITS]\r\nARC_TIME_MS=\r\nCURRENT_MEAN=180,250.5\r\n"),
              std::string::npos);
    EXPECT_EQ(ReadBytes(path).rfind(before, 0), 0u);
    EXPECT_EQ(dir.EntryCount(), 1u);  // no temporary file left
}

}  // namespace
}  // namespace vx
