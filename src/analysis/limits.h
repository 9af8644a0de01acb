#pragma once
// Quality limits: a min/max band for twelve weld figures, kept in section
// LIMITS of the settings file, and the judgement of one weld against them.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/metrics.h"
#include "settings/ini_profile.h"

namespace vx {

inline constexpr int kLimitCount = 12;

// Either side may be missing: no bound on that side. Bounds are inclusive.
struct Bound {
    std::optional<double> min, max;
    bool Set() const { return min || max; }
    // A figure passes when it lies within the set sides; a null figure
    // passes only when no side is set.
    bool Admits(const std::optional<double>& figure) const;
    bool operator==(const Bound&) const = default;
};

// Indexed like kLimitKeys.
struct Limits {
    std::array<Bound, kLimitCount> bound;
    bool AnySet() const;
    bool operator==(const Limits&) const = default;
};

// One key of section LIMITS.
struct LimitKey {
    const char* name;    // "CURRENT_MEAN"
    const char* figure;  // the record's field it judges, "current.mean"
};

// In file order: ARC_TIME_MS, CURRENT_MEAN, VOLTAGE_MEAN, WIRE_FEED_MEAN,
// POWER_W, ENERGY_J, WIRE_M, BREAKS, GAPS, CURRENT_DEVIATION,
// VOLTAGE_DEVIATION, WIRE_FEED_DEVIATION (the deviations are mean_abs).
extern const LimitKey kLimitKeys[kLimitCount];

// The figure limit `key` judges; null when the weld has none (no arc
// detection without a current column, a quantity the row lacks, ...).
std::optional<double> LimitFigure(const WeldMetrics& m, int key);

struct LimitVerdict {
    bool pass = true;
    std::vector<int> failed;  // keys, in key order
    bool operator==(const LimitVerdict&) const = default;
};

// Null when no limit is set. A weld without metrics (a file that could not
// be read or is not drawn) has no figures, so it fails every set limit.
std::optional<LimitVerdict> CheckLimits(const Limits& limits, const WeldMetrics* m);

// "min,max" with blanks around either side allowed; an empty side is no
// bound. A side that is no finite number gives no bound on that side, as
// a bad scale side gives its default; a text without a comma, or with min
// above max, gives no bound at all.
Bound ParseBound(std::string_view text);
// The setting text: "180,250", ",0", "5,"; empty when no side is set.
std::string BoundText(const Bound& b);

// The limits of the file; a missing file, key or bad text is no bound.
Limits LoadLimits(const std::string& iniPath);

// Writes the twelve keys in one replacement of the file; every other line
// keeps its bytes. Throws SettingsWriteError.
void SaveLimits(const std::string& iniPath, const Limits& limits);
void SaveLimits(const std::string& iniPath, const Limits& limits, FileOps& ops);

}  // namespace vx
