#pragma once
// The analysis parameters in section ANALYSIS of the settings file.
#include <optional>
#include <string>
#include <string_view>

#include "analysis/metrics.h"
#include "settings/ini_profile.h"

namespace vx {

// One key of section ANALYSIS: the parameter it fills, its default and the
// values it accepts.
struct AnalysisKey {
    const char* name;
    double AnalysisParams::*member;
    double defaultValue;
    bool (*valid)(double);
};

// In file order: ARC_THRESHOLD, TRAVEL_SPEED, EFFICIENCY, WIRE_DIAMETER,
// WIRE_DENSITY.
extern const AnalysisKey kAnalysisKeys[5];

// A setting text as a number: a finite decimal number with '.' as the
// decimal mark and nothing around it; else none.
std::optional<double> ParseAnalysisValue(std::string_view text);

// True when every parameter lies in its key's accepted range.
bool AnalysisParamsValid(const AnalysisParams& p);

// The parameters of the file; a missing file, key or bad value gives that
// parameter's default. Never creates the file.
AnalysisParams LoadAnalysisParams(const std::string& iniPath);

// Writes the five keys in one replacement of the file (shortest round-trip
// numbers); every other line keeps its bytes. Throws SettingsWriteError.
void SaveAnalysisParams(const std::string& iniPath, const AnalysisParams& p);
void SaveAnalysisParams(const std::string& iniPath, const AnalysisParams& p, FileOps& ops);

}  // namespace vx
