#pragma once
// Number conversions of the program's texts, locale-independent.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vx {

// Whole decimal number: leading blanks allowed, optional sign, digits, nothing
// after them, within the 32-bit range. Anything else gives nullopt.
std::optional<int32_t> ParseInt32(std::string_view s);

// The shortest text that reads back as exactly `v` ("10", "0.8", "1e+07").
// Not finite: "inf", "-inf", "nan".
std::string ShortestText(double v);

// ParseInt32, 0 when not a whole number (times in data lines, overlay numbers).
inline int32_t ParseWholeNumber(std::string_view s) { return ParseInt32(s).value_or(0); }

// strtod-like: leading blanks skipped, the longest leading part forming a
// decimal number (sign, digits, ".", exponent) counts, the rest is ignored;
// no number gives 0.0. "inf" and "nan" are not numbers. The result is always
// finite: an overflow gives the largest double of its sign.
double ParseLeadingDouble(std::string_view s);

}  // namespace vx
