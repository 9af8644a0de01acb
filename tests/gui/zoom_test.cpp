// Time zoom and pan of the wave chart: wheel, band, pan gestures and keys,
// home and fit, the limits, and what happens to the zoom on file steps,
// folder opens and new settings.
#include <QCheckBox>
#include <QComboBox>

#include "chart_driver.h"
#include "display/ui/wave_chart.h"

namespace vx::test {

namespace {

constexpr double kTol = 1e-6;

void CompareSpan(const TimeSpan& got, const TimeSpan& want, double tol = kTol) {
    QVERIFY2(std::fabs(got.lo - want.lo) <= tol && std::fabs(got.hi - want.hi) <= tol,
             qPrintable(QString("%1..%2, want %3..%4")
                            .arg(got.lo, 0, 'f', 3)
                            .arg(got.hi, 0, 'f', 3)
                            .arg(want.lo, 0, 'f', 3)
                            .arg(want.hi, 0, 'f', 3)));
}

void ExpectHome(TFormWeldMain& m) {
    QVERIFY(!m.View().Zoomed());
    QCOMPARE(m.ChtWave->BottomAxis().Minimum(), 0.0);
    QCOMPARE(m.ChtWave->BottomAxis().Maximum(), 10000.0);
    QCOMPARE(m.ChtWave->BottomAxis().Increment(), 1000.0);
}

}  // namespace

class ZoomTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { ShownErrors().clear(); }

    void wheelZoomsAroundTheTimeUnderTheMouse() {
        MainFixture f(ZoomSettings());
        OpenWelds(f);
        TFormWeldMain& m = f.main();
        const int x = 217;  // a quarter in
        const double t = TimeAtPixel(m, x);
        Wheel(m, x, 1);
        QCOMPARE(Visible(m).Width(), 8000.0);
        QVERIFY(std::fabs(TimeAtPixel(m, x) - t) < kTol);  // the time stays under the mouse
        QVERIFY(std::fabs(m.SeriesAt(0)->XScreenToValue(x) - t) < kTol);
        Wheel(m, x, 3);
        QVERIFY(std::fabs(Visible(m).Width() - 8000 * 0.8 * 0.8 * 0.8) < kTol);
        QVERIFY(std::fabs(TimeAtPixel(m, x) - t) < kTol);
        Wheel(m, x, -4);  // back out
        CompareSpan(Visible(m), {0, 10000}, 1e-6);
        QVERIFY(m.View().Zoomed());
        // The grid and the time captions follow: a step of 1, 2 or 5 x 10^n.
        Wheel(m, x, 10);
        const double step = m.ChtWave->BottomAxis().Increment();
        QVERIFY(step > 0 && step < 1000);
        QVERIFY(Visible(m).Width() / step <= 10);
    }

    void bandDragZoomsToTheBand() {
        MainFixture f(ZoomSettings());
        OpenWelds(f);
        TFormWeldMain& m = f.main();
        const double t0 = TimeAtPixel(m, 150), t1 = TimeAtPixel(m, 350);
        Press(m, Qt::LeftButton, 350);
        MoveTo(m, 250);
        MoveTo(m, 150);
        QVERIFY(m.ChtWave->BandShown());
        QCOMPARE(Visible(m), (TimeSpan{0, 10000}));  // nothing zooms before the release
        Release(m, Qt::LeftButton, 150);
        QVERIFY(!m.ChtWave->BandShown());
        CompareSpan(Visible(m), {t0, t1});
        QVERIFY(!m.Cursors().A());  // a drag sets no cursor
        // Again, in the zoomed view: its band is a smaller stretch.
        const double u0 = TimeAtPixel(m, 200), u1 = TimeAtPixel(m, 260);
        Drag(m, Qt::LeftButton, 200, 260);
        CompareSpan(Visible(m), {u0, u1});
    }

    void panKeepsTheWidth() {
        MainFixture f(ZoomSettings());
        OpenWelds(f);
        TFormWeldMain& m = f.main();
        QVERIFY(Activate(m));
        Key(m, Qt::Key_Plus);  // 2500 .. 7500
        CompareSpan(Visible(m), {2500, 7500});
        const double perPixel = m.ChtWave->Mapping().MsPerPixel();
        // The middle button drags the time axis with the mouse...
        Drag(m, Qt::MiddleButton, 300, 200);
        CompareSpan(Visible(m), {2500 + 100 * perPixel, 7500 + 100 * perPixel});
        // ...and so does the left button with Shift.
        Drag(m, Qt::LeftButton, 200, 300, Qt::ShiftModifier);
        CompareSpan(Visible(m), {2500, 7500});
        QVERIFY(!m.Cursors().A());
        // The arrows pan by a tenth of the width.
        Key(m, Qt::Key_Right);
        CompareSpan(Visible(m), {3000, 8000});
        Key(m, Qt::Key_Left);
        Key(m, Qt::Key_Left);
        CompareSpan(Visible(m), {2000, 7000});
        Key(m, Qt::Key_Minus);
        CompareSpan(Visible(m), {0, 10000});  // -500 .. 9500 slides in at 0
    }

    void homeRestoresTheSettingsLimits() {
        MainFixture f(ZoomSettings());
        OpenWelds(f);
        TFormWeldMain& m = f.main();
        QVERIFY(Activate(m));
        ExpectHome(m);
        for (Qt::Key home : {Qt::Key_Home, Qt::Key_Escape}) {
            Wheel(m, 300, 2);
            QVERIFY(m.View().Zoomed());
            Key(m, home);
            ExpectHome(m);
        }
        // A double click: home, and the click before it sets no cursor.
        Wheel(m, 300, 2);
        DoubleClick(m, 300);
        ExpectHome(m);
        QVERIFY(!m.Cursors().A());
    }

    void fFitsTheTimeAxisToTheWeld() {
        MainFixture f(ZoomSettings());
        OpenWelds(f);
        TFormWeldMain& m = f.main();
        QVERIFY(Activate(m));
        Key(m, Qt::Key_F);  // weld 1 runs from 1000 to 6000 ms
        CompareSpan(Visible(m), {900, 6100});
        Key(m, Qt::Key_PageDown);  // the zoom stays on the next weld...
        CompareSpan(Visible(m), {900, 6100});
        Key(m, Qt::Key_F);  // ...until it is fitted to it: 2000 .. 7000
        CompareSpan(Visible(m), {1900, 7100});
    }

    void limitsHold() {
        MainFixture f(ZoomSettings());
        OpenWelds(f);
        TFormWeldMain& m = f.main();
        QVERIFY(Activate(m));
        for (int i = 0; i < 40; ++i) Wheel(m, 200, 1);
        QVERIFY(std::fabs(Visible(m).Width() - 10) < kTol);
        Key(m, Qt::Key_Plus);
        QVERIFY(std::fabs(Visible(m).Width() - 10) < kTol);
        QCOMPARE(m.ChtWave->BottomAxis().Increment(), 1.0);
        for (int i = 0; i < 80; ++i) Wheel(m, 200, -1);
        QCOMPARE(Visible(m), (TimeSpan{0, 10000000}));
        for (int i = 0; i < 5; ++i) Key(m, Qt::Key_Minus);
        QCOMPARE(Visible(m), (TimeSpan{0, 10000000}));
        Key(m, Qt::Key_Left);
        QCOMPARE(Visible(m), (TimeSpan{0, 10000000}));
        // Near the far end a pan stops at 10,000,000 ms.
        Wheel(m, 617, 20);  // about the right edge
        const double w = Visible(m).Width();
        QVERIFY(w < 200000);
        for (int i = 0; i < 20; ++i) Key(m, Qt::Key_Right);
        QCOMPARE(Visible(m).hi, 10000000.0);
        QVERIFY(std::fabs(Visible(m).Width() - w) < 1e-6);
        // At the start a pan stops at 0 ms, by key and by drag.
        Key(m, Qt::Key_Home);
        Wheel(m, 84, 5);  // about the left edge
        const double w0 = Visible(m).Width();
        QCOMPARE(Visible(m).lo, 0.0);
        Key(m, Qt::Key_Left);
        Drag(m, Qt::MiddleButton, 200, 500);
        QCOMPARE(Visible(m).lo, 0.0);
        QVERIFY(std::fabs(Visible(m).Width() - w0) < 1e-6);
        QVERIFY(ShownErrors().empty());
    }

    void zoomIsKeptOnFileStepsAndResetByAFolderOrNewSettings() {
        MainFixture f(ZoomSettings());
        OpenWelds(f);
        TFormWeldMain& m = f.main();
        Drag(m, Qt::LeftButton, 150, 350);
        const TimeSpan zoomed = Visible(m);
        m.BitBtnNext->click();
        QCOMPARE(m.CsvFileNo, 2);
        QCOMPARE(Visible(m), zoomed);
        m.BitBtnFfwd->click();
        emit m.CmbBoxCsvFile->activated(0);  // as a pick in the list
        QCOMPARE(m.CsvFileNo, 1);
        QCOMPARE(Visible(m), zoomed);
        // The read-out reads the zoomed axis: the time under the mouse.
        MoveTo(m, 250);
        QVERIFY(m.ChtWave->Hint().startsWith(
            QString::number(static_cast<qint64>(std::trunc(TimeAtPixel(m, 250)))) + "ms"));

        // A new folder starts at home.
        const QString other = f.makeFolder("other");
        WriteFile(other, "1.csv", ZoomWeld());
        f.openFolder(other);
        QCOMPARE(m.CsvFileCount, 1);
        ExpectHome(m);

        // So do new settings, once confirmed.
        m.TimToolTipTimer();
        Drag(m, Qt::LeftButton, 150, 350);
        QVERIFY(m.View().Zoomed());
        QVERIFY(RunDisplayDialog(m, [](TFormWeldWaveSet& d) { d.BtnCancel->click(); }));
        QVERIFY(m.View().Zoomed());
        QVERIFY(RunDisplayDialog(m, [](TFormWeldWaveSet& d) { d.BtnDisp->click(); }));
        ExpectHome(m);
    }

    void aFolderThatFailsToOpenKeepsTheZoom() {
        MainFixture f(ZoomSettings());
        OpenWelds(f);
        TFormWeldMain& m = f.main();
        Drag(m, Qt::LeftButton, 150, 350);
        const TimeSpan zoomed = Visible(m);
        AcceptNextMessage();
        f.openFolder(f.makeFolder("empty"));
        QCOMPARE(Visible(m), zoomed);
    }

    void suspendedChartTakesNoGesture() {
        MainFixture f(ZoomSettings());
        OpenWelds(f);
        TFormWeldMain& m = f.main();
        QVERIFY(Activate(m));
        m.SuspendChart();
        Wheel(m, 300, 3);
        Drag(m, Qt::LeftButton, 150, 350);
        Drag(m, Qt::MiddleButton, 150, 350);
        Click(m, 300);
        Click(m, 300, Qt::RightButton);
        for (Qt::Key k :
             {Qt::Key_Plus, Qt::Key_Minus, Qt::Key_Left, Qt::Key_F, Qt::Key_A, Qt::Key_B})
            Key(m, k);
        ExpectHome(m);
        QVERIFY(!m.Cursors().A() && !m.Cursors().B());
        QVERIFY(!m.ChtWave->BandShown());

        // A band under way when the chart is suspended goes without a zoom.
        m.TimToolTipTimer();
        Press(m, Qt::LeftButton, 150);
        MoveTo(m, 300);
        QVERIFY(m.ChtWave->BandShown());
        m.SuspendChart();
        QVERIFY(!m.ChtWave->BandShown());
        Release(m, Qt::LeftButton, 300);
        m.TimToolTipTimer();
        ExpectHome(m);
        // Back on, the chart zooms again.
        Wheel(m, 300, 1);
        QVERIFY(m.View().Zoomed());
    }
};

VX_GUI_TEST(ZoomTest);

}  // namespace vx::test

#include "zoom_test.moc"
