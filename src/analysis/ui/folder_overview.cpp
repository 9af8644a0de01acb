#include "analysis/ui/folder_overview.h"

#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHideEvent>
#include <QItemSelectionModel>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QThread>
#include <QVBoxLayout>
#include <filesystem>

#include "analysis/limits.h"
#include "analysis/ui/limits_set.h"
#include "analysis/ui/overview_model.h"
#include "analysis/ui/trend_chart.h"
#include "common/atomic_file.h"
#include "common/text_table.h"
#include "common/ui/fonts.h"
#include "common/ui/form_tools.h"
#include "common/ui/message_box2.h"
#include "common/ui/qt_text.h"
#include "common/weld_common.h"

namespace vx {
namespace {

constexpr int kRowHeight = 22;
constexpr qint64 kTrendPauseMs = 250;

// "<parent>/<folder name>_overview.csv": beside the data-log folder, so the
// export never joins the welds it lists.
std::string SuggestedCsvPath(const std::string& folder) {
    namespace fs = std::filesystem;
    const fs::path p(folder);
    if (folder.empty() || !p.has_filename()) return "overview.csv";
    return (p.parent_path() / (p.filename().native() + "_overview.csv")).native();
}

}  // namespace

std::optional<std::string> ChooseSaveFileWithDialog(QWidget* parent, const QString& caption,
                                                    const QString& filter,
                                                    const std::string& suggested) {
    QFileDialog dialog(parent, caption, FromNativePath(suggested), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return ToNativePath(dialog.selectedFiles().front());
}

TFormFolderOverview::TFormFolderOverview(const WeldCommon& common, std::string settingsPath,
                                         QWidget* parent)
    : QWidget(parent, Qt::Window),
      saveChooser(ChooseSaveFileWithDialog),
      common_(common),
      settingsPath_(std::move(settingsPath)) {
    setObjectName("FormFolderOverview");
    setFont(GothicFont(14));
    model_ = new OverviewModel(this);
    proxy_ = new OverviewProxy(this);
    proxy_->setSourceModel(model_);
    BuildComponents();
    SetCaptions();
    model_->SetLimits(LoadLimits(settingsPath_));
    UpdateTrend();
    UpdateStatus();
}

TFormFolderOverview::~TFormFolderOverview() { StopWorker(); }

void TFormFolderOverview::BuildComponents() {
    auto* top = new QHBoxLayout;
    BtnLimits = new QPushButton(this);
    BtnLimits->setObjectName("BtnLimits");
    BtnExport = new QPushButton(this);
    BtnExport->setObjectName("BtnExport");
    auto* trendLabel = new QLabel(this);
    trendLabel->setObjectName("LblTrend");
    CmbBoxTrend = new QComboBox(this);
    CmbBoxTrend->setObjectName("CmbBoxTrend");
    CmbBoxTrend->setMinimumWidth(200);
    trendLabel->setBuddy(CmbBoxTrend);
    top->addWidget(BtnLimits);
    top->addWidget(BtnExport);
    top->addStretch(1);
    top->addWidget(trendLabel);
    top->addWidget(CmbBoxTrend);

    TblOverview = new QTableView(this);
    TblOverview->setObjectName("TblOverview");
    TblOverview->setModel(proxy_);
    TblOverview->setFont(GothicFont(15));
    TblOverview->setSortingEnabled(true);
    TblOverview->sortByColumn(kColNumber, Qt::AscendingOrder);
    TblOverview->setSelectionBehavior(QAbstractItemView::SelectRows);
    TblOverview->setSelectionMode(QAbstractItemView::ExtendedSelection);
    TblOverview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TblOverview->setWordWrap(false);
    TblOverview->verticalHeader()->hide();
    // Fixed row heights: ten thousand rows are never measured one by one.
    TblOverview->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    TblOverview->verticalHeader()->setDefaultSectionSize(kRowHeight);
    TblOverview->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    TblOverview->horizontalHeader()->setStretchLastSection(true);
    TblOverview->horizontalHeader()->setHighlightSections(false);

    ChtTrend = new TrendChart(this);
    ChtTrend->setMinimumHeight(180);
    auto* split = new QSplitter(Qt::Vertical, this);
    split->setObjectName("SplOverview");
    split->addWidget(TblOverview);
    split->addWidget(ChtTrend);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    split->setChildrenCollapsible(false);

    auto* bottom = new QHBoxLayout;
    PrgFill = new QProgressBar(this);
    PrgFill->setObjectName("PrgFill");
    PrgFill->setMaximumWidth(300);
    BtnCancelFill = new QPushButton(this);
    BtnCancelFill->setObjectName("BtnCancelFill");
    LblStatus = new QLabel(this);
    LblStatus->setObjectName("LblStatus");
    LblStatus->setTextFormat(Qt::PlainText);
    bottom->addWidget(PrgFill);
    bottom->addWidget(BtnCancelFill);
    bottom->addWidget(LblStatus, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(split, 1);
    layout->addLayout(bottom);
    resize(1180, 820);

    connect(BtnLimits, &QPushButton::clicked, this,
            [this] { Guarded([this] { BtnLimitsClick(); }); });
    connect(BtnExport, &QPushButton::clicked, this,
            [this] { Guarded([this] { BtnExportClick(); }); });
    connect(BtnCancelFill, &QPushButton::clicked, this, [this] { CancelFill(); });
    connect(CmbBoxTrend, &QComboBox::currentIndexChanged, this, [this](int) { UpdateTrend(); });
    connect(TblOverview, &QAbstractItemView::activated, this, [this](const QModelIndex& i) {
        emit WeldChosen(i.data(OverviewModel::kNumberRole).toInt());
    });
    connect(TblOverview->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { UpdateSelection(); });
    connect(ChtTrend, &TrendChart::PointClicked, this, [this](int n) { ShowRowOf(n); });
}

void TFormFolderOverview::SetCaptions() {
    auto text = [this](int id) { return QString::fromStdString(common_.LoadTextUtf8(id)); };
    model_->SetCaptions(common_);
    BtnLimits->setText(text(kTextLimitsButton));
    BtnExport->setText(text(kTextExportCsv));
    BtnCancelFill->setText(text(kTextCancel));
    findChild<QLabel*>("LblTrend")->setText(text(kTextTrend));
    CmbBoxTrend->clear();
    for (int c = kColArcTime; c <= kColGaps; ++c)
        CmbBoxTrend->addItem(text(kTextColumnNumber + c), c);
    CmbBoxTrend->setCurrentIndex(kColCurrent - kColArcTime);

    // Wide enough for the caption and for a large figure of the column.
    static const char* const kSamples[kOverviewColumns] = {
        "000000", "000000_0000.csv", "000000", "0000.0", "000.0", "00.00",
        "000000", "0000000",         "00.000", "0000",   "0000",  "unreadable"};
    const QFontMetrics header(TblOverview->horizontalHeader()->font());
    const QFontMetrics cell(TblOverview->font());
    for (int c = 0; c < kOverviewColumns; ++c) {
        const int w = std::max(header.horizontalAdvance(text(kTextColumnNumber + c)) + 24,
                               cell.horizontalAdvance(QString::fromLatin1(kSamples[c])) + 14);
        TblOverview->setColumnWidth(c, w);
    }
}

void TFormFolderOverview::SetFolder(OverviewJob job) {
    StopWorker();
    job_ = std::move(job);
    model_->Clear();
    state_ = State::Idle;
    auto title = QString::fromStdString(common_.LoadTextUtf8(kTextOverviewTitle));
    if (!job_.folder.empty()) title += QStringLiteral(" - ") + FromNativePath(job_.folder);
    setWindowTitle(title);
    pending_ = true;
    if (isVisible()) StartFill();
    UpdateTrend();
    UpdateStatus();
}

void TFormFolderOverview::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (pending_) StartFill();
}

void TFormFolderOverview::hideEvent(QHideEvent* e) {
    QWidget::hideEvent(e);
    if (state_ != State::Filling || e->spontaneous()) return;  // not when merely minimized
    CancelFill();
    pending_ = true;
}

void TFormFolderOverview::StartFill() {
    pending_ = false;
    StopWorker();
    model_->Clear();
    // The settings file may have been edited since: --metrics would read it now.
    model_->SetLimits(LoadLimits(settingsPath_));
    ++generation_;
    if (job_.names.empty()) {
        state_ = State::Idle;
        UpdateTrend();
        UpdateStatus();
        return;
    }
    state_ = State::Filling;
    cancel_ = std::make_shared<std::atomic<bool>>(false);
    OverviewJob job = job_;
    if (measureOverride) job.measure = measureOverride;
    const quint64 generation = generation_;
    const std::shared_ptr<std::atomic<bool>> cancel = cancel_;
    worker_.reset(QThread::create([this, job = std::move(job), generation, cancel] {
        // Nothing may escape a thread: a failure to hand a batch on ends the fill.
        try {
            MeasureFolder(job, *cancel, [this, generation](std::vector<OverviewRow>&& rows) {
                auto batch = std::make_shared<std::vector<OverviewRow>>(std::move(rows));
                QMetaObject::invokeMethod(
                    this, [this, generation, batch] { OnRows(generation, std::move(*batch)); },
                    Qt::QueuedConnection);
            });
        } catch (...) {
        }
        QMetaObject::invokeMethod(
            this, [this, generation] { OnFillEnded(generation); }, Qt::QueuedConnection);
    }));
    worker_->setObjectName("OverviewFill");
    worker_->start();
    UpdateTrend();
    UpdateStatus();
}

void TFormFolderOverview::StopWorker() {
    if (!worker_) return;
    if (cancel_) *cancel_ = true;
    worker_->wait();  // ends with the file in hand
    worker_.reset();
}

bool TFormFolderOverview::WorkerRunning() const { return worker_ && worker_->isRunning(); }

void TFormFolderOverview::CancelFill() {
    if (state_ != State::Filling) return;
    if (cancel_) *cancel_ = true;
    state_ = State::Cancelled;  // rows still on their way are dropped
    UpdateTrend();
    UpdateStatus();
}

void TFormFolderOverview::OnRows(quint64 generation, std::vector<OverviewRow>&& rows) {
    if (generation != generation_ || state_ != State::Filling) return;
    model_->Append(std::move(rows));
    // Drawing ten thousand points for every batch would slow the fill; a
    // few times a second is enough to watch it grow.
    if (!trendClock_.isValid() || trendClock_.elapsed() >= kTrendPauseMs) UpdateTrend();
    UpdateStatus();
}

void TFormFolderOverview::OnFillEnded(quint64 generation) {
    if (generation != generation_ || state_ != State::Filling) return;
    state_ = State::Done;
    UpdateTrend();
    UpdateStatus();
    emit FillFinished();
}

int TFormFolderOverview::TrendColumn() const {
    const QVariant c = CmbBoxTrend->currentData();
    return c.isValid() ? c.toInt() : kColCurrent;
}

void TFormFolderOverview::UpdateTrend() {
    trendClock_.start();
    const int column = TrendColumn();
    ChtTrend->SetTitles(QString::fromStdString(common_.LoadTextUtf8(kTextColumnNumber)),
                        CmbBoxTrend->currentText());
    ChtTrend->SetLimit(model_->CurrentLimits().bound[LimitKeyOfColumn(column)]);
    ChtTrend->SetPoints(TrendPoints(model_->Rows(), column));
}

void TFormFolderOverview::UpdateStatus() {
    auto text = [this](int id) { return QString::fromStdString(common_.LoadTextUtf8(id)); };
    const int total = static_cast<int>(job_.names.size());
    const int have = model_->rowCount();
    PrgFill->setRange(0, std::max(total, 1));
    PrgFill->setValue(have);
    PrgFill->setVisible(state_ == State::Filling);
    BtnCancelFill->setVisible(state_ == State::Filling);
    BtnExport->setEnabled(have > 0);
    int failing = 0, unreadable = 0;
    for (const OverviewRow& r : model_->Rows()) {
        const RowResult res = ResultOf(r);
        if (res == RowResult::Fail) ++failing;
        if (res == RowResult::Unreadable) ++unreadable;
    }
    QString s;
    if (job_.folder.empty())
        s = text(kTextNoFolder);
    else if (state_ == State::Filling)
        s = text(kTextMeasuring).arg(have).arg(total);
    else if (state_ == State::Cancelled)
        s = text(kTextCancelled).arg(have).arg(total);
    else
        s = text(kTextFilled).arg(have).arg(failing).arg(unreadable);
    LblStatus->setText(s);
}

void TFormFolderOverview::UpdateSelection() {
    std::vector<int> numbers;
    for (const QModelIndex& i : TblOverview->selectionModel()->selectedRows())
        numbers.push_back(i.data(OverviewModel::kNumberRole).toInt());
    ChtTrend->SetSelected(numbers);
}

void TFormFolderOverview::ShowRowOf(int number) {
    const int source = model_->RowOfNumber(number);
    if (source < 0) return;
    const QModelIndex at = proxy_->mapFromSource(model_->index(source, 0));
    TblOverview->selectRow(at.row());
    TblOverview->scrollTo(at);
}

void TFormFolderOverview::BtnLimitsClick() {
    std::array<std::vector<double>, kLimitCount> selection;
    for (const QModelIndex& i : TblOverview->selectionModel()->selectedRows()) {
        const OverviewRow& r = model_->Rows()[proxy_->mapToSource(i).row()];
        if (!r.file.metrics) continue;
        for (int k = 0; k < kLimitCount; ++k)
            if (const std::optional<double> v = LimitFigure(*r.file.metrics, k))
                selection[k].push_back(*v);
    }
    TFormLimitsSet dialog(common_, model_->CurrentLimits(), std::move(selection), this);
    if (dialog.exec() != QDialog::Accepted) return;
    model_->SetLimits(dialog.Chosen());  // the table follows even when the file cannot be written
    UpdateTrend();
    UpdateStatus();
    SaveLimits(settingsPath_, dialog.Chosen());
}

void TFormFolderOverview::BtnExportClick() {
    auto text = [this](int id) { return QString::fromStdString(common_.LoadTextUtf8(id)); };
    if (model_->rowCount() == 0 || !saveChooser) return;
    const std::optional<std::string> path =
        saveChooser(this, text(kTextExportCsv).remove("..."), text(kTextCsvFilter),
                    SuggestedCsvPath(job_.folder));
    if (!path || path->empty()) return;
    // The rows in the order the table shows them.
    std::vector<const OverviewRow*> rows;
    rows.reserve(static_cast<size_t>(proxy_->rowCount()));
    for (int r = 0; r < proxy_->rowCount(); ++r)
        rows.push_back(&model_->Rows()[proxy_->mapToSource(proxy_->index(r, 0)).row()]);
    try {
        WriteFileAtomically(*path, OverviewCsv(job_.folder, rows, model_->CurrentLimits()));
    } catch (const FileWriteError& e) {
        if (FormMessageBox2) {
            FormMessageBox2->SetTexts(text(kTextOverviewTitle),
                                      text(kTextExportFailed) + "\r\n" + FromNativePath(e.Path()) +
                                          "\r\n" + QString::fromStdString(e.Reason()));
            FormMessageBox2->ShowModal();
        }
    }
}

}  // namespace vx
