#include "display/range_axis.h"

#include <cmath>
#include <utility>

namespace vx {

RangeAxis::RangeAxis(double minimum, double maximum, double increment) {
    SetMinMax(minimum, maximum);
    SetIncrement(increment);
}

void RangeAxis::SetMinimum(double value) {
    if (!std::isfinite(value)) throw AxisRangeError("axis minimum is not a number");
    if (value > max_) throw AxisRangeError("axis minimum above its maximum");
    min_ = value;
}

void RangeAxis::SetMaximum(double value) {
    if (!std::isfinite(value)) throw AxisRangeError("axis maximum is not a number");
    if (value < min_) throw AxisRangeError("axis maximum below its minimum");
    max_ = value;
}

void RangeAxis::SetMinMax(double a, double b) {
    if (!std::isfinite(a) || !std::isfinite(b)) return;
    if (a > b) std::swap(a, b);
    min_ = a;
    max_ = b;
}

void RangeAxis::SetIncrement(double value) {
    increment_ = (std::isfinite(value) && value > 0.0) ? value : 0.0;
}

}  // namespace vx
