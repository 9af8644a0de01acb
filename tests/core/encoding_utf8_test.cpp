// Making arbitrary bytes valid UTF-8 for text outputs.
#include <gtest/gtest.h>

#include <string>

#include "common/encoding.h"

namespace vx {
namespace {

TEST(ToValidUtf8, KeepsWellFormedSequencesAndReplacesEveryOtherByte) {
    const std::string r = "\xEF\xBF\xBD";  // U+FFFD
    struct Case {
        std::string in, out;
    } cases[] = {
        {"", ""},
        {"plain/path.csv", "plain/path.csv"},
        {"\xC3\xA9\xE6\x99\x82\xF0\x9F\x98\x80", "\xC3\xA9\xE6\x99\x82\xF0\x9F\x98\x80"},
        {"a\xFF"
         "b",
         "a" + r + "b"},
        {"\x80", r},                            // continuation byte alone
        {"\xC0\x80", r + r},                    // overlong NUL
        {"\xED\xA0\x80", r + r + r},            // surrogate
        {"\xF4\x90\x80\x80", r + r + r + r},    // above U+10FFFF
        {"x\xE3\x81", "x" + r + r},             // cut off at the end
        {"\x93\xFA\x96\x7B", r + r + r + "{"},  // CP932 bytes
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ToValidUtf8(c.in), c.out) << c.in;
        EXPECT_TRUE(IsValidUtf8(ToValidUtf8(c.in)));
        EXPECT_EQ(IsValidUtf8(c.in), c.in == c.out) << c.in;
    }
}

}  // namespace
}  // namespace vx
