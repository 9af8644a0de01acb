// The main window's work on the view: time zoom and pan, the measurement
// cursors, the keys, and folders or files dropped on the window.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeySequence>
#include <QMimeData>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>
#include <QUrl>

#include "app/ui/weld_help.h"
#include "app/ui/weld_main.h"
#include "common/text_table.h"
#include "common/ui/form_tools.h"
#include "common/ui/qt_text.h"
#include "display/ui/wave_chart.h"
#include "settings/settings_file.h"
#include "wavefile/folder_scan.h"

namespace vx {

void TFormWeldMain::MakeShortcuts() {
    for (const ViewerKey& k : ViewerKeys()) {
        for (const char* key : k.keys) {
            if (key == nullptr) continue;
            auto* s =
                new QShortcut(QKeySequence::fromString(key, QKeySequence::PortableText), this);
            s->setObjectName(QString("Key:") + key);
            s->setContext(Qt::WindowShortcut);
            connect(s, &QShortcut::activated, this,
                    GuardedSlot([this, c = k.command] { RunCommand(c); }));
        }
    }
}

void TFormWeldMain::RunCommand(ViewerCommand c) {
    using C = ViewerCommand;
    // The keys of the chart rest while it is suspended, as its mouse does.
    const bool chart = ChtWave->isEnabled();
    switch (c) {
        case C::ZoomIn:
        case C::ZoomOut:
            if (!chart) return;
            view_.ZoomAroundCentre(c == C::ZoomIn ? kKeyZoomIn : 1 / kKeyZoomIn);
            ShowTimeView();
            return;
        case C::PanLeft:
        case C::PanRight:
            if (!chart) return;
            view_.PanByShare(c == C::PanLeft ? -kKeyPanShare : kKeyPanShare);
            ShowTimeView();
            return;
        case C::Home:
            if (!chart) return;
            view_.GoHome();
            ShowTimeView();
            return;
        case C::Fit:
            if (chart) FitTimeToWave();
            return;
        case C::CursorA:
        case C::CursorB:
            if (!chart) return;
            if (const std::optional<double> t = ChtWave->MouseTime())
                SetCursor(c == C::CursorA ? Cursor::A : Cursor::B, *t);
            return;
        case C::ClearCursors:
            if (!chart) return;
            cursors_.Clear();
            UpdateCursors();
            return;
        // The file keys do what their buttons do, and nothing while a button
        // is disabled (at the ends of the list, or while busy).
        case C::NextFile:
            if (BitBtnNext->isEnabled()) BitBtnNextClick();
            return;
        case C::PrevFile:
            if (BitBtnPrev->isEnabled()) BitBtnPrevClick();
            return;
        case C::FirstFile:
            if (BitBtnRewd->isEnabled()) BitBtnRewdClick();
            return;
        case C::LastFile:
            if (BitBtnFfwd->isEnabled()) BitBtnFfwdClick();
            return;
        case C::Open:
            if (BtnOpen->isEnabled()) BtnOpenClick();
            return;
        case C::DisplaySettings:
            if (BtnDisp->isEnabled()) BtnDispClick();
            return;
        case C::Exit:
            BtnExitClick();
            return;
        case C::Overview:
            BtnOverviewClick();
            return;
        case C::CopyPicture:
            CopyPicture();
            return;
        case C::SavePicture:
            SavePicture();
            return;
        case C::ExportData:
            ExportData();
            return;
        case C::Help:
            ShowHelp();
            return;
    }
}

void TFormWeldMain::ShowTimeView() {
    const TimeSpan r = view_.Range();
    ChtWave->BottomAxis() = view_.Axis(ChtWave->TimeTickRoom(r.lo, r.hi));
    ChtWave->ApplyAxes(view_.Zoomed());
}

void TFormWeldMain::ShowTimeRange(double lo, double hi) {
    view_.Show({lo, hi});
    ShowTimeView();
}

void TFormWeldMain::FitTimeToWave() {
    if (!wave_.loaded) return;
    if (const std::optional<TimeSpan> s = TimesSpanned(wave_.samples.t)) {
        view_.Fit(s->lo, s->hi);
        ShowTimeView();
    }
}

void TFormWeldMain::ChtWaveGesture(const Gesture& g) {
    switch (g.kind) {
        case GestureKind::SetCursor:
            SetCursor(g.cursor, g.t0);
            return;
        case GestureKind::ZoomBand:
            view_.ZoomToBand(g.t0, g.t1);
            ShowTimeView();
            return;
        case GestureKind::Pan:
            view_.Show({g.t0, g.t1});
            ShowTimeView();
            return;
        case GestureKind::Home:
            if (g.undoClick) {
                cursors_.UndoLast();
                UpdateCursors();
            }
            view_.GoHome();
            ShowTimeView();
            return;
        default:
            return;
    }
}

void TFormWeldMain::ChtWaveWheel(double anchor, double factor) {
    view_.ZoomAt(anchor, factor);
    ShowTimeView();
}

void TFormWeldMain::SetCursor(Cursor c, double t) {
    const std::optional<double> at = CursorTimeAt(t);
    if (!at) return;
    cursors_.Set(c, *at);
    UpdateCursors();
}

void TFormWeldMain::UpdateCursors() {
    ChtWave->SetCursors(cursors_.A(), cursors_.B());
    UpdateMetrics();
}

void TFormWeldMain::ShowHelp() {
    if (!help_) help_ = new TFormWeldHelp(*Common, this);
    help_->show();
    help_->raise();
    help_->activateWindow();
}

// ------------------------------------------------------------ opening paths

void TFormWeldMain::OpenPath(const std::string& path) {
    const OpenTarget t = ClassifyOpenPath(path, ParseFormatCheck(WaveSetting.Format.Check));
    std::string folder = t.folder;
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    switch (t.kind) {
        case OpenTarget::Kind::Folder:
            OpenDataLogFolder(folder);
            return;
        case OpenTarget::Kind::WaveFile:
            OpenDataLogFolder(folder, t.name);
            return;
        case OpenTarget::Kind::NotWave:
            ShowMessage(kTextWaveWindowTitle, kTextFileOpenFailed);
            return;
    }
}

void TFormWeldMain::OpenDroppedPath(const std::string& path) {
    if (!BtnOpen->isEnabled()) return;  // busy: the open command is not available either
    SuspendChart();
    ResumeChartAfter(100);  // as after the folder dialog
    OpenPath(path);
}

namespace {

// The first local file or folder among dropped URLs.
std::optional<std::string> DroppedPath(const QMimeData* mime) {
    if (!mime || !mime->hasUrls()) return std::nullopt;
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile() && !url.toLocalFile().isEmpty())
            return ToNativePath(url.toLocalFile());
    return std::nullopt;
}

}  // namespace

void TFormWeldMain::dragEnterEvent(QDragEnterEvent* e) {
    if (DroppedPath(e->mimeData())) e->acceptProposedAction();
}

void TFormWeldMain::dropEvent(QDropEvent* e) {
    const std::optional<std::string> path = DroppedPath(e->mimeData());
    if (!path) return;
    e->acceptProposedAction();
    // Opened once the drop is over: the open may show a message box, and the
    // drag source should not wait for it.
    QTimer::singleShot(0, this, [this, p = *path] { Guarded([&] { OpenDroppedPath(p); }); });
}

}  // namespace vx
