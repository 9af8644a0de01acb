#pragma once
// Where the settings file lives. Beside the executable while that folder can
// be written (a program run from its build or unpacked folder); an installed
// program cannot write there, so it keeps its settings where Linux keeps
// them, $XDG_CONFIG_HOME/varmonix/Varmonix.ini, seeded from the file beside
// the executable when there is one.
#include <string>

namespace vx {

inline constexpr const char* kSettingsFileName = "Varmonix.ini";

struct SettingsLocation {
    std::string path;  // the file read and written
    std::string seed;  // its initial values while `path` does not exist; may be empty
};

// exeDir: the executable's folder; xdgConfigHome and home as in the
// environment (empty when unset). Without either, the folder beside the
// executable stays the place, writable or not.
SettingsLocation LocateSettings(const std::string& exeDir, bool exeDirWritable,
                                const std::string& xdgConfigHome, const std::string& home);

// The location of this process: its executable's folder and environment.
SettingsLocation LocateSettings();

// For the modes that only read: the file there is, else the seed.
std::string SettingsFileToRead(const SettingsLocation& l);

// For the viewer, which writes: makes the file's folder, and when the file is
// missing and a seed exists, copies the seed there. A copy that fails
// leaves the file missing; the viewer then starts from the defaults and says
// so when it saves. Returns l.path.
std::string PrepareSettingsFile(const SettingsLocation& l);

}  // namespace vx
