#include "display/sample_export.h"

#include <cmath>

#include "common/number_text.h"

namespace vx {
namespace {

void AppendValue(std::string& out, double v) {
    if (std::isfinite(v)) out += ShortestText(v);
}

}  // namespace

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string out = "\"";
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + '"';
}

std::string CsvHeading(const TitleUnit& t) {
    return t.unit.empty() ? t.title : t.title + " [" + t.unit + "]";
}

std::string SamplesCsv(const std::array<TitleUnit, 3>& titles, const WaveColumns& samples,
                       TimeSpan range) {
    std::string out = CsvField(CsvHeading({"Time", "ms"}));
    for (const TitleUnit& t : titles) out += ',' + CsvField(CsvHeading(t));
    out += "\r\n";
    for (size_t i = 0; i < samples.size(); ++i) {
        const double t = samples.t[i];
        if (!(t >= range.lo && t <= range.hi)) continue;
        AppendValue(out, t);
        for (const std::vector<double>* y : {&samples.y1, &samples.y2, &samples.y3}) {
            out += ',';
            if (i < y->size()) AppendValue(out, (*y)[i]);
        }
        out += "\r\n";
    }
    return out;
}

}  // namespace vx
