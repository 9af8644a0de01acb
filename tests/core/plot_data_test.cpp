#include "display/plot_data.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "common/encoding.h"

namespace vx {
namespace {

TEST(StableTimeOrder, SortsByTimeKeepingEqualTimesInInsertionOrder) {
    struct Case {
        std::vector<double> t;
        std::vector<uint32_t> want;
    } cases[] = {
        {{}, {}},
        {{0, 10, 20}, {0, 1, 2}},
        {{100, 0, 200}, {1, 0, 2}},
        {{20, 10, 20, 10, 0}, {4, 1, 3, 0, 2}},
        {{5, 5, 5}, {0, 1, 2}},
        {{3, NAN, 1}, {2, 0, 1}},
    };
    for (const Case& c : cases) EXPECT_EQ(StableTimeOrder(c.t), c.want);
}

TEST(SortColumnsByTime, MovesAllFourColumnsTogether) {
    WaveColumns c;
    c.t = {20, 10, 20, 0};
    c.y1 = {1, 2, 3, 4};
    c.y2 = {5, 6, 7, 8};
    c.y3 = {9, 10, 11, 12};
    SortColumnsByTime(c);
    EXPECT_EQ(c.t, (std::vector<double>{0, 10, 20, 20}));
    EXPECT_EQ(c.y1, (std::vector<double>{4, 2, 1, 3}));
    EXPECT_EQ(c.y2, (std::vector<double>{8, 6, 5, 7}));
    EXPECT_EQ(c.y3, (std::vector<double>{12, 10, 9, 11}));

    WaveColumns odd;  // a value column that cannot be paired is not touched
    odd.t = {2, 1};
    odd.y1 = {7};
    SortColumnsByTime(odd);
    EXPECT_EQ(odd.t, (std::vector<double>{1, 2}));
    EXPECT_EQ(odd.y1, (std::vector<double>{7}));
}

TEST(SampleCodeOf, FromTheTwoSmallestTimes) {
    struct Case {
        std::vector<double> fileOrder;
        uint8_t want;
    } cases[] = {
        {{0, 100, 200}, 1}, {{0, 1000}, 2}, {{0, 50, 100}, 0}, {{100, 0, 200}, 1},
        {{0, 10, 20}, 0},   {{0}, 0},       {{5, 5, 105}, 0},  {{0, 100.9, 300}, 1},
        {{0, 1000.5}, 2},   {{0, 99.9}, 0},
    };
    for (const Case& c : cases) {
        WaveColumns w;
        w.t = c.fileOrder;
        w.y1 = w.y2 = w.y3 = std::vector<double>(c.fileOrder.size());
        SortColumnsByTime(w);
        EXPECT_EQ(SampleCodeOf(w.t, w.t.size() + 1), c.want) << w.t.size() << " points";
    }
    // Fewer than three lines (header included) is code 0 whatever the times.
    EXPECT_EQ(SampleCodeOf({0, 100}, 2), 0);
    EXPECT_EQ(SampleCodeOf({}, 5), 0);
}

TEST(TitleAndUnitOf, TitlesAndUnitsOfHeaderFields) {
    struct Case {
        const char* field;  // UTF-8 here, CP932 for the call
        const char* title;
        const char* unit;
    } cases[] = {
        {"電流指令値[A]", "CurrentSet", "A"},
        {"電流実測値[A]", "CurrentActual", "A"},
        {"電圧指令値[V]", "VoltageSet", "V"},
        {"電圧実測値[V]", "VoltageActual", "V"},
        {"送給指令値[m/min]", "FeedingSet", "m/min"},
        {"送給実測値[m/min]", "FeedingActual", "m/min"},
        {"CurrentSet[A]", "CurrentSet", "A"},
        {"  \t電圧実測値[V]\r\n", "VoltageActual", "V"},
        {"ワイヤー送給[m/min]", "ワイヤー送給", "m/min"},  // "ー" ends in 0x5B
        {"ゼロ点[A]", "ゼロ点", "A"},                      // so does "ゼ"
        {"ワイヤー[速度]", "ワイヤー", "速度"},            // a double-byte unit
        {"電流[A", "電流", ""},                            // no closing bracket
        {"[A]", "", "A"},
        {"電流[", "電流", ""},
        {"Current", "", "Curren"},
        {"ワイヤー", "", "ワイヤ"},  // loses the whole last character
        {"電流ー", "", "電流"},
        {"", "", ""},
        {"A", "", ""},
    };
    for (const Case& c : cases) {
        const TitleUnit r = TitleAndUnitOf(Utf8ToCp932(c.field));
        EXPECT_EQ(r.title, Utf8ToCp932(c.title)) << c.field;
        EXPECT_EQ(r.unit, Utf8ToCp932(c.unit)) << c.field;
    }
}

TEST(TitleAndUnitOf, LeadByteAtTheEndStandsAlone) {
    const TitleUnit r = TitleAndUnitOf(std::string("AB[x]\x83", 6));
    EXPECT_EQ(r.title, "AB");
    EXPECT_EQ(r.unit, "x]");
}

}  // namespace
}  // namespace vx
