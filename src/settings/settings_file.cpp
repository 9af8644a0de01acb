#include "settings/settings_file.h"

#include "common/ascii.h"
#include "common/encoding.h"
#include "common/number_text.h"
#include "common/weld_common.h"

namespace vx {
namespace {

constexpr const char* kScaleSection = "SCALE";
constexpr const char* kFormatSection = "FORMAT";
constexpr const char* kFormatKey = "FORMAT_CHECK";

// NUL is not a separator here: it stays inside an entry.
bool IsBlankOrControl(char c) { return c != '\0' && IsBlankByte(c); }

}  // namespace

const ScaleKey kScaleKeys[8] = {
    {"CURRENT", false, kCurrent, 0, 600},      {"VOLTAGE", false, kVoltage, 0, 100},
    {"WIRESPEED", false, kWireSpeed, 0, 100},  {"TIME", false, kTime, 0, 10000},
    {"CURRENT_R", true, kCurrent, 0, 600},     {"VOLTAGE_R", true, kVoltage, 0, 100},
    {"WIRESPEED_R", true, kWireSpeed, 0, 100}, {"TIME_R", true, kTime, 0, 10000},
};

GraphInfo& ScaleOf(WeldWaveSetting& s, const ScaleKey& k) {
    return k.Recommended ? s.Scale.GraphRecom[k.Index] : s.Scale.Graph[k.Index];
}

const GraphInfo& ScaleOf(const WeldWaveSetting& s, const ScaleKey& k) {
    return k.Recommended ? s.Scale.GraphRecom[k.Index] : s.Scale.Graph[k.Index];
}

void ParseScaleValue(std::string_view value, const ScaleKey& k, GraphInfo& g) {
    std::string fields[2];
    WeldCommon::SplitFields(value, ",", true, 2, fields);
    g.Min = ParseInt32(fields[0]).value_or(k.DefaultMin);
    g.Max = ParseInt32(fields[1]).value_or(k.DefaultMax);
}

std::string DefaultFormatCheck() { return Utf8ToCp932("時間[msec],Time[msec]"); }

void LoadWaveSetting(const std::string& iniPath, WeldWaveSetting& s) {
    const IniFile ini = IniFile::Load(iniPath);
    for (const ScaleKey& k : kScaleKeys)
        ParseScaleValue(ini.Get(kScaleSection, k.Name).value_or(std::string()), k, ScaleOf(s, k));
    s.Format.Check = ini.Get(kFormatSection, kFormatKey).value_or(DefaultFormatCheck());
}

void SaveWaveSetting(const std::string& iniPath, const WeldWaveSetting& s) {
    SaveWaveSetting(iniPath, s, SystemFileOps());
}

void SaveWaveSetting(const std::string& iniPath, const WeldWaveSetting& s, FileOps& ops) {
    IniFile ini = IniFile::Load(iniPath);
    for (const ScaleKey& k : kScaleKeys) {
        const GraphInfo& g = ScaleOf(s, k);
        ini.Set(kScaleSection, k.Name, std::to_string(g.Min) + "," + std::to_string(g.Max));
    }
    ini.SaveAtomically(iniPath, ops);
}

std::optional<int> LanguageCodeOf(std::string_view text) {
    if (EqualNoCaseAscii(text, "ja")) return kLanguageJapanese;
    if (EqualNoCaseAscii(text, "en")) return kLanguageEnglish;
    return std::nullopt;
}

int LoadLanguageCode(const std::string& iniPath) {
    const auto v = IniFile::Load(iniPath).Get("VIEW", "LANGUAGE");
    return v ? LanguageCodeOf(*v).value_or(kLanguageEnglish) : kLanguageEnglish;
}

std::vector<std::string> ParseFormatCheck(std::string_view value) {
    std::vector<std::string> entries;
    const size_t n = value.size();
    size_t i = 0;
    while (i < n && IsBlankOrControl(value[i])) ++i;
    while (i < n) {
        std::string entry;
        if (value[i] == '"') {
            // Quoted: up to the next lone quote; a doubled quote stands for one.
            ++i;
            while (i < n) {
                if (value[i] == '"') {
                    if (i + 1 < n && value[i + 1] == '"') {
                        entry += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                entry += value[i++];
            }
        } else {
            size_t start = i;
            while (i < n && value[i] != ',' && !IsBlankOrControl(value[i])) ++i;
            entry.assign(value.substr(start, i - start));
        }
        entries.push_back(std::move(entry));
        while (i < n && IsBlankOrControl(value[i])) ++i;
        if (i < n && value[i] == ',') {
            if (i + 1 == n) entries.emplace_back();  // a trailing comma: one empty entry
            ++i;
            while (i < n && IsBlankOrControl(value[i])) ++i;
        }
    }
    return entries;
}

}  // namespace vx
