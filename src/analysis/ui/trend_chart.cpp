#include "analysis/ui/trend_chart.h"

#include <qcustomplot.h>

#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <limits>

#include "common/ui/fonts.h"

namespace vx {
namespace {

const QColor kPassColor(30, 90, 200);
const QColor kFailColor(220, 30, 30);
const QColor kLimitColor(220, 30, 30);
const QColor kSelectColor(255, 150, 0);

QCPItemStraightLine* LimitLine(QCustomPlot* plot) {
    auto* l = new QCPItemStraightLine(plot);
    l->setPen(QPen(kLimitColor, 1.5, Qt::DashLine));
    l->setSelectable(false);
    l->setVisible(false);
    return l;
}

QCPGraph* ScatterGraph(QCustomPlot* plot, const QColor& color, QCPScatterStyle::ScatterShape s,
                       double size) {
    QCPGraph* g = plot->addGraph();
    g->setLineStyle(QCPGraph::lsNone);
    g->setScatterStyle(QCPScatterStyle(s, color, color, size));
    g->setPen(QPen(color));
    return g;
}

}  // namespace

TrendChart::TrendChart(QWidget* parent) : QWidget(parent), plot_(new QCustomPlot(this)) {
    setObjectName("ChtTrend");
    plot_->setObjectName("ChtTrendPlot");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(plot_);
    plot_->setInteractions({});
    plot_->setNoAntialiasingOnDrag(true);
    const QFont font = GothicFont(12);
    plot_->xAxis->setTickLabelFont(font);
    plot_->yAxis->setTickLabelFont(font);
    plot_->xAxis->setLabelFont(font);
    plot_->yAxis->setLabelFont(font);
    // Weld numbers are whole.
    QSharedPointer<QCPAxisTickerFixed> ticker(new QCPAxisTickerFixed);
    ticker->setTickStep(1);
    ticker->setScaleStrategy(QCPAxisTickerFixed::ssMultiples);
    plot_->xAxis->setTicker(ticker);

    line_ = plot_->addGraph();
    line_->setPen(QPen(QColor(150, 150, 150), 1));
    line_->setLineStyle(QCPGraph::lsLine);
    passing_ = ScatterGraph(plot_, kPassColor, QCPScatterStyle::ssDisc, 6);
    failing_ = ScatterGraph(plot_, kFailColor, QCPScatterStyle::ssDisc, 8);
    selected_ = plot_->addGraph();
    selected_->setLineStyle(QCPGraph::lsNone);
    selected_->setScatterStyle(
        QCPScatterStyle(QCPScatterStyle::ssCircle, QPen(kSelectColor, 2.5), Qt::NoBrush, 14));
    minLine_ = LimitLine(plot_);
    maxLine_ = LimitLine(plot_);
    connect(plot_, &QCustomPlot::mousePress, this, [this](QMouseEvent* e) { OnMousePress(e); });
    Rescale();
}

TrendChart::~TrendChart() = default;

QWidget* TrendChart::Surface() const { return plot_; }

void TrendChart::SetTitles(const QString& number, const QString& value) {
    plot_->xAxis->setLabel(number);
    plot_->yAxis->setLabel(value);
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

void TrendChart::SetPoints(std::vector<TrendPoint> points) {
    points_ = std::move(points);
    QVector<double> x, y, fx, fy, px, py;
    x.reserve(static_cast<qsizetype>(points_.size()));
    y.reserve(static_cast<qsizetype>(points_.size()));
    for (const TrendPoint& p : points_) {
        x << p.number;
        y << p.value;
        (p.fails ? fx : px) << p.number;
        (p.fails ? fy : py) << p.value;
    }
    line_->setData(x, y, true);
    passing_->setData(px, py, true);
    failing_->setData(fx, fy, true);
    SetSelected(selection_);  // the points under the rings may have moved
    Rescale();
}

void TrendChart::SetLimit(const Bound& b) {
    limit_ = b;
    minLine_->setVisible(b.min.has_value());
    maxLine_->setVisible(b.max.has_value());
    if (b.min) {
        minLine_->point1->setCoords(0, *b.min);
        minLine_->point2->setCoords(1, *b.min);
    }
    if (b.max) {
        maxLine_->point1->setCoords(0, *b.max);
        maxLine_->point2->setCoords(1, *b.max);
    }
    Rescale();
}

void TrendChart::SetSelected(const std::vector<int>& numbers) {
    selection_ = numbers;
    std::sort(selection_.begin(), selection_.end());
    QVector<double> sx, sy;
    for (const TrendPoint& p : points_)
        if (std::binary_search(selection_.begin(), selection_.end(), p.number)) {
            sx << p.number;
            sy << p.value;
        }
    selected_->setData(sx, sy, true);
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

void TrendChart::Rescale() {
    double lo = std::numeric_limits<double>::infinity(), hi = -lo;
    for (const TrendPoint& p : points_) {
        lo = std::min(lo, p.value);
        hi = std::max(hi, p.value);
    }
    for (const std::optional<double>& v : {limit_.min, limit_.max})
        if (v) {
            lo = std::min(lo, *v);
            hi = std::max(hi, *v);
        }
    if (!std::isfinite(lo)) {
        lo = 0;
        hi = 1;
    }
    const double margin = hi > lo ? (hi - lo) * 0.08 : std::max(1.0, std::abs(hi) * 0.05);
    plot_->yAxis->setRange(lo - margin, hi + margin);
    const double first = points_.empty() ? 1 : points_.front().number;
    const double last = points_.empty() ? 1 : points_.back().number;
    plot_->xAxis->setRange(first - 0.5, std::max(last, first + 1) + 0.5);
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

std::optional<QPoint> TrendChart::PointPixel(int number) const {
    const auto it = std::lower_bound(points_.begin(), points_.end(), number,
                                     [](const TrendPoint& p, int n) { return p.number < n; });
    if (it == points_.end() || it->number != number) return std::nullopt;
    const QPointF px(plot_->xAxis->coordToPixel(it->number), plot_->yAxis->coordToPixel(it->value));
    return plot_->mapTo(this, px.toPoint());
}

void TrendChart::ReplotNow() { plot_->replot(QCustomPlot::rpImmediateRefresh); }

void TrendChart::PaintInto(QCPPainter& p, QSize size) {
    plot_->toPainter(&p, size.width(), size.height());
}

void TrendChart::OnMousePress(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton || points_.empty()) return;
    const QPointF at = e->position();
    // Only the points near the click's weld number can be near it.
    const double key = plot_->xAxis->pixelToCoord(at.x());
    const double span = std::abs(plot_->xAxis->pixelToCoord(at.x() + kPickRadius) - key) + 1;
    auto it = std::lower_bound(points_.begin(), points_.end(), key - span,
                               [](const TrendPoint& p, double k) { return p.number < k; });
    double best = kPickRadius * kPickRadius;
    std::optional<int> hit;
    for (; it != points_.end() && it->number <= key + span; ++it) {
        const double dx = plot_->xAxis->coordToPixel(it->number) - at.x();
        const double dy = plot_->yAxis->coordToPixel(it->value) - at.y();
        if (dx * dx + dy * dy <= best) {
            best = dx * dx + dy * dy;
            hit = it->number;
        }
    }
    if (hit) emit PointClicked(*hit);
}

}  // namespace vx
