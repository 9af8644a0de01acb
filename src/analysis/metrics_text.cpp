#include "analysis/metrics_text.h"

#include <cmath>

#include "common/number_text.h"
#include "display/fixed_text.h"
#include "settings/weld_wave_setting.h"

namespace vx {
namespace {

constexpr const char* kNone = "-";

std::string Fixed(double v, int decimals) { return FormatFixed(v, decimals, 0); }

std::string WithUnit(const std::optional<double>& v, int decimals, const char* unit) {
    if (!v || !std::isfinite(*v)) return kNone;
    return Fixed(*v, decimals) + " " + unit;
}

std::optional<double> MeanOf(const WeldMetrics& m, int q) {
    return m.quantity[q] ? m.quantity[q]->mean : std::nullopt;
}

std::optional<double> Scaled(const std::optional<double>& v, double f) {
    return v ? std::optional<double>(*v * f) : std::nullopt;
}

}  // namespace

std::array<std::string, kPanelRows> MetricsPanelValues(const WeldMetrics& m) {
    std::array<std::string, kPanelRows> r;
    r[0] = m.arc ? WithUnit(m.arc->timeMs / 1000.0, 2, "s") : kNone;
    r[1] = WithUnit(MeanOf(m, kCurrent), 1, "A");
    r[2] = WithUnit(MeanOf(m, kVoltage), 1, "V");
    r[3] = WithUnit(MeanOf(m, kWireSpeed), 2, "m/min");
    r[4] = WithUnit(Scaled(m.powerW, 0.001), 2, "kW");
    r[5] = WithUnit(Scaled(m.energyJ, 0.001), 2, "kJ");
    r[6] = WithUnit(m.wireM, 2, "m");
    if (m.wireG && std::isfinite(*m.wireG)) r[6] += " / " + Fixed(*m.wireG, 1) + " g";
    r[7] = m.arc ? std::to_string(m.arc->breaks) : kNone;
    return r;
}

RangePanelText RangePanelValues(const WeldMetrics& m, double a, double b) {
    RangePanelText r;
    r.cursors = Fixed(a, 0) + " / " + Fixed(b, 0) + " ms";
    r.span = Fixed(std::fabs(b - a), 0) + " ms";
    constexpr int kDecimals[3] = {1, 1, 2};  // as the whole weld's means
    for (int q = 0; q < 3; ++q) {
        r.present[q] = m.quantity[q].has_value();
        const QuantityStats none;
        const QuantityStats& s = m.quantity[q] ? *m.quantity[q] : none;
        const std::optional<double>* v[kRangeStats] = {&s.mean, &s.min, &s.max, &s.rms};
        for (int k = 0; k < kRangeStats; ++k)
            r.stats[q][k] = *v[k] && std::isfinite(**v[k]) ? Fixed(**v[k], kDecimals[q]) : kNone;
    }
    r.energy = WithUnit(Scaled(m.energyJ, 0.001), 3, "kJ");
    r.arcTime = m.arc ? WithUnit(m.arc->timeMs, 0, "ms") : kNone;
    return r;
}

std::string ParameterText(double v) { return ShortestText(v); }

}  // namespace vx
