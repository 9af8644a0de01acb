#include "wavefile/overlay_file.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <span>
#include <system_error>

#include "common/ascii.h"
#include "wavefile/data_block.h"
#include "wavefile/folder_scan.h"
#include "wavefile/wave_stream.h"

namespace vx {

std::string OverlayFileName(int32_t n) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "%.6d.csv", n);
    return buf;
}

std::optional<std::string> ResolveOverlayPath(const std::string& folder, int32_t n) {
    namespace fs = std::filesystem;
    try {
        const std::string name = OverlayFileName(n);
        std::string exact = JoinPath(folder, name);
        std::error_code ec;
        if (fs::is_regular_file(fs::path(exact), ec)) return exact;

        // Names that differ only in case: take the first by bytes, so the
        // choice does not depend on the listing order.
        std::optional<std::string> found;
        fs::directory_iterator it(fs::path(folder), ec);
        if (ec) return std::nullopt;
        while (it != fs::directory_iterator()) {
            std::string entry = it->path().filename().native();
            std::error_code sec;
            if (EqualNoCaseAscii(entry, name) && (!found || entry < *found) &&
                it->is_regular_file(sec))
                found = entry;
            it.increment(ec);
            if (ec) break;
        }
        if (found) return JoinPath(folder, *found);
    } catch (const std::exception&) {
    }
    return std::nullopt;
}

Sample ConvertOverlayLine(std::string& line) {
    char delimiter = PrepareOverlayLine(std::span<char>(line.data(), line.size()));
    return ConvertDataLine(line, delimiter);
}

bool ReadOverlayFile(const std::string& path, LineList& lines, WaveColumns& out) {
    // No header test: every line after the first is a sample.
    const HeaderRule rule = [](std::string_view) { return DataRule{',', false, true}; };
    return ReadWaveSamples(path, rule, out, lines);
}

}  // namespace vx
