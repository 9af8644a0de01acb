#pragma once
// Weld metrics: arc time, dt-weighted statistics of current, voltage and wire
// feed, arc energy, wire used, heat input and set/actual deviation, for a whole
// file or any time range of it.
#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "wavefile/wave_tables.h"

namespace vx {

struct AnalysisParams {
    double arcThreshold = 10;   // A; a sample is "arc on" at or above it
    double travelSpeed = 0;     // mm/min, 0 = unknown
    double efficiency = 0.8;    // thermal efficiency of the process
    double wireDiameter = 0;    // mm, 0 = unknown
    double wireDensity = 7.85;  // g/cm3
    bool operator==(const AnalysisParams&) const = default;
};

// Where a layout row keeps each quantity: value column 0..2 (trace 1..3) of
// the command and of the measured value, -1 when the row has none.
struct QuantityColumns {
    int command = -1;
    int measured = -1;
    bool Present() const { return command >= 0 || measured >= 0; }
    // The measured column when there is one, else the command column.
    int Used() const { return measured >= 0 ? measured : command; }
};

// Indexed by quantity (kCurrent, kVoltage, kWireSpeed). Rows out of range
// have no quantity at all.
std::array<QuantityColumns, 3> ColumnsOfLayout(uint8_t layout);

// English title of value column `column` of `layout`, such as "CurrentActual".
std::string ColumnTitle(uint8_t layout, int column);

struct QuantityStats {
    std::string source;  // title of the column used, e.g. "CurrentActual"
    // Null when no sample is selected; mean, rms and std also when the
    // selected samples hold for no time at all.
    std::optional<double> mean, rms, std, min, max;
};

struct ArcStats {
    std::string source;  // title of the current column used for detection
    double threshold = 0;
    std::optional<double> startMs, endMs;  // null without an on sample
    double timeMs = 0;
    int64_t breaks = 0;
};

struct DeviationStats {
    std::optional<double> meanAbs, maxAbs;  // |measured - command|
};

struct WeldMetrics {
    size_t count = 0;                  // samples in the range
    std::optional<double> durationMs;  // first sample to the end of the last one's hold
    double intervalMs = 10;            // of the whole file
    int64_t gaps = 0;                  // within the range
    std::optional<ArcStats> arc;       // null when the row has no current
    // By quantity; null when the row lacks it.
    std::array<std::optional<QuantityStats>, 3> quantity;
    // Power and energy need measured current and voltage. Sums (energy, wire)
    // over no sample are 0; means over no sample are null.
    std::optional<double> powerW, energyJ, energyAvgJ;
    std::optional<double> wireM, wireG;
    std::optional<double> heatInputKjPerMm;
    // By quantity; null unless the row has both command and measured values.
    std::array<std::optional<DeviationStats>, 3> deviation;
};

// Closed time range in ms. The default covers every sample.
struct TimeRange {
    double t0 = -std::numeric_limits<double>::infinity();
    double t1 = std::numeric_limits<double>::infinity();
};

// Metrics of the samples with t0 <= t <= t1. `samples` must be in time order
// (as LoadedWave::samples). Interval and hold times come from the whole file;
// a hold time is cut where it would pass t1, so a range never counts time
// after its end (and a sample lying exactly on t1 holds for no time).
// Results that overflow (absurd values) are null.
WeldMetrics ComputeMetrics(const WaveColumns& samples, uint8_t layout, const AnalysisParams& p,
                           const TimeRange& range = {});

}  // namespace vx
