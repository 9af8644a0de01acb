// The limits dialog's logic: texts in and out, what is wrong, and the band
// proposed from selected welds.
#include "analysis/limit_edit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vx {
namespace {

TEST(ParseLimitTexts, EmptyIsNoBoundAndBlanksAreIgnored) {
    LimitTexts t;
    t[1] = {" 180 ", "250.5"};
    t[7] = {"", "0"};
    t[0] = {"1500", " "};
    const auto r = ParseLimitTexts(t);
    ASSERT_TRUE(std::holds_alternative<Limits>(r));
    Limits want;
    want.bound[1] = Bound{180.0, 250.5};
    want.bound[7] = Bound{std::nullopt, 0.0};
    want.bound[0] = Bound{1500.0, std::nullopt};
    EXPECT_EQ(std::get<Limits>(r), want);
    EXPECT_EQ(TextsOfLimits(want)[1], (std::array<std::string, 2>{"180", "250.5"}));
    EXPECT_EQ(TextsOfLimits(want)[7], (std::array<std::string, 2>{"", "0"}));
    EXPECT_EQ(std::get<Limits>(ParseLimitTexts(TextsOfLimits(want))), want);
}

TEST(ParseLimitTexts, TheFirstWrongTextIsNamed) {
    struct Case {
        int key;
        std::array<std::string, 2> texts;
        int side;
        BadLimit::Why why;
    } cases[] = {
        {0, {"abc", ""}, 0, BadLimit::NotANumber},
        {3, {"", "8,5"}, 1, BadLimit::NotANumber},  // '.' is the decimal mark
        {5, {"inf", ""}, 0, BadLimit::NotANumber},
        {11, {"1", "2 m/min"}, 1, BadLimit::NotANumber},
        {1, {"250", "180"}, 1, BadLimit::MaxBelowMin},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        LimitTexts t;
        t[c.key] = c.texts;
        t[c.key == 0 ? 1 : 0] = {"1", "2"};  // a good key besides
        const auto r = ParseLimitTexts(t);
        ASSERT_TRUE(std::holds_alternative<BadLimit>(r));
        const BadLimit b = std::get<BadLimit>(r);
        EXPECT_EQ(b.key, c.key);
        EXPECT_EQ(b.side, c.side);
        EXPECT_EQ(b.why, c.why);
    }
    LimitTexts equal;
    equal[2] = {"25", "25"};
    EXPECT_TRUE(std::holds_alternative<Limits>(ParseLimitTexts(equal)));
}

TEST(ProposeBound, MeanPlusMinusThreeSampleDeviationsRoundedOutwards) {
    const std::optional<double> none;
    struct Case {
        const char* what;
        std::vector<double> values;
        int decimals;
        std::optional<double> min, max;
    } cases[] = {
        {"12 +- 3 x 2", {10, 12, 14}, 0, 6, 18},
        {"rounded outwards", {1.04, 1.06}, 2, 1.0, 1.1},  // 1.05 -+ 0.0424
        {"one value: itself", {200}, 1, 200, 200},
        {"one value off the grid", {5.55}, 1, 5.5, 5.6},
        {"all alike", {3, 3, 3}, 0, 3, 3},
        {"below zero stays", {0, 1}, 1, -1.7, 2.7},  // 0.5 -+ 2.12
        {"none", {}, 0, none, none},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::optional<Bound> b = ProposeBound(c.values, c.decimals);
        if (!c.min) {
            EXPECT_EQ(b, std::nullopt);
            continue;
        }
        ASSERT_TRUE(b);
        EXPECT_DOUBLE_EQ(*b->min, *c.min);
        EXPECT_DOUBLE_EQ(*b->max, *c.max);
    }
}

TEST(ProposeBound, TheBandHoldsEveryValueOfASmallSelection) {
    // With n values none lies more than (n-1)/sqrt(n) sample deviations
    // from the mean, so for n <= 10 the 3-sigma band holds them all.
    const std::vector<double> values = {218.3, 221.9, 224.4, 219.0, 250.2, 220.1};
    const std::optional<Bound> b = ProposeBound(values, LimitDecimals(1));
    ASSERT_TRUE(b);
    for (double v : values) EXPECT_TRUE(b->Admits(v)) << v;
    EXPECT_EQ(LimitDecimals(1), 1);  // amperes to a tenth
    EXPECT_EQ(LimitDecimals(7), 0);  // breaks are counts
}

TEST(ProposeLimit, CountsTimesAndDeviationsStopAtZero) {
    // 39 welds without a break and one with: 0.025 -/+ 0.47.
    std::vector<double> breaks(39, 0.0);
    breaks.push_back(1);
    EXPECT_EQ(ProposeLimit(7, breaks), (Bound{0.0, 1.0}));
    EXPECT_EQ(ProposeLimit(8, {0, 0, 2}), (Bound{0.0, 5.0}));      // gaps
    EXPECT_EQ(ProposeLimit(0, {100, 900}), (Bound{0.0, 2198.0}));  // arc time, ms
    EXPECT_EQ(ProposeLimit(9, {0.5, 2.5}), (Bound{0.0, 5.8}));     // current deviation
    // A mean of a quantity keeps its band as it is.
    EXPECT_EQ(ProposeLimit(1, {0, 1}), ProposeBound({0, 1}, 1));
    EXPECT_LT(*ProposeLimit(1, {0, 1})->min, 0);
    EXPECT_EQ(ProposeLimit(12, {1}), std::nullopt);
}

}  // namespace
}  // namespace vx
