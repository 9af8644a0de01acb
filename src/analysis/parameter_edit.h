#pragma once
// The analysis settings as the dialog edits them: five texts in, parameters
// or the first text that is wrong out.
#include <array>
#include <string>
#include <variant>

#include "analysis/metrics.h"

namespace vx {

inline constexpr int kParameterCount = 5;

// In file order: arc threshold, travel speed, efficiency, wire diameter,
// wire density.
std::array<std::string, kParameterCount> ParameterTexts(const AnalysisParams& p);

// What a wrong value must be: above 0, 0 or more, above 0 and at most 1.
enum class ParameterRule { AboveZero, ZeroOrMore, Fraction };
ParameterRule RuleOf(int index);

struct BadParameter {
    int index;
};

// Blanks around a text are ignored; '.' is the decimal mark.
std::variant<AnalysisParams, BadParameter> ParseParameterTexts(
    const std::array<std::string, kParameterCount>& texts);

}  // namespace vx
