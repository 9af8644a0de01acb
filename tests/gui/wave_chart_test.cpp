// The chart adapter: point order, visible range, axis refusal and the hint.
#include "display/ui/wave_chart.h"

#include "gui_test.h"

namespace vx::test {

class WaveChartTest : public QObject {
    Q_OBJECT
  private slots:
    void addKeepsTimeOrderAndEqualTimesInInsertionOrder() {
        WaveChart chart;
        ChartSeries* s = chart.Series("Series101");  // an overlay series, like any other here
        s->AddXY(5, 1);
        s->AddXY(1, 2);
        s->AddXY(5, 3);
        s->AddXY(3, 4);
        s->AddXY(5, 5);
        const double times[] = {1, 3, 5, 5, 5}, values[] = {2, 4, 1, 3, 5};
        QCOMPARE(s->Count(), size_t(5));
        for (size_t i = 0; i < 5; ++i) {
            QCOMPARE(s->XValue(i), times[i]);
            QCOMPARE(s->YValue(i), values[i]);
        }
        s->Clear();
        QCOMPARE(s->Count(), size_t(0));
    }

    void lastVisibleIndexFollowsTheBottomAxis() {
        WaveChart chart;
        ChartSeries* s = chart.Series("Series001");
        s->SetSortedPoints({0, 10, 20, 30}, {1, 2, 3, 4});
        chart.BottomAxis().SetMinMax(0, 25);
        chart.ApplyAxes();
        QCOMPARE(s->LastVisibleIndex(), ptrdiff_t(2));
        chart.BottomAxis().SetMinMax(40, 50);
        chart.ApplyAxes();
        QCOMPARE(s->LastVisibleIndex(), ptrdiff_t(-1));
    }

    void timeAxisRefusesCrossedLimitsVerticalOnesExchange() {
        WaveChart chart;
        QVERIFY_THROWS_EXCEPTION(AxisRangeError, chart.BottomAxis().SetMinimum(200000));
        QCOMPARE(chart.BottomAxis().Minimum(), 0.0);
        chart.LeftAxis().SetMinMax(600, 0);
        QCOMPARE(chart.LeftAxis().Minimum(), 0.0);
        QCOMPARE(chart.LeftAxis().Maximum(), 600.0);
    }
};

VX_GUI_TEST(WaveChartTest);

}  // namespace vx::test

#include "wave_chart_test.moc"
