// The settings file on arbitrary contents: profile reading, the settings
// record, the FORMAT_CHECK list, and a save of the scales that must read back.
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "settings/ini_profile.h"
#include "settings/settings_file.h"
#include "settings/weld_wave_setting.h"

using namespace vx;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes = fuzz::AsText(data, size);
    const fuzz::ScratchFolder& folder = fuzz::ScratchFolder::Get();
    const std::string path = folder.Write("Varmonix.ini", bytes);

    WeldWaveSetting s;
    LoadWaveSetting(path, s);
    const IniFile ini = IniFile::Load(path);
    for (const ScaleKey& k : kScaleKeys) {
        auto value = ini.Get("SCALE", k.Name);
        VX_FUZZ_CHECK(!value || value->size() <= 2 * kMaxProfileValue);
    }
    auto check = ini.Get("FORMAT", "FORMAT_CHECK");
    VX_FUZZ_CHECK(s.Format.Check == check.value_or(DefaultFormatCheck()));
    ParseFormatCheck(s.Format.Check);

    // The list parser on raw bytes, with no limit on the value's length.
    const std::vector<std::string> entries = ParseFormatCheck(bytes);
    size_t total = 0;
    for (const std::string& e : entries) total += e.size();
    VX_FUZZ_CHECK(total <= bytes.size());

    // What a save writes loads back as saved; the scales in use are changed so
    // that each key really is rewritten.
    IniFile saved = IniFile::Load(path);
    if (saved.ReadFailed()) return 0;
    WeldWaveSetting want = s;
    for (int q = 0; q < 4; ++q) {
        want.Scale.Graph[q].Min = -7 - q;
        want.Scale.Graph[q].Max = 2147483647 - q;
    }
    for (const ScaleKey& k : kScaleKeys) {
        const GraphInfo& g = ScaleOf(want, k);
        saved.Set("SCALE", k.Name, std::to_string(g.Min) + "," + std::to_string(g.Max));
    }
    const std::string out = saved.Text();
    VX_FUZZ_CHECK(!out.empty());
    const std::string path2 = folder.Write("saved.ini", out);
    WeldWaveSetting back;
    LoadWaveSetting(path2, back);
    for (const ScaleKey& k : kScaleKeys) {
        VX_FUZZ_CHECK(ScaleOf(back, k).Min == ScaleOf(want, k).Min);
        VX_FUZZ_CHECK(ScaleOf(back, k).Max == ScaleOf(want, k).Max);
    }
    return 0;
}
