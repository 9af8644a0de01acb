// The display-settings dialog run from the main window: refusing bad scales,
// the recommended values, cancelling, confirming (settings file and redraw),
// and a settings file that cannot be written.
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QTabWidget>
#include <cstring>

#include "common/ui/message_box2.h"
#include "common/ui/qt_text.h"
#include "display/ui/wave_chart.h"
#include "display_driver.h"
#include "gui_test.h"

namespace vx::test {

namespace {

const QString kMessage957 = "Input bigger value than minimum value to the \nscale maximum value.";
const QString kDialogTitle = "Setting of wave form indication. ";

// The eight scale edits in row order: min, max of current, voltage, wire
// feed, time.
std::array<QLineEdit*, 8> ScaleEdits(TFormWeldWaveSet& d) {
    return {d.EdtMinWave1, d.EdtMaxWave1, d.EdtMinWave2, d.EdtMaxWave2,
            d.EdtMinWave3, d.EdtMaxWave3, d.EdtMinTime,  d.EdtMaxTime};
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void OpenOneWeld(MainFixture& f) {
    const QString folder = f.makeFolder("log");
    WriteFile(folder, "000001.csv", WeldFile(1));
    f.openFolder(folder);
    QCOMPARE(f.main().CsvFileCount, 1);
    f.main().TimToolTipTimer();
}

// The main window's own windows with a settings path of the test's choice.
class OwnWindows {
  public:
    explicit OwnWindows(const std::string& settingsPath) : windows_(Options(settingsPath)) {
        main().show();
        if (!QTest::qWaitForWindowExposed(&main())) qWarning("main window not exposed");
    }
    TFormWeldMain& main() { return windows_.Main(); }

  private:
    static WeldMainOptions Options(const std::string& settingsPath) {
        WeldMainOptions o;
        o.settingsPath = settingsPath;
        return o;
    }
    AppWindows windows_;
};

}  // namespace

class DisplaySettingsTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { ShownErrors().clear(); }

    void scaleNotAboveMinimumIsRefused_data() {
        QTest::addColumn<QStringList>("edits");  // the eight scale edits in row order
        QTest::addColumn<QString>("focus");
        QTest::newRow("current 0..0")
            << QStringList{"0", "0", "0", "100", "0", "100", "0", "10000"} << "EdtMaxWave1";
        // Only the first bad row is reported.
        QTest::newRow("voltage 100..50, time 500..100")
            << QStringList{"0", "600", "100", "50", "0", "100", "500", "100"} << "EdtMaxWave2";
        QTest::newRow("empty maximum")
            << QStringList{"0", "", "0", "100", "0", "100", "0", "10000"} << "EdtMaxWave1";
        QTest::newRow("time 500..100")
            << QStringList{"0", "600", "0", "100", "0", "100", "500", "100"} << "EdtMaxTime";
    }

    void scaleNotAboveMinimumIsRefused() {
        QFETCH(QStringList, edits);
        QFETCH(QString, focus);
        MainFixture f;
        TFormWeldMain& m = f.main();
        const WeldWaveSetting before = m.WaveSetting;
        QString text, caption, focused;
        bool stillOpen = false;
        QVERIFY(RunDisplayDialog(m, [&](TFormWeldWaveSet& d) {
            const auto e = ScaleEdits(d);
            for (int i = 0; i < 8; ++i) TypeInto(e[i], edits[i]);
            AcceptNextMessage(&text, &caption);
            d.BtnDisp->click();
            stillOpen = d.isVisible();
            if (QWidget* w = d.focusWidget()) focused = w->objectName();
        }));
        QCOMPARE(text, kMessage957);
        QCOMPARE(caption, kDialogTitle);
        QVERIFY(stillOpen);
        QCOMPARE(focused, focus);
        QVERIFY(!QFile::exists(f.iniPath()));
        for (int k = 0; k < 4; ++k) {
            QCOMPARE(m.WaveSetting.Scale.Graph[k].Min, before.Scale.Graph[k].Min);
            QCOMPARE(m.WaveSetting.Scale.Graph[k].Max, before.Scale.Graph[k].Max);
        }
        QVERIFY(ShownErrors().empty());
    }

    void emptyMinimumIsAConversionError() {
        MainFixture f;
        TFormWeldMain& m = f.main();
        bool stillOpen = false, boxShown = false;
        QVERIFY(RunDisplayDialog(m, [&](TFormWeldWaveSet& d) {
            TypeInto(d.EdtMinWave1, "");
            TypeInto(d.EdtMaxWave1, "100");
            d.BtnDisp->click();
            stillOpen = d.isVisible();
            boxShown = FormMessageBox2->isVisible();
        }));
        QVERIFY(stillOpen);
        QVERIFY(!boxShown);
        QCOMPARE(ShownErrors(), std::vector<QString>{"'' は整数ではありません"});
        QVERIFY(!QFile::exists(f.iniPath()));
        QCOMPARE(m.WaveSetting.Scale.Graph[0].Max, 600);
        QCOMPARE(m.ScaleLabel(0, 10)->text(), QString("600"));
    }

    void cancelChangesNothing_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("cancel button") << "button";
        QTest::newRow("close box") << "close";
        QTest::newRow("escape key") << "escape";
    }

    void cancelChangesNothing() {
        QFETCH(QString, how);
        MainFixture f("[SCALE]\r\nTIME=100,5000\r\n");
        OpenOneWeld(f);
        TFormWeldMain& m = f.main();
        const QByteArray iniBefore = ReadAll(f.iniPath());
        bool closed = false;
        QVERIFY(RunDisplayDialog(m, [&](TFormWeldWaveSet& d) {
            TypeInto(d.EdtMaxWave1, "300");
            d.BtnRecomTime->click();  // changes the edited copy at once
            d.PgCtrlDisp->setCurrentWidget(d.TabMulti);
            d.ChkBoxMulti->click();
            TypeInto(d.EdtRangeSta, "1");
            if (how == "button")
                d.BtnCancel->click();
            else if (how == "close")
                d.close();
            else
                QTest::keyClick(d.EdtRangeSta, Qt::Key_Escape);
            closed = !d.isVisible();
        }));
        QVERIFY(closed);
        QCOMPARE(ReadAll(f.iniPath()), iniBefore);
        QCOMPARE(m.WaveSetting.Scale.Graph[0].Max, 600);
        QCOMPARE(m.WaveSetting.Scale.Graph[3].Min, 100);
        QCOMPARE(m.WaveSetting.Scale.Graph[3].Max, 5000);
        QVERIFY(!m.WaveSetting.Multi.Enabled);
        QCOMPARE(m.ScaleLabel(0, 10)->text(), QString("600"));
        QCOMPARE(m.ChtWave->BottomAxis().Maximum(), 5000.0);
        for (int i = 3; i < 33; ++i) QVERIFY(!m.SeriesAt(i)->Active());
        // The chart was never suspended.
        QVERIFY(m.ChtWave->isEnabled());
        QVERIFY(!m.TimToolTip->isActive());
        QVERIFY(ShownErrors().empty());
    }

    void recommendedValuesOfTheTimeRow() {
        MainFixture f("[SCALE]\r\nTIME=100,5000\r\nTIME_R=0,20000\r\n");
        TFormWeldMain& m = f.main();
        QString minText, maxText;
        QVERIFY(RunDisplayDialog(m, [&](TFormWeldWaveSet& d) {
            QCOMPARE(d.EdtMinTime->text(), QString("100"));
            QCOMPARE(d.BtnRecomTime->text(), QString("initial values"));
            d.BtnRecomTime->click();
            minText = d.EdtMinTime->text();
            maxText = d.EdtMaxTime->text();
            d.BtnCancel->click();
        }));
        QCOMPARE(minText, QString("0"));
        QCOMPARE(maxText, QString("20000"));
        QCOMPARE(m.WaveSetting.Scale.Graph[3].Min, 100);
        QCOMPARE(m.WaveSetting.Scale.Graph[3].Max, 5000);

        QVERIFY(RunDisplayDialog(m, [&](TFormWeldWaveSet& d) {
            QCOMPARE(d.EdtMaxTime->text(), QString("5000"));  // the cancelled run left no trace
            d.BtnRecomTime->click();
            d.BtnDisp->click();
        }));
        QCOMPARE(m.WaveSetting.Scale.Graph[3].Min, 0);
        QCOMPARE(m.WaveSetting.Scale.Graph[3].Max, 20000);
        QCOMPARE(m.WaveSetting.Scale.GraphRecom[3].Max, 20000);
        QCOMPARE(m.ChtWave->BottomAxis().Maximum(), 20000.0);
        QVERIFY(FileLines(f.iniPath()).contains("TIME=0,20000"));
    }

    void okWritesTheScalesAndRedraws() {
        MainFixture f;
        OpenOneWeld(f);
        TFormWeldMain& m = f.main();
        bool closed = false;
        QVERIFY(RunDisplayDialog(m, [&](TFormWeldWaveSet& d) {
            TypeInto(d.EdtMaxWave1, "300");
            TypeInto(d.EdtMinWave2, "10");
            TypeInto(d.EdtMaxWave2, "50");
            TypeInto(d.EdtMaxTime, "9999999");  // seven digits fit
            d.BtnDisp->click();
            closed = !d.isVisible();
        }));
        QVERIFY(closed);
        QVERIFY(ShownErrors().empty());
        QCOMPARE(FileLines(f.iniPath()),
                 QStringList({"[SCALE]", "CURRENT=0,300", "VOLTAGE=10,50", "WIRESPEED=0,100",
                              "TIME=0,9999999", "CURRENT_R=0,600", "VOLTAGE_R=0,100",
                              "WIRESPEED_R=0,100", "TIME_R=0,10000"}));
        QCOMPARE(m.WaveSetting.Scale.Graph[0].Max, 300);
        QCOMPARE(m.ScaleLabel(0, 10)->text(), QString("300"));
        QCOMPARE(m.ScaleLabel(0, 5)->text(), QString("150"));
        QCOMPARE(m.ScaleLabel(1, 0)->text(), QString("10"));
        QCOMPARE(m.ScaleLabel(1, 10)->text(), QString("50"));
        QCOMPARE(m.ChtWave->BottomAxis().Maximum(), 9999999.0);
        // The current file was drawn again, and the chart comes back shortly.
        QCOMPARE(m.SeriesAt(0)->Count(), size_t(WeldSamples(1)));
        QVERIFY(!m.ChtWave->isEnabled());
        QVERIFY(m.TimToolTip->isActive());
        QCOMPARE(m.TimToolTip->interval(), 100);
        QTRY_VERIFY_WITH_TIMEOUT(m.ChtWave->isEnabled(), 2000);
    }

    void okKeepsForeignSections() {
        const QString ini =
            "; "
            "hand-written\r\n[USER]\r\nName=abc\r\n\r\n[SCALE]\r\ncurrent=0,500\r\n\r\n[FORMAT]\r\n"
            "FORMAT_CHECK=Time[msec]\r\n";
        MainFixture f(ini);
        TFormWeldMain& m = f.main();
        QVERIFY(RunDisplayDialog(m, [&](TFormWeldWaveSet& d) {
            QCOMPARE(d.EdtMaxWave1->text(), QString("500"));
            TypeInto(d.EdtMaxWave2, "80");
            d.BtnDisp->click();
        }));
        const QByteArray raw = ReadAll(f.iniPath());
        QCOMPARE(raw.count("\r\n"), raw.count('\n'));  // the file's own line breaks throughout
        const QStringList lines = FileLines(f.iniPath());
        QCOMPARE(lines.mid(0, 5),
                 QStringList({"; hand-written", "[USER]", "Name=abc", "", "[SCALE]"}));
        QCOMPARE(lines.mid(lines.size() - 2), QStringList({"[FORMAT]", "FORMAT_CHECK=Time[msec]"}));
        // The existing key changed in place, the others added to its section.
        const QStringList scale = lines.mid(5, lines.size() - 7);
        QCOMPARE(scale.first().toUpper(), QString("CURRENT=0,500"));
        for (const char* key :
             {"VOLTAGE=0,80", "WIRESPEED=0,100", "TIME=0,10000", "CURRENT_R=0,600",
              "VOLTAGE_R=0,100", "WIRESPEED_R=0,100", "TIME_R=0,10000"})
            QVERIFY2(scale.count(key) == 1, key);
        QCOMPARE(scale.filter("=").size(), 8);
    }

    void failedSaveStillApplies() {
        QTemporaryDir tmp;
        WriteFile(tmp.path(), "x", "a file where a folder should be");
        const QString path = tmp.filePath("x/Varmonix.ini");
        OwnWindows w(ToNativePath(path));
        TFormWeldMain& m = w.main();
        bool closed = false;
        QVERIFY(RunDisplayDialog(m, [&](TFormWeldWaveSet& d) {
            TypeInto(d.EdtMaxWave1, "300");
            d.BtnDisp->click();
            closed = !d.isVisible();
        }));
        QVERIFY(closed);
        QCOMPARE(ShownErrors(), std::vector<QString>{path + " に書き込めません\n" +
                                                     QString::fromUtf8(std::strerror(ENOTDIR))});
        QCOMPARE(m.WaveSetting.Scale.Graph[0].Max, 300);
        QCOMPARE(m.ScaleLabel(0, 10)->text(), QString("300"));
        QVERIFY(m.TimToolTip->isActive());
        QTRY_VERIFY_WITH_TIMEOUT(m.ChtWave->isEnabled(), 2000);
        QCOMPARE(ReadAll(tmp.filePath("x")), QByteArray("a file where a folder should be"));
    }
};

VX_GUI_TEST(DisplaySettingsTest);

}  // namespace vx::test

#include "display_settings_test.moc"
