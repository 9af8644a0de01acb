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

// What a path handed to the viewer (dropped on it, or given at start) opens.
struct OpenTarget {
    enum class Kind {
        Folder,    // a data-log folder (or a path that is no file: the scan reports it)
        WaveFile,  // a wave file: its folder opens with it selected
        NotWave,   // a file that is no wave file: nothing opens
    };
    Kind kind = Kind::Folder;
    std::string folder;  // Folder: the path; WaveFile: its folder
    std::string name;    // WaveFile: the file's name in that folder
};
// A regular file is a wave file when a folder scan would list it: named
// "*.csv" in any letter case with a header that CheckCsvFile accepts.
OpenTarget ClassifyOpenPath(const std::string& path, const std::vector<std::string>& accepted);

// "<folder>/<name>", without doubling a trailing '/'.
std::string JoinPath(const std::string& folder, const std::string& name);

// ASCII case-insensitive order, ties broken by bytes.
bool FileNameLess(const std::string& a, const std::string& b);

}  // namespace vx
