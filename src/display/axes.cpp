#include "display/axes.h"

#include <algorithm>
#include <cmath>

#include "display/fixed_text.h"
#include "wavefile/wave_tables.h"

namespace vx {

ScaleLimits EffectiveScale(const GraphInfo& g) {
    ScaleLimits r;
    r.lo = std::min<int64_t>(g.Min, g.Max);
    r.hi = std::max<int64_t>(g.Min, g.Max);
    if (r.hi == r.lo) r.hi = r.lo + 1;
    return r;
}

uint8_t CheckedLayout(uint8_t layout) { return layout < kLayoutCount ? layout : 0; }

std::string ScaleCaption(double v, double step) {
    if (step < 1.0) return FormatFixed(v, 1, 3);
    // The nudge absorbs rounding of s * step; it goes away from zero so that
    // a whole negative value keeps its own caption.
    double nudged = v < 0 ? v - 0.00005 : v + 0.00005;
    return std::to_string(static_cast<int64_t>(std::trunc(nudged)));
}

namespace {

void SetVerticalAxis(RangeAxis& axis, const ScaleLimits& lim) {
    axis.SetMinMax(static_cast<double>(lim.lo), static_cast<double>(lim.hi));
    axis.SetIncrement(static_cast<double>(lim.Span() / 10));
}

}  // namespace

AxisSetupResult SetupAxes(const WeldWaveSetting& s, uint8_t layout, RangeAxis& time,
                          RangeAxis& left, RangeAxis& right) {
    AxisSetupResult r;
    const int32_t* q = WaveScaleTable[CheckedLayout(layout)];
    const GraphInfo* g = s.Scale.Graph;

    // Widen first so that the final limits can be set in either order; a
    // refused step leaves the limits set so far. The maximum goes first: a
    // minimum of 0 would be refused after a scale that ended below 0, and
    // every later set-up would then fail the same way.
    try {
        time.SetMaximum(10000000);
        time.SetMinimum(0);
        time.SetMinimum(g[kTime].Min);
        time.SetMaximum(g[kTime].Max);
        time.SetIncrement((time.Maximum() - time.Minimum()) * 0.1);
    } catch (const AxisRangeError&) {
        r.timeRefused = true;
    }

    const ScaleLimits lim1 = EffectiveScale(g[q[0]]);
    const ScaleLimits lim2 = EffectiveScale(g[q[1]]);
    const ScaleLimits lim3 = EffectiveScale(g[q[2]]);
    SetVerticalAxis(left, lim1);
    SetVerticalAxis(right, lim2);

    const bool flat3 = g[q[2]].Min == g[q[2]].Max;
    r.AxisFactor[0] = 1.0;
    r.AxisFactor[1] = 1.0;
    r.AxisFactor[2] = flat3 ? 1.0 : static_cast<double>(lim1.Span()) / lim3.Span();

    // Trace 3 is drawn on the left axis; with the factor 1.0 of an empty scale
    // its captions must follow the left axis's span to say where it lands.
    const int64_t spans[3] = {lim1.Span(), lim2.Span(), flat3 ? lim1.Span() : lim3.Span()};
    const int64_t mins[3] = {lim1.lo, lim2.lo, lim3.lo};
    for (int k = 0; k < 3; ++k) {
        const double step = static_cast<double>(spans[k]) * 0.1;
        for (int i = 0; i <= 10; ++i) {
            const double v = i * step + static_cast<double>(mins[k]);
            r.labels[k][i] = ScaleCaption(v, step);
        }
    }
    return r;
}

}  // namespace vx
