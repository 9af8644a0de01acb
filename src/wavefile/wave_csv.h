#pragma once
// Reading wave CSV files: the lines of a file, the comma/semicolon variant,
// the conversion of data lines and the wave-file test of the folder scan.
// All text here is CP932 bytes (files are decoded on reading).
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/byte_buffer.h"
#include "wavefile/wave_tables.h"

namespace vx {

// A file's lines over one buffer, so a million-line file costs two
// allocations, not a million. Views returned by operator[] stay valid until
// the next Assign, SetLine or clear.
class LineList {
  public:
    size_t size() const { return spans_.size(); }
    bool empty() const { return spans_.empty(); }
    std::string_view operator[](size_t i) const {
        return std::string_view(text_.data() + spans_[i].begin, spans_[i].end - spans_[i].begin);
    }
    // The bytes of line i for a rewrite that keeps its length.
    std::span<char> MutableLine(size_t i) {
        return std::span<char>(text_.data() + spans_[i].begin, spans_[i].end - spans_[i].begin);
    }
    // Replaces line i by any text.
    void SetLine(size_t i, std::string_view line);
    // Replaces every `from` by `to` in lines first..n, in one pass over the
    // buffer while the lines still lie in it in order.
    void ReplaceInLines(size_t first, char from, char to);
    // Splits `text` at CR LF, LF or CR; a final line break makes no empty line.
    void Assign(std::string_view text);
    void clear();

  private:
    friend bool ReadWaveLines(const std::string& path, LineList& out);
    friend class WaveStream;  // reads through the list's buffer, keeping no lines
    void Split();

    struct Span {
        size_t begin, end;
    };
    ByteBuffer text_;
    std::vector<Span> spans_;
    bool inOrder_ = true;  // lines lie in text_ in order, only line breaks between them
};

// Reads a whole file, decoded to CP932 (byte-order marks, or UTF-8 without one
// when the bytes are valid UTF-8 holding non-ASCII text). False when the path
// is not a regular file, cannot be read, or has no line at all. A file that
// cannot be opened leaves `out` as it was; otherwise `out` is refilled (empty
// after a read error), reusing its memory.
bool ReadWaveLines(const std::string& path, LineList& out);

// The first line of a file, decoded as ReadWaveLines would decode it, reading
// no more of the file than that needs. False as ReadWaveLines.
bool ReadFirstLine(const std::string& path, std::string& line);

struct WaveVariant {
    char delimiter = ',';
    bool decimalComma = false;
};

// Decided from the header alone: a ';' anywhere makes it the delimiter and
// ',' the decimal mark.
WaveVariant DetectVariant(std::string_view headerLine);

// Splits like WeldCommon::SplitFields(line, {delimiter}, true, 4, ...) but
// into views of `line`. Returns the field count; unset fields are empty.
int SplitFourFields(std::string_view line, char delimiter, std::string_view fields[4]);

struct Sample {
    double t;
    double y[3];
};

// One data line: time as a whole number (0 otherwise), the values by their
// leading number (0.0 otherwise). Missing fields count as empty.
Sample ConvertDataLine(std::string_view line, char delimiter);

// Converts lines 2..n into `out` (cleared first), in file order. `prepare`
// may rewrite a line in place and returns the delimiter to split it at.
template <class Prepare>
void ConvertLinesWith(LineList& lines, WaveColumns& out, Prepare prepare) {
    out.clear();
    if (lines.size() < 2) return;
    const size_t n = lines.size() - 1;
    out.t.resize(n);
    out.y1.resize(n);
    out.y2.resize(n);
    out.y3.resize(n);
    for (size_t i = 0; i < n; ++i) {
        const char delimiter = prepare(lines.MutableLine(i + 1));
        const Sample s = ConvertDataLine(lines[i + 1], delimiter);
        out.t[i] = s.t;
        out.y1[i] = s.y[0];
        out.y2[i] = s.y[1];
        out.y3[i] = s.y[2];
    }
}

// Converts lines 2..n into `out` (cleared first). In the decimal-comma variant
// every ',' of a data line becomes '.', also in `lines`.
void ConvertDataLines(LineList& lines, WaveVariant v, WaveColumns& out);

// True when the file's header splits into four fields and the first equals one
// of `acceptedNames` (CP932 bytes, exact).
bool CheckCsvFile(const std::string& path, const std::vector<std::string>& acceptedNames);

}  // namespace vx
