#pragma once
// Settings records for the display tests.
#include "settings/weld_wave_setting.h"

namespace vx::testing {

// Scales in use: current, voltage, wire feed, time (the program's defaults).
inline WeldWaveSetting DisplaySetting(GraphInfo cur = {0, 600, {}}, GraphInfo volt = {0, 100, {}},
                                      GraphInfo wire = {0, 100, {}},
                                      GraphInfo time = {0, 10000, {}}) {
    WeldWaveSetting s;
    s.Scale.Graph[kCurrent] = cur;
    s.Scale.Graph[kVoltage] = volt;
    s.Scale.Graph[kWireSpeed] = wire;
    s.Scale.Graph[kTime] = time;
    return s;
}

}  // namespace vx::testing
