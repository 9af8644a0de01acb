#pragma once
// The wave chart: a thin adapter over the plotting library that offers the
// operations the windows use (axes with refusing limits, series kept in time
// order, screen-to-time mapping, a hint shown as tool tip). This header and its
// .cpp are the wave display's only contact with the plotting library (the
// folder overview's trend chart has an adapter of its own).
#include <QTimer>
#include <QWidget>
#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "display/chart_gestures.h"
#include "display/measure_cursors.h"
#include "display/range_axis.h"
#include "display/readout.h"
#include "display/trace_map.h"

class QCustomPlot;
class QCPGraph;
class QCPItemLine;
class QCPItemRect;
class QCPItemText;

namespace vx {

enum class ChartAxis { Left, Right };

// One line series. Keeps its points in time order (equal times in the order
// they were added), once: as the time/value pairs the chart draws.
class ChartSeries {
  public:
    ChartSeries(QCPGraph* graph, QString name);

    const QString& Name() const { return name_; }
    void Clear();
    // Adds one point after all points whose time is smaller or equal.
    void AddXY(double x, double y);
    // Replaces all points; `t` must be in ascending order and as long as `y`.
    // With `map`, each value is drawn as map->Map(value).
    void SetSortedPoints(const std::vector<double>& t, const std::vector<double>& y,
                         const Trace3Mapping* map = nullptr);
    bool Active() const;
    void SetActive(bool active);
    size_t Count() const;
    double XValue(size_t i) const;
    double YValue(size_t i) const;
    // The points as drawn, time and value after each other; null when none.
    const double* Points() const;
    // Index of the last point within the bottom axis range, -1 when none.
    ptrdiff_t LastVisibleIndex() const;
    // Pixel column of the chart widget to a time on the bottom axis.
    double XScreenToValue(double px) const;
    QColor Color() const;
    bool Dotted() const;
    bool OnRightAxis() const;

  private:
    QCPGraph* graph_;
    QString name_;
};

class WaveChart : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kPlotLeft = 84, kPlotTop = 28, kPlotWidth = 533, kPlotHeight = 448;
    static constexpr int kHintPauseMs = 300, kHintHideMs = 3000;

    explicit WaveChart(QWidget* parent = nullptr);
    ~WaveChart() override;

    // Series by name: Series001..003, SeriesDummyL/R, Series101..110, 201..210, 301..310.
    ChartSeries* Series(const QString& name) const;
    const std::vector<std::unique_ptr<ChartSeries>>& AllSeries() const { return series_; }

    RangeAxis& BottomAxis() { return bottom_; }
    RangeAxis& LeftAxis() { return left_; }
    RangeAxis& RightAxis() { return right_; }
    // Shows the axis models' current limits and increments. `plainTimeLabels`
    // writes the time captions as plain decimals with the places the grid
    // step needs (a zoom can show any stretch of 0..10,000,000 ms).
    void ApplyAxes(bool plainTimeLabels = false);
    // How many time captions fit side by side for a range ending near `hi`.
    int TimeTickRoom(double lo, double hi) const;
    // Redraws the series after point changes (queued, coalesced).
    void Replot();
    // Immediate redraw, for tests and benchmarks.
    void ReplotNow();

    QString Hint() const { return hint_; }
    void SetHint(const QString& hint);

    // Plot-area rectangle in this widget's coordinates.
    QRect PlotRect() const;
    // The visible time range and the plot's pixel columns.
    PlotMapping Mapping() const;

    // Measurement cursors: vertical lines labelled "A" and "B" above the plot;
    // none for an unset cursor or one outside the visible range.
    void SetCursors(std::optional<double> a, std::optional<double> b);
    static QColor CursorColor(Cursor c);
    // Pixel column of a cursor as drawn; none when it is not drawn.
    std::optional<int> CursorPixel(Cursor c) const;
    QString CursorLabel(Cursor c) const;
    // Where a cursor's label is drawn, in this widget's pixels; none when it is not.
    std::optional<QRect> CursorLabelRect(Cursor c) const;
    // The zoom band while a left drag draws it.
    bool BandShown() const;
    // The time under the mouse while it is over the plot area.
    std::optional<double> MouseTime() const;
    QCustomPlot* Plot() const { return plot_; }
    QString BottomAxisTitle() const;

  signals:
    // The mouse moved over the chart; x in this widget's pixels.
    void MouseMoved(int x, int y);
    // A gesture on the plot the window carries out (cursor, zoom band, pan,
    // home); the band itself the chart draws.
    void Gestured(const vx::Gesture& g);
    // The wheel turned over the chart: zoom by `factor` about time `anchor`.
    void WheelZoom(double anchor, double factor);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    ChartSeries* AddSeries(const QString& name, ChartAxis axis, QColor color, bool dotted);
    void ShowHintNow();
    bool MouseGesture(QEvent* event);
    void Carry(const Gesture& g);
    void UpdateCursorItems();
    void MakeCursorItems();

    QCustomPlot* plot_;
    std::vector<std::unique_ptr<ChartSeries>> series_;
    RangeAxis bottom_{0, 100000, 250};
    RangeAxis left_{519, 3388, 0};
    RangeAxis right_{0, 2000, 0};
    QString hint_;
    QTimer hintTimer_;
    QPoint lastMouse_;
    bool mouseInPlot_ = false;
    bool replotQueued_ = false;

    ChartGestures gestures_;
    std::array<std::optional<double>, 2> cursorTimes_;
    std::array<QCPItemLine*, 2> cursorLines_{};
    std::array<QCPItemText*, 2> cursorLabels_{};
    QCPItemRect* band_ = nullptr;
};

}  // namespace vx
