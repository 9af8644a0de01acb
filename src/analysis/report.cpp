#include "analysis/report.h"

#include <algorithm>
#include <ostream>

#include "analysis/analysis_settings.h"
#include "analysis/metrics_text.h"
#include "analysis/overview_fill.h"
#include "common/text_table.h"
#include "display/fixed_text.h"
#include "settings/settings_file.h"

namespace vx {
namespace {

// The report is made by the command line, in English as its other output.
std::string English(int id) { return std::string(LoadStrUtf8(id + kEnglish)); }

std::string BaseName(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string ResultText(RowResult r) {
    switch (r) {
        case RowResult::NoLimits:
            return {};
        case RowResult::Pass:
            return English(kTextPass);
        case RowResult::Fail:
            return English(kTextFail);
        case RowResult::NotDrawn:
            return English(kTextNotDrawn);
        case RowResult::Unreadable:
            return English(kTextUnreadable);
    }
    return {};
}

// Deviations have no table column; they read as the voltage and current do.
int LimitDecimals(int key) {
    const int column = ColumnOfLimitKey(key);
    return column >= 0 ? ColumnDecimals(column) : 2;
}

// "%1 welds, %2 failing" with its numbers put in.
std::string Filled(std::string text, const std::vector<std::string>& args) {
    for (size_t i = args.size(); i-- > 0;) {
        const std::string mark = "%" + std::to_string(i + 1);
        if (const size_t at = text.find(mark); at != std::string::npos)
            text.replace(at, mark.size(), args[i]);
    }
    return text;
}

}  // namespace

ReportSettings LoadReportSettings(const std::string& iniPath) {
    ReportSettings s;
    LoadWaveSetting(iniPath, s.setting);
    s.accepted = ParseFormatCheck(s.setting.Format.Check);
    s.params = LoadAnalysisParams(iniPath);
    s.limits = LoadLimits(iniPath);
    return s;
}

std::vector<OverviewRow> MeasureReportRows(const std::vector<std::string>& files,
                                           const ReportSettings& s,
                                           const std::atomic<bool>& cancel) {
    OverviewJob job;
    job.names = files;  // no folder: the names are the paths
    job.setting = s.setting;
    job.params = s.params;
    std::vector<OverviewRow> rows;
    rows.reserve(files.size());
    MeasureFolder(job, cancel, [&rows](std::vector<OverviewRow>&& batch) {
        for (OverviewRow& r : batch) rows.push_back(std::move(r));
    });
    for (OverviewRow& r : rows) r.name = BaseName(r.name);
    JudgeRows(rows, s.limits);
    return rows;
}

std::array<std::string, kOverviewColumns> ReportHeaders() {
    std::array<std::string, kOverviewColumns> h;
    for (int c = 0; c < kOverviewColumns; ++c) h[c] = English(kTextColumnNumber + c);
    return h;
}

std::array<ReportCell, kOverviewColumns> ReportCells(const OverviewRow& row) {
    std::array<ReportCell, kOverviewColumns> cells;
    cells[kColNumber].text = std::to_string(row.number);
    cells[kColFile].text = row.name;
    for (int c = kColArcTime; c <= kColGaps; ++c)
        cells[c] = {FigureText(row, c), CellFails(row, c)};
    const RowResult r = ResultOf(row);
    cells[kColResult] = {ResultText(r), r != RowResult::Pass && r != RowResult::NoLimits};
    return cells;
}

std::string ReportSummary(const std::vector<OverviewRow>& rows) {
    size_t failing = 0, unreadable = 0;
    for (const OverviewRow& r : rows) {
        const RowResult result = ResultOf(r);
        failing += result == RowResult::Fail;
        unreadable += result == RowResult::Unreadable;
    }
    return Filled(English(kTextFilled), {std::to_string(rows.size()), std::to_string(failing),
                                         std::to_string(unreadable)});
}

std::vector<std::pair<size_t, size_t>> SplitRows(size_t rows, size_t first, size_t later) {
    first = std::max<size_t>(first, 1);
    later = std::max<size_t>(later, 1);
    std::vector<std::pair<size_t, size_t>> pages{{0, std::min(rows, first)}};
    for (size_t begin = pages.back().second; begin < rows; begin += later)
        pages.emplace_back(begin, std::min(rows, begin + later));
    return pages;
}

WeldPageText WeldPage(const OverviewRow& row, size_t count, const std::string& path,
                      const Limits& limits) {
    WeldPageText p;
    p.title = row.name;
    p.number = "Weld " + std::to_string(row.number) + " of " + std::to_string(count);
    p.path = path;
    const RowResult result = ResultOf(row);
    p.result = ResultText(result);
    p.fails = result != RowResult::Pass && result != RowResult::NoLimits;
    p.drawn = row.file.metrics.has_value();
    if (!row.file.metrics) return p;

    const WeldMetrics& m = *row.file.metrics;
    const std::array<std::string, kPanelRows> values = MetricsPanelValues(m);
    for (int r = 0; r < kPanelRows; ++r)
        p.metrics.push_back({English(kTextArcTime + r), values[r], {}, false});
    for (int k = 0; k < kLimitCount; ++k) {
        const Bound& b = limits.bound[k];
        if (!b.Set()) continue;
        const std::optional<double> figure = LimitFigure(m, k);
        const bool fails =
            row.verdict && std::find(row.verdict->failed.begin(), row.verdict->failed.end(), k) !=
                               row.verdict->failed.end();
        p.limits.push_back({English(kTextLimitArcTime + k),
                            figure ? FormatFixed(*figure, LimitDecimals(k), 0) : std::string("-"),
                            BoundRangeText(b), fails});
    }
    return p;
}

ReportProgress::ReportProgress(size_t welds, std::ostream& err) : welds_(welds), err_(err) {}

void ReportProgress::Measured() {
    if (welds_ <= kQuietWelds) return;
    err_ << "varmonix: report: " << welds_ << " welds measured\n";
    err_.flush();
}

void ReportProgress::PageDone(size_t done) {
    if (welds_ <= kQuietWelds) return;
    if (done < welds_ && done * 10 < nextTenth_ * welds_) return;
    while (nextTenth_ * welds_ <= done * 10) ++nextTenth_;
    err_ << "varmonix: report: " << done << " of " << welds_ << " weld pages\n";
    err_.flush();
}

}  // namespace vx
