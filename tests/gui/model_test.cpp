// The window's loaded-wave model against --dump: both must read every sample
// file alike, and the chart must draw exactly what the model holds.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <nlohmann/json.hpp>
#include <numeric>
#include <sstream>

#include "app/dump.h"
#include "common/encoding.h"
#include "common/ui/qt_text.h"
#include "display/ui/wave_chart.h"
#include "gui_test.h"

namespace vx::test {

namespace {

using nlohmann::json;

json DumpOf(const std::string& path, const std::string& settings) {
    std::ostringstream out, err;
    RunDump({"--dump", "--settings", settings, path}, out, err, settings);
    return json::parse(out.str());
}

// The dump's samples (file order) in the model's order: by time, equal times
// in file order.
std::vector<std::array<double, 4>> InTimeOrder(const json& samples) {
    std::vector<std::array<double, 4>> rows;
    for (const json& s : samples)
        rows.push_back(
            {s[0].get<double>(), s[1].get<double>(), s[2].get<double>(), s[3].get<double>()});
    std::stable_sort(rows.begin(), rows.end(),
                     [](const auto& a, const auto& b) { return a[0] < b[0]; });
    return rows;
}

void CompareWithDump(TFormWeldMain& m, const std::string& path, const std::string& settings) {
    const json d = DumpOf(path, settings);
    const LoadedWave& w = m.CurrentWave();
    QVERIFY(w.loaded);
    QCOMPARE(d["layout"].get<int>(), int(w.layout));
    QCOMPARE(d["sample_code"].get<int>(), int(w.sampleCode));
    for (int k = 0; k < 3; ++k) {
        QCOMPARE(QString::fromStdString(d["titles"][k].get<std::string>()),
                 m.TitleLabel(k)->text());
        QCOMPARE(QString::fromStdString(d["units"][k].get<std::string>()), m.UnitLabel(k)->text());
        for (int s = 0; s < 11; ++s)
            QCOMPARE(QString::fromStdString(d["axes"]["labels"][k][s].get<std::string>()),
                     m.ScaleLabel(k, s)->text());
    }
    const json& time = d["axes"]["time"];
    QCOMPARE(time[0].get<double>(), m.ChtWave->BottomAxis().Minimum());
    QCOMPARE(time[1].get<double>(), m.ChtWave->BottomAxis().Maximum());

    const auto rows = InTimeOrder(d["samples"]);
    QCOMPARE(rows.size(), w.size());
    for (int k = 0; k < 3; ++k) QCOMPARE(m.SeriesAt(k)->Count(), w.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        QCOMPARE(w.samples.t[i], rows[i][0]);
        QCOMPARE(w.samples.y1[i], rows[i][1]);
        QCOMPARE(w.samples.y2[i], rows[i][2]);
        QCOMPARE(w.samples.y3[i], rows[i][3]);
        // The chart draws the model, trace 3 on trace 1's scale.
        QCOMPARE(m.SeriesAt(0)->XValue(i), w.samples.t[i]);
        QCOMPARE(m.SeriesAt(0)->YValue(i), w.samples.y1[i]);
        QCOMPARE(m.SeriesAt(1)->YValue(i), w.samples.y2[i]);
        QCOMPARE(m.SeriesAt(2)->YValue(i), w.map3.Map(rows[i][3]));
    }
}

void CopyCsvFiles(const QString& from, const QString& to) {
    for (const QString& name : QDir(from).entryList({"*.csv"}, QDir::Files))
        QVERIFY(QFile::copy(from + "/" + name, to + "/" + name));
}

}  // namespace

class ModelTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { ShownErrors().clear(); }

    void windowAndDumpReadEverySampleFileAlike_data() {
        QTest::addColumn<QString>("ini");
        QTest::newRow("defaults") << QString();
        QTest::newRow("scales") << QString(
            "[SCALE]\r\nCURRENT=0,400\r\nVOLTAGE=50,10\r\nWIRESPEED=2,12\r\nTIME=100,5000\r\n");
    }

    void windowAndDumpReadEverySampleFileAlike() {
        QFETCH(QString, ini);
        MainFixture f(ini);
        TFormWeldMain& m = f.main();
        const QString dir = f.makeFolder("log");
        const QString root = QString(VX_TEST_DATA) + "/../..";
        CopyCsvFiles(root + "/examples/datalog", dir);
        CopyCsvFiles(QString(VX_TEST_DATA), dir);
        f.openFolder(dir);
        QVERIFY(m.CsvFileCount >= 14);
        const std::string settings = ToNativePath(f.iniPath());
        for (int n = 1; n <= m.CsvFileCount; ++n) {
            if (n > 1) m.BitBtnNext->click();
            QCOMPARE(m.CsvFileNo, n);
            const std::string path = ToNativePath(dir + "/" + m.CmbBoxCsvFile->itemText(n - 1));
            CompareWithDump(m, path, settings);
            if (QTest::currentTestFailed()) {
                qWarning("differs for %s", path.c_str());
                return;
            }
        }
        QVERIFY(ShownErrors().empty());
    }

    // Long files fill the chart and work out their figures on two threads; the
    // second file has as many points, so its points are written over the first's.
    void longFilesDrawAndMeasureAsShortOnesDo() {
        MainFixture f;
        TFormWeldMain& m = f.main();
        const QString dir = f.makeFolder("log");
        for (int n = 1; n <= 2; ++n) {
            std::vector<std::array<double, 4>> rows;
            for (int i = 0; i < 150000; ++i)
                rows.push_back({10.0 * i, 100.0 * n + i % 97, 20 + i % 7 * 0.5, 2.0 + n + i % 3});
            WriteFile(dir, QStringLiteral("00000%1.csv").arg(n),
                      WaveFile("Time[msec]",
                               {"CurrentSet[A]", "CurrentActual[A]", "VoltageActual[V]"}, rows));
        }
        f.openFolder(dir);
        const std::string settings = ToNativePath(f.iniPath());
        for (int n = 1; n <= 2; ++n) {
            if (n > 1) m.BitBtnNext->click();
            QCOMPARE(m.CurrentWave().size(), size_t(150000));
            CompareWithDump(m, ToNativePath(dir + QStringLiteral("/00000%1.csv").arg(n)), settings);
            const WeldMetrics expected =
                ComputeMetrics(m.CurrentWave().samples, m.CurrentWave().layout, m.Analysis());
            QVERIFY(m.CurrentMetrics().has_value());
            QCOMPARE(m.CurrentMetrics()->count, expected.count);
            QCOMPARE(m.CurrentMetrics()->energyJ, expected.energyJ);
            QCOMPARE(m.CurrentMetrics()->quantity[0]->mean, expected.quantity[0]->mean);
        }
    }

    void aFileThatCannotBeReadKeepsTheModel() {
        MainFixture f;
        TFormWeldMain& m = f.main();
        const QString dir = f.makeFolder("log");
        WriteFile(
            dir, "000001.csv",
            WaveFile("Time[msec]", {"CurrentActual[A]", "VoltageActual[V]", "FeedingActual[m/min]"},
                     {{0, 100, 20, 4}, {10, 110, 21, 5}}));
        WriteFile(
            dir, "000002.csv",
            WaveFile("Time[msec]", {"CurrentActual[A]", "VoltageActual[V]", "FeedingActual[m/min]"},
                     {{0, 1, 2, 3}}));
        f.openFolder(dir);
        QCOMPARE(m.CurrentWave().size(), size_t(2));
        QVERIFY(QFile::remove(dir + "/000002.csv"));
        m.BitBtnNext->click();
        QCOMPARE(m.CsvFileNo, 2);
        QCOMPARE(m.CurrentWave().size(), size_t(2));
        QCOMPARE(m.CurrentWave().samples.y1[1], 110.0);
        QCOMPARE(m.SeriesAt(0)->Count(), size_t(2));
    }
};

VX_GUI_TEST(ModelTest);

}  // namespace vx::test

#include "model_test.moc"
