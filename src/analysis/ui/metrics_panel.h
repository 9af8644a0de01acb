#pragma once
// The figures of the drawn weld, in the right column below the file list:
// a title with the buttons to the folder overview and to the analysis
// settings, eight rows of label and value, and a note that power and energy
// are estimates.
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
    void Show(const WeldMetrics& m);
    void Clear();

    QLabel* Label(int row) const { return labels_[row]; }
    QLabel* Value(int row) const { return values_[row]; }
    QToolButton* SettingsButton() const { return settings_; }
    QToolButton* OverviewButton() const { return overview_; }

  private:
    QLabel* title_;
    QToolButton* settings_;
    QToolButton* overview_;
    std::array<QLabel*, kPanelRows> labels_{};
    std::array<QLabel*, kPanelRows> values_{};
    QLabel* note_;
};

}  // namespace vx
