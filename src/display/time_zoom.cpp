#include "display/time_zoom.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace vx {
namespace {

bool Readable(const TimeSpan& r) { return std::isfinite(r.lo) && std::isfinite(r.hi); }

TimeSpan Ordered(TimeSpan r) {
    if (r.lo > r.hi) std::swap(r.lo, r.hi);
    return r;
}

double LimitsWidth(const ZoomLimits& l) { return l.hi - l.lo; }

// Moves a range no wider than the limits inside them.
TimeSpan ShiftInside(TimeSpan r, const ZoomLimits& l) {
    const double w = r.Width();
    if (r.lo < l.lo) return {l.lo, l.lo + w};
    if (r.hi > l.hi) return {l.hi - w, l.hi};
    return r;
}

double ClampWidth(double w, const ZoomLimits& l) {
    return std::clamp(w, l.minWidth, std::max(l.minWidth, LimitsWidth(l)));
}

}  // namespace

TimeSpan ClampTime(TimeSpan r, const ZoomLimits& limits) {
    if (!Readable(r)) return {limits.lo, limits.hi};
    r = Ordered(r);
    const double w = r.Width();
    if (w < limits.minWidth) {
        const double c = r.lo + w / 2;
        r = {c - limits.minWidth / 2, c + limits.minWidth / 2};
    } else if (w > LimitsWidth(limits)) {
        return {limits.lo, limits.hi};
    }
    return ShiftInside(r, limits);
}

TimeSpan ZoomTime(TimeSpan r, double anchor, double factor, const ZoomLimits& limits) {
    if (!Readable(r)) return ClampTime(r, limits);
    r = Ordered(r);
    if (!std::isfinite(factor) || factor <= 0) return ClampTime(r, limits);
    const double w = r.Width();
    if (!std::isfinite(anchor)) anchor = r.lo + w / 2;
    anchor = std::clamp(anchor, r.lo, r.hi);
    // Share of the range left of the anchor; it stays the same after the zoom.
    const double share = w > 0 ? (anchor - r.lo) / w : 0.5;
    const double zoomed = ClampWidth(w * factor, limits);
    const double lo = anchor - share * zoomed;
    return ClampTime({lo, lo + zoomed}, limits);
}

TimeSpan PanTime(TimeSpan r, double delta, const ZoomLimits& limits) {
    if (!Readable(r)) return ClampTime(r, limits);
    r = Ordered(r);
    if (std::isfinite(delta)) r = {r.lo + delta, r.hi + delta};
    return ClampTime(r, limits);
}

TimeSpan BandTime(double a, double b, const ZoomLimits& limits) {
    return ClampTime({a, b}, limits);
}

TimeSpan FitTime(double first, double last, const ZoomLimits& limits) {
    const TimeSpan r = Ordered({first, last});
    const double margin = 0.02 * r.Width();
    return ClampTime({r.lo - margin, r.hi + margin}, limits);
}

double NiceTimeStep(double width, int maxTicks) {
    if (!(width > 0) || !std::isfinite(width)) return 0;
    const double raw = width / std::max(1, maxTicks);
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0})
        if (m * power >= raw * (1 - 1e-9)) return m * power;
    return 10 * power;
}

int StepDecimals(double step) {
    if (!(step > 0) || step >= 1 || !std::isfinite(step)) return 0;
    return static_cast<int>(-std::floor(std::log10(step) + 1e-9));
}

}  // namespace vx
