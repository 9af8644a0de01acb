// The main window's display-settings command, the history overlay and the
// trace toggles.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QToolButton>

#include "app/ui/weld_main.h"
#include "common/ui/form_tools.h"
#include "display/loaded_wave.h"
#include "display/trace_map.h"
#include "display/ui/wave_chart.h"
#include "settings/settings_file.h"
#include "settings/ui/weld_wave_set.h"
#include "wavefile/overlay_file.h"
#include "wavefile/wave_csv.h"

namespace vx {

void TFormWeldMain::BtnDispClick() {
    if (!FormWeldWaveSet) return;
    WeldWaveSetting work = WaveSetting;
    FormWeldWaveSet->SetWaveSetting(&work);
    FormWeldWaveSet->FileCount = CsvFileCount;
    const int result = FormWeldWaveSet->ShowModal();
    FormWeldWaveSet->SetWaveSetting(nullptr);
    if (result != 1) return;

    SuspendChart();
    WaveSetting = work;
    MultiNo = FormWeldWaveSet->MultiNo;
    try {
        SaveWaveSetting();
    } catch (const std::exception& e) {
        // Report it, but still show the settings now in force: stopping here
        // would leave the chart suspended and the display out of step.
        ShowException(QString::fromUtf8(e.what()));
    }
    view_.GoHome();  // new settings show their own time scale
    SetupAxes();
    LoadWaveFile();
    if (WaveSetting.Multi.Enabled) {
        for (int i = 3; i < 33; ++i) SeriesWave[i]->Clear();
        overlays_.fill(LoadedWave{});
        EnableMainControls(false);
        LoadMultiWaves();
        EnableMainControls(true);
        UpdateFileButtons();
    }
    for (int p = 0; p < 3; ++p) {
        const bool b = SeriesWave[p]->Active() && WaveSetting.Multi.Enabled;
        for (int i = 0; i < 10; ++i) SeriesWave[3 + 10 * p + i]->SetActive(b);
    }
    ChtWave->Replot();
    ResumeChartAfter(100);
}

void TFormWeldMain::LoadMultiWaves() {
    if (CmbBoxCsvFile->count() == 0) return;
    const Trace3Mapping map3 = MakeTrace3Mapping(WaveSetting, WaveLayout, AxisFactor[2]);
    for (int i = 0; i < 10; ++i) {
        const int32_t n = MultiNo[i];
        if (n == 0) break;
        if (n > CmbBoxCsvFile->count()) continue;
        const std::optional<std::string> path = ResolveOverlayPath(CsvFolder, n);
        if (!path) continue;
        LoadedWave overlay = LoadOverlayWave(*path, map3, *WaveLines);
        if (!overlay.readable) continue;
        overlays_[i] = std::move(overlay);
        const LoadedWave& o = overlays_[i];
        SeriesWave[3 + i]->SetSortedPoints(o.samples.t, o.samples.y1);
        SeriesWave[13 + i]->SetSortedPoints(o.samples.t, o.samples.y2);
        SeriesWave[23 + i]->SetSortedPoints(o.samples.t, o.samples.y3, &o.map3);
        ChtWave->Replot();
        QCoreApplication::processEvents();
    }
}

void TFormWeldMain::SpdBtnExpClick(QToolButton* sender) {
    const int k = sender->property("Tag").toInt() - 1;
    if (k < 0 || k > 2) return;
    const bool down = sender->isChecked();
    SeriesWave[k]->SetActive(down);
    for (int i = 0; i < 10; ++i)
        SeriesWave[3 + 10 * k + i]->SetActive(WaveSetting.Multi.Enabled ? down : false);
    ChtWave->Replot();
}

}  // namespace vx
