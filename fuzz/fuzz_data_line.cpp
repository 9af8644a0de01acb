// One data line against a plain reading of the rules: the shared splitter, the
// whole-number time and the strtod-like values, alone and within a run of
// lines. The reader's fast paths must never give another result.
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "common/number_text.h"
#include "common/weld_common.h"
#include "fuzz_support.h"
#include "wavefile/data_block.h"
#include "wavefile/overlay_file.h"
#include "wavefile/wave_csv.h"

using namespace vx;

namespace {

bool Same(double a, double b) { return a == b && std::signbit(a) == std::signbit(b); }

Sample Reference(std::string_view line, char delimiter) {
    std::string f[4];
    WeldCommon::SplitFields(line, std::string(1, delimiter), true, 4, f);
    Sample s;
    s.t = ParseWholeNumber(f[0]);
    for (int k = 0; k < 3; ++k) s.y[k] = ParseLeadingDouble(f[k + 1]);
    return s;
}

void CheckSame(const Sample& got, const Sample& want) {
    VX_FUZZ_CHECK(Same(got.t, want.t));
    for (int k = 0; k < 3; ++k) VX_FUZZ_CHECK(Same(got.y[k], want.y[k]));
}

// strtod in the C locale agrees with ParseLeadingDouble wherever strtod reads
// plain decimal notation (no hex, inf or nan) without overflow or underflow.
void CheckAgainstStrtod(std::string_view text) {
    const double ours = ParseLeadingDouble(text);
    VX_FUZZ_CHECK(std::isfinite(ours));
    if (text.find_first_of("xXiInN") != std::string_view::npos) return;
    if (text.find('\0') != std::string_view::npos) return;
    std::string s(text);
    errno = 0;
    double theirs = std::strtod(s.c_str(), nullptr);
    if (errno == ERANGE) return;
    VX_FUZZ_CHECK(Same(ours, theirs));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view line = fuzz::AsText(data, size);

    CheckSame(ConvertDataLine(line, ','), Reference(line, ','));
    CheckSame(ConvertDataLine(line, ';'), Reference(line, ';'));

    // The overlay line: ';' anywhere makes it the delimiter, ',' the decimal mark.
    std::string overlay(line);
    std::string expected(line);
    char delimiter = ',';
    if (expected.find(';') != std::string::npos) {
        delimiter = ';';
        for (char& c : expected)
            if (c == ',') c = '.';
    }
    CheckSame(ConvertOverlayLine(overlay), Reference(expected, delimiter));
    VX_FUZZ_CHECK(overlay == expected);

    // Many lines at once take a short cut for plain numbers; a line on its own
    // in such a run must convert as it does alone.
    if (line.find_first_of("\r\n") == std::string_view::npos) {
        for (char d : {',', ';'}) {
            std::string run = std::string(line) + "\n";
            WaveColumns c;
            ConvertDataBlock(run.data(), run.data() + run.size(), DataRule{d, false, false}, c);
            VX_FUZZ_CHECK(c.size() == 1);
            CheckSame(Sample{c.t[0], {c.y1[0], c.y2[0], c.y3[0]}}, Reference(line, d));
        }
        // A line right after one of the same shape is read from that shape:
        // the model is the line with every byte other than a digit, ',', '.'
        // or '-' made a digit, so the line itself differs from it in a few
        // places. Filler after them keeps them clear of the run's end.
        std::string model(line);
        for (char& ch : model)
            if (!(ch >= '0' && ch <= '9') && ch != ',' && ch != '.' && ch != '-') ch = '7';
        std::string shaped = model + "\n" + std::string(line) + "\n";
        for (int k = 0; k < 8; ++k) shaped += "0,0,0,0\n";
        WaveColumns sc;
        ConvertDataBlock(shaped.data(), shaped.data() + shaped.size(), DataRule{',', false, false},
                         sc);
        VX_FUZZ_CHECK(sc.size() == 10);
        CheckSame(Sample{sc.t[0], {sc.y1[0], sc.y2[0], sc.y3[0]}}, Reference(model, ','));
        CheckSame(Sample{sc.t[1], {sc.y1[1], sc.y2[1], sc.y3[1]}}, Reference(line, ','));

        std::string run = std::string(line) + "\r\n" + std::string(line) + "\r";
        WaveColumns c;
        ConvertDataBlock(run.data(), run.data() + run.size(), DataRule{',', false, true}, c);
        VX_FUZZ_CHECK(c.size() == 2);
        for (size_t i = 0; i < 2; ++i)
            CheckSame(Sample{c.t[i], {c.y1[i], c.y2[i], c.y3[i]}}, Reference(expected, delimiter));
    }

    CheckAgainstStrtod(line);
    return 0;
}
