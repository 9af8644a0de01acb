#include "analysis/parameter_edit.h"

#include "analysis/analysis_settings.h"
#include "analysis/metrics_text.h"
#include "common/ascii.h"

namespace vx {

std::array<std::string, kParameterCount> ParameterTexts(const AnalysisParams& p) {
    std::array<std::string, kParameterCount> t;
    for (int i = 0; i < kParameterCount; ++i) t[i] = ParameterText(p.*kAnalysisKeys[i].member);
    return t;
}

ParameterRule RuleOf(int index) {
    switch (index) {
        case 1:
        case 3:
            return ParameterRule::ZeroOrMore;
        case 2:
            return ParameterRule::Fraction;
        default:
            return ParameterRule::AboveZero;
    }
}

std::variant<AnalysisParams, BadParameter> ParseParameterTexts(
    const std::array<std::string, kParameterCount>& texts) {
    AnalysisParams p;
    for (int i = 0; i < kParameterCount; ++i) {
        const AnalysisKey& k = kAnalysisKeys[i];
        const auto v = ParseAnalysisValue(TrimBlank(texts[i]));
        if (!v || !k.valid(*v)) return BadParameter{i};
        p.*k.member = *v;
    }
    return p;
}

}  // namespace vx
