#include "common/weld_common.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "common/encoding.h"
#include "common/text_table.h"

namespace vx {
namespace {

struct SplitCase {
    const char* text;
    int count;
    std::array<const char*, 4> fields;
};

class SplitFieldsTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitFieldsTest, SplitsAtCommaIntoFourClearedFields) {
    const SplitCase& c = GetParam();
    std::string f[4] = {"x", "x", "x", "x"};
    EXPECT_EQ(WeldCommon::SplitFields(c.text, ",", true, 4, f), c.count);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(f[i], c.fields[i]) << "field " << i;
}

INSTANTIATE_TEST_SUITE_P(Table, SplitFieldsTest,
                         ::testing::Values(SplitCase{"p,q,r,s", 4, {"p", "q", "r", "s"}},
                                           SplitCase{"p,q,r", 3, {"p", "q", "r", ""}},
                                           SplitCase{"p,q,r,", 4, {"p", "q", "r", ""}},
                                           SplitCase{"p,,r,s", 4, {"p", "", "r", "s"}},
                                           SplitCase{"p,q,r,s,t", 4, {"p", "q", "r", "s"}},
                                           SplitCase{"pqr", 1, {"pqr", "", "", ""}},
                                           SplitCase{"", 0, {"", "", "", ""}}));

TEST(SplitFields, WithoutClearingLeavesUnstoredFieldsAlone) {
    std::string f[4] = {"a", "b", "c", "d"};
    EXPECT_EQ(WeldCommon::SplitFields("1,2", ",", false, 4, f), 2);
    EXPECT_EQ(f[0], "1");
    EXPECT_EQ(f[1], "2");
    EXPECT_EQ(f[2], "c");
    EXPECT_EQ(f[3], "d");
}

TEST(SplitFields, TwoFieldsKeepOnlyUpToSecondDelimiter) {
    std::string f[2];
    EXPECT_EQ(WeldCommon::SplitFields("10,20,30", ",", true, 2, f), 2);
    EXPECT_EQ(f[0], "10");
    EXPECT_EQ(f[1], "20");
}

TEST(LoadText, AddsTheOffsetOnceALanguageIsSet) {
    WeldCommon common;
    common.SetLanguage(1);
    EXPECT_EQ(common.TextOffset(), 1000);
    EXPECT_EQ(common.LoadText(2), "Welding wave form indication. ");
    EXPECT_EQ(common.LoadText(957),
              "Input bigger value than minimum value to the \r\nscale maximum value.");
    EXPECT_EQ(common.LoadText(5), "");
}

TEST(LoadText, WithoutOffsetGivesJapaneseAsCp932) {
    WeldCommon common;
    common.SetLanguage(0);  // any code selects the English offset
    EXPECT_EQ(common.Offset, 1000);
    common.Offset = 0;
    EXPECT_EQ(common.LoadText(850), "\x93\x64\x97\xAC\x8E\x77\x97\xDF\x92\x6C");  // 電流指令値
    EXPECT_EQ(common.LoadTextUtf8(850), "電流指令値");
    EXPECT_EQ(LoadStr(1856), LoadStr(850));
    EXPECT_EQ(LoadStr(856), "CurrentSet");
    EXPECT_EQ(LoadStr(892), "\x81\x60");  // ～
}

class FakePriority : public PriorityBackend {
  public:
    int nice = 0;
    std::vector<int> sets;
    int slept = 0;
    int CurrentNice() override { return nice; }
    bool SetNice(int n) override {
        sets.push_back(n);
        return true;
    }
    void SleepMs(int ms) override { slept += ms; }
};

struct PriorityCase {
    int code;
    int startNice;
    int wantNice;  // expected set, or no set when equal to startNice
};

class SetPriorityTest : public ::testing::TestWithParam<PriorityCase> {};

TEST_P(SetPriorityTest, SetsTheClassOfTheCode) {
    const PriorityCase& c = GetParam();
    FakePriority fake;
    fake.nice = c.startNice;
    WeldCommon common(&fake);
    common.SetPriority(c.code);
    if (c.wantNice == c.startNice) {
        EXPECT_TRUE(fake.sets.empty());
        EXPECT_EQ(fake.slept, 0);
    } else {
        ASSERT_EQ(fake.sets.size(), 1u);
        EXPECT_EQ(fake.sets[0], c.wantNice);
        EXPECT_EQ(fake.slept, 10);
    }
}

INSTANTIATE_TEST_SUITE_P(Codes, SetPriorityTest,
                         ::testing::Values(PriorityCase{3, 0, -5},   // raise to above normal
                                           PriorityCase{3, -5, -5},  // already there: no wait
                                           PriorityCase{0, -5, 0},   // unknown codes: normal
                                           PriorityCase{4, -5, 0}, PriorityCase{7, -5, 0},
                                           PriorityCase{-1, -5, 0}, PriorityCase{4, 0, 0},
                                           PriorityCase{1, 0, -20}, PriorityCase{2, 0, -10},
                                           PriorityCase{5, 0, 5}, PriorityCase{6, 0, 19}));

TEST(Encoding, DecodesByteOrderMarksToCp932) {
    const std::string sjis = Utf8ToCp932("時間[msec]");
    EXPECT_EQ(DecodeToCp932("\xEF\xBB\xBF"
                            "時間[msec]"),
              sjis);
    EXPECT_EQ(DecodeToCp932("時間[msec]"), sjis);  // UTF-8 without a mark
    EXPECT_EQ(DecodeToCp932(sjis), sjis);          // already CP932
    // UTF-16 LE and BE of "A時", the BE one with an odd trailing byte.
    EXPECT_EQ(DecodeToCp932(std::string("\xFF\xFE"
                                        "A\0\x42\x66",
                                        6)),
              "A" + Utf8ToCp932("時"));
    EXPECT_EQ(DecodeToCp932(std::string("\xFE\xFF\0A\x66\x42\x01", 7)), "A" + Utf8ToCp932("時"));
    EXPECT_EQ(Utf8ToCp932("a😀b"), "a?b");  // no CP932 form: one '?'
    EXPECT_EQ(Cp932ToUtf8(sjis), "時間[msec]");
}

}  // namespace
}  // namespace vx
