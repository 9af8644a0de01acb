#include "analysis/analysis_settings.h"

#include <charconv>
#include <cmath>

#include "common/number_text.h"

namespace vx {
namespace {

constexpr const char* kSection = "ANALYSIS";

}  // namespace

const AnalysisKey kAnalysisKeys[5] = {
    {"ARC_THRESHOLD", &AnalysisParams::arcThreshold, 10, [](double v) { return v > 0; }},
    {"TRAVEL_SPEED", &AnalysisParams::travelSpeed, 0, [](double v) { return v >= 0; }},
    {"EFFICIENCY", &AnalysisParams::efficiency, 0.8, [](double v) { return v > 0 && v <= 1; }},
    {"WIRE_DIAMETER", &AnalysisParams::wireDiameter, 0, [](double v) { return v >= 0; }},
    {"WIRE_DENSITY", &AnalysisParams::wireDensity, 7.85, [](double v) { return v > 0; }},
};

std::optional<double> ParseAnalysisValue(std::string_view text) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    double v = 0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), v);
    if (text.empty() || r.ec != std::errc() || r.ptr != text.data() + text.size()) return {};
    if (!std::isfinite(v)) return {};  // from_chars reads "inf" and "nan"
    return v;
}

bool AnalysisParamsValid(const AnalysisParams& p) {
    for (const AnalysisKey& k : kAnalysisKeys)
        if (!std::isfinite(p.*k.member) || !k.valid(p.*k.member)) return false;
    return true;
}

AnalysisParams LoadAnalysisParams(const std::string& iniPath) {
    const IniFile ini = IniFile::Load(iniPath);
    AnalysisParams p;
    for (const AnalysisKey& k : kAnalysisKeys) {
        std::optional<double> v;
        if (const auto text = ini.Get(kSection, k.name)) v = ParseAnalysisValue(*text);
        p.*k.member = v && k.valid(*v) ? *v : k.defaultValue;
    }
    return p;
}

void SaveAnalysisParams(const std::string& iniPath, const AnalysisParams& p) {
    SaveAnalysisParams(iniPath, p, SystemFileOps());
}

void SaveAnalysisParams(const std::string& iniPath, const AnalysisParams& p, FileOps& ops) {
    IniFile ini = IniFile::Load(iniPath);
    for (const AnalysisKey& k : kAnalysisKeys) ini.Set(kSection, k.name, ShortestText(p.*k.member));
    ini.SaveAtomically(iniPath, ops);
}

}  // namespace vx
