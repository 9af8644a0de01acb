#pragma once
// The samples of a drawn wave as CSV text, for spreadsheets and scripts: a
// header of the titles with their units, then time in ms and the three values
// in their own units, "." as the decimal mark, UTF-8.
#include <array>
#include <string>

#include "display/plot_data.h"
#include "display/time_zoom.h"
#include "wavefile/wave_tables.h"

namespace vx {

// One CSV field: quoted when it holds a comma, a quote or a line break.
std::string CsvField(const std::string& text);

// "title [unit]", or the title alone without a unit.
std::string CsvHeading(const TitleUnit& t);

// The samples with range.lo <= t <= range.hi, in their order; `titles` in
// UTF-8. Lines end in CRLF; a value that is not finite is an empty field.
std::string SamplesCsv(const std::array<TitleUnit, 3>& titles, const WaveColumns& samples,
                       TimeSpan range);

}  // namespace vx
