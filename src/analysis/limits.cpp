#include "analysis/limits.h"

#include <cmath>

#include "analysis/analysis_settings.h"
#include "common/ascii.h"
#include "common/number_text.h"
#include "settings/weld_wave_setting.h"

namespace vx {
namespace {

constexpr const char* kSection = "LIMITS";

std::optional<double> Finite(const std::optional<double>& v) {
    return v && std::isfinite(*v) ? v : std::nullopt;
}

std::optional<double> MeanOf(const WeldMetrics& m, int q) {
    return m.quantity[q] ? m.quantity[q]->mean : std::nullopt;
}

std::optional<double> DeviationOf(const WeldMetrics& m, int q) {
    return m.deviation[q] ? m.deviation[q]->meanAbs : std::nullopt;
}

std::optional<double> Side(std::string_view text) {
    text = TrimBlank(text);
    return text.empty() ? std::nullopt : ParseAnalysisValue(text);
}

}  // namespace

const LimitKey kLimitKeys[kLimitCount] = {
    {"ARC_TIME_MS", "arc.time_ms"},
    {"CURRENT_MEAN", "current.mean"},
    {"VOLTAGE_MEAN", "voltage.mean"},
    {"WIRE_FEED_MEAN", "wire_feed.mean"},
    {"POWER_W", "power_w"},
    {"ENERGY_J", "energy_j"},
    {"WIRE_M", "wire_m"},
    {"BREAKS", "arc.breaks"},
    {"GAPS", "gaps"},
    {"CURRENT_DEVIATION", "deviation.current.mean_abs"},
    {"VOLTAGE_DEVIATION", "deviation.voltage.mean_abs"},
    {"WIRE_FEED_DEVIATION", "deviation.wire_feed.mean_abs"},
};

bool Bound::Admits(const std::optional<double>& figure) const {
    if (!Set()) return true;
    if (!figure) return false;
    return (!min || *figure >= *min) && (!max || *figure <= *max);
}

bool Limits::AnySet() const {
    for (const Bound& b : bound)
        if (b.Set()) return true;
    return false;
}

std::optional<double> LimitFigure(const WeldMetrics& m, int key) {
    switch (key) {
        case 0:
            return m.arc ? Finite(m.arc->timeMs) : std::nullopt;
        case 1:
            return Finite(MeanOf(m, kCurrent));
        case 2:
            return Finite(MeanOf(m, kVoltage));
        case 3:
            return Finite(MeanOf(m, kWireSpeed));
        case 4:
            return Finite(m.powerW);
        case 5:
            return Finite(m.energyJ);
        case 6:
            return Finite(m.wireM);
        case 7:
            return m.arc ? std::optional<double>(static_cast<double>(m.arc->breaks)) : std::nullopt;
        case 8:
            return static_cast<double>(m.gaps);
        case 9:
            return Finite(DeviationOf(m, kCurrent));
        case 10:
            return Finite(DeviationOf(m, kVoltage));
        case 11:
            return Finite(DeviationOf(m, kWireSpeed));
        default:
            return std::nullopt;
    }
}

std::optional<LimitVerdict> CheckLimits(const Limits& limits, const WeldMetrics* m) {
    if (!limits.AnySet()) return std::nullopt;
    LimitVerdict v;
    for (int k = 0; k < kLimitCount; ++k) {
        const Bound& b = limits.bound[k];
        if (!b.Set()) continue;
        if (!b.Admits(m ? LimitFigure(*m, k) : std::nullopt)) v.failed.push_back(k);
    }
    v.pass = v.failed.empty();
    return v;
}

Bound ParseBound(std::string_view text) {
    const size_t comma = text.find(',');
    if (comma == std::string_view::npos) return {};
    Bound b{Side(text.substr(0, comma)), Side(text.substr(comma + 1))};
    if (b.min && b.max && *b.min > *b.max) return {};
    return b;
}

std::string BoundText(const Bound& b) {
    if (!b.Set()) return {};
    return (b.min ? ShortestText(*b.min) : std::string()) + "," +
           (b.max ? ShortestText(*b.max) : std::string());
}

Limits LoadLimits(const std::string& iniPath) {
    const IniFile ini = IniFile::Load(iniPath);
    Limits l;
    for (int k = 0; k < kLimitCount; ++k)
        if (const auto text = ini.Get(kSection, kLimitKeys[k].name)) l.bound[k] = ParseBound(*text);
    return l;
}

void SaveLimits(const std::string& iniPath, const Limits& limits) {
    SaveLimits(iniPath, limits, SystemFileOps());
}

void SaveLimits(const std::string& iniPath, const Limits& limits, FileOps& ops) {
    IniFile ini = IniFile::Load(iniPath);
    for (int k = 0; k < kLimitCount; ++k)
        ini.Set(kSection, kLimitKeys[k].name, BoundText(limits.bound[k]));
    ini.SaveAtomically(iniPath, ops);
}

}  // namespace vx
