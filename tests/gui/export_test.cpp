// What leaves the main window: the picture on the clipboard and in a file,
// the samples of the visible range or the cursor range as CSV, the export
// menu of the scale columns, and saves that fail.
#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QMenu>
#include <QPushButton>

#include "app/ui/chart_picture.h"
#include "chart_driver.h"
#include "common/ui/qt_text.h"
#include "display/ui/wave_chart.h"
#include "display_driver.h"

namespace vx::test {

namespace {

// Answers the window's save dialog with `path`, noting what it suggested.
void AnswerSave(TFormWeldMain& m, const QString& path, QString* suggested = nullptr) {
    m.savePathChooser = [path, suggested](QWidget*, const QString&, const QString&,
                                          const std::string& s) -> std::optional<std::string> {
        if (suggested) *suggested = FromNativePath(s);
        return ToNativePath(path);
    };
}

// The times of the data lines of an exported CSV.
std::vector<double> ExportedTimes(const QStringList& lines) {
    std::vector<double> t;
    for (qsizetype i = 1; i < lines.size(); ++i)
        t.push_back(lines[i].section(',', 0, 0).toDouble());
    return t;
}

}  // namespace

class ExportTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { ShownErrors().clear(); }

    void dataOfAZoomHoldsExactlyItsSamplesAndOfTheCursorsTheirs() {
        MainFixture f(ZoomSettings());
        OpenWelds(f, 1);  // 501 samples from 1000 ms, 10 ms apart
        TFormWeldMain& m = f.main();
        const QString out = f.tempPath("samples.csv");
        QString suggested;
        AnswerSave(m, out, &suggested);

        m.ShowTimeRange(1995, 2502);
        m.RunCommand(ViewerCommand::ExportData);
        QCOMPARE(suggested, f.tempPath("log/000001_samples.csv"));
        QStringList lines = FileLines(out);
        QVERIFY(!lines.isEmpty());
        QCOMPARE(lines[0],
                 QString("Time [ms],CurrentActual [A],VoltageActual [V],FeedingActual [m/min]"));
        const TimeSpan shown = Visible(m);
        std::vector<double> want;
        for (double t : m.CurrentWave().samples.t)
            if (t >= shown.lo && t <= shown.hi) want.push_back(t);
        QVERIFY(want.size() > 10 && want.size() < 501);
        QCOMPARE(ExportedTimes(lines), want);
        // Sample i: 1000 + 10 i ms, 100 + i / 10 A, 20 + i mod 7 V, 5 m/min.
        const int i = static_cast<int>((want.front() - 1000) / 10);
        QCOMPARE(lines[1],
                 QString("%1,%2,%3,5").arg(want.front()).arg(100.0 + i / 10.0).arg(20 + i % 7));

        // Both cursors set: their range, whichever comes first.
        m.SetCursor(Cursor::A, 2300);
        m.SetCursor(Cursor::B, 2100);
        m.RunCommand(ViewerCommand::ExportData);
        lines = FileLines(out);
        QCOMPARE(lines.size(), 1 + 21);
        QCOMPARE(ExportedTimes(lines).front(), 2100.0);
        QCOMPARE(ExportedTimes(lines).back(), 2300.0);
        QVERIFY(ShownErrors().empty());
    }

    void copyAndSaveThePicture() {
        MainFixture f(ZoomSettings());
        OpenWelds(f, 2);
        TFormWeldMain& m = f.main();
        QGuiApplication::clipboard()->clear();
        QVERIFY(Activate(m));
        Key(m, Qt::Key_C, Qt::ControlModifier);
        const QImage copied = QGuiApplication::clipboard()->image();
        QCOMPARE(copied.size(), ChartPictureSize(m));
        QCOMPARE(copied.convertToFormat(QImage::Format_RGB32),
                 ChartImage(m).convertToFormat(QImage::Format_RGB32));
        // A file button, hidden for the picture, keeps the focus it had.
        QVERIFY(m.BitBtnNext->isEnabled());
        m.BitBtnNext->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(m.BitBtnNext));
        m.RunCommand(ViewerCommand::CopyPicture);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(m.BitBtnNext));

        const QString out = f.tempPath("weld.png");
        QString suggested;
        AnswerSave(m, out, &suggested);
        Key(m, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(suggested, f.tempPath("log/000001.png"));
        QCOMPARE(QImage(out).size(), ChartPictureSize(m));
    }

    void theMenuOfTheScaleColumnsOffersTheExports() {
        MainFixture f(ZoomSettings());
        TFormWeldMain& m = f.main();
        QMenu* menu = m.ExportMenu();
        QCOMPARE(menu->actions().size(), 3);
        QCOMPARE(menu->actions()[0]->text(), QString("Copy picture"));
        QCOMPARE(menu->actions()[1]->text(), QString("Save picture..."));
        QCOMPARE(menu->actions()[2]->text(), QString("Export data..."));
        QVERIFY(!menu->actions()[2]->isEnabled());  // nothing drawn yet
        QCOMPARE(m.PnlBaseLelfAxisHor->contextMenuPolicy(), Qt::CustomContextMenu);
        QCOMPARE(m.PnlBaseRightAxisHor->contextMenuPolicy(), Qt::CustomContextMenu);

        OpenWelds(f, 1);
        const QString out = f.tempPath("menu.csv");
        AnswerSave(m, out);
        menu = m.ExportMenu();
        QVERIFY(menu->actions()[2]->isEnabled());
        menu->actions()[2]->trigger();
        QCOMPARE(FileLines(out).size(), 1 + 501);  // the settings' 0..10 s hold them all
    }

    void aSaveThatCannotBeWrittenSaysWhereAndLeavesNothing() {
        MainFixture f(ZoomSettings());
        OpenWelds(f, 1);
        TFormWeldMain& m = f.main();
        WriteFile(f.tempPath(""), "x", "a file where a folder should be");
        const struct {
            ViewerCommand command;
            const char* name;
            const char* said;
        } cases[] = {
            {ViewerCommand::ExportData, "x/samples.csv", "The CSV file could not be written."},
            {ViewerCommand::SavePicture, "x/weld.png", "The picture could not be saved."},
            {ViewerCommand::SavePicture, "weld.gif", "The picture could not be saved."},
        };
        for (const auto& c : cases) {
            const QString out = f.tempPath(c.name);
            AnswerSave(m, out);
            QString message;
            AcceptNextMessage(&message);
            m.RunCommand(c.command);
            QVERIFY2(message.startsWith(QString(c.said) + "\n"), qPrintable(message));
            QVERIFY2(message.contains(out), qPrintable(message));
            QVERIFY(!QFile::exists(out));
        }
        QVERIFY(ShownErrors().empty());
    }
};

VX_GUI_TEST(ExportTest);

}  // namespace vx::test

#include "export_test.moc"
