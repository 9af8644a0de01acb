#pragma once
// The settings file: the eight scale keys of section SCALE and the accepted
// time-column names of section FORMAT.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/ini_profile.h"
#include "settings/weld_wave_setting.h"

namespace vx {

// One scale key of section SCALE, the member it fills and its defaults.
struct ScaleKey {
    const char* Name;
    bool Recommended;  // GraphRecom rather than Graph
    int Index;         // quantity index
    int32_t DefaultMin;
    int32_t DefaultMax;
};

// In file order.
extern const ScaleKey kScaleKeys[8];

GraphInfo& ScaleOf(WeldWaveSetting& s, const ScaleKey& k);
const GraphInfo& ScaleOf(const WeldWaveSetting& s, const ScaleKey& k);

// "Min,Max"; a missing or malformed part takes its own default.
void ParseScaleValue(std::string_view value, const ScaleKey& k, GraphInfo& g);

// The FORMAT_CHECK default, CP932 bytes.
std::string DefaultFormatCheck();

// Sets all eight scales and Format.Check from the file or the defaults; leaves
// Multi and the captions alone. Never creates the file.
void LoadWaveSetting(const std::string& iniPath, WeldWaveSetting& s);

// Writes the eight scale keys in one replacement of the file: a failed save
// changes nothing on disk. Throws SettingsWriteError.
void SaveWaveSetting(const std::string& iniPath, const WeldWaveSetting& s);
void SaveWaveSetting(const std::string& iniPath, const WeldWaveSetting& s, FileOps& ops);

// Splits a FORMAT_CHECK value into its entries (comma list; blanks also
// separate unless an entry is double-quoted).
std::vector<std::string> ParseFormatCheck(std::string_view value);

// LANGUAGE of section VIEW: "ja" Japanese, anything else (or none) English.
int LoadLanguageCode(const std::string& iniPath);
// Language code of a --lang value, "ja" or "en"; none for anything else.
std::optional<int> LanguageCodeOf(std::string_view text);

}  // namespace vx
