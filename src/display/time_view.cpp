#include "display/time_view.h"

#include <cmath>

namespace vx {

std::optional<TimeSpan> TimesSpanned(const std::vector<double>& t) {
    size_t first = 0, end = t.size();
    while (first < end && !std::isfinite(t[first])) ++first;
    while (end > first && !std::isfinite(t[end - 1])) --end;
    if (first == end) return std::nullopt;
    return TimeSpan{t[first], t[end - 1]};
}

TimeSpan TimeView::Range() const {
    if (zoom_) return *zoom_;
    return {home_.Minimum(), home_.Maximum()};
}

void TimeView::ZoomAroundCentre(double factor) {
    const TimeSpan r = Range();
    ZoomAt(r.lo + r.Width() / 2, factor);
}

RangeAxis TimeView::Axis(int maxTicks) const {
    if (!zoom_) return home_;
    return RangeAxis(zoom_->lo, zoom_->hi, NiceTimeStep(zoom_->Width(), maxTicks));
}

}  // namespace vx
