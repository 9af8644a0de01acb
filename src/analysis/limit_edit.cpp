#include "analysis/limit_edit.h"

#include <cmath>

#include "analysis/analysis_settings.h"
#include "common/ascii.h"
#include "common/number_text.h"

namespace vx {
namespace {

// By key, in key order: ms, A, V, m/min, W, J, m, breaks, gaps, then the
// three deviations in A, V and m/min.
constexpr int kKeyDecimals[kLimitCount] = {0, 1, 1, 2, 0, 0, 3, 0, 0, 1, 2, 2};

// By key: the figure is never below zero.
constexpr bool kNeverNegative[kLimitCount] = {true,  false, false, false, false, false,
                                              false, true,  true,  true,  true,  true};

// Rounds away from the band's inside; a value already on the grid stays.
double RoundOut(double v, int decimals, bool down) {
    const double scale = std::pow(10.0, decimals);
    const double scaled = v * scale;
    const double nearest = std::round(scaled);
    // Off by no more than the product's rounding: on the grid already.
    const double r = std::abs(scaled - nearest) <= 1e-9 * std::max(1.0, std::abs(scaled))
                         ? nearest
                         : (down ? std::floor(scaled) : std::ceil(scaled));
    return r / scale + 0.0;  // never "-0"
}

}  // namespace

LimitTexts TextsOfLimits(const Limits& limits) {
    LimitTexts t;
    for (int k = 0; k < kLimitCount; ++k) {
        const Bound& b = limits.bound[k];
        t[k][0] = b.min ? ShortestText(*b.min) : std::string();
        t[k][1] = b.max ? ShortestText(*b.max) : std::string();
    }
    return t;
}

std::variant<Limits, BadLimit> ParseLimitTexts(const LimitTexts& texts) {
    Limits l;
    for (int k = 0; k < kLimitCount; ++k) {
        std::optional<double> side[2];
        for (int s = 0; s < 2; ++s) {
            const std::string_view text = TrimBlank(texts[k][s]);
            if (text.empty()) continue;
            side[s] = ParseAnalysisValue(text);
            if (!side[s]) return BadLimit{k, s, BadLimit::NotANumber};
        }
        if (side[0] && side[1] && *side[1] < *side[0]) return BadLimit{k, 1, BadLimit::MaxBelowMin};
        l.bound[k] = Bound{side[0], side[1]};
    }
    return l;
}

int LimitDecimals(int key) { return key >= 0 && key < kLimitCount ? kKeyDecimals[key] : 0; }

std::optional<Bound> ProposeBound(const std::vector<double>& values, int decimals) {
    if (values.empty()) return std::nullopt;
    const double n = static_cast<double>(values.size());
    double sum = 0;
    for (double v : values) sum += v;
    const double mean = sum / n;
    double squares = 0;
    for (double v : values) squares += (v - mean) * (v - mean);
    const double sd = values.size() > 1 ? std::sqrt(squares / (n - 1)) : 0.0;
    if (!std::isfinite(mean) || !std::isfinite(sd)) return std::nullopt;
    return Bound{RoundOut(mean - 3 * sd, decimals, true), RoundOut(mean + 3 * sd, decimals, false)};
}

}  // namespace vx

namespace vx {

std::optional<Bound> ProposeLimit(int key, const std::vector<double>& values) {
    if (key < 0 || key >= kLimitCount) return std::nullopt;
    std::optional<Bound> b = ProposeBound(values, LimitDecimals(key));
    if (b && kNeverNegative[key] && *b->min < 0) b->min = 0.0;
    return b;
}

}  // namespace vx
