#include "app/dump.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <ostream>
#include <system_error>

#include "common/encoding.h"
#include "common/json_text.h"
#include "common/output_status.h"
#include "common/weld_common.h"
#include "display/axes.h"
#include "display/loaded_wave.h"
#include "display/plot_data.h"
#include "display/range_axis.h"
#include "settings/settings_file.h"
#include "settings/weld_wave_setting.h"
#include "wavefile/wave_csv.h"
#include "wavefile/wave_layout.h"
#include "wavefile/wave_tables.h"

namespace vx {

namespace {

// Output is collected here and written in large pieces: a million-line file
// must not cost a million stream calls.
class Sink {
  public:
    explicit Sink(std::ostream& out) : out_(out) { buf_.reserve(kChunk + 4096); }
    std::string& buf() { return buf_; }
    void MaybeFlush() {
        if (buf_.size() >= kChunk) Flush();
    }
    void Flush() {
        out_.write(buf_.data(), static_cast<std::streamsize>(buf_.size()));
        buf_.clear();
    }

  private:
    static constexpr size_t kChunk = size_t{1} << 16;
    std::ostream& out_;
    std::string buf_;
};

// What the main window holds after LoadWaveFile for one file.
struct FileDump {
    bool readable = false;
    bool waveFile = false;
    int fieldCount = 0;
    std::string fields[4];
    bool loaded = false;  // got past the four-field test
    uint8_t layout = 0;
    uint8_t sampleCode = 0;
    TitleUnit titleUnit[3];
    RangeAxis time{0, 100000, 250};
    RangeAxis left{519, 3388, 0};
    RangeAxis right{0, 2000, 0};
    AxisSetupResult axes;
    size_t dataLines = 0;
    WaveColumns columns;  // file order, trace 3 in its own units
};

void ReadForDump(const std::string& path, const WeldWaveSetting& setting,
                 const std::vector<std::string>& acceptedNames, FileDump& d) {
    d.waveFile = CheckCsvFile(path, acceptedNames);
    LineList lines;
    // Read as the window reads a file right after start-up.
    LoadedWave w = LoadWave(path, setting, InitialAxes(setting), lines);
    d.readable = w.readable;
    if (!d.readable) return;
    d.fieldCount = w.fieldCount;
    for (int i = 0; i < 4; ++i) d.fields[i] = std::move(w.fields[i]);
    if (!w.loaded) return;

    d.loaded = true;
    d.layout = w.layout;
    d.time = w.axes.time;
    d.left = w.axes.left;
    d.right = w.axes.right;
    d.axes = w.axisSetup;
    d.dataLines = w.size();
    d.sampleCode = w.sampleCode;
    for (int k = 0; k < 3; ++k) d.titleUnit[k] = std::move(w.titles[k]);
    // The samples are written in file order.
    if (w.fileOrder.empty()) {
        d.columns = std::move(w.samples);
        return;
    }
    const size_t n = w.size();
    d.columns.t.resize(n);
    d.columns.y1.resize(n);
    d.columns.y2.resize(n);
    d.columns.y3.resize(n);
    for (size_t k = 0; k < n; ++k) {
        const uint32_t at = w.fileOrder[k];
        d.columns.t[at] = w.samples.t[k];
        d.columns.y1[at] = w.samples.y1[k];
        d.columns.y2[at] = w.samples.y2[k];
        d.columns.y3[at] = w.samples.y3[k];
    }
}

using Json = nlohmann::ordered_json;

Json AxisJson(const RangeAxis& a) { return Json::array({a.Minimum(), a.Maximum(), a.Increment()}); }

Json AxesJson(const FileDump& d) {
    Json labels = Json::array();
    for (const auto& column : d.axes.labels) labels.push_back(column);
    Json axes;
    axes["time"] = AxisJson(d.time);
    axes["left"] = AxisJson(d.left);
    axes["right"] = AxisJson(d.right);
    axes["labels"] = std::move(labels);
    axes["axis_factor"] = d.axes.AxisFactor;
    axes["time_refused"] = d.axes.timeRefused;
    return axes;
}

// Minimum, maximum and mean of each value column, in one pass: the three sums
// are independent, so they overlap instead of waiting on each other.
Json StatsJson(const WaveColumns& c) {
    const std::vector<double>* cols[3] = {&c.y1, &c.y2, &c.y3};
    double lo[3], hi[3];
    long double sum[3] = {0, 0, 0};  // wide enough that a sum of finite doubles stays finite
    for (int k = 0; k < 3; ++k) lo[k] = hi[k] = (*cols[k])[0];
    const size_t n = c.size();
    const double* y[3] = {c.y1.data(), c.y2.data(), c.y3.data()};
    for (size_t i = 0; i < n; ++i) {
        for (int k = 0; k < 3; ++k) {
            const double x = y[k][i];
            lo[k] = std::min(lo[k], x);
            hi[k] = std::max(hi[k], x);
            sum[k] += x;
        }
    }
    Json all = Json::array();
    for (int k = 0; k < 3; ++k) {
        Json stats;
        stats["min"] = lo[k];
        stats["max"] = hi[k];
        stats["mean"] = static_cast<double>(sum[k] / static_cast<long double>(n));
        all.push_back(std::move(stats));
    }
    return all;
}

// Everything of a file's line but its samples, which are streamed.
Json DumpHead(const std::string& path, const FileDump& d, bool summary) {
    Json j;
    j["path"] = path;
    j["readable"] = d.readable;
    j["wave_file"] = d.waveFile;
    j["fields"] = nullptr;
    if (d.readable) {
        j["fields"] = Json::array();
        for (int i = 0; i < d.fieldCount; ++i) j["fields"].push_back(Cp932ToUtf8(d.fields[i]));
    }
    // The rest is null when the load stops before it.
    const auto loaded = [&d](Json v) { return d.loaded ? std::move(v) : Json(nullptr); };
    j["layout"] = loaded(int{d.layout});
    j["sample_code"] = loaded(int{d.sampleCode});
    // The three titles or units as shown.
    const auto triple = [&](std::string TitleUnit::*part) {
        Json t = Json::array();
        for (const TitleUnit& tu : d.titleUnit) t.push_back(Cp932ToUtf8(tu.*part));
        return loaded(std::move(t));
    };
    j["titles"] = triple(&TitleUnit::title);
    j["units"] = triple(&TitleUnit::unit);
    j["axes"] = d.loaded ? AxesJson(d) : Json(nullptr);
    if (summary) {
        j["count"] = loaded(static_cast<std::uint64_t>(d.dataLines));
        j["stats"] = nullptr;
        if (d.loaded && d.columns.size() > 0) j["stats"] = StatsJson(d.columns);
    } else if (!d.loaded) {
        j["samples"] = nullptr;
    }
    return j;
}

// The samples as [[t,y1,y2,y3],...], written straight to the output: a file
// can hold millions of them.
void AppendSamples(Sink& sink, const WaveColumns& c) {
    std::string& out = sink.buf();
    out += '[';
    for (size_t i = 0; i < c.size(); ++i) {
        if (i) out += ',';
        out += '[';
        AppendJsonNumber(out, c.t[i]);
        out += ',';
        AppendJsonNumber(out, c.y1[i]);
        out += ',';
        AppendJsonNumber(out, c.y2[i]);
        out += ',';
        AppendJsonNumber(out, c.y3[i]);
        out += ']';
        sink.MaybeFlush();
    }
    out += ']';
}

void WriteDump(Sink& sink, const std::string& path, const FileDump& d, bool summary) {
    const Json head = DumpHead(path, d, summary);
    if (summary || !d.loaded) {
        AppendJson(sink.buf(), head);
    } else {
        AppendJsonObjectOpen(sink.buf(), head);
        sink.buf() += ",\"samples\":";
        AppendSamples(sink, d.columns);
        sink.buf() += '}';
    }
    sink.buf() += '\n';
    sink.MaybeFlush();
}

void WriteUnreadable(Sink& sink, const std::string& path, bool summary) {
    FileDump none;
    WriteDump(sink, path, none, summary);
}

int RunDumpUnguarded(const CommandLine& o, std::ostream& out, std::ostream& err,
                     const std::string& defaultSettingsPath, bool cp932Available) {
    // The files are still read, but their text may be wrong: say so once.
    if (!cp932Available) err << "varmonix: warning: " << kCp932MissingText << '\n';
    const std::string settingsPath = SettingsPathOf(o, defaultSettingsPath, err);
    WeldWaveSetting setting;
    LoadWaveSetting(settingsPath, setting);
    const std::vector<std::string> accepted = ParseFormatCheck(setting.Format.Check);

    Sink sink(out);
    bool allReadable = true;
    for (const std::string& path : o.files) {
        try {
            FileDump d;
            ReadForDump(path, setting, accepted, d);
            if (!d.readable) allReadable = false;
            WriteDump(sink, path, d, o.summary);
        } catch (const std::exception& e) {
            // Out of memory on a huge file, most likely: the file counts as unread.
            allReadable = false;
            err << "varmonix: " << path << ": " << e.what() << '\n';
            WriteUnreadable(sink, path, o.summary);
        }
    }
    sink.Flush();
    return FinishOutput(out, err, allReadable);
}

}  // namespace

int RunDump(const CommandLine& options, std::ostream& out, std::ostream& err,
            const std::string& defaultSettingsPath, bool cp932Available) {
    return GuardedRun(err, [&] {
        return RunDumpUnguarded(options, out, err, defaultSettingsPath, cp932Available);
    });
}

int RunDump(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
            const std::string& defaultSettingsPath) {
    std::vector<std::string> all{"--dump"};
    all.insert(all.end(), args.begin(), args.end());
    const CommandLine cl = ParseCommandLine(all);
    if (const auto status = AnswerWithText(cl, out, err)) return *status;
    return RunDump(cl, out, err, defaultSettingsPath);
}

}  // namespace vx
