#pragma once
// `varmonix --report`: a PDF of the welds of some files and folders, an
// overview first, then one page per weld drawn by the viewer's own window,
// kept off screen.
#include <iosfwd>
#include <string>

#include "app/command_line.h"

namespace vx {

// Writes the report of cl.files (wave files and data-log folders) to
// cl.outPath with the settings `settingsPath`; whole or not at all. Needs the
// application object. Returns 0; 1 when a file could not be read (its page
// says so) or the report cannot be written, said on `err`. Never throws.
int RunReport(const CommandLine& cl, const std::string& settingsPath, std::ostream& err);

}  // namespace vx
