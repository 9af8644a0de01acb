#pragma once
// Arithmetic of the time axis' zoom and pan: ranges in, a range out that keeps
// to the axis' limits and its least width.
namespace vx {

// A visible stretch of the time axis in ms; lo < hi for any range these
// functions give.
struct TimeSpan {
    double lo = 0;
    double hi = 0;
    double Width() const { return hi - lo; }
    bool operator==(const TimeSpan&) const = default;
};

// What the time axis allows a zoom to show.
struct ZoomLimits {
    double lo = 0;           // ms
    double hi = 10'000'000;  // ms
    double minWidth = 10;    // ms
};

// `r` made to fit: at least minWidth wide (widened about its centre), at most
// the limits' width, then moved inside the limits keeping its width. A range
// with non-finite ends, or reversed, is read with its ends exchanged; one that
// cannot be read at all gives the whole of the limits.
TimeSpan ClampTime(TimeSpan r, const ZoomLimits& limits);

// Zooms `r` by `factor` (below 1 closer, above 1 farther) so that the time
// `anchor` stays where it is on the screen. An anchor outside `r` is taken at
// the nearer edge; a non-finite anchor at the centre; a factor that is not a
// finite positive number changes nothing but the fit.
TimeSpan ZoomTime(TimeSpan r, double anchor, double factor, const ZoomLimits& limits);

// `r` moved by `delta` ms, its width kept where the limits allow.
TimeSpan PanTime(TimeSpan r, double delta, const ZoomLimits& limits);

// The band between two times (in either order) as the new range.
TimeSpan BandTime(double a, double b, const ZoomLimits& limits);

// First to last sample with a margin of 2 % of their span on each side.
TimeSpan FitTime(double first, double last, const ZoomLimits& limits);

// Grid step for a range of `width` ms with at most `maxTicks` steps: 1, 2 or
// 5 times a power of ten, the smallest that fits.
double NiceTimeStep(double width, int maxTicks);

// Decimals the captions of a grid `step` need (0 for whole milliseconds).
int StepDecimals(double step);

}  // namespace vx
