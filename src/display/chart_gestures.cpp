#include "display/chart_gestures.h"

#include <algorithm>
#include <cmath>

namespace vx {

double PlotMapping::TimeAt(double x) const {
    if (!(width > 0)) return view.lo;
    const double share = std::clamp((x - left) / width, 0.0, 1.0);
    return view.lo + share * view.Width();
}

bool ChartGestures::Dragged(double x) const { return std::fabs(x - pressX_) > dragPixels_; }

Gesture ChartGestures::BandTo(GestureKind kind, double x) const {
    Gesture g;
    g.kind = kind;
    g.t0 = std::min(map_.TimeAt(pressX_), map_.TimeAt(x));
    g.t1 = std::max(map_.TimeAt(pressX_), map_.TimeAt(x));
    return g;
}

Gesture ChartGestures::Press(MouseButton b, bool shift, bool ctrl, double x,
                             const PlotMapping& map) {
    if (b == MouseButton::Other) return {};
    // The held button pressed again: its release was lost (the grab went to
    // another window), so the old gesture ends and this one starts.
    if (state_ != State::Idle && b != button_) return {};
    Gesture ended = Cancel();
    state_ = State::Pressed;
    button_ = b;
    shift_ = shift;
    ctrl_ = ctrl;
    pressX_ = x;
    map_ = map;
    return ended;
}

Gesture ChartGestures::Move(double x) {
    switch (state_) {
        case State::Pressed:
            if (!Dragged(x)) return {};
            if (button_ == MouseButton::Left && !shift_) {
                state_ = State::Band;
                return BandTo(GestureKind::ShowBand, x);
            }
            if (button_ == MouseButton::Middle || button_ == MouseButton::Left) {
                state_ = State::Pan;
                return Move(x);
            }
            state_ = State::Spent;  // a right drag is no click
            return {};
        case State::Band:
            return BandTo(GestureKind::ShowBand, x);
        case State::Pan: {
            // Moved with the mouse from where the view stood at the press, so
            // the time grabbed stays under the mouse.
            const double shift = -(x - pressX_) * map_.MsPerPixel();
            Gesture g;
            g.kind = GestureKind::Pan;
            g.t0 = map_.view.lo + shift;
            g.t1 = map_.view.hi + shift;
            return g;
        }
        default:
            return {};
    }
}

Gesture ChartGestures::Release(MouseButton b, double x) {
    if (state_ == State::Idle || b != button_) return {};
    const State was = state_;
    state_ = State::Idle;
    switch (was) {
        case State::Pressed: {
            if (button_ == MouseButton::Middle) return {};
            Gesture g;
            g.kind = GestureKind::SetCursor;
            g.cursor = button_ == MouseButton::Right || ctrl_ ? Cursor::B : Cursor::A;
            g.t0 = map_.TimeAt(pressX_);
            return g;
        }
        case State::Band: {
            if (!Dragged(x)) {  // dragged back to where it started
                Gesture g;
                g.kind = GestureKind::HideBand;
                return g;
            }
            return BandTo(GestureKind::ZoomBand, x);
        }
        default:
            return {};
    }
}

Gesture ChartGestures::DoubleClick(MouseButton b, bool shift, bool ctrl, double x,
                                   const PlotMapping& map) {
    if (b != MouseButton::Left) return Press(b, shift, ctrl, x, map);
    Cancel();
    state_ = State::Spent;  // until its release
    button_ = b;
    Gesture g;
    g.kind = GestureKind::Home;
    g.undoClick = true;
    return g;
}

Gesture ChartGestures::Cancel() {
    const bool band = state_ == State::Band;
    state_ = State::Idle;
    Gesture g;
    if (band) g.kind = GestureKind::HideBand;
    return g;
}

}  // namespace vx
