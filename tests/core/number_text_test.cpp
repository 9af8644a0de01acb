#include "common/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vx {
namespace {

TEST(ParseInt32, AcceptsOnlyWholeNumbers) {
    struct Case {
        const char* text;
        std::optional<int32_t> want;
    } cases[] = {{"10", 10},
                 {"  -5", -5},
                 {"+7", 7},
                 {"12.5", std::nullopt},
                 {"", std::nullopt},
                 {"-", std::nullopt},
                 {"1 ", std::nullopt},
                 {"abc", std::nullopt},
                 {"2147483647", 2147483647},
                 {"-2147483648", -2147483647 - 1},
                 {"2147483648", std::nullopt},
                 {"99999999999999999999", std::nullopt}};
    for (const Case& c : cases) EXPECT_EQ(ParseInt32(c.text), c.want) << '"' << c.text << '"';
}

TEST(ParseLeadingDouble, TakesTheLeadingNumberLikeStrtod) {
    struct Case {
        const char* text;
        double want;
    } cases[] = {{"120.5", 120.5}, {"12.5A", 12.5}, {"", 0.0},    {"  -3.25", -3.25}, {"+4", 4.0},
                 {"1e3", 1000.0},  {"1e", 1.0},     {".5", 0.5},  {"5.", 5.0},        {"abc", 0.0},
                 {"-", 0.0},       {".", 0.0},      {"nan", 0.0}, {"inf", 0.0},       {"0x10", 0.0},
                 {"1e-999", 0.0},  {"1,5", 1.0},    {"\t7", 7.0}};
    for (const Case& c : cases)
        EXPECT_EQ(ParseLeadingDouble(c.text), c.want) << '"' << c.text << '"';
    EXPECT_EQ(ParseLeadingDouble("1e999"), std::numeric_limits<double>::max());
    EXPECT_EQ(ParseLeadingDouble("-1e999"), -std::numeric_limits<double>::max());
    EXPECT_TRUE(std::signbit(ParseLeadingDouble("-0")));
}

}  // namespace
}  // namespace vx
