#include "analysis/ui/metrics_panel.h"

#include <QLabel>
#include <QToolButton>

#include "common/text_table.h"
#include "common/ui/fonts.h"
#include "common/weld_common.h"

namespace vx {
namespace {

constexpr int kWidth = 218;
constexpr int kRowTop = 24;
constexpr int kRowHeight = 18;

QLabel* MakeLabel(QWidget* parent, const QString& name, const QRect& r, Qt::Alignment a) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setGeometry(r);
    l->setAlignment(a | Qt::AlignVCenter);
    l->setTextFormat(Qt::PlainText);
    return l;
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
    Clear();
}

void MetricsPanel::SetCaptions(const WeldCommon& common) {
    auto text = [&common](int id) { return QString::fromStdString(common.LoadTextUtf8(id)); };
    title_->setText(text(kTextMetricsTitle));
    settings_->setToolTip(text(kTextAnalysisSettings));
    overview_->setText(text(kTextOverviewButton));
    overview_->setToolTip(text(kTextOverviewTitle) + QStringLiteral(" (Ctrl+T)"));
    for (int r = 0; r < kPanelRows; ++r) labels_[r]->setText(text(kTextArcTime + r));
    note_->setText(text(kTextEstimateNote));
    const QString explained = text(kTextEstimateExplained);
    for (QLabel* l : {labels_[4], labels_[5], values_[4], values_[5], note_})
        l->setToolTip(explained);
}

void MetricsPanel::Show(const WeldMetrics& m) {
    const auto v = MetricsPanelValues(m);
    for (int r = 0; r < kPanelRows; ++r) values_[r]->setText(QString::fromStdString(v[r]));
}

void MetricsPanel::Clear() {
    for (QLabel* l : values_) l->clear();
}

}  // namespace vx
