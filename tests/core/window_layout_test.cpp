#include "app/window_layout.h"

#include <gtest/gtest.h>

namespace vx {
namespace {

TEST(PnlBasePosition, FirstNormalResizeOnlyClearsTheFlag) {
    bool first = true;
    EXPECT_FALSE(PnlBasePositionAfterResize(WindowState::Normal, first, 957, 700, 953, 641));
    EXPECT_FALSE(first);
    auto pos = PnlBasePositionAfterResize(WindowState::Normal, first, 957, 700, 953, 641);
    ASSERT_TRUE(pos);
    EXPECT_EQ(pos->left, 2);
    EXPECT_EQ(pos->top, 3);
}

TEST(PnlBasePosition, NegativeDifferenceTruncatesTowardZero) {
    bool first = false;
    auto pos = PnlBasePositionAfterResize(WindowState::Normal, first, 950, 690, 953, 641);
    ASSERT_TRUE(pos);
    EXPECT_EQ(pos->left, -1);  // -3 / 2
    EXPECT_EQ(pos->top, -2);   // -4 / 2
}

TEST(PnlBasePosition, MaximizedGoesToTheCornerMinimizedStays) {
    bool first = true;
    auto pos = PnlBasePositionAfterResize(WindowState::Maximized, first, 1920, 1080, 953, 641);
    ASSERT_TRUE(pos);
    EXPECT_EQ(pos->left, 0);
    EXPECT_EQ(pos->top, 0);
    EXPECT_TRUE(first);  // only a normal resize clears it
    EXPECT_FALSE(PnlBasePositionAfterResize(WindowState::Minimized, first, 0, 0, 953, 641));
    EXPECT_EQ(StatusPanel0Width(951), 851);
}

}  // namespace
}  // namespace vx
