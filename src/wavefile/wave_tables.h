#pragma once
// The eight column layouts a wave file can have, and what each trace of a
// layout is: its scale (0 current, 1 voltage, 2 wire feed), title and unit ids.
#include <cstdint>
#include <vector>

#include "common/text_table.h"

namespace vx {

inline constexpr int kLayoutCount = 8;

inline constexpr int32_t WaveScaleTable[kLayoutCount][3] = {
    {0, 1, 2}, {0, 1, 2}, {0, 0, 1}, {0, 0, 2}, {0, 1, 1}, {1, 1, 2}, {0, 2, 2}, {1, 2, 2}};
inline constexpr int32_t WaveTitleTable[kLayoutCount][3] = {
    {kTextCurrentActual, kTextVoltageActual, kTextFeedingActual},
    {kTextCurrentSet, kTextVoltageSet, kTextFeedingSet},
    {kTextCurrentSet, kTextCurrentActual, kTextVoltageActual},
    {kTextCurrentSet, kTextCurrentActual, kTextFeedingActual},
    {kTextCurrentActual, kTextVoltageSet, kTextVoltageActual},
    {kTextVoltageSet, kTextVoltageActual, kTextFeedingActual},
    {kTextCurrentActual, kTextFeedingSet, kTextFeedingActual},
    {kTextVoltageActual, kTextFeedingSet, kTextFeedingActual}};
inline constexpr int32_t WaveUnitTable[kLayoutCount][3] = {
    {kTextUnitAmpere, kTextUnitVolt, kTextUnitMeterPerMinute},
    {kTextUnitAmpere, kTextUnitVolt, kTextUnitMeterPerMinute},
    {kTextUnitAmpere, kTextUnitAmpere, kTextUnitVolt},
    {kTextUnitAmpere, kTextUnitAmpere, kTextUnitMeterPerMinute},
    {kTextUnitAmpere, kTextUnitVolt, kTextUnitVolt},
    {kTextUnitVolt, kTextUnitVolt, kTextUnitMeterPerMinute},
    {kTextUnitAmpere, kTextUnitMeterPerMinute, kTextUnitMeterPerMinute},
    {kTextUnitVolt, kTextUnitMeterPerMinute, kTextUnitMeterPerMinute}};

// Sample intervals in ms for SampleCode 0, 1, 2.
inline constexpr int32_t SampleIntervalTable[3] = {10, 100, 1000};

// The samples of one file in file order: time in ms and the three values.
struct WaveColumns {
    std::vector<double> t, y1, y2, y3;
    size_t size() const { return t.size(); }
    void clear() {
        t.clear();
        y1.clear();
        y2.clear();
        y3.clear();
    }
    void reserve(size_t n) {
        t.reserve(n);
        y1.reserve(n);
        y2.reserve(n);
        y3.reserve(n);
    }
};

}  // namespace vx
