#include "analysis/overview_table.h"

#include <algorithm>

#include "common/number_text.h"
#include "display/fixed_text.h"
#include "wavefile/folder_scan.h"

namespace vx {
namespace {

// Decimals by figure column, kColArcTime first.
constexpr int kDecimals[] = {0, 1, 1, 2, 0, 0, 3, 0, 0};

int ResultRank(RowResult r) {
    switch (r) {
        case RowResult::Fail:
            return 0;
        case RowResult::Unreadable:
            return 1;
        case RowResult::NotDrawn:
            return 2;
        case RowResult::Pass:
            return 3;
        case RowResult::NoLimits:
            return 4;
    }
    return 5;
}

}  // namespace

RowResult ResultOf(const OverviewRow& row) {
    if (!row.file.readable) return RowResult::Unreadable;
    if (!row.file.metrics) return RowResult::NotDrawn;
    if (!row.verdict) return RowResult::NoLimits;
    return row.verdict->pass ? RowResult::Pass : RowResult::Fail;
}

void JudgeRows(std::vector<OverviewRow>& rows, const Limits& limits) {
    for (OverviewRow& r : rows)
        r.verdict = CheckLimits(limits, r.file.metrics ? &*r.file.metrics : nullptr);
}

int LimitKeyOfColumn(int column) { return IsFigureColumn(column) ? column - kColArcTime : -1; }

int ColumnOfLimitKey(int key) {
    const int column = key + kColArcTime;
    return key >= 0 && IsFigureColumn(column) ? column : -1;
}

std::optional<double> ColumnFigure(const OverviewRow& row, int column) {
    const int key = LimitKeyOfColumn(column);
    if (key < 0 || !row.file.metrics) return std::nullopt;
    return LimitFigure(*row.file.metrics, key);
}

std::string FigureText(const OverviewRow& row, int column) {
    const std::optional<double> v = ColumnFigure(row, column);
    return v ? FormatFixed(*v, ColumnDecimals(column), 0) : std::string("-");
}

int ColumnDecimals(int column) {
    return IsFigureColumn(column) ? kDecimals[column - kColArcTime] : 0;
}

bool CellFails(const OverviewRow& row, int column) {
    const int key = LimitKeyOfColumn(column);
    if (key < 0 || !row.verdict) return false;
    const std::vector<int>& f = row.verdict->failed;
    return std::find(f.begin(), f.end(), key) != f.end();
}

std::string BoundRangeText(const Bound& b) {
    if (b.min && b.max) return ShortestText(*b.min) + " .. " + ShortestText(*b.max);
    if (b.min) return ">= " + ShortestText(*b.min);
    if (b.max) return "<= " + ShortestText(*b.max);
    return {};
}

bool OverviewLess(const OverviewRow& a, const OverviewRow& b, int column) {
    if (column == kColFile) {
        if (a.name != b.name) return FileNameLess(a.name, b.name);
    } else if (column == kColResult) {
        const int ra = ResultRank(ResultOf(a)), rb = ResultRank(ResultOf(b));
        if (ra != rb) return ra < rb;
    } else if (IsFigureColumn(column)) {
        const std::optional<double> x = ColumnFigure(a, column), y = ColumnFigure(b, column);
        if (x && y && *x != *y) return *x < *y;
        if (x.has_value() != y.has_value()) return x.has_value();
    }
    return a.number < b.number;
}

std::vector<TrendPoint> TrendPoints(const std::vector<OverviewRow>& rows, int column) {
    std::vector<TrendPoint> points;
    points.reserve(rows.size());
    for (const OverviewRow& r : rows)
        if (const std::optional<double> v = ColumnFigure(r, column))
            points.push_back({r.number, *v, CellFails(r, column)});
    return points;
}

std::string OverviewCsv(const std::string& folder, const std::vector<const OverviewRow*>& rows,
                        const Limits& limits) {
    std::string out = MetricsCsvHeader();
    for (const OverviewRow* r : rows)
        out += MetricsCsvRow(MetricsRecord(JoinPath(folder, r->name), r->file, limits));
    return out;
}

}  // namespace vx
