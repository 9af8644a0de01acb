// The metrics records as JSON lines and CSV, and the --metrics run over files
// and folders.
#include "analysis/metrics_output.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/metrics_run.h"
#include "text_lines.h"
#include "wave_test_files.h"

namespace vx {
namespace {

using test::Sj;
using test::TempFolder;

const std::string kData = VX_TEST_DATA;
const std::string kSteady = kData + "/metrics/steady_row0.csv";
const std::string kSetActual = kData + "/metrics/set_actual_row2.csv";
const std::string kEnglishHeader =
    "Time[msec],CurrentActual[A],VoltageActual[V],FeedingActual[m/min]\r\n";

struct MetricsRun {
    int status;
    std::string out;
    std::string err;
};

// Settings from `settings`, or a path that does not exist.
MetricsRun Metrics(std::vector<std::string> paths, bool csv = false,
                   const std::string& settings = {}) {
    MetricsOptions o;
    o.settingsPath = settings.empty() ? "/nonexistent/Varmonix.ini" : settings;
    o.csv = csv;
    o.paths = std::move(paths);
    std::ostringstream out, err;
    const int status = RunMetrics(o, out, err);
    return {status, out.str(), err.str()};
}

// Splits a CSV row without quoted fields.
std::vector<std::string> Fields(const std::string& row) {
    std::vector<std::string> f(1);
    for (char c : row) {
        if (c == ',')
            f.emplace_back();
        else
            f.back() += c;
    }
    return f;
}

const std::string kCsvHeader =
    "path,readable,wave_file,layout,count,duration_ms,interval_ms,gaps,"
    "arc.source,arc.threshold,arc.start_ms,arc.end_ms,arc.time_ms,arc.breaks,"
    "current.source,current.mean,current.rms,current.std,current.min,current.max,"
    "voltage.source,voltage.mean,voltage.rms,voltage.std,voltage.min,voltage.max,"
    "wire_feed.source,wire_feed.mean,wire_feed.rms,wire_feed.std,wire_feed.min,wire_feed.max,"
    "power_w,energy_j,energy_avg_j,wire_m,wire_g,heat_input_kj_per_mm,"
    "deviation.current.mean_abs,deviation.current.max_abs,deviation.voltage.mean_abs,"
    "deviation.voltage.max_abs,deviation.wire_feed.mean_abs,deviation.wire_feed.max_abs,"
    "limits.pass,limits.failed";

const std::string kAllNull =
    R"("layout":null,"count":null,"duration_ms":null,"interval_ms":null,"gaps":null,)"
    R"("arc":null,"current":null,"voltage":null,"wire_feed":null,"power_w":null,)"
    R"("energy_j":null,"energy_avg_j":null,"wire_m":null,"wire_g":null,)"
    R"("heat_input_kj_per_mm":null,"deviation":null,"limits":null})";

TEST(MetricsRecord, JsonLineOfAKnownFile) {
    // 5 samples of 10 ms; on at 10, 20, 30 (200 A, 20 V, 6 m/min), idle around.
    const MetricsRun r = Metrics({kSteady});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out,
              R"({"path":")" + kSteady +
                  R"(","readable":true,"wave_file":true,"layout":0,"count":5,)"
                  R"("duration_ms":50,"interval_ms":10,"gaps":0,)"
                  R"("arc":{"source":"CurrentActual","threshold":10,"start_ms":10,"end_ms":40,)"
                  R"("time_ms":30,"breaks":0},)"
                  R"("current":{"source":"CurrentActual","mean":200,"rms":200,"std":0,)"
                  R"("min":200,"max":200},)"
                  R"("voltage":{"source":"VoltageActual","mean":20,"rms":20,"std":0,)"
                  R"("min":20,"max":20},)"
                  R"("wire_feed":{"source":"FeedingActual","mean":6,"rms":6,"std":0,)"
                  R"("min":6,"max":6},)"
                  R"("power_w":4000,"energy_j":120,"energy_avg_j":120,"wire_m":0.003,)"
                  R"("wire_g":null,"heat_input_kj_per_mm":null,)"
                  R"("deviation":{"current":null,"voltage":null,"wire_feed":null},)"
                  R"("limits":null})"
                  "\n");
}

TEST(MetricsRecord, CsvRowOfAKnownFile) {
    const MetricsRun r = Metrics({kSteady}, true);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, kCsvHeader + "\n" + kSteady +
                         ",true,true,0,5,50,10,0,CurrentActual,10,10,40,30,0,"
                         "CurrentActual,200,200,0,200,200,VoltageActual,20,20,0,20,20,"
                         "FeedingActual,6,6,0,6,6,4000,120,120,0.003,,,,,,,,,,\n");
}

TEST(MetricsRecord, DeviationAndFractionsInBothForms) {
    // Row 2: command 200 A, measured 190 A at 20 V and 210 A at 25 V.
    const MetricsRun csv = Metrics({kSetActual}, true);
    const std::vector<std::string> lines = Lines(csv.out);
    ASSERT_EQ(lines.size(), 2u);
    const std::vector<std::string> names = Fields(lines[0]);
    const std::vector<std::string> row = Fields(lines[1]);
    ASSERT_EQ(row.size(), names.size());
    auto field = [&](const std::string& name) {
        for (size_t i = 0; i < names.size(); ++i)
            if (names[i] == name) return row[i];
        return std::string("<none>");
    };
    EXPECT_EQ(field("layout"), "2");
    EXPECT_EQ(field("arc.source"), "CurrentActual");
    EXPECT_EQ(field("current.source"), "CurrentActual");
    EXPECT_EQ(field("current.std"), "10");
    EXPECT_EQ(field("voltage.mean"), "22.5");
    EXPECT_EQ(field("voltage.std"), "2.5");
    EXPECT_EQ(field("wire_feed.source"), "");
    EXPECT_EQ(field("power_w"), "4525");  // (190 x 20 + 210 x 25) / 2
    EXPECT_EQ(field("energy_j"), "90.5");
    EXPECT_EQ(field("energy_avg_j"), "90");  // 22.5 V x 200 A x 20 ms
    EXPECT_EQ(field("wire_m"), "");
    EXPECT_EQ(field("deviation.current.mean_abs"), "10");
    EXPECT_EQ(field("deviation.current.max_abs"), "10");
    EXPECT_EQ(field("deviation.voltage.mean_abs"), "");

    const nlohmann::json j = nlohmann::json::parse(Metrics({kSetActual}).out);
    EXPECT_EQ(j["deviation"]["current"]["mean_abs"], 10);
    EXPECT_TRUE(j["deviation"]["voltage"].is_null());
    EXPECT_TRUE(j["wire_feed"].is_null());
    EXPECT_NEAR(j["current"]["rms"].get<double>(), std::sqrt((190.0 * 190 + 210 * 210) / 2), 1e-12);
}

TEST(MetricsRecord, FilesWithoutMetricsHoldNulls) {
    TempFolder dir;
    const std::string missing = dir / "missing.csv";
    const std::string three = kData + "/dump_three_fields.csv";
    const std::string empty = kData + "/bad/empty.csv";
    const MetricsRun r = Metrics({missing, three, empty});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, R"({"path":")" + missing + R"(","readable":false,"wave_file":false,)" +
                         kAllNull + "\n" + R"({"path":")" + three +
                         R"(","readable":true,"wave_file":false,)" + kAllNull + "\n" +
                         R"({"path":")" + empty + R"(","readable":false,"wave_file":false,)" +
                         kAllNull + "\n");
    EXPECT_NE(r.err.find(missing), std::string::npos);  // the missing path is named
    EXPECT_EQ(r.err.find(three), std::string::npos);

    const MetricsRun csv = Metrics({missing}, true);
    EXPECT_EQ(Lines(csv.out).at(1), missing + ",false,false" + std::string(43, ','));
}

TEST(MetricsRecord, UnacceptedTimeColumnIsMeasuredButNoWaveFile) {
    // The viewer draws a four-field file it is given; the folder scan would
    // leave it out.
    TempFolder dir;
    const std::string path =
        dir.Write("zeit.csv",
                  "Zeit[ms],CurrentActual[A],VoltageActual[V],FeedingActual[m/min]\n"
                  "0,200,20,5\n");
    const nlohmann::json j = nlohmann::json::parse(Metrics({path}).out);
    EXPECT_EQ(j["wave_file"], false);
    EXPECT_EQ(j["layout"], 0);
    EXPECT_EQ(j["energy_j"], 40);
}

TEST(MetricsRecord, PathBytesAlwaysGiveValidJsonAndQuotedCsv) {
    TempFolder dir;
    const std::string body = kEnglishHeader + "0,200,20,5\r\n";
    const std::string bad = dir.Write("bad\xff\xfe name.csv", body);
    const nlohmann::json j = nlohmann::json::parse(Metrics({bad}).out);  // throws if invalid
    EXPECT_EQ(j["path"], dir.path() + "/bad\xEF\xBF\xBD\xEF\xBF\xBD name.csv");
    EXPECT_EQ(j["readable"], true);

    const std::string odd = dir.Write("a,\"b\"\nc.csv", body);
    const std::vector<std::string> lines = Lines(Metrics({odd}, true).out);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[1], "\"" + dir.path() + "/a,\"\"b\"\"");
    EXPECT_EQ(lines[2].substr(0, 7), "c.csv\",");
}

TEST(RunMetrics, FolderGivesItsWaveFilesInListOrder) {
    TempFolder dir;
    const std::string body = kEnglishHeader + "0,200,20,5\r\n";
    dir.Write("b.CSV", body);
    dir.Write("a.csv", body);
    dir.Write("C.csv", body);
    dir.Write("notes.txt", body);
    dir.Write("other.csv", "Zeit,x,y,z\r\n0,1,2,3\r\n");  // no accepted time column
    const MetricsRun r = Metrics({dir.path(), kSteady});
    EXPECT_EQ(r.status, 0);
    std::vector<std::string> paths;
    for (const std::string& line : Lines(r.out))
        paths.push_back(nlohmann::json::parse(line)["path"]);
    EXPECT_EQ(paths,
              (std::vector<std::string>{dir / "a.csv", dir / "b.CSV", dir / "C.csv", kSteady}));
}

TEST(RunMetrics, ManyFilesComeOutInOrderWhateverTheirSize) {
    // File k holds 40 x (k % 7) + 1 samples, so workers finish out of order.
    TempFolder dir;
    const int kFiles = 150;
    std::vector<size_t> want;
    for (int k = 0; k < kFiles; ++k) {
        std::string body = kEnglishHeader;
        const int n = 40 * (k % 7) + 1;
        for (int i = 0; i < n; ++i) body += std::to_string(i * 10) + ",200,20,5\r\n";
        char name[16];
        std::snprintf(name, sizeof name, "%06d.csv", k);
        dir.Write(name, body);
        want.push_back(static_cast<size_t>(n));
    }
    for (bool csv : {false, true}) {
        const MetricsRun r = Metrics({dir.path()}, csv);
        EXPECT_EQ(r.status, 0);
        std::vector<std::string> lines = Lines(r.out);
        if (csv) lines.erase(lines.begin());
        ASSERT_EQ(lines.size(), want.size());
        for (size_t k = 0; k < want.size(); ++k) {
            const std::string count =
                csv ? Fields(lines[k]).at(4) : nlohmann::json::parse(lines[k])["count"].dump();
            EXPECT_EQ(count, std::to_string(want[k])) << k;
        }
    }
}

TEST(RunMetrics, FoldersWithoutWaveFilesAndMissingPaths) {
    TempFolder dir;
    dir.Write("readme.txt", "x");
    const MetricsRun empty = Metrics({dir.path()});
    EXPECT_EQ(empty.status, 0);  // nothing unreadable, nothing to say
    EXPECT_EQ(empty.out, "");
    EXPECT_NE(empty.err.find("no wave files"), std::string::npos);

    const MetricsRun csv = Metrics({dir.path()}, true);
    EXPECT_EQ(csv.out, kCsvHeader + "\n");  // the header even without rows

    const MetricsRun missing = Metrics({dir / "nothing", kSteady});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(Lines(missing.out).size(), 2u);
    EXPECT_NE(missing.err.find(dir / "nothing"), std::string::npos);
}

TEST(RunMetrics, SettingsFileGivesTheParametersAndTimeColumnNames) {
    TempFolder dir;
    const std::string ini =
        dir.Write("Varmonix.ini",
                  "[FORMAT]\r\nFORMAT_CHECK=Zeit[ms]\r\n[ANALYSIS]\r\nARC_THRESHOLD=195\r\n"
                  "TRAVEL_SPEED=600\r\nWIRE_DIAMETER=1\r\nWIRE_DENSITY=8\r\nEFFICIENCY=0.5\r\n");
    TempFolder logs;
    logs.Write("a.csv",
               "Zeit[ms],CurrentActual[A],VoltageActual[V],FeedingActual[m/min]\n"
               "0,190,20,6\n10,200,20,6\n20,200,20,6\n");
    logs.Write("b.csv", kEnglishHeader + "0,200,20,6\r\n");  // not accepted by these settings
    const MetricsRun r = Metrics({logs.path()}, false, ini);
    EXPECT_EQ(r.status, 0);
    const std::vector<std::string> lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 1u);
    const nlohmann::json j = nlohmann::json::parse(lines[0]);
    EXPECT_EQ(j["wave_file"], true);
    EXPECT_EQ(j["arc"]["threshold"], 195);
    EXPECT_EQ(j["arc"]["time_ms"], 20);  // 190 A is below 195 A
    EXPECT_EQ(j["energy_j"], 80);
    // 6 m/min for 20 ms = 0.002 m of 1 mm wire at 8 g/cm3.
    EXPECT_NEAR(j["wire_g"].get<double>(), 0.002 * std::acos(-1.0) / 4 * 8, 1e-15);
    // 0.5 x 0.08 kJ over 600 mm/min x 20 ms = 0.2 mm.
    EXPECT_NEAR(j["heat_input_kj_per_mm"].get<double>(), 0.2, 1e-15);
}

TEST(RunMetrics, RecordsAreJudgedAgainstTheLimitsOfTheSettings) {
    TempFolder dir;
    // kSteady: 200 A at 20 V without breaks; its current is above the maximum.
    const std::string ini = dir.Write(
        "Varmonix.ini", "[LIMITS]\r\nCURRENT_MEAN=,150\r\nBREAKS=,0\r\nVOLTAGE_MEAN=15,\r\n");
    const std::string missing = dir / "missing.csv";
    const MetricsRun r = Metrics({kSteady, missing}, false, ini);
    const std::vector<std::string> lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(nlohmann::json::parse(lines[0])["limits"],
              nlohmann::json::parse(R"({"pass":false,"failed":["current.mean"]})"));
    // No figures at all: every set limit fails.
    EXPECT_EQ(nlohmann::json::parse(lines[1])["limits"],
              nlohmann::json::parse(
                  R"({"pass":false,"failed":["current.mean","voltage.mean","arc.breaks"]})"));
    // The field closes the record.
    EXPECT_NE(lines[0].find(R"(,"limits":{"pass":false,"failed":["current.mean"]}})"),
              std::string::npos);

    const std::vector<std::string> csv = Lines(Metrics({kSteady, missing}, true, ini).out);
    ASSERT_EQ(csv.size(), 3u);
    const std::vector<std::string> names = Fields(csv[0]);
    ASSERT_EQ(names.back(), "limits.failed");
    EXPECT_EQ(Fields(csv[1]).end()[-2], "false");
    EXPECT_EQ(Fields(csv[1]).back(), "current.mean");
    EXPECT_EQ(Fields(csv[2]).back(), "current.mean voltage.mean arc.breaks");

    const std::string met = dir.Write("met.ini", "[LIMITS]\r\nCURRENT_MEAN=150,250\r\n");
    EXPECT_EQ(nlohmann::json::parse(Metrics({kSteady}, false, met).out)["limits"],
              nlohmann::json::parse(R"({"pass":true,"failed":[]})"));
    const std::vector<std::string> metCsv = Lines(Metrics({kSteady}, true, met).out);
    EXPECT_EQ(Fields(metCsv.at(1)).end()[-2], "true");
    EXPECT_EQ(Fields(metCsv.at(1)).back(), "");
}

TEST(RunMetrics, FailedOutputIsAFailure) {
    MetricsOptions o;
    o.paths = {kSteady};
    std::ostringstream out, err;
    out.setstate(std::ios::badbit);
    EXPECT_EQ(RunMetrics(o, out, err), 1);
    EXPECT_NE(err.str().find("could not be written"), std::string::npos);
}

}  // namespace
}  // namespace vx
