#pragma once
// The model of one chart axis: its limits and grid step, with the refusals the
// program relies on. The chart adapter only mirrors what this holds.
#include <stdexcept>

namespace vx {

// A limit was refused because it would put the minimum above the maximum.
class AxisRangeError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class RangeAxis {
  public:
    // The time axis of a fresh chart.
    RangeAxis() = default;
    // Limits given in the wrong order are exchanged; a non-finite one keeps the default.
    RangeAxis(double minimum, double maximum, double increment);

    double Minimum() const { return min_; }
    double Maximum() const { return max_; }
    // Throws AxisRangeError when the value is above Maximum() or not finite;
    // the limits are then unchanged.
    void SetMinimum(double value);
    // Throws AxisRangeError when the value is below Minimum() or not finite.
    void SetMaximum(double value);
    // Sets both limits; reversed limits are exchanged. Non-finite limits are
    // ignored (the axis keeps its range) rather than thrown, since the vertical
    // axes are set outside any guard.
    void SetMinMax(double a, double b);

    // Grid step; 0 lets the chart choose. Negative or non-finite steps become 0.
    double Increment() const { return increment_; }
    void SetIncrement(double value);

  private:
    double min_ = 0.0;
    double max_ = 100000.0;
    double increment_ = 250.0;
};

}  // namespace vx
