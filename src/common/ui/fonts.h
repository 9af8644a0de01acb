#pragma once
// The program's fonts. The Japanese Windows faces are replaced by the IPA
// faces of the same metrics family, which also show Japanese.
#include <QFont>

namespace vx {

// Fixed-pitch Gothic, the program's main face.
QFont GothicFont(int pixelSize, bool bold = false);
// Proportional Gothic, used by the message box and the status bar.
QFont PGothicFont(int pixelSize, bool bold = false);

}  // namespace vx
