#include "analysis/overview_fill.h"

#include <exception>

#include "analysis/metrics_run.h"
#include "analysis/ordered_work.h"
#include "settings/settings_file.h"
#include "wavefile/folder_scan.h"
#include "wavefile/wave_csv.h"

namespace vx {

size_t MeasureFolder(const OverviewJob& job, const std::atomic<bool>& cancel,
                     const std::function<void(std::vector<OverviewRow>&&)>& deliver,
                     const FillPacing& pacing) {
    size_t delivered = 0;
    try {
        const std::vector<std::string> accepted = ParseFormatCheck(job.setting.Format.Check);
        std::vector<OverviewRow> batch;
        const auto handOn = [&] {
            if (batch.empty() || cancel) return;
            delivered += batch.size();
            deliver(std::move(batch));
            batch = {};
        };
        const auto work = [&](size_t i, LineList& lines) noexcept {
            OverviewRow r;
            try {
                r.number = static_cast<int32_t>(i + 1);
                r.name = job.names[i];
                const std::string path = job.folder.empty() ? r.name : JoinPath(job.folder, r.name);
                r.file = job.measure ? job.measure(path, lines)
                                     : MeasureFile(path, job.setting, accepted, job.params, lines);
            } catch (const std::exception&) {
                r.file = FileMetrics{};  // out of memory on a huge file: unread
            }
            return r;
        };
        const auto take = [&](OverviewRow& r) {
            if (cancel) return false;
            batch.push_back(std::move(r));
            if (batch.size() >= pacing.batch) handOn();
            return !cancel;
        };
        ForEachInOrder<OverviewRow, LineList>(job.names.size(), work, take, handOn, pacing.pause);
        handOn();
    } catch (...) {
    }
    return delivered;
}

}  // namespace vx
