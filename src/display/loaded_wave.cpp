#include "display/loaded_wave.h"

#include <optional>
#include <string_view>
#include <utility>

#include "common/weld_common.h"
#include "wavefile/overlay_file.h"
#include "wavefile/wave_layout.h"
#include "wavefile/wave_stream.h"

namespace vx {

namespace {

// Time order, the same for the drawn file and overlays.
void FinishSamples(LoadedWave& w) { w.fileOrder = SortColumnsByTime(w.samples); }

}  // namespace

ChartAxes InitialAxes(const WeldWaveSetting& setting) {
    ChartAxes a;
    SetupAxes(setting, 0, a.time, a.left, a.right);
    return a;
}

LoadedWave LoadWave(const std::string& path, const WeldWaveSetting& setting,
                    const ChartAxes& before, LineList& lines) {
    LoadedWave w;
    const HeaderRule rule = [&w](std::string_view header) -> std::optional<DataRule> {
        w.variant = DetectVariant(header);
        w.fieldCount = WeldCommon::SplitFields(header, std::string(1, w.variant.delimiter), true, 4,
                                               w.fields.data());
        if (w.fieldCount != 4) return std::nullopt;
        return RuleOf(w.variant);
    };
    w.readable = ReadWaveSamples(path, rule, w.samples, lines);
    if (!w.readable) return LoadedWave{};
    if (w.fieldCount != 4) return w;

    w.loaded = true;
    w.layout = DetectWaveLayout(w.fields.data());
    w.axes = before;
    w.axisSetup = SetupAxes(setting, w.layout, w.axes.time, w.axes.left, w.axes.right);
    w.map3 = MakeTrace3Mapping(setting, w.layout, w.axisSetup.AxisFactor[2]);
    FinishSamples(w);
    w.sampleCode = SampleCodeOf(w.samples.t, w.samples.size() + 1);  // the header is a line too
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
