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
    double lo = std::numeric_limits<double>::infinity(), hi = 0;
    size_t m = 0;
    for (size_t i = 1; i < n; ++i) {
        const double d = t[i] - t[i - 1];
        if (d > 0) {
            ++m;
            lo = std::min(lo, d);
            hi = std::max(hi, d);
        }
    }
    if (m == 0) return kNoIntervalMs;
    if (lo == hi) return lo;
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

// dt-weighted sums of one value column over the selected samples.
struct Sums {
    bool present = false;  // the row has the quantity
    const double* x = nullptr;
    double sx = 0, sxx = 0;
    double min = std::numeric_limits<double>::infinity();
    double max = -std::numeric_limits<double>::infinity();
    void Add(size_t i, double dt) {
        const double v = x[i];
        sx += v * dt;
        sxx += v * v * dt;
        min = std::min(min, v);
        max = std::max(max, v);
    }
};

struct DeviationSums {
    bool present = false;  // the row has command and measured values
    const double* set = nullptr;
    const double* actual = nullptr;
    double sum = 0, max = 0;
    void Add(size_t i, double dt) {
        const double d = std::abs(actual[i] - set[i]);
        sum += d * dt;
        max = std::max(max, d);
    }
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
    // Value column c (0..2). Presence is told by the layout, not by the
    // pointer: an empty column's data() may be null.
    const auto column = [&s](int c) -> const double* {
        return c == 0 ? s.y1.data() : c == 1 ? s.y2.data() : c == 2 ? s.y3.data() : nullptr;
    };
    Sums sums[3];
    DeviationSums dev[3];
    for (int q = 0; q < 3; ++q) {
        sums[q].present = cols[q].Present();
        sums[q].x = column(cols[q].Used());
        if (cols[q].command >= 0 && cols[q].measured >= 0) {
            dev[q].present = true;
            dev[q].set = column(cols[q].command);
            dev[q].actual = column(cols[q].measured);
        }
    }
    const double* current = column(cols[kCurrent].Used());
    const double* ia = column(cols[kCurrent].measured);
    const double* ua = column(cols[kVoltage].measured);
    const bool hasArc = cols[kCurrent].Present();
    const bool hasPower = cols[kCurrent].measured >= 0 && cols[kVoltage].measured >= 0;
    const auto selected = [&](size_t i) { return !hasArc || current[i] >= p.arcThreshold; };

    size_t picked = 0;
    double sumDt = 0, sumPower = 0;
    bool seenOn = false, offSinceOn = false;
    size_t lastOn = 0;
    ArcStats arc;
    for (size_t i = lo; i < hi; ++i) {
        const bool on = selected(i);
        if (hasArc) {
            if (on) {
                if (!seenOn) arc.startMs = t[i];
                if (offSinceOn) ++arc.breaks;
                seenOn = true;
                offSinceOn = false;
                lastOn = i;
            } else {
                offSinceOn = seenOn;
            }
        }
        if (!on) continue;
        const double dt = hold(i);
        ++picked;
        sumDt += dt;
        for (Sums& q : sums)
            if (q.present) q.Add(i, dt);
        for (DeviationSums& d : dev)
            if (d.present) d.Add(i, dt);
        if (hasPower) sumPower += ua[i] * ia[i] * dt;
    }
    const bool weighted = sumDt > 0;

    if (hasArc) {
        arc.source = ColumnTitle(layout, cols[kCurrent].Used());
        arc.threshold = p.arcThreshold;
        arc.timeMs = sumDt;
        if (seenOn) arc.endMs = t[lastOn] + hold(lastOn);
        m.arc = std::move(arc);
    }

    for (int q = 0; q < 3; ++q) {
        if (!sums[q].present) continue;
        QuantityStats& st = m.quantity[q].emplace();
        st.source = ColumnTitle(layout, cols[q].Used());
        if (picked == 0) continue;
        st.min = Finite(sums[q].min);
        st.max = Finite(sums[q].max);
        if (!weighted) continue;
        const double mean = sums[q].sx / sumDt;
        st.mean = Finite(mean);
        st.rms = Finite(std::sqrt(sums[q].sxx / sumDt));
        // Second pass about the mean: sum(x^2) - n mean^2 loses the spread of
        // a steady weld to cancellation.
        double sdd = 0;
        for (size_t i = lo; i < hi; ++i) {
            if (!selected(i)) continue;
            const double d = sums[q].x[i] - mean;
            sdd += d * d * hold(i);
        }
        st.std = Finite(std::sqrt(std::max(0.0, sdd / sumDt)));
    }

    for (int q = 0; q < 3; ++q) {
        if (!dev[q].present) continue;
        DeviationStats& d = m.deviation[q].emplace();
        if (picked > 0) d.maxAbs = Finite(dev[q].max);
        if (weighted) d.meanAbs = Finite(dev[q].sum / sumDt);
    }

    if (hasPower) {
        m.energyJ = Finite(sumPower / 1000);
        if (weighted) m.powerW = Finite(sumPower / sumDt);
        const auto& i = m.quantity[kCurrent];
        const auto& u = m.quantity[kVoltage];
        if (i && u && i->mean && u->mean) m.energyAvgJ = Finite(*u->mean * *i->mean * sumDt / 1000);
    }
    if (sums[kWireSpeed].present) {
        m.wireM = Finite(sums[kWireSpeed].sx / 60000);
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
