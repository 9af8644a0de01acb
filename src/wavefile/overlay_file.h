#pragma once
// Reading the files of the history overlay: weld number n of the open folder is
// the file named n as six digits plus ".csv".
#include <cstdint>
#include <optional>
#include <string>

#include "wavefile/wave_csv.h"
#include "wavefile/wave_tables.h"

namespace vx {

// 30 -> "000030.csv"
std::string OverlayFileName(int32_t n);

// The path of weld n in `folder`: the exact name when it is a regular file,
// else a regular file whose name differs only in ASCII letter case
// ("000030.CSV"); nullopt when there is none.
std::optional<std::string> ResolveOverlayPath(const std::string& folder, int32_t n);

// One overlay line; the delimiter is chosen per line: a line holding ';' has
// every ',' turned into '.' (also in `line`) and ';' as delimiter, else ','.
Sample ConvertOverlayLine(std::string& line);

// Lines 2..n of the file into `out` (cleared first), values as they stand: the
// third column is not mapped onto another scale here. False when the file
// cannot be read or holds no line; `lines` is scratch space.
bool ReadOverlayFile(const std::string& path, LineList& lines, WaveColumns& out);

}  // namespace vx
