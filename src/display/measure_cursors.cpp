#include "display/measure_cursors.h"

#include <algorithm>
#include <cmath>

namespace vx {

std::optional<double> CursorTimeAt(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    return std::trunc(x) + 0.0;  // + 0.0 turns -0 into 0
}

void MeasureCursors::Set(Cursor c, double t) {
    Remember();
    (c == Cursor::A ? a_ : b_) = t;
}

void MeasureCursors::Clear() {
    Remember();
    a_.reset();
    b_.reset();
}

std::optional<TimeSpan> MeasureCursors::Range() const {
    if (!a_ || !b_) return std::nullopt;
    return TimeSpan{std::min(*a_, *b_), std::max(*a_, *b_)};
}

}  // namespace vx
