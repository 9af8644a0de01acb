// The main window's side of the folder overview: opening it, keeping it on
// the open folder, and drawing the weld chosen in it.
#include <QComboBox>
#include <QPushButton>

#include "analysis/ui/folder_overview.h"
#include "app/ui/weld_main.h"
#include "common/ui/form_tools.h"

namespace vx {

void TFormWeldMain::BtnOverviewClick() {
    if (!overview_) {
        overview_ = new TFormFolderOverview(*Common, settingsPath_, this);
        connect(overview_, &TFormFolderOverview::WeldChosen, this,
                GuardedSlot([this](int n) { ShowWeld(n); }));
        SyncOverview();
    }
    overview_->show();
    overview_->raise();
    overview_->activateWindow();
}

void TFormWeldMain::SyncOverview() {
    if (!overview_) return;
    OverviewJob job;
    job.folder = CsvFolder;
    job.names = *CsvFileList;
    job.setting = WaveSetting;
    job.params = analysis_;
    overview_->SetFolder(std::move(job));
}

void TFormWeldMain::ShowWeld(int32_t fileNo) {
    // Not while a folder is being opened or overlays are read.
    if (fileNo < 1 || fileNo > CsvFileCount || !BtnOpen->isEnabled()) return;
    StepTo(fileNo);
    raise();
    activateWindow();
}

}  // namespace vx
