// Weld metrics against hand-computed figures.
#include "analysis/metrics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

#include "display/loaded_wave.h"
#include "settings/settings_file.h"
#include "wave_test_files.h"

namespace vx {
namespace {

using test::Sj;
using test::TempFolder;

const std::string kData = VX_TEST_DATA;

WaveColumns Columns(std::vector<double> t, std::vector<double> y1, std::vector<double> y2,
                    std::vector<double> y3) {
    WaveColumns c;
    c.t = std::move(t);
    c.y1 = std::move(y1);
    c.y2 = std::move(y2);
    c.y3 = std::move(y3);
    return c;
}

// n samples every `step` ms from 0 with constant values.
WaveColumns Steady(size_t n, double step, double y1, double y2, double y3) {
    WaveColumns c;
    for (size_t i = 0; i < n; ++i) {
        c.t.push_back(static_cast<double>(i) * step);
        c.y1.push_back(y1);
        c.y2.push_back(y2);
        c.y3.push_back(y3);
    }
    return c;
}

// The file read as the viewer reads it, measured with default parameters.
WeldMetrics MeasureLoaded(const std::string& path, const AnalysisParams& p = {}) {
    WeldWaveSetting setting;
    LoadWaveSetting("/nonexistent/Varmonix.ini", setting);
    LineList lines;
    LoadedWave w = LoadWave(path, setting, InitialAxes(setting), lines);
    EXPECT_TRUE(w.loaded) << path;
    return ComputeMetrics(w.samples, w.layout, p);
}

void ExpectOpt(const std::optional<double>& got, std::optional<double> want, const char* what) {
    SCOPED_TRACE(what);
    ASSERT_EQ(got.has_value(), want.has_value());
    if (want) {
        EXPECT_NEAR(*got, *want, 1e-9 * std::max(1.0, std::abs(*want)));
    }
}

TEST(ColumnsOfLayout, SetAndActualColumnOfEachQuantityInEveryRow) {
    // Per row: {command, measured} of current, voltage, wire feed; -1 = none.
    struct Case {
        uint8_t row;
        int cur[2], volt[2], wire[2];
    } cases[] = {
        {0, {-1, 0}, {-1, 1}, {-1, 2}}, {1, {0, -1}, {1, -1}, {2, -1}},
        {2, {0, 1}, {-1, 2}, {-1, -1}}, {3, {0, 1}, {-1, -1}, {-1, 2}},
        {4, {-1, 0}, {1, 2}, {-1, -1}}, {5, {-1, -1}, {0, 1}, {-1, 2}},
        {6, {-1, 0}, {-1, -1}, {1, 2}}, {7, {-1, -1}, {-1, 0}, {1, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int{c.row});
        const auto q = ColumnsOfLayout(c.row);
        const int* want[3] = {c.cur, c.volt, c.wire};
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(q[k].command, want[k][0]) << k;
            EXPECT_EQ(q[k].measured, want[k][1]) << k;
        }
    }
    for (const QuantityColumns& q : ColumnsOfLayout(8)) EXPECT_FALSE(q.Present());
    EXPECT_EQ(ColumnTitle(2, 1), "CurrentActual");
    EXPECT_EQ(ColumnTitle(7, 1), "FeedingSet");
}

TEST(Metrics, SteadyWeldOfKnownLength) {
    // 100 samples of 10 ms at 200 A, 20 V, 8 m/min: one second of arc.
    AnalysisParams p;
    p.wireDiameter = 1.2;
    p.travelSpeed = 300;
    const WeldMetrics m = ComputeMetrics(Steady(100, 10, 200, 20, 8), 0, p);
    EXPECT_EQ(m.count, 100u);
    ExpectOpt(m.durationMs, 1000, "duration");
    EXPECT_EQ(m.intervalMs, 10);
    EXPECT_EQ(m.gaps, 0);
    ASSERT_TRUE(m.arc);
    EXPECT_EQ(m.arc->source, "CurrentActual");
    EXPECT_EQ(m.arc->threshold, 10);
    ExpectOpt(m.arc->startMs, 0, "start");
    ExpectOpt(m.arc->endMs, 1000, "end");
    EXPECT_EQ(m.arc->timeMs, 1000);
    EXPECT_EQ(m.arc->breaks, 0);
    const double want[3] = {200, 20, 8};
    const char* source[3] = {"CurrentActual", "VoltageActual", "FeedingActual"};
    for (int q = 0; q < 3; ++q) {
        SCOPED_TRACE(q);
        ASSERT_TRUE(m.quantity[q]);
        EXPECT_EQ(m.quantity[q]->source, source[q]);
        EXPECT_EQ(m.quantity[q]->mean, want[q]);
        EXPECT_EQ(m.quantity[q]->rms, want[q]);
        EXPECT_EQ(m.quantity[q]->std, 0);
        EXPECT_EQ(m.quantity[q]->min, want[q]);
        EXPECT_EQ(m.quantity[q]->max, want[q]);
        EXPECT_FALSE(m.deviation[q]);
    }
    EXPECT_EQ(m.powerW, 4000);
    EXPECT_EQ(m.energyJ, 4000);              // 4000 W for 1 s
    EXPECT_EQ(m.energyAvgJ, 4000);           // 20 V x 200 A x 1 s
    ExpectOpt(m.wireM, 8.0 / 60, "wire_m");  // 8 m/min for 1 s
    ExpectOpt(m.wireG, 8.0 / 60 * std::numbers::pi / 4 * 1.44 * 7.85, "wire_g");
    // 0.8 x 4 kJ over 300 mm/min x 1/60 min = 5 mm.
    ExpectOpt(m.heatInputKjPerMm, 0.64, "heat input");
}

TEST(Metrics, ArcOnSamplesAndBreaks) {
    // Every sample holds 10 ms. The selected samples are the "on" ones.
    struct Case {
        const char* name;
        std::vector<double> current;
        std::optional<double> start, end;
        double timeMs;
        int breaks;
        std::optional<double> mean, rms, std;
    } cases[] = {
        {"start after idle",
         {0, 0, 0, 5, 200, 200, 200, 200, 200, 200},
         40,
         100,
         60,
         0,
         200,
         200,
         0},
        {"two breaks, idle tail",
         {100, 200, 0, 300, 5, 5, 200, 0},
         0,
         70,
         40,
         2,
         200,
         std::sqrt(45000.0),
         std::sqrt(5000.0)},
        {"threshold itself is on", {9.99, 10, 10, 9.99}, 10, 30, 20, 0, 10, 10, 0},
        {"never on",
         {0, 5, 9.9},
         std::nullopt,
         std::nullopt,
         0,
         0,
         std::nullopt,
         std::nullopt,
         std::nullopt},
        {"one-sample break", {50, 0, 50}, 0, 30, 20, 1, 50, 50, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WaveColumns w = Steady(c.current.size(), 10, 0, 20, 5);
        w.y1 = c.current;
        const WeldMetrics m = ComputeMetrics(w, 0, {});
        ASSERT_TRUE(m.arc);
        ExpectOpt(m.arc->startMs, c.start, "start");
        ExpectOpt(m.arc->endMs, c.end, "end");
        EXPECT_EQ(m.arc->timeMs, c.timeMs);
        EXPECT_EQ(m.arc->breaks, c.breaks);
        ExpectOpt(m.quantity[kCurrent]->mean, c.mean, "mean");
        ExpectOpt(m.quantity[kCurrent]->rms, c.rms, "rms");
        ExpectOpt(m.quantity[kCurrent]->std, c.std, "std");
        // Energy sums over the on samples only: 20 V x mean current x arc time.
        ExpectOpt(m.energyJ, c.mean ? 20 * *c.mean * c.timeMs / 1000 : 0.0, "energy");
        ExpectOpt(m.wireM, 5 * c.timeMs / 60000, "wire");
    }
}

TEST(Metrics, IntervalIsTheLowerMedianOfPositiveSteps) {
    struct Case {
        std::vector<double> t;
        double interval;
    } cases[] = {
        {{}, 10},
        {{100}, 10},
        {{5, 5, 5}, 10},                    // no positive step
        {{0, 100, 200}, 100},               // 100 ms log
        {{0, 10, 30}, 10},                  // {10, 20}: the lower of the two
        {{0, 20, 40, 50, 80}, 20},          // {10, 20, 20, 30}
        {{0, 10, 10, 20, 1000, 1010}, 10},  // {10, 10, 980, 10}
    };
    for (const Case& c : cases) {
        const std::vector<double> zero(c.t.size(), 0);
        EXPECT_EQ(ComputeMetrics(Columns(c.t, zero, zero, zero), 0, {}).intervalMs, c.interval);
    }
}

TEST(Metrics, HoldTimesWeightTheStatistics) {
    // Steps 10 and 20 ms, the last sample holds one interval (10 ms):
    // mean = (100 x 10 + 200 x 20 + 400 x 10) / 40.
    const WeldMetrics m =
        ComputeMetrics(Columns({0, 10, 30}, {100, 200, 400}, {20, 20, 20}, {1, 1, 1}), 0, {});
    EXPECT_EQ(m.arc->timeMs, 40);
    ExpectOpt(m.quantity[kCurrent]->mean, 225, "mean");
    // (125^2 x 10 + 25^2 x 20 + 175^2 x 10) / 40
    ExpectOpt(m.quantity[kCurrent]->std, std::sqrt((15625.0 * 10 + 625 * 20 + 30625 * 10) / 40),
              "std");
    ExpectOpt(m.powerW, 4500, "power");  // 20 V x 225 A
    ExpectOpt(m.durationMs, 40, "duration");
}

TEST(Metrics, GapInTheLogHoldsOneInterval) {
    // 30 -> 1000 is above 5 x 10 ms: sample 3 holds 10 ms, not 970.
    const WeldMetrics m = ComputeMetrics(
        Columns({0, 10, 20, 30, 1000, 1010, 1020}, {200, 200, 200, 400, 200, 200, 200},
                {20, 20, 20, 20, 20, 20, 20}, {6, 6, 6, 6, 6, 6, 6}),
        0, {});
    EXPECT_EQ(m.intervalMs, 10);
    EXPECT_EQ(m.gaps, 1);
    EXPECT_EQ(m.arc->timeMs, 70);
    ExpectOpt(m.arc->endMs, 1030, "end");
    EXPECT_EQ(m.arc->breaks, 0);
    ExpectOpt(m.durationMs, 1030, "duration");  // the gap is part of the log's length
    ExpectOpt(m.quantity[kCurrent]->mean, (200.0 * 6 + 400) / 7, "mean");
    // A step of exactly 5 intervals is no gap.
    const std::vector<double> v(3, 100);
    EXPECT_EQ(ComputeMetrics(Columns({0, 10, 60}, v, v, v), 0, {}).gaps, 0);
    EXPECT_EQ(ComputeMetrics(Columns({0, 10, 61}, v, v, v), 0, {}).gaps, 1);
}

TEST(Metrics, UnsortedFileWithEqualTimesKeepsTheirFileOrder) {
    // Time order 0, 10, 10, 20, 20, 30 with (current, voltage, feed)
    // (0,0,0) (100,10,1) (101,11,1.5) (200,20,2) (201,21,2.5) (300,30,3).
    // The first of each equal pair holds 0 ms, but still counts for min/max.
    const WeldMetrics m = MeasureLoaded(kData + "/unsorted_equal_times.csv");
    EXPECT_EQ(m.count, 6u);
    EXPECT_EQ(m.intervalMs, 10);
    ExpectOpt(m.durationMs, 40, "duration");
    ExpectOpt(m.arc->startMs, 10, "start");
    ExpectOpt(m.arc->endMs, 40, "end");
    EXPECT_EQ(m.arc->timeMs, 30);
    ExpectOpt(m.quantity[kCurrent]->mean, (101.0 * 10 + 201 * 10 + 300 * 10) / 30, "mean");
    ExpectOpt(m.quantity[kCurrent]->min, 100, "min");
    ExpectOpt(m.quantity[kCurrent]->max, 300, "max");
    ExpectOpt(m.quantity[kVoltage]->mean, (11.0 + 21 + 30) / 3, "voltage");
    ExpectOpt(m.energyJ, (101.0 * 11 + 201 * 21 + 300 * 30) * 10 / 1000, "energy");
    ExpectOpt(m.wireM, (1.5 + 2.5 + 3) * 10 / 60000, "wire");
}

TEST(Metrics, CommandValuesOnly) {
    // Row 1: the command current decides the arc; no measured pair, so no
    // power, energy or deviation.
    const WeldMetrics m = ComputeMetrics(
        Columns({0, 10, 20, 30}, {0, 150, 150, 150}, {18, 18, 18, 18}, {5, 5, 5, 5}), 1, {});
    ASSERT_TRUE(m.arc);
    EXPECT_EQ(m.arc->source, "CurrentSet");
    EXPECT_EQ(m.arc->timeMs, 30);
    EXPECT_EQ(m.quantity[kCurrent]->source, "CurrentSet");
    EXPECT_EQ(m.quantity[kVoltage]->source, "VoltageSet");
    EXPECT_EQ(m.quantity[kWireSpeed]->source, "FeedingSet");
    ExpectOpt(m.quantity[kVoltage]->mean, 18, "voltage");
    EXPECT_FALSE(m.powerW);
    EXPECT_FALSE(m.energyJ);
    EXPECT_FALSE(m.energyAvgJ);
    ExpectOpt(m.wireM, 5.0 * 30 / 60000, "wire");
    for (const auto& d : m.deviation) EXPECT_FALSE(d);
}

TEST(Metrics, RowsWithoutCurrentTakeEverySample) {
    // Rows 5 and 7 have no current: no arc, statistics over all samples,
    // also the idle ones.
    for (uint8_t row : {uint8_t{5}, uint8_t{7}}) {
        SCOPED_TRACE(int{row});
        const WeldMetrics m = ComputeMetrics(
            Columns({0, 10, 20, 30}, {0, 20, 20, 20}, {0, 22, 22, 22}, {0, 8, 8, 8}), row, {});
        EXPECT_FALSE(m.arc);
        EXPECT_FALSE(m.quantity[kCurrent]);
        ASSERT_TRUE(m.quantity[kVoltage]);
        ASSERT_TRUE(m.quantity[kWireSpeed]);
        EXPECT_EQ(m.quantity[kWireSpeed]->source, "FeedingActual");
        ExpectOpt(m.quantity[kWireSpeed]->mean, 6, "feed");  // (0 + 8 + 8 + 8) / 4
        ExpectOpt(m.quantity[kWireSpeed]->min, 0, "feed min");
        ExpectOpt(m.wireM, 8.0 * 30 / 60000, "wire");
        EXPECT_FALSE(m.powerW);
        EXPECT_FALSE(m.energyJ);
        AnalysisParams p;
        p.travelSpeed = 300;
        EXPECT_FALSE(ComputeMetrics(Steady(3, 10, 20, 20, 20), row, p).heatInputKjPerMm);
    }
}

TEST(Metrics, DeviationOfCommandAndMeasuredValue) {
    // Command 200 and measured 190, 210, 205 (each 10 ms, all on):
    // mean |a - s| = (10 + 10 + 5) / 3, max 10. Column of each per row.
    struct Case {
        uint8_t row;
        int quantity;
        int set, actual;  // value columns
    } cases[] = {
        {2, kCurrent, 0, 1}, {3, kCurrent, 0, 1},   {4, kVoltage, 1, 2},
        {5, kVoltage, 0, 1}, {6, kWireSpeed, 1, 2}, {7, kWireSpeed, 1, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int{c.row});
        WaveColumns w = Steady(3, 10, 300, 300, 300);  // 300: on, whatever the current column
        std::vector<double>* col[3] = {&w.y1, &w.y2, &w.y3};
        *col[c.set] = {200, 200, 200};
        *col[c.actual] = {190, 210, 205};
        const WeldMetrics m = ComputeMetrics(w, c.row, {});
        for (int q = 0; q < 3; ++q) {
            if (q != c.quantity) {
                EXPECT_FALSE(m.deviation[q]) << q;
                continue;
            }
            ASSERT_TRUE(m.deviation[q]);
            ExpectOpt(m.deviation[q]->meanAbs, 25.0 / 3, "mean_abs");
            ExpectOpt(m.deviation[q]->maxAbs, 10, "max_abs");
            // The measured column is the one the statistics use.
            ExpectOpt(m.quantity[q]->mean, (190.0 + 210 + 205) / 3, "mean");
        }
    }
}

TEST(Metrics, DeviationOnlyOverOnSamples) {
    // Row 2: the idle sample (8 A against 0) is left out; over all three
    // the mean would be (8 + 10 + 4) / 3.
    const WeldMetrics m =
        ComputeMetrics(Columns({0, 10, 20}, {0, 200, 200}, {8, 190, 196}, {20, 20, 20}), 2, {});
    EXPECT_EQ(m.arc->source, "CurrentActual");
    EXPECT_EQ(m.arc->timeMs, 20);  // 8 A is below the threshold
    ExpectOpt(m.deviation[kCurrent]->meanAbs, 7, "mean_abs");
    ExpectOpt(m.deviation[kCurrent]->maxAbs, 10, "max_abs");
}

TEST(Metrics, HeaderOnlyAndOneSampleFiles) {
    TempFolder dir;
    const std::string header =
        "Time[msec],CurrentActual[A],VoltageActual[V],FeedingActual[m/min]\r\n";
    AnalysisParams p;
    p.wireDiameter = 1;
    p.travelSpeed = 600;

    const WeldMetrics none = MeasureLoaded(kData + "/bad/header_only.csv", p);
    EXPECT_EQ(none.count, 0u);
    EXPECT_FALSE(none.durationMs);
    EXPECT_EQ(none.intervalMs, 10);
    ASSERT_TRUE(none.arc);
    EXPECT_FALSE(none.arc->startMs);
    EXPECT_FALSE(none.arc->endMs);
    EXPECT_EQ(none.arc->timeMs, 0);
    ASSERT_TRUE(none.quantity[kCurrent]);
    EXPECT_FALSE(none.quantity[kCurrent]->mean);
    EXPECT_FALSE(none.quantity[kCurrent]->min);
    EXPECT_FALSE(none.powerW);
    EXPECT_EQ(none.energyJ, 0);  // nothing burned
    EXPECT_FALSE(none.energyAvgJ);
    EXPECT_EQ(none.wireM, 0);
    EXPECT_EQ(none.wireG, 0);
    EXPECT_FALSE(none.heatInputKjPerMm);  // no arc time to divide by

    // One sample holds one interval: 10 ms of 4000 W.
    const WeldMetrics one = MeasureLoaded(dir.Write("one.csv", header + "100,200,20,6\r\n"), p);
    EXPECT_EQ(one.count, 1u);
    ExpectOpt(one.durationMs, 10, "duration");
    ExpectOpt(one.arc->startMs, 100, "start");
    ExpectOpt(one.arc->endMs, 110, "end");
    EXPECT_EQ(one.arc->timeMs, 10);
    EXPECT_EQ(one.powerW, 4000);
    EXPECT_EQ(one.energyJ, 40);
    ExpectOpt(one.wireM, 0.001, "wire");
    ExpectOpt(one.wireG, 0.001 * std::numbers::pi / 4 * 7.85, "wire_g");
    // 0.8 x 0.04 kJ over 600 mm/min x 10 ms = 0.1 mm.
    ExpectOpt(one.heatInputKjPerMm, 0.32, "heat input");
}

TEST(Metrics, TimeRange) {
    // 100 samples of 10 ms at 200 A / 20 V; a gap after 500 in the second weld.
    const WaveColumns steady = Steady(100, 10, 200, 20, 6);
    struct Case {
        const char* name;
        TimeRange range;
        size_t count;
        std::optional<double> duration, start, end;
        double arcTime;
    } cases[] = {
        {"whole file", {}, 100, 1000, 0, 1000, 1000},
        {"on samples, end cut", {200, 500}, 31, 300, 200, 500, 300},
        {"between samples", {205, 495}, 29, 285, 210, 495, 285},
        {"past both ends", {-1000, 5000}, 100, 1000, 0, 1000, 1000},
        {"one sample", {300, 300}, 1, 0, 300, 300, 0},
        {"reversed", {500, 200}, 0, std::nullopt, std::nullopt, std::nullopt, 0},
        {"before the log", {-50, -1}, 0, std::nullopt, std::nullopt, std::nullopt, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const WeldMetrics m = ComputeMetrics(steady, 0, {}, c.range);
        EXPECT_EQ(m.count, c.count);
        EXPECT_EQ(m.intervalMs, 10);
        ExpectOpt(m.durationMs, c.duration, "duration");
        ExpectOpt(m.arc->startMs, c.start, "start");
        ExpectOpt(m.arc->endMs, c.end, "end");
        EXPECT_EQ(m.arc->timeMs, c.arcTime);
        ExpectOpt(m.energyJ, 4000 * c.arcTime / 1000, "energy");
        if (c.arcTime > 0) ExpectOpt(m.powerW, 4000, "power");
    }

    // Ranges that meet on a sample add up to the range over both.
    const WeldMetrics a = ComputeMetrics(steady, 0, {}, {0, 400});
    const WeldMetrics b = ComputeMetrics(steady, 0, {}, {400, 1000});
    EXPECT_EQ(a.arc->timeMs + b.arc->timeMs, 1000);
    EXPECT_EQ(*a.energyJ + *b.energyJ, 4000);

    // A gap counts when both its ends lie in the range; the interval stays
    // the whole file's.
    const WaveColumns gap = Columns({0, 10, 20, 500, 510}, {200, 200, 200, 200, 200},
                                    {20, 20, 20, 20, 20}, {6, 6, 6, 6, 6});
    EXPECT_EQ(ComputeMetrics(gap, 0, {}, {0, 510}).gaps, 1);
    EXPECT_EQ(ComputeMetrics(gap, 0, {}, {0, 300}).gaps, 0);
    const WeldMetrics tail = ComputeMetrics(gap, 0, {}, {500, 510});
    EXPECT_EQ(tail.intervalMs, 10);
    EXPECT_EQ(tail.arc->timeMs, 10);  // 500 holds 10 ms, 510 is cut to 0
}

TEST(Metrics, OverflowingValuesGiveNullNotInfinity) {
    const double huge = 1e300;
    const WeldMetrics m = ComputeMetrics(Steady(3, 10, huge, huge, huge), 0, {});
    ExpectOpt(m.quantity[kCurrent]->mean, huge, "mean");
    EXPECT_FALSE(m.quantity[kCurrent]->rms);  // x^2 overflows
    EXPECT_FALSE(m.powerW);
    EXPECT_FALSE(m.energyJ);
    EXPECT_EQ(m.quantity[kCurrent]->max, huge);
}

}  // namespace
}  // namespace vx
