#pragma once
// The cursor read-out: the time under the mouse and the value of each main
// trace at that time, as the chart's hint text.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "display/trace_map.h"

namespace vx {

// Index of the last point whose time lies within axisMin..axisMax; -1 when
// no point does. t is in ascending order.
// Times (and values) may lie `stride` doubles apart, as in an array of
// time/value pairs.
ptrdiff_t LastVisibleIndex(const double* t, size_t n, double axisMin, double axisMax,
                           size_t stride = 1);

// The sample shown at time x: the last point at or before x, searched among
// the points up to lastVisible. -1 when x lies before the first point, after
// the last visible point, or nothing is visible.
ptrdiff_t SampleIndexAt(const double* t, size_t n, double x, ptrdiff_t lastVisible,
                        size_t stride = 1);

// "%7.2f" with '.' whatever the locale.
std::string FormatReadoutValue(double v);

// "1234ms", then for each trace "\r\n" and its value or nothing.
std::string FormatReadout(int64_t t, const std::array<std::optional<double>, 3>& values);

// What the read-out needs of one main trace; times ascending, ys as drawn.
struct ReadoutTrace {
    bool active = false;
    const double* times = nullptr;
    const double* ys = nullptr;
    size_t count = 0;
    size_t stride = 1;  // doubles from one point to the next
};

// The whole hint text for the mouse at time x; "" when the truncated time is
// outside the truncated axis range. Trace 3's value is shown in its own unit.
std::string ReadoutHint(double axisMin, double axisMax, double x,
                        const std::array<ReadoutTrace, 3>& traces, const Trace3Mapping& map3);

// With cursor A set, a non-empty read-out for the mouse at time x gets one
// more line: the time of its first line less A, signed, such as "t-A: +120ms".
std::string WithDeltaToA(std::string hint, double x, std::optional<double> cursorA);

}  // namespace vx
