#pragma once
// `varmonix --dump`: wave files read as the viewer reads them, written as one
// JSON object per file and line, without any window.
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace vx {

// args: the arguments after the program name, "--dump" included or not.
// Returns 0 when every file could be read, 1 otherwise, 2 on a usage error
// (usage text on `err`). Never throws.
int RunDump(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
            const std::string& defaultSettingsPath);

// Folder of the running executable (from /proc/self/exe); "." when unknown.
std::string ExecutableFolder();

// Appends `bytes` as a JSON string literal. Bytes that are not UTF-8 become
// U+FFFD, so the result is valid JSON whatever the input.
void AppendJsonString(std::string& out, std::string_view bytes);

// Appends a double in its shortest round-trip form; null when not finite.
void AppendJsonNumber(std::string& out, double v);

}  // namespace vx
