// The command line of every mode: what each argument list means, and the texts
// the program answers with instead of running.
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/viewer_keys.h"

namespace vx {
namespace {

struct Case {
    const char* name;
    std::vector<std::string> args;
    Mode mode;
    std::vector<std::string> paths = {};  // the viewer's folder or file, or the files of --dump
    std::optional<std::string> settings = std::nullopt;
    bool summary = false;
    const char* error = "";  // part of the message of a usage error
    bool csv = false;
};

const Case kCases[] = {
    {"nothing", {}, Mode::Viewer},
    {"folder", {"examples/datalog"}, Mode::Viewer, {"examples/datalog"}},
    {"wave file", {"examples/datalog/000001.csv"}, Mode::Viewer, {"examples/datalog/000001.csv"}},
    {"dash alone is a name", {"-"}, Mode::Viewer, {"-"}},
    {"two folders", {"a", "b"}, Mode::UsageError, {}, {}, false, "more than one FOLDER or FILE: b"},
    {"options in any order",
     {"--summary", "f.csv", "--settings", "my.ini", "--dump", "g.csv"},
     Mode::Dump,
     {"f.csv", "g.csv"},
     "my.ini",
     true},
    {"settings with =", {"--dump", "--settings=my.ini", "f.csv"}, Mode::Dump, {"f.csv"}, "my.ini"},
    {"last settings counts",
     {"--dump", "--settings", "a.ini", "--settings=b.ini", "f.csv"},
     Mode::Dump,
     {"f.csv"},
     "b.ini"},
    {"dump twice", {"--dump", "--dump", "f.csv"}, Mode::Dump, {"f.csv"}},
    {"settings without value at the end",
     {"--dump", "f.csv", "--settings"},
     Mode::UsageError,
     {},
     {},
     false,
     "--settings needs a value"},
    {"settings = nothing",
     {"--dump", "--settings=", "f.csv"},
     Mode::UsageError,
     {},
     {},
     false,
     "--settings needs a value"},
    {"settings empty",
     {"--dump", "--settings", "", "f.csv"},
     Mode::UsageError,
     {},
     {},
     false,
     "--settings needs a value"},
    {"settings before --",
     {"--dump", "--settings", "--", "f.csv"},
     Mode::UsageError,
     {},
     {},
     false,
     "--settings needs a value"},
    {"dump without files", {"--dump"}, Mode::UsageError, {}, {}, false, "--dump needs a FILE"},
    {"dump, only options",
     {"--dump", "--summary", "--settings", "my.ini"},
     Mode::UsageError,
     {},
     {},
     false,
     "--dump needs a FILE"},
    {"unknown long option",
     {"--dump", "--bogus", "f.csv"},
     Mode::UsageError,
     {},
     {},
     false,
     "unknown option --bogus"},
    {"unknown short option", {"-x"}, Mode::UsageError, {}, {}, false, "unknown option -x"},
    {"three dashes", {"---x"}, Mode::UsageError, {}, {}, false, "unknown option ---x"},
    {"no prefix matching", {"--dump", "--sum", "f"}, Mode::UsageError, {}, {}, false, "--sum"},
    {"case matters", {"--DUMP", "f"}, Mode::UsageError, {}, {}, false, "unknown option --DUMP"},
    {"flag with a value",
     {"--dump", "--summary=1", "f"},
     Mode::UsageError,
     {},
     {},
     false,
     "summary"},
    {"summary without dump",
     {"--summary", "folder"},
     Mode::UsageError,
     {},
     {},
     false,
     "--summary only goes with --dump"},
    {"settings of the viewer",
     {"folder", "--settings", "my.ini"},
     Mode::Viewer,
     {"folder"},
     "my.ini"},
    {"help after a folder", {"folder", "--help"}, Mode::Help},
    {"help beats an unknown option", {"--dump", "--bogus", "-h"}, Mode::Help},
    {"version anywhere", {"--dump", "f.csv", "--version"}, Mode::Version},
    {"the first of help and version", {"--version", "--help"}, Mode::Version},
    {"the first of help and version", {"-h", "--version"}, Mode::Help},
    {"options end at --",
     {"--dump", "--", "--summary", "-x", "--", "--help"},
     Mode::Dump,
     {"--summary", "-x", "--", "--help"}},
    {"names before and after --",
     {"a.csv", "--dump", "--", "-b.csv"},
     Mode::Dump,
     {"a.csv", "-b.csv"}},
    {"folder after --", {"--", "-folder"}, Mode::Viewer, {"-folder"}},
    {"metrics of a folder and a file",
     {"--metrics", "examples/datalog", "f.csv"},
     Mode::Metrics,
     {"examples/datalog", "f.csv"}},
    {"metrics as csv, options last",
     {"d", "--format", "csv", "--metrics", "--settings=my.ini"},
     Mode::Metrics,
     {"d"},
     "my.ini",
     false,
     "",
     true},
    {"metrics as jsonl", {"--metrics", "--format=jsonl", "d"}, Mode::Metrics, {"d"}},
    {"metrics without a path",
     {"--metrics", "--format", "csv"},
     Mode::UsageError,
     {},
     {},
     false,
     "--metrics needs a PATH"},
    {"unknown format",
     {"--metrics", "--format", "xml", "d"},
     Mode::UsageError,
     {},
     {},
     false,
     "--format is jsonl or csv, not xml"},
    {"format without metrics",
     {"--dump", "--format", "csv", "f"},
     Mode::UsageError,
     {},
     {},
     false,
     "--format only goes with --metrics"},
    {"summary is not a metrics option",
     {"--metrics", "--summary", "d"},
     Mode::UsageError,
     {},
     {},
     false,
     "--summary only goes with --dump"},
    {"two modes",
     {"--dump", "--metrics", "f"},
     Mode::UsageError,
     {},
     {},
     false,
     "cannot be combined"},
};

class CommandLineTest : public ::testing::TestWithParam<Case> {};

TEST_P(CommandLineTest, Means) {
    const Case& c = GetParam();
    const CommandLine cl = ParseCommandLine(c.args);
    ASSERT_EQ(cl.mode, c.mode) << cl.error;
    if (c.mode == Mode::UsageError) {
        EXPECT_NE(cl.error.find(c.error), std::string::npos) << cl.error;
        return;
    }
    EXPECT_EQ(cl.error, "");
    if (c.mode == Mode::Viewer) {
        EXPECT_EQ(cl.openPath, c.paths.empty() ? "" : c.paths[0]);
        EXPECT_TRUE(cl.files.empty());
    } else if (c.mode == Mode::Dump || c.mode == Mode::Metrics) {
        EXPECT_EQ(cl.files, c.paths);
        EXPECT_EQ(cl.openPath, "");
    }
    EXPECT_EQ(cl.csv, c.csv);
    EXPECT_EQ(cl.settingsPath, c.settings);
    EXPECT_EQ(cl.summary, c.summary);
}

INSTANTIATE_TEST_SUITE_P(Args, CommandLineTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& i) {
                             std::string name = std::to_string(i.index) + "_";
                             for (char ch : std::string(i.param.name))
                                 name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
                             return name;
                         });

// For a case that expects a usage error: checks the error, and true.
bool IsExpectedError(const CommandLine& cl, const char* error) {
    if (*error == '\0') return false;
    EXPECT_EQ(cl.mode, Mode::UsageError);
    EXPECT_NE(cl.error.find(error), std::string::npos) << cl.error;
    return true;
}

TEST(CommandLine, RenderTakesOneFileAndItsPictureOptions) {
    struct RenderCase {
        std::vector<std::string> args;
        const char* error;  // part of the usage error; empty: parsed
        std::string out = {};
        std::optional<PictureSize> size = std::nullopt;
        std::optional<TimeRangeArg> time = std::nullopt;
    } cases[] = {
        {{"--render", "w.png", "f.csv"}, "", "w.png"},
        {{"f.csv", "--render=W.SVG"}, "", "W.SVG"},
        {{"--render", "w.pdf", "--size", "1600x900", "--time", "100,2500.5", "f.csv"},
         "",
         "w.pdf",
         PictureSize{1600, 900},
         TimeRangeArg{100, 2500.5}},
        {{"--render", "w.png", "--time=-50,20", "f.csv"}, "", "w.png", {}, TimeRangeArg{-50, 20}},
        {{"--render", "w.png", "--settings", "my.ini", "f.csv"}, "", "w.png"},
        {{"--render", "w.jpg", "f.csv"}, "writes .png, .svg or .pdf, not w.jpg"},
        {{"--render", "w.png"}, "--render needs a FILE"},
        {{"--render", "w.png", "a.csv", "b.csv"}, "one FILE, not b.csv"},
        {{"f.csv", "--render"}, "--render needs a value"},
        {{"--render", "w.png", "--size", "800", "f.csv"}, "--size is WxH"},
        {{"--render", "w.png", "--size", "0x600", "f.csv"}, "--size is WxH"},
        {{"--render", "w.png", "--size", "800x600px", "f.csv"}, "--size is WxH"},
        {{"--render", "w.png", "--time", "20,10", "f.csv"}, "--time is MIN,MAX"},
        {{"--render", "w.png", "--time", "1,x", "f.csv"}, "--time is MIN,MAX"},
        {{"--render", "w.png", "--time", "5", "f.csv"}, "--time is MIN,MAX"},
        {{"--size", "800x600", "f.csv"}, "--size only goes with --render"},
        {{"--dump", "--time", "1,2", "f.csv"}, "--time only goes with --render"},
        {{"--render", "w.png", "--dump", "f.csv"}, "cannot be combined"},
        {{"--render", "w.png", "--summary", "f.csv"}, "--summary only goes with --dump"},
    };
    for (const RenderCase& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        const CommandLine cl = ParseCommandLine(c.args);
        if (IsExpectedError(cl, c.error)) continue;
        ASSERT_EQ(cl.mode, Mode::Render) << cl.error;
        EXPECT_EQ(cl.files, std::vector<std::string>{"f.csv"});
        EXPECT_EQ(cl.outPath, c.out);
        ASSERT_EQ(cl.size.has_value(), c.size.has_value());
        if (c.size) {
            EXPECT_EQ(cl.size->width, c.size->width);
            EXPECT_EQ(cl.size->height, c.size->height);
        }
        ASSERT_EQ(cl.timeRange.has_value(), c.time.has_value());
        if (c.time) {
            EXPECT_EQ(cl.timeRange->min, c.time->min);
            EXPECT_EQ(cl.timeRange->max, c.time->max);
        }
    }
}

TEST(CommandLine, ReportTakesPathsAndAPdf) {
    const struct {
        std::vector<std::string> args;
        const char* error;  // empty: parses
        std::vector<std::string> files;
    } cases[] = {
        {{"--report", "r.pdf", "log", "w.csv"}, "", {"log", "w.csv"}},
        {{"log", "--report=R.PDF", "--settings", "my.ini"}, "", {"log"}},
        {{"--report", "r.pdf", "--", "-odd"}, "", {"-odd"}},
        {{"--report", "r.png", "log"}, "--report writes a .pdf file, not r.png", {}},
        {{"--report", "r.pdf"}, "--report needs a PATH", {}},
        {{"log", "--report"}, "--report needs a value", {}},
        {{"--report", "r.pdf", "--time", "1,2", "log"}, "--time only goes with --render", {}},
        {{"--report", "r.pdf", "--format", "csv", "log"}, "--format only goes with --metrics", {}},
        {{"--report", "r.pdf", "--metrics", "log"}, "cannot be combined", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        const CommandLine cl = ParseCommandLine(c.args);
        if (IsExpectedError(cl, c.error)) continue;
        ASSERT_EQ(cl.mode, Mode::Report) << cl.error;
        EXPECT_EQ(cl.files, c.files);
        EXPECT_TRUE(cl.outPath == "r.pdf" || cl.outPath == "R.PDF") << cl.outPath;
    }
}

TEST(CommandLine, FromArgvSkipsTheProgramName) {
    const char* argv[] = {"varmonix", "--dump", "f.csv"};
    const CommandLine cl = ParseCommandLine(3, argv);
    EXPECT_EQ(cl.mode, Mode::Dump);
    EXPECT_EQ(cl.files, std::vector<std::string>{"f.csv"});
    EXPECT_EQ(ParseCommandLine(1, argv).mode, Mode::Viewer);
}

TEST(CommandLine, AnswersOfTheModesThatOnlyPrint) {
    const std::string synopsis =
        "Usage: varmonix [--settings INI] [--lang ja|en] [FOLDER | FILE]\n"
        "       varmonix --dump [--settings INI] [--summary] [--] FILE...\n"
        "       varmonix --metrics [--settings INI] [--format jsonl|csv] [--] PATH...\n"
        "       varmonix --render OUT [--settings INI] [--size WxH] [--time MIN,MAX] FILE\n"
        "       varmonix --report OUT [--settings INI] [--] PATH...\n"
        "       varmonix --help | --version\n";
    struct Answer {
        std::vector<std::string> args;
        std::optional<int> status;
        std::string out, err;
    } answers[] = {
        {{"--help"}, 0, HelpText(), ""},
        {{"--version"}, 0, "Varmonix Ver. 3.00\n", ""},
        {{"--bogus"}, 2, "", "varmonix: unknown option --bogus (try --help)\n" + synopsis},
        {{"folder"}, std::nullopt, "", ""},
        {{"--dump", "f.csv"}, std::nullopt, "", ""},
    };
    for (const Answer& a : answers) {
        SCOPED_TRACE(::testing::PrintToString(a.args));
        std::ostringstream out, err;
        EXPECT_EQ(AnswerWithText(ParseCommandLine(a.args), out, err), a.status);
        EXPECT_EQ(out.str(), a.out);
        EXPECT_EQ(err.str(), a.err);
    }
}

TEST(CommandLine, HelpThatCannotBeWrittenIsAFailure) {
    std::ostringstream out, err;
    out.setstate(std::ios::badbit);
    EXPECT_EQ(AnswerWithText(ParseCommandLine({"--help"}), out, err), 1);
}

TEST(CommandLine, ReadmeShowsTheUsageText) {
    const std::filesystem::path readme =
        std::filesystem::path(VX_TEST_DATA).parent_path().parent_path() / "README.md";
    std::ifstream in(readme, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    const std::string text = all.str();
    const std::string open = "## Usage\n\n```\n";
    const size_t start = text.find(open);
    ASSERT_NE(start, std::string::npos) << readme;
    const size_t from = start + open.size();
    const size_t end = text.find("```\n", from);
    ASSERT_NE(end, std::string::npos);
    EXPECT_EQ(text.substr(from, end - from), HelpText());
}

TEST(CommandLine, ManualPageListsEveryOptionAndKey) {
    const std::filesystem::path page =
        std::filesystem::path(VX_TEST_DATA).parent_path().parent_path() / "packaging/varmonix.1";
    std::ifstream in(page, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    std::string text = all.str();
    // Read the page's dashes as a reader sees them.
    for (size_t at; (at = text.find("\\-")) != std::string::npos;) text.replace(at, 2, "-");
    // Every option the usage text names.
    const std::string usage = kUsageText;
    for (size_t at = 0; (at = usage.find("--", at)) != std::string::npos;) {
        size_t end = at + 2;
        while (end < usage.size() && (std::isalpha(static_cast<unsigned char>(usage[end])) != 0))
            ++end;
        const std::string option = usage.substr(at, end - at);
        if (option.size() > 2) {
            EXPECT_NE(text.find(option), std::string::npos) << option;
        }
        at = end;
    }
    // Every key names an entry of its own: ".B A" or a list ".B Home, Esc".
    std::vector<std::string> listed;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(".B ", 0) != 0) continue;
        std::string rest = line.substr(3);
        for (size_t comma; (comma = rest.find(", ")) != std::string::npos;) {
            listed.push_back(rest.substr(0, comma));
            rest.erase(0, comma + 2);
        }
        listed.push_back(rest);
    }
    for (const ViewerKey& k : ViewerKeys())
        for (const char* key : k.keys) {
            if (!key) continue;
            EXPECT_NE(std::find(listed.begin(), listed.end(), key), listed.end()) << key;
        }
}

}  // namespace
}  // namespace vx
