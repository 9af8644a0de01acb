#pragma once
// Turning a read wave file into what the chart shows: points in time order,
// the sample-interval code, and the trace titles and units of the header.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "wavefile/wave_tables.h"

namespace vx {

// Indices of the points ordered by time, equal times in insertion order
// (NaN times last). Already sorted input costs one pass.
std::vector<uint32_t> StableTimeOrder(const std::vector<double>& t);

// Puts all four columns in time order. A value column whose length differs
// from the time column's cannot be paired with the times and is left as it is.
// Returns the order applied (element k: the old index of sample k), empty when
// the columns were in time order already.
std::vector<uint32_t> SortColumnsByTime(WaveColumns& c);

// SampleCode of a file: 0 (10 ms or anything else), 1 (100 ms), 2 (1000 ms),
// from the two smallest times. lineCount counts the header line.
uint8_t SampleCodeOf(const std::vector<double>& sortedTimes, size_t lineCount);

struct TitleUnit {
    std::string title;  // CP932 bytes
    std::string unit;   // CP932 bytes
};

// Title and unit caption of one header field such as "<name>[<unit>]".
// The six Japanese quantity names become their English titles.
TitleUnit TitleAndUnitOf(std::string_view headerField);

}  // namespace vx
