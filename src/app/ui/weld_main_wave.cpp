// The main window's wave work: axes, loading and drawing a file, opening a
// data-log folder, stepping through it and the cursor read-out.
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <future>

#include "analysis/analysis_settings.h"
#include "analysis/ui/analysis_set.h"
#include "analysis/ui/metrics_panel.h"
#include "app/ui/status_bar.h"
#include "app/ui/weld_main.h"
#include "common/text_table.h"
#include "common/ui/qt_text.h"
#include "common/weld_common.h"
#include "display/axes.h"
#include "display/loaded_wave.h"
#include "display/plot_data.h"
#include "display/readout.h"
#include "display/trace_map.h"
#include "display/ui/wave_chart.h"
#include "settings/settings_file.h"
#include "settings/ui/weld_wave_set.h"
#include "wavefile/folder_scan.h"
#include "wavefile/navigation.h"
#include "wavefile/wave_csv.h"
#include "wavefile/wave_layout.h"

namespace vx {
namespace {

// Below this a second thread costs more than it saves.
constexpr size_t kParallelFillSamples = 100000;

}  // namespace

std::optional<std::string> ChooseFolderWithDialog(QWidget* parent, const QString& caption,
                                                  const QString& instruction,
                                                  const std::string& initial) {
    QFileDialog dialog(parent, caption, FromNativePath(initial));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
        auto* label = new QLabel(instruction, &dialog);
        label->setWordWrap(true);
        grid->addWidget(label, grid->rowCount(), 0, 1, grid->columnCount());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return ToNativePath(dialog.selectedFiles().front());
}

void TFormWeldMain::LoadWaveSetting() { vx::LoadWaveSetting(settingsPath_, WaveSetting); }

void TFormWeldMain::SaveWaveSetting() { vx::SaveWaveSetting(settingsPath_, WaveSetting); }

void TFormWeldMain::SetupAxes() {
    // The set-up works on the settings' time axis; a zoom is put back on top.
    ChtWave->BottomAxis() = view_.Home();
    ShowAxes(vx::SetupAxes(WaveSetting, WaveLayout, ChtWave->BottomAxis(), ChtWave->LeftAxis(),
                           ChtWave->RightAxis()));
}

void TFormWeldMain::ShowAxes(const AxisSetupResult& r) {
    view_.SetHome(ChtWave->BottomAxis());
    ShowTimeView();
    if (r.timeRefused) ShowMessage(kTextWaveWindowTitle, kTextGraphFailed);
    for (int p = 0; p < 3; ++p)
        for (int s = 0; s < 11; ++s)
            LblAxisHor[p][s]->setText(QString::fromStdString(r.labels[p][s]));
    AxisFactor = r.AxisFactor;
}

void TFormWeldMain::EnableMainControls(bool enabled) {
    for (QWidget* w : std::initializer_list<QWidget*>{BtnOpen, BtnDisp, BitBtnRewd, BitBtnPrev,
                                                      BitBtnNext, BitBtnFfwd, CmbBoxCsvFile})
        w->setEnabled(enabled);
}

void TFormWeldMain::UpdateFileButtons() {
    const FileButtonState s = FileButtonsFor(CsvFileNo, CsvFileCount);
    BitBtnRewd->setEnabled(s.rewdPrev);
    BitBtnPrev->setEnabled(s.rewdPrev);
    BitBtnNext->setEnabled(s.nextFfwd);
    BitBtnFfwd->setEnabled(s.nextFfwd);
    CmbBoxCsvFile->setEnabled(s.combo);
}

void TFormWeldMain::LoadWaveFile() {
    const int selected = CmbBoxCsvFile->currentIndex();
    if (selected < 0 || CsvFileNo == 0 || CsvFileNo > CsvFileCount) return;
    if (static_cast<size_t>(selected) >= CsvFileList->size()) return;
    const std::string path = JoinPath(CsvFolder, (*CsvFileList)[selected]);
    const ChartAxes before{view_.Home(), ChtWave->LeftAxis(), ChtWave->RightAxis()};
    LoadedWave wave = LoadWave(path, WaveSetting, before, *WaveLines);
    // A file that cannot be read or has no proper header leaves the display as it was.
    if (!wave.loaded) return;

    EnableMainControls(false);
    WaveLayout = wave.layout;
    ChtWave->BottomAxis() = wave.axes.time;
    ChtWave->LeftAxis() = wave.axes.left;
    ChtWave->RightAxis() = wave.axes.right;
    ShowAxes(wave.axisSetup);
    SampleCode = wave.sampleCode;
    wave_ = std::move(wave);
    ++wavesDrawn_;
    // A long file's figures and third trace are made on the other core while
    // this one fills the first two traces: writing fresh memory is most of the
    // time, and each core writes its own. Each series is its own storage.
    const auto policy =
        wave_.samples.t.size() >= kParallelFillSamples ? std::launch::async : std::launch::deferred;
    // One helper thread for both, so that on two cores neither thread waits.
    std::future<WeldMetrics> beside = std::async(policy, [this] {
        SeriesWave[2]->SetSortedPoints(wave_.samples.t, wave_.samples.y3, &wave_.map3);
        return ComputeMetrics(wave_.samples, wave_.layout, analysis_);
    });
    SeriesWave[0]->SetSortedPoints(wave_.samples.t, wave_.samples.y1);
    SeriesWave[1]->SetSortedPoints(wave_.samples.t, wave_.samples.y2);
    WeldMetrics figures = beside.get();
    for (int k = 0; k < 3; ++k) {
        LblExpTitle[k]->setText(FromCp932(wave_.titles[k].title));
        LblAxisUnit[k]->setText(FromCp932(wave_.titles[k].unit));
    }
    UpdateMetrics(std::move(figures));
    EnableMainControls(true);
    UpdateFileButtons();
    ChtWave->Replot();
}

void TFormWeldMain::UpdateMetrics(std::optional<WeldMetrics> whole) {
    if (whole)
        metrics_ = std::move(whole);
    else if (wave_.loaded)
        metrics_ = ComputeMetrics(wave_.samples, wave_.layout, analysis_);
    else
        metrics_.reset();
    rangeMetrics_.reset();
    if (const std::optional<TimeSpan> r = cursors_.Range()) {
        if (wave_.loaded)
            rangeMetrics_ =
                ComputeMetrics(wave_.samples, wave_.layout, analysis_, TimeRange{r->lo, r->hi});
        PnlMetrics->ShowRange(RangePanelValues(rangeMetrics_ ? *rangeMetrics_ : WeldMetrics{},
                                               *cursors_.A(), *cursors_.B()));
    } else if (metrics_) {
        PnlMetrics->Show(*metrics_);
    } else {
        PnlMetrics->Clear();
    }
}

void TFormWeldMain::BtnAnalysisSetClick() {
    TFormAnalysisSet dialog(*Common, analysis_, this);
    if (dialog.exec() != QDialog::Accepted) return;
    analysis_ = dialog.Params();
    UpdateMetrics();  // the figures follow even when the file cannot be written
    SyncOverview();
    SaveAnalysisParams(settingsPath_, analysis_);
}

void TFormWeldMain::BtnOpenClick() {
    SuspendChart();
    const QString instruction = QString::fromStdString(Common->LoadTextUtf8(kTextChooseFolder));
    const QString caption = QString::fromUtf8(LoadStrUtf8(LangOffset + kTextBrowseFolders));
    const std::string initial =
        !CsvFolder.empty() ? CsvFolder : ToNativePath(QCoreApplication::applicationDirPath()) + "/";
    std::optional<std::string> chosen = chooser_(this, caption, instruction, initial);
    ResumeChartAfter(100);
    if (!chosen || chosen->empty()) return;
    std::string path = *chosen;
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    OpenDataLogFolder(path);
}

void TFormWeldMain::OpenDataLogFolder(const std::string& path, const std::string& select) {
    if (path == CsvFolder) {
        if (select.empty()) return;  // the open folder is not scanned again
        const auto& names = *CsvFileList;
        const auto it = std::find(names.begin(), names.end(), select);
        if (it != names.end() && CmbBoxCsvFile->count() == static_cast<int>(names.size())) {
            StepTo(static_cast<int32_t>(it - names.begin()) + 1);
            return;
        }
    }
    FolderScanResult scan = ScanCsvFolder(path, ParseFormatCheck(WaveSetting.Format.Check));
    if (!scan.ok) {
        ShowMessage(kTextWaveWindowTitle, kTextFileOpenFailed);
        return;
    }
    // The list is only taken on success: the combo box and the drawing of the
    // previous folder stay usable after the message, and they read this list.
    if (scan.names.empty()) {
        ShowMessage(kTextWaveWindowTitle, kTextNoFilesInFolder);
        return;
    }
    *CsvFileList = std::move(scan.names);
    ResumeChartAfter(10000);
    CmbBoxCsvFile->clear();
    for (const std::string& name : *CsvFileList) CmbBoxCsvFile->addItem(FromNativePath(name));
    CsvFileCount = CmbBoxCsvFile->count();
    const auto chosen = std::find(CsvFileList->begin(), CsvFileList->end(), select);
    const int first =
        chosen == CsvFileList->end() ? 0 : static_cast<int>(chosen - CsvFileList->begin());
    CmbBoxCsvFile->setCurrentIndex(first);
    CsvFileNo = first + 1;
    CsvFolder = path;
    StsBarWave->SetPanelText(0, FromNativePath(path));
    SyncOverview();
    if (FormWeldWaveSet) FormWeldWaveSet->ResetOverlayChoice();
    WaveSetting.Multi.Enabled = false;
    WaveSetting.Multi.SelMode = 0;
    WaveSetting.Multi.RangeText.clear();
    WaveSetting.Multi.SepText.clear();
    for (int i = 3; i < 33; ++i) SeriesWave[i]->SetActive(false);
    view_.GoHome();  // a new folder starts at the settings' time scale
    ShowTimeView();
    LoadWaveFile();
    ResumeChartAfter(1000);
}

void TFormWeldMain::StepTo(int32_t fileNo) {
    if (fileNo == 0) return;
    CsvFileNo = fileNo;
    CmbBoxCsvFile->setCurrentIndex(CsvFileNo - 1);
    LoadWaveFile();
}

void TFormWeldMain::BitBtnRewdClick() {
    StepTo(FileStepTarget(FileStep::First, CsvFileNo, CsvFileCount));
}
void TFormWeldMain::BitBtnPrevClick() {
    StepTo(FileStepTarget(FileStep::Prev, CsvFileNo, CsvFileCount));
}
void TFormWeldMain::BitBtnNextClick() {
    StepTo(FileStepTarget(FileStep::Next, CsvFileNo, CsvFileCount));
}
void TFormWeldMain::BitBtnFfwdClick() {
    StepTo(FileStepTarget(FileStep::Last, CsvFileNo, CsvFileCount));
}

void TFormWeldMain::CmbBoxCsvFileChange(int index) {
    CsvFileNo = index + 1;
    LoadWaveFile();
}

void TFormWeldMain::ChtWaveMouseMove(int x) {
    ChtWave->SetHint(QString());
    const RangeAxis& time = ChtWave->BottomAxis();
    std::array<ReadoutTrace, 3> traces;
    for (int k = 0; k < 2; ++k) {
        traces[k].active = SeriesWave[k]->Active();
        traces[k].count = wave_.samples.size();
        if (traces[k].count == 0) continue;
        traces[k].times = wave_.samples.t.data();
        traces[k].ys = (k == 0 ? wave_.samples.y1 : wave_.samples.y2).data();
    }
    // Trace 3 as drawn lives only in the chart.
    traces[2].active = SeriesWave[2]->Active();
    if (const double* points = SeriesWave[2]->Points()) {
        traces[2].count = SeriesWave[2]->Count();
        traces[2].times = points;
        traces[2].ys = points + 1;
        traces[2].stride = 2;
    }
    const double at = SeriesWave[0]->XScreenToValue(x);
    QString hint = QString::fromStdString(WithDeltaToA(
        ReadoutHint(time.Minimum(), time.Maximum(), at, traces, wave_.map3), at, cursors_.A()));
    ChtWave->SetHint(hint);
}

}  // namespace vx
