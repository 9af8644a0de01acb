#include "display/readout.h"

#include <algorithm>
#include <cmath>

#include "display/fixed_text.h"

namespace vx {

namespace {

// Times of a trace, `stride` doubles apart (the chart keeps time and value pairs).
struct TimeArray {
    const double* p;
    size_t stride;
    double operator[](ptrdiff_t i) const { return p[static_cast<size_t>(i) * stride]; }
    // First index in [lo, hi) whose time is above x.
    ptrdiff_t UpperBound(ptrdiff_t lo, ptrdiff_t hi, double x) const {
        while (lo < hi) {
            const ptrdiff_t mid = lo + (hi - lo) / 2;
            if ((*this)[mid] > x)
                hi = mid;
            else
                lo = mid + 1;
        }
        return lo;
    }
};

}  // namespace

ptrdiff_t LastVisibleIndex(const double* times, size_t n, double axisMin, double axisMax,
                           size_t stride) {
    if (times == nullptr || n == 0) return -1;
    const TimeArray t{times, stride};
    const ptrdiff_t last = t.UpperBound(0, static_cast<ptrdiff_t>(n), axisMax) - 1;
    return last >= 0 && t[last] >= axisMin ? last : -1;
}

ptrdiff_t SampleIndexAt(const double* times, size_t n, double x, ptrdiff_t lastVisible,
                        size_t stride) {
    if (times == nullptr || lastVisible < 0 || static_cast<size_t>(lastVisible) >= n) return -1;
    const TimeArray t{times, stride};
    if (!(x >= t[0]) || x > t[lastVisible]) return -1;  // also refuses NaN
    const ptrdiff_t hi = lastVisible;
    if (x >= t[hi]) return hi;

    // Now t[0] <= x < t[hi]. Logged waves are evenly sampled, so the index
    // is guessed from the time and the guess widened by doubling steps until
    // it brackets x; a plain binary search over a million points costs a
    // cache miss per step, and the mouse moves often.
    const double guess = (x - t[0]) / (t[hi] - t[0]) * static_cast<double>(hi);
    const ptrdiff_t g = guess >= 0 && guess < static_cast<double>(hi)  // false for NaN
                            ? static_cast<ptrdiff_t>(guess)
                            : 0;
    ptrdiff_t a, b;  // t[a] <= x < t[b]
    if (t[g] <= x) {
        a = g;
        for (ptrdiff_t step = 1;; step *= 2) {
            b = std::min(g + step, hi);
            if (t[b] > x) break;
            a = b;
        }
    } else {
        b = g;
        for (ptrdiff_t step = 1;; step *= 2) {
            a = std::max<ptrdiff_t>(g - step, 0);
            if (t[a] <= x) break;
            b = a;
        }
    }
    return t.UpperBound(a + 1, b, x) - 1;
}

std::string FormatReadoutValue(double v) { return FormatFixed(v, 2, 7); }

std::string FormatReadout(int64_t t, const std::array<std::optional<double>, 3>& values) {
    std::string text = std::to_string(t) + "ms";
    for (const std::optional<double>& v : values) {
        text += "\r\n";
        if (v) text += FormatReadoutValue(*v);
    }
    return text;
}

std::string ReadoutHint(double axisMin, double axisMax, double x,
                        const std::array<ReadoutTrace, 3>& traces, const Trace3Mapping& map3) {
    const double t = std::trunc(x);
    if (!(t >= std::trunc(axisMin) && t <= std::trunc(axisMax))) return {};  // NaN too
    if (std::fabs(t) >= 9.0e18) return {};  // no integer to show it as

    std::array<std::optional<double>, 3> values;
    for (size_t k = 0; k < 3; ++k) {
        const ReadoutTrace& tr = traces[k];
        if (!tr.active || tr.ys == nullptr) continue;
        const ptrdiff_t last = LastVisibleIndex(tr.times, tr.count, axisMin, axisMax, tr.stride);
        const ptrdiff_t i = SampleIndexAt(tr.times, tr.count, x, last, tr.stride);
        if (i < 0) continue;
        const double y = tr.ys[static_cast<size_t>(i) * tr.stride];
        values[k] = k == 2 ? map3.Inverse(y) : y;
    }
    return FormatReadout(static_cast<int64_t>(t), values);
}

std::string WithDeltaToA(std::string hint, double x, std::optional<double> cursorA) {
    if (hint.empty() || !cursorA || !std::isfinite(*cursorA)) return hint;
    const double delta = std::trunc(x) - std::trunc(*cursorA);
    if (!std::isfinite(delta) || std::fabs(delta) >= 9.0e18) return hint;
    const auto d = static_cast<int64_t>(delta);
    hint += "\r\nt-A: ";
    hint += d > 0 ? "+" : "";
    hint += std::to_string(d) + "ms";
    return hint;
}

}  // namespace vx
