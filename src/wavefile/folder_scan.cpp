#include "wavefile/folder_scan.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <system_error>

#include "common/ascii.h"
#include "wavefile/wave_csv.h"

namespace vx {
namespace {

bool HasCsvExtension(const std::string& name) {
    if (name.size() < 4) return false;
    const char* ext = name.data() + name.size() - 4;
    return ext[0] == '.' && AsciiLower(ext[1]) == 'c' && AsciiLower(ext[2]) == 's' &&
           AsciiLower(ext[3]) == 'v';
}

}  // namespace

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

bool FileNameLess(const std::string& a, const std::string& b) {
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        // Compare as unsigned bytes so non-ASCII names sort after ASCII ones.
        auto x = static_cast<unsigned char>(AsciiLower(a[i]));
        auto y = static_cast<unsigned char>(AsciiLower(b[i]));
        if (x != y) return x < y;
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
}

FolderScanResult ScanCsvFolder(const std::string& folder,
                               const std::vector<std::string>& accepted) {
    namespace fs = std::filesystem;
    FolderScanResult result;
    try {
        std::vector<std::string> candidates;
        std::error_code ec;
        fs::directory_iterator it(fs::path(folder), ec);
        if (ec) return result;
        while (it != fs::directory_iterator()) {
            std::string name = it->path().filename().native();
            // Follows symlinks; a dangling one is no regular file.
            std::error_code sec;
            if (HasCsvExtension(name) && it->is_regular_file(sec))
                candidates.push_back(std::move(name));
            it.increment(ec);
            if (ec) return result;  // a listing broken off half-way counts as unreadable
        }
        if (candidates.empty()) return result;

        std::sort(candidates.begin(), candidates.end(), FileNameLess);
        for (std::string& name : candidates)
            if (CheckCsvFile(JoinPath(folder, name), accepted))
                result.names.push_back(std::move(name));
        result.ok = true;
    } catch (const std::exception&) {
        result = FolderScanResult{};
    }
    return result;
}

OpenTarget ClassifyOpenPath(const std::string& path, const std::vector<std::string>& accepted) {
    namespace fs = std::filesystem;
    OpenTarget t;
    std::error_code ec;
    const fs::path p(path);
    if (path.empty() || fs::is_directory(p, ec) || !fs::exists(p, ec)) {
        t.folder = path;
        return t;
    }
    std::string name = p.filename().native();
    if (fs::is_regular_file(p, ec) && HasCsvExtension(name) && CheckCsvFile(path, accepted)) {
        t.kind = OpenTarget::Kind::WaveFile;
        // A bare name lies in the working folder.
        t.folder = p.has_parent_path() ? p.parent_path().native() : fs::current_path(ec).native();
        t.name = std::move(name);
        return t;
    }
    t.kind = OpenTarget::Kind::NotWave;
    return t;
}

}  // namespace vx
