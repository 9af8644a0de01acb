#pragma once
// The overview's trend chart: one figure against the weld number, failing
// welds in red, the limit as two lines, the selected welds ringed. A click
// near a point names its weld. This header and its .cpp are the analysis
// side's only contact with the plotting library.
#include <QWidget>
#include <optional>
#include <vector>

#include "analysis/limits.h"
#include "analysis/overview_table.h"

class QCustomPlot;
class QCPPainter;
class QCPGraph;
class QCPItemStraightLine;
class QMouseEvent;

namespace vx {

class TrendChart : public QWidget {
    Q_OBJECT
  public:
    // A click farther than this from every point selects nothing.
    static constexpr double kPickRadius = 8;

    explicit TrendChart(QWidget* parent = nullptr);
    ~TrendChart() override;

    // Points in weld-number order; the axes follow them and the limit.
    void SetPoints(std::vector<TrendPoint> points);
    void SetLimit(const Bound& b);
    void SetSelected(const std::vector<int>& numbers);
    void SetTitles(const QString& number, const QString& value);

    size_t PointCount() const { return points_.size(); }
    const Bound& Limit() const { return limit_; }
    // Where the point of weld `number` is drawn, in this widget's pixels.
    std::optional<QPoint> PointPixel(int number) const;
    // The drawing surface, for tests that click on it.
    QWidget* Surface() const;
    // Draws now instead of at the next event loop turn.
    void ReplotNow();
    // Draws the chart at `size` into `p` from its origin, as lines where the
    // painter's device takes them (PDF, SVG).
    void PaintInto(QCPPainter& p, QSize size);

  signals:
    void PointClicked(int number);

  private:
    void Rescale();
    void OnMousePress(QMouseEvent* e);

    QCustomPlot* plot_;
    QCPGraph* line_;
    QCPGraph* passing_;
    QCPGraph* failing_;
    QCPGraph* selected_;
    QCPItemStraightLine* minLine_;
    QCPItemStraightLine* maxLine_;
    std::vector<TrendPoint> points_;
    std::vector<int> selection_;
    Bound limit_;
};

}  // namespace vx
