#pragma once
// What the time axis shows: the range the settings set up ("home"), or a
// zoomed range on top of it that outlives file steps until the user goes home.
#include <optional>
#include <vector>

#include "display/range_axis.h"
#include "display/time_zoom.h"

namespace vx {

// First to last finite time of times in ascending order (a time that is not
// a number sorts last); none without one.
std::optional<TimeSpan> TimesSpanned(const std::vector<double>& sortedTimes);

class TimeView {
  public:
    explicit TimeView(ZoomLimits limits = {}) : limits_(limits) {}

    // The axis as the set-up left it; a zoom stays as it is.
    void SetHome(const RangeAxis& home) { home_ = home; }
    const RangeAxis& Home() const { return home_; }
    const ZoomLimits& Limits() const { return limits_; }

    bool Zoomed() const { return zoom_.has_value(); }
    // The range on screen.
    TimeSpan Range() const;
    void GoHome() { zoom_.reset(); }
    // Shows `r` as far as the limits allow.
    void Show(TimeSpan r) { zoom_ = ClampTime(r, limits_); }
    void ZoomAt(double anchor, double factor) {
        zoom_ = ZoomTime(Range(), anchor, factor, limits_);
    }
    void ZoomAroundCentre(double factor);
    void PanBy(double deltaMs) { zoom_ = PanTime(Range(), deltaMs, limits_); }
    // Moves by `share` of the visible width (negative: to earlier times).
    void PanByShare(double share) { PanBy(share * Range().Width()); }
    void ZoomToBand(double a, double b) { zoom_ = BandTime(a, b, limits_); }
    void Fit(double first, double last) { zoom_ = FitTime(first, last, limits_); }

    // The time axis to draw: home as set up, or the zoomed range with a grid
    // step that leaves room for at most `maxTicks` captions.
    RangeAxis Axis(int maxTicks) const;

  private:
    ZoomLimits limits_;
    RangeAxis home_;  // a fresh chart's time axis until the first set-up
    std::optional<TimeSpan> zoom_;
};

}  // namespace vx
