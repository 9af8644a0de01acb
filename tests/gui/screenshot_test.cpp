// Pictures of the display-settings dialog, an overlay, the metrics panel and
// the folder overview, for a person to look at. Runs only when
// VX_SCREENSHOT_DIR names the folder for the PNGs; best under a real X server
// (Xvfb), where the screen itself is grabbed too.
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <cmath>

#include "analysis/ui/folder_overview.h"
#include "analysis/ui/limits_set.h"
#include "analysis/ui/metrics_panel.h"
#include "analysis/ui/overview_model.h"
#include "analysis/ui/trend_chart.h"
#include "app/ui/weld_help.h"
#include "chart_driver.h"
#include "common/ui/message_box2.h"
#include "display/ui/wave_chart.h"
#include "display_driver.h"
#include "gui_test.h"

namespace vx::test {

namespace {

QString ShotDir() { return qEnvironmentVariable("VX_SCREENSHOT_DIR"); }

void Save(QWidget* w, const QString& name) {
    QDir().mkpath(ShotDir());
    const QString path = QDir(ShotDir()).filePath(name + ".png");
    if (!w->grab().save(path)) qWarning("cannot save %s", qPrintable(path));
    // On a real display the screen shows what the widget grab cannot: tool
    // tips, other windows on top.
    if (QGuiApplication::platformName() == "xcb")
        if (QScreen* s = QGuiApplication::primaryScreen())
            s->grabWindow(0).save(QDir(ShotDir()).filePath(name + "-screen.png"));
}

// A weld of 8 s: the arc strikes, settles with ripple and ends. Each weld
// differs a little in level and phase, so an overlay shows the spread.
QByteArray RealisticWeld(int n) {
    std::vector<std::array<double, 4>> rows;
    const double level = 200.0 + 8.0 * (n - 1);
    for (int i = 0; i < 800; ++i) {
        const double t = i * 10.0;
        const double ramp =
            std::min(1.0, t / 400.0) * (t > 7600 ? std::max(0.0, (8000 - t) / 400.0) : 1.0);
        const double ripple = std::sin(i * 0.9 + n) + 0.4 * std::sin(i * 0.23 + 2 * n);
        rows.push_back({t, ramp * (level + 15.0 * ripple), ramp * (24.0 + 0.4 * n + 1.2 * ripple),
                        ramp * (7.5 + 0.2 * n + 0.15 * ripple)});
    }
    return Row0File(rows);
}

// Weld n of a shift: 6 s near 220 A and 24.5 V with a little spread from
// weld to weld; weld 7 runs cold, weld 23 loses its arc for 200 ms, weld 31
// runs hot.
QByteArray ShiftWeld(int n) {
    std::vector<std::array<double, 4>> rows;
    double amps = 220.0 + 6.0 * std::sin(n * 1.7) + 3.0 * std::sin(n * 0.45);
    double volts = 24.5 + 0.5 * std::sin(n * 2.3);
    if (n == 7) amps -= 28, volts -= 1.8;
    if (n == 31) amps += 24, volts += 1.2;
    for (int i = 0; i < 600; ++i) {
        const double t = i * 10.0;
        const double ramp = std::min(1.0, t / 300.0) * (t > 5700 ? (6000 - t) / 300.0 : 1.0);
        const bool broken = n == 23 && t >= 3000 && t < 3200;
        const double ripple = std::sin(i * 0.9 + n) + 0.4 * std::sin(i * 0.23 + 2 * n);
        rows.push_back({t, broken ? 0.0 : ramp * (amps + 12.0 * ripple),
                        broken ? 0.0 : ramp * (volts + 1.0 * ripple), ramp * (8.0 + 0.1 * ripple)});
    }
    return Row0File(rows);
}

}  // namespace

class ScreenshotTest : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        if (ShotDir().isEmpty()) QSKIP("VX_SCREENSHOT_DIR is not set");
    }

    void dialogPagesAndOverlay() {
        MainFixture f;
        TFormWeldMain& m = f.main();
        const QString folder = f.makeFolder("log");
        for (int n = 1; n <= 6; ++n)
            WriteFile(folder, QString("%1.csv").arg(n, 6, 10, QChar('0')), RealisticWeld(n));
        f.openFolder(folder);
        QCOMPARE(m.CsvFileCount, 6);
        m.TimToolTipTimer();

        QVERIFY(RunDisplayDialog(m, [&](TFormWeldWaveSet& d) {
            d.PgCtrlDisp->setCurrentWidget(d.TabScale);
            QTest::qWait(300);
            Save(&d, "dialog-scale");
            d.PgCtrlDisp->setCurrentWidget(d.TabMulti);
            d.ChkBoxMulti->click();
            d.RadBtnSep->click();
            TypeInto(d.EdtSep, "2-6");
            QTest::qWait(300);
            Save(&d, "dialog-overlay");
            d.PgCtrlDisp->setCurrentWidget(d.TabScale);
            TypeInto(d.EdtMaxWave1, "0");
            OnNextModal([](QWidget* box) {
                QTest::qWait(300);
                Save(box->window(), "message-957");
                if (auto* b = qobject_cast<TFormMessageBox2*>(box)) b->BtnOkMessageBox2->click();
            });
            d.BtnDisp->click();
            TypeInto(d.EdtMaxWave1, "400");
            d.BtnDisp->click();
        }));
        QCOMPARE(m.MultiNo[4], 6);
        QTRY_VERIFY_WITH_TIMEOUT(m.ChtWave->isEnabled(), 2000);
        m.ChtWave->ReplotNow();
        QTest::qWait(300);
        Save(&m, "overlay-five-welds");

        // The read-out over the overlay, with its tool tip.
        auto* plot = m.ChtWave->findChild<QWidget*>("ChtWavePlot");
        QTest::mouseMove(m.windowHandle(), plot->mapTo(&m, QPoint(300, 200)));
        QTest::mouseMove(m.windowHandle(), plot->mapTo(&m, QPoint(301, 200)));
        QTest::qWait(600);
        Save(&m, "readout");
        QVERIFY(!m.ChtWave->Hint().isEmpty());
    }

    void sampleFolderWithMetricsAndAnalysisSettings() {
        MainFixture f;
        TFormWeldMain& m = f.main();
        f.openFolder(QString(VX_TEST_DATA) + "/../../examples/datalog");
        QTRY_VERIFY_WITH_TIMEOUT(m.ChtWave->isEnabled(), 3000);
        m.ChtWave->ReplotNow();
        QTest::qWait(300);
        Save(&m, "metrics-panel");
        OnNextModal([](QWidget* w) {
            QTest::qWait(300);
            Save(w->window(), "analysis-settings");
            if (auto* d = qobject_cast<QDialog*>(w)) d->reject();
        });
        m.PnlMetrics->SettingsButton()->click();
    }

    void folderOverviewWithTrendAndFailingWelds() {
        MainFixture f("[LIMITS]\r\nCURRENT_MEAN=202,235\r\nVOLTAGE_MEAN=22.8,26\r\nBREAKS=,0\r\n");
        TFormWeldMain& m = f.main();
        const QString folder = f.makeFolder("shift");
        for (int n = 1; n <= 40; ++n)
            WriteFile(folder, QString("%1.csv").arg(n, 6, 10, QChar('0')), ShiftWeld(n));
        f.openFolder(folder);
        QTRY_VERIFY_WITH_TIMEOUT(m.ChtWave->isEnabled(), 3000);
        m.ChtWave->ReplotNow();
        QTest::qWait(200);
        Save(&m, "overview-button");
        m.PnlMetrics->OverviewButton()->click();
        TFormFolderOverview* o = m.Overview();
        QVERIFY(o);
        QTRY_VERIFY_WITH_TIMEOUT(!o->Filling() && !o->WorkerRunning(), 10000);
        QCOMPARE(o->Proxy()->rowCount(), 40);
        o->move(10, 10);
        for (int row : {4, 5, 6, 8})
            o->TblOverview->selectionModel()->select(
                o->Proxy()->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        o->ChtTrend->ReplotNow();
        QTest::qWait(400);
        Save(o, "overview-current");
        o->CmbBoxTrend->setCurrentIndex(kColBreaks - kColArcTime);
        o->ChtTrend->ReplotNow();
        QTest::qWait(300);
        Save(o, "overview-breaks");

        // Failing welds first, with a failing cell's tool tip.
        o->CmbBoxTrend->setCurrentIndex(kColVoltage - kColArcTime);
        o->TblOverview->sortByColumn(kColResult, Qt::AscendingOrder);
        o->TblOverview->clearSelection();
        const QRect cell = o->TblOverview->visualRect(o->Proxy()->index(0, kColCurrent));
        QTest::mouseMove(o->TblOverview->viewport(), cell.center());
        QHelpEvent tip(QEvent::ToolTip, cell.center(),
                       o->TblOverview->viewport()->mapToGlobal(cell.center()));
        QApplication::sendEvent(o->TblOverview->viewport(), &tip);
        o->ChtTrend->ReplotNow();
        QTest::qWait(600);
        Save(o, "overview-failing-first");

        o->TblOverview->selectAll();
        OnNextModal([](QWidget* w) {
            if (auto* d = qobject_cast<TFormLimitsSet*>(w)) {
                d->BtnFromSelection->click();
                QTest::qWait(300);
                Save(d, "limits-from-selection");
                d->reject();
            }
        });
        o->BtnLimits->click();
    }

    void zoomedArcStartWithCursorsAndRange() {
        MainFixture f;
        TFormWeldMain& m = f.main();
        f.openFolder(QString(VX_TEST_DATA) + "/../../examples/datalog");
        QTRY_VERIFY_WITH_TIMEOUT(m.ChtWave->isEnabled(), 3000);
        // The first 600 ms of the first weld, cursors on the strike and on
        // the settled arc.
        // The band is drawn from 600 ms leftwards past the plot's edge (the
        // scale labels lie over its first pixels), so it starts at 0.
        Drag(m, Qt::LeftButton, PixelOf(m, 600), 40);
        QVERIFY(m.View().Zoomed());
        Click(m, PixelOf(m, 30));
        Click(m, PixelOf(m, 450), Qt::RightButton);
        QVERIFY(m.PnlMetrics->RangeShown());
        m.ChtWave->ReplotNow();
        QTest::qWait(300);
        Save(&m, "zoom-cursors-range");

        MoveTo(m, PixelOf(m, 250));
        MoveTo(m, PixelOf(m, 251));
        QTest::qWait(600);
        Save(&m, "zoom-cursors-readout");
        QVERIFY(m.ChtWave->Hint().contains("t-A: +"));
        // The tool tip is a window of its own; the window grab leaves it out.
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->inherits("QTipLabel") && w->isVisible()) Save(w, "zoom-cursors-tooltip");

        // The time captions at the limits: the whole axis, and 10 ms.
        for (int i = 0; i < 80; ++i) Wheel(m, 300, -1);
        m.ChtWave->ReplotNow();
        Save(&m, "zoom-widest");
        QVERIFY(Activate(m));
        Key(m, Qt::Key_Home);
        for (int i = 0; i < 40; ++i) Wheel(m, PixelOf(m, 1234), 1);
        QCOMPARE(Visible(m).Width(), 10.0);
        m.ChtWave->ReplotNow();
        Save(&m, "zoom-10ms");

        Key(m, Qt::Key_F1);
        QVERIFY(m.HelpWindow());
        QTest::qWait(300);
        Save(m.HelpWindow(), "help");
    }
};

VX_GUI_TEST(ScreenshotTest);

}  // namespace vx::test

#include "screenshot_test.moc"
