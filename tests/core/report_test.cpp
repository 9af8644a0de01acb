// The weld report's content: its rows measured from files of any folders,
// the table's cells and pages, each weld's page and the progress lines.
#include "analysis/report.h"

#include <gtest/gtest.h>

#include <atomic>
#include <sstream>
#include <string>
#include <vector>

#include "wave_test_files.h"

namespace vx {
namespace {

using test::TempFolder;

// Ten samples 10 ms apart at `amps`, 20 V and 5 m/min: 100 ms of arc.
std::string Weld(double amps) {
    std::string body = "Time[msec],CurrentActual[A],VoltageActual[V],FeedingActual[m/min]\r\n";
    for (int i = 0; i < 10; ++i)
        body += std::to_string(i * 10) + "," + std::to_string(amps) + ",20,5\r\n";
    return body;
}

struct Report {
    TempFolder a, b, cfg;
    ReportSettings settings;
    std::vector<std::string> files;
    std::vector<OverviewRow> rows;
    explicit Report(const std::string& limits) {
        const std::string ini = cfg.Write("Varmonix.ini", "[LIMITS]\r\n" + limits);
        settings = LoadReportSettings(ini);
        // Two folders, and a file that is not there.
        files = {a.Write("w1.csv", Weld(200)), b.Write("w2.csv", Weld(260)), a / "gone.csv",
                 b.Write("three.csv", "Time[msec],x,y\r\n0,1,2\r\n")};
        rows = MeasureReportRows(files, settings, std::atomic<bool>{false});
    }
};

TEST(Report, RowsAreNumberedNamedAndJudgedInTheOrderGiven) {
    const Report r("CURRENT_MEAN=180,250\r\n");
    ASSERT_EQ(r.rows.size(), 4u);
    const char* names[] = {"w1.csv", "w2.csv", "gone.csv", "three.csv"};
    const RowResult results[] = {RowResult::Pass, RowResult::Fail, RowResult::Unreadable,
                                 RowResult::NotDrawn};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(r.rows[i].number, static_cast<int>(i + 1));
        EXPECT_EQ(r.rows[i].name, names[i]);
        EXPECT_EQ(ResultOf(r.rows[i]), results[i]) << names[i];
    }
    EXPECT_EQ(ReportSummary(r.rows), "4 welds, 1 failing, 1 unreadable");

    const auto cells = ReportCells(r.rows[1]);
    EXPECT_EQ(cells[kColNumber].text, "2");
    EXPECT_EQ(cells[kColFile].text, "w2.csv");
    EXPECT_EQ(cells[kColCurrent].text, "260.0");
    EXPECT_TRUE(cells[kColCurrent].fails);
    EXPECT_FALSE(cells[kColVoltage].fails);
    EXPECT_EQ(cells[kColResult].text, "FAIL");
    EXPECT_TRUE(cells[kColResult].fails);
    EXPECT_FALSE(ReportCells(r.rows[0])[kColResult].fails);
    EXPECT_EQ(ReportHeaders()[kColCurrent], "Current [A]");
}

TEST(Report, WeldPagesSayTheResultAndEachSetLimit) {
    const Report r("CURRENT_MEAN=180,250\r\nVOLTAGE_MEAN=,18\r\n");
    const WeldPageText first = WeldPage(r.rows[0], 4, r.files[0], r.settings.limits);
    EXPECT_EQ(first.title, "w1.csv");
    EXPECT_EQ(first.number, "Weld 1 of 4");
    EXPECT_EQ(first.path, r.files[0]);
    EXPECT_TRUE(first.drawn);
    ASSERT_EQ(first.metrics.size(), 8u);
    EXPECT_EQ(first.metrics[1].label, "Mean current");
    EXPECT_EQ(first.metrics[1].value, "200.0 A");
    // The voltage limit fails both welds; the current limit only the second.
    EXPECT_EQ(first.result, "FAIL");
    ASSERT_EQ(first.limits.size(), 2u);
    EXPECT_EQ(first.limits[0].label, "Mean current [A]");
    EXPECT_EQ(first.limits[0].value, "200.0");
    EXPECT_EQ(first.limits[0].limit, "180 .. 250");
    EXPECT_FALSE(first.limits[0].fails);
    EXPECT_EQ(first.limits[1].limit, "<= 18");
    EXPECT_TRUE(first.limits[1].fails);

    const WeldPageText gone = WeldPage(r.rows[2], 4, r.files[2], r.settings.limits);
    EXPECT_EQ(gone.result, "unreadable");
    EXPECT_TRUE(gone.fails);
    EXPECT_FALSE(gone.drawn);
    EXPECT_TRUE(gone.metrics.empty());
}

TEST(Report, WithoutLimitsNoResultButUnreadableStillSaysSo) {
    const Report r("");
    const WeldPageText w = WeldPage(r.rows[0], 4, r.files[0], r.settings.limits);
    EXPECT_EQ(w.result, "");
    EXPECT_FALSE(w.fails);
    EXPECT_TRUE(w.limits.empty());
    EXPECT_EQ(WeldPage(r.rows[2], 4, r.files[2], r.settings.limits).result, "unreadable");
    EXPECT_EQ(WeldPage(r.rows[3], 4, r.files[3], r.settings.limits).result, "not drawn");
    EXPECT_EQ(ReportCells(r.rows[0])[kColResult].text, "");
}

TEST(Report, ACancelledMeasureEndsWithTheRowsItHas) {
    TempFolder dir;
    std::vector<std::string> files;
    for (int k = 0; k < 50; ++k) files.push_back(dir.Write(std::to_string(k) + ".csv", Weld(200)));
    const std::atomic<bool> cancel{true};
    EXPECT_TRUE(MeasureReportRows(files, LoadReportSettings(dir / "none.ini"), cancel).empty());
}

TEST(Report, TableRowsFillTheFirstPageThenTheLaterOnes) {
    using Pages = std::vector<std::pair<size_t, size_t>>;
    const struct {
        size_t rows;
        Pages pages;
    } cases[] = {
        {0, {{0, 0}}},
        {22, {{0, 22}}},
        {23, {{0, 22}, {22, 23}}},
        {100, {{0, 22}, {22, 61}, {61, 100}}},
    };
    for (const auto& k : cases) EXPECT_EQ(SplitRows(k.rows, 22, 39), k.pages) << k.rows;
}

TEST(Report, ProgressOnlyForMoreThanTwentyWeldsAtEachTenth) {
    std::ostringstream quiet;
    ReportProgress few(20, quiet);
    few.Measured();
    for (size_t i = 1; i <= 20; ++i) few.PageDone(i);
    EXPECT_EQ(quiet.str(), "");

    std::ostringstream err;
    ReportProgress many(25, err);
    many.Measured();
    for (size_t i = 1; i <= 25; ++i) many.PageDone(i);
    EXPECT_EQ(err.str(),
              "varmonix: report: 25 welds measured\n"
              "varmonix: report: 3 of 25 weld pages\n"
              "varmonix: report: 5 of 25 weld pages\n"
              "varmonix: report: 8 of 25 weld pages\n"
              "varmonix: report: 10 of 25 weld pages\n"
              "varmonix: report: 13 of 25 weld pages\n"
              "varmonix: report: 15 of 25 weld pages\n"
              "varmonix: report: 18 of 25 weld pages\n"
              "varmonix: report: 20 of 25 weld pages\n"
              "varmonix: report: 23 of 25 weld pages\n"
              "varmonix: report: 25 of 25 weld pages\n");
}

}  // namespace
}  // namespace vx
