#pragma once
// The viewer's windows at work with nobody at the screen, for the modes
// that draw without a window: messages go to a stream, the window stays
// off screen.
#include <QTimer>
#include <iosfwd>
#include <string>

namespace vx {

class TFormWeldMain;

// `path` made absolute and normal; as it is when that fails.
std::string AbsolutePath(const std::string& path);

// Nobody is there to press OK: a message the window would show goes to
// `err`, and its box is closed as soon as it is up, for as long as this
// object lives.
class MessagesToStream {
  public:
    explicit MessagesToStream(std::ostream& err);
    MessagesToStream(const MessagesToStream&) = delete;
    MessagesToStream& operator=(const MessagesToStream&) = delete;

  private:
    std::ostream& err_;
    QTimer timer_;
};

// Shows the window without putting it on a screen; it sets itself up from
// its settings when first shown.
void ShowOffScreen(TFormWeldMain& main);

}  // namespace vx
