#include <gtest/gtest.h>

#include "settings/scale_edit.h"

namespace vx {
namespace {

struct RowsCase {
    const char* name;
    std::array<ScaleRowText, 4> rows;
    int want;
};

TEST(ScaleEdit, FirstRowWhoseMaximumIsNotAboveItsMinimum) {
    const std::array<ScaleRowText, 4> good = {
        {{"0", "600"}, {"0", "100"}, {"0", "100"}, {"0", "10000"}}};
    auto with = [&](int k, const char* min, const char* max) {
        auto rows = good;
        rows[k] = {min, max};
        return rows;
    };
    auto voltageAndTime = with(1, "100", "50");
    voltageAndTime[3] = {"500", "100"};
    const RowsCase cases[] = {
        {"all valid", good, -1},
        {"current 0 to 0", with(0, "0", "0"), 0},
        {"voltage and time wrong: voltage first", voltageAndTime, 1},
        {"empty maximum with minimum 0", with(2, "0", ""), 2},
        {"empty minimum with maximum 100 passes", with(2, "", "100"), -1},
        {"time 0 to 9999999", with(3, "0", "9999999"), -1},
        {"leading number counts", with(0, "5abc", "5.5"), -1},
        {"negative minimum", with(0, "-20", "-10"), -1},
    };
    for (const RowsCase& c : cases) EXPECT_EQ(FirstInvalidScaleRow(c.rows), c.want) << c.name;
}

TEST(ScaleEdit, StrictAndLenientReadings) {
    struct Case {
        const char* text;
        double lenient;
        std::optional<int32_t> strict;
    } cases[] = {
        {"600", 600, 600},
        {"", 0, std::nullopt},
        {"-50", -50, -50},
        {"12abc", 12, std::nullopt},
        {"1.5", 1.5, std::nullopt},
        {"abc", 0, std::nullopt},
        {"9999999", 9999999, 9999999},
        {"2147483648", 2147483648.0, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LenientNumber(c.text), c.lenient) << c.text;
        EXPECT_EQ(StrictInt(c.text), c.strict) << c.text;
    }
    EXPECT_EQ(NotAnIntegerMessage(""), "'' は整数ではありません");
    EXPECT_EQ(NotAnIntegerMessage("12abc"), "'12abc' は整数ではありません");
}

}  // namespace
}  // namespace vx
