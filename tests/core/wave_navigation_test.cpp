#include <gtest/gtest.h>

#include "wavefile/navigation.h"

namespace vx {
namespace {

TEST(FileStepTarget, MovesWithinTheListOrDoesNothing) {
    struct Case {
        FileStep step;
        int32_t no, count, want;
    } cases[] = {
        {FileStep::First, 1, 3, 0},
        {FileStep::First, 2, 3, 1},
        {FileStep::First, 3, 3, 1},
        {FileStep::Prev, 1, 3, 0},
        {FileStep::Prev, 2, 3, 1},
        {FileStep::Prev, 3, 3, 2},
        {FileStep::Next, 1, 3, 2},
        {FileStep::Next, 2, 3, 3},
        {FileStep::Next, 3, 3, 0},
        {FileStep::Last, 1, 3, 3},
        {FileStep::Last, 2, 3, 3},
        {FileStep::Last, 3, 3, 0},
        // One file, and before any folder was opened.
        {FileStep::First, 1, 1, 0},
        {FileStep::Prev, 1, 1, 0},
        {FileStep::Next, 1, 1, 0},
        {FileStep::Last, 1, 1, 0},
        {FileStep::First, 0, 0, 0},
        {FileStep::Next, 0, 0, 0},
        {FileStep::Last, 0, 0, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FileStepTarget(c.step, c.no, c.count), c.want)
            << static_cast<int>(c.step) << " at " << c.no << " of " << c.count;
}

TEST(FileButtonsFor, FollowsTheFirstConditionThatHolds) {
    struct Case {
        int32_t no, count;
        bool rewdPrev, nextFfwd, combo;
    } cases[] = {
        {0, 0, false, false, false}, {1, 1, false, false, false}, {1, 3, false, true, true},
        {2, 3, true, true, true},    {3, 3, true, false, true},   {1, 2, false, true, true},
        {2, 2, true, false, true},
    };
    for (const Case& c : cases) {
        FileButtonState s = FileButtonsFor(c.no, c.count);
        EXPECT_EQ(s.rewdPrev, c.rewdPrev) << c.no << " of " << c.count;
        EXPECT_EQ(s.nextFfwd, c.nextFfwd) << c.no << " of " << c.count;
        EXPECT_EQ(s.combo, c.combo) << c.no << " of " << c.count;
    }
}

}  // namespace
}  // namespace vx
