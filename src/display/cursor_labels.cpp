#include "display/cursor_labels.h"

#include <algorithm>

namespace vx {

std::array<double, 2> CursorLabelLefts(const std::array<CursorLabelIn, 2>& in, double plotLeft,
                                       double plotRight) {
    std::array<double, 2> lo{};
    const bool both = in[0].pixel && in[1].pixel;
    const int first = both && *in[1].pixel < *in[0].pixel ? 1 : 0;
    auto fit = [&](int i, double left) {
        lo[i] = std::max(plotLeft, std::min(left, plotRight - in[i].width));
    };
    for (int i = 0; i < 2; ++i)
        if (in[i].pixel) fit(i, i == first ? *in[i].pixel - in[i].width : *in[i].pixel);
    if (both) {
        const int later = 1 - first;
        if (lo[later] < lo[first] + in[first].width) {
            fit(later, lo[first] + in[first].width);
            // Against the right edge the earlier one makes way instead.
            if (lo[later] < lo[first] + in[first].width) fit(first, lo[later] - in[first].width);
        }
    }
    return lo;
}

}  // namespace vx
