// The samples of a drawn wave as CSV: header, the range's samples only, the
// decimal mark and the quoting of titles.
#include "display/sample_export.h"

#include <gtest/gtest.h>

#include <limits>

namespace vx {
namespace {

WaveColumns Samples() {
    WaveColumns s;
    s.t = {0, 10, 20, 30, 40};
    s.y1 = {100, 150.5, 200, 250, 300};
    s.y2 = {20, 21.25, 22, 23, 24};
    s.y3 = {5, 5.5, 6, 6.5, 7};
    return s;
}

const std::array<TitleUnit, 3> kTitles = {
    {{"Current", "A"}, {"Voltage", "V"}, {"Wire feed", "m/min"}}};

TEST(SamplesCsv, HoldsExactlyTheSamplesOfTheRange) {
    struct Case {
        TimeSpan range;
        std::string body;
    } cases[] = {
        {{10, 30}, "10,150.5,21.25,5.5\r\n20,200,22,6\r\n30,250,23,6.5\r\n"},  // ends included
        {{9.99, 10.01}, "10,150.5,21.25,5.5\r\n"},
        {{11, 19}, ""},
        {{-100, 1e9},
         "0,100,20,5\r\n10,150.5,21.25,5.5\r\n20,200,22,6\r\n30,250,23,6.5\r\n"
         "40,300,24,7\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body);
        EXPECT_EQ(SamplesCsv(kTitles, Samples(), c.range),
                  "Time [ms],Current [A],Voltage [V],Wire feed [m/min]\r\n" + c.body);
    }
}

TEST(SamplesCsv, TitlesAreQuotedWhereTheyWouldSplitAField) {
    const std::array<TitleUnit, 3> titles = {
        {{"Current, actual", "A"}, {"Say \"V\"", ""}, {"電流", "A"}}};
    WaveColumns s;
    s.t = {0};
    s.y1 = {1e7};
    s.y2 = {-0.001};
    s.y3 = {std::numeric_limits<double>::quiet_NaN()};
    EXPECT_EQ(SamplesCsv(titles, s, {0, 0}),
              "Time [ms],\"Current, actual [A]\",\"Say \"\"V\"\"\",電流 [A]\r\n"
              "0,1e+07,-0.001,\r\n");
}

}  // namespace
}  // namespace vx
