#pragma once
// Where the labels "A" and "B" of the measurement cursors stand above the
// plot: the earlier cursor's left of its line, the later one's right of it,
// so that close cursors keep both readable; never beyond the plot's width,
// and side by side where they would still overlap.
#include <array>
#include <optional>

namespace vx {

struct CursorLabelIn {
    std::optional<double> pixel;  // the cursor's line; none when it is not drawn
    double width = 0;             // of its label
};

// Left pixel of each label (A first); meaningless for a cursor not drawn.
std::array<double, 2> CursorLabelLefts(const std::array<CursorLabelIn, 2>& in, double plotLeft,
                                       double plotRight);

}  // namespace vx
