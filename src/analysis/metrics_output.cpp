#include "analysis/metrics_output.h"

#include <charconv>
#include <cmath>
#include <string_view>

#include "common/encoding.h"
#include "common/json_text.h"
#include "settings/weld_wave_setting.h"

namespace vx {
namespace {

using Json = nlohmann::ordered_json;

constexpr const char* kQuantityKey[3] = {"current", "voltage", "wire_feed"};

// Whole numbers go in as integers so that they print as in the CSV and in
// --dump ("4000", not "4000.0").
Json Num(double v) {
    constexpr double kExactInts = 9007199254740992.0;  // 2^53
    if (!std::isfinite(v)) return nullptr;
    if (v == std::trunc(v) && std::abs(v) < kExactInts) return static_cast<int64_t>(v);
    return v;
}

Json Number(const std::optional<double>& v) { return v ? Num(*v) : Json(nullptr); }

Json ArcJson(const ArcStats& a) {
    Json j = Json::object();
    j["source"] = a.source;
    j["threshold"] = Num(a.threshold);
    j["start_ms"] = Number(a.startMs);
    j["end_ms"] = Number(a.endMs);
    j["time_ms"] = Num(a.timeMs);
    j["breaks"] = a.breaks;
    return j;
}

Json StatsJson(const QuantityStats& s) {
    Json j = Json::object();
    j["source"] = s.source;
    j["mean"] = Number(s.mean);
    j["rms"] = Number(s.rms);
    j["std"] = Number(s.std);
    j["min"] = Number(s.min);
    j["max"] = Number(s.max);
    return j;
}

Json DeviationJson(const WeldMetrics& m) {
    Json j = Json::object();
    for (int q = 0; q < 3; ++q) {
        Json& d = j[kQuantityKey[q]];
        if (!m.deviation[q]) continue;  // stays null
        d["mean_abs"] = Number(m.deviation[q]->meanAbs);
        d["max_abs"] = Number(m.deviation[q]->maxAbs);
    }
    return j;
}

Json LimitsJson(const Limits& limits, const WeldMetrics* m) {
    const std::optional<LimitVerdict> v = CheckLimits(limits, m);
    if (!v) return nullptr;
    Json j = Json::object();
    j["pass"] = v->pass;
    Json failed = Json::array();
    for (int k : v->failed) failed.push_back(kLimitKeys[k].figure);
    j["failed"] = std::move(failed);
    return j;
}

void AppendCsvText(std::string& out, std::string_view s) {
    if (s.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += s;
        return;
    }
    out += '"';
    for (char c : s) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

void AppendCsvField(std::string& out, const Json& v) {
    switch (v.type()) {
        case Json::value_t::string:
            AppendCsvText(out, v.get_ref<const std::string&>());
            break;
        case Json::value_t::boolean:
            out += v.get<bool>() ? "true" : "false";
            break;
        case Json::value_t::number_float:
        case Json::value_t::number_integer:
        case Json::value_t::number_unsigned:
            AppendJson(out, v);  // the same digits as the JSON lines
            break;
        case Json::value_t::array: {
            std::string joined;
            for (const Json& e : v) {
                if (!e.is_string()) continue;
                if (!joined.empty()) joined += ' ';
                joined += e.get_ref<const std::string&>();
            }
            AppendCsvText(out, joined);
            break;
        }
        default:  // null; objects never reach a leaf column
            break;
    }
}

// The field a dotted column names, or null when a step is missing or null.
const Json* Leaf(const Json& record, std::string_view column) {
    const Json* node = &record;
    while (!column.empty()) {
        const size_t dot = column.find('.');
        const std::string key(column.substr(0, dot));
        column = dot == std::string_view::npos ? std::string_view() : column.substr(dot + 1);
        if (!node->is_object()) return nullptr;
        const auto it = node->find(key);
        if (it == node->end()) return nullptr;
        node = &*it;
    }
    return node;
}

std::vector<std::string> MakeCsvColumns() {
    std::vector<std::string> c = {"path",  "readable",    "wave_file",   "layout",
                                  "count", "duration_ms", "interval_ms", "gaps"};
    for (const char* k : {"source", "threshold", "start_ms", "end_ms", "time_ms", "breaks"})
        c.push_back(std::string("arc.") + k);
    for (const char* q : kQuantityKey)
        for (const char* k : {"source", "mean", "rms", "std", "min", "max"})
            c.push_back(std::string(q) + "." + k);
    for (const char* k :
         {"power_w", "energy_j", "energy_avg_j", "wire_m", "wire_g", "heat_input_kj_per_mm"})
        c.push_back(k);
    for (const char* q : kQuantityKey)
        for (const char* k : {"mean_abs", "max_abs"})
            c.push_back(std::string("deviation.") + q + "." + k);
    c.push_back("limits.pass");
    c.push_back("limits.failed");
    return c;
}

}  // namespace

Json MetricsRecord(const std::string& path, const FileMetrics& f, const Limits& limits) {
    Json j = Json::object();
    j["path"] = ToValidUtf8(path);
    j["readable"] = f.readable;
    j["wave_file"] = f.waveFile;
    j["layout"] = f.layout ? Json(*f.layout) : Json(nullptr);
    const WeldMetrics* m = f.metrics ? &*f.metrics : nullptr;
    j["count"] = m ? Json(m->count) : Json(nullptr);
    j["duration_ms"] = m ? Number(m->durationMs) : Json(nullptr);
    j["interval_ms"] = m ? Num(m->intervalMs) : Json(nullptr);
    j["gaps"] = m ? Json(m->gaps) : Json(nullptr);
    j["arc"] = m && m->arc ? ArcJson(*m->arc) : Json(nullptr);
    for (int q = 0; q < 3; ++q)
        j[kQuantityKey[q]] = m && m->quantity[q] ? StatsJson(*m->quantity[q]) : Json(nullptr);
    j["power_w"] = m ? Number(m->powerW) : Json(nullptr);
    j["energy_j"] = m ? Number(m->energyJ) : Json(nullptr);
    j["energy_avg_j"] = m ? Number(m->energyAvgJ) : Json(nullptr);
    j["wire_m"] = m ? Number(m->wireM) : Json(nullptr);
    j["wire_g"] = m ? Number(m->wireG) : Json(nullptr);
    j["heat_input_kj_per_mm"] = m ? Number(m->heatInputKjPerMm) : Json(nullptr);
    j["deviation"] = m ? DeviationJson(*m) : Json(nullptr);
    j["limits"] = LimitsJson(limits, m);
    return j;
}

std::string MetricsJsonLine(const Json& record) {
    std::string out;
    AppendJson(out, record);
    return out + '\n';
}

const std::vector<std::string>& MetricsCsvColumns() {
    static const std::vector<std::string> columns = MakeCsvColumns();
    return columns;
}

std::string MetricsCsvHeader() {
    std::string out;
    for (const std::string& c : MetricsCsvColumns()) {
        if (!out.empty()) out += ',';
        out += c;
    }
    return out + '\n';
}

std::string MetricsCsvRow(const Json& record) {
    std::string out;
    bool first = true;
    for (const std::string& c : MetricsCsvColumns()) {
        if (!first) out += ',';
        first = false;
        if (const Json* v = Leaf(record, c)) AppendCsvField(out, *v);
    }
    return out + '\n';
}

}  // namespace vx
