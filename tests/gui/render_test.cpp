// The chart as a picture: the traces where the axes put their values, SVG and
// PDF files, and `varmonix --render` run as a process without a display.
#include <qcustomplot.h>

#include <QFile>
#include <QImage>
#include <QXmlStreamReader>
#include <algorithm>
#include <map>

#include "app/ui/chart_picture.h"
#include "chart_driver.h"
#include "common/atomic_file.h"
#include "common/ui/qt_text.h"
#include "display/ui/wave_chart.h"
#include "display_driver.h"
#include "program_driver.h"

namespace vx::test {

namespace {

// 5 s at 200 A, 25 V and 8 m/min, 10 ms apart.
QByteArray ConstantWeld() {
    std::vector<std::array<double, 4>> rows;
    for (int i = 0; i <= 500; ++i) rows.push_back({10.0 * i, 200.0, 25.0, 8.0});
    return Row0File(rows);
}

struct TracePixel {
    QColor color;
    QPoint at;  // in the picture at its natural size
};

// Where each trace crosses time t in the picture, through the chart's axes.
std::vector<TracePixel> TracePixels(TFormWeldMain& m, double t) {
    QCustomPlot* plot = m.ChtWave->Plot();
    const QPoint offset = plot->mapTo(m.PnlBase, QPoint(0, 0)) - ChartPictureArea(m).topLeft();
    const double values[3] = {m.CurrentWave().samples.y1.at(0), m.CurrentWave().samples.y2.at(0),
                              m.CurrentWave().map3.Map(m.CurrentWave().samples.y3.at(0))};
    std::vector<TracePixel> out;
    for (int i = 0; i < 3; ++i) {
        QCPAxis* y = m.SeriesAt(i)->OnRightAxis() ? plot->yAxis2 : plot->yAxis;
        out.push_back(
            {m.SeriesAt(i)->Color(), offset + QPoint(qRound(plot->xAxis->coordToPixel(t)),
                                                     qRound(y->coordToPixel(values[i])))});
    }
    return out;
}

// The trace colour over the background, as an antialiased line leaves it:
// every channel the same share of the way from the background to the colour.
bool Blended(QColor pixel, QColor color, QColor background) {
    const int px[3] = {pixel.red(), pixel.green(), pixel.blue()};
    const int c[3] = {color.red(), color.green(), color.blue()};
    const int bg[3] = {background.red(), background.green(), background.blue()};
    double lo = 2, hi = -1;
    for (int k = 0; k < 3; ++k) {
        if (std::abs(c[k] - bg[k]) < 40) continue;
        const double share = double(px[k] - bg[k]) / (c[k] - bg[k]);
        lo = std::min(lo, share);
        hi = std::max(hi, share);
    }
    return lo >= 0.3 && hi <= 1.05 && hi - lo <= 0.05;
}

// The colour within a pixel of `at` (the line's width and antialiasing).
bool ColorNear(const QImage& image, QPoint at, QColor color, QColor background) {
    for (int dy = -1; dy <= 1; ++dy) {
        const QPoint p = at + QPoint(0, dy);
        if (image.rect().contains(p) && Blended(image.pixelColor(p), color, background))
            return true;
    }
    return false;
}

// The colour most of the plot area has.
QColor Background(const QImage& image, QRect area) {
    std::map<QRgb, int> count;
    for (int y = area.top(); y <= area.bottom(); y += 3)
        for (int x = area.left(); x <= area.right(); x += 3) ++count[image.pixel(x, y)];
    return QColor(std::max_element(count.begin(), count.end(), [](auto& a, auto& b) {
                      return a.second < b.second;
                  })->first);
}

// A weld of `ConstantWeld` drawn in a window with the time scale 0..10 s.
struct ConstantFixture {
    MainFixture f{ZoomSettings()};
    QString dir = f.makeFolder("log");
    QString file = WriteFile(dir, "000001.csv", ConstantWeld());
    ConstantFixture() {
        f.main().OpenPath(ToNativePath(file));
        f.main().ChtWave->ReplotNow();
    }
};

void ExpectTraces(TFormWeldMain& m, const QImage& image) {
    QCOMPARE(image.size(), ChartPictureSize(m));
    const QPoint plotAt =
        m.ChtWave->Plot()->mapTo(m.PnlBase, QPoint(0, 0)) - ChartPictureArea(m).topLeft();
    const QColor background = Background(
        image, m.ChtWave->Plot()->axisRect()->rect().translated(plotAt).adjusted(2, 2, -2, -2));
    const std::vector<TracePixel> inside = TracePixels(m, 2500);
    for (size_t i = 0; i < inside.size(); ++i) {
        QVERIFY(m.ChtWave->PlotRect().height() > 0);
        for (size_t k = 0; k < i; ++k)  // apart, so no trace hides another
            QVERIFY(std::abs(inside[i].at.y() - inside[k].at.y()) > 4);
        QVERIFY2(ColorNear(image, inside[i].at, inside[i].color, background),
                 qPrintable(QString("trace %1 not at %2,%3")
                                .arg(i + 1)
                                .arg(inside[i].at.x())
                                .arg(inside[i].at.y())));
    }
    // After the weld's last sample the rows are empty.
    for (const TracePixel& p : TracePixels(m, 7500))
        QVERIFY(!ColorNear(image, p.at, p.color, background));
}

}  // namespace

class RenderTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { ShownErrors().clear(); }

    void picturePutsTheTracesWhereTheAxesPutTheirValues() {
        ConstantFixture c;
        TFormWeldMain& m = c.f.main();
        QVERIFY(m.CurrentWave().loaded);
        ExpectTraces(m, ChartImage(m));
        // The controls hidden for the picture are back.
        QVERIFY(m.CmbBoxCsvFile->isVisible());
        QVERIFY(m.ChtWave->Plot()->isVisible());
    }

    void svgIsXmlWithPathsAndPdfOnePage() {
        ConstantFixture c;
        TFormWeldMain& m = c.f.main();
        const QString svg = c.f.tempPath("w.svg"), pdf = c.f.tempPath("w.PDF");
        SaveChartPicture(m, ToNativePath(svg));
        SaveChartPicture(m, ToNativePath(pdf));

        QXmlStreamReader xml(ReadAll(svg));
        // Each trace as a vector line in its colour, not the plot as a bitmap.
        std::map<QString, int> lines;  // by stroke colour
        std::vector<QString> strokes{QString()};
        while (!xml.atEnd()) {
            const QXmlStreamReader::TokenType token = xml.readNext();
            if (token == QXmlStreamReader::StartElement) {
                const QString stroke = xml.attributes().value("stroke").toString();
                strokes.push_back(stroke.isEmpty() ? strokes.back() : stroke);
                if (xml.name() == u"path" || xml.name() == u"polyline") ++lines[strokes.back()];
            } else if (token == QXmlStreamReader::EndElement) {
                strokes.pop_back();
            }
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        for (int i = 0; i < 3; ++i) QVERIFY(lines[m.SeriesAt(i)->Color().name()] > 0);

        const QByteArray bytes = ReadAll(pdf);
        QVERIFY(bytes.startsWith("%PDF"));
        QCOMPARE(PdfPages(bytes), 1);
    }

    void aFailedSaveLeavesNoFile() {
        ConstantFixture c;
        TFormWeldMain& m = c.f.main();
        WriteFile(c.f.tempPath(""), "x", "a file where a folder should be");
        const struct {
            QString path;
        } cases[] = {{c.f.tempPath("x/w.png")}, {c.f.tempPath("w.jpg")}};
        for (const auto& k : cases) {
            bool thrown = false;
            try {
                SaveChartPicture(m, ToNativePath(k.path));
            } catch (const FileWriteError& e) {
                thrown = true;
                QCOMPARE(QString::fromStdString(e.Path()), k.path);
            }
            QVERIFY(thrown);
            QVERIFY(!QFile::exists(k.path));
        }
    }

    void renderDrawsTheFileAsTheWindowDoes() {
        ConstantFixture c;
        TFormWeldMain& m = c.f.main();
        const QString png = c.f.tempPath("r.png");
        QByteArray err;
        QCOMPARE(RunProgram({"--render", png, "--settings", c.f.iniPath(), c.file}, &err), 0);
        QVERIFY2(!err.contains("varmonix:"), err.constData());
        ExpectTraces(m, QImage(png));
        QCOMPARE(QImage(png), ChartImage(m));

        const QString small = c.f.tempPath("s.png");
        QCOMPARE(RunProgram(
                     {"--size", "640x400", "--render", small, "--settings", c.f.iniPath(), c.file}),
                 0);
        QCOMPARE(QImage(small).size(), QSize(640, 400));
    }

    void renderExitStatus() {
        ConstantFixture c;
        const QString ini = c.f.iniPath();
        const QString notWave = WriteFile(c.dir, "notes.csv", "no wave here\r\n");
        WriteFile(c.f.tempPath(""), "x", "a file where a folder should be");
        const struct {
            QStringList args;
            int status;
            QString out;  // not there afterwards unless the status is 0
            const char* err;
        } cases[] = {
            {{"--render", c.f.tempPath("a.svg"), "--settings", ini, c.file},
             0,
             c.f.tempPath("a.svg"),
             ""},
            {{"--render", c.f.tempPath("b.pdf"), "--time", "1000,2000", c.file},
             0,
             c.f.tempPath("b.pdf"),
             ""},
            {{"--render", c.f.tempPath("c.png"), c.f.tempPath("missing.csv")},
             1,
             c.f.tempPath("c.png"),
             "not a readable wave file"},
            {{"--render", c.f.tempPath("d.png"), notWave},
             1,
             c.f.tempPath("d.png"),
             "not a readable wave file"},
            {{"--render", c.f.tempPath("x/e.png"), c.file},
             1,
             c.f.tempPath("x/e.png"),
             "cannot write"},
            {{"--render", c.f.tempPath("f.gif"), c.file},
             2,
             c.f.tempPath("f.gif"),
             "writes .png, .svg or .pdf"},
            {{"--render", c.f.tempPath("g.png")}, 2, c.f.tempPath("g.png"), "needs a FILE"},
            {{"--render", c.f.tempPath("h.png"), "--size", "big", c.file},
             2,
             c.f.tempPath("h.png"),
             "--size is WxH"},
        };
        for (const auto& k : cases) {
            QByteArray err;
            QCOMPARE(RunProgram(k.args, &err), k.status);
            QVERIFY2(err.contains(k.err), err.constData());
            QCOMPARE(QFile::exists(k.out), k.status == 0);
        }
        QVERIFY(ReadAll(c.f.tempPath("b.pdf")).startsWith("%PDF"));
    }
};

VX_GUI_TEST(RenderTest);

}  // namespace vx::test

#include "render_test.moc"
