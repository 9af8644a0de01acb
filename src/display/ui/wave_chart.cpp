#include "display/ui/wave_chart.h"

#include <qcustomplot.h>

#include <QToolTip>
#include <algorithm>

#include "common/prefault.h"
#include "common/ui/fonts.h"
#include "display/readout.h"

namespace vx {

// ---------------------------------------------------------------- ChartSeries

ChartSeries::ChartSeries(QCPGraph* graph, QString name) : graph_(graph), name_(std::move(name)) {}

void ChartSeries::Clear() { graph_->data()->set(QVector<QCPGraphData>(), true); }

void ChartSeries::AddXY(double x, double y) {
    QVector<QCPGraphData> data(graph_->data()->constBegin(), graph_->data()->constEnd());
    auto pos = std::upper_bound(data.begin(), data.end(), x,
                                [](double key, const QCPGraphData& d) { return key < d.key; });
    data.insert(pos, QCPGraphData(x, y));
    graph_->data()->set(data, true);
}

void ChartSeries::SetSortedPoints(const std::vector<double>& t, const std::vector<double>& y) {
    const size_t n = std::min(t.size(), y.size());
    // Each point written once: a sized vector would first fill a million
    // points through the library's out-of-line constructor.
    QVector<QCPGraphData> data;
    data.reserve(static_cast<qsizetype>(n));
    PrefaultForWrite(data.constData(), n * sizeof(QCPGraphData));
    QCPGraphData point;
    for (size_t i = 0; i < n; ++i) {
        point.key = t[i];
        point.value = y[i];
        data.append(point);
    }
    graph_->data()->set(data, true);  // shares the vector, no copy
}

size_t ChartSeries::Count() const { return static_cast<size_t>(graph_->data()->size()); }
double ChartSeries::XValue(size_t i) const { return graph_->data()->at(static_cast<int>(i))->key; }
double ChartSeries::YValue(size_t i) const {
    return graph_->data()->at(static_cast<int>(i))->value;
}

bool ChartSeries::Active() const { return graph_->visible(); }
void ChartSeries::SetActive(bool active) { graph_->setVisible(active); }

ptrdiff_t ChartSeries::LastVisibleIndex() const {
    const QCPRange r = graph_->keyAxis()->range();
    const auto& data = *graph_->data();
    auto end = data.findEnd(r.upper, false);  // first point after the axis maximum
    if (end == data.constBegin()) return -1;
    --end;
    return end->key >= r.lower ? end - data.constBegin() : -1;
}

double ChartSeries::XScreenToValue(double px) const { return graph_->keyAxis()->pixelToCoord(px); }
QColor ChartSeries::Color() const { return graph_->pen().color(); }
bool ChartSeries::Dotted() const { return graph_->pen().style() == Qt::DotLine; }
bool ChartSeries::OnRightAxis() const {
    return graph_->valueAxis() == graph_->parentPlot()->yAxis2;
}

// ----------------------------------------------------------------- WaveChart

namespace {

void SetAxisRange(QCPAxis* axis, const RangeAxis& model) {
    double lo = model.Minimum(), hi = model.Maximum();
    if (hi <= lo) hi = lo + 1;  // a zero range cannot be drawn
    axis->setRange(lo, hi);
}

}  // namespace

WaveChart::WaveChart(QWidget* parent) : QWidget(parent), plot_(new QCustomPlot(this)) {
    setObjectName("ChtWave");
    plot_->setObjectName("ChtWavePlot");
    plot_->setMouseTracking(true);
    plot_->installEventFilter(this);
    plot_->setInteractions({});  // no zoom, no panning, no selection
    plot_->setNoAntialiasingOnDrag(true);
    plot_->setAntialiasedElements(QCP::aeNone);
    plot_->setPlottingHint(QCP::phCacheLabels, true);
    plot_->setBackground(palette().color(QPalette::Button));

    QCPAxisRect* rect = plot_->axisRect();
    rect->setAutoMargins(QCP::msNone);
    rect->setMinimumMargins(QMargins(0, 0, 0, 0));
    rect->setBackground(QBrush(QColor(255, 255, 206)));
    plot_->plotLayout()->setMargins(QMargins(0, 0, 0, 0));

    const QFont axisFont = GothicFont(16, true);
    QCPAxis* x = plot_->xAxis;
    x->setTickLabelFont(axisFont);
    x->setLabelFont(axisFont);
    x->setLabel("msec");
    x->setLabelPadding(2);
    x->setTickLabelPadding(12);  // clear of the bottom scale labels beside the plot
    x->grid()->setPen(QPen(QColor(128, 128, 128), 0, Qt::DotLine));
    x->setSubTicks(false);
    for (QCPAxis* y : {plot_->yAxis, plot_->yAxis2}) {
        y->setVisible(true);
        y->setTickLabels(false);  // the scale label columns replace them
        y->setTicks(false);
        y->setSubTicks(false);
        y->grid()->setVisible(false);  // the window's own grid lines sit at the tenths
    }

    const QColor red(255, 0, 0), blue(0, 0, 255), green(0, 128, 0);
    AddSeries("Series001", ChartAxis::Left, red, false);
    AddSeries("Series002", ChartAxis::Right, blue, false);
    AddSeries("Series003", ChartAxis::Left, green, false);
    AddSeries("SeriesDummyL", ChartAxis::Left, red, false);
    AddSeries("SeriesDummyR", ChartAxis::Right, blue, false);
    const struct {
        int column;
        ChartAxis axis;
        QColor color;
    } overlays[] = {
        {1, ChartAxis::Left, red}, {2, ChartAxis::Right, blue}, {3, ChartAxis::Left, green}};
    for (const auto& o : overlays)
        for (int i = 1; i <= 10; ++i)
            AddSeries(QString("Series%1%2").arg(o.column).arg(i, 2, 10, QChar('0')), o.axis,
                      o.color, true);

    hintTimer_.setSingleShot(true);
    hintTimer_.setInterval(kHintPauseMs);
    connect(&hintTimer_, &QTimer::timeout, this, &WaveChart::ShowHintNow);

    ApplyAxes();
}

WaveChart::~WaveChart() = default;

ChartSeries* WaveChart::AddSeries(const QString& name, ChartAxis axis, QColor color, bool dotted) {
    QCPGraph* g =
        plot_->addGraph(plot_->xAxis, axis == ChartAxis::Left ? plot_->yAxis : plot_->yAxis2);
    g->setName(name);
    g->setPen(QPen(color, 1, dotted ? Qt::DotLine : Qt::SolidLine));
    g->setLineStyle(QCPGraph::lsLine);
    g->setScatterStyle(QCPScatterStyle::ssNone);
    g->setAdaptiveSampling(true);
    series_.push_back(std::make_unique<ChartSeries>(g, name));
    return series_.back().get();
}

ChartSeries* WaveChart::Series(const QString& name) const {
    for (const auto& s : series_)
        if (s->Name() == name) return s.get();
    return nullptr;
}

void WaveChart::ApplyAxes() {
    SetAxisRange(plot_->xAxis, bottom_);
    SetAxisRange(plot_->yAxis, left_);
    SetAxisRange(plot_->yAxis2, right_);
    if (bottom_.Increment() > 0) {
        auto ticker = QSharedPointer<QCPAxisTickerFixed>::create();
        ticker->setTickStep(bottom_.Increment());
        // Keep the labels readable when a hand-made increment is tiny.
        ticker->setScaleStrategy(QCPAxisTickerFixed::ssMultiples);
        ticker->setTickCount(50);
        plot_->xAxis->setTicker(ticker);
    } else {
        plot_->xAxis->setTicker(QSharedPointer<QCPAxisTicker>::create());
    }
    Replot();
}

void WaveChart::Replot() { plot_->replot(QCustomPlot::rpQueuedReplot); }
void WaveChart::ReplotNow() { plot_->replot(QCustomPlot::rpImmediateRefresh); }

QString WaveChart::BottomAxisTitle() const { return plot_->xAxis->label(); }

QRect WaveChart::PlotRect() const { return plot_->axisRect()->rect(); }

void WaveChart::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    plot_->setGeometry(rect());
    const int right = std::max(0, width() - kPlotLeft - kPlotWidth);
    const int bottom = std::max(0, height() - kPlotTop - kPlotHeight);
    plot_->axisRect()->setMargins(QMargins(kPlotLeft, kPlotTop, right, bottom));
}

void WaveChart::SetHint(const QString& hint) {
    hint_ = hint;
    if (hint_.isEmpty()) {
        hintTimer_.stop();
        if (QToolTip::isVisible()) QToolTip::hideText();
    } else if (QToolTip::isVisible() && underMouse()) {
        ShowHintNow();  // follow the mouse while the tip is up
    } else {
        hintTimer_.start();
    }
}

void WaveChart::ShowHintNow() {
    if (hint_.isEmpty() || !isEnabled()) return;
    // A fixed-pitch face keeps the decimal points of the values in one column.
    QToolTip::setFont(GothicFont(14));
    QToolTip::showText(plot_->mapToGlobal(lastMouse_ + QPoint(12, 16)), hint_, plot_, QRect(),
                       kHintHideMs);
}

void WaveChart::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        hintTimer_.stop();
        if (QToolTip::isVisible()) QToolTip::hideText();
    }
}

bool WaveChart::eventFilter(QObject* watched, QEvent* event) {
    if (watched == plot_) {
        switch (event->type()) {
            case QEvent::MouseMove: {
                // Filters see the moves of a disabled widget too; a suspended
                // chart must not rewrite its read-out.
                if (!isEnabled()) break;
                auto* me = static_cast<QMouseEvent*>(event);
                lastMouse_ = me->position().toPoint();
                emit MouseMoved(lastMouse_.x(), lastMouse_.y());
                break;
            }
            case QEvent::ToolTip:
                return true;  // the hint timer shows the tip
            case QEvent::Leave:
            case QEvent::EnabledChange:
                hintTimer_.stop();
                break;
            default:
                break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace vx
