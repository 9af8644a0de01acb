#pragma once
// `varmonix --render`: one wave file drawn by the viewer's own window, kept
// off screen, and written as a picture.
#include <iosfwd>
#include <string>

#include "app/command_line.h"

namespace vx {

// Sets the platform without a display for the application made after it;
// call before the QApplication exists.
void UseOffscreenPlatform();

// Draws cl.files[0] with the settings `settingsPath` into cl.outPath. Needs
// the application object. Returns 0, or 1 (said on `err`) when the file is
// no readable wave file or the picture cannot be written. Never throws.
int RunRender(const CommandLine& cl, const std::string& settingsPath, std::ostream& err);

}  // namespace vx
