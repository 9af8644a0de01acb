#pragma once
// The main window: menu, wave chart with its three scale columns, trace
// toggles and titles, file navigation and status bar.
#include <QTimer>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "analysis/metrics.h"
#include "app/viewer_keys.h"
#include "display/chart_gestures.h"
#include "display/loaded_wave.h"
#include "display/measure_cursors.h"
#include "display/time_view.h"
#include "settings/weld_wave_setting.h"

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QToolButton;

namespace vx {

class ChartSeries;
class MetricsPanel;
class TFormWeldHelp;
class PictureBox;
class LineList;
class StatusBar;
class TFormFolderOverview;
class WaveChart;
class WeldCommon;

// Asks the user for a folder: caption, instruction, initial folder (native
// path bytes). Returns the chosen folder or nothing when cancelled.
using FolderChooser = std::function<std::optional<std::string>(
    QWidget* parent, const QString& caption, const QString& instruction,
    const std::string& initial)>;

// The platform's modal folder chooser.
std::optional<std::string> ChooseFolderWithDialog(QWidget* parent, const QString& caption,
                                                  const QString& instruction,
                                                  const std::string& initial);

// Asks where to save: caption, file-type filter, suggested path (native
// bytes). Nothing when cancelled.
using SavePathChooser = std::function<std::optional<std::string>(
    QWidget* parent, const QString& caption, const QString& filter, const std::string& suggested)>;

// The platform's save dialog; a name typed without an extension gets the
// suggested one's.
std::optional<std::string> ChooseSavePathWithDialog(QWidget* parent, const QString& caption,
                                                    const QString& filter,
                                                    const std::string& suggested);

struct WeldMainOptions {
    std::string settingsPath;       // empty: Varmonix.ini beside the executable
    FolderChooser chooser;          // empty: the platform's folder chooser
    bool failOwnedObjects = false;  // stands in for a failed creation at start-up
    // kLanguageJapanese or kLanguageEnglish; none: LANGUAGE of section VIEW
    // of the settings file, English without it.
    std::optional<int> language;
};

class TFormWeldMain : public QWidget {
    Q_OBJECT
  public:
    explicit TFormWeldMain(WeldMainOptions options = {}, QWidget* parent = nullptr);
    ~TFormWeldMain() override;

    // False when creating the owned objects failed (the start-up then ends).
    bool Created() const { return created_; }

    // Components, named as in the form.
    QFrame* PnlBase;
    PictureBox* ImgLogoKORVEN;
    QFrame* PnlBaseSub;
    QGroupBox* GrpBoxMenu;
    QPushButton *BtnOpen, *BtnDisp, *BtnExit;
    WaveChart* ChtWave;
    std::array<QFrame*, 9> ShpAxisHor{};
    QFrame* PnlBaseLelfAxisHor;
    QFrame* PnlBaseRightAxisHor;
    QToolButton *SpdBtnExp01, *SpdBtnExp02, *SpdBtnExp03;
    QLabel *LblExpTitle01, *LblExpTitle02, *LblExpTitle03;
    QPushButton *BitBtnRewd, *BitBtnPrev, *BitBtnNext, *BitBtnFfwd;
    QComboBox* CmbBoxCsvFile;
    StatusBar* StsBarWave;
    QTimer* TimToolTip;
    MetricsPanel* PnlMetrics;  // the drawn weld's figures, below the file list

    // Handlers.
    void FormShow();
    void FormResize();
    void BtnOpenClick();
    void BtnDispClick();
    void BtnExitClick();
    void SpdBtnExpClick(QToolButton* sender);
    void BitBtnRewdClick();
    void BitBtnPrevClick();
    void BitBtnNextClick();
    void BitBtnFfwdClick();
    void ImgLogoURLClick();
    void ChtWaveMouseMove(int x);
    void PnlBaseMouseDown();
    void CmbBoxCsvFileChange(int index);
    void TimToolTipTimer();
    void BtnAnalysisSetClick();
    void BtnOverviewClick();

    // Operations.
    void InitView();
    void SetCaptions();
    void SetupAxes();
    // Shows a set-up's captions and limits (message 955 for a refused time limit).
    void ShowAxes(const AxisSetupResult& r);
    void LoadWaveFile();
    void LoadMultiWaves();
    void EnableMainControls(bool enabled);
    void UpdateFileButtons();
    void LoadWaveSetting();
    void SaveWaveSetting();
    void SuspendChart();
    void ResumeChartAfter(int delayMs);
    void FreeObjects();
    // Draws weld `fileNo` of the open folder, as chosen in the overview.
    void ShowWeld(int32_t fileNo);
    // The folder overview; none before it is first opened.
    TFormFolderOverview* Overview() const { return overview_; }
    // Steps 8 onward of the open command, for a folder chosen elsewhere;
    // `select` names the file to draw instead of the first. The open folder
    // is read again only for a file its list does not have yet.
    void OpenDataLogFolder(const std::string& path, const std::string& select = {});
    // A folder opens as chosen in the folder dialog, a wave file opens its
    // folder with the file drawn; another file gives message 964 and nothing
    // changes. For the command line at start.
    void OpenPath(const std::string& path);
    // A path dropped on the window: the open command with `path` for the
    // chooser's answer.
    void OpenDroppedPath(const std::string& path);

    // Keys and gestures.
    void RunCommand(ViewerCommand c);
    void ChtWaveGesture(const Gesture& g);
    void ChtWaveWheel(double anchor, double factor);
    void SetCursor(Cursor c, double t);
    void ShowHelp();

    // Pictures and data that leave the window; nothing before a file is drawn.
    // The chart with its scale columns and titles as an image on the clipboard.
    void CopyPicture();
    // The picture to a PNG, SVG or PDF file chosen by savePathChooser.
    void SavePicture();
    // The samples of ExportRange() to a CSV file chosen by savePathChooser.
    void ExportData();
    // Between the cursors when both are set, else the visible time range.
    TimeSpan ExportRange() const;
    // The actions of the export menu of the scale columns and titles.
    QMenu* ExportMenu();
    SavePathChooser savePathChooser;  // the platform's save dialog unless replaced
    const TimeView& View() const { return view_; }
    // Zooms the time axis to lo..hi ms, as far as the zoom limits allow.
    void ShowTimeRange(double lo, double hi);
    const MeasureCursors& Cursors() const { return cursors_; }
    // Figures of the range A..B of the drawn file; none unless both cursors are set.
    const std::optional<WeldMetrics>& RangeMetrics() const { return rangeMetrics_; }
    TFormWeldHelp* HelpWindow() const { return help_; }

    const std::string& SettingsPath() const { return settingsPath_; }
    QLabel* ScaleLabel(int column, int index) const { return LblAxisHor[column][index]; }
    QLabel* UnitLabel(int column) const { return LblAxisUnit[column]; }
    QLabel* TitleLabel(int column) const { return LblExpTitle[column]; }
    ChartSeries* SeriesAt(int i) const { return SeriesWave[i]; }
    // The drawn file; not loaded before a file is drawn.
    const LoadedWave& CurrentWave() const { return wave_; }
    // How many files have been drawn since the window was made; tells a
    // caller whether its file was drawn or the display stayed as it was.
    uint64_t WavesDrawn() const { return wavesDrawn_; }
    // Overlay slot i (0..9) as drawn; not readable when the slot is empty.
    const LoadedWave& OverlayWave(int i) const { return overlays_[i]; }
    // Figures of the drawn file; none before a file is drawn.
    const std::optional<WeldMetrics>& CurrentMetrics() const { return metrics_; }
    const AnalysisParams& Analysis() const { return analysis_; }
    // The objects made at creation are alive (FreeObjects releases them).
    bool OwnedObjectsAlive() const { return Common && WaveLines && CsvFileList; }

    // State the dialog, the start-up and tests share.
    std::unique_ptr<WeldCommon> Common;
    std::string CsvFolder;
    WeldWaveSetting WaveSetting;
    int32_t CsvFileNo = 0;
    int32_t CsvFileCount = 0;
    std::array<int32_t, 10> MultiNo{};

  protected:
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;

  private:
    void FormCreate(bool failOwnedObjects);
    void BuildComponents();
    void Connect();
    void StepTo(int32_t fileNo);
    void ShowMessage(int captionId, int messageId);
    // The panel's figures of the drawn file: `whole` when already worked out.
    void UpdateMetrics(std::optional<WeldMetrics> whole = std::nullopt);
    // Gives the overview the open folder and the settings it is measured with.
    void SyncOverview();
    void MakeShortcuts();
    // Draws the time axis of view_: home as set up, or the zoom.
    void ShowTimeView();
    void UpdateCursors();
    void FitTimeToWave();

    // State of the window's own.
    bool FirstResize = false;
    std::unique_ptr<LineList> WaveLines;  // scratch of the file reads
    std::array<ChartSeries*, 33> SeriesWave{};
    std::array<std::array<QLabel*, 11>, 3> LblAxisHor{};
    std::array<QLabel*, 3> LblAxisUnit{};
    std::array<QLabel*, 3> LblExpTitle{};
    std::array<double, 3> AxisFactor{};
    uint8_t WaveLayout = 0;
    uint8_t SampleCode = 0;
    std::unique_ptr<std::vector<std::string>> CsvFileList;
    LoadedWave wave_;
    uint64_t wavesDrawn_ = 0;
    std::array<LoadedWave, 10> overlays_;
    AnalysisParams analysis_;
    std::optional<WeldMetrics> metrics_;
    TFormFolderOverview* overview_ = nullptr;  // a window of its own, owned as a child
    std::optional<WeldMetrics> rangeMetrics_;
    TimeView view_;
    MeasureCursors cursors_;
    TFormWeldHelp* help_ = nullptr;

    bool created_ = false;
    bool shownOnce_ = false;
    std::string settingsPath_;
    FolderChooser chooser_;
    std::optional<int> language_;
    QPoint dragOffset_;
    bool dragging_ = false;
    QMenu* exportMenu_ = nullptr;
};

extern TFormWeldMain* FormWeldMain;

}  // namespace vx
