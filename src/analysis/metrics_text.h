#pragma once
// The figures of the metrics panel as text: fixed decimals, '.' as the
// decimal mark whatever the locale, a dash where a figure is not defined.
#include <array>
#include <string>

#include "analysis/metrics.h"

namespace vx {

inline constexpr int kPanelRows = 8;

// Arc time, mean current, voltage and wire feed, mean power, arc energy,
// wire length (and weight when a wire diameter is set), breaks.
std::array<std::string, kPanelRows> MetricsPanelValues(const WeldMetrics& m);

// The figures of a cursor range A..B: the cursors' times, the span, per
// quantity mean, min, max and rms (no unit; the row says it), the energy and
// the arc time within the range.
inline constexpr int kRangeStats = 4;  // mean, min, max, rms
struct RangePanelText {
    std::string cursors;            // "1200 / 2434 ms": A's time, then B's
    std::string span;               // "1234 ms"
    std::array<bool, 3> present{};  // by quantity: the layout has it
    std::array<std::array<std::string, kRangeStats>, 3> stats;
    std::string energy;   // "1.234 kJ", "-" without measured current and voltage
    std::string arcTime;  // "1220 ms"
};
RangePanelText RangePanelValues(const WeldMetrics& m, double a, double b);

// A parameter as the settings dialog shows it: shortest form that reads
// back the same ("10", "0.8", "7.85").
std::string ParameterText(double v);

}  // namespace vx
