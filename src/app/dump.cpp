#include "app/dump.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <exception>
#include <filesystem>
#include <ostream>
#include <system_error>

#include "common/encoding.h"
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

constexpr char kUsage[] =
    "Usage: varmonix --dump [--settings INI] [--summary] [--] FILE...\n"
    "Writes one JSON object per FILE and line, read as the viewer reads it.\n"
    "  --settings INI  scales and accepted time-column names (default: Varmonix.ini\n"
    "                  beside the program; defaults when the file is missing)\n"
    "  --summary       sample count and min/max/mean per trace instead of the samples\n"
    "Exit status: 0 all files read, 1 a file could not be read, 2 usage error.\n";

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

void AppendInt(std::string& out, long long v) {
    char buf[24];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, r.ptr);
}

void AppendBool(std::string& out, bool v) { out += v ? "true" : "false"; }

void AppendKey(std::string& out, const char* key) {
    out += ',';
    out += '"';
    out += key;
    out += "\":";
}

void AppendCp932(std::string& out, std::string_view cp932) {
    AppendJsonString(out, Cp932ToUtf8(cp932));
}

struct DumpOptions {
    std::string settingsPath;
    bool settingsGiven = false;
    bool summary = false;
    bool help = false;
    std::vector<std::string> files;
};

// Empty on success, else what is wrong with the arguments.
std::string ParseArgs(const std::vector<std::string>& args, DumpOptions& o) {
    size_t i = 0;
    if (!args.empty() && args[0] == "--dump") ++i;
    bool optionsEnded = false;
    for (; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (optionsEnded || a.size() < 2 || a[0] != '-') {
            o.files.push_back(a);
        } else if (a == "--") {
            optionsEnded = true;
        } else if (a == "--summary") {
            o.summary = true;
        } else if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--settings") {
            if (i + 1 >= args.size()) return "--settings needs a value";
            o.settingsPath = args[++i];
            o.settingsGiven = true;
        } else if (a.rfind("--settings=", 0) == 0) {
            o.settingsPath = a.substr(11);
            o.settingsGiven = true;
        } else {
            return "unknown option " + a;
        }
        if (o.settingsGiven && o.settingsPath.empty()) return "--settings needs a value";
    }
    if (!o.help && o.files.empty()) return "no FILE given";
    return {};
}

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

void AppendAxis(std::string& out, const RangeAxis& a) {
    out += '[';
    AppendJsonNumber(out, a.Minimum());
    out += ',';
    AppendJsonNumber(out, a.Maximum());
    out += ',';
    AppendJsonNumber(out, a.Increment());
    out += ']';
}

void AppendAxes(std::string& out, const FileDump& d) {
    out += "{\"time\":";
    AppendAxis(out, d.time);
    out += ",\"left\":";
    AppendAxis(out, d.left);
    out += ",\"right\":";
    AppendAxis(out, d.right);
    out += ",\"labels\":[";
    for (int k = 0; k < 3; ++k) {
        if (k) out += ',';
        out += '[';
        for (int s = 0; s < 11; ++s) {
            if (s) out += ',';
            AppendJsonString(out, d.axes.labels[k][s]);
        }
        out += ']';
    }
    out += "],\"axis_factor\":[";
    for (int k = 0; k < 3; ++k) {
        if (k) out += ',';
        AppendJsonNumber(out, d.axes.AxisFactor[k]);
    }
    out += "],\"time_refused\":";
    AppendBool(out, d.axes.timeRefused);
    out += '}';
}

void AppendStats(std::string& out, const std::vector<double>& v) {
    double lo = v[0], hi = v[0];
    long double sum = 0;  // wide enough that a sum of finite doubles stays finite
    for (double x : v) {
        lo = std::min(lo, x);
        hi = std::max(hi, x);
        sum += x;
    }
    out += "{\"min\":";
    AppendJsonNumber(out, lo);
    out += ",\"max\":";
    AppendJsonNumber(out, hi);
    out += ",\"mean\":";
    AppendJsonNumber(out, static_cast<double>(sum / static_cast<long double>(v.size())));
    out += '}';
}

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
    std::string& out = sink.buf();
    out += "{\"path\":";
    AppendJsonString(out, path);
    AppendKey(out, "readable");
    AppendBool(out, d.readable);
    AppendKey(out, "wave_file");
    AppendBool(out, d.waveFile);

    AppendKey(out, "fields");
    if (!d.readable) {
        out += "null";
    } else {
        out += '[';
        for (int i = 0; i < d.fieldCount; ++i) {
            if (i) out += ',';
            AppendCp932(out, d.fields[i]);
        }
        out += ']';
    }

    AppendKey(out, "layout");
    if (d.loaded)
        AppendInt(out, d.layout);
    else
        out += "null";
    AppendKey(out, "sample_code");
    if (d.loaded)
        AppendInt(out, d.sampleCode);
    else
        out += "null";

    // The three titles or units as shown, or null when the load stops before them.
    auto appendTriple = [&](const char* key, std::string TitleUnit::*part) {
        AppendKey(out, key);
        if (!d.loaded) {
            out += "null";
            return;
        }
        out += '[';
        for (int k = 0; k < 3; ++k) {
            if (k) out += ',';
            AppendCp932(out, d.titleUnit[k].*part);
        }
        out += ']';
    };
    appendTriple("titles", &TitleUnit::title);
    appendTriple("units", &TitleUnit::unit);

    AppendKey(out, "axes");
    if (d.loaded)
        AppendAxes(out, d);
    else
        out += "null";

    if (summary) {
        AppendKey(out, "count");
        if (d.loaded)
            AppendInt(out, static_cast<long long>(d.dataLines));
        else
            out += "null";
        AppendKey(out, "stats");
        if (d.loaded && d.columns.size() > 0) {
            out += '[';
            AppendStats(out, d.columns.y1);
            out += ',';
            AppendStats(out, d.columns.y2);
            out += ',';
            AppendStats(out, d.columns.y3);
            out += ']';
        } else {
            out += "null";
        }
    } else {
        AppendKey(out, "samples");
        if (d.loaded)
            AppendSamples(sink, d.columns);
        else
            sink.buf() += "null";
    }
    sink.buf() += "}\n";
    sink.MaybeFlush();
}

void WriteUnreadable(Sink& sink, const std::string& path, bool summary) {
    FileDump none;
    WriteDump(sink, path, none, summary);
}

int RunDumpUnguarded(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                     const std::string& defaultSettingsPath) {
    DumpOptions o;
    const std::string problem = ParseArgs(args, o);
    if (!problem.empty()) {
        err << "varmonix: " << problem << '\n' << kUsage;
        return 2;
    }
    if (o.help) {
        out << kUsage;
        return out ? 0 : 1;
    }

    const std::string settingsPath = o.settingsGiven ? o.settingsPath : defaultSettingsPath;
    if (o.settingsGiven) {
        std::error_code ec;
        if (!std::filesystem::is_regular_file(settingsPath, ec))
            err << "varmonix: settings file " << settingsPath << " not found, using the defaults\n";
    }
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
    out.flush();
    if (!out) {
        err << "varmonix: the output could not be written\n";
        return 1;
    }
    return allReadable ? 0 : 1;
}

}  // namespace

void AppendJsonString(std::string& out, std::string_view bytes) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    for (size_t i = 0; i < bytes.size();) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c >= 0x80) {
            const size_t len = Utf8SequenceLength(bytes, i);
            if (len == 0) {
                out += "\xEF\xBF\xBD";
                ++i;
            } else {
                out.append(bytes.substr(i, len));
                i += len;
            }
            continue;
        }
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\b':
                out += "\\b";
                break;
            case '\f':
                out += "\\f";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20) {
                    out += "\\u00";
                    out += kHex[c >> 4];
                    out += kHex[c & 0xF];
                } else {
                    out += static_cast<char>(c);
                }
        }
        ++i;
    }
    out += '"';
}

void AppendJsonNumber(std::string& out, double v) {
    if (!std::isfinite(v)) {
        out += "null";
        return;
    }
    char buf[32];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, r.ptr);
}

int RunDump(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
            const std::string& defaultSettingsPath) {
    try {
        return RunDumpUnguarded(args, out, err, defaultSettingsPath);
    } catch (const std::exception& e) {
        try {
            err << "varmonix: " << e.what() << '\n';
        } catch (...) {
        }
        return 1;
    } catch (...) {
        return 1;
    }
}

std::string ExecutableFolder() {
    try {
        std::error_code ec;
        const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
        if (ec || !exe.has_parent_path()) return ".";
        return exe.parent_path().string();
    } catch (...) {
        return ".";
    }
}

}  // namespace vx
