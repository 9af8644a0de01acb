#include "analysis/ui/metrics_panel.h"

#include <QLabel>
#include <QToolButton>

#include "common/text_table.h"
#include "common/ui/fonts.h"
#include "common/weld_common.h"
#include "settings/weld_wave_setting.h"

namespace vx {
namespace {

constexpr int kWidth = 218;
constexpr int kRowTop = 24;
constexpr int kRowHeight = 18;
// The range table: a column for the unit, then four of figures.
constexpr int kUnitWidth = 42;
constexpr int kStatWidth = (kWidth - kUnitWidth) / kRangeStats;

QLabel* MakeLabel(QWidget* parent, const QString& name, const QRect& r, Qt::Alignment a) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setGeometry(r);
    l->setAlignment(a | Qt::AlignVCenter);
    l->setTextFormat(Qt::PlainText);
    return l;
}

QRect Row(int r) { return QRect(0, r * kRowHeight, kWidth, kRowHeight); }
QRect StatCell(int r, int k) {
    return QRect(kUnitWidth + k * kStatWidth, r * kRowHeight, kStatWidth, kRowHeight);
}

}  // namespace

MetricsPanel::MetricsPanel(QWidget* parent) : QFrame(parent) {
    setObjectName("PnlMetrics");
    resize(kWidth, kRowTop + kPanelRows * kRowHeight + 20);
    setFont(GothicFont(14, true));

    title_ = MakeLabel(this, "LblMetricsTitle", QRect(0, 0, kWidth - 98, 20), Qt::AlignLeft);
    title_->setFont(GothicFont(16, true));
    overview_ = new QToolButton(this);
    overview_->setObjectName("BtnOverview");
    overview_->setGeometry(kWidth - 96, 0, 70, 20);
    overview_->setFont(GothicFont(12, true));
    settings_ = new QToolButton(this);
    settings_->setObjectName("BtnAnalysisSet");
    settings_->setGeometry(kWidth - 24, 0, 22, 20);
    settings_->setText(QStringLiteral("..."));

    for (int r = 0; r < kPanelRows; ++r) {
        const int top = kRowTop + r * kRowHeight;
        labels_[r] = MakeLabel(this, QString("LblMetric%1").arg(r + 1),
                               QRect(0, top, 110, kRowHeight), Qt::AlignLeft);
        values_[r] = MakeLabel(this, QString("LblMetricValue%1").arg(r + 1),
                               QRect(108, top, kWidth - 110, kRowHeight), Qt::AlignRight);
    }
    note_ = MakeLabel(this, "LblMetricsNote",
                      QRect(0, kRowTop + kPanelRows * kRowHeight + 2, kWidth, 16), Qt::AlignLeft);
    note_->setFont(GothicFont(11));

    // The range page covers the eight rows: two rows of times, a heading and
    // three quantities, energy and arc time.
    range_ = new QWidget(this);
    range_->setObjectName("PnlMetricsRange");
    range_->setGeometry(0, kRowTop, kWidth, kPanelRows * kRowHeight);
    const int rowOf[kRangeRows] = {0, 1, 6, 7};
    for (int r = 0; r < kRangeRows; ++r) {
        rangeLabels_[r] =
            MakeLabel(range_, QString("LblRange%1").arg(r + 1), Row(rowOf[r]), Qt::AlignLeft);
        QRect v = Row(rowOf[r]).adjusted(70, 0, 0, 0);
        rangeValues_[r] =
            MakeLabel(range_, QString("LblRangeValue%1").arg(r + 1), v, Qt::AlignRight);
    }
    for (int k = 0; k < kRangeStats; ++k) {
        statHeadings_[k] =
            MakeLabel(range_, QString("LblRangeStat%1").arg(k + 1), StatCell(2, k), Qt::AlignRight);
        statHeadings_[k]->setFont(GothicFont(12));
    }
    for (int q = 0; q < 3; ++q) {
        quantities_[q] =
            MakeLabel(range_, QString("LblRangeUnit%1").arg(q + 1),
                      QRect(0, (3 + q) * kRowHeight, kUnitWidth, kRowHeight), Qt::AlignLeft);
        for (int k = 0; k < kRangeStats; ++k)
            stats_[q][k] = MakeLabel(range_, QString("LblRangeValue%1%2").arg(q + 1).arg(k + 1),
                                     StatCell(3 + q, k), Qt::AlignRight);
    }
    ShowPage(false);
    Clear();
}

void MetricsPanel::SetCaptions(const WeldCommon& common) {
    auto text = [&common](int id) { return QString::fromStdString(common.LoadTextUtf8(id)); };
    wholeTitle_ = text(kTextMetricsTitle);
    rangeTitle_ = text(kTextRangeTitle);
    settings_->setToolTip(text(kTextAnalysisSettings));
    overview_->setText(text(kTextOverviewButton));
    overview_->setToolTip(text(kTextOverviewTitle) + QStringLiteral(" (Ctrl+T)"));
    for (int r = 0; r < kPanelRows; ++r) labels_[r]->setText(text(kTextArcTime + r));
    wholeNote_ = text(kTextEstimateNote);
    rangeNote_ = text(kTextRangeNote);
    wholeNoteTip_ = text(kTextEstimateExplained);
    rangeNoteTip_ = text(kTextRangeNoteExplained);
    for (QLabel* l : {labels_[4], labels_[5], values_[4], values_[5]}) l->setToolTip(wholeNoteTip_);

    rangeLabels_[kRangeCursors]->setText(text(kTextRangeCursors));
    rangeLabels_[kRangeSpan]->setText(text(kTextRangeSpan));
    rangeLabels_[kRangeEnergy]->setText(text(kTextArcTime + 5));  // "Arc energy"
    rangeLabels_[kRangeArcTime]->setText(text(kTextArcTime));
    for (int k = 0; k < kRangeStats; ++k) statHeadings_[k]->setText(text(kTextStatMean + k));
    const int units[3] = {kTextUnitAmpere, kTextUnitVolt, kTextUnitMeterPerMinute};
    const int names[3] = {kTextCurrent, kTextVoltage, kTextWireFeedSpeed};
    for (int q = 0; q < 3; ++q) {
        quantities_[q]->setText(text(units[q]));
        quantities_[q]->setToolTip(text(names[q]));
    }
    rangeValues_[kRangeEnergy]->setToolTip(rangeNoteTip_);
    ShowPage(RangeShown());
}

void MetricsPanel::ShowPage(bool range) {
    for (int r = 0; r < kPanelRows; ++r) {
        labels_[r]->setVisible(!range);
        values_[r]->setVisible(!range);
    }
    range_->setVisible(range);
    title_->setText(range ? rangeTitle_ : wholeTitle_);
    note_->setText(range ? rangeNote_ : wholeNote_);
    note_->setToolTip(range ? rangeNoteTip_ : wholeNoteTip_);
}

bool MetricsPanel::RangeShown() const { return !range_->isHidden(); }

void MetricsPanel::Show(const WeldMetrics& m) {
    const auto v = MetricsPanelValues(m);
    for (int r = 0; r < kPanelRows; ++r) values_[r]->setText(QString::fromStdString(v[r]));
    ShowPage(false);
}

void MetricsPanel::Clear() {
    for (QLabel* l : values_) l->clear();
    ShowPage(false);
}

void MetricsPanel::ShowRange(const RangePanelText& r) {
    auto set = [](QLabel* l, const std::string& s) { l->setText(QString::fromStdString(s)); };
    set(rangeValues_[kRangeCursors], r.cursors);
    set(rangeValues_[kRangeSpan], r.span);
    set(rangeValues_[kRangeEnergy], r.energy);
    set(rangeValues_[kRangeArcTime], r.arcTime);
    for (int q = 0; q < 3; ++q)
        for (int k = 0; k < kRangeStats; ++k) set(stats_[q][k], r.stats[q][k]);
    ShowPage(true);
}

}  // namespace vx
