// The cursor read-out: mouse moves over the chart write the time and the three
// values under the mouse into the chart's hint.
#include <QApplication>
#include <QMouseEvent>
#include <QToolButton>

#include "display/ui/wave_chart.h"
#include "display_driver.h"
#include "gui_test.h"

namespace vx::test {

namespace {

// 1000 samples 10 ms apart. Current 2 i + 0.25, voltage i / 10, wire feed
// 2.5 + (i mod 10): sample 123 reads 246.25, 12.30 and 5.50.
QByteArray ReadoutFile() {
    std::vector<std::array<double, 4>> rows;
    for (int i = 0; i < 1000; ++i)
        rows.push_back({10.0 * i, 2.0 * i + 0.25, i / 10.0, 2.5 + i % 10});
    return Row0File(rows);
}

// The wire feed scale 2..12 under a current scale 0..600 draws trace 3 with
// the factor 60 and the offset 2, so a value shown in its own unit differs
// from the value drawn.
QString Settings(const QString& time) {
    return "[SCALE]\r\nCURRENT=0,600\r\nWIRESPEED=2,12\r\nTIME=" + time + "\r\n";
}

// Moves the mouse to pixel column x of the chart, as the platform reports it.
void MoveOverChart(TFormWeldMain& m, int x, int y = 200) {
    auto* plot = m.ChtWave->findChild<QWidget*>("ChtWavePlot");
    QVERIFY(plot);
    QMouseEvent move(QEvent::MouseMove, QPointF(x, y), plot->mapToGlobal(QPointF(x, y)),
                     Qt::NoButton, Qt::NoButton, {});
    QApplication::sendEvent(plot, &move);
}

void OpenReadoutFolder(MainFixture& f) {
    const QString folder = f.makeFolder("log");
    WriteFile(folder, "000001.csv", ReadoutFile());
    f.openFolder(folder);
    QCOMPARE(f.main().CsvFileCount, 1);
    QCOMPARE(f.main().SeriesAt(0)->Count(), size_t(1000));
    f.main().TimToolTipTimer();  // the chart is back, as one second later
    QVERIFY(f.main().ChtWave->isEnabled());
}

}  // namespace

class ReadoutTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { ShownErrors().clear(); }

    void hintUnderTheMouse_data() {
        QTest::addColumn<QString>("time");
        QTest::addColumn<int>("x");
        QTest::addColumn<QString>("hint");
        // The plot area spans pixels 84..617: 10000 ms over 533 px.
        QTest::newRow("1238 ms, sample 123")
            << "0,10000" << 150 << "1238ms\r\n 246.25\r\n  12.30\r\n   5.50";
        QTest::newRow("left edge") << "0,10000" << 84 << "0ms\r\n   0.25\r\n   0.00\r\n   2.50";
        // Past the last sample but within the axis: no values, the text ends
        // with a line break.
        QTest::newRow("right edge") << "0,10000" << 617 << "10000ms\r\n\r\n\r\n";
        QTest::newRow("left of the axis") << "0,10000" << 83 << "";
        QTest::newRow("right of the axis") << "0,10000" << 618 << "";
        // An axis starting at 1000 ms: the value shown is the one at the time
        // under the mouse (1500 ms, sample 150).
        QTest::newRow("axis from 1000")
            << "1000,11000" << 111 << "1506ms\r\n 300.25\r\n  15.00\r\n   2.50";
    }

    void hintUnderTheMouse() {
        QFETCH(QString, time);
        QFETCH(int, x);
        QFETCH(QString, hint);
        MainFixture f(Settings(time));
        OpenReadoutFolder(f);
        MoveOverChart(f.main(), x);
        QCOMPARE(f.main().ChtWave->Hint(), hint);
        QVERIFY(ShownErrors().empty());
    }

    void thirdTraceInItsOwnUnit() {
        MainFixture f(Settings("0,10000"));
        OpenReadoutFolder(f);
        TFormWeldMain& m = f.main();
        // Drawn on the current scale: (5.5 - 2) * 60; read out as 5.50.
        QCOMPARE(m.SeriesAt(2)->YValue(123), 210.0);
        MoveOverChart(m, 150);
        QVERIFY(m.ChtWave->Hint().endsWith("\r\n   5.50"));
    }

    void hiddenTraceGivesEmptyLine() {
        MainFixture f(Settings("0,10000"));
        OpenReadoutFolder(f);
        TFormWeldMain& m = f.main();
        m.SpdBtnExp02->click();
        QVERIFY(!m.SeriesAt(1)->Active());
        MoveOverChart(m, 150);
        QCOMPARE(m.ChtWave->Hint(), QString("1238ms\r\n 246.25\r\n\r\n   5.50"));
        m.SpdBtnExp02->click();
        MoveOverChart(m, 150);
        QCOMPARE(m.ChtWave->Hint(), QString("1238ms\r\n 246.25\r\n  12.30\r\n   5.50"));
        m.SpdBtnExp01->click();
        m.SpdBtnExp03->click();
        MoveOverChart(m, 150);
        QCOMPARE(m.ChtWave->Hint(), QString("1238ms\r\n\r\n  12.30\r\n"));
    }

    void leavingTheAxisClearsTheHint() {
        MainFixture f(Settings("0,10000"));
        OpenReadoutFolder(f);
        TFormWeldMain& m = f.main();
        MoveOverChart(m, 150);
        QVERIFY(!m.ChtWave->Hint().isEmpty());
        MoveOverChart(m, 40);
        QCOMPARE(m.ChtWave->Hint(), QString());
        MoveOverChart(m, 150);
        MoveOverChart(m, 690);
        QCOMPARE(m.ChtWave->Hint(), QString());
    }

    void noFileGivesTheTimeOnly() {
        MainFixture f(Settings("0,10000"));
        TFormWeldMain& m = f.main();
        m.TimToolTipTimer();
        MoveOverChart(m, 150);
        QCOMPARE(m.ChtWave->Hint(), QString("1238ms\r\n\r\n\r\n"));
    }

    void disabledChartSetsNoHint() {
        MainFixture f(Settings("0,10000"));
        TFormWeldMain& m = f.main();
        m.TimToolTip->stop();  // keep the suspension after show, however slow the machine
        QVERIFY(!m.ChtWave->isEnabled());
        MoveOverChart(m, 150);
        // Also through the window, the way the platform delivers a move.
        auto* plot = m.ChtWave->findChild<QWidget*>("ChtWavePlot");
        QTest::mouseMove(m.windowHandle(), plot->mapTo(&m, QPoint(150, 200)));
        QTest::mouseMove(m.windowHandle(), plot->mapTo(&m, QPoint(160, 200)));
        QCOMPARE(m.ChtWave->Hint(), QString());

        OpenReadoutFolder(f);
        MoveOverChart(m, 150);
        const QString before = m.ChtWave->Hint();
        QCOMPARE(before, QString("1238ms\r\n 246.25\r\n  12.30\r\n   5.50"));
        m.SuspendChart();
        MoveOverChart(m, 300);  // neither rewritten nor cleared
        QCOMPARE(m.ChtWave->Hint(), before);
        MoveOverChart(m, 20);
        QCOMPARE(m.ChtWave->Hint(), before);
        m.TimToolTipTimer();
        MoveOverChart(m, 20);
        QCOMPARE(m.ChtWave->Hint(), QString());
    }
};

VX_GUI_TEST(ReadoutTest);

}  // namespace vx::test

#include "readout_test.moc"
