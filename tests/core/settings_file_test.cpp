#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

#include "common/encoding.h"
#include "settings_test_support.h"

namespace vx {
namespace {

using settings_test::ReadBytes;
using settings_test::ScratchDir;
using settings_test::WriteBytes;

const char* const kDefaultFile =
    "[SCALE]\nCURRENT=0,600\nVOLTAGE=0,100\nWIRESPEED=0,100\nTIME=0,10000\n"
    "CURRENT_R=0,600\nVOLTAGE_R=0,100\nWIRESPEED_R=0,100\nTIME_R=0,10000\n";

std::vector<std::string> Cp932List(std::initializer_list<const char*> utf8) {
    std::vector<std::string> v;
    for (const char* s : utf8) v.push_back(Utf8ToCp932(s));
    return v;
}

TEST(LoadWaveSetting, MissingFileGivesEveryDefaultAndCreatesNothing) {
    ScratchDir dir;
    const std::string path = dir / "Varmonix.ini";
    WeldWaveSetting s;
    for (auto& g : s.Scale.Graph) g = {7, 8, "cap"};
    for (auto& g : s.Scale.GraphRecom) g = {7, 8, "rec"};
    s.Multi.Enabled = true;
    s.Multi.SepText = "1-3";
    LoadWaveSetting(path, s);

    const int32_t max[4] = {600, 100, 100, 10000};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(s.Scale.Graph[k], (GraphInfo{0, max[k], "cap"})) << k;
        EXPECT_EQ(s.Scale.GraphRecom[k], (GraphInfo{0, max[k], "rec"})) << k;
    }
    EXPECT_EQ(s.Format.Check, Utf8ToCp932("時間[msec],Time[msec]"));
    EXPECT_EQ(ParseFormatCheck(s.Format.Check), Cp932List({"時間[msec]", "Time[msec]"}));
    EXPECT_TRUE(s.Multi.Enabled);
    EXPECT_EQ(s.Multi.SepText, "1-3");
    EXPECT_FALSE(std::filesystem::exists(path));
}

struct ScaleCase {
    const char* line;
    bool recom;
    int index;
    int32_t min, max;
};

TEST(LoadWaveSetting, EachPartOfAScaleFallsBackOnItsOwn) {
    const ScaleCase cases[] = {
        {"CURRENT=250", false, kCurrent, 250, 600},
        {"CURRENT=,400", false, kCurrent, 0, 400},
        {"CURRENT=abc,xyz", false, kCurrent, 0, 600},
        {"CURRENT=10,20,30", false, kCurrent, 10, 20},
        {"CURRENT=\"100,200\"", false, kCurrent, 100, 200},
        {"CURRENT=+5,1.5", false, kCurrent, 5, 600},
        {"CURRENT=1, 2", false, kCurrent, 1, 2},
        {"current=0,300", false, kCurrent, 0, 300},
        {"TIME=500,100", false, kTime, 500, 100},
        {"TIME=2147483648,-2147483648", false, kTime, 0, -2147483647 - 1},
        {"VOLTAGE=-50,100", false, kVoltage, -50, 100},
        {"WireSpeed_R=5,50", true, kWireSpeed, 5, 50},
        {"TIME_R=", true, kTime, 0, 10000},
    };
    for (const ScaleCase& c : cases) {
        ScratchDir dir;
        WriteBytes(dir / "Varmonix.ini", std::string("[Scale]\n") + c.line + "\n");
        WeldWaveSetting s;
        LoadWaveSetting(dir / "Varmonix.ini", s);
        const GraphInfo& g = c.recom ? s.Scale.GraphRecom[c.index] : s.Scale.Graph[c.index];
        EXPECT_EQ(g.Min, c.min) << c.line;
        EXPECT_EQ(g.Max, c.max) << c.line;
    }
}

TEST(SaveWaveSetting, NoFileGivesTheEightKeys) {
    ScratchDir dir;
    WeldWaveSetting s;
    LoadWaveSetting(dir / "Varmonix.ini", s);
    SaveWaveSetting(dir / "Varmonix.ini", s);
    EXPECT_EQ(ReadBytes(dir / "Varmonix.ini"), kDefaultFile);
}

TEST(SaveWaveSetting, FirstSaveCompletesTheFileAndLeavesTheRestAlone) {
    ScratchDir dir;
    const std::string path = dir / "Varmonix.ini";
    WriteBytes(
        path,
        "; scales\r\n[SCALE]\r\ncurrent=-50,600\r\nVOLTAGE=0,100\r\nWIRESPEED=0,100\r\n"
        "TIME=500,100\r\n\r\n[FORMAT]\r\nFORMAT_CHECK=\"Time [msec]\"\r\n[Other]\r\nKey = v \r\n");
    WeldWaveSetting s;
    LoadWaveSetting(path, s);
    s.Scale.Graph[kVoltage] = {5, 50, ""};
    SaveWaveSetting(path, s);
    EXPECT_EQ(ReadBytes(path),
              "; scales\r\n[SCALE]\r\ncurrent=-50,600\r\nVOLTAGE=5,50\r\nWIRESPEED=0,100\r\n"
              "TIME=500,100\r\nCURRENT_R=0,600\r\nVOLTAGE_R=0,100\r\nWIRESPEED_R=0,100\r\n"
              "TIME_R=0,10000\r\n\r\n[FORMAT]\r\nFORMAT_CHECK=\"Time [msec]\"\r\n[Other]\r\nKey = "
              "v \r\n");
}

TEST(SaveWaveSetting, WhatIsSavedLoadsBack) {
    ScratchDir dir;
    WeldWaveSetting s;
    for (int k = 0; k < 4; ++k) {
        s.Scale.Graph[k] = {-k - 1, 1000 * k + 7, ""};
        s.Scale.GraphRecom[k] = {k, 2147483647, ""};
    }
    SaveWaveSetting(dir / "Varmonix.ini", s);
    WeldWaveSetting back;
    LoadWaveSetting(dir / "Varmonix.ini", back);
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(back.Scale.Graph[k], s.Scale.Graph[k]) << k;
        EXPECT_EQ(back.Scale.GraphRecom[k], s.Scale.GraphRecom[k]) << k;
    }
}

class RenameFails : public FileOps {
  public:
    int Rename(const std::string&, const std::string&) override {
        errno = EACCES;
        return -1;
    }
};

TEST(SaveWaveSetting, AFailedSaveChangesNothingAndNamesTheFile) {
    ScratchDir dir;
    const std::string path = dir / "Varmonix.ini";
    const std::string old = "[SCALE]\nCURRENT=0,300\n";
    WriteBytes(path, old);
    WeldWaveSetting s;
    LoadWaveSetting(path, s);
    s.Scale.Graph[kCurrent].Max = 400;
    RenameFails ops;
    try {
        SaveWaveSetting(path, s, ops);
        ADD_FAILURE() << "no error";
    } catch (const SettingsWriteError& e) {
        EXPECT_EQ(std::string(e.what()), path + " に書き込めません\n" + std::strerror(EACCES));
    }
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(dir.EntryCount(), 1u);
}

struct FormatCase {
    const char* fileLine;  // nullptr: no FORMAT section
    const char* check;     // UTF-8
    std::vector<const char*> entries;
};

TEST(LoadWaveSetting, FormatCheckQuotingAtBothLevels) {
    const FormatCase cases[] = {
        {"FORMAT_CHECK=Time[msec]", "Time[msec]", {"Time[msec]"}},
        {"FORMAT_CHECK=\"Time [msec]\"", "Time [msec]", {"Time", "[msec]"}},
        {"FORMAT_CHECK=Time [msec]", "Time [msec]", {"Time", "[msec]"}},
        {"FORMAT_CHECK=\"\"Time [msec]\"\"", "\"Time [msec]\"", {"Time [msec]"}},
        {"format_check=a,", "a,", {"a", ""}},
        {"FORMAT_CHECK=", "", {}},
        {nullptr, "時間[msec],Time[msec]", {"時間[msec]", "Time[msec]"}},
    };
    for (const FormatCase& c : cases) {
        ScratchDir dir;
        std::string text = "[SCALE]\nCURRENT=0,600\n";
        if (c.fileLine) text += std::string("[Format]\n") + c.fileLine + "\n";
        WriteBytes(dir / "Varmonix.ini", text);
        WeldWaveSetting s;
        LoadWaveSetting(dir / "Varmonix.ini", s);
        EXPECT_EQ(s.Format.Check, Utf8ToCp932(c.check)) << text;
        std::vector<std::string> want;
        for (const char* e : c.entries) want.push_back(Utf8ToCp932(e));
        EXPECT_EQ(ParseFormatCheck(s.Format.Check), want) << text;
    }
}

TEST(ParseFormatCheck, SplitsTheCommaList) {
    struct Case {
        std::string value;
        std::vector<std::string> want;
    } cases[] = {
        {"", {}},
        {"Time[msec]", {"Time[msec]"}},
        {"\"Time [msec]\"", {"Time [msec]"}},
        {"Time [msec]", {"Time", "[msec]"}},
        {" a , b ", {"a", "b"}},
        {"a,,b", {"a", "", "b"}},
        {"a,", {"a", ""}},
        {"a, ", {"a"}},
        {",", {"", ""}},
        {"\"a\"\"b\",c", {"a\"b", "c"}},
        {"\"a,b\" ,c", {"a,b", "c"}},
        {"\"abc", {"abc"}},
        {"\"ab\"cd", {"ab", "cd"}},
        {"a\tb\x01"
         "c",
         {"a", "b", "c"}},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseFormatCheck(c.value), c.want) << c.value;
}

TEST(LoadWaveSetting, SettingsFileInCp932OrUtf8GivesCp932Names) {
    for (const char* name : {"settings_cp932.ini", "settings_utf8.ini", "settings_utf8_bom.ini"}) {
        WeldWaveSetting s;
        LoadWaveSetting(std::string(VX_TEST_DATA) + "/" + name, s);
        EXPECT_EQ(s.Format.Check, Utf8ToCp932("時間[msec],\"経過 時間[msec]\"")) << name;
        EXPECT_EQ(ParseFormatCheck(s.Format.Check), Cp932List({"時間[msec]", "経過 時間[msec]"}))
            << name;
        EXPECT_EQ(s.Scale.Graph[kCurrent], (GraphInfo{0, 400, ""})) << name;
    }
}

}  // namespace
}  // namespace vx
