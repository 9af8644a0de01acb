#pragma once
// The figures of the drawn weld, in the right column below the file list:
// a title with the buttons to the folder overview and to the analysis
// settings, eight rows of label and value, and a note that power and energy
// are estimates. With both cursors set, the same place shows the range A..B
// instead: the cursors' times, the span, a small table of mean, min, max and
// rms per quantity, the energy and the arc time within the range.
#include <QFrame>
#include <array>

#include "analysis/metrics.h"
#include "analysis/metrics_text.h"

class QLabel;
class QToolButton;

namespace vx {

class WeldCommon;

class MetricsPanel : public QFrame {
    Q_OBJECT
  public:
    explicit MetricsPanel(QWidget* parent);

    void SetCaptions(const WeldCommon& common);
    // The figures of one weld; Clear() empties the values (no file drawn).
    // Both show the whole weld's rows.
    void Show(const WeldMetrics& m);
    void Clear();
    // The figures of the range between the cursors, in place of the rows.
    void ShowRange(const RangePanelText& r);
    bool RangeShown() const;

    QLabel* Label(int row) const { return labels_[row]; }
    QLabel* Value(int row) const { return values_[row]; }
    QToolButton* SettingsButton() const { return settings_; }
    QToolButton* OverviewButton() const { return overview_; }
    QLabel* Title() const { return title_; }

    // The range page: the cursors' times, span, energy and arc time...
    enum RangeRow { kRangeCursors, kRangeSpan, kRangeEnergy, kRangeArcTime, kRangeRows };
    QLabel* RangeLabel(RangeRow r) const { return rangeLabels_[r]; }
    QLabel* RangeValue(RangeRow r) const { return rangeValues_[r]; }
    // ...and the table: quantity q (kCurrent..kWireSpeed), statistic k (mean,
    // min, max, rms).
    QLabel* RangeStat(int q, int k) const { return stats_[q][k]; }
    QLabel* RangeStatHeading(int k) const { return statHeadings_[k]; }
    QLabel* RangeQuantity(int q) const { return quantities_[q]; }

  private:
    void ShowPage(bool range);

    QLabel* title_;
    QToolButton* settings_;
    QToolButton* overview_;
    std::array<QLabel*, kPanelRows> labels_{};
    std::array<QLabel*, kPanelRows> values_{};
    QLabel* note_;
    QString wholeTitle_, rangeTitle_, wholeNote_, rangeNote_, wholeNoteTip_, rangeNoteTip_;

    QWidget* range_;
    std::array<QLabel*, kRangeRows> rangeLabels_{};
    std::array<QLabel*, kRangeRows> rangeValues_{};
    std::array<QLabel*, kRangeStats> statHeadings_{};
    std::array<QLabel*, 3> quantities_{};
    std::array<std::array<QLabel*, kRangeStats>, 3> stats_{};
};

}  // namespace vx
