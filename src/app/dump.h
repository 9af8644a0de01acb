#pragma once
// `varmonix --dump`: wave files read as the viewer reads them, written as one
// JSON object per file and line, without any window.
#include <iosfwd>
#include <string>
#include <vector>

namespace vx {

// args: the arguments after the program name, "--dump" included or not.
// Returns 0 when every file could be read, 1 otherwise, 2 on a usage error
// (usage text on `err`). Never throws.
int RunDump(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
            const std::string& defaultSettingsPath);

// Folder of the running executable (from /proc/self/exe); "." when unknown.
std::string ExecutableFolder();

}  // namespace vx
