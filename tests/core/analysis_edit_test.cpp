// The texts of the metrics panel and of the analysis settings dialog.
#include <gtest/gtest.h>

#include "analysis/metrics_text.h"
#include "analysis/parameter_edit.h"
#include "settings/weld_wave_setting.h"

namespace vx {
namespace {

struct EditCase {
    std::array<std::string, kParameterCount> texts;
    int bad;  // index of the first wrong text, -1 when all are right
};

TEST(ParameterEdit, FirstWrongTextIsNamedAndRightOnesAreTaken) {
    const EditCase cases[] = {
        {{"10", "0", "0.8", "0", "7.85"}, -1},
        {{" 150 ", "300", "1", "1.2", "7.8"}, -1},  // blanks around, efficiency 1 allowed
        {{"1e3", "0.5", "0.01", "0.8", "2.7"}, -1},
        {{"0", "0", "0.8", "0", "7.85"}, 0},  // threshold must be above 0
        {{"abc", "x", "0.8", "0", "7.85"}, 0},
        {{"10", "-1", "0.8", "0", "7.85"}, 1},
        {{"10", "0", "1.5", "0", "7.85"}, 2},
        {{"10", "0", "0", "0", "7.85"}, 2},
        {{"10", "0", "0.8", "", "7.85"}, 3},
        {{"10", "0", "0.8", "0", "0"}, 4},
        {{"10", "0", "0.8", "0", "inf"}, 4},
        {{"10", "0", "0,8", "0", "7.85"}, 2},  // '.' only, whatever the locale
    };
    for (const EditCase& c : cases) {
        const auto r = ParseParameterTexts(c.texts);
        if (c.bad < 0) {
            ASSERT_TRUE(std::holds_alternative<AnalysisParams>(r)) << c.texts[0];
            EXPECT_EQ(ParameterTexts(std::get<AnalysisParams>(r))[2],
                      std::string(c.texts[2]));  // round trip of the shown text
        } else {
            ASSERT_TRUE(std::holds_alternative<BadParameter>(r)) << c.texts[0];
            EXPECT_EQ(std::get<BadParameter>(r).index, c.bad) << c.texts[c.bad];
        }
    }
    const auto p =
        std::get<AnalysisParams>(ParseParameterTexts({" 150 ", "300", "1", "1.2", "7.8"}));
    EXPECT_EQ(p.arcThreshold, 150);
    EXPECT_EQ(p.travelSpeed, 300);
    EXPECT_EQ(p.efficiency, 1);
    EXPECT_EQ(p.wireDiameter, 1.2);
    EXPECT_EQ(p.wireDensity, 7.8);
}

TEST(ParameterEdit, DefaultsShowInTheirShortestForm) {
    EXPECT_EQ(ParameterTexts(AnalysisParams{}),
              (std::array<std::string, kParameterCount>{"10", "0", "0.8", "0", "7.85"}));
}

TEST(MetricsPanelValues, UnitsScalesAndDashesWhereUndefined) {
    WeldMetrics m;
    m.arc = ArcStats{};
    m.arc->timeMs = 12346;
    m.arc->breaks = 2;
    m.quantity[kCurrent] = QuantityStats{};
    m.quantity[kCurrent]->mean = 201.26;
    m.quantity[kWireSpeed] = QuantityStats{};  // present, but no sample selected
    m.powerW = 4321;
    m.energyJ = 53340;
    m.wireM = 1.234;
    m.wireG = 10.96;
    EXPECT_EQ(MetricsPanelValues(m),
              (std::array<std::string, kPanelRows>{"12.35 s", "201.3 A", "-", "-", "4.32 kW",
                                                   "53.34 kJ", "1.23 m / 11.0 g", "2"}));
    WeldMetrics none;  // a row without current: no arc detection
    EXPECT_EQ(MetricsPanelValues(none)[0], "-");
    EXPECT_EQ(MetricsPanelValues(none)[7], "-");
    EXPECT_EQ(MetricsPanelValues(none)[6], "-");
}

TEST(RangePanelValues, CursorTimesSpanStatisticsAndDashes) {
    WeldMetrics m;
    m.arc = ArcStats{};
    m.arc->timeMs = 1220;
    m.quantity[kCurrent] = QuantityStats{};
    m.quantity[kCurrent]->mean = 245.26;
    m.quantity[kCurrent]->min = 12;
    m.quantity[kCurrent]->max = 380.24;
    m.quantity[kCurrent]->rms = 250.05;
    m.quantity[kWireSpeed] = QuantityStats{};  // present, but no sample on
    m.energyJ = 1234.4;
    const RangePanelText r = RangePanelValues(m, 2434, 1200);
    EXPECT_EQ(r.cursors, "2434 / 1200 ms");  // A first, whichever is earlier
    EXPECT_EQ(r.span, "1234 ms");
    EXPECT_EQ(r.present, (std::array<bool, 3>{true, false, true}));
    EXPECT_EQ(r.stats[kCurrent],
              (std::array<std::string, kRangeStats>{"245.3", "12.0", "380.2", "250.1"}));
    EXPECT_EQ(r.stats[kVoltage], (std::array<std::string, kRangeStats>{"-", "-", "-", "-"}));
    EXPECT_EQ(r.stats[kWireSpeed][0], "-");
    EXPECT_EQ(r.energy, "1.234 kJ");
    EXPECT_EQ(r.arcTime, "1220 ms");

    const RangePanelText none = RangePanelValues(WeldMetrics{}, 0, 0);  // no current, no power
    EXPECT_EQ(none.span, "0 ms");
    EXPECT_EQ(none.energy, "-");
    EXPECT_EQ(none.arcTime, "-");
}

}  // namespace
}  // namespace vx
