#include "display/ui/wave_chart.h"

#include <qcustomplot.h>

#include <QToolTip>
#include <algorithm>
#include <cmath>

#include "common/prefault.h"
#include "common/ui/fonts.h"
#include "display/cursor_labels.h"
#include "display/readout.h"

namespace vx {

// ---------------------------------------------------------------- ChartSeries

ChartSeries::ChartSeries(QCPGraph* graph, QString name) : graph_(graph), name_(std::move(name)) {}

void ChartSeries::Clear() {
    const QCPGraphDataContainer& have = *graph_->data();
    if (!have.isEmpty())  // as SetSortedPoints asked for them
        AdviseSmallPages(&*have.constBegin(),
                         static_cast<size_t>(have.size()) * sizeof(QCPGraphData));
    graph_->data()->set(QVector<QCPGraphData>(), true);
}

void ChartSeries::AddXY(double x, double y) {
    QVector<QCPGraphData> data(graph_->data()->constBegin(), graph_->data()->constEnd());
    auto pos = std::upper_bound(data.begin(), data.end(), x,
                                [](double key, const QCPGraphData& d) { return key < d.key; });
    data.insert(pos, QCPGraphData(x, y));
    graph_->data()->set(data, true);
}

void ChartSeries::SetSortedPoints(const std::vector<double>& t, const std::vector<double>& y,
                                  const Trace3Mapping* map) {
    const size_t n = std::min(t.size(), y.size());
    // As many points as before, as when stepping through welds of one
    // length: written over the old ones, no fresh memory.
    QCPGraphDataContainer& have = *graph_->data();
    if (n > 0 && static_cast<size_t>(have.size()) == n) {
        auto it = have.begin();
        for (size_t i = 0; i < n; ++i, ++it) {
            it->key = t[i];
            it->value = map ? map->Map(y[i]) : y[i];
        }
        return;
    }
    Clear();  // the old points go before the new ones take memory
    // Each point written once: a sized vector would first fill a million
    // points through the library's out-of-line constructor.
    QVector<QCPGraphData> data;
    data.reserve(static_cast<qsizetype>(n));
    // 48 MB of points for a million-line file: in 2 MB pages, 512 times
    // fewer first touches.
    AdviseLargePages(data.constData(), n * sizeof(QCPGraphData));
    PrefaultForWrite(data.constData(), n * sizeof(QCPGraphData));
    QCPGraphData point;
    for (size_t i = 0; i < n; ++i) {
        point.key = t[i];
        point.value = map ? map->Map(y[i]) : y[i];
        data.append(point);
    }
    graph_->data()->set(data, true);  // shares the vector, no copy
}

size_t ChartSeries::Count() const { return static_cast<size_t>(graph_->data()->size()); }
const double* ChartSeries::Points() const {
    static_assert(sizeof(QCPGraphData) == 2 * sizeof(double));
    return graph_->data()->isEmpty() ? nullptr : &graph_->data()->constBegin()->key;
}
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

    MakeCursorItems();
    ApplyAxes();
}

namespace {

// An item position: x a time on the bottom axis, y a share of the plot's height.
void PlaceAt(QCPItemPosition* p, double t, double heightShare) {
    p->setTypeX(QCPItemPosition::ptPlotCoords);
    p->setTypeY(QCPItemPosition::ptAxisRectRatio);
    p->setCoords(t, heightShare);
}

}  // namespace

void WaveChart::MakeCursorItems() {
    for (Cursor c : {Cursor::A, Cursor::B}) {
        const int i = static_cast<int>(c);
        const QColor color = CursorColor(c);
        auto* line = new QCPItemLine(plot_);
        line->setPen(QPen(color, 1, Qt::DashLine));
        line->setVisible(false);
        cursorLines_[i] = line;
        // The label stands in the margin above the plot, clear of the traces.
        auto* label = new QCPItemText(plot_);
        label->setClipToAxisRect(false);
        label->setText(c == Cursor::A ? "A" : "B");
        label->setFont(GothicFont(16, true));
        label->setColor(Qt::white);
        label->setBrush(QBrush(color));
        label->setPadding(QMargins(4, 0, 4, 0));
        label->setVisible(false);
        cursorLabels_[i] = label;
    }
    band_ = new QCPItemRect(plot_);
    band_->setPen(QPen(QColor(0, 0, 160), 1, Qt::DotLine));
    band_->setBrush(QBrush(QColor(0, 0, 255, 40)));
    band_->setVisible(false);
}

QColor WaveChart::CursorColor(Cursor c) {
    // Apart from the red, blue and green of the traces, and dark enough on the
    // chart's pale yellow.
    return c == Cursor::A ? QColor(200, 0, 200) : QColor(170, 95, 0);
}

void WaveChart::SetCursors(std::optional<double> a, std::optional<double> b) {
    cursorTimes_ = {a, b};
    UpdateCursorItems();
    Replot();
}

void WaveChart::UpdateCursorItems() {
    const QCPRange r = plot_->xAxis->range();
    std::array<CursorLabelIn, 2> in;
    for (int i = 0; i < 2; ++i) {
        const std::optional<double>& t = cursorTimes_[i];
        const bool shown = t && *t >= r.lower && *t <= r.upper;
        cursorLines_[i]->setVisible(shown);
        cursorLabels_[i]->setVisible(shown);
        if (!shown) continue;
        PlaceAt(cursorLines_[i]->start, *t, 0);
        PlaceAt(cursorLines_[i]->end, *t, 1);
        const QMargins pad = cursorLabels_[i]->padding();
        in[i].pixel = plot_->xAxis->coordToPixel(*t);
        in[i].width =
            QFontMetrics(cursorLabels_[i]->font()).horizontalAdvance(cursorLabels_[i]->text()) +
            pad.left() + pad.right();
    }
    const QRect plot = PlotRect();
    const std::array<double, 2> lefts = CursorLabelLefts(in, plot.left(), plot.right());
    for (int i = 0; i < 2; ++i) {
        if (!in[i].pixel) continue;
        QCPItemPosition* p = cursorLabels_[i]->position;
        p->setTypeX(QCPItemPosition::ptAbsolute);
        p->setTypeY(QCPItemPosition::ptAxisRectRatio);
        p->setCoords(lefts[i], 0);
        cursorLabels_[i]->setPositionAlignment(Qt::AlignLeft | Qt::AlignBottom);
    }
}

std::optional<int> WaveChart::CursorPixel(Cursor c) const {
    const int i = static_cast<int>(c);
    if (!cursorLines_[i]->visible()) return std::nullopt;
    return static_cast<int>(std::lround(plot_->xAxis->coordToPixel(*cursorTimes_[i])));
}

QString WaveChart::CursorLabel(Cursor c) const {
    return cursorLabels_[static_cast<int>(c)]->visible()
               ? cursorLabels_[static_cast<int>(c)]->text()
               : QString();
}

std::optional<QRect> WaveChart::CursorLabelRect(Cursor c) const {
    const QCPItemText* label = cursorLabels_[static_cast<int>(c)];
    if (!label->visible()) return std::nullopt;
    // Item positions are worked out when drawn.
    plot_->replot(QCustomPlot::rpImmediateRefresh);
    return QRectF(label->topLeft->pixelPosition(), label->bottomRight->pixelPosition())
        .toAlignedRect();
}

bool WaveChart::BandShown() const { return band_->visible(); }

PlotMapping WaveChart::Mapping() const {
    const QRect r = PlotRect();
    const QCPRange x = plot_->xAxis->range();
    return PlotMapping{static_cast<double>(r.left()), static_cast<double>(r.width()),
                       TimeSpan{x.lower, x.upper}};
}

std::optional<double> WaveChart::MouseTime() const {
    if (!mouseInPlot_ || !isEnabled()) return std::nullopt;
    return Mapping().TimeAt(lastMouse_.x());
}

int WaveChart::TimeTickRoom(double lo, double hi) const {
    const QFontMetrics fm(plot_->xAxis->tickLabelFont());
    const int widest = std::max(fm.horizontalAdvance(QString::number(std::floor(lo), 'f', 0)),
                                fm.horizontalAdvance(QString::number(std::ceil(hi), 'f', 0)));
    // Half a caption's width between two captions, at least 16 px.
    return std::clamp(kPlotWidth / std::max(1, widest + std::max(16, widest / 2)), 2, 10);
}

void WaveChart::Carry(const Gesture& g) {
    switch (g.kind) {
        case GestureKind::None:
            return;
        case GestureKind::ShowBand:
            PlaceAt(band_->topLeft, g.t0, 0);
            PlaceAt(band_->bottomRight, g.t1, 1);
            band_->setVisible(true);
            Replot();
            return;
        case GestureKind::HideBand:
        case GestureKind::ZoomBand:
            band_->setVisible(false);
            Replot();
            break;
        default:
            break;
    }
    if (g.kind != GestureKind::HideBand) emit Gestured(g);
}

namespace {

MouseButton ButtonOf(Qt::MouseButton b) {
    switch (b) {
        case Qt::LeftButton:
            return MouseButton::Left;
        case Qt::MiddleButton:
            return MouseButton::Middle;
        case Qt::RightButton:
            return MouseButton::Right;
        default:
            return MouseButton::Other;
    }
}

}  // namespace

// The gestures of the plot; true when the event was one.
bool WaveChart::MouseGesture(QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            auto* me = static_cast<QMouseEvent*>(event);
            const QPoint p = me->position().toPoint();
            if (!PlotRect().contains(p)) return false;
            const bool shift = me->modifiers() & Qt::ShiftModifier;
            const bool ctrl = me->modifiers() & Qt::ControlModifier;
            const MouseButton b = ButtonOf(me->button());
            Carry(event->type() == QEvent::MouseButtonPress
                      ? gestures_.Press(b, shift, ctrl, p.x(), Mapping())
                      : gestures_.DoubleClick(b, shift, ctrl, p.x(), Mapping()));
            return true;
        }
        case QEvent::MouseMove:
            if (gestures_.Held())
                Carry(gestures_.Move(static_cast<QMouseEvent*>(event)->position().x()));
            return false;  // the read-out follows the mouse as well
        case QEvent::MouseButtonRelease: {
            if (!gestures_.Held()) return false;
            auto* me = static_cast<QMouseEvent*>(event);
            Carry(gestures_.Release(ButtonOf(me->button()), me->position().x()));
            return true;
        }
        case QEvent::Wheel: {
            auto* we = static_cast<QWheelEvent*>(event);
            const int delta = we->angleDelta().y();
            if (delta == 0) return false;
            const double anchor = Mapping().TimeAt(we->position().x());
            emit WheelZoom(anchor, std::pow(kWheelZoomIn, delta / 120.0));
            return true;
        }
        default:
            return false;
    }
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

void WaveChart::ApplyAxes(bool plainTimeLabels) {
    SetAxisRange(plot_->xAxis, bottom_);
    if (plainTimeLabels) {
        plot_->xAxis->setNumberFormat("f");
        plot_->xAxis->setNumberPrecision(StepDecimals(bottom_.Increment()));
    } else {
        plot_->xAxis->setNumberFormat("gbd");
        plot_->xAxis->setNumberPrecision(6);
    }
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
    UpdateCursorItems();
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
        Carry(gestures_.Cancel());  // a drag under way ends without effect
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
                mouseInPlot_ = PlotRect().contains(lastMouse_);
                MouseGesture(event);
                emit MouseMoved(lastMouse_.x(), lastMouse_.y());
                break;
            }
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonDblClick:
            case QEvent::MouseButtonRelease:
            case QEvent::Wheel:
                // A suspended chart takes no gesture either.
                if (!isEnabled()) return true;
                if (MouseGesture(event)) return true;
                break;
            case QEvent::ToolTip:
                return true;  // the hint timer shows the tip
            case QEvent::Leave:
                mouseInPlot_ = false;
                hintTimer_.stop();
                break;
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
