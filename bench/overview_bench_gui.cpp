// Speed of the folder overview over a data-log folder of 10,000 welds of
// 6,000 lines each (one minute at 10 ms): filling its model with measured
// rows (table model, sorting proxy and view, in the window's batches), and
// the whole fill of the shown window from the folder until the last row.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEventLoop>
#include <QTableView>
#include <atomic>
#include <cstdio>
#include <string>
#include <vector>

#include "analysis/overview_fill.h"
#include "analysis/ui/folder_overview.h"
#include "analysis/ui/overview_model.h"
#include "bench_data.h"
#include "common/weld_common.h"
#include "settings/settings_file.h"
#include "wavefile/folder_scan.h"

namespace {

constexpr int kFiles = 10000;
constexpr int kLines = 6000;
constexpr int kVariants = 16;   // distinct welds, written over and over
constexpr size_t kBatch = 256;  // as the window receives them

std::string g_folder, g_data;

vx::OverviewJob Job() {
    vx::OverviewJob job;
    job.folder = g_data;
    vx::LoadWaveSetting(g_folder + "/Varmonix.ini", job.setting);  // absent: defaults
    job.names = vx::ScanCsvFolder(g_data, vx::ParseFormatCheck(job.setting.Format.Check)).names;
    return job;
}

vx::Limits SomeLimits() {
    vx::Limits l;
    l.bound[1] = vx::Bound{215.0, 225.0};  // every row is judged
    l.bound[7] = vx::Bound{std::nullopt, 0.0};
    return l;
}

void BM_OverviewModelFill10000(benchmark::State& state) {
    std::vector<vx::OverviewRow> measured;
    std::atomic<bool> cancel{false};
    vx::MeasureFolder(Job(), cancel, [&](std::vector<vx::OverviewRow>&& rows) {
        for (vx::OverviewRow& r : rows) measured.push_back(std::move(r));
    });
    if (measured.size() != kFiles) state.SkipWithError("the folder was not measured");
    vx::WeldCommon common;
    common.SetLanguage(1);
    vx::OverviewModel model;
    model.SetCaptions(common);
    model.SetLimits(SomeLimits());
    vx::OverviewProxy proxy;
    proxy.setSourceModel(&model);
    QTableView view;
    view.setModel(&proxy);
    view.setSortingEnabled(true);
    view.sortByColumn(vx::kColCurrent, Qt::DescendingOrder);
    for (auto _ : state) {
        state.PauseTiming();
        model.Clear();
        std::vector<std::vector<vx::OverviewRow>> batches;
        for (size_t i = 0; i < measured.size(); i += kBatch)
            batches.emplace_back(
                measured.begin() + static_cast<ptrdiff_t>(i),
                measured.begin() + static_cast<ptrdiff_t>(std::min(i + kBatch, measured.size())));
        state.ResumeTiming();
        for (auto& b : batches) model.Append(std::move(b));
        QApplication::processEvents();
    }
    if (proxy.rowCount() != kFiles) state.SkipWithError("rows missing");
    state.SetItemsProcessed(state.iterations() * kFiles);
}
BENCHMARK(BM_OverviewModelFill10000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OverviewFill10000Welds(benchmark::State& state) {
    vx::WeldCommon common;
    common.SetLanguage(1);
    vx::TFormFolderOverview overview(common, g_folder + "/Varmonix.ini");
    overview.show();
    QApplication::processEvents();
    const vx::OverviewJob job = Job();
    QEventLoop loop;
    QObject::connect(&overview, &vx::TFormFolderOverview::FillFinished, &loop, &QEventLoop::quit);
    for (auto _ : state) {
        overview.SetFolder(job);  // shown: starts at once
        loop.exec();
    }
    if (overview.Model()->rowCount() != kFiles) state.SkipWithError("rows missing");
    state.SetItemsProcessed(state.iterations() * kFiles);
}
BENCHMARK(BM_OverviewFill10000Welds)->Unit(benchmark::kMillisecond)->UseRealTime();

bool MakeData() {
    g_data = g_folder + "/datalog";
    std::filesystem::create_directory(g_data);
    std::vector<std::string> welds;
    for (int v = 0; v < kVariants; ++v) welds.push_back(vx::bench::SteadyArcWave(kLines, false, v));
    for (int k = 0; k < kFiles; ++k) {
        char name[16];
        std::snprintf(name, sizeof name, "/%06d.csv", k);
        vx::bench::WriteBytes(g_data + name, welds[k % kVariants]);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    g_folder = vx::bench::MakeScratchFolder("overview-bench");
    return vx::bench::RunBenchmarks(argc, argv, g_folder, MakeData);
}
