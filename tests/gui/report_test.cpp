// `varmonix --report` run as a process without a display: the PDF's pages,
// its progress, and its exit status.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "display_driver.h"
#include "gui_test.h"
#include "program_driver.h"

namespace vx::test {

namespace {

struct ReportFolder {
    QTemporaryDir tmp;
    QString dir = tmp.filePath("log");
    QString ini = tmp.filePath("Varmonix.ini");
    explicit ReportFolder(int welds) {
        QDir().mkpath(dir);
        for (int n = 1; n <= welds; ++n)
            WriteFile(dir, QStringLiteral("%1.csv").arg(n, 6, 10, QChar('0')), WeldFile(n));
        WriteFile(tmp.path(), "Varmonix.ini",
                  "[SCALE]\r\nTIME=0,200\r\n[ANALYSIS]\r\nARC_THRESHOLD=50\r\n"
                  "[LIMITS]\r\nCURRENT_MEAN=150,350\r\n");
    }
    QString path(const QString& name) const { return tmp.filePath(name); }
};

}  // namespace

class ReportTest : public QObject {
    Q_OBJECT
  private slots:
    void anOverviewPageThenOnePagePerWeld() {
        ReportFolder f(3);
        const QString extra = WriteFile(f.path(""), "extra.csv", WeldFile(2));
        const QString out = f.path("report.pdf");
        QByteArray err;
        QCOMPARE(RunProgram({"--report", out, "--settings", f.ini, f.dir, extra}, &err), 0);
        QVERIFY2(!err.contains("varmonix:"), err.constData());  // quiet for a few welds
        const QByteArray pdf = ReadAll(out);
        QVERIFY(pdf.startsWith("%PDF"));
        QCOMPARE(PdfPages(pdf), 1 + 4);
        // A4 landscape.
        QVERIFY(pdf.contains("/MediaBox [0 0 841.") || pdf.contains("/MediaBox [0 0 842"));
        QVERIFY(QDir(f.path("")).entryList({".*", "*"}, QDir::Files | QDir::Hidden).size() == 3);
    }

    void manyWeldsTakeMoreOverviewPagesAndSayTheirProgress() {
        ReportFolder f(45);
        const QString out = f.path("many.pdf");
        QByteArray err;
        QCOMPARE(RunProgram({"--settings", f.ini, "--report", out, f.dir}, &err), 0);
        // The table takes the first page and a second; then the welds.
        QCOMPARE(PdfPages(ReadAll(out)), 2 + 45);
        QVERIFY2(err.contains("varmonix: report: 45 welds measured\n"), err.constData());
        QVERIFY2(err.endsWith("varmonix: report: 45 of 45 weld pages\n"), err.constData());
        QCOMPARE(err.count(" weld pages\n"), 10);
    }

    void aStoppedReportLeavesNothing() {
        ReportFolder f(300);
        const QString out = f.path("stopped.pdf");
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("DISPLAY");
        p.setProcessEnvironment(env);
        p.setReadChannel(QProcess::StandardError);
        p.start(Varmonix(), {"--report", out, "--settings", f.ini, f.dir});
        QByteArray err;
        while (!err.contains("welds measured") && p.waitForReadyRead(60000))
            err += p.readAllStandardError();
        p.terminate();  // as a kill or Ctrl+C does
        QVERIFY(p.waitForFinished(60000));
        err += p.readAllStandardError();
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 1);
        QVERIFY2(err.contains("varmonix: report stopped, nothing written"), err.constData());
        QCOMPARE(QDir(f.path("")).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"Varmonix.ini"});
    }

    void exitStatus() {
        ReportFolder f(2);
        const QString notWave = WriteFile(f.path(""), "notes.csv", "no wave here\r\n");
        const QString empty = f.path("empty");
        QDir().mkpath(empty);
        WriteFile(f.path(""), "x", "a file where a folder should be");
        const struct {
            QStringList args;
            int status;
            QString out;  // exists afterwards for a report made
            bool made;
            const char* err;
            int pages;
        } cases[] = {
            // A file that cannot be read gets its page, and the status says so.
            {{"--report", f.path("a.pdf"), f.dir, f.path("missing.csv")},
             1,
             f.path("a.pdf"),
             true,
             "missing.csv: No such file",
             1 + 3},
            {{"--report", f.path("b.pdf"), notWave}, 0, f.path("b.pdf"), true, "", 1 + 1},
            {{"--report", f.path("c.pdf"), empty}, 1, f.path("c.pdf"), false, "no wave files", 0},
            {{"--report", f.path("x/d.pdf"), f.dir},
             1,
             f.path("x/d.pdf"),
             false,
             "cannot write",
             0},
            {{"--report", f.path("e.png"), f.dir},
             2,
             f.path("e.png"),
             false,
             "--report writes a .pdf file",
             0},
            {{"--report", f.path("g.pdf")}, 2, f.path("g.pdf"), false, "needs a PATH", 0},
            {{"--report", f.path("h.pdf"), "--size", "640x480", f.dir},
             2,
             f.path("h.pdf"),
             false,
             "--size only goes with --render",
             0},
            {{"--report", f.path("i.pdf"), "--render", f.path("i.png"), f.dir},
             2,
             f.path("i.pdf"),
             false,
             "cannot be combined",
             0},
        };
        for (const auto& k : cases) {
            QByteArray err;
            QCOMPARE(RunProgram(k.args, &err), k.status);
            QVERIFY2(err.contains(k.err), err.constData());
            QCOMPARE(QFile::exists(k.out), k.made);
            if (k.made) QCOMPARE(PdfPages(ReadAll(k.out)), k.pages);
        }
        // Nothing half-written is left beside the reports.
        for (const QString& name : QDir(f.path("")).entryList(QDir::Files | QDir::Hidden))
            QVERIFY2(!name.contains(".tmp") && !name.startsWith('.'), qPrintable(name));
    }
};

VX_GUI_TEST(ReportTest);

}  // namespace vx::test

#include "report_test.moc"
