#include "settings/multi_list.h"

#include <gtest/gtest.h>

#include <vector>

namespace vx {
namespace {

std::array<int32_t, kMultiMax> Slots(const std::vector<int32_t>& numbers) {
    std::array<int32_t, kMultiMax> a{};
    for (size_t i = 0; i < numbers.size() && i < a.size(); ++i) a[i] = numbers[i];
    return a;
}

struct MultiCase {
    enum Mode { kRange, kSep } mode;
    const char* sta;  // the range start, or the individual list
    const char* end;  // the range end (range selection only)
    int32_t files;
    std::vector<int32_t> numbers;
    const char* text;           // individual: the normalised list; range: the stored range text
    const char* staAfter = "";  // range edits afterwards
    const char* endAfter = "";
};

TEST(MakeMultiList, RangeAndIndividualSelection) {
    const std::string sixteenOnesThenTwo = "1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,2";
    // clang-format off
    const MultiCase cases[] = {
        {MultiCase::kSep, "1,3-5,7", "", 10, {1, 3, 4, 5, 7}, "1,3-5,7"},
        {MultiCase::kSep, "7 , 3 , 3", "", 10, {7, 3}, "7,3"},
        {MultiCase::kSep, "5-2", "", 10, {2, 3, 4, 5}, "2-5"},
        {MultiCase::kSep, "-4", "", 10, {1, 2, 3, 4}, "1-4"},
        {MultiCase::kSep, "4-", "", 10, {1, 2, 3, 4}, "1-4"},
        {MultiCase::kSep, "0", "", 10, {1}, "1"},
        {MultiCase::kSep, "abc", "", 10, {1}, "1"},
        {MultiCase::kSep, "12", "", 10, {10}, "10"},
        {MultiCase::kSep, "1-20", "", 30, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, "1-10"},
        {MultiCase::kSep, "1-20", "", 8, {1, 2, 3, 4, 5, 6, 7, 8}, "1-8"},
        {MultiCase::kSep, "1-5,3-8", "", 10, {1, 2, 3, 4, 5, 6, 7, 8}, "1-5,3-8"},
        {MultiCase::kSep, "2,2-4", "", 10, {2, 3, 4}, "2,2-4"},
        {MultiCase::kSep, "1-8,9-20", "", 30, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, "1-8,9-10"},
        {MultiCase::kSep, "1,2,3,4,5,6,7,8,9,10,11", "", 30, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, "1,2,3,4,5,6,7,8,9,10"},
        {MultiCase::kSep, sixteenOnesThenTwo.c_str(), "", 10, {1}, "1"},
        {MultiCase::kSep, "", "", 10, {}, ""},
        {MultiCase::kRange, "30", "40", 100, {30, 31, 32, 33, 34, 35, 36, 37, 38, 39}, "30,40", "30", "40"},
        {MultiCase::kRange, "40", "30", 100, {30, 31, 32, 33, 34, 35, 36, 37, 38, 39}, "30,40", "30", "40"},
        {MultiCase::kRange, "", "12", 20, {12}, "12,12", "12", "12"},
        {MultiCase::kRange, "5", "", 20, {5}, "5,5", "5", "5"},
        {MultiCase::kRange, "0", "0", 10, {1}, "1,1", "1", "1"},
        {MultiCase::kRange, "50", "60", 20, {20}, "20,20", "20", "20"},
        {MultiCase::kRange, "", "", 10, {}, ",", "", ""},
    };
    // clang-format on
    for (const MultiCase& c : cases) {
        if (c.mode == MultiCase::kSep) {
            SepListResult r = MakeSepList(c.sta, c.files);
            EXPECT_EQ(r.MultiNo, Slots(c.numbers)) << c.sta;
            EXPECT_EQ(r.Text, c.text) << c.sta;
        } else {
            const std::string what = std::string(c.sta) + " .. " + c.end;
            RangeListResult r = MakeRangeList(c.sta, c.end, c.files);
            EXPECT_EQ(r.MultiNo, Slots(c.numbers)) << what;
            EXPECT_EQ(r.StaText, c.staAfter) << what;
            EXPECT_EQ(r.EndText, c.endAfter) << what;
            EXPECT_EQ(MakeRangeText(r.StaText, r.EndText), c.text) << what;
        }
    }
}

TEST(MakeMultiList, LimitRuleAndIntegerOfText) {
    struct LimitCase {
        int32_t v, files, want;
    } limits[] = {{0, 10, 1}, {1, 10, 1}, {10, 10, 10}, {11, 10, 10}, {-3, 10, -3}};
    for (const LimitCase& c : limits) EXPECT_EQ(LimitWeldNo(c.v, c.files), c.want) << c.v;

    struct IntCase {
        const char* text;
        int32_t want;
    } ints[] = {{"12", 12}, {"+3", 3},  {"-4", -4}, {"", 0},
                {"abc", 0}, {"1.5", 0}, {"3x", 0},  {"99999999999", 0}};
    for (const IntCase& c : ints) EXPECT_EQ(IntOfText(c.text), c.want) << c.text;

    EXPECT_EQ(MakeRangeText(" 30\t", "\t40 "), "30,40");
}

TEST(MakeMultiList, NumbersAtTheTopOfTheRangeDoNotWrap) {
    const int32_t top = 2147483647;
    RangeListResult r = MakeRangeList("2147483645", "2147483647", top);
    EXPECT_EQ(r.MultiNo, Slots({top - 2, top - 1, top}));
    SepListResult s = MakeSepList("2147483646-2147483647", top);
    EXPECT_EQ(s.MultiNo, Slots({top - 1, top}));
    EXPECT_EQ(s.Text, "2147483646-2147483647");
}

}  // namespace
}  // namespace vx
