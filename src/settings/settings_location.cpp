#include "settings/settings_location.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "common/atomic_file.h"

namespace vx {
namespace {

namespace fs = std::filesystem;

bool IsFile(const std::string& path) {
    std::error_code ec;
    return !path.empty() && fs::is_regular_file(path, ec);
}

std::string ExecutableFolder() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec || !exe.has_parent_path()) return ".";
    return exe.parent_path().string();
}

std::string Env(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

}  // namespace

SettingsLocation LocateSettings(const std::string& exeDir, bool exeDirWritable,
                                const std::string& xdgConfigHome, const std::string& home) {
    const std::string beside = exeDir + "/" + kSettingsFileName;
    if (exeDirWritable) return {beside, ""};
    // XDG: a relative $XDG_CONFIG_HOME is invalid and is ignored.
    std::string config;
    if (!xdgConfigHome.empty() && xdgConfigHome.front() == '/')
        config = xdgConfigHome;
    else if (!home.empty())
        config = home + "/.config";
    else
        return {beside, ""};
    return {config + "/varmonix/" + kSettingsFileName, IsFile(beside) ? beside : ""};
}

SettingsLocation LocateSettings() {
    const std::string exeDir = ExecutableFolder();
    return LocateSettings(exeDir, ::access(exeDir.c_str(), W_OK) == 0, Env("XDG_CONFIG_HOME"),
                          Env("HOME"));
}

std::string SettingsFileToRead(const SettingsLocation& l) {
    if (IsFile(l.path) || l.seed.empty()) return l.path;
    return l.seed;
}

std::string PrepareSettingsFile(const SettingsLocation& l) {
    if (IsFile(l.path)) return l.path;
    try {
        // The folder is made now, so that the first save can write into it.
        std::error_code ec;
        fs::create_directories(fs::path(l.path).parent_path(), ec);
        if (l.seed.empty()) return l.path;
        std::ifstream in(l.seed, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
        if (in.bad()) return l.path;
        WriteFileAtomically(l.path, bytes);
    } catch (const std::exception&) {
        // Not copied: the viewer starts from the defaults.
    }
    return l.path;
}

}  // namespace vx
