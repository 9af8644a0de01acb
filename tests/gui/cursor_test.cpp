// Measurement cursors A and B: set by clicks and keys, drawn and labelled on
// the chart, the range figures in the metrics panel, the read-out's time to
// A, and the cursors over file steps.
#include <QLabel>
#include <QToolButton>

#include "analysis/metrics_text.h"
#include "analysis/ui/metrics_panel.h"
#include "chart_driver.h"

namespace vx::test {

namespace {

// What the panel must show for the range of the drawn file, from the core.
RangePanelText Expected(TFormWeldMain& m) {
    const LoadedWave& w = m.CurrentWave();
    const TimeSpan r = *m.Cursors().Range();
    const WeldMetrics metrics = ComputeMetrics(w.samples, w.layout, m.Analysis(), {r.lo, r.hi});
    return RangePanelValues(metrics, *m.Cursors().A(), *m.Cursors().B());
}

void ComparePanel(TFormWeldMain& m, const RangePanelText& want) {
    MetricsPanel& p = *m.PnlMetrics;
    QVERIFY(p.RangeShown());
    QCOMPARE(p.Title()->text(), QString("Range A..B"));
    QCOMPARE(p.RangeValue(MetricsPanel::kRangeCursors)->text(),
             QString::fromStdString(want.cursors));
    QCOMPARE(p.RangeValue(MetricsPanel::kRangeSpan)->text(), QString::fromStdString(want.span));
    QCOMPARE(p.RangeValue(MetricsPanel::kRangeEnergy)->text(), QString::fromStdString(want.energy));
    QCOMPARE(p.RangeValue(MetricsPanel::kRangeArcTime)->text(),
             QString::fromStdString(want.arcTime));
    for (int q = 0; q < 3; ++q)
        for (int k = 0; k < kRangeStats; ++k)
            QCOMPARE(p.RangeStat(q, k)->text(), QString::fromStdString(want.stats[q][k]));
}

}  // namespace

class CursorTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { ShownErrors().clear(); }

    void clicksSetAAndBAndThePanelShowsTheRange() {
        MainFixture f(ZoomSettings());
        OpenWelds(f);
        TFormWeldMain& m = f.main();
        MetricsPanel& p = *m.PnlMetrics;
        QVERIFY(!p.RangeShown());
        const QString wholeArcTime = p.Value(0)->text();

        // Weld 1 runs 1000..6000 ms: A at about 2000, B at about 3500.
        const int xa = PixelOf(m, 2000), xb = PixelOf(m, 3500);
        Click(m, xa);
        const double a = std::trunc(TimeAtPixel(m, xa));
        QCOMPARE(*m.Cursors().A(), a);
        QVERIFY(!m.Cursors().B());
        QVERIFY(!p.RangeShown());  // one cursor is no range
        QCOMPARE(m.ChtWave->CursorLabel(Cursor::A), QString("A"));
        QVERIFY(std::abs(*m.ChtWave->CursorPixel(Cursor::A) - xa) <= 1);
        QVERIFY(!m.ChtWave->CursorPixel(Cursor::B));

        Click(m, xb, Qt::LeftButton, Qt::ControlModifier);
        const double b = std::trunc(TimeAtPixel(m, xb));
        QCOMPARE(*m.Cursors().B(), b);
        QCOMPARE(m.ChtWave->CursorLabel(Cursor::B), QString("B"));
        QVERIFY(m.RangeMetrics());
        ComparePanel(m, Expected(m));
        // The figures are those of the samples between A and B, not of the weld.
        const WeldMetrics& range = *m.RangeMetrics();
        QCOMPARE(range.count, static_cast<size_t>(std::floor(b / 10) - std::ceil(a / 10) + 1));
        QCOMPARE(p.RangeValue(MetricsPanel::kRangeSpan)->text(),
                 QString("%1 ms").arg(static_cast<qint64>(b - a)));
        QCOMPARE(p.RangeStat(kCurrent, 1)->text(),  // min: current rises 0.1 A per sample
                 QString::number(100 + (std::ceil(a / 10) - 100) / 10.0, 'f', 1));

        // The right button sets B too; the range follows.
        Click(m, PixelOf(m, 5000), Qt::RightButton);
        QVERIFY(*m.Cursors().B() > b);
        ComparePanel(m, Expected(m));

        // C clears both: the panel shows the whole weld again.
        QVERIFY(Activate(m));
        Key(m, Qt::Key_C);
        QVERIFY(!m.Cursors().A() && !m.Cursors().B());
        QVERIFY(!p.RangeShown());
        QCOMPARE(p.Title()->text(), QString("Weld metrics"));
        QCOMPARE(p.Value(0)->text(), wholeArcTime);
        QVERIFY(!m.ChtWave->CursorPixel(Cursor::A));
        QVERIFY(ShownErrors().empty());
    }

    void keysSetTheCursorsAtTheMouse() {
        MainFixture f(ZoomSettings());
        OpenWelds(f);
        TFormWeldMain& m = f.main();
        QVERIFY(Activate(m));
        Key(m, Qt::Key_A);  // the mouse has not been over the plot: nothing
        QVERIFY(!m.Cursors().A());
        MoveTo(m, 250);
        Key(m, Qt::Key_A);
        QCOMPARE(*m.Cursors().A(), std::trunc(TimeAtPixel(m, 250)));
        MoveTo(m, 400);
        Key(m, Qt::Key_B);
        QCOMPARE(*m.Cursors().B(), std::trunc(TimeAtPixel(m, 400)));
        ComparePanel(m, Expected(m));
        // Off the plot area the keys set nothing.
        MoveTo(m, 30);
        Key(m, Qt::Key_A);
        QCOMPARE(*m.Cursors().A(), std::trunc(TimeAtPixel(m, 250)));
    }

    void readoutAddsTheTimeToA() {
        MainFixture f(ZoomSettings());
        OpenWelds(f);
        TFormWeldMain& m = f.main();
        MoveTo(m, 300);
        const QString plain = m.ChtWave->Hint();
        QVERIFY(!plain.contains("t-A"));
        Click(m, 200);
        MoveTo(m, 300);
        const qint64 t = static_cast<qint64>(std::trunc(TimeAtPixel(m, 300)));
        const qint64 a = static_cast<qint64>(*m.Cursors().A());
        QCOMPARE(m.ChtWave->Hint(), plain + QString("\r\nt-A: +%1ms").arg(t - a));
        MoveTo(m, 100);
        const qint64 before = static_cast<qint64>(std::trunc(TimeAtPixel(m, 100)));
        QVERIFY(m.ChtWave->Hint().endsWith(QString("t-A: -%1ms").arg(a - before)));
    }

    void cursorsStayAtTheirTimesOverFileStepsAndZoom() {
        MainFixture f(ZoomSettings());
        OpenWelds(f);
        TFormWeldMain& m = f.main();
        Click(m, PixelOf(m, 2500));
        Click(m, PixelOf(m, 4000), Qt::RightButton);
        const double a = *m.Cursors().A(), b = *m.Cursors().B();
        const RangePanelText first = Expected(m);
        m.BitBtnNext->click();  // weld 2 runs 2000..7000 ms
        QCOMPARE(*m.Cursors().A(), a);
        QCOMPARE(*m.Cursors().B(), b);
        const RangePanelText second = Expected(m);
        ComparePanel(m, second);
        QVERIFY(second.stats[kCurrent][0] != first.stats[kCurrent][0]);

        // The lines follow the zoom and are not drawn outside the view.
        Drag(m, Qt::LeftButton, PixelOf(m, 2000), PixelOf(m, 3000));
        QVERIFY(m.ChtWave->CursorPixel(Cursor::A));
        QVERIFY(std::abs(*m.ChtWave->CursorPixel(Cursor::A) - PixelOf(m, a)) <= 1);
        QVERIFY(!m.ChtWave->CursorPixel(Cursor::B));
        QCOMPARE(m.ChtWave->CursorLabel(Cursor::B), QString());
        ComparePanel(m, second);  // the range does not depend on the view

        // New analysis settings give new range figures.
        OnNextModal([](QWidget* w) {
            if (auto* d = qobject_cast<QDialog*>(w)) d->accept();
        });
        m.PnlMetrics->SettingsButton()->click();
        ComparePanel(m, Expected(m));
    }

    void labelsStayAboveThePlotAndApart() {
        MainFixture f(ZoomSettings());
        OpenWelds(f);
        TFormWeldMain& m = f.main();
        const QRect plot = m.ChtWave->PlotRect();
        // Close together, in either order, in the middle and at both edges.
        const int cases[][2] = {{300, 301}, {301, 300}, {87, 88}, {616, 615}, {400, 200}};
        for (const auto& c : cases) {
            Click(m, c[0]);
            Click(m, c[1], Qt::RightButton);
            const std::optional<QRect> a = m.ChtWave->CursorLabelRect(Cursor::A);
            const std::optional<QRect> b = m.ChtWave->CursorLabelRect(Cursor::B);
            QVERIFY(a && b);
            QVERIFY2(!a->intersects(*b), qPrintable(QString("%1 %2").arg(c[0]).arg(c[1])));
            for (const QRect& r : {*a, *b}) {
                QVERIFY(r.left() >= plot.left() && r.right() <= plot.right() + 1);
                QVERIFY(r.bottom() <= plot.top() + 1 && r.top() >= 0);  // in the margin above
            }
        }
    }

    void bothCursorsWithoutAFileShowDashes() {
        MainFixture f(ZoomSettings());
        TFormWeldMain& m = f.main();
        m.TimToolTipTimer();
        Click(m, 200);
        Click(m, 300, Qt::RightButton);
        QVERIFY(m.PnlMetrics->RangeShown());
        QVERIFY(!m.RangeMetrics());
        QCOMPARE(m.PnlMetrics->RangeStat(kCurrent, 0)->text(), QString("-"));
        QCOMPARE(m.PnlMetrics->RangeValue(MetricsPanel::kRangeEnergy)->text(), QString("-"));
    }
};

VX_GUI_TEST(CursorTest);

}  // namespace vx::test

#include "cursor_test.moc"
