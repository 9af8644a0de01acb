#pragma once
// One wave file as the viewer holds it once read: header, layout, axes, titles
// and the samples in time order. The chart, the read-out, --dump and the
// analysis all read this; the chart library only draws a copy of it, with
// trace 3 moved through map3 as it is copied.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "display/axes.h"
#include "display/plot_data.h"
#include "display/range_axis.h"
#include "display/trace_map.h"
#include "settings/weld_wave_setting.h"
#include "wavefile/wave_csv.h"
#include "wavefile/wave_tables.h"

namespace vx {

// The three chart axes. Defaults are those of a fresh chart.
struct ChartAxes {
    RangeAxis time{0, 100000, 250};
    RangeAxis left{519, 3388, 0};
    RangeAxis right{0, 2000, 0};
};

// The axes after the window's first set-up, before any file is drawn (a
// refused time limit depends on the axes' earlier state).
ChartAxes InitialAxes(const WeldWaveSetting& setting);

struct LoadedWave {
    bool readable = false;  // the file could be read and holds a line
    WaveVariant variant;
    int fieldCount = 0;                 // fields of the header, at most 4
    std::array<std::string, 4> fields;  // CP932 bytes
    // The header has four fields: the viewer draws the file. Nothing below
    // is set otherwise.
    bool loaded = false;
    uint8_t layout = 0;
    ChartAxes axes;             // after the set-up for this file
    AxisSetupResult axisSetup;  // captions, AxisFactor, refused time limit
    Trace3Mapping map3;         // trace 3 onto trace 1's scale
    uint8_t sampleCode = 0;
    std::array<TitleUnit, 3> titles;  // from the header, CP932 bytes
    // In time order, equal times in file order; values in their own units.
    WaveColumns samples;
    // Element k: the data line (0 = first) that sample k came from; empty
    // when the file was in time order.
    std::vector<uint32_t> fileOrder;

    size_t size() const { return samples.size(); }
};

// Reads `path` as the viewer reads the file it draws. `before` are the
// chart's axes before this file; `lines` is scratch space whose memory the
// next read reuses (it holds no lines afterwards).
LoadedWave LoadWave(const std::string& path, const WeldWaveSetting& setting,
                    const ChartAxes& before, LineList& lines);

// Reads an overlay file (no header test; each line chooses its own
// delimiter); trace 3 is to be drawn through the current file's mapping.
LoadedWave LoadOverlayWave(const std::string& path, const Trace3Mapping& map3, LineList& lines);

}  // namespace vx
