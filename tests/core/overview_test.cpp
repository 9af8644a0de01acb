// The folder overview's logic: measuring a folder in batches, the rows and
// their cells, the sort order, the trend, the CSV, and the limits dialog's
// texts and proposals.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "analysis/analysis_settings.h"
#include "analysis/limit_edit.h"
#include "analysis/metrics_run.h"
#include "analysis/overview_fill.h"
#include "analysis/overview_table.h"
#include "settings/settings_file.h"
#include "wave_test_files.h"
#include "wavefile/folder_scan.h"

namespace vx {
namespace {

using test::TempFolder;

const std::string kHeader = "Time[msec],CurrentActual[A],VoltageActual[V],FeedingActual[m/min]\r\n";

// Ten samples 10 ms apart at `amps`, 20 V and 5 m/min: 100 ms of arc.
std::string Weld(double amps) {
    std::string body = kHeader;
    for (int i = 0; i < 10; ++i)
        body += std::to_string(i * 10) + "," + std::to_string(amps) + ",20,5\r\n";
    return body;
}

OverviewJob JobOf(const TempFolder& dir, std::vector<std::string> names) {
    OverviewJob job;
    job.folder = dir.path();
    job.names = std::move(names);
    LoadWaveSetting("/nonexistent/Varmonix.ini", job.setting);
    return job;
}

// Runs MeasureFolder to its end; the rows, and the size of each batch.
struct Filled {
    std::vector<OverviewRow> rows;
    std::vector<size_t> batches;
    size_t returned = 0;
};

Filled Fill(const OverviewJob& job, const FillPacing& pacing = {}) {
    Filled f;
    std::atomic<bool> cancel{false};
    f.returned = MeasureFolder(
        job, cancel,
        [&](std::vector<OverviewRow>&& rows) {
            f.batches.push_back(rows.size());
            for (OverviewRow& r : rows) f.rows.push_back(std::move(r));
        },
        pacing);
    return f;
}

TEST(MeasureFolder, EveryFileInListOrderWithItsFigures) {
    TempFolder dir;
    dir.Write("a.csv", Weld(200));
    dir.Write("b.csv", "Time[msec],x,y\r\n0,1,2\r\n");  // three fields: not drawn
    dir.Write("c.csv", Weld(150));
    // "gone.csv" was listed, then deleted.
    const Filled f = Fill(JobOf(dir, {"a.csv", "b.csv", "gone.csv", "c.csv"}));
    ASSERT_EQ(f.rows.size(), 4u);
    EXPECT_EQ(f.returned, 4u);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(f.rows[i].number, i + 1);
    EXPECT_EQ(f.rows[3].name, "c.csv");
    EXPECT_EQ(FigureText(f.rows[0], kColCurrent), "200.0");
    EXPECT_EQ(FigureText(f.rows[0], kColArcTime), "100");
    EXPECT_EQ(FigureText(f.rows[0], kColPower), "4000");
    EXPECT_EQ(FigureText(f.rows[0], kColEnergy), "400");
    EXPECT_EQ(FigureText(f.rows[0], kColWire), "0.008");  // 5 m/min for 100 ms
    EXPECT_EQ(FigureText(f.rows[0], kColBreaks), "0");
    EXPECT_EQ(FigureText(f.rows[3], kColCurrent), "150.0");
    EXPECT_EQ(ResultOf(f.rows[0]), RowResult::NoLimits);
    EXPECT_EQ(ResultOf(f.rows[1]), RowResult::NotDrawn);
    EXPECT_EQ(FigureText(f.rows[1], kColCurrent), "-");
    EXPECT_EQ(ResultOf(f.rows[2]), RowResult::Unreadable);
    EXPECT_EQ(f.rows[2].name, "gone.csv");
}

TEST(MeasureFolder, RowsComeInBatchesAndTheRestAtTheEnd) {
    TempFolder dir;
    std::vector<std::string> names;
    for (int k = 0; k < 5; ++k) names.push_back(dir.Write(std::to_string(k) + ".csv", Weld(100)));
    for (std::string& n : names) n = n.substr(dir.path().size() + 1);
    FillPacing p;
    p.batch = 2;
    p.pause = std::chrono::hours(1);  // only full batches and the end
    EXPECT_EQ(Fill(JobOf(dir, names), p).batches, (std::vector<size_t>{2, 2, 1}));
}

TEST(MeasureFolder, CancelStopsBeforeTheNextRow) {
    TempFolder dir;
    std::vector<std::string> names;
    for (int k = 0; k < 40; ++k) {
        dir.Write(std::to_string(k) + ".csv", Weld(100));
        names.push_back(std::to_string(k) + ".csv");
    }
    std::atomic<bool> cancel{false};
    std::vector<size_t> batches;
    FillPacing p;
    p.batch = 3;
    const size_t n = MeasureFolder(
        JobOf(dir, names), cancel,
        [&](std::vector<OverviewRow>&& rows) {
            batches.push_back(rows.size());
            cancel = true;
        },
        p);
    EXPECT_EQ(n, 3u);
    EXPECT_EQ(batches, std::vector<size_t>{3});

    cancel = true;  // set before the start: nothing at all
    EXPECT_EQ(MeasureFolder(JobOf(dir, names), cancel, [](std::vector<OverviewRow>&&) {}), 0u);
}

TEST(MeasureFolder, ASlowFileLetsOutTheRowsBeforeIt) {
    TempFolder dir;
    for (const char* n : {"1.csv", "2.csv", "3.csv", "4.csv"}) dir.Write(n, Weld(100));
    OverviewJob job = JobOf(dir, {"1.csv", "2.csv", "3.csv", "4.csv"});
    // File 3 is held until the rows before it have arrived.
    std::atomic<bool> released{false};
    const WeldWaveSetting setting = job.setting;
    job.measure = [&](const std::string& path, LineList& lines) {
        if (path == dir / "3.csv")
            while (!released) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return MeasureFile(path, setting, {}, AnalysisParams{}, lines);
    };
    std::vector<std::vector<int32_t>> seen;
    std::atomic<bool> cancel{false};
    FillPacing p;
    p.pause = std::chrono::milliseconds(5);
    MeasureFolder(
        job, cancel,
        [&](std::vector<OverviewRow>&& rows) {
            seen.emplace_back();
            for (const OverviewRow& r : rows) seen.back().push_back(r.number);
            released = true;
        },
        p);
    EXPECT_EQ(seen, (std::vector<std::vector<int32_t>>{{1, 2}, {3, 4}}));
}

OverviewRow Row(int32_t number, std::string name, std::optional<double> amps) {
    OverviewRow r;
    r.number = number;
    r.name = std::move(name);
    r.file.readable = true;
    if (amps) {
        r.file.layout = 0;
        r.file.metrics = WeldMetrics{};
        r.file.metrics->quantity[kCurrent] = QuantityStats{};
        r.file.metrics->quantity[kCurrent]->mean = amps;
    }
    return r;
}

std::vector<int32_t> SortedBy(std::vector<OverviewRow> rows, int column) {
    std::stable_sort(rows.begin(), rows.end(),
                     [column](const auto& a, const auto& b) { return OverviewLess(a, b, column); });
    std::vector<int32_t> numbers;
    for (const OverviewRow& r : rows) numbers.push_back(r.number);
    return numbers;
}

TEST(OverviewTable, JudgedRowsMarkTheirFailingCells) {
    std::vector<OverviewRow> rows = {Row(1, "a.csv", 200), Row(2, "b.csv", 120),
                                     Row(3, "c.csv", std::nullopt)};
    rows.push_back(Row(4, "gone.csv", std::nullopt));
    rows.back().file.readable = false;
    Limits l;
    l.bound[1] = Bound{100.0, 150.0};  // CURRENT_MEAN
    JudgeRows(rows, l);
    EXPECT_EQ(ResultOf(rows[0]), RowResult::Fail);
    EXPECT_TRUE(CellFails(rows[0], kColCurrent));
    EXPECT_FALSE(CellFails(rows[0], kColVoltage));
    EXPECT_FALSE(CellFails(rows[0], kColResult));
    EXPECT_EQ(ResultOf(rows[1]), RowResult::Pass);
    EXPECT_FALSE(CellFails(rows[1], kColCurrent));
    EXPECT_EQ(ResultOf(rows[2]), RowResult::NotDrawn);
    EXPECT_TRUE(CellFails(rows[2], kColCurrent));  // no figure under a set limit
    EXPECT_EQ(ResultOf(rows[3]), RowResult::Unreadable);

    JudgeRows(rows, Limits{});
    EXPECT_EQ(ResultOf(rows[0]), RowResult::NoLimits);
    EXPECT_FALSE(CellFails(rows[0], kColCurrent));
}

TEST(OverviewTable, ColumnsAndLimitKeysMatch) {
    EXPECT_EQ(LimitKeyOfColumn(kColNumber), -1);
    EXPECT_EQ(LimitKeyOfColumn(kColResult), -1);
    for (int c = kColArcTime; c <= kColGaps; ++c) {
        const int key = LimitKeyOfColumn(c);
        ASSERT_GE(key, 0);
        EXPECT_EQ(ColumnOfLimitKey(key), c);
    }
    EXPECT_STREQ(kLimitKeys[LimitKeyOfColumn(kColCurrent)].name, "CURRENT_MEAN");
    EXPECT_STREQ(kLimitKeys[LimitKeyOfColumn(kColGaps)].name, "GAPS");
    EXPECT_EQ(ColumnOfLimitKey(9), -1);  // the deviations have no column
}

TEST(OverviewTable, SortOrders) {
    const std::vector<OverviewRow> rows = {Row(1, "b.csv", 200), Row(2, "A.csv", std::nullopt),
                                           Row(3, "c.csv", 120), Row(4, "a.csv", 200)};
    EXPECT_EQ(SortedBy(rows, kColNumber), (std::vector<int32_t>{1, 2, 3, 4}));
    // Figures ascending, equal ones by number, no figure last.
    EXPECT_EQ(SortedBy(rows, kColCurrent), (std::vector<int32_t>{3, 1, 4, 2}));
    // As the file list sorts: letter case ignored, ties by bytes.
    EXPECT_EQ(SortedBy(rows, kColFile), (std::vector<int32_t>{2, 4, 1, 3}));

    std::vector<OverviewRow> judged = rows;
    Limits l;
    l.bound[1] = Bound{std::nullopt, 150.0};
    JudgeRows(judged, l);
    judged[2].file.readable = false;  // 3: unreadable
    judged[2].file.metrics.reset();
    // Failing first, then unreadable, not drawn, passing.
    EXPECT_EQ(SortedBy(judged, kColResult), (std::vector<int32_t>{1, 4, 3, 2}));
}

TEST(OverviewTable, TrendLeavesOutRowsWithoutTheFigure) {
    std::vector<OverviewRow> rows = {Row(1, "a", 200), Row(2, "b", std::nullopt), Row(3, "c", 120)};
    Limits l;
    l.bound[1] = Bound{150.0, std::nullopt};
    JudgeRows(rows, l);
    const std::vector<TrendPoint> p = TrendPoints(rows, kColCurrent);
    ASSERT_EQ(p.size(), 2u);
    EXPECT_EQ(p[0].number, 1);
    EXPECT_EQ(p[0].value, 200);
    EXPECT_FALSE(p[0].fails);
    EXPECT_EQ(p[1].number, 3);
    EXPECT_TRUE(p[1].fails);
    EXPECT_TRUE(TrendPoints(rows, kColVoltage).empty());
}

TEST(OverviewTable, BoundRangeTexts) {
    EXPECT_EQ(BoundRangeText(Bound{180.0, 250.5}), "180 .. 250.5");
    EXPECT_EQ(BoundRangeText(Bound{180.0, std::nullopt}), ">= 180");
    EXPECT_EQ(BoundRangeText(Bound{std::nullopt, 0.0}), "<= 0");
    EXPECT_EQ(BoundRangeText(Bound{}), "");
}

TEST(OverviewTable, CsvEqualsTheMetricsCsvOfTheFolder) {
    TempFolder dir;
    TempFolder cfg;
    const std::string ini = cfg.Write(
        "Varmonix.ini", "[ANALYSIS]\r\nARC_THRESHOLD=120\r\n[LIMITS]\r\nCURRENT_MEAN=,180\r\n");
    dir.Write("1.csv", Weld(200));
    dir.Write("2.csv", Weld(150));
    dir.Write("3.csv", "Time[msec],x,y\r\n0,1,2\r\n");  // no wave file
    dir.Write("4,\"odd\".csv", Weld(100));              // below the threshold: no arc
    OverviewJob job;
    job.folder = dir.path();
    LoadWaveSetting(ini, job.setting);
    // The window's file list.
    job.names = ScanCsvFolder(dir.path(), ParseFormatCheck(job.setting.Format.Check)).names;
    job.params = LoadAnalysisParams(ini);
    std::vector<OverviewRow> rows = Fill(job).rows;
    const Limits limits = LoadLimits(ini);
    JudgeRows(rows, limits);
    std::vector<const OverviewRow*> order;
    for (const OverviewRow& r : rows) order.push_back(&r);

    MetricsOptions o;
    o.settingsPath = ini;
    o.csv = true;
    o.paths = {dir.path()};
    std::ostringstream out, err;
    ASSERT_EQ(RunMetrics(o, out, err), 0);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(OverviewCsv(dir.path(), order, limits), out.str());
    EXPECT_NE(out.str().find(",false,current.mean\n"), std::string::npos);
}

}  // namespace
}  // namespace vx
