#pragma once
// The mouse gestures of the wave chart, apart from any window: a click sets a
// measurement cursor, a left drag draws a band to zoom to, a middle or
// Shift+left drag pans, a double click goes home. The chart feeds it presses,
// moves and releases in pixels and carries out what comes back.
#include "display/measure_cursors.h"
#include "display/time_zoom.h"

namespace vx {

enum class MouseButton { Left, Middle, Right, Other };

// Zoom factor of one wheel notch away from the user; towards the user zooms
// out by its inverse.
inline constexpr double kWheelZoomIn = 0.8;

// Pixel columns of the plot area and the times they show.
struct PlotMapping {
    double left = 0;   // pixel of view.lo
    double width = 1;  // pixels from view.lo to view.hi
    TimeSpan view;
    // The time at pixel x, kept within the view.
    double TimeAt(double x) const;
    double MsPerPixel() const { return width > 0 ? view.Width() / width : 0; }
};

enum class GestureKind {
    None,
    SetCursor,  // cursor at t0
    ShowBand,   // the band t0..t1 follows the mouse
    HideBand,   // the band goes away, nothing else changes
    ZoomBand,   // zoom to t0..t1 (the band goes away)
    Pan,        // show t0..t1: the view at the press, moved with the mouse
    Home,       // back to the set-up's range
};

struct Gesture {
    GestureKind kind = GestureKind::None;
    Cursor cursor = Cursor::A;
    double t0 = 0, t1 = 0;
    bool undoClick = false;  // Home of a double click: its first click is taken back
};

class ChartGestures {
  public:
    // A press that moves no more than `dragPixels` before its release is a click.
    explicit ChartGestures(double dragPixels = 4) : dragPixels_(dragPixels) {}

    // A button went down at pixel x of the plot area. A second button while
    // one is held is ignored; the held one again starts afresh (a band left
    // from before is hidden).
    Gesture Press(MouseButton b, bool shift, bool ctrl, double x, const PlotMapping& map);
    Gesture Move(double x);
    Gesture Release(MouseButton b, double x);
    // The platform's double click stands for the second press.
    Gesture DoubleClick(MouseButton b, bool shift, bool ctrl, double x, const PlotMapping& map);
    // Whatever was under way ends without effect (the chart was suspended).
    Gesture Cancel();

    bool Held() const { return state_ != State::Idle; }

  private:
    enum class State { Idle, Pressed, Band, Pan, Spent };
    bool Dragged(double x) const;
    Gesture BandTo(GestureKind kind, double x) const;

    double dragPixels_;
    State state_ = State::Idle;
    MouseButton button_ = MouseButton::Left;
    bool shift_ = false, ctrl_ = false;
    double pressX_ = 0;
    PlotMapping map_;
};

}  // namespace vx
