// Speed of the window side: opening a million-line file (read, convert, fill
// the chart, first replot offscreen) and a replot of 33 series of 100,000 points.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <stdlib.h>

#include <QApplication>
#include <QComboBox>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/ui/weld_main.h"
#include "bench_data.h"
#include "common/encoding.h"
#include "common/ui/message_box2.h"
#include "display/ui/wave_chart.h"
#include "settings/ui/weld_wave_set.h"

namespace {

namespace fs = std::filesystem;

struct Fixture {
    std::string folder;
    std::unique_ptr<vx::TFormMessageBox2> box;
    std::unique_ptr<vx::TFormWeldWaveSet> set;
    std::unique_ptr<vx::TFormWeldMain> main;

    Fixture() {
        folder = vx::bench::MakeScratchFolder("chart-bench");
        if (folder.empty()) std::abort();
        vx::bench::WriteBytes(folder + "/000001.csv", vx::bench::SteadyArcWave(1000000));
        // Last in the list: stepping to it lets the big file go.
        vx::bench::WriteBytes(folder + "/zz_small.csv", vx::bench::SteadyArcWave(10));
        box = std::make_unique<vx::TFormMessageBox2>();
        vx::FormMessageBox2 = box.get();
        set = std::make_unique<vx::TFormWeldWaveSet>();
        vx::FormWeldWaveSet = set.get();
        vx::WeldMainOptions o;
        o.settingsPath = folder + "/Varmonix.ini";
        main = std::make_unique<vx::TFormWeldMain>(o);
        main->show();
        QApplication::processEvents();
        main->OpenDataLogFolder(folder);
        QApplication::processEvents();
    }
    ~Fixture() {
        main.reset();
        fs::remove_all(folder);
    }
};

Fixture* g = nullptr;

// A field of /proc/self/status in MB: "VmHWM:" peak resident memory of the
// process so far, "VmRSS:" resident memory now.
double StatusMb(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0) return std::stod(line.substr(std::strlen(field))) / 1024.0;
    return 0;
}

// Reading the same file again: the memory of the file before is there to be
// reused, as when stepping through a folder of welds of one length.
void BM_OpenMillionLineFile(benchmark::State& state) {
    for (auto _ : state) {
        g->main->LoadWaveFile();
        g->main->ChtWave->ReplotNow();
    }
    state.SetItemsProcessed(state.iterations() * 1000000);
    state.counters["peak_rss_MB"] = StatusMb("VmHWM:");
}
BENCHMARK(BM_OpenMillionLineFile)->Unit(benchmark::kMillisecond)->UseRealTime();

// Opening the file as the first one: a small file is shown in between and
// the freed memory goes back to the system, so the model and the chart's
// points fill fresh pages as in a viewer just started. Up to the drawn frame.
void BM_OpenMillionLineFileFresh(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        g->main->BitBtnFfwdClick();
        g->main->ChtWave->ReplotNow();
        ::malloc_trim(0);
        state.ResumeTiming();
        g->main->BitBtnRewdClick();
        g->main->ChtWave->ReplotNow();
    }
    state.SetItemsProcessed(state.iterations() * 1000000);
    // With the file shown: what the viewer holds for it, not the peak of loading.
    state.counters["rss_MB"] = StatusMb("VmRSS:");
    state.counters["peak_rss_MB"] = StatusMb("VmHWM:");
}
BENCHMARK(BM_OpenMillionLineFileFresh)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Replot33SeriesOf100k(benchmark::State& state) {
    vx::WaveChart chart;
    chart.resize(706, 531);
    chart.show();
    std::vector<double> t(100000), y(100000);
    for (size_t i = 0; i < t.size(); ++i) {
        t[i] = double(i) / 10.0;
        y[i] = 300 + 100 * std::sin(i * 0.01);
    }
    chart.BottomAxis().SetMinMax(0, 10000);
    chart.ApplyAxes();
    const char* names[] = {"Series001", "Series002", "Series003"};
    for (const char* n : names) chart.Series(n)->SetSortedPoints(t, y);
    for (int c = 1; c <= 3; ++c)
        for (int i = 1; i <= 10; ++i) {
            auto* s = chart.Series(QString("Series%1%2").arg(c).arg(i, 2, 10, QChar('0')));
            s->SetSortedPoints(t, y);
            s->SetActive(true);
        }
    for (auto _ : state) chart.ReplotNow();
}
BENCHMARK(BM_Replot33SeriesOf100k)->Unit(benchmark::kMillisecond)->UseRealTime();

// Ten overlays of a million lines each over the current million-line weld.
void BM_OverlayTenMillionLineFiles(benchmark::State& state) {
    for (int n = 2; n <= 11; ++n) {
        char name[32];
        std::snprintf(name, sizeof name, "/%06d.csv", n);
        if (!fs::exists(g->folder + name))
            fs::copy_file(g->folder + "/000001.csv", g->folder + name);
    }
    std::string dir = g->folder;
    g->main->CsvFolder.clear();  // make the folder open anew with eleven welds
    g->main->OpenDataLogFolder(dir);
    g->main->WaveSetting.Multi.Enabled = true;
    for (int i = 0; i < 10; ++i) g->main->MultiNo[i] = i + 2;
    for (auto _ : state) {
        for (int i = 3; i < 33; ++i) g->main->SeriesAt(i)->Clear();
        g->main->LoadMultiWaves();
        g->main->ChtWave->ReplotNow();
    }
    state.counters["peak_rss_MB"] = StatusMb("VmHWM:");
}
BENCHMARK(BM_OverlayTenMillionLineFiles)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(2);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    Fixture fixture;
    g = &fixture;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
