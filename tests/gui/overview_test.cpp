// The folder overview: its table of the open folder, sorting, failing cells,
// the weld a double click shows, Cancel, the trend, the limits dialog and
// the CSV export.
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QToolButton>
#include <atomic>
#include <sstream>
#include <thread>

#include "analysis/metrics_run.h"
#include "analysis/ui/analysis_set.h"
#include "analysis/ui/folder_overview.h"
#include "analysis/ui/limits_set.h"
#include "analysis/ui/metrics_panel.h"
#include "analysis/ui/overview_model.h"
#include "analysis/ui/trend_chart.h"
#include "common/ui/qt_text.h"
#include "display_driver.h"
#include "gui_test.h"
#include "settings/settings_file.h"

namespace vx::test {

namespace {

// `samples` samples 10 ms apart at `amps`, 20 V and 5 m/min; the sample
// count tells which file the main window drew.
QByteArray Steady(double amps, int samples) {
    std::vector<std::array<double, 4>> rows;
    for (int i = 0; i < samples; ++i) rows.push_back({10.0 * i, amps, 20, 5});
    return Row0File(rows);
}

// Welds 1..5 at 300, 100, 500, 200 and 400 A; weld n has 10 + n samples.
const double kAmps[5] = {300, 100, 500, 200, 400};

QString FiveWelds(const MainFixture& f, const QString& name = "log") {
    const QString dir = f.makeFolder(name);
    for (int n = 1; n <= 5; ++n)
        WriteFile(dir, QString("%1.csv").arg(n, 6, 10, QChar('0')), Steady(kAmps[n - 1], 10 + n));
    return dir;
}

TFormFolderOverview* OpenOverview(TFormWeldMain& m) {
    m.PnlMetrics->OverviewButton()->click();
    return m.Overview();
}

bool Filled(TFormFolderOverview* o) { return !o->Filling() && !o->WorkerRunning(); }

QString Cell(TFormFolderOverview* o, int row, int column, int role = Qt::DisplayRole) {
    return o->Proxy()->index(row, column).data(role).toString();
}

std::vector<int> ShownNumbers(TFormFolderOverview* o) {
    std::vector<int> v;
    for (int r = 0; r < o->Proxy()->rowCount(); ++r)
        v.push_back(o->Proxy()->index(r, kColNumber).data().toInt());
    return v;
}

void ClickHeader(TFormFolderOverview* o, int column) {
    QHeaderView* h = o->TblOverview->horizontalHeader();
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {},
                      QPoint(h->sectionViewportPosition(column) + 10, h->height() / 2));
}

QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// What `varmonix --metrics --format csv FOLDER` writes with these settings.
QByteArray MetricsCsv(const QString& ini, const QString& folder) {
    MetricsOptions o;
    o.settingsPath = ToNativePath(ini);
    o.csv = true;
    o.paths = {ToNativePath(folder)};
    std::ostringstream out, err;
    RunMetrics(o, out, err);
    return QByteArray::fromStdString(out.str());
}

}  // namespace

class FolderOverviewTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { ShownErrors().clear(); }

    void listsEveryWeldOfTheFolderInOrder() {
        MainFixture f;
        TFormWeldMain& m = f.main();
        f.openFolder(FiveWelds(f));
        TFormFolderOverview* o = OpenOverview(m);
        QVERIFY(o && o->isVisible());
        QSignalSpy finished(o, &TFormFolderOverview::FillFinished);
        QTRY_COMPARE(finished.count(), 1);
        QTRY_VERIFY(Filled(o));
        QCOMPARE(o->Proxy()->rowCount(), 5);
        QCOMPARE(ShownNumbers(o), (std::vector<int>{1, 2, 3, 4, 5}));
        QCOMPARE(Cell(o, 0, kColFile), QString("000001.csv"));
        QCOMPARE(Cell(o, 4, kColFile), QString("000005.csv"));
        for (int r = 0; r < 5; ++r) {
            QCOMPARE(Cell(o, r, kColCurrent), QString::number(kAmps[r], 'f', 1));
            QCOMPARE(Cell(o, r, kColArcTime), QString::number(10 * (11 + r)));  // ms
            QCOMPARE(Cell(o, r, kColVoltage), QString("20.0"));
            QCOMPARE(Cell(o, r, kColBreaks), QString("0"));
            QCOMPARE(Cell(o, r, kColResult), QString());  // no limits
        }
        // 300 A x 20 V for 110 ms; 5 m/min for 110 ms.
        QCOMPARE(Cell(o, 0, kColPower), QString("6000"));
        QCOMPARE(Cell(o, 0, kColEnergy), QString("660"));
        QCOMPARE(Cell(o, 0, kColWire), QString("0.009"));
        QCOMPARE(o->Proxy()->headerData(kColCurrent, Qt::Horizontal).toString(),
                 QString("Current [A]"));
        QCOMPARE(o->LblStatus->text(), QString("5 welds, 0 failing, 0 unreadable"));
        QVERIFY(!o->PrgFill->isVisible());
        QVERIFY(o->windowTitle().startsWith("Folder overview - "));
        // The trend shows the chosen column of every weld.
        QCOMPARE(o->CmbBoxTrend->currentText(), QString("Current [A]"));
        QCOMPARE(o->ChtTrend->PointCount(), 5u);
        QVERIFY(ShownErrors().empty());
    }

    void ctrlTOpensItAndItFollowsTheOpenFolder() {
        MainFixture f;
        TFormWeldMain& m = f.main();
        f.openFolder(FiveWelds(f, "a"));
        m.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&m));
        QTest::keyClick(&m, Qt::Key_T, Qt::ControlModifier);
        TFormFolderOverview* o = m.Overview();
        QVERIFY(o && o->isVisible());
        QTRY_VERIFY(Filled(o));
        QCOMPARE(o->Proxy()->rowCount(), 5);

        const QString b = f.makeFolder("b");
        WriteFile(b, "x1.csv", Steady(250, 20));
        WriteFile(b, "x2.csv", Steady(260, 20));
        f.openFolder(b);
        QTRY_VERIFY(Filled(o));
        QCOMPARE(o->Proxy()->rowCount(), 2);
        QCOMPARE(Cell(o, 1, kColFile), QString("x2.csv"));
        QCOMPARE(Cell(o, 1, kColCurrent), QString("260.0"));
        QVERIFY(o->windowTitle().endsWith("/b"));
    }

    void newAnalysisSettingsMeasureTheFolderAgain() {
        MainFixture f;
        TFormWeldMain& m = f.main();
        f.openFolder(FiveWelds(f));
        TFormFolderOverview* o = OpenOverview(m);
        QTRY_VERIFY(Filled(o));
        QCOMPARE(Cell(o, 1, kColArcTime), QString("120"));
        QVERIFY(
            RunDialog<TFormAnalysisSet>(m.PnlMetrics->SettingsButton(), [](TFormAnalysisSet& d) {
                TypeInto(d.Edits[0], "250");  // arc threshold
                d.BtnOk->click();
            }));
        QTRY_VERIFY(Filled(o));
        QCOMPARE(o->Proxy()->rowCount(), 5);
        QCOMPARE(Cell(o, 1, kColArcTime), QString("0"));  // 100 A: no arc any more
        QCOMPARE(Cell(o, 1, kColCurrent), QString("-"));
        QCOMPARE(Cell(o, 0, kColCurrent), QString("300.0"));
        QCOMPARE(o->Job().params.arcThreshold, 250.0);
    }

    void sortsByAColumn() {
        MainFixture f;
        TFormWeldMain& m = f.main();
        f.openFolder(FiveWelds(f));
        TFormFolderOverview* o = OpenOverview(m);
        QTRY_VERIFY(Filled(o));
        ClickHeader(o, kColCurrent);
        const std::vector<int> asc = ShownNumbers(o);
        ClickHeader(o, kColCurrent);
        const std::vector<int> desc = ShownNumbers(o);
        // 100, 200, 300, 400, 500 A, whichever way the first click sorts.
        const std::vector<int> up = {2, 4, 1, 5, 3}, down = {3, 5, 1, 4, 2};
        QVERIFY(asc == up || asc == down);
        QCOMPARE(desc, asc == up ? down : up);
        ClickHeader(o, kColNumber);
        const std::vector<int> byNumber = ShownNumbers(o);
        QVERIFY(byNumber == (std::vector<int>{1, 2, 3, 4, 5}) ||
                byNumber == (std::vector<int>{5, 4, 3, 2, 1}));
    }

    void marksFailingCellsWithTheLimitAsToolTip() {
        MainFixture f("[LIMITS]\r\nCURRENT_MEAN=150,350\r\nBREAKS=,0\r\n");
        TFormWeldMain& m = f.main();
        f.openFolder(FiveWelds(f));
        TFormFolderOverview* o = OpenOverview(m);
        QTRY_VERIFY(Filled(o));
        const QModelIndex failing = o->Proxy()->index(1, kColCurrent);  // 100 A
        const QModelIndex passing = o->Proxy()->index(0, kColCurrent);  // 300 A
        QVERIFY(failing.data(Qt::BackgroundRole).value<QBrush>().style() != Qt::NoBrush);
        QVERIFY(!passing.data(Qt::BackgroundRole).isValid());
        QVERIFY(!o->Proxy()->index(1, kColVoltage).data(Qt::BackgroundRole).isValid());
        QCOMPARE(failing.data(Qt::ToolTipRole).toString(), QString("Limit: 150 .. 350"));
        QCOMPARE(passing.data(Qt::ToolTipRole).toString(), QString());
        QCOMPARE(Cell(o, 0, kColResult), QString("pass"));
        QCOMPARE(Cell(o, 1, kColResult), QString("FAIL"));
        QCOMPARE(Cell(o, 2, kColResult), QString("FAIL"));  // 500 A
        QCOMPARE(Cell(o, 2, kColResult, Qt::ToolTipRole), QString("Mean current [A]: 150 .. 350"));
        QCOMPARE(o->LblStatus->text(), QString("5 welds, 3 failing, 0 unreadable"));
        // The trend draws the limit lines of the chosen column.
        QCOMPARE(o->ChtTrend->Limit(), (Bound{150.0, 350.0}));
        o->CmbBoxTrend->setCurrentIndex(kColBreaks - kColArcTime);
        QCOMPARE(o->ChtTrend->Limit(), (Bound{std::nullopt, 0.0}));
    }

    void doubleClickShowsTheWeldInTheMainWindow() {
        MainFixture f;
        TFormWeldMain& m = f.main();
        f.openFolder(FiveWelds(f));
        TFormFolderOverview* o = OpenOverview(m);
        QTRY_VERIFY(Filled(o));
        ClickHeader(o, kColCurrent);  // the row is found whatever the order
        int row = 0;
        while (row < 5 && o->Proxy()->index(row, kColNumber).data().toInt() != 4) ++row;
        QVERIFY(row < 5);
        const QRect r = o->TblOverview->visualRect(o->Proxy()->index(row, kColFile));
        // A double click arrives as a click, then the double click.
        QTest::mouseClick(o->TblOverview->viewport(), Qt::LeftButton, {}, r.center());
        QCOMPARE(m.CsvFileNo, 1);  // a single click only selects
        QTest::mouseDClick(o->TblOverview->viewport(), Qt::LeftButton, {}, r.center());
        QCOMPARE(m.CsvFileNo, 4);
        QCOMPARE(m.CmbBoxCsvFile->currentText(), QString("000004.csv"));
        QCOMPARE(m.CurrentWave().size(), 14u);
        QCOMPARE(m.PnlMetrics->Value(1)->text(), QString("200.0 A"));
    }

    void aFileThatVanishedIsListedAsUnreadable() {
        MainFixture f("[LIMITS]\r\nCURRENT_MEAN=,1000\r\n");
        TFormWeldMain& m = f.main();
        const QString dir = FiveWelds(f);
        f.openFolder(dir);
        QVERIFY(QFile::remove(dir + "/000002.csv"));
        QVERIFY(QFile::remove(dir + "/000003.csv"));
        TFormFolderOverview* o = OpenOverview(m);
        QTRY_VERIFY(Filled(o));
        QCOMPARE(o->Proxy()->rowCount(), 5);
        QCOMPARE(Cell(o, 1, kColResult), QString("unreadable"));
        QCOMPARE(Cell(o, 1, kColCurrent), QString("-"));
        // No marks on a row without figures; its result says why.
        QVERIFY(!o->Proxy()->index(1, kColCurrent).data(Qt::BackgroundRole).isValid());
        QCOMPARE(Cell(o, 3, kColResult), QString("pass"));
        QCOMPARE(o->LblStatus->text(), QString("5 welds, 0 failing, 2 unreadable"));
        QVERIFY(QApplication::activeModalWidget() == nullptr);  // no message per file
        QVERIFY(ShownErrors().empty());
    }

    void cancelStopsTheFillAndTheMainWindowStaysUsable() {
        std::atomic<bool> released{false};
        MainFixture f;
        struct Release {
            std::atomic<bool>& r;
            ~Release() { r = true; }  // before the fixture waits for the worker
        } release{released};
        TFormWeldMain& m = f.main();
        TFormFolderOverview* o = OpenOverview(m);  // no folder yet
        QCOMPARE(o->LblStatus->text(), QString("No folder is open."));
        const WeldWaveSetting setting = m.WaveSetting;
        // Weld 3 takes until the test lets it go.
        o->measureOverride = [&released, setting](const std::string& path, LineList& lines) {
            if (path.size() >= 10 && path.compare(path.size() - 10, 10, "000003.csv") == 0)
                while (!released) std::this_thread::sleep_for(std::chrono::milliseconds(2));
            return MeasureFile(path, setting, {}, AnalysisParams{}, lines);
        };
        QSignalSpy finished(o, &TFormFolderOverview::FillFinished);
        f.openFolder(FiveWelds(f));
        // The welds before it arrive while it is measured.
        QTRY_COMPARE(o->Proxy()->rowCount(), 2);
        QVERIFY(o->Filling());
        QVERIFY(o->PrgFill->isVisible());
        QCOMPARE(o->PrgFill->value(), 2);
        QCOMPARE(o->PrgFill->maximum(), 5);
        QCOMPARE(o->LblStatus->text(), QString("Measuring: 2 of 5 welds"));

        // The main window goes on working meanwhile.
        m.BitBtnNext->click();
        QCOMPARE(m.CsvFileNo, 2);
        QCOMPARE(m.CurrentWave().size(), 12u);

        o->BtnCancelFill->click();
        QVERIFY(!o->Filling());
        QVERIFY(!o->PrgFill->isVisible());
        QVERIFY(!o->BtnCancelFill->isVisible());
        QCOMPARE(o->LblStatus->text(), QString("Cancelled: 2 of 5 welds measured"));
        released = true;
        QTRY_VERIFY(!o->WorkerRunning());
        QTest::qWait(50);  // anything still queued would arrive now
        QCOMPARE(o->Proxy()->rowCount(), 2);
        QCOMPARE(o->LblStatus->text(), QString("Cancelled: 2 of 5 welds measured"));
        QCOMPARE(finished.count(), 0);
    }

    void closingStopsTheFillAndReopeningStartsOver() {
        std::atomic<bool> released{false};
        MainFixture f;
        struct Release {
            std::atomic<bool>& r;
            ~Release() { r = true; }
        } release{released};
        TFormWeldMain& m = f.main();
        TFormFolderOverview* o = OpenOverview(m);
        const WeldWaveSetting setting = m.WaveSetting;
        o->measureOverride = [&released, setting](const std::string& path, LineList& lines) {
            if (!released && path.size() >= 10 &&
                path.compare(path.size() - 10, 10, "000003.csv") == 0)
                while (!released) std::this_thread::sleep_for(std::chrono::milliseconds(2));
            return MeasureFile(path, setting, {}, AnalysisParams{}, lines);
        };
        f.openFolder(FiveWelds(f));
        QTRY_COMPARE(o->Proxy()->rowCount(), 2);
        o->close();
        QVERIFY(!o->Filling());
        released = true;
        QTRY_VERIFY(!o->WorkerRunning());
        OpenOverview(m);
        QTRY_VERIFY(Filled(o));
        QCOMPARE(o->Proxy()->rowCount(), 5);
        QCOMPARE(o->LblStatus->text(), QString("5 welds, 0 failing, 0 unreadable"));
    }

    void trendPointClickSelectsTheRow() {
        MainFixture f;
        TFormWeldMain& m = f.main();
        f.openFolder(FiveWelds(f));
        TFormFolderOverview* o = OpenOverview(m);
        QTRY_VERIFY(Filled(o));
        QVERIFY(QTest::qWaitForWindowExposed(o));
        o->ChtTrend->ReplotNow();
        const std::optional<QPoint> at = o->ChtTrend->PointPixel(3);
        QVERIFY(at);
        QWidget* s = o->ChtTrend->Surface();
        QTest::mouseClick(s, Qt::LeftButton, {}, s->mapFrom(o->ChtTrend, *at) + QPoint(2, -2));
        const QModelIndexList sel = o->TblOverview->selectionModel()->selectedRows();
        QCOMPARE(sel.size(), 1);
        QCOMPARE(sel[0].data(OverviewModel::kNumberRole).toInt(), 3);
        // Far from every point nothing changes.
        QTest::mouseClick(s, Qt::LeftButton, {}, QPoint(3, 3));
        QCOMPARE(o->TblOverview->selectionModel()->selectedRows().size(), 1);
    }

    void limitsDialogProposesFromTheSelectionAndWritesTheSection() {
        MainFixture f("[SCALE]\r\nCURRENT=0,600\r\n");
        TFormWeldMain& m = f.main();
        f.openFolder(FiveWelds(f));
        TFormFolderOverview* o = OpenOverview(m);
        QTRY_VERIFY(Filled(o));
        // Welds 1, 4 and 5: 300, 200 and 400 A; mean 300, deviation 100.
        auto* sel = o->TblOverview->selectionModel();
        for (int row : {0, 3, 4})
            sel->select(o->Proxy()->index(row, 0),
                        QItemSelectionModel::Select | QItemSelectionModel::Rows);

        QString message;
        bool stayedOpen = false;
        QVERIFY(RunDialog<TFormLimitsSet>(o->BtnLimits, [&](TFormLimitsSet& d) {
            QCOMPARE(d.windowTitle(), QString("Quality limits"));
            QVERIFY(d.BtnFromSelection->isEnabled());
            QCOMPARE(d.Edits[1][0]->text(), QString());
            d.BtnFromSelection->click();
            QCOMPARE(d.Edits[1][0]->text(), QString("0"));  // 300 - 3 x 100
            QCOMPARE(d.Edits[1][1]->text(), QString("600"));
            QCOMPARE(d.Edits[2][0]->text(), QString("20"));  // all at 20 V
            QCOMPARE(d.Edits[2][1]->text(), QString("20"));
            TypeInto(d.Edits[1][0], "250");
            TypeInto(d.Edits[1][1], "abc");
            AcceptNextMessage(&message);
            d.BtnOk->click();
            stayedOpen = d.isVisible();
            TypeInto(d.Edits[1][1], "450");
            for (int k = 0; k < kLimitCount; ++k)
                if (k != 1)
                    for (QLineEdit* e : d.Edits[k]) e->clear();
            d.BtnOk->click();
        }));
        QVERIFY(stayedOpen);
        QCOMPARE(message,
                 QString("Mean current [A]\nEnter a number, or leave it empty for no limit."));
        QCOMPARE(o->Model()->CurrentLimits().bound[1], (Bound{250.0, 450.0}));
        QCOMPARE(Cell(o, 0, kColResult), QString("pass"));  // 300 A
        QCOMPARE(Cell(o, 3, kColResult), QString("FAIL"));  // 200 A
        QCOMPARE(o->LblStatus->text(), QString("5 welds, 3 failing, 0 unreadable"));
        const QByteArray ini = ReadAll(f.iniPath());
        QVERIFY2(ini.startsWith("[SCALE]\r\nCURRENT=0,600\r\n"), ini.constData());
        QVERIFY2(ini.contains("[LIMITS]\r\nARC_TIME_MS=\r\nCURRENT_MEAN=250,450\r\n"),
                 ini.constData());
        QCOMPARE(LoadLimits(ToNativePath(f.iniPath())), o->Model()->CurrentLimits());
    }

    void exportedCsvEqualsMetricsCsvOfTheFolder() {
        MainFixture f(
            "[ANALYSIS]\r\nARC_THRESHOLD=150\r\n[LIMITS]\r\nCURRENT_MEAN=,450\r\nGAPS=,0\r\n");
        TFormWeldMain& m = f.main();
        const QString dir = FiveWelds(f);
        WriteFile(dir, "000006.csv", "Time[msec],a,b,c\r\n0,x,y,z\r\n");  // no arc
        WriteFile(dir, "000007 \"odd\", name.csv", Steady(350, 3));
        f.openFolder(dir);
        TFormFolderOverview* o = OpenOverview(m);
        QTRY_VERIFY(Filled(o));
        QCOMPARE(o->Proxy()->rowCount(), 7);
        const QString out = f.tempPath("overview.csv");
        std::string suggested;
        o->saveChooser = [&](QWidget*, const QString&, const QString&,
                             const std::string& s) -> std::optional<std::string> {
            suggested = s;
            return ToNativePath(out);
        };
        o->BtnExport->click();
        const QByteArray want = MetricsCsv(f.iniPath(), dir);
        QVERIFY(want.count('\n') == 8);
        QCOMPARE(ReadAll(out), want);
        QCOMPARE(QString::fromStdString(suggested), f.tempPath("log_overview.csv"));

        // As shown: sorted, the same rows in the table's order.
        ClickHeader(o, kColCurrent);
        o->BtnExport->click();
        const QList<QByteArray> lines = ReadAll(out).split('\n');
        const QList<QByteArray> wantLines = want.split('\n');
        QCOMPARE(lines.size(), wantLines.size());
        QCOMPARE(lines[0], wantLines[0]);
        for (int r = 0; r < 7; ++r) QCOMPARE(lines[1 + r], wantLines[ShownNumbers(o)[r]]);
    }

    void exportThatCannotBeWrittenSaysSoAndLeavesNothing() {
        MainFixture f;
        TFormWeldMain& m = f.main();
        f.openFolder(FiveWelds(f));
        TFormFolderOverview* o = OpenOverview(m);
        QTRY_VERIFY(Filled(o));
        const QString out = f.tempPath("no-such-folder/overview.csv");
        o->saveChooser = [&](QWidget*, const QString&, const QString&,
                             const std::string&) -> std::optional<std::string> {
            return ToNativePath(out);
        };
        QString message;
        AcceptNextMessage(&message);
        o->BtnExport->click();
        QVERIFY2(message.startsWith("The CSV file could not be written.\n"), qPrintable(message));
        QVERIFY(message.contains("no-such-folder"));
        QVERIFY(!QFile::exists(out));
        QVERIFY(ShownErrors().empty());
    }
};

VX_GUI_TEST(FolderOverviewTest);

}  // namespace vx::test

#include "overview_test.moc"
