#include "display/fixed_text.h"

#include <charconv>
#include <cmath>

namespace vx {

std::string FormatFixed(double v, int decimals, int width) {
    char buf[400];  // the largest double in fixed notation needs 309 digits
    std::string text;
    if (std::isnan(v)) {
        text = "nan";
    } else if (std::isinf(v)) {
        text = v < 0 ? "-inf" : "inf";
    } else {
        auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
        text.assign(buf, r.ec == std::errc() ? r.ptr : buf);
    }
    if (static_cast<int>(text.size()) < width) text.insert(0, width - text.size(), ' ');
    return text;
}

}  // namespace vx
