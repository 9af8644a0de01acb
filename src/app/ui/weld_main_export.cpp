// The main window's exports: the chart as a picture (clipboard or file) and
// the samples of the visible range or of the cursor range as CSV.
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <algorithm>

#include "app/ui/chart_picture.h"
#include "app/ui/weld_main.h"
#include "common/atomic_file.h"
#include "common/encoding.h"
#include "common/text_table.h"
#include "common/ui/form_tools.h"
#include "common/ui/message_box2.h"
#include "common/ui/qt_text.h"
#include "common/weld_common.h"
#include "display/sample_export.h"
#include "wavefile/folder_scan.h"

namespace vx {

std::optional<std::string> ChooseSavePathWithDialog(QWidget* parent, const QString& caption,
                                                    const QString& filter,
                                                    const std::string& suggested) {
    QFileDialog dialog(parent, caption, FromNativePath(suggested), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // A name typed without an extension gets the suggested one.
    dialog.setDefaultSuffix(QFileInfo(FromNativePath(suggested)).suffix());
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return ToNativePath(dialog.selectedFiles().front());
}

namespace {

// The drawn file's name without its extension, in the open folder.
std::string SuggestedPath(const std::string& folder, const std::string& fileName,
                          const std::string& ending) {
    const size_t dot = fileName.rfind('.');
    return JoinPath(folder,
                    (dot == std::string::npos ? fileName : fileName.substr(0, dot)) + ending);
}

}  // namespace

TimeSpan TFormWeldMain::ExportRange() const {
    if (cursors_.A() && cursors_.B())
        return {std::min(*cursors_.A(), *cursors_.B()), std::max(*cursors_.A(), *cursors_.B())};
    return view_.Range();
}

void TFormWeldMain::CopyPicture() {
    if (!wave_.loaded) return;
    if (QClipboard* c = QGuiApplication::clipboard()) c->setImage(ChartImage(*this));
}

void TFormWeldMain::SavePicture() {
    if (!wave_.loaded || !savePathChooser || CsvFileNo < 1 ||
        CsvFileNo > static_cast<int32_t>(CsvFileList->size()))
        return;
    auto text = [this](int id) { return QString::fromStdString(Common->LoadTextUtf8(id)); };
    const std::optional<std::string> path =
        savePathChooser(this, text(kTextSavePicture).remove("..."), text(kTextPictureFilter),
                        SuggestedPath(CsvFolder, (*CsvFileList)[CsvFileNo - 1], ".png"));
    if (!path || path->empty()) return;
    try {
        SaveChartPicture(*this, *path);
    } catch (const FileWriteError& e) {
        if (FormMessageBox2) {
            FormMessageBox2->SetTexts(text(kTextExportTitle),
                                      text(kTextPictureFailed) + "\r\n" + FromNativePath(e.Path()) +
                                          "\r\n" + QString::fromStdString(e.Reason()));
            FormMessageBox2->ShowModal();
        }
    }
}

void TFormWeldMain::ExportData() {
    if (!wave_.loaded || !savePathChooser || CsvFileNo < 1 ||
        CsvFileNo > static_cast<int32_t>(CsvFileList->size()))
        return;
    auto text = [this](int id) { return QString::fromStdString(Common->LoadTextUtf8(id)); };
    // Never the weld file itself as the suggestion: a hasty OK would replace it.
    const std::optional<std::string> path =
        savePathChooser(this, text(kTextExportData).remove("..."), text(kTextCsvFilter),
                        SuggestedPath(CsvFolder, (*CsvFileList)[CsvFileNo - 1], "_samples.csv"));
    if (!path || path->empty()) return;
    std::array<TitleUnit, 3> titles;
    for (int k = 0; k < 3; ++k)
        titles[k] = {Cp932ToUtf8(wave_.titles[k].title), Cp932ToUtf8(wave_.titles[k].unit)};
    try {
        WriteFileAtomically(*path, SamplesCsv(titles, wave_.samples, ExportRange()));
    } catch (const FileWriteError& e) {
        if (FormMessageBox2) {
            FormMessageBox2->SetTexts(text(kTextExportTitle),
                                      text(kTextExportFailed) + "\r\n" + FromNativePath(e.Path()) +
                                          "\r\n" + QString::fromStdString(e.Reason()));
            FormMessageBox2->ShowModal();
        }
    }
}

QMenu* TFormWeldMain::ExportMenu() {
    if (!exportMenu_) {
        exportMenu_ = new QMenu(this);
        exportMenu_->setObjectName("ExportMenu");
        for (const ViewerKey& k : ViewerKeys()) {
            if (k.command != ViewerCommand::CopyPicture &&
                k.command != ViewerCommand::SavePicture && k.command != ViewerCommand::ExportData)
                continue;
            QAction* a = exportMenu_->addAction(QString());
            a->setData(k.textId);
            a->setShortcut(QKeySequence::fromString(k.keys[0], QKeySequence::PortableText));
            a->setShortcutVisibleInContextMenu(true);
            a->setShortcutContext(Qt::WidgetShortcut);  // the window's shortcuts carry the keys
            connect(a, &QAction::triggered, this,
                    GuardedSlot([this, c = k.command](bool) { RunCommand(c); }));
        }
    }
    // In the language of the moment.
    for (QAction* a : exportMenu_->actions())
        a->setText(QString::fromStdString(Common->LoadTextUtf8(a->data().toInt())));
    for (QAction* a : exportMenu_->actions()) a->setEnabled(wave_.loaded);
    return exportMenu_;
}

}  // namespace vx
