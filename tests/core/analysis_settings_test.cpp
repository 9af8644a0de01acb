// Section ANALYSIS of the settings file.
#include "analysis/analysis_settings.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <string>

#include "settings/settings_file.h"
#include "settings_test_support.h"

namespace vx {
namespace {

using settings_test::ReadBytes;
using settings_test::ScratchDir;
using settings_test::WriteBytes;

TEST(LoadAnalysisParams, MissingFileOrSectionGivesTheDefaults) {
    ScratchDir dir;
    EXPECT_EQ(LoadAnalysisParams(dir / "none.ini"), AnalysisParams{});
    EXPECT_EQ(dir.EntryCount(), 0u);  // nothing created
    WriteBytes(dir / "scale.ini", "[SCALE]\r\nCURRENT=0,300\r\n");
    EXPECT_EQ(LoadAnalysisParams(dir / "scale.ini"), AnalysisParams{});
}

TEST(LoadAnalysisParams, EachBadValueFallsBackOnItsOwn) {
    // One key at a time, with the value it gives.
    struct Case {
        const char* key;
        const char* text;
        double AnalysisParams::*member;
        double want;
    } cases[] = {
        {"ARC_THRESHOLD", "25", &AnalysisParams::arcThreshold, 25},
        {"ARC_THRESHOLD", " 12.5 ", &AnalysisParams::arcThreshold, 12.5},  // trimmed by the INI
        {"arc_threshold", "\"7\"", &AnalysisParams::arcThreshold, 7},      // any case, quoted
        {"ARC_THRESHOLD", "0", &AnalysisParams::arcThreshold, 10},
        {"ARC_THRESHOLD", "-5", &AnalysisParams::arcThreshold, 10},
        {"ARC_THRESHOLD", "12A", &AnalysisParams::arcThreshold, 10},
        {"ARC_THRESHOLD", "", &AnalysisParams::arcThreshold, 10},
        {"ARC_THRESHOLD", "inf", &AnalysisParams::arcThreshold, 10},
        {"ARC_THRESHOLD", "nan", &AnalysisParams::arcThreshold, 10},
        {"ARC_THRESHOLD", "1e999", &AnalysisParams::arcThreshold, 10},
        {"TRAVEL_SPEED", "+450", &AnalysisParams::travelSpeed, 450},
        {"TRAVEL_SPEED", "0", &AnalysisParams::travelSpeed, 0},
        {"TRAVEL_SPEED", "-1", &AnalysisParams::travelSpeed, 0},
        {"TRAVEL_SPEED", "4,5", &AnalysisParams::travelSpeed, 0},  // '.' is the decimal mark
        {"EFFICIENCY", "1", &AnalysisParams::efficiency, 1},
        {"EFFICIENCY", "0.85", &AnalysisParams::efficiency, 0.85},
        {"EFFICIENCY", "0", &AnalysisParams::efficiency, 0.8},
        {"EFFICIENCY", "1.01", &AnalysisParams::efficiency, 0.8},
        {"WIRE_DIAMETER", "1.2", &AnalysisParams::wireDiameter, 1.2},
        {"WIRE_DIAMETER", "-0.1", &AnalysisParams::wireDiameter, 0},
        {"WIRE_DENSITY", "2.7", &AnalysisParams::wireDensity, 2.7},
        {"WIRE_DENSITY", "0", &AnalysisParams::wireDensity, 7.85},
        {"WIRE_DENSITY", "x", &AnalysisParams::wireDensity, 7.85},
    };
    ScratchDir dir;
    const std::string path = dir / "Varmonix.ini";
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key) + "=" + c.text);
        WriteBytes(path, std::string("[ANALYSIS]\r\n") + c.key + "=" + c.text + "\r\n");
        const AnalysisParams got = LoadAnalysisParams(path);
        AnalysisParams want;
        want.*c.member = c.want;
        EXPECT_EQ(got, want);
    }
}

TEST(SaveAnalysisParams, WritesTheSectionAndLeavesTheRestByteForByte) {
    ScratchDir dir;
    const std::string path = dir / "Varmonix.ini";
    const std::string before =
        "; comment\r\n[SCALE]\r\nCURRENT = 0,300\r\nTIME_R=0,5000\r\n\r\n[FORMAT]\r\n"
        "FORMAT_CHECK=\"Time[msec]\"\r\n";
    WriteBytes(path, before);
    WeldWaveSetting scalesBefore;
    LoadWaveSetting(path, scalesBefore);

    AnalysisParams p;
    p.arcThreshold = 15;
    p.travelSpeed = 420.5;
    p.efficiency = 0.7;
    p.wireDiameter = 1.2;
    p.wireDensity = 7.85;
    SaveAnalysisParams(path, p);
    EXPECT_EQ(ReadBytes(path), before +
                                   "[ANALYSIS]\r\nARC_THRESHOLD=15\r\nTRAVEL_SPEED=420.5\r\n"
                                   "EFFICIENCY=0.7\r\nWIRE_DIAMETER=1.2\r\nWIRE_DENSITY=7.85\r\n");
    EXPECT_EQ(LoadAnalysisParams(path), p);

    // A second save replaces the values in place.
    p.arcThreshold = 30;
    SaveAnalysisParams(path, p);
    EXPECT_EQ(LoadAnalysisParams(path), p);
    EXPECT_EQ(ReadBytes(path), before +
                                   "[ANALYSIS]\r\nARC_THRESHOLD=30\r\nTRAVEL_SPEED=420.5\r\n"
                                   "EFFICIENCY=0.7\r\nWIRE_DIAMETER=1.2\r\nWIRE_DENSITY=7.85\r\n");
    WeldWaveSetting scalesAfter;
    LoadWaveSetting(path, scalesAfter);
    EXPECT_EQ(scalesAfter.Scale.Graph[kCurrent], scalesBefore.Scale.Graph[kCurrent]);
    EXPECT_EQ(scalesAfter.Format.Check, scalesBefore.Format.Check);
    EXPECT_EQ(dir.EntryCount(), 1u);  // no temporary file left
}

TEST(SaveAnalysisParams, SectionInTheMiddleIsUpdatedWhereItIs) {
    ScratchDir dir;
    const std::string path = dir / "Varmonix.ini";
    WriteBytes(path, "[ANALYSIS]\nEFFICIENCY=0.5\n[SCALE]\nCURRENT=0,300\n");
    AnalysisParams p;
    p.efficiency = 0.9;
    SaveAnalysisParams(path, p);
    EXPECT_EQ(ReadBytes(path),
              "[ANALYSIS]\nEFFICIENCY=0.9\nARC_THRESHOLD=10\nTRAVEL_SPEED=0\nWIRE_DIAMETER=0\n"
              "WIRE_DENSITY=7.85\n[SCALE]\nCURRENT=0,300\n");
}

class RenameFails : public FileOps {
  public:
    int Rename(const std::string&, const std::string&) override {
        errno = EACCES;
        return -1;
    }
};

TEST(SaveAnalysisParams, AFailedSaveLeavesTheOldFile) {
    ScratchDir dir;
    const std::string path = dir / "Varmonix.ini";
    const std::string old = "[ANALYSIS]\nARC_THRESHOLD=20\n";
    WriteBytes(path, old);
    AnalysisParams p;
    p.arcThreshold = 40;
    RenameFails ops;
    EXPECT_THROW(SaveAnalysisParams(path, p, ops), SettingsWriteError);
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(dir.EntryCount(), 1u);
}

TEST(AnalysisParamsValid, TheRangesOfTheKeys) {
    EXPECT_TRUE(AnalysisParamsValid(AnalysisParams{}));
    struct Case {
        double AnalysisParams::*member;
        double value;
        bool valid;
    } cases[] = {
        {&AnalysisParams::arcThreshold, 0.001, true},    {&AnalysisParams::arcThreshold, 0, false},
        {&AnalysisParams::travelSpeed, 0, true},         {&AnalysisParams::travelSpeed, -1, false},
        {&AnalysisParams::efficiency, 1, true},          {&AnalysisParams::efficiency, 0, false},
        {&AnalysisParams::wireDiameter, 0, true},        {&AnalysisParams::wireDiameter, -1, false},
        {&AnalysisParams::wireDensity, 0.5, true},       {&AnalysisParams::wireDensity, 0, false},
        {&AnalysisParams::travelSpeed, INFINITY, false},
    };
    for (const Case& c : cases) {
        AnalysisParams p;
        p.*c.member = c.value;
        EXPECT_EQ(AnalysisParamsValid(p), c.valid) << c.value;
    }
}

}  // namespace
}  // namespace vx
