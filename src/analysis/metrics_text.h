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

// A parameter as the settings dialog shows it: shortest form that reads
// back the same ("10", "0.8", "7.85").
std::string ParameterText(double v);

}  // namespace vx
