#pragma once
// The weld report's content away from its drawing: the welds measured and
// judged, the cells of the overview table and how they fill the pages, what
// each weld's page says, and the progress said while it is made.
#include <array>
#include <atomic>
#include <cstddef>
#include <iosfwd>
#include <string>
#include <utility>
#include <vector>

#include "analysis/limits.h"
#include "analysis/metrics.h"
#include "analysis/overview_table.h"
#include "settings/weld_wave_setting.h"

namespace vx {

// What the report is made from, as the settings file gives it.
struct ReportSettings {
    WeldWaveSetting setting;
    std::vector<std::string> accepted;  // time-column names of a wave file
    AnalysisParams params;
    Limits limits;
};
ReportSettings LoadReportSettings(const std::string& iniPath);

// One row per file, numbered from 1 in the order given, named by the file's
// own name, measured on every core and judged against the limits.
// Setting `cancel` stops it: the rows measured by then.
std::vector<OverviewRow> MeasureReportRows(const std::vector<std::string>& files,
                                           const ReportSettings& s,
                                           const std::atomic<bool>& cancel);

// The overview table's column titles and one row's cells. A failing
// figure, and the result of a weld that fails, are marked.
struct ReportCell {
    std::string text;
    bool fails = false;
};
std::array<std::string, kOverviewColumns> ReportHeaders();
std::array<ReportCell, kOverviewColumns> ReportCells(const OverviewRow& row);

// "12 welds, 2 failing, 0 unreadable".
std::string ReportSummary(const std::vector<OverviewRow>& rows);

// The table rows of each page, [begin, end): `first` on the first page,
// `later` on each page after it; always one page, empty for no rows.
std::vector<std::pair<size_t, size_t>> SplitRows(size_t rows, size_t first, size_t later);

// A weld's page: its figures, and each set limit with the weld's figure.
struct ReportLine {
    std::string label;
    std::string value;
    std::string limit;  // "180 .. 250" for a limit line, else empty
    bool fails = false;
};
struct WeldPageText {
    std::string title;   // the file's name
    std::string number;  // "Weld 3 of 40"
    std::string path;    // as given
    std::string result;  // "pass", "FAIL", "unreadable", "not drawn"; empty without limits
    bool fails = false;  // the result is no pass
    bool drawn = false;  // a chart is shown
    std::vector<ReportLine> metrics;
    std::vector<ReportLine> limits;
};
WeldPageText WeldPage(const OverviewRow& row, size_t count, const std::string& path,
                      const Limits& limits);

// Progress of a report on `err`, for more than kQuietWelds welds only: a line
// once the welds are measured, then at each tenth of the pages and the last.
class ReportProgress {
  public:
    static constexpr size_t kQuietWelds = 20;
    ReportProgress(size_t welds, std::ostream& err);
    void Measured();
    void PageDone(size_t done);

  private:
    size_t welds_;
    std::ostream& err_;
    size_t nextTenth_ = 1;
};

}  // namespace vx
