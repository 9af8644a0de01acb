#pragma once
// Trace 3 shares the left axis with trace 1: its values are moved onto trace
// 1's scale for drawing and moved back for the read-out.
#include <cstdint>

#include "settings/weld_wave_setting.h"

namespace vx {

struct Trace3Mapping {
    double min1 = 0, min3 = 0, factor = 1;
    double Map(double v) const;      // (v - min3) * factor + min1
    double Inverse(double y) const;  // (y - min1) / factor + min3
};

// The mapping that matches the axes SetupAxes made for `layout`; factor2 is
// its AxisFactor[2]. A zero or non-finite factor is taken as 1.
Trace3Mapping MakeTrace3Mapping(const WeldWaveSetting& s, uint8_t layout, double factor2);

}  // namespace vx
