// The --dump command line: whole JSON lines compared as text.
#include "app/dump.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "text_lines.h"
#include "wave_test_files.h"

namespace vx {
namespace {

using test::Sj;
using test::TempFolder;

const std::string kData = VX_TEST_DATA;

struct DumpRun {
    int status;
    std::string out;
    std::string err;
};

// Runs the dump with a default settings path that does not exist, so the
// built-in defaults apply unless --settings is given.
DumpRun Dump(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    TempFolder noSettings;
    int status = RunDump(args, out, err, noSettings / "Varmonix.ini");
    return {status, out.str(), err.str()};
}

// Axes of the default settings for layouts whose traces are current, voltage
// and wire feed.
const std::string kDefaultAxesCvw =
    R"("axes":{"time":[0,10000,1000],"left":[0,600,60],"right":[0,100,10],"labels":[)"
    R"(["0","60","120","180","240","300","360","420","480","540","600"],)"
    R"(["0","10","20","30","40","50","60","70","80","90","100"],)"
    R"(["0","10","20","30","40","50","60","70","80","90","100"]],)"
    R"("axis_factor":[1,1,6],"time_refused":false})";

const std::string kNotLoaded =
    R"("layout":null,"sample_code":null,"titles":null,"units":null,"axes":null,"samples":null})";

TEST(Dump, Row1FileInBothVariantsGivesTheSameLine) {
    for (const char* name : {"wave_row1_comma.csv", "wave_row1_semicolon.csv"}) {
        SCOPED_TRACE(name);
        const std::string path = kData + "/" + name;
        DumpRun r = Dump({path});
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(
            r.out,
            R"({"path":")" + path +
                R"(","readable":true,"wave_file":true,)"
                R"("fields":["時間[msec]","電流指令値[A]","電圧指令値[V]","送給指令値[m/min]"],)"
                R"("layout":1,"sample_code":0,"titles":["CurrentSet","VoltageSet","FeedingSet"],)"
                R"("units":["A","V","m/min"],)" +
                kDefaultAxesCvw +
                R"(,"samples":[[0,120.5,18.2,4],[10,121,18.3,4.1],[20,119.8,18.1,4.1]]})"
                "\n");
    }
}

TEST(Dump, ThreeFieldHeaderStopsBeforeTheLayout) {
    const std::string path = kData + "/dump_three_fields.csv";
    DumpRun r = Dump({path});
    EXPECT_EQ(r.status, 0);  // read, just not drawable
    EXPECT_EQ(r.out, R"({"path":")" + path +
                         R"(","readable":true,"wave_file":false,)"
                         R"("fields":["Time[msec]","CurrentActual[A]","VoltageActual[V]"],)" +
                         kNotLoaded + "\n");
}

TEST(Dump, UnreadableFilesGiveNullsAndStatusOne) {
    TempFolder dir;
    const std::string empty = dir.Write("empty.csv", "");
    const std::string good = kData + "/wave_row1_comma.csv";
    const std::string unread =
        R"(,"readable":false,"wave_file":false,"fields":null,)" + kNotLoaded + "\n";
    DumpRun r = Dump({dir / "missing.csv", good, empty, dir.path()});
    EXPECT_EQ(r.status, 1);
    std::vector<std::string> lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0] + "\n", R"({"path":")" + (dir / "missing.csv") + "\"" + unread);
    EXPECT_EQ(lines[1].rfind(R"({"path":")" + good + R"(","readable":true,)", 0), 0u);
    EXPECT_EQ(lines[2] + "\n", R"({"path":")" + empty + "\"" + unread);
    EXPECT_EQ(lines[3] + "\n", R"({"path":")" + dir.path() + "\"" + unread);
}

TEST(Dump, PathIsValidJsonWhateverItsBytes) {
    DumpRun r = Dump({"/no/such/a\"b\\c\x01\t\xff\x82\xa0.csv"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(
        r.out.substr(0, r.out.find(",\"readable\"")),
        "{\"path\":\"/no/such/a\\\"b\\\\c\\u0001\\t\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD.csv\"");
}

TEST(Dump, SummaryGivesCountAndStatsInFileUnits) {
    TempFolder dir;
    // Unsorted times: the sample interval comes from the two smallest.
    const std::string path =
        dir.Write("s.csv",
                  "Time[msec],CurrentActual[A],VoltageActual[V],FeedingActual[m/min]\n"
                  "100,150,20,5\n0,100,10,3\n200,200,30,10\n");
    DumpRun r = Dump({"--summary", path});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(
        r.out,
        R"({"path":")" + path +
            R"(","readable":true,"wave_file":true,)"
            R"("fields":["Time[msec]","CurrentActual[A]","VoltageActual[V]","FeedingActual[m/min]"],)"
            R"("layout":0,"sample_code":1,"titles":["CurrentActual","VoltageActual","FeedingActual"],)"
            R"("units":["A","V","m/min"],)" +
            kDefaultAxesCvw +
            R"(,"count":3,"stats":[{"min":100,"max":200,"mean":150},)"
            R"({"min":10,"max":30,"mean":20},{"min":3,"max":10,"mean":6}]})"
            "\n");
}

TEST(Dump, SummaryStatsEdgeCases) {
    TempFolder dir;
    const std::string header =
        "Time[msec],CurrentActual[A],VoltageActual[V],FeedingActual[m/min]\n";
    struct Case {
        const char* name;
        std::string body;
        std::string tail;  // the line from "count" on
    } cases[] = {
        {"header only", "", R"("count":0,"stats":null})"},
        // A sum of the largest doubles must not turn the mean into inf.
        {"huge", "0,1e308,1e999,-1e308\n10,1e308,1e999,-1e308\n",
         R"("count":2,"stats":[{"min":1e+308,"max":1e+308,"mean":1e+308},)"
         R"({"min":1.7976931348623157e+308,"max":1.7976931348623157e+308,"mean":1.7976931348623157e+308},)"
         R"({"min":-1e+308,"max":-1e+308,"mean":-1e+308}]})"},
        // A blank line is a sample at time 0 with zero values.
        {"blank line", "10,4,5,6\n\n",
         R"("count":2,"stats":[{"min":0,"max":4,"mean":2},)"
         R"({"min":0,"max":5,"mean":2.5},{"min":0,"max":6,"mean":3}]})"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DumpRun r = Dump({"--summary", dir.Write("f.csv", header + c.body)});
        EXPECT_EQ(r.status, 0);
        ASSERT_NE(r.out.find("\"count\""), std::string::npos);
        EXPECT_EQ(r.out.substr(r.out.find("\"count\"")), c.tail + "\n");
    }
}

TEST(Dump, SummaryOfAFileThatStopsEarly) {
    DumpRun r = Dump({"--summary", kData + "/dump_three_fields.csv", "/no/such.csv"});
    EXPECT_EQ(r.status, 1);
    std::vector<std::string> lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 2u);
    for (const std::string& line : lines) {
        EXPECT_EQ(line.substr(line.find("\"axes\"")), R"("axes":null,"count":null,"stats":null})");
    }
}

TEST(Dump, SettingsFileGivesScalesAndTimeColumnNames) {
    TempFolder dir;
    const std::string ini = dir.Write("my.ini",
                                      "[SCALE]\nCURRENT=0,400\nWIRESPEED=0,20\nTIME=0,5000\n"
                                      "[FORMAT]\nFORMAT_CHECK=Zeit[msec],\"Elapsed Time[msec]\"\n");
    const std::string path = dir.Write("z.csv",
                                       "Zeit[msec],CurrentSet[A],VoltageSet[V],FeedingSet[m/min]\n"
                                       "0,120.5,18.2,4.5\n");
    DumpRun r = Dump({"--settings", ini, path});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out,
              R"({"path":")" + path +
                  R"(","readable":true,"wave_file":true,)"
                  R"("fields":["Zeit[msec]","CurrentSet[A]","VoltageSet[V]","FeedingSet[m/min]"],)"
                  R"("layout":1,"sample_code":0,"titles":["CurrentSet","VoltageSet","FeedingSet"],)"
                  R"("units":["A","V","m/min"],)"
                  R"("axes":{"time":[0,5000,500],"left":[0,400,40],"right":[0,100,10],"labels":[)"
                  R"(["0","40","80","120","160","200","240","280","320","360","400"],)"
                  R"(["0","10","20","30","40","50","60","70","80","90","100"],)"
                  R"(["0","2","4","6","8","10","12","14","16","18","20"]],)"
                  R"("axis_factor":[1,1,20],"time_refused":false},)"
                  R"("samples":[[0,120.5,18.2,4.5]]})"
                  "\n");

    // The same file under the default names is not a wave file, but is still read.
    DumpRun d = Dump({path});
    EXPECT_EQ(d.status, 0);
    EXPECT_NE(d.out.find(R"("wave_file":false,)"), std::string::npos);
    EXPECT_NE(d.out.find(R"("samples":[[0,120.5,18.2,4.5]]})"), std::string::npos);

    // --settings=INI is the same option.
    EXPECT_EQ(Dump({"--settings=" + ini, path}).out, r.out);
}

TEST(Dump, MissingSettingsFileWarnsAndUsesDefaults) {
    const std::string path = kData + "/wave_row1_comma.csv";
    DumpRun r = Dump({"--settings", "/no/such/Varmonix.ini", path});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.err.find("/no/such/Varmonix.ini"), std::string::npos);
    EXPECT_EQ(r.out, Dump({path}).out);
}

TEST(Dump, DefaultSettingsPathIsUsed) {
    TempFolder dir;
    const std::string ini = dir.Write("Varmonix.ini", "[SCALE]\nCURRENT=0,400\n");
    std::ostringstream out, err;
    EXPECT_EQ(RunDump({kData + "/wave_row1_comma.csv"}, out, err, ini), 0);
    EXPECT_NE(out.str().find(R"("left":[0,400,40])"), std::string::npos);
}

TEST(Dump, RefusedTimeLimitsAsTheWindowLeavesThem) {
    TempFolder dir;
    const std::string path = kData + "/wave_row1_comma.csv";
    struct Case {
        const char* time;
        const char* want;
    } cases[] = {
        {"0,5000", R"("time":[0,5000,500],)"},
        // Shortest form: 10000000 is written 1e+07.
        {"500,100", R"("time":[500,1e+07,250],)"},  // maximum below minimum
        {"20000000,30000000", R"("time":[0,1e+07,250],)"},
        // A scale below 0 is set again for the file without a refusal.
        {"-200,-100", R"("time":[-200,-100,10],)"},
    };
    const bool refused[] = {false, true, true, false};
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].time);
        const std::string ini =
            dir.Write("t.ini", std::string("[SCALE]\nTIME=") + cases[i].time + "\n");
        DumpRun r = Dump({"--settings", ini, path});
        EXPECT_EQ(r.status, 0);
        EXPECT_NE(r.out.find(cases[i].want), std::string::npos) << r.out;
        EXPECT_NE(r.out.find(refused[i] ? R"("time_refused":true)" : R"("time_refused":false)"),
                  std::string::npos);
        EXPECT_NE(r.out.find(R"("left":[0,600,60])"), std::string::npos);
    }
}

TEST(Dump, UsageErrors) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"--dump"},
        {"--summary"},
        {"--bogus", "f.csv"},
        {"-x", "f.csv"},
        {"--settings"},
        {"f.csv", "--settings"},
        {"--settings=", "f.csv"},
        {"--settings", "my.ini"},
    };
    for (const auto& args : cases) {
        DumpRun r = Dump(args);
        EXPECT_EQ(r.status, 2) << ::testing::PrintToString(args);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find("(try --help)\nUsage: varmonix"), std::string::npos) << r.err;
    }
}

TEST(Dump, OptionsEndAtDoubleDash) {
    DumpRun r = Dump({"--dump", "--", "--summary"});
    EXPECT_EQ(r.status, 1);  // a file named --summary, which does not exist
    EXPECT_EQ(r.out.rfind(R"({"path":"--summary","readable":false,)", 0), 0u);
    EXPECT_NE(r.out.find(R"("samples":null})"), std::string::npos);
}

TEST(Dump, HelpGoesToStandardOutput) {
    DumpRun r = Dump({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, HelpText());
    EXPECT_EQ(r.err, "");
}

TEST(Dump, JapaneseHeaderGivesUtf8TitlesAndUnits) {
    // "アーク" has 0x5B ('[') as the trail byte of "ー": not the unit bracket.
    const std::string path = kData + "/dump_japanese_titles.csv";
    DumpRun r = Dump({path});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(
        r.out.find(R"("fields":["時間[msec]","溶接電流[A]","アーク電圧[V]","ワイヤ送給[m/min]"],)"
                   R"("layout":0,"sample_code":0,)"
                   R"("titles":["溶接電流","アーク電圧","ワイヤ送給"],"units":["A","V","m/min"],)"),
        std::string::npos)
        << r.out;

    // The same names in a UTF-8 file with a byte-order mark read the same.
    TempFolder dir;
    const std::string bom = dir.Write(
        "bom.csv",
        "\xEF\xBB\xBF時間[msec],電流実測値[A],電圧実測値[V],送給実測値[m/min]\n0,1,2,3\n");
    DumpRun b = Dump({bom});
    EXPECT_NE(b.out.find(R"("wave_file":true,"fields":["時間[msec]","電流実測値[A]",)"),
              std::string::npos);
    EXPECT_NE(b.out.find(R"("titles":["CurrentActual","VoltageActual","FeedingActual"])"),
              std::string::npos);
}

TEST(Dump, MissingCp932ConverterIsReportedOncePerRun) {
    const std::vector<std::string> files = {kData + "/bad/utf16le_odd.csv",
                                            kData + "/bad/utf16be_odd.csv",
                                            kData + "/dump_japanese_titles.csv"};
    CommandLine cl;
    cl.mode = Mode::Dump;
    cl.files = files;
    TempFolder dir;
    for (bool available : {true, false}) {
        SCOPED_TRACE(available);
        std::ostringstream out, err;
        EXPECT_EQ(RunDump(cl, out, err, dir / "Varmonix.ini", available), 0);
        EXPECT_EQ(Lines(out.str()).size(), files.size());
        if (available) {
            EXPECT_EQ(err.str(), "");
        } else {
            EXPECT_EQ(err.str(), std::string("varmonix: warning: ") + kCp932MissingText + "\n");
        }
    }
}

TEST(Dump, OutputThatCannotBeWrittenIsAFailure) {
    std::ostringstream out, err;
    out.setstate(std::ios::badbit);
    TempFolder dir;
    EXPECT_EQ(RunDump({kData + "/wave_row1_comma.csv"}, out, err, dir / "Varmonix.ini"), 1);
    EXPECT_NE(err.str().find("could not be written"), std::string::npos);
}

TEST(Dump, SemicolonHeaderOverCommaDataGivesOneFieldLines) {
    TempFolder dir;
    const std::string path =
        dir.Write("m.csv",
                  "Time[msec];CurrentActual[A];VoltageActual[V];FeedingActual[m/min]\n"
                  "0,150.5,20.5,7\n10;151;21;7,5\n30\n");
    DumpRun r = Dump({path});
    EXPECT_NE(r.out.find(R"("samples":[[0,0,0,0],[10,151,21,7.5],[30,0,0,0]]})"), std::string::npos)
        << r.out;
}

}  // namespace
}  // namespace vx
