#pragma once
// `varmonix --dump`: wave files read as the viewer reads them, written as one
// JSON object per file and line, without any window.
#include <iosfwd>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "common/encoding.h"

namespace vx {

// Dumps options.files with options.settingsPath, else `defaultSettingsPath`
// (a missing file gives the defaults). Returns 0 when every file could be read
// and the output written, 1 otherwise. Never throws. Without the CP932
// converter a run starts with one warning line on `err`.
int RunDump(const CommandLine& options, std::ostream& out, std::ostream& err,
            const std::string& defaultSettingsPath, bool cp932Available = Cp932Available());

// The same from arguments as they follow the program's name, "--dump"
// included or not; --help, --version and usage errors are answered as the
// program answers them (2 after a usage error).
int RunDump(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
            const std::string& defaultSettingsPath);

}  // namespace vx
