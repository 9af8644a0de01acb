// The history overlay chosen in the display-settings dialog, and the trace
// toggles that show and hide it.
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>

#include "display/ui/wave_chart.h"
#include "display_driver.h"
#include "gui_test.h"

namespace vx::test {

namespace {

// Wire feed 2..12 under current 0..600: column 3 is drawn with the factor 60
// and the offset 2, so weld n's wire feed 2 + n lands at 60 n.
const QString kSettings = "[SCALE]\r\nCURRENT=0,600\r\nWIRESPEED=2,12\r\n";

QString MakeWeldFolder(MainFixture& f, const QString& name, int count) {
    const QString folder = f.makeFolder(name);
    for (int n = 1; n <= count; ++n)
        WriteFile(folder, QString("%1.csv").arg(n, 6, 10, QChar('0')), WeldFile(n));
    return folder;
}

void OpenWelds(MainFixture& f, int count) {
    f.openFolder(MakeWeldFolder(f, "log", count));
    QCOMPARE(f.main().CsvFileCount, count);
    f.main().TimToolTipTimer();
}

// Ticks the overlay in the dialog, chooses the welds and confirms. `from` and
// `to` fill the range edits; a list is given as `to` with `from` null.
bool ChooseOverlay(TFormWeldMain& m, const char* from, const char* to) {
    bool closed = false;
    RunDisplayDialog(m, [&](TFormWeldWaveSet& d) {
        d.PgCtrlDisp->setCurrentWidget(d.TabMulti);
        if (!d.ChkBoxMulti->isChecked()) d.ChkBoxMulti->click();
        if (from) {
            d.RadBtnRange->click();
            TypeInto(d.EdtRangeSta, from);
            TypeInto(d.EdtRangeEnd, to);
        } else {
            d.RadBtnSep->click();
            TypeInto(d.EdtSep, to);
        }
        d.BtnDisp->click();
        closed = !d.isVisible();
    });
    return closed;
}

bool SwitchOverlayOff(TFormWeldMain& m) {
    bool closed = false;
    RunDisplayDialog(m, [&](TFormWeldWaveSet& d) {
        d.PgCtrlDisp->setCurrentWidget(d.TabMulti);
        if (d.ChkBoxMulti->isChecked()) d.ChkBoxMulti->click();
        d.BtnDisp->click();
        closed = !d.isVisible();
    });
    return closed;
}

// Overlay series of `column` (1..3), slot 1..10.
ChartSeries* Overlay(TFormWeldMain& m, int column, int slot) {
    return m.SeriesAt(3 + 10 * (column - 1) + slot - 1);
}

// Point counts of a column's ten overlay series.
QList<int> Counts(TFormWeldMain& m, int column) {
    QList<int> r;
    for (int slot = 1; slot <= 10; ++slot) r << int(Overlay(m, column, slot)->Count());
    return r;
}

QList<int> ExpectedCounts(const QList<int>& welds) {
    QList<int> r;
    for (int n : welds) r << (n ? WeldSamples(n) : 0);
    while (r.size() < 10) r << 0;
    return r;
}

QList<bool> Shown(TFormWeldMain& m, int column) {
    QList<bool> r;
    for (int slot = 1; slot <= 10; ++slot) r << Overlay(m, column, slot)->Active();
    return r;
}

QList<bool> All(bool b) { return QList<bool>(10, b); }

}  // namespace

class OverlayTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { ShownErrors().clear(); }

    void chosenWeldsAreDrawn_data() {
        QTest::addColumn<QString>("from");  // empty: a list in `to`
        QTest::addColumn<QString>("to");
        QTest::addColumn<QList<int>>("welds");  // the weld of each slot in use
        QTest::newRow("range 2..4") << "2"
                                    << "4" << QList<int>{2, 3, 4};
        QTest::newRow("range 5..3") << "5"
                                    << "3" << QList<int>{3, 4, 5};
        QTest::newRow("list 1,3-5") << ""
                                    << "1,3-5" << QList<int>{1, 3, 4, 5};
        QTest::newRow("list 6, 2") << ""
                                   << "6, 2" << QList<int>{6, 2};
    }

    void chosenWeldsAreDrawn() {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QList<int>, welds);
        MainFixture f(kSettings);
        OpenWelds(f, 6);
        TFormWeldMain& m = f.main();
        QVERIFY(ChooseOverlay(m, from.isEmpty() ? nullptr : qPrintable(from), qPrintable(to)));
        QVERIFY(ShownErrors().empty());
        for (int column = 1; column <= 3; ++column) {
            QCOMPARE(Counts(m, column), ExpectedCounts(welds));
            QCOMPARE(Shown(m, column), All(true));
        }
        for (int slot = 1; slot <= welds.size(); ++slot) {
            const int n = welds[slot - 1];
            QCOMPARE(m.MultiNo[slot - 1], n);
            QCOMPARE(Overlay(m, 1, slot)->YValue(1), 100.0 * n + 1);
            QCOMPARE(Overlay(m, 2, slot)->YValue(1), n + 0.5);
            QCOMPARE(Overlay(m, 3, slot)->YValue(1), 60.0 * n);  // rescaled onto the current scale
            QCOMPARE(Overlay(m, 3, slot)->XValue(1), 10.0);
            for (int column = 1; column <= 3; ++column) QVERIFY(Overlay(m, column, slot)->Dotted());
        }
        QCOMPARE(m.MultiNo[welds.size()], 0);
        // The current weld is drawn as before, and the commands are back.
        QCOMPARE(m.SeriesAt(0)->Count(), size_t(WeldSamples(1)));
        QCOMPARE(m.SeriesAt(2)->YValue(0), 60.0);
        QVERIFY(m.BtnOpen->isEnabled() && m.BtnDisp->isEnabled() && m.CmbBoxCsvFile->isEnabled());
        QVERIFY(m.BitBtnNext->isEnabled() && !m.BitBtnPrev->isEnabled());
        QVERIFY(m.TimToolTip->isActive());
    }

    void hiddenTraceKeepsItsOverlayHidden() {
        MainFixture f(kSettings);
        OpenWelds(f, 6);
        TFormWeldMain& m = f.main();
        m.SpdBtnExp02->click();
        QVERIFY(ChooseOverlay(m, nullptr, "2,3"));
        QCOMPARE(Counts(m, 2), ExpectedCounts({2, 3}));  // filled, yet hidden
        QCOMPARE(Shown(m, 2), All(false));
        QVERIFY(!m.SeriesAt(1)->Active());
        QCOMPARE(Shown(m, 1), All(true));
        QCOMPARE(Shown(m, 3), All(true));

        m.SpdBtnExp02->click();
        QVERIFY(m.SeriesAt(1)->Active());
        QCOMPARE(Shown(m, 2), All(true));
        m.SpdBtnExp02->click();
        QVERIFY(!m.SeriesAt(1)->Active());
        QCOMPARE(Shown(m, 2), All(false));
        QCOMPARE(Shown(m, 1), All(true));
    }

    void togglesLeaveAnOverlayThatIsOffHidden() {
        MainFixture f(kSettings);
        OpenWelds(f, 6);
        TFormWeldMain& m = f.main();
        for (QToolButton* b : {m.SpdBtnExp01, m.SpdBtnExp02, m.SpdBtnExp03}) {
            b->click();
            b->click();
        }
        QVERIFY(m.SeriesAt(0)->Active() && m.SeriesAt(1)->Active() && m.SeriesAt(2)->Active());
        for (int column = 1; column <= 3; ++column) QCOMPARE(Shown(m, column), All(false));

        // The same after an overlay was shown and switched off again.
        QVERIFY(ChooseOverlay(m, "1", "3"));
        QVERIFY(SwitchOverlayOff(m));
        m.SpdBtnExp01->click();
        QCOMPARE(Shown(m, 1), All(false));
        m.SpdBtnExp01->click();
        QVERIFY(m.SeriesAt(0)->Active());
        QCOMPARE(Shown(m, 1), All(false));
    }

    void okWithTheOverlayOffHidesAllThirty() {
        MainFixture f(kSettings);
        OpenWelds(f, 6);
        TFormWeldMain& m = f.main();
        QVERIFY(ChooseOverlay(m, "1", "3"));
        QCOMPARE(Shown(m, 3), All(true));
        QVERIFY(SwitchOverlayOff(m));
        for (int column = 1; column <= 3; ++column) {
            QCOMPARE(Shown(m, column), All(false));
            QCOMPARE(Counts(m, column), ExpectedCounts({1, 2, 3}));  // hidden, not emptied
        }
        QVERIFY(FileLines(f.iniPath()).contains("WIRESPEED=2,12"));
        // Switched on again, the series are rebuilt from scratch.
        QVERIFY(ChooseOverlay(m, nullptr, "5"));
        for (int column = 1; column <= 3; ++column)
            QCOMPARE(Counts(m, column), ExpectedCounts({5}));
    }

    void anotherFolderSwitchesTheOverlayOff() {
        MainFixture f(kSettings);
        OpenWelds(f, 6);
        TFormWeldMain& m = f.main();
        QVERIFY(ChooseOverlay(m, nullptr, "2-3"));
        QVERIFY(FormWeldWaveSet->ChkBoxMulti->isChecked());

        f.openFolder(MakeWeldFolder(f, "other", 2));
        QCOMPARE(m.CsvFileCount, 2);
        for (int column = 1; column <= 3; ++column) {
            QCOMPARE(Shown(m, column), All(false));
            QCOMPARE(Counts(m, column), ExpectedCounts({2, 3}));
        }
        QVERIFY(!FormWeldWaveSet->ChkBoxMulti->isChecked());
        QVERIFY(FormWeldWaveSet->ChkBoxMulti->isEnabled());
        QVERIFY(!m.WaveSetting.Multi.Enabled);
        QCOMPARE(m.WaveSetting.Multi.SelMode, 0);
        QCOMPARE(m.WaveSetting.Multi.SepText, std::string());
        QCOMPARE(m.MultiNo[0], 2);  // the numbers stay until the next OK

        bool ticked = true, rangeEnabled = true, listEmpty = false;
        RunDisplayDialog(m, [&](TFormWeldWaveSet& d) {
            ticked = d.ChkBoxMulti->isChecked();
            rangeEnabled = d.RadBtnRange->isEnabled() || d.EdtSep->isEnabled();
            listEmpty = d.EdtSep->text().isEmpty() && d.RadBtnRange->isChecked();
            d.BtnCancel->click();
        });
        QVERIFY(!ticked);
        QVERIFY(!rangeEnabled);
        QVERIFY(listEmpty);
    }

    void missingAndUpperCaseFiles() {
        MainFixture f(kSettings);
        const QString folder = f.makeFolder("log");
        WriteFile(folder, "000001.csv", WeldFile(1));
        WriteFile(folder, "000002.csv", WeldFile(2));
        WriteFile(folder, "000003.CSV", WeldFile(3));
        WriteFile(folder, "weld-x.csv", WeldFile(4));  // listed, but not weld 4's name
        WriteFile(folder, "000005.csv", WeldFile(5));
        f.openFolder(folder);
        TFormWeldMain& m = f.main();
        QCOMPARE(m.CsvFileCount, 5);
        m.TimToolTipTimer();
        QVERIFY(ChooseOverlay(m, nullptr, "3,4,5"));
        QCOMPARE(Counts(m, 1), ExpectedCounts({3, 0, 5}));
        QCOMPARE(Counts(m, 3), ExpectedCounts({3, 0, 5}));
        QCOMPARE(Overlay(m, 1, 1)->YValue(0), 300.0);
        QVERIFY(ShownErrors().empty());
    }

    void loaderEndsAtZeroAndPassesOverUnlistedNumbers() {
        MainFixture f(kSettings);
        OpenWelds(f, 6);
        TFormWeldMain& m = f.main();
        m.MultiNo = {9, 3, 0, 5};
        m.LoadMultiWaves();
        QCOMPARE(Counts(m, 2), ExpectedCounts({0, 3}));
    }
};

VX_GUI_TEST(OverlayTest);

}  // namespace vx::test

#include "overlay_test.moc"
