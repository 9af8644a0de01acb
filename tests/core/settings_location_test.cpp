// Where the settings file lives: beside a writable program, else in the XDG
// configuration folder, seeded from the file beside the program.
#include "settings/settings_location.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "settings_test_support.h"

namespace vx {
namespace {

using settings_test::ReadBytes;
using settings_test::ScratchDir;
using settings_test::WriteBytes;

TEST(SettingsLocation, BesideAWritableProgramAsBefore) {
    const SettingsLocation l = LocateSettings("/opt/vx", true, "/home/u/cfg", "/home/u");
    EXPECT_EQ(l.path, "/opt/vx/Varmonix.ini");
    EXPECT_EQ(l.seed, "");
}

TEST(SettingsLocation, ReadOnlyProgramFolderUsesXdgConfig) {
    struct Case {
        const char* xdg;
        const char* home;
        const char* path;
    };
    const Case cases[] = {
        {"/home/u/cfg", "/home/u", "/home/u/cfg/varmonix/Varmonix.ini"},
        {"", "/home/u", "/home/u/.config/varmonix/Varmonix.ini"},
        {"relative/cfg", "/home/u", "/home/u/.config/varmonix/Varmonix.ini"},  // invalid XDG value
        {"", "", "/usr/bin/Varmonix.ini"},                                     // nowhere else to go
    };
    for (const Case& c : cases)
        EXPECT_EQ(LocateSettings("/usr/bin", false, c.xdg, c.home).path, c.path) << c.xdg;
}

TEST(SettingsLocation, FileBesideTheProgramSeedsTheUsersFileOnce) {
    ScratchDir dir;
    std::filesystem::create_directory(dir / "bin");
    WriteBytes(dir / "bin/Varmonix.ini", "[SCALE]\r\nCURRENT=0,300\r\n");
    const SettingsLocation l = LocateSettings(dir / "bin", false, dir / "cfg", "");
    EXPECT_EQ(l.seed, dir / "bin/Varmonix.ini");

    // Reading modes take the seed while the user's file does not exist, and write nothing.
    EXPECT_EQ(SettingsFileToRead(l), dir / "bin/Varmonix.ini");
    EXPECT_FALSE(std::filesystem::exists(dir / "cfg"));

    // The viewer copies it, folder and all, then keeps its own.
    EXPECT_EQ(PrepareSettingsFile(l), dir / "cfg/varmonix/Varmonix.ini");
    EXPECT_EQ(ReadBytes(dir / "cfg/varmonix/Varmonix.ini"), "[SCALE]\r\nCURRENT=0,300\r\n");
    WriteBytes(dir / "cfg/varmonix/Varmonix.ini", "[SCALE]\r\nCURRENT=0,500\r\n");
    PrepareSettingsFile(l);
    EXPECT_EQ(ReadBytes(dir / "cfg/varmonix/Varmonix.ini"), "[SCALE]\r\nCURRENT=0,500\r\n");
    EXPECT_EQ(SettingsFileToRead(l), dir / "cfg/varmonix/Varmonix.ini");
}

TEST(SettingsLocation, WithoutASeedOnlyTheFolderIsMade) {
    ScratchDir dir;
    const SettingsLocation l = LocateSettings(dir / "bin", false, dir / "cfg", "");
    EXPECT_EQ(l.seed, "");
    EXPECT_EQ(PrepareSettingsFile(l), dir / "cfg/varmonix/Varmonix.ini");
    EXPECT_TRUE(std::filesystem::is_directory(dir / "cfg/varmonix"));  // ready for the first save
    EXPECT_FALSE(std::filesystem::exists(dir / "cfg/varmonix/Varmonix.ini"));
}

}  // namespace
}  // namespace vx
