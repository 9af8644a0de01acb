#include "display/time_view.h"

namespace vx {

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
