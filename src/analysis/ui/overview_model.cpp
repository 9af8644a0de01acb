#include "analysis/ui/overview_model.h"

#include <QBrush>
#include <QColor>

#include "common/text_table.h"
#include "common/ui/qt_text.h"
#include "common/weld_common.h"

namespace vx {
namespace {

const QColor kFailBack(255, 205, 205);
const QColor kFailText(150, 0, 0);
const QColor kResultFailBack(215, 40, 40);
const QColor kResultPassBack(205, 235, 205);
const QColor kResultPassText(0, 100, 0);
const QColor kDimText(120, 120, 120);

QString Text(const WeldCommon& common, int id) {
    return QString::fromStdString(common.LoadTextUtf8(id));
}

// A failing cell of a drawn weld; a file without figures says so in its
// result instead of a row of marks.
bool Marked(const OverviewRow& r, int column) { return r.file.metrics && CellFails(r, column); }

}  // namespace

OverviewModel::OverviewModel(QObject* parent) : QAbstractTableModel(parent) {
    for (int c = 0; c < kOverviewColumns; ++c) headers_ << QString();
    for (int r = 0; r < 5; ++r) results_ << QString();
    for (int k = 0; k < kLimitCount; ++k) limitNames_ << QString::fromLatin1(kLimitKeys[k].figure);
    limitTip_ = QStringLiteral("%1");
    noValueTip_ = QStringLiteral("- %1");
}

void OverviewModel::SetCaptions(const WeldCommon& common) {
    for (int c = 0; c < kOverviewColumns; ++c) headers_[c] = Text(common, kTextColumnNumber + c);
    results_[static_cast<int>(RowResult::NoLimits)] = QString();
    results_[static_cast<int>(RowResult::Pass)] = Text(common, kTextPass);
    results_[static_cast<int>(RowResult::Fail)] = Text(common, kTextFail);
    results_[static_cast<int>(RowResult::NotDrawn)] = Text(common, kTextNotDrawn);
    results_[static_cast<int>(RowResult::Unreadable)] = Text(common, kTextUnreadable);
    for (int k = 0; k < kLimitCount; ++k) limitNames_[k] = Text(common, kTextLimitArcTime + k);
    limitTip_ = Text(common, kTextLimitTip);
    noValueTip_ = Text(common, kTextNoValueTip);
    emit headerDataChanged(Qt::Horizontal, 0, kOverviewColumns - 1);
    if (!rows_.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, kOverviewColumns - 1));
}

void OverviewModel::Clear() {
    beginResetModel();
    rows_.clear();
    endResetModel();
}

void OverviewModel::Append(std::vector<OverviewRow>&& rows) {
    if (rows.empty()) return;
    JudgeRows(rows, limits_);
    const int first = rowCount();
    beginInsertRows({}, first, first + static_cast<int>(rows.size()) - 1);
    rows_.reserve(rows_.size() + rows.size());
    for (OverviewRow& r : rows) rows_.push_back(std::move(r));
    endInsertRows();
}

void OverviewModel::SetLimits(const Limits& limits) {
    limits_ = limits;
    JudgeRows(rows_, limits_);
    if (!rows_.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, kOverviewColumns - 1));
}

int OverviewModel::RowOfNumber(int number) const {
    // Rows arrive in number order, so number n sits at n - 1.
    const int row = number - 1;
    return row >= 0 && row < rowCount() && rows_[row].number == number ? row : -1;
}

int OverviewModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int OverviewModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kOverviewColumns;
}

QString OverviewModel::ResultText(const OverviewRow& r) const {
    return results_[static_cast<int>(ResultOf(r))];
}

QString OverviewModel::ToolTip(const OverviewRow& r, int column) const {
    if (column == kColFile) return FromNativePath(r.name);
    if (column == kColResult) {
        if (ResultOf(r) != RowResult::Fail) return {};
        QStringList lines;
        for (int k : r.verdict->failed)
            lines << limitNames_[k] + ": " +
                         QString::fromStdString(BoundRangeText(limits_.bound[k]));
        return lines.join('\n');
    }
    if (!Marked(r, column)) return {};
    const QString range =
        QString::fromStdString(BoundRangeText(limits_.bound[LimitKeyOfColumn(column)]));
    return (ColumnFigure(r, column) ? limitTip_ : noValueTip_).arg(range);
}

QVariant OverviewModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const OverviewRow& r = rows_[index.row()];
    const int c = index.column();
    const RowResult result = ResultOf(r);
    switch (role) {
        case Qt::DisplayRole:
            if (c == kColNumber) return r.number;
            if (c == kColFile) return FromNativePath(r.name);
            if (c == kColResult) return ResultText(r);
            return QString::fromStdString(FigureText(r, c));
        case Qt::ToolTipRole:
            return ToolTip(r, c);
        case Qt::TextAlignmentRole:
            if (c == kColFile) return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
            if (c == kColResult) return QVariant(Qt::AlignCenter);
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        case Qt::BackgroundRole:
            if (c == kColResult && result == RowResult::Fail) return QBrush(kResultFailBack);
            if (c == kColResult && result == RowResult::Pass) return QBrush(kResultPassBack);
            if (Marked(r, c)) return QBrush(kFailBack);
            return {};
        case Qt::ForegroundRole:
            if (c == kColResult && result == RowResult::Fail) return QBrush(Qt::white);
            if (c == kColResult && result == RowResult::Pass) return QBrush(kResultPassText);
            if (Marked(r, c)) return QBrush(kFailText);
            if (result == RowResult::Unreadable || result == RowResult::NotDrawn)
                return QBrush(kDimText);
            return {};
        case kNumberRole:
            return r.number;
        default:
            return {};
    }
}

QVariant OverviewModel::headerData(int section, Qt::Orientation o, int role) const {
    if (o != Qt::Horizontal || section < 0 || section >= kOverviewColumns) return {};
    if (role == Qt::DisplayRole) return headers_[section];
    if (role == Qt::TextAlignmentRole) return QVariant(Qt::AlignCenter);
    return {};
}

bool OverviewProxy::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    const auto* m = qobject_cast<const OverviewModel*>(sourceModel());
    if (!m) return QSortFilterProxyModel::lessThan(left, right);
    return OverviewLess(m->Rows()[left.row()], m->Rows()[right.row()], left.column());
}

}  // namespace vx
