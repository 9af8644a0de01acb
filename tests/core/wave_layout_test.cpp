#include "wavefile/wave_layout.h"

#include <gtest/gtest.h>

#include "wave_test_files.h"

namespace vx {
namespace {

using test::Sj;

struct LayoutCase {
    const char* f2;  // UTF-8 here, CP932 when tested
    const char* f3;
    const char* f4;
    int row;
};

class DetectWaveLayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(DetectWaveLayoutTest, PicksTheFirstMatchingBranch) {
    const LayoutCase& c = GetParam();
    const std::string fields[4] = {Sj("時間[msec]"), Sj(c.f2), Sj(c.f3), Sj(c.f4)};
    EXPECT_EQ(DetectWaveLayout(fields), c.row) << c.f2 << " | " << c.f3 << " | " << c.f4;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DetectWaveLayoutTest,
    ::testing::Values(
        // Every row, Japanese names.
        LayoutCase{"電流実測値[A]", "電圧実測値[V]", "送給実測値[m/min]", 0},
        LayoutCase{"電流指令値[A]", "電圧指令値[V]", "送給指令値[m/min]", 1},
        LayoutCase{"電流指令値[A]", "電流実測値[A]", "電圧実測値[V]", 2},
        LayoutCase{"電流指令値[A]", "電流実測値[A]", "送給実測値[m/min]", 3},
        LayoutCase{"電流実測値[A]", "電圧指令値[V]", "電圧実測値[V]", 4},
        LayoutCase{"電圧指令値[V]", "電圧実測値[V]", "送給実測値[m/min]", 5},
        LayoutCase{"電流実測値[A]", "送給指令値[m/min]", "送給実測値[m/min]", 6},
        LayoutCase{"電圧実測値[V]", "送給指令値[m/min]", "送給実測値[m/min]", 7},
        // Every row, English names.
        LayoutCase{"CurrentActual[A]", "VoltageActual[V]", "FeedingActual[m/min]", 0},
        LayoutCase{"CurrentSet[A]", "VoltageSet[V]", "FeedingSet[m/min]", 1},
        LayoutCase{"CurrentSet[A]", "CurrentActual[A]", "VoltageActual[V]", 2},
        LayoutCase{"CurrentSet[A]", "CurrentActual[A]", "FeedingActual[m/min]", 3},
        LayoutCase{"CurrentActual[A]", "VoltageSet[V]", "VoltageActual[V]", 4},
        LayoutCase{"VoltageSet[V]", "VoltageActual[V]", "FeedingActual[m/min]", 5},
        LayoutCase{"CurrentActual[A]", "FeedingSet[m/min]", "FeedingActual[m/min]", 6},
        LayoutCase{"VoltageActual[V]", "FeedingSet[m/min]", "FeedingActual[m/min]", 7},
        // Languages mixed within one header.
        LayoutCase{"電流実測値[A]", "VoltageSet[V]", "電圧実測値[V]", 4},
        // Fall-backs inside the current branches.
        LayoutCase{"CurrentActual[A]", "Gas[l/min]", "VoltageActual[V]", 0},
        LayoutCase{"CurrentActual[A]", "FeedingActual[m/min]", "FeedingSet[m/min]", 0},
        LayoutCase{"CurrentSet[A]", "VoltageSet[V]", "Gas[l/min]", 0},
        LayoutCase{"CurrentSet[A]", "VoltageSet[V]", "VoltageSet[V]", 0},
        // Only the field named in a branch is looked at.
        LayoutCase{"CurrentSet[A]", "anything", "FeedingSet[m/min]", 1},
        LayoutCase{"CurrentSet[A]", "VoltageActual[V]", "CurrentActual[A]", 0},
        LayoutCase{"VoltageSet[V]", "", "", 5},
        LayoutCase{"VoltageActual[V]", "CurrentActual[A]", "", 7},
        // Earlier tests win when a field names two quantities.
        LayoutCase{"CurrentActual CurrentSet", "VoltageSet VoltageActual", "", 0},
        LayoutCase{"CurrentSet VoltageSet", "", "FeedingActual FeedingSet", 1},
        LayoutCase{"電圧指令値 電圧実測値", "", "", 5},
        // No quantity, wrong letter case, or a name cut short: row 0.
        LayoutCase{"Ampere", "Volt", "Speed", 0},
        LayoutCase{"currentset[A]", "voltageset[V]", "feedingset[m/min]", 0},
        LayoutCase{"電流指令", "電圧指令値[V]", "送給指令値[m/min]", 0},
        LayoutCase{"", "", "", 0}));

TEST(DetectWaveLayout, FirstFieldPlaysNoPart) {
    const std::string fields[4] = {"VoltageSet", "CurrentSet[A]", "VoltageSet[V]",
                                   "FeedingSet[m/min]"};
    EXPECT_EQ(DetectWaveLayout(fields), 1);
    const std::string none[4] = {"CurrentActual", "x", "y", "z"};
    EXPECT_EQ(DetectWaveLayout(none), 0);
}

}  // namespace
}  // namespace vx
