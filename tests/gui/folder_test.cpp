// Opening a data-log folder, the file list and stepping through it.
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>

#include "app/ui/status_bar.h"
#include "common/ui/qt_text.h"
#include "display/ui/wave_chart.h"
#include "gui_test.h"

namespace vx::test {

namespace {

const QStringList kRow1 = {"電流指令値[A]", "電圧指令値[V]", "送給指令値[m/min]"};
const QStringList kRow0En = {"CurrentActual[A]", "VoltageActual[V]", "FeedingActual[m/min]"};

// Three wave files with 1, 2 and 3 data lines, told apart by their point counts.
void WriteThree(const QString& dir) {
    WriteFile(dir, "b.csv", WaveFile("時間[msec]", kRow1, {{0, 100, 20, 4}, {10, 110, 21, 5}}));
    WriteFile(dir, "A.CSV", WaveFile("Time[msec]", kRow0En, {{0, 200, 25, 6}}));
    WriteFile(dir, "c.csv",
              WaveFile("時間[msec]", kRow1, {{0, 1, 2, 3}, {100, 1, 2, 3}, {200, 1, 2, 3}}));
}

}  // namespace

class FolderTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { ShownErrors().clear(); }

    void openListsDrawsFirstAndSteps() {
        MainFixture f;
        TFormWeldMain& m = f.main();
        const QString dir = f.makeFolder("log");
        WriteThree(dir);
        WriteFile(dir, "notes.csv", "just,some,text\r\n1,2,3\r\n");  // not a wave file
        f.openFolder(dir);
        QCOMPARE(f.lastCaption, QString("Browse Folders"));
        QCOMPARE(f.lastInstruction, QString("Please choose the folder of the simple data log."));
        QCOMPARE(m.CmbBoxCsvFile->count(), 3);
        QCOMPARE(m.CmbBoxCsvFile->itemText(0), QString("A.CSV"));
        QCOMPARE(m.CmbBoxCsvFile->itemText(1), QString("b.csv"));
        QCOMPARE(m.CmbBoxCsvFile->itemText(2), QString("c.csv"));
        QCOMPARE(m.CmbBoxCsvFile->currentIndex(), 0);
        QCOMPARE(m.CsvFileNo, 1);
        QCOMPARE(m.CsvFileCount, 3);
        QCOMPARE(m.StsBarWave->PanelText(0), dir);
        QCOMPARE(m.SeriesAt(0)->Count(), size_t(1));
        QCOMPARE(m.SeriesAt(0)->YValue(0), 200.0);
        QCOMPARE(m.TitleLabel(0)->text(), QString("CurrentActual"));
        QVERIFY(!m.BitBtnRewd->isEnabled() && !m.BitBtnPrev->isEnabled());
        QVERIFY(m.BitBtnNext->isEnabled() && m.BitBtnFfwd->isEnabled() &&
                m.CmbBoxCsvFile->isEnabled());
        QVERIFY(m.BtnOpen->isEnabled() && m.BtnDisp->isEnabled());
        QVERIFY(!m.ChtWave->isEnabled());
        QCOMPARE(m.TimToolTip->interval(), 1000);  // chart back a second after the first drawing

        m.BitBtnNext->click();
        QCOMPARE(m.CsvFileNo, 2);
        QCOMPARE(m.SeriesAt(0)->Count(), size_t(2));
        // Row 1 file: Japanese names shown as the English titles, units from the header.
        QCOMPARE(m.TitleLabel(0)->text(), QString("CurrentSet"));
        QCOMPARE(m.TitleLabel(2)->text(), QString("FeedingSet"));
        QCOMPARE(m.UnitLabel(2)->text(), QString("m/min"));
        // Wire feed 4.0 is drawn on the current scale: 4 * 600 / 100.
        QCOMPARE(m.SeriesAt(2)->YValue(0), 24.0);
        QVERIFY(m.BitBtnRewd->isEnabled() && m.BitBtnNext->isEnabled());

        m.BitBtnNext->click();
        QCOMPARE(m.CsvFileNo, 3);
        QCOMPARE(m.CmbBoxCsvFile->currentIndex(), 2);
        QCOMPARE(m.SeriesAt(0)->Count(), size_t(3));
        QCOMPARE(m.CurrentWave().sampleCode, uint8_t(1));  // 100 ms sampling
        QVERIFY(!m.BitBtnNext->isEnabled() && !m.BitBtnFfwd->isEnabled());
        m.BitBtnNext->click();  // nothing past the last
        QCOMPARE(m.CsvFileNo, 3);

        m.BitBtnRewd->click();
        QCOMPARE(m.CsvFileNo, 1);
        QCOMPARE(m.SeriesAt(0)->Count(), size_t(1));
        m.BitBtnFfwd->click();
        QCOMPARE(m.CsvFileNo, 3);
        m.BitBtnPrev->click();
        QCOMPARE(m.CsvFileNo, 2);

        // A pick in the list draws that file.
        m.CmbBoxCsvFile->setCurrentIndex(0);
        emit m.CmbBoxCsvFile->activated(0);
        QCOMPARE(m.CsvFileNo, 1);
        QCOMPARE(m.SeriesAt(0)->Count(), size_t(1));
        m.CmbBoxCsvFile->setCurrentIndex(1);
        emit m.CmbBoxCsvFile->activated(1);
        QCOMPARE(m.CsvFileNo, 2);
        QVERIFY(m.BitBtnRewd->isEnabled() && m.BitBtnPrev->isEnabled() &&
                m.BitBtnNext->isEnabled() && m.BitBtnFfwd->isEnabled());
        QVERIFY(ShownErrors().empty());
    }

    void sameFolderIsNotScannedAgain() {
        MainFixture f;
        TFormWeldMain& m = f.main();
        const QString dir = f.makeFolder("log");
        WriteThree(dir);
        f.openFolder(dir);
        QCOMPARE(m.CsvFileCount, 3);
        m.BitBtnNext->click();
        WriteFile(dir, "d.csv", WaveFile("Time[msec]", kRow0En, {{0, 1, 1, 1}}));
        f.openFolder(dir);
        QCOMPARE(f.chooserInitials.back(), ToNativePath(dir));  // opens on the current folder
        QCOMPARE(m.CsvFileCount, 3);
        QCOMPARE(m.CmbBoxCsvFile->count(), 3);
        QCOMPARE(m.CsvFileNo, 2);  // and nothing was redrawn
        // Cancelling the chooser changes nothing either.
        f.chooserAnswers.push_back(std::nullopt);
        m.BtnOpen->click();
        QCOMPARE(m.CsvFileNo, 2);
        QCOMPARE(m.TimToolTip->interval(), 100);
    }

    void foldersWithoutWaveFilesAreReported() {
        MainFixture f;
        TFormWeldMain& m = f.main();
        const QString good = f.makeFolder("good");
        WriteThree(good);
        f.openFolder(good);
        QCOMPARE(m.CsvFileCount, 3);

        const QString none = f.makeFolder("none");
        WriteFile(none, "readme.txt", "x");
        QDir(none).mkpath("sub.CSV");  // a folder named like a wave file does not count
        QString text, caption;
        AcceptNextMessage(&text, &caption);
        f.openFolder(none);
        QCOMPARE(text, QString("The simpledata log file could not open."));
        QCOMPARE(caption, QString("Welding wave form indication. "));

        const QString bad = f.makeFolder("bad");
        WriteFile(bad, "x.csv", "Zeit[msec],a,b,c\r\n");
        WriteFile(bad, "y.csv", "Time[msec],only,three\r\n");
        AcceptNextMessage(&text);
        f.openFolder(bad);
        QCOMPARE(text, QString("The simpledata log file does not exist in the folder."));

        AcceptNextMessage(&text);
        text.clear();
        f.openFolder(f.tempPath("missing"));
        QCOMPARE(text, QString("The simpledata log file could not open."));

        // The previous folder stays open and usable.
        QCOMPARE(m.StsBarWave->PanelText(0), good);
        QCOMPARE(m.CmbBoxCsvFile->count(), 3);
        m.BitBtnNext->click();
        QCOMPARE(m.CsvFileNo, 2);
        QCOMPARE(m.SeriesAt(0)->Count(), size_t(2));
    }

    void unreadableFileIsSelectedButNotDrawn() {
        MainFixture f;
        TFormWeldMain& m = f.main();
        const QString dir = f.makeFolder("log");
        WriteThree(dir);
        f.openFolder(dir);
        m.BitBtnNext->click();
        QCOMPARE(m.SeriesAt(0)->Count(), size_t(2));
        QVERIFY(QFile::remove(QDir(dir).filePath("c.csv")));
        m.BitBtnNext->click();
        QCOMPARE(m.CsvFileNo, 3);
        QCOMPARE(m.CmbBoxCsvFile->currentIndex(), 2);
        QCOMPARE(m.SeriesAt(0)->Count(), size_t(2));  // previous traces stay
        QVERIFY(m.BitBtnNext->isEnabled());           // buttons keep their state
        QVERIFY(ShownErrors().empty());
    }

    void nonAsciiFolderAndNamesShowCorrectly() {
        MainFixture f;
        TFormWeldMain& m = f.main();
        const QString dir = f.makeFolder("溶接ログ 2026");
        WriteFile(dir, "溶接001.csv", WaveFile("時間[msec]", kRow1, {{0, 100, 20, 4}}));
        f.openFolder(dir);
        QCOMPARE(m.StsBarWave->PanelText(0), dir);
        QCOMPARE(m.CmbBoxCsvFile->itemText(0), QString("溶接001.csv"));
        QCOMPARE(m.SeriesAt(0)->Count(), size_t(1));
    }

    void startFolderOpensWithoutTheDialog() {
        MainFixture f;
        TFormWeldMain& m = f.main();
        const QString dir = f.makeFolder("log");
        WriteThree(dir);
        m.OpenDataLogFolder(ToNativePath(dir));
        QCOMPARE(m.CsvFileCount, 3);
        QVERIFY(f.chooserInitials.empty());
    }
};

VX_GUI_TEST(FolderTest);

}  // namespace vx::test

#include "folder_test.moc"
