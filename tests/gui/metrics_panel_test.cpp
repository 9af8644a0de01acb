// The metrics panel below the file list and the analysis settings dialog.
#include "analysis/ui/metrics_panel.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include "analysis/metrics.h"
#include "analysis/metrics_text.h"
#include "analysis/ui/analysis_set.h"
#include "common/ui/message_box2.h"
#include "common/ui/qt_text.h"
#include "display/loaded_wave.h"
#include "display_driver.h"
#include "gui_test.h"

namespace vx::test {

namespace {

const QStringList kRow0En = {"CurrentActual[A]", "VoltageActual[V]", "FeedingActual[m/min]"};

// 100 samples 10 ms apart at constant values: 1 s of arc.
QByteArray Constant(double amps, double volts, double feed) {
    std::vector<std::array<double, 4>> rows;
    for (int i = 0; i < 100; ++i) rows.push_back({10.0 * i, amps, volts, feed});
    return WaveFile("Time[msec]", kRow0En, rows);
}

QStringList PanelValues(TFormWeldMain& m) {
    QStringList v;
    for (int r = 0; r < kPanelRows; ++r) v << m.PnlMetrics->Value(r)->text();
    return v;
}

// The analysis settings, from the panel's button.
bool RunAnalysisDialog(TFormWeldMain& m, const std::function<void(TFormAnalysisSet&)>& act) {
    return RunDialog<TFormAnalysisSet>(m.PnlMetrics->SettingsButton(), act);
}

}  // namespace

class MetricsPanelTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { ShownErrors().clear(); }

    void showsTheDrawnWeldAndFollowsTheSteps() {
        MainFixture f;
        TFormWeldMain& m = f.main();
        QCOMPARE(m.PnlMetrics->Label(0)->text(), QString("Arc time"));
        QCOMPARE(m.PnlMetrics->Label(7)->text(), QString("Arc breaks"));
        QCOMPARE(PanelValues(m), QStringList(kPanelRows, QString()));  // nothing drawn yet

        const QString dir = f.makeFolder("log");
        WriteFile(dir, "1.csv", Constant(200, 20, 6));
        WriteFile(dir, "2.csv", Constant(100, 10, 3));
        f.openFolder(dir);
        // 1 s at 200 A and 20 V: 4 kW, 4 kJ; 6 m/min for 1 s is 0.1 m.
        QCOMPARE(PanelValues(m), (QStringList{"1.00 s", "200.0 A", "20.0 V", "6.00 m/min",
                                              "4.00 kW", "4.00 kJ", "0.10 m", "0"}));
        m.BitBtnNext->click();
        QCOMPARE(PanelValues(m), (QStringList{"1.00 s", "100.0 A", "10.0 V", "3.00 m/min",
                                              "1.00 kW", "1.00 kJ", "0.05 m", "0"}));

        // A file that cannot be drawn leaves the figures of the drawn one.
        WriteFile(dir, "2.csv", "two,fields\r\n");  // no proper header
        m.BitBtnPrev->click();
        m.BitBtnNext->click();
        QCOMPARE(m.PnlMetrics->Value(1)->text(), QString("200.0 A"));
    }

    void sampleFolderFillsThePanelWithEachWeldsFigures() {
        MainFixture f;
        TFormWeldMain& m = f.main();
        f.openFolder(QString(VX_TEST_DATA) + "/../../examples/datalog");
        QVERIFY(m.CsvFileCount > 1);
        QStringList seen;
        for (int i = 0; i < 2; ++i) {
            QVERIFY(m.CurrentWave().loaded);
            const WeldMetrics expected =
                ComputeMetrics(m.CurrentWave().samples, m.CurrentWave().layout, AnalysisParams{});
            QStringList want;
            for (const std::string& v : MetricsPanelValues(expected))
                want << QString::fromStdString(v);
            QCOMPARE(PanelValues(m), want);
            QVERIFY(m.PnlMetrics->Value(0)->text().endsWith(" s"));
            QVERIFY(m.PnlMetrics->Value(0)->text() != "0.00 s");  // a real weld burns
            seen << PanelValues(m).join('|');
            m.BitBtnNext->click();
        }
        QVERIFY(seen[0] != seen[1]);
    }

    void dialogWritesTheSectionAndTheFiguresChange() {
        MainFixture f("[SCALE]\r\nCURRENT=0,400\r\n");
        TFormWeldMain& m = f.main();
        const QString dir = f.makeFolder("log");
        WriteFile(dir, "1.csv", Constant(200, 20, 6));
        f.openFolder(dir);
        QCOMPARE(m.PnlMetrics->Value(0)->text(), QString("1.00 s"));

        bool stayedOpen = false;
        QString message;
        QVERIFY(RunAnalysisDialog(m, [&](TFormAnalysisSet& d) {
            QCOMPARE(d.windowTitle(), QString("Analysis settings"));
            QCOMPARE(d.Edits[0]->text(), QString("10"));
            QCOMPARE(d.Edits[2]->text(), QString("0.8"));
            TypeInto(d.Edits[2], "1.5");  // efficiency above 1
            AcceptNextMessage(&message);
            d.BtnOk->click();
            stayedOpen = d.isVisible();
            TypeInto(d.Edits[2], "0.8");
            TypeInto(d.Edits[0], "250");  // above the weld's current: no arc
            TypeInto(d.Edits[3], "1.2");
            d.BtnOk->click();
        }));
        QVERIFY(stayedOpen);
        QCOMPARE(message, QString("Thermal efficiency\nEnter a number above 0 and at most 1."));
        QCOMPARE(m.Analysis().arcThreshold, 250.0);
        QCOMPARE(m.PnlMetrics->Value(0)->text(), QString("0.00 s"));
        QCOMPARE(m.PnlMetrics->Value(1)->text(), QString("-"));

        QFile ini(f.iniPath());
        QVERIFY(ini.open(QIODevice::ReadOnly));
        const QByteArray text = ini.readAll();
        QVERIFY2(text.startsWith("[SCALE]\r\nCURRENT=0,400\r\n"), text.constData());
        QVERIFY2(text.contains("[ANALYSIS]\r\nARC_THRESHOLD=250\r\n"), text.constData());
        QVERIFY2(text.contains("WIRE_DIAMETER=1.2\r\n"), text.constData());

        // Cancel changes nothing.
        QVERIFY(RunAnalysisDialog(m, [](TFormAnalysisSet& d) {
            TypeInto(d.Edits[0], "5");
            d.BtnCancel->click();
        }));
        QCOMPARE(m.Analysis().arcThreshold, 250.0);
    }
};

VX_GUI_TEST(MetricsPanelTest);

}  // namespace vx::test

#include "metrics_panel_test.moc"
