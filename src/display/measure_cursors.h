#pragma once
// The two measurement cursors A and B: times on the time axis, kept across
// file steps, and the range between them.
#include <optional>

#include "display/time_zoom.h"

namespace vx {

enum class Cursor { A, B };

// The time a cursor is put at for the time `x` under the mouse: whole
// milliseconds, truncated as the read-out truncates its time. Nothing for a
// time that is not finite.
std::optional<double> CursorTimeAt(double x);

class MeasureCursors {
  public:
    const std::optional<double>& A() const { return a_; }
    const std::optional<double>& B() const { return b_; }
    const std::optional<double>& Of(Cursor c) const { return c == Cursor::A ? a_ : b_; }

    // Each change keeps the state before it, so that the click that started a
    // double click can be taken back.
    void Set(Cursor c, double t);
    void Clear();
    void UndoLast() {
        a_ = beforeA_;
        b_ = beforeB_;
    }

    // A..B in time order (lo <= hi), when both are set.
    std::optional<TimeSpan> Range() const;

  private:
    void Remember() {
        beforeA_ = a_;
        beforeB_ = b_;
    }
    std::optional<double> a_, b_;
    std::optional<double> beforeA_, beforeB_;
};

}  // namespace vx
