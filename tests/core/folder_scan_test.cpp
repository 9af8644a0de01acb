#include "wavefile/folder_scan.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>

#include "wave_test_files.h"

namespace vx {
namespace {

namespace fs = std::filesystem;
using test::Sj;
using test::TempFolder;

const std::string kWave =
    "Time[msec],CurrentActual[A],VoltageActual[V],FeedingActual[m/min]\n0,1,2,3\n";
std::vector<std::string> Names() { return {Sj("時間[msec]"), "Time[msec]"}; }

// Runs the scan on another thread so that a blocking open fails the test
// instead of hanging it.
FolderScanResult ScanWithin10s(const std::string& folder, const std::string& fifo = "") {
    auto scan = std::async(std::launch::async, [&] { return ScanCsvFolder(folder, Names()); });
    if (scan.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        if (!fifo.empty()) {
            int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) ::close(fd);
        }
        ADD_FAILURE() << "scan blocked";
    }
    return scan.get();
}

TEST(ScanCsvFolder, ListsRegularWaveFilesSortedAndSkipsTheRest) {
    TempFolder outside, dir;
    std::string target = outside.Write("target.csv", kWave);
    dir.Write("b.csv", kWave);
    dir.Write("A.CSV", kWave);
    dir.Write("c.Csv", kWave);
    dir.Write("溶接.csv", "\xEF\xBB\xBF時間[msec],電流実測値[A],電圧実測値[V],送給実測値[m/min]\n");
    dir.Write("wrong-header.csv", "Date,CurrentActual[A],VoltageActual[V],FeedingActual[m/min]\n");
    dir.Write("three-fields.csv", "Time[msec],CurrentActual[A],VoltageActual[V]\n");
    dir.Write("wave.txt", kWave);
    dir.Write("wave.csv.bak", kWave);
    fs::create_directory(dir / "x.CSV");
    dir.Write("x.CSV/inner.csv", kWave);
    ASSERT_EQ(::mkfifo((dir / "pipe.csv").c_str(), 0600), 0);
    fs::create_symlink(dir / "nowhere.csv", dir / "dangling.csv");
    fs::create_symlink(target, dir / "link.csv");

    FolderScanResult r = ScanWithin10s(dir.path(), dir / "pipe.csv");
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.names,
              (std::vector<std::string>{"A.CSV", "b.csv", "c.Csv", "link.csv", "溶接.csv"}));
}

TEST(ScanCsvFolder, AllHeadersWrongIsOkWithAnEmptyList) {
    TempFolder dir;
    dir.Write("1.csv", "Time[msec] ,a,b,c\n");
    dir.Write("2.csv", "");
    FolderScanResult r = ScanWithin10s(dir.path());
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(r.names.empty());
}

TEST(ScanCsvFolder, NoRegularCsvFileOrNoFolderIsNotOk) {
    TempFolder dir;
    dir.Write("wave.txt", kWave);
    fs::create_directory(dir / "x.CSV");
    ASSERT_EQ(::mkfifo((dir / "pipe.csv").c_str(), 0600), 0);
    fs::create_symlink(dir / "nowhere.csv", dir / "dangling.csv");
    EXPECT_FALSE(ScanWithin10s(dir.path(), dir / "pipe.csv").ok);
    EXPECT_FALSE(ScanCsvFolder(dir / "missing", Names()).ok);
    EXPECT_FALSE(ScanCsvFolder(dir / "wave.txt", Names()).ok);  // a file, not a folder
    EXPECT_FALSE(ScanCsvFolder("", Names()).ok);
}

TEST(ScanCsvFolder, LongNonAsciiPathsAndTrailingSlash) {
    TempFolder dir;
    std::string folder = dir.path();
    // Well past 260 bytes, the old path-buffer limit.
    for (int i = 0; i < 10; ++i) folder += "/データログ_フォルダ_" + std::to_string(i);
    fs::create_directories(folder);
    ASSERT_GT(folder.size(), 300u);
    std::ofstream(folder + "/000001.csv", std::ios::binary) << kWave;
    std::ofstream(folder + "/溶接ログ.CSV", std::ios::binary) << kWave;

    for (const std::string& f : {folder, folder + "/"}) {
        FolderScanResult r = ScanCsvFolder(f, Names());
        EXPECT_TRUE(r.ok);
        EXPECT_EQ(r.names, (std::vector<std::string>{"000001.csv", "溶接ログ.CSV"}));
    }
}

TEST(FileNameLess, IgnoresAsciiCaseThenBytesDecide) {
    std::vector<std::string> names = {"b.csv",  "a.csv", "B.csv", "A10.csv", "a2.csv",
                                      "_x.csv", "Z.csv", "é.csv", "A.csv",   "a.CSV"};
    std::sort(names.begin(), names.end(), FileNameLess);
    // Letters compare as lower case, so '_' sorts before them.
    EXPECT_EQ(names, (std::vector<std::string>{"_x.csv", "A.csv", "a.CSV", "a.csv", "A10.csv",
                                               "a2.csv", "B.csv", "b.csv", "Z.csv", "é.csv"}));
}

TEST(JoinPath, AddsOneSlash) {
    EXPECT_EQ(JoinPath("/data/log", "1.csv"), "/data/log/1.csv");
    EXPECT_EQ(JoinPath("/data/log/", "1.csv"), "/data/log/1.csv");
    EXPECT_EQ(JoinPath("/", "1.csv"), "/1.csv");
}

TEST(ClassifyOpenPath, FoldersWaveFilesAndTheRest) {
    TempFolder dir;
    const std::string wave = dir.Write("000001.CSV", kWave);
    const std::string header = dir.Write("wrong-header.csv", "Date,a[A],b[V],c[m/min]\n");
    const std::string text = dir.Write("wave.txt", kWave);  // a wave, but not named so
    fs::create_directory(dir / "sub.csv");
    ASSERT_EQ(::mkfifo((dir / "pipe.csv").c_str(), 0600), 0);
    using K = OpenTarget::Kind;
    struct Case {
        std::string path;
        K kind;
        std::string folder, name;
    } cases[] = {
        {dir.path(), K::Folder, dir.path(), ""},
        {dir / "sub.csv", K::Folder, dir / "sub.csv", ""},
        {dir / "missing", K::Folder, dir / "missing", ""},  // the scan reports it
        {"", K::Folder, "", ""},
        {wave, K::WaveFile, dir.path(), "000001.CSV"},
        {header, K::NotWave, "", ""},
        {text, K::NotWave, "", ""},
        {dir / "pipe.csv", K::NotWave, "", ""},  // not opened, so nothing blocks
    };
    for (const Case& c : cases) {
        const OpenTarget t = ClassifyOpenPath(c.path, Names());
        EXPECT_EQ(t.kind, c.kind) << c.path;
        EXPECT_EQ(t.folder, c.folder) << c.path;
        EXPECT_EQ(t.name, c.name) << c.path;
    }
}

}  // namespace
}  // namespace vx
