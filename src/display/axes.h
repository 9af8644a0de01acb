#pragma once
// Axis set-up of the wave chart: the time axis, the two vertical axes, the
// 3 x 11 scale captions and the factor that puts trace 3 on the left axis.
#include <array>
#include <cstdint>
#include <string>

#include "display/range_axis.h"
#include "settings/weld_wave_setting.h"

namespace vx {

// Limits a scale is drawn with: reversed limits exchanged, and an empty span
// (hand-edited settings) widened to one unit so nothing divides by zero.
struct ScaleLimits {
    int64_t lo = 0;
    int64_t hi = 1;
    int64_t Span() const { return hi - lo; }
};
ScaleLimits EffectiveScale(const GraphInfo& g);

// Layout rows outside the table are read as row 0.
uint8_t CheckedLayout(uint8_t layout);

struct AxisSetupResult {
    // The time axis refused a limit; the caller shows message 955.
    bool timeRefused = false;
    std::array<std::array<std::string, 11>, 3> labels;  // [column][s], s = 0 bottom; ASCII
    std::array<double, 3> AxisFactor{1.0, 1.0, 1.0};
};

// Caption of one scale label; `step` is the distance between labels.
std::string ScaleCaption(double v, double step);

AxisSetupResult SetupAxes(const WeldWaveSetting& s, uint8_t layout, RangeAxis& time,
                          RangeAxis& left, RangeAxis& right);

}  // namespace vx
