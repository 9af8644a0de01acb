#include "display/trace_map.h"

#include <cmath>

#include "display/axes.h"
#include "wavefile/wave_tables.h"

namespace vx {

namespace {
double UsableFactor(double f) { return (std::isfinite(f) && f != 0.0) ? f : 1.0; }
}  // namespace

double Trace3Mapping::Map(double v) const { return (v - min3) * factor + min1; }

double Trace3Mapping::Inverse(double y) const { return (y - min1) / UsableFactor(factor) + min3; }

Trace3Mapping MakeTrace3Mapping(const WeldWaveSetting& s, uint8_t layout, double factor2) {
    const int32_t* q = WaveScaleTable[CheckedLayout(layout)];
    Trace3Mapping m;
    // The same minimums the axes and captions use, exchanged limits included.
    m.min1 = static_cast<double>(EffectiveScale(s.Scale.Graph[q[0]]).lo);
    m.min3 = static_cast<double>(EffectiveScale(s.Scale.Graph[q[2]]).lo);
    m.factor = UsableFactor(factor2);
    return m;
}

}  // namespace vx
