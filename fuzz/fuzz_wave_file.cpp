// The wave-file reading path on arbitrary file contents: the folder scan's
// header test, the loader's line list, variant, header split, layout and
// data-line conversion, the overlay reader on the same file, and the streamed
// reads the viewer uses against all of these.
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "common/encoding.h"
#include "common/weld_common.h"
#include "fuzz_support.h"
#include "settings/settings_file.h"
#include "wavefile/data_block.h"
#include "wavefile/overlay_file.h"
#include "wavefile/wave_csv.h"
#include "wavefile/wave_layout.h"
#include "wavefile/wave_stream.h"

using namespace vx;

namespace {

bool SameSample(double a, double b) { return a == b && std::signbit(a) == std::signbit(b); }

bool SameColumns(const WaveColumns& a, const WaveColumns& b) {
    if (a.size() != b.size() || a.y1.size() != b.size() || a.y2.size() != b.size() ||
        a.y3.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (!SameSample(a.t[i], b.t[i]) || !SameSample(a.y1[i], b.y1[i]) ||
            !SameSample(a.y2[i], b.y2[i]) || !SameSample(a.y3[i], b.y3[i]))
            return false;
    return true;
}

std::optional<DataRule> LoaderRule(std::string_view header) {
    std::string_view f[4];
    const WaveVariant v = DetectVariant(header);
    if (SplitFourFields(header, v.delimiter, f) != 4) return std::nullopt;
    return RuleOf(v);
}

// The streamed read with a rule against the reference columns, in small
// pieces (so that lines and CR LF pairs straddle them) and in the usual ones.
void CheckStreamed(const std::string& path, size_t smallChunk, bool overlay, bool readable,
                   const std::string& header, const WaveColumns& want) {
    for (size_t chunk : {smallChunk, kStreamChunk}) {
        std::string seen;
        const HeaderRule rule = [&](std::string_view h) -> std::optional<DataRule> {
            seen = h;
            if (overlay) return DataRule{',', false, true};
            return LoaderRule(h);
        };
        WaveColumns got;
        LineList scratch;
        VX_FUZZ_CHECK(ReadWaveSamples(path, rule, got, scratch, chunk) == readable);
        if (!readable) {
            VX_FUZZ_CHECK(got.size() == 0);
            continue;
        }
        VX_FUZZ_CHECK(seen == header);
        VX_FUZZ_CHECK(SameColumns(got, want));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes = fuzz::AsText(data, size);
    const std::string path = fuzz::ScratchFolder::Get().Write("input.csv", bytes);

    LineList lines;
    const bool read = ReadWaveLines(path, lines);
    // The folder scan reads only the first line; it must see the header the
    // loader sees, or a listed file could draw differently from what was tested.
    std::string first;
    const bool firstRead = ReadFirstLine(path, first);
    VX_FUZZ_CHECK(read == firstRead);
    if (read) VX_FUZZ_CHECK(first == lines[0]);

    // The same bytes decoded in memory give the same lines.
    LineList fromBytes;
    fromBytes.Assign(DecodeToCp932(bytes));
    VX_FUZZ_CHECK(fromBytes.size() == lines.size());
    for (size_t i = 0; i < lines.size(); ++i) VX_FUZZ_CHECK(fromBytes[i] == lines[i]);

    static const std::vector<std::string> kDefaultNames = ParseFormatCheck(DefaultFormatCheck());
    const bool listed = CheckCsvFile(path, kDefaultNames);

    const size_t smallChunk = 16 + (size > 0 ? data[size - 1] % 64 : 0);
    if (!read) {
        VX_FUZZ_CHECK(!listed);
        CheckStreamed(path, smallChunk, false, false, {}, {});
        return 0;
    }

    // The loader's order of steps.
    const WaveVariant v = DetectVariant(lines[0]);
    std::string fields[4];
    const int count =
        WeldCommon::SplitFields(lines[0], std::string(1, v.delimiter), true, 4, fields);
    // A file whose header names itself as the time column is listed exactly
    // when the header has four fields.
    VX_FUZZ_CHECK(CheckCsvFile(path, {fields[0]}) == (count == 4));
    if (listed) VX_FUZZ_CHECK(count == 4);
    if (count == 4) VX_FUZZ_CHECK(DetectWaveLayout(fields) < 8);

    const LineList original = lines;
    WaveColumns cols;
    ConvertDataLines(lines, v, cols);
    // The viewer streams the file instead; the same samples, or none when the
    // header lacks fields.
    CheckStreamed(path, smallChunk, false, true, std::string(original[0]),
                  count == 4 ? cols : WaveColumns{});
    LineList overlayOriginal = original;
    WaveColumns overlayWant;
    ConvertLinesWith(overlayOriginal, overlayWant, PrepareOverlayLine);
    CheckStreamed(path, smallChunk, true, true, std::string(original[0]), overlayWant);
    VX_FUZZ_CHECK(cols.size() == lines.size() - 1);
    VX_FUZZ_CHECK(cols.y1.size() == cols.size() && cols.y2.size() == cols.size() &&
                  cols.y3.size() == cols.size());
    for (size_t i = 0; i < cols.size(); ++i) {
        VX_FUZZ_CHECK(std::isfinite(cols.y1[i]) && std::isfinite(cols.y2[i]) &&
                      std::isfinite(cols.y3[i]));
        VX_FUZZ_CHECK(cols.t[i] == std::trunc(cols.t[i]) && std::fabs(cols.t[i]) <= 2147483648.0);
    }

    // The overlay reader chooses the delimiter per line; where the line and the
    // header agree about ';' both readers give the same sample.
    LineList overlayLines;
    WaveColumns overlay;
    VX_FUZZ_CHECK(ReadOverlayFile(path, overlayLines, overlay));
    VX_FUZZ_CHECK(overlay.size() == cols.size());
    for (size_t i = 0; i < cols.size(); ++i) {
        bool lineHasSemicolon = original[i + 1].find(';') != std::string_view::npos;
        if (lineHasSemicolon != v.decimalComma) continue;
        VX_FUZZ_CHECK(SameSample(overlay.t[i], cols.t[i]));
        VX_FUZZ_CHECK(SameSample(overlay.y1[i], cols.y1[i]));
        VX_FUZZ_CHECK(SameSample(overlay.y2[i], cols.y2[i]));
        VX_FUZZ_CHECK(SameSample(overlay.y3[i], cols.y3[i]));
    }
    return 0;
}
