#include "analysis/metrics_run.h"

#include <algorithm>
#include <chrono>
#include <exception>
#include <filesystem>
#include <ostream>
#include <system_error>

#include "analysis/analysis_settings.h"
#include "analysis/limits.h"
#include "analysis/ordered_work.h"
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

// A file that keeps the writer waiting this long lets out what is done.
constexpr std::chrono::milliseconds kFlushPause{200};

struct Context {
    WeldWaveSetting setting;
    std::vector<std::string> accepted;
    AnalysisParams params;
    Limits limits;
    bool csv = false;
};

// One file's output, made by a worker, written by the caller's thread.
struct Done {
    std::string text;  // the record's line
    std::string note;  // for `err`
    bool readable = false;
};

std::string RecordText(const Context& c, const std::string& path, const FileMetrics& f) {
    const nlohmann::ordered_json r = MetricsRecord(path, f, c.limits);
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

}  // namespace

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

namespace {

int RunMetricsUnguarded(const MetricsOptions& o, std::ostream& out, std::ostream& err) {
    Context c;
    LoadWaveSetting(o.settingsPath, c.setting);
    c.accepted = ParseFormatCheck(c.setting.Format.Check);
    c.params = LoadAnalysisParams(o.settingsPath);
    c.limits = LoadLimits(o.settingsPath);
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
    // A reader at the other end of a pipe sees the records of fast files
    // while a slow one is read.
    const auto idle = [&] {
        if (flush()) out.flush();
    };
    const auto work = [&](size_t i, LineList& lines) { return Process(c, files[i], lines); };
    ForEachInOrder<Done, LineList>(files.size(), work, emit, idle, kFlushPause);

    flush();
    return FinishOutput(out, err, allReadable);
}

}  // namespace

FileMetrics MeasureFile(const std::string& path, const WeldWaveSetting& setting,
                        const std::vector<std::string>& acceptedNames, const AnalysisParams& params,
                        LineList& lines) {
    FileMetrics f;
    const LoadedWave w = LoadWave(path, setting, InitialAxes(setting), lines);
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
