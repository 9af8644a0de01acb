#pragma once
// Reading a wave file's samples as the file streams by: the header first, then
// the data lines converted piece by piece through one small buffer, so that
// even a file of millions of lines never lies in memory as text.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "wavefile/data_block.h"
#include "wavefile/wave_csv.h"
#include "wavefile/wave_tables.h"

namespace vx {

// Given the header line (CP932; the view lasts for the call only), how to
// convert the data lines; nullopt to convert none.
using HeaderRule = std::function<std::optional<DataRule>(std::string_view header)>;

// Bytes read at a time: small enough to stay in the processor's cache.
inline constexpr size_t kStreamChunk = size_t{256} << 10;

// Reads `path` as ReadWaveLines would, hands line 1 to `rule` and converts
// lines 2..n into `out` (cleared first) as ConvertDataLines or the overlay
// reader would; the same samples, bit for bit. False when the file cannot be
// read or has no line at all; `out` is then empty. `rule` may be called again
// once the whole file is seen (a file without byte-order mark is UTF-8 only
// when all of it is), with the header decoded; its last answer counts.
// `scratch` lends its memory, so that the next file read with it costs no
// fresh memory; it holds no lines afterwards. `chunk` is for tests.
bool ReadWaveSamples(const std::string& path, const HeaderRule& rule, WaveColumns& out,
                     LineList& scratch, size_t chunk = kStreamChunk);

}  // namespace vx
