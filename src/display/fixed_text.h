#pragma once
// printf-style "%W.Pf" without the locale: the captions and the read-out always
// use '.', whatever LC_NUMERIC the GUI library has set.
#include <string>

namespace vx {

// v with `decimals` places, padded on the left with blanks to `width` characters.
std::string FormatFixed(double v, int decimals, int width);

}  // namespace vx
