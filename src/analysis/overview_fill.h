#pragma once
// Measuring the files of the folder overview away from the window: on every
// core, in list order, handed on in batches, and stoppable.
#include <atomic>
#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "analysis/metrics.h"
#include "analysis/overview_table.h"
#include "settings/weld_wave_setting.h"
#include "wavefile/wave_csv.h"

namespace vx {

struct OverviewJob {
    std::string folder;              // as the window holds it; empty: names are paths
    std::vector<std::string> names;  // the file list, in its order
    WeldWaveSetting setting;         // scales and accepted time-column names
    AnalysisParams params;
    // Measures one file; empty: as `varmonix --metrics` does. Tests hold a
    // fill at a file through it.
    std::function<FileMetrics(const std::string& path, LineList& lines)> measure;
};

struct FillPacing {
    size_t batch = 256;  // rows handed on together
    // A file that keeps the batch waiting this long lets out what is there.
    std::chrono::milliseconds pause{50};
};

// Measures the job's files and hands the rows
// (numbered from 1, not judged) to `deliver` in list order, in batches of
// pacing.batch and whatever is left at the end. Setting `cancel` stops it
// before the next row is handed on. Returns the number of rows delivered.
// A file that vanished since the listing gives an unreadable row.
// Never throws; an exception from `deliver` ends the run.
size_t MeasureFolder(const OverviewJob& job, const std::atomic<bool>& cancel,
                     const std::function<void(std::vector<OverviewRow>&&)>& deliver,
                     const FillPacing& pacing = {});

}  // namespace vx
