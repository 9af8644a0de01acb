#include "app/window_layout.h"

namespace vx {

std::optional<PanelMove> PnlBasePositionAfterResize(WindowState state, bool& firstResize,
                                                    int outerWidth, int outerHeight, int panelWidth,
                                                    int panelHeight) {
    switch (state) {
        case WindowState::Normal:
            if (firstResize) {
                firstResize = false;
                return std::nullopt;
            }
            // Integer division truncates toward zero, also for a negative difference.
            return PanelMove{(outerWidth - panelWidth) / 2, (outerHeight - panelHeight - 53) / 2};
        case WindowState::Maximized:
            return PanelMove{0, 0};
        case WindowState::Minimized:
            return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace vx
