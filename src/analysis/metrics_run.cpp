#include "analysis/metrics_run.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <filesystem>
#include <mutex>
#include <ostream>
#include <system_error>
#include <thread>

#include "analysis/analysis_settings.h"
#include "common/output_status.h"
#include "display/loaded_wave.h"
#include "settings/settings_file.h"
#include "wavefile/folder_scan.h"

namespace vx {
namespace {

namespace fs = std::filesystem;

// Output is written in pieces of this size: ten thousand records must not
// cost ten thousand stream calls.
constexpr size_t kOutChunk = size_t{1} << 16;

// Records a worker may run ahead of the writer, per worker.
constexpr size_t kWindowPerThread = 16;

struct Context {
    WeldWaveSetting setting;
    std::vector<std::string> accepted;
    AnalysisParams params;
    bool csv = false;
};

// One file's output, made by a worker, written by the caller's thread.
struct Done {
    std::string text;  // the record's line
    std::string note;  // for `err`
    bool readable = false;
    bool ready = false;
};

std::string RecordText(const Context& c, const std::string& path, const FileMetrics& f) {
    const nlohmann::ordered_json r = MetricsRecord(path, f);
    return c.csv ? MetricsCsvRow(r) : MetricsJsonLine(r);
}

Done Process(const Context& c, const std::string& path, LineList& lines) noexcept {
    Done d;
    try {
        const FileMetrics f = MeasureFile(path, c.setting, c.accepted, c.params, lines);
        d.readable = f.readable;
        d.text = RecordText(c, path, f);
    } catch (const std::exception& e) {
        // Out of memory on a huge file, most likely: the file counts as unread.
        try {
            d.readable = false;
            d.note = "varmonix: " + path + ": " + e.what() + '\n';
            d.text = RecordText(c, path, FileMetrics{});
        } catch (...) {
        }
    } catch (...) {
    }
    return d;
}

// The files the paths stand for, in order. False when a path does not exist
// or a folder cannot be listed; each such path is noted on `err`.
bool ExpandPaths(const std::vector<std::string>& paths, const std::vector<std::string>& accepted,
                 std::vector<std::string>& files, std::ostream& err) {
    bool ok = true;
    for (const std::string& p : paths) {
        std::error_code ec;
        const fs::file_status st = fs::status(p, ec);
        if (fs::is_directory(st)) {
            FolderScanResult scan = ScanCsvFolder(p, accepted);
            for (const std::string& name : scan.names) files.push_back(JoinPath(p, name));
            if (!scan.names.empty()) continue;
            // An empty scan is either a folder without wave files or one that
            // cannot be listed.
            std::error_code listEc;
            fs::directory_iterator probe(p, listEc);
            if (listEc) {
                err << "varmonix: " << p << ": " << listEc.message() << '\n';
                ok = false;
            } else {
                err << "varmonix: " << p << ": no wave files\n";
            }
            continue;
        }
        if (!fs::exists(st)) {
            err << "varmonix: " << p << ": "
                << (ec ? ec.message() : std::string("no such file or folder")) << '\n';
            ok = false;
        }
        files.push_back(p);  // its record tells whether it could be read
    }
    return ok;
}

// Runs work(i, scratch) for i in [0, count) on all cores and hands the
// results to emit(Done&) in index order, as soon as each is next. Workers
// run at most a window ahead of emit, so memory stays bounded. emit
// returning false stops the run.
template <class Work, class Emit>
void ForEachInOrder(size_t count, const Work& work, const Emit& emit) {
    if (count == 0) return;
    const size_t threads =
        std::min<size_t>(std::max(1u, std::thread::hardware_concurrency()), count);
    const size_t window = kWindowPerThread * threads;
    std::vector<Done> slots(window);
    std::mutex mu;
    std::condition_variable readyCv, spaceCv;
    size_t next = 0, written = 0;
    bool stop = false;

    const auto worker = [&] {
        LineList lines;
        for (;;) {
            size_t i;
            {
                std::unique_lock lock(mu);
                spaceCv.wait(lock,
                             [&] { return stop || next >= count || next < written + window; });
                if (stop || next >= count) return;
                i = next++;
            }
            Done d = work(i, lines);
            d.ready = true;
            {
                std::lock_guard lock(mu);
                slots[i % window] = std::move(d);
            }
            readyCv.notify_one();
        }
    };

    std::vector<std::jthread> pool;
    // Destroyed before the pool: stops the workers, which the pool then joins.
    struct StopOnExit {
        std::mutex& mu;
        bool& stop;
        std::condition_variable& cv;
        ~StopOnExit() {
            {
                std::lock_guard lock(mu);
                stop = true;
            }
            cv.notify_all();
        }
    } stopOnExit{mu, stop, spaceCv};
    try {
        for (size_t k = 0; k < threads; ++k) pool.emplace_back(worker);
    } catch (const std::system_error&) {
        // No more threads to be had: go on with those there are.
    }

    if (pool.empty()) {
        LineList lines;
        for (size_t i = 0; i < count; ++i) {
            Done d = work(i, lines);
            if (!emit(d)) return;
        }
        return;
    }
    for (size_t w = 0; w < count; ++w) {
        Done d;
        {
            std::unique_lock lock(mu);
            Done& slot = slots[w % window];
            readyCv.wait(lock, [&] { return slot.ready; });
            d = std::move(slot);
            slot = Done{};
            ++written;
        }
        spaceCv.notify_all();
        if (!emit(d)) return;
    }
}

int RunMetricsUnguarded(const MetricsOptions& o, std::ostream& out, std::ostream& err) {
    Context c;
    LoadWaveSetting(o.settingsPath, c.setting);
    c.accepted = ParseFormatCheck(c.setting.Format.Check);
    c.params = LoadAnalysisParams(o.settingsPath);
    c.csv = o.csv;

    std::vector<std::string> files;
    bool allReadable = ExpandPaths(o.paths, c.accepted, files, err);

    std::string buf;
    buf.reserve(kOutChunk + 4096);
    if (c.csv) buf = MetricsCsvHeader();
    const auto flush = [&] {
        out.write(buf.data(), static_cast<std::streamsize>(buf.size()));
        buf.clear();
        return static_cast<bool>(out);
    };
    const auto emit = [&](Done& d) {
        if (!d.readable) allReadable = false;
        if (!d.note.empty()) err << d.note;
        buf += d.text;
        return buf.size() < kOutChunk || flush();
    };
    const auto work = [&](size_t i, LineList& lines) { return Process(c, files[i], lines); };
    ForEachInOrder(files.size(), work, emit);

    flush();
    return FinishOutput(out, err, allReadable);
}

}  // namespace

FileMetrics MeasureFile(const std::string& path, const WeldWaveSetting& setting,
                        const std::vector<std::string>& acceptedNames, const AnalysisParams& params,
                        LineList& lines) {
    FileMetrics f;
    const LoadedWave w = LoadWave(path, setting, InitialAxes(setting), lines, false);
    f.readable = w.readable;
    if (!w.readable) return f;
    f.waveFile = w.fieldCount == 4 && std::find(acceptedNames.begin(), acceptedNames.end(),
                                                w.fields[0]) != acceptedNames.end();
    if (!w.loaded) return f;
    f.layout = w.layout;
    f.metrics = ComputeMetrics(w.samples, w.layout, params);
    return f;
}

int RunMetrics(const MetricsOptions& o, std::ostream& out, std::ostream& err) {
    return GuardedRun(err, [&] { return RunMetricsUnguarded(o, out, err); });
}

}  // namespace vx
