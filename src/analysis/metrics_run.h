#pragma once
// `varmonix --metrics`: the metrics of wave files and data-log folders, one
// record per file, without any window.
#include <iosfwd>
#include <string>
#include <vector>

#include "analysis/metrics.h"
#include "analysis/metrics_output.h"
#include "settings/weld_wave_setting.h"
#include "wavefile/wave_csv.h"

namespace vx {

struct MetricsOptions {
    std::string settingsPath;  // scales, time-column names, analysis parameters, limits
    bool csv = false;          // CSV instead of JSON lines
    std::vector<std::string> paths;
};

// Reads `path` as the viewer reads the file it draws, right after start-up,
// and measures the whole file. `lines` is scratch space reused between calls.
FileMetrics MeasureFile(const std::string& path, const WeldWaveSetting& setting,
                        const std::vector<std::string>& acceptedNames, const AnalysisParams& params,
                        LineList& lines);

// The files `paths` stand for, in order: a folder its wave files in the
// order of the viewer's file list, anything else itself. False when a path
// does not exist or a folder cannot be listed; each such path, and each
// folder without wave files, is noted on `err`.
bool ExpandPaths(const std::vector<std::string>& paths, const std::vector<std::string>& accepted,
                 std::vector<std::string>& files, std::ostream& err);

// Each path is a wave file or a data-log folder, which stands for its wave
// files in the order of the viewer's file list. Files are measured in
// parallel and written in list order as they are done (CSV: header first);
// a window of a few records per core is all that is held, however many
// files there are.
// A path that does not exist gets an unreadable record and a note on `err`;
// a folder that cannot be listed gets a note only; a folder without wave
// files a note, and counts as nothing.
// Returns 0 when every file could be read, 1 otherwise or when `out` fails.
// Never throws.
int RunMetrics(const MetricsOptions& o, std::ostream& out, std::ostream& err);

}  // namespace vx
