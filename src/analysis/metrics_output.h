#pragma once
// The metrics record of one file, as a JSON object and as a CSV row.
#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "analysis/limits.h"
#include "analysis/metrics.h"

namespace vx {

// What the metrics of one file start from.
struct FileMetrics {
    bool readable = false;  // the file could be read and holds a line
    bool waveFile = false;  // its header passes the folder scan's wave-file test
    // Both set when the header has four fields, i.e. when the viewer draws
    // the file; a file that is not drawn has no metrics.
    std::optional<uint8_t> layout;
    std::optional<WeldMetrics> metrics;
};

// Fields in this order: path, readable, wave_file, layout, count,
// duration_ms, interval_ms, gaps, arc, current, voltage, wire_feed, power_w,
// energy_j, energy_avg_j, wire_m, wire_g, heat_input_kj_per_mm, deviation,
// limits. Without metrics every field from layout to deviation is null. A
// quantity the row lacks is null; "deviation" always holds current, voltage
// and wire_feed, null unless the row has both values of it. "limits" is
// {"pass": bool, "failed": [figure names]} judged against `limits`, null
// when no limit is set. `path` is bytes; what is not UTF-8 in it becomes
// U+FFFD.
nlohmann::ordered_json MetricsRecord(const std::string& path, const FileMetrics& f,
                                     const Limits& limits);

// The record as one JSON line, '\n' included.
std::string MetricsJsonLine(const nlohmann::ordered_json& record);

// The CSV columns: the record's fields flattened with dots ("current.mean",
// "deviation.voltage.max_abs", "limits.failed"), the same set for every file.
const std::vector<std::string>& MetricsCsvColumns();

// The header line and the row of a record, '\n' included. Null and missing
// fields are empty, numbers in their shortest round-trip form with '.', a
// list of names is joined by spaces, and fields holding ',', '"', CR or LF
// are quoted with doubled quotes.
std::string MetricsCsvHeader();
std::string MetricsCsvRow(const nlohmann::ordered_json& record);

}  // namespace vx
