#pragma once
// The limits as the dialog edits them: a minimum and a maximum text per key,
// and the band proposed from a selection of welds.
#include <array>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "analysis/limits.h"

namespace vx {

// [key][0] the minimum, [key][1] the maximum; empty for no bound.
using LimitTexts = std::array<std::array<std::string, 2>, kLimitCount>;

LimitTexts TextsOfLimits(const Limits& limits);

struct BadLimit {
    enum Why { NotANumber, MaxBelowMin };
    int key;
    int side;  // 0 minimum, 1 maximum: the edit to correct
    Why why;
};

// Blanks around a text are ignored; '.' is the decimal mark.
std::variant<Limits, BadLimit> ParseLimitTexts(const LimitTexts& texts);

// Places a proposed limit of `key` is rounded to.
int LimitDecimals(int key);

// The control-chart band of `values`: mean -/+ 3 sample standard
// deviations, rounded outwards to `decimals` places. One value gives the
// band of that value alone; no value gives none.
std::optional<Bound> ProposeBound(const std::vector<double>& values, int decimals);

// The band proposed for limit `key`: ProposeBound at the key's decimals; for
// the figures that cannot be below zero (arc time, breaks, gaps, the
// deviations) a minimum below zero becomes 0, as a control chart's lower
// line does.
std::optional<Bound> ProposeLimit(int key, const std::vector<double>& values);

}  // namespace vx
