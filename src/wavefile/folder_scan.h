#pragma once
// Listing the wave files of a data-log folder.
#include <string>
#include <vector>

namespace vx {

struct FolderScanResult {
    bool ok = false;                 // false: unreadable, or no regular .csv file at all
    std::vector<std::string> names;  // names that passed CheckCsvFile, sorted
};

// Regular files (or symlinks to them) named "*.csv" in any letter case, those
// with a wave header kept. Paths are native byte strings; names are sorted
// ignoring ASCII letter case, ties by bytes.
FolderScanResult ScanCsvFolder(const std::string& folder, const std::vector<std::string>& accepted);

// "<folder>/<name>", without doubling a trailing '/'.
std::string JoinPath(const std::string& folder, const std::string& name);

// ASCII case-insensitive order, ties broken by bytes.
bool FileNameLess(const std::string& a, const std::string& b);

}  // namespace vx
