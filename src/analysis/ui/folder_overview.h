#pragma once
// "Folder overview": every weld of the open folder in one sortable table,
// judged against the quality limits, with a trend chart of one column below.
// The figures are measured on a thread of their own and arrive in batches; a
// progress bar and Cancel show and stop the work while both windows stay
// usable. A double click on a row shows that weld in the main window.
#include <QElapsedTimer>
#include <QWidget>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "analysis/overview_fill.h"

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableView;
class QThread;

namespace vx {

class OverviewModel;
class OverviewProxy;
class TrendChart;
class WeldCommon;

// Asks where to save: caption, file-type filter, suggested path (native
// bytes). Nothing when cancelled.
using SaveChooser = std::function<std::optional<std::string>(
    QWidget* parent, const QString& caption, const QString& filter, const std::string& suggested)>;

// The platform's save dialog.
std::optional<std::string> ChooseSaveFileWithDialog(QWidget* parent, const QString& caption,
                                                    const QString& filter,
                                                    const std::string& suggested);

class TFormFolderOverview : public QWidget {
    Q_OBJECT
  public:
    // Limits are read from and written to `settingsPath`.
    TFormFolderOverview(const WeldCommon& common, std::string settingsPath,
                        QWidget* parent = nullptr);
    ~TFormFolderOverview() override;

    // The folder to show: the table is cleared and filled again, now when
    // the window is shown, else when it is next shown.
    void SetFolder(OverviewJob job);
    const OverviewJob& Job() const { return job_; }
    void CancelFill();
    // The rows are still coming.
    bool Filling() const { return state_ == State::Filling; }
    // The measuring thread has not ended yet (it may run on briefly after
    // Cancel, until the file in hand is done).
    bool WorkerRunning() const;

    OverviewModel* Model() const { return model_; }
    OverviewProxy* Proxy() const { return proxy_; }

    // Replaceable in tests.
    SaveChooser saveChooser;
    std::function<FileMetrics(const std::string& path, LineList& lines)> measureOverride;

    // Components.
    QPushButton* BtnLimits;
    QPushButton* BtnExport;
    QComboBox* CmbBoxTrend;
    QTableView* TblOverview;
    TrendChart* ChtTrend;
    QProgressBar* PrgFill;
    QPushButton* BtnCancelFill;
    QLabel* LblStatus;

    void BtnLimitsClick();
    void BtnExportClick();

  signals:
    // A row was double-clicked (or Enter pressed on it).
    void WeldChosen(int number);
    // The last row of a fill has arrived (not after Cancel).
    void FillFinished();

  protected:
    void showEvent(QShowEvent* e) override;
    // A closed overview stops measuring; shown again, it starts over.
    void hideEvent(QHideEvent* e) override;

  private:
    enum class State { Idle, Filling, Done, Cancelled };

    void BuildComponents();
    void SetCaptions();
    void StartFill();
    void StopWorker();
    void OnRows(quint64 generation, std::vector<OverviewRow>&& rows);
    void OnFillEnded(quint64 generation);
    void UpdateTrend();
    void UpdateStatus();
    void UpdateSelection();
    void ShowRowOf(int number);
    int TrendColumn() const;

    const WeldCommon& common_;
    std::string settingsPath_;
    OverviewJob job_;
    bool pending_ = false;
    State state_ = State::Idle;
    OverviewModel* model_;
    OverviewProxy* proxy_;
    std::unique_ptr<QThread> worker_;
    std::shared_ptr<std::atomic<bool>> cancel_;
    quint64 generation_ = 0;
    QElapsedTimer trendClock_;  // since the trend was last drawn
};

}  // namespace vx
