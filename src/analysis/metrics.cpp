#include "analysis/metrics.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "common/text_table.h"
#include "settings/weld_wave_setting.h"

namespace vx {
namespace {

constexpr double kNoIntervalMs = 10;
constexpr int kFirstTitleId = 850;  // current command; the six titles follow in pairs
constexpr int kEnglishOffset = 1000;

std::optional<double> Finite(double x) {
    return std::isfinite(x) ? std::optional<double>(x) : std::nullopt;
}

// Lower median of the positive differences of successive times; most logs
// have one step only, which needs no sorting.
double SampleInterval(const double* t, size_t n) {
    double step = 0;
    size_t m = 0;
    bool oneStep = true;
    for (size_t i = 1; i < n; ++i) {
        const double d = t[i] - t[i - 1];
        if (!(d > 0)) continue;
        if (m++ == 0) step = d;
        oneStep = oneStep && d == step;
    }
    if (m == 0) return kNoIntervalMs;
    if (oneStep) return step;
    std::vector<double> diffs;
    diffs.reserve(m);
    for (size_t i = 1; i < n; ++i)
        if (t[i] - t[i - 1] > 0) diffs.push_back(t[i] - t[i - 1]);
    const auto mid = diffs.begin() + static_cast<std::ptrdiff_t>((m - 1) / 2);
    std::nth_element(diffs.begin(), mid, diffs.end());
    return *mid;
}

// Hold times: up to the next sample, except across a gap and for the last
// sample, which hold for one interval; never past the range's end.
struct Holds {
    const double* t;
    size_t n;
    double interval;
    double t1;

    bool GapAfter(size_t i) const { return i + 1 < n && t[i + 1] - t[i] > 5 * interval; }
    double operator()(size_t i) const {
        const double dt = (i + 1 < n && !GapAfter(i)) ? t[i + 1] - t[i] : interval;
        return std::min(dt, t1 - t[i]);
    }
};

constexpr double kInf = std::numeric_limits<double>::infinity();

// The columns the sums read. A quantity the row lacks reads a stand-in
// column whose sums are never looked at, which keeps the loop free of
// branches.
struct Inputs {
    const double* x[3];  // value used, per quantity
    const double* set[3];
    const double* actual[3];
    const double* u;  // measured voltage and current for power
    const double* i;
};

// Running sums over the selected samples.
struct Sums {
    double sx[3] = {0, 0, 0}, sxx[3] = {0, 0, 0};
    double min[3] = {kInf, kInf, kInf}, max[3] = {-kInf, -kInf, -kInf};
    double dev[3] = {0, 0, 0}, devMax[3] = {0, 0, 0};
    double power = 0;
};

}  // namespace

std::array<QuantityColumns, 3> ColumnsOfLayout(uint8_t layout) {
    std::array<QuantityColumns, 3> q;
    if (layout >= kLayoutCount) return q;
    for (int c = 0; c < 3; ++c) {
        const int k = WaveTitleTable[layout][c] - kFirstTitleId;
        (k % 2 ? q[k / 2].measured : q[k / 2].command) = c;
    }
    return q;
}

std::string ColumnTitle(uint8_t layout, int column) {
    if (layout >= kLayoutCount || column < 0 || column > 2) return {};
    return std::string(LoadStrUtf8(WaveTitleTable[layout][column] + kEnglishOffset));
}

WeldMetrics ComputeMetrics(const WaveColumns& s, uint8_t layout, const AnalysisParams& p,
                           const TimeRange& range) {
    WeldMetrics m;
    size_t n = std::min({s.t.size(), s.y1.size(), s.y2.size(), s.y3.size()});
    while (n > 0 && std::isnan(s.t[n - 1])) --n;  // time order puts NaN last
    const double* t = s.t.data();
    m.intervalMs = SampleInterval(t, n);
    const Holds hold{t, n, m.intervalMs, range.t1};

    const size_t lo = static_cast<size_t>(std::lower_bound(t, t + n, range.t0) - t);
    const size_t hi = std::max(lo, static_cast<size_t>(std::upper_bound(t, t + n, range.t1) - t));
    m.count = hi - lo;
    if (m.count > 0) m.durationMs = t[hi - 1] + hold(hi - 1) - t[lo];
    for (size_t i = lo; i + 1 < hi; ++i)
        if (hold.GapAfter(i)) ++m.gaps;

    const std::array<QuantityColumns, 3> cols = ColumnsOfLayout(layout);
    // Value column c (0..2), or the stand-in for none. Presence is told by
    // the layout, not by the pointer: an empty column's data() may be null.
    const auto column = [&s, t](int c) -> const double* {
        return c == 0 ? s.y1.data() : c == 1 ? s.y2.data() : c == 2 ? s.y3.data() : t;
    };
    bool present[3], paired[3];
    Inputs in;
    for (int q = 0; q < 3; ++q) {
        present[q] = cols[q].Present();
        paired[q] = cols[q].command >= 0 && cols[q].measured >= 0;
        in.x[q] = column(cols[q].Used());
        in.set[q] = column(paired[q] ? cols[q].command : -1);
        in.actual[q] = column(paired[q] ? cols[q].measured : -1);
    }
    const bool hasArc = present[kCurrent];
    const bool hasPower = cols[kCurrent].measured >= 0 && cols[kVoltage].measured >= 0;
    in.u = column(hasPower ? cols[kVoltage].measured : -1);
    in.i = column(hasPower ? cols[kCurrent].measured : -1);
    // Without a current every sample is selected.
    const double* current = in.x[kCurrent];
    const double threshold = hasArc ? p.arcThreshold : -kInf;

    Sums sums;
    size_t picked = 0;
    double sumDt = 0;
    bool seenOn = false, offSinceOn = false;
    size_t lastOn = 0;
    ArcStats arc;
    // One pass over the samples; the deviation sums only where the row pairs
    // a command with a measured value (rows 0 and 1 pair none), as their
    // results are looked at nowhere else.
    const auto sumSelected = [&]<bool kDeviation>() {
        for (size_t i = lo; i < hi; ++i) {
            if (!(current[i] >= threshold)) {
                offSinceOn = seenOn;
                continue;
            }
            if (!seenOn) arc.startMs = t[i];
            if (offSinceOn) ++arc.breaks;
            seenOn = true;
            offSinceOn = false;
            lastOn = i;
            const double dt = hold(i);
            ++picked;
            sumDt += dt;
#pragma GCC unroll 3  // keeps the sums in registers
            for (int q = 0; q < 3; ++q) {
                const double v = in.x[q][i];
                sums.sx[q] += v * dt;
                sums.sxx[q] += v * v * dt;
                sums.min[q] = std::min(sums.min[q], v);
                sums.max[q] = std::max(sums.max[q], v);
                if constexpr (kDeviation) {
                    const double d = std::abs(in.actual[q][i] - in.set[q][i]);
                    sums.dev[q] += d * dt;
                    sums.devMax[q] = std::max(sums.devMax[q], d);
                }
            }
            sums.power += in.u[i] * in.i[i] * dt;
        }
    };
    if (paired[0] || paired[1] || paired[2])
        sumSelected.template operator()<true>();
    else
        sumSelected.template operator()<false>();
    const bool weighted = sumDt > 0;

    if (hasArc) {
        arc.source = ColumnTitle(layout, cols[kCurrent].Used());
        arc.threshold = p.arcThreshold;
        arc.timeMs = sumDt;
        if (seenOn) arc.endMs = t[lastOn] + hold(lastOn);
        m.arc = std::move(arc);
    }

    // Second pass about the means: sum(x^2) - n mean^2 loses the spread of a
    // steady weld to cancellation. It weighs the samples as the first pass
    // did, recomputing the hold times rather than keeping them in memory; the
    // three sums run side by side. Samples of no weight add nothing.
    double mean[3], sdd[3] = {0, 0, 0};
    for (int q = 0; q < 3; ++q) mean[q] = weighted ? sums.sx[q] / sumDt : 0;
    if (weighted) {
        for (size_t i = lo; i < hi; ++i) {
            if (!(current[i] >= threshold)) continue;
            const double w = hold(i);
            if (w == 0) continue;
#pragma GCC unroll 3
            for (int q = 0; q < 3; ++q) {
                const double d = in.x[q][i] - mean[q];
                sdd[q] += d * d * w;
            }
        }
    }

    for (int q = 0; q < 3; ++q) {
        if (!present[q]) continue;
        QuantityStats& st = m.quantity[q].emplace();
        st.source = ColumnTitle(layout, cols[q].Used());
        if (picked == 0) continue;
        st.min = Finite(sums.min[q]);
        st.max = Finite(sums.max[q]);
        if (!weighted) continue;
        st.mean = Finite(mean[q]);
        st.rms = Finite(std::sqrt(sums.sxx[q] / sumDt));
        st.std = Finite(std::sqrt(std::max(0.0, sdd[q] / sumDt)));
    }

    for (int q = 0; q < 3; ++q) {
        if (!paired[q]) continue;
        DeviationStats& d = m.deviation[q].emplace();
        if (picked > 0) d.maxAbs = Finite(sums.devMax[q]);
        if (weighted) d.meanAbs = Finite(sums.dev[q] / sumDt);
    }

    if (hasPower) {
        m.energyJ = Finite(sums.power / 1000);
        if (weighted) m.powerW = Finite(sums.power / sumDt);
        const auto& i = m.quantity[kCurrent];
        const auto& u = m.quantity[kVoltage];
        if (i && u && i->mean && u->mean) m.energyAvgJ = Finite(*u->mean * *i->mean * sumDt / 1000);
    }
    if (present[kWireSpeed]) {
        m.wireM = Finite(sums.sx[kWireSpeed] / 60000);
        if (m.wireM && p.wireDiameter > 0)
            m.wireG = Finite(*m.wireM * std::numbers::pi / 4 * p.wireDiameter * p.wireDiameter *
                             p.wireDensity);
    }
    if (p.travelSpeed > 0 && m.energyJ && m.arc && m.arc->timeMs > 0)
        m.heatInputKjPerMm =
            Finite(p.efficiency * *m.energyJ / 1000 / (p.travelSpeed * m.arc->timeMs / 60000));
    return m;
}

}  // namespace vx
