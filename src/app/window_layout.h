#pragma once
// Where the content panel goes when the main window changes size.
#include <optional>

namespace vx {

enum class WindowState { Normal, Maximized, Minimized };

struct PanelMove {
    int left = 0;
    int top = 0;
};

// The panel position after a resize, or nullopt when it stays where it is.
// `firstResize` is cleared by the first resize in the normal state.
std::optional<PanelMove> PnlBasePositionAfterResize(WindowState state, bool& firstResize,
                                                    int outerWidth, int outerHeight, int panelWidth,
                                                    int panelHeight);

// Status bar panel 0 takes all but the 100 pixels of the version panel.
inline int StatusPanel0Width(int barWidth) { return barWidth - 100; }

}  // namespace vx
