// Folders and files dropped on the main window, and `varmonix FILE` at start.
#include <QComboBox>
#include <QDropEvent>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QUrl>

#include "app/ui/startup.h"
#include "app/ui/status_bar.h"
#include "chart_driver.h"
#include "common/ui/qt_text.h"

namespace vx::test {

namespace {

// Drags `path` over the window and drops it there, as the platform delivers
// it; true when the window took the drag.
bool Drop(TFormWeldMain& m, const QList<QUrl>& urls) {
    QMimeData mime;
    mime.setUrls(urls);
    const QPoint at(400, 300);
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&m, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&m, &drop);
    QCoreApplication::processEvents();  // the open runs once the drop is over
    return drop.isAccepted();
}
bool Drop(TFormWeldMain& m, const QString& path) { return Drop(m, {QUrl::fromLocalFile(path)}); }

// Three welds in `dir`: 000001.csv .. 000003.csv, weld n starting at 1000 n ms.
QString WriteWelds(const QString& dir) {
    for (int n = 1; n <= 3; ++n)
        WriteFile(dir, QString("%1.csv").arg(n, 6, 10, QChar('0')), ZoomWeld(1000.0 * n));
    return dir;
}
QString WeldFolder(MainFixture& f, const QString& name) { return WriteWelds(f.makeFolder(name)); }

// What a drop must leave alone.
struct Shown {
    std::string folder;
    int fileNo, count;
    double firstTime;
    QString status;
};
Shown Now(TFormWeldMain& m) {
    return {m.CsvFolder, m.CsvFileNo, m.CsvFileCount,
            m.CurrentWave().loaded ? m.CurrentWave().samples.t.front() : -1.0,
            m.StsBarWave->PanelText(0)};
}
void CompareShown(const Shown& a, const Shown& b) {
    QCOMPARE(a.folder, b.folder);
    QCOMPARE(a.fileNo, b.fileNo);
    QCOMPARE(a.count, b.count);
    QCOMPARE(a.firstTime, b.firstTime);
    QCOMPARE(a.status, b.status);
}

}  // namespace

class DropTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { ShownErrors().clear(); }

    void droppedFolderOpensAsTheOpenCommandDoes() {
        MainFixture f(ZoomSettings());
        TFormWeldMain& m = f.main();
        const QString dir = WeldFolder(f, "log");
        m.TimToolTipTimer();
        QVERIFY(Drop(m, dir));
        QCOMPARE(m.CsvFolder, ToNativePath(dir));
        QCOMPARE(m.StsBarWave->PanelText(0), dir);
        QCOMPARE(m.CsvFileCount, 3);
        QCOMPARE(m.CsvFileNo, 1);
        QCOMPARE(m.CmbBoxCsvFile->currentIndex(), 0);
        QCOMPARE(m.CurrentWave().samples.t.front(), 1000.0);
        QVERIFY(f.chooserInitials.empty());  // no folder dialog
        // The chart is suspended as by the open command and comes back 1 s after the drawing.
        QVERIFY(!m.ChtWave->isEnabled());
        QCOMPARE(m.TimToolTip->interval(), 1000);
        QVERIFY(m.TimToolTip->isActive());

        // The open folder dropped again is not read again.
        WriteFile(dir, "000004.csv", ZoomWeld(4000));
        m.BitBtnNext->click();
        QVERIFY(Drop(m, dir + "/"));
        QCOMPARE(m.CsvFileCount, 3);
        QCOMPARE(m.CsvFileNo, 2);
        QVERIFY(ShownErrors().empty());
    }

    void droppedWaveFileOpensItsFolderWithTheFileSelected() {
        MainFixture f(ZoomSettings());
        TFormWeldMain& m = f.main();
        const QString dir = WeldFolder(f, "log");
        QVERIFY(Drop(m, dir + "/000002.csv"));
        QCOMPARE(m.CsvFolder, ToNativePath(dir));
        QCOMPARE(m.CsvFileCount, 3);
        QCOMPARE(m.CsvFileNo, 2);
        QCOMPARE(m.CmbBoxCsvFile->currentText(), QString("000002.csv"));
        QCOMPARE(m.CurrentWave().samples.t.front(), 2000.0);
        QVERIFY(m.BitBtnPrev->isEnabled() && m.BitBtnNext->isEnabled());

        // Another file of the open folder: selected, like a step; a zoom stays.
        m.TimToolTipTimer();
        Wheel(m, 300, 2);
        const TimeSpan zoomed = Visible(m);
        QVERIFY(Drop(m, dir + "/000003.csv"));
        QCOMPARE(m.CsvFileNo, 3);
        QCOMPARE(m.CurrentWave().samples.t.front(), 3000.0);
        QCOMPARE(Visible(m), zoomed);

        // A file added since the open: the folder is read again to list it.
        WriteFile(dir, "000004.csv", ZoomWeld(4000));
        QVERIFY(Drop(m, dir + "/000004.csv"));
        QCOMPARE(m.CsvFileCount, 4);
        QCOMPARE(m.CsvFileNo, 4);
        QCOMPARE(m.CurrentWave().samples.t.front(), 4000.0);

        // A wave file of another folder opens that folder at it, at home.
        const QString other = WeldFolder(f, "other");
        m.TimToolTipTimer();
        Wheel(m, 300, 2);
        QVERIFY(Drop(m, {QUrl("https://example.invalid/x.csv"),
                         QUrl::fromLocalFile(other + "/000003.csv")}));
        QCOMPARE(m.CsvFolder, ToNativePath(other));
        QCOMPARE(m.CsvFileNo, 3);
        QVERIFY(!m.View().Zoomed());
        QVERIFY(ShownErrors().empty());
    }

    void droppedNonWaveFileOrEmptyFolderChangesNothing() {
        MainFixture f(ZoomSettings());
        TFormWeldMain& m = f.main();
        const QString dir = WeldFolder(f, "log");
        f.openFolder(dir);
        m.BitBtnNext->click();
        const Shown before = Now(m);

        const QString other = WeldFolder(f, "other");  // wave files beside the wrong one
        const QString notes = WriteFile(other, "notes.csv", "Date,Welder,Part,Seam\r\n1,2,3,4\r\n");
        const QString text = WriteFile(other, "readme.txt", "hello\r\n");
        const QString empty = f.makeFolder("empty");
        const QString noWaves = f.makeFolder("no-waves");
        WriteFile(noWaves, "notes.csv", "Date,Welder,Part,Seam\r\n");
        const struct {
            QString path;
            QString message;
        } cases[] = {
            {notes, "The simpledata log file could not open."},
            {text, "The simpledata log file could not open."},
            {empty, "The simpledata log file could not open."},
            {noWaves, "The simpledata log file does not exist in the folder."},
        };
        for (const auto& c : cases) {
            QString message, caption;
            AcceptNextMessage(&message, &caption);
            QVERIFY(Drop(m, c.path));
            QTRY_COMPARE(message, c.message);
            QCOMPARE(caption, QString("Welding wave form indication. "));
            CompareShown(Now(m), before);
        }
        // Only local files and folders are taken at all.
        QVERIFY(!Drop(m, {QUrl("https://example.invalid/log/")}));
        CompareShown(Now(m), before);
    }

    void noDropWhileBusy() {
        MainFixture f(ZoomSettings());
        TFormWeldMain& m = f.main();
        const QString dir = WeldFolder(f, "log");
        m.EnableMainControls(false);  // as while the overlay loads
        Drop(m, dir);
        QCOMPARE(m.CsvFileCount, 0);
        m.EnableMainControls(true);
        QVERIFY(Drop(m, dir));
        QCOMPARE(m.CsvFileCount, 3);
    }

    void waveFileOnTheCommandLineOpensItsFolderAtIt() {
        // No other window may be open: closing the viewer's must end its loop.
        QTemporaryDir tmp;
        const QString dir = WriteWelds(tmp.path());
        StartupOptions o;
        o.fadeMs = 0;
        o.splashMs = 10;
        o.main.settingsPath = tmp.filePath("Varmonix.ini").toStdString();
        o.openPath = ToNativePath(dir + "/000003.csv");
        int fileNo = 0;
        std::string folder;
        o.onRunning = [&](TFormWeldMain& m) {
            fileNo = m.CsvFileNo;
            folder = m.CsvFolder;
            m.BtnExit->click();
        };
        QCOMPARE(RunVarmonix(o), 0);
        QCOMPARE(fileNo, 3);
        QCOMPARE(folder, ToNativePath(dir));

        o.openPath = ToNativePath(dir);  // a folder as before: its first file
        QCOMPARE(RunVarmonix(o), 0);
        QCOMPARE(fileNo, 1);
    }
};

VX_GUI_TEST(DropTest);

}  // namespace vx::test

#include "drop_test.moc"
