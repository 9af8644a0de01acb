#include "display/loaded_wave.h"

#include <utility>

#include "common/weld_common.h"
#include "wavefile/overlay_file.h"
#include "wavefile/wave_layout.h"

namespace vx {

namespace {

// Time order and trace 3 as drawn, the same for the drawn file and overlays.
void FinishSamples(LoadedWave& w) {
    w.fileOrder = SortColumnsByTime(w.samples);
    w.y3Drawn.resize(w.samples.y3.size());
    for (size_t i = 0; i < w.samples.y3.size(); ++i) w.y3Drawn[i] = w.map3.Map(w.samples.y3[i]);
}

}  // namespace

ChartAxes InitialAxes(const WeldWaveSetting& setting) {
    ChartAxes a;
    SetupAxes(setting, 0, a.time, a.left, a.right);
    return a;
}

LoadedWave LoadWave(const std::string& path, const WeldWaveSetting& setting,
                    const ChartAxes& before, LineList& lines) {
    LoadedWave w;
    w.readable = ReadWaveLines(path, lines);
    if (!w.readable) return w;
    w.variant = DetectVariant(lines[0]);
    w.fieldCount = WeldCommon::SplitFields(lines[0], std::string(1, w.variant.delimiter), true, 4,
                                           w.fields.data());
    if (w.fieldCount != 4) return w;

    w.loaded = true;
    w.layout = DetectWaveLayout(w.fields.data());
    w.axes = before;
    w.axisSetup = SetupAxes(setting, w.layout, w.axes.time, w.axes.left, w.axes.right);
    w.map3 = MakeTrace3Mapping(setting, w.layout, w.axisSetup.AxisFactor[2]);
    ConvertDataLines(lines, w.variant, w.samples);
    FinishSamples(w);
    w.sampleCode = SampleCodeOf(w.samples.t, lines.size());
    for (int k = 0; k < 3; ++k) w.titles[k] = TitleAndUnitOf(w.fields[k + 1]);
    return w;
}

LoadedWave LoadOverlayWave(const std::string& path, const Trace3Mapping& map3, LineList& lines) {
    LoadedWave w;
    w.map3 = map3;
    w.readable = ReadOverlayFile(path, lines, w.samples);
    if (w.readable) FinishSamples(w);
    return w;
}

}  // namespace vx
