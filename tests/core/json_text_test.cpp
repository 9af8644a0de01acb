// JSON text of the machine-readable outputs: strings valid whatever the bytes,
// numbers in their shortest round-trip form, nlohmann trees written the same way.
#include "common/json_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <nlohmann/json.hpp>
#include <string>

namespace vx {
namespace {

using nlohmann::ordered_json;

TEST(JsonText, StringKeepsWellFormedUtf8AndReplacesEachOtherByte) {
    struct Case {
        std::string in, want;
    } cases[] = {
        {"plain", "\"plain\""},
        {"\xE6\x99\x82\xF0\x9F\x98\x80", "\"\xE6\x99\x82\xF0\x9F\x98\x80\""},  // 時, U+1F600
        {"\xC0\xAF", "\"\xEF\xBF\xBD\xEF\xBF\xBD\""},                          // overlong '/'
        {"\xED\xA0\x80", "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\""},          // surrogate
        {"\xF4\x90\x80\x80", "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\""},  // > U+10FFFF
        {"\xE6\x99", "\"\xEF\xBF\xBD\xEF\xBF\xBD\""},                                  // cut short
        // Cut short by another character: still one replacement per byte.
        {"\xE6\x99"
         "A\x82",
         "\"\xEF\xBF\xBD\xEF\xBF\xBD"
         "A\xEF\xBF\xBD\""},
        {std::string("a\0b\x1f\x7f", 5), "\"a\\u0000b\\u001f\x7f\""},
        {"\"\\/\b\f\n\r\t", "\"\\\"\\\\/\\b\\f\\n\\r\\t\""},
    };
    for (const Case& c : cases) {
        std::string out;
        AppendJsonString(out, c.in);
        EXPECT_EQ(out, c.want);
    }
}

TEST(JsonText, NumbersAreShortestRoundTripAndNeverNanOrInf) {
    struct Case {
        double v;
        const char* want;
    } cases[] = {
        {0.0, "0"},
        {1.0, "1"},
        {18.2, "18.2"},
        {-4.1, "-4.1"},
        {1e7, "1e+07"},
        {1e21, "1e+21"},
        {0.1 + 0.2, "0.30000000000000004"},
        {std::numeric_limits<double>::max(), "1.7976931348623157e+308"},
        {std::numeric_limits<double>::denorm_min(), "5e-324"},
        {std::nan(""), "null"},
        {std::numeric_limits<double>::infinity(), "null"},
        {-std::numeric_limits<double>::infinity(), "null"},
    };
    for (const Case& c : cases) {
        std::string out;
        AppendJsonNumber(out, c.v);
        EXPECT_EQ(out, c.want) << c.v;
        // What is written reads back as the same double.
        if (std::isfinite(c.v)) {
            EXPECT_EQ(nlohmann::json::parse(out).get<double>(), c.v);
        }
    }
}

TEST(JsonText, TreeIsWrittenInOrderWithTheProgramsNumbersAndStrings) {
    ordered_json j;
    j["z"] = 1.0;  // insertion order, not sorted
    j["a"] = ordered_json::array(
        {1e7, -2.5, std::nan(""), std::int64_t{-3}, std::numeric_limits<std::uint64_t>::max()});
    j["bad\xFF"] =
        "x\xE6\x99"
        "A";
    j["flags"] = {{"t", true}, {"f", false}, {"n", nullptr}};
    j["empty"] = {{"o", ordered_json::object()}, {"a", ordered_json::array()}};
    std::string out;
    AppendJson(out, j);
    EXPECT_EQ(out,
              "{\"z\":1,\"a\":[1e+07,-2.5,null,-3,18446744073709551615],"
              "\"bad\xEF\xBF\xBD\":\"x\xEF\xBF\xBD\xEF\xBF\xBD"
              "A\","
              "\"flags\":{\"t\":true,\"f\":false,\"n\":null},\"empty\":{\"o\":{},\"a\":[]}}");
    // Valid JSON that nlohmann reads back.
    EXPECT_EQ(ordered_json::parse(out)["a"][0].get<double>(), 1e7);

    // Unordered trees are written the same way (their keys sorted).
    std::string plain;
    AppendJson(plain, nlohmann::json{{"b", 0.5}, {"a", 2.0}});
    EXPECT_EQ(plain, "{\"a\":2,\"b\":0.5}");
}

TEST(JsonText, ObjectLeftOpenForStreamedMembers) {
    struct Case {
        ordered_json object;
        const char* want;
    } cases[] = {
        {{{"path", "f.csv"}, {"n", 2.0}}, "{\"path\":\"f.csv\",\"n\":2"},
        {ordered_json::object(), "{"},
    };
    for (const Case& c : cases) {
        std::string out;
        AppendJsonObjectOpen(out, c.object);
        EXPECT_EQ(out, c.want);
    }
}

}  // namespace
}  // namespace vx
