#pragma once
// The folder overview's table as a Qt model: the rows of the core table,
// failing cells coloured with their limit as tool tip, and a sort proxy
// that orders rows as the core says.
#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <QStringList>
#include <vector>

#include "analysis/limits.h"
#include "analysis/overview_table.h"

namespace vx {

class WeldCommon;

class OverviewModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    // The weld number of a row, for any column.
    static constexpr int kNumberRole = Qt::UserRole + 1;

    explicit OverviewModel(QObject* parent = nullptr);

    void SetCaptions(const WeldCommon& common);
    void Clear();
    // Adds rows at the end, judged against the current limits.
    void Append(std::vector<OverviewRow>&& rows);
    // Judges every row again.
    void SetLimits(const Limits& limits);
    const Limits& CurrentLimits() const { return limits_; }
    const std::vector<OverviewRow>& Rows() const { return rows_; }
    // Source row of weld `number`, -1 when it is not (yet) in the table.
    int RowOfNumber(int number) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation o, int role) const override;

  private:
    QString ResultText(const OverviewRow& r) const;
    QString ToolTip(const OverviewRow& r, int column) const;

    std::vector<OverviewRow> rows_;
    Limits limits_;
    QStringList headers_;
    QStringList results_;  // by RowResult
    QStringList limitNames_;
    QString limitTip_, noValueTip_;
};

class OverviewProxy : public QSortFilterProxyModel {
    Q_OBJECT
  public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

  protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
};

}  // namespace vx
