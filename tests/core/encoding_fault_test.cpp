// The converters work through long text in pieces: characters cut by a piece's
// end, invalid bytes and characters without a CP932 form must come out as they
// would one by one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/encoding.h"

namespace vx {
namespace {

using Convert = std::string (*)(std::string_view);

std::string Utf16Le(std::string_view b) { return Utf16ToCp932(b, false); }
std::string Utf16Be(std::string_view b) { return Utf16ToCp932(b, true); }

struct PieceCase {
    const char* name;
    Convert convert;
    std::vector<std::string> units;  // whole characters (or invalid bytes) of the input
};

std::string Le(char16_t u) { return {static_cast<char>(u & 0xFF), static_cast<char>(u >> 8)}; }
std::string Be(char16_t u) { return {static_cast<char>(u >> 8), static_cast<char>(u & 0xFF)}; }

TEST(ConverterPieces, LongTextConvertsAsItsCharactersOneByOne) {
    const PieceCase cases[] = {
        // あ, é and 😀 (no CP932 form), a stray continuation byte, a cut sequence.
        {"utf8",
         Utf8ToCp932,
         {"0", "\xE3\x81\x82", "\xC3\xA9", "\xF0\x9F\x98\x80", "\x80", "\xE3\x81"}},
        {"utf16le",
         Utf16Le,
         {Le(u'0'), Le(u'あ'), Le(u'é'), Le(0xD83D) + Le(0xDE00), Le(0xDC00), Le(0xFEFF)}},
        {"utf16be",
         Utf16Be,
         {Be(u'0'), Be(u'あ'), Be(u'é'), Be(0xD83D) + Be(0xDE00), Be(0xDC00), Be(0xFEFF)}},
        // あ, a half-width katakana, a lead byte with no trail byte, an unused byte.
        {"cp932", Cp932ToUtf8, {"0", "\x82\xA0", "\xB1", "\x81", "\xFF"}},
    };
    for (const PieceCase& c : cases) {
        // Units at every position relative to the pieces: a prefix of 0..3
        // ASCII units, then a few thousand bytes of all units in turn, each
        // followed by the ASCII one so that no unit joins with its neighbour.
        const std::string& ascii = c.units[0];
        for (int shift = 0; shift < 4; ++shift) {
            std::string in, want;
            for (int i = 0; i < shift; ++i) {
                in += ascii;
                want += c.convert(ascii);
            }
            for (size_t round = 0; in.size() < 5000; ++round) {
                for (size_t k = 1; k < c.units.size(); ++k) {
                    const std::string& u = c.units[1 + (k + round) % (c.units.size() - 1)];
                    in += u + ascii;
                    want += c.convert(u) + c.convert(ascii);
                }
            }
            EXPECT_EQ(c.convert(in), want) << c.name << " shift " << shift;
        }
    }
}

}  // namespace
}  // namespace vx
