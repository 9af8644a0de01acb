#pragma once
// Converting many data lines at once: a run of whole lines in a buffer becomes
// samples in one pass, with a short cut for the plain decimal lines that fill
// wave files. Any other line is converted by ConvertDataLine, so the results
// are those of the line-by-line conversion, bit for bit.
#include <cstddef>
#include <span>

#include "wavefile/wave_csv.h"
#include "wavefile/wave_tables.h"

namespace vx {

// How data lines are split.
struct DataRule {
    char delimiter = ',';
    bool decimalComma = false;  // every ',' of a line becomes '.' before the split
    bool perLine = false;       // overlay files: each line holding ';' is decimal-comma
};

// An overlay line holding ';' has every ',' turned into '.' in place and ';'
// as delimiter; any other line has ','. Returns the delimiter.
char PrepareOverlayLine(std::span<char> bytes);

// The rule of a file's data lines after its header.
inline DataRule RuleOf(WaveVariant v) { return DataRule{v.delimiter, v.decimalComma, false}; }

// Converts the lines of [begin, end) and appends one sample per line to `out`.
// The run must end just after a line break, and a CR there must not be the
// first half of a CR LF. Decimal commas are rewritten in place.
void ConvertDataBlock(char* begin, char* end, const DataRule& rule, WaveColumns& out);

// Lines in [begin, end) as an estimate for reserving columns: the count of LF
// or of CR, whichever is larger (exact unless the breaks are mixed).
size_t EstimateLines(const char* begin, const char* end);

}  // namespace vx
