#pragma once
// The folder overview as a table: one row per wave file of the open folder,
// its figures, how they stand against the limits, the order of a sorted
// column, the points of a trend and the CSV of the rows.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analysis/limits.h"
#include "analysis/metrics_output.h"

namespace vx {

enum OverviewColumn : int {
    kColNumber,
    kColFile,
    kColArcTime,   // ms
    kColCurrent,   // mean, A
    kColVoltage,   // mean, V
    kColWireFeed,  // mean, m/min
    kColPower,     // W
    kColEnergy,    // J
    kColWire,      // m
    kColBreaks,
    kColGaps,
    kColResult,
    kOverviewColumns
};

// The columns from kColArcTime to kColGaps hold figures.
inline bool IsFigureColumn(int column) { return column >= kColArcTime && column <= kColGaps; }

struct OverviewRow {
    int32_t number = 0;  // 1-based position in the file list
    std::string name;    // file name, native bytes
    FileMetrics file;
    std::optional<LimitVerdict> verdict;  // null while no limit is set
};

// What the result column says of a row.
enum class RowResult { NoLimits, Pass, Fail, NotDrawn, Unreadable };
RowResult ResultOf(const OverviewRow& row);

// Judges every row against `limits`.
void JudgeRows(std::vector<OverviewRow>& rows, const Limits& limits);

// The limit a figure column is judged by, -1 for the other columns; and
// the column a limit key shows in, -1 for the deviations (no column).
int LimitKeyOfColumn(int column);
int ColumnOfLimitKey(int key);

// The figure of a figure column, null when the weld has none.
std::optional<double> ColumnFigure(const OverviewRow& row, int column);

// A figure column's cell: fixed decimals with '.', "-" without a figure.
std::string FigureText(const OverviewRow& row, int column);

// Places a number of column's figures is shown (and a proposed limit rounded) to.
int ColumnDecimals(int column);

// The cell's figure fails its limit.
bool CellFails(const OverviewRow& row, int column);

// A limit as a cell's tool tip shows it: "180 .. 250", ">= 180", "<= 0".
std::string BoundRangeText(const Bound& b);

// The order of a sorted column: by figure, a row without one after those
// with one; file names as the file list sorts them; results failing first.
// Ties keep the weld number order.
bool OverviewLess(const OverviewRow& a, const OverviewRow& b, int column);

struct TrendPoint {
    int32_t number;
    double value;
    bool fails;
};
// The rows' figures of `column` against the weld number; rows without one
// are left out.
std::vector<TrendPoint> TrendPoints(const std::vector<OverviewRow>& rows, int column);

// The rows as `varmonix --metrics --format csv` writes the same files of
// `folder`: the header, then one row per file in the order given.
std::string OverviewCsv(const std::string& folder, const std::vector<const OverviewRow*>& rows,
                        const Limits& limits);

}  // namespace vx
