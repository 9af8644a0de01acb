#pragma once
// The program's command line, for every mode, parsed in one place. Options may
// come in any order; anything unknown is an error, never a folder or file name.
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace vx {

enum class Mode { Viewer, Dump, Metrics, Render, Report, Help, Version, UsageError };

// A picture's size in pixels (--size WxH).
struct PictureSize {
    int width = 0;
    int height = 0;
};

// A time range in ms (--time MIN,MAX), min < max.
struct TimeRangeArg {
    double min = 0;
    double max = 0;
};

struct CommandLine {
    Mode mode = Mode::Viewer;
    std::string openPath;                     // Viewer: folder or file opened at start; or empty
    std::vector<std::string> files;           // Dump, Metrics, Render, Report: as given
    std::string outPath;                      // Render: .png, .svg or .pdf; Report: .pdf
    std::optional<PictureSize> size;          // Render: --size; else the window's own
    std::optional<TimeRangeArg> timeRange;    // Render: --time; else the settings' scale
    std::optional<std::string> settingsPath;  // --settings INI; never empty when set
    bool summary = false;                     // --summary
    bool csv = false;                         // --format csv (else JSON lines)
    std::optional<std::string> lang;          // --lang ja|en of the viewer
    std::string error;                        // UsageError: what is wrong, naming the argument
};

// Printed by --help; its first lines (up to the blank line) after a usage error.
// The README's Usage block is this text.
inline constexpr char kUsageText[] =
    "Usage: varmonix [--settings INI] [--lang ja|en] [FOLDER | FILE]\n"
    "       varmonix --dump [--settings INI] [--summary] [--] FILE...\n"
    "       varmonix --metrics [--settings INI] [--format jsonl|csv] [--] PATH...\n"
    "       varmonix --render OUT [--settings INI] [--size WxH] [--time MIN,MAX] FILE\n"
    "       varmonix --report OUT [--settings INI] [--] PATH...\n"
    "       varmonix --help | --version\n"
    "\n"
    "Without a mode option the viewer starts, with the data-log FOLDER open (or the\n"
    "folder of the wave FILE, with FILE drawn).\n"
    "  --dump          no window: each FILE read as the viewer reads it, written as\n"
    "                  one JSON object per file and line\n"
    "  --metrics       no window: arc time, means, energy and wire of each PATH (a\n"
    "                  wave file or a data-log folder), one record per file; power\n"
    "                  and energy from 10 or 100 ms samples are estimates\n"
    "  --format F      --metrics as jsonl (JSON lines, the default) or csv\n"
    "  --render OUT    no window: FILE drawn as the viewer draws it, with its scales,\n"
    "                  titles and units, to OUT (.png, .svg or .pdf)\n"
    "  --size WxH      --render: the picture fitted into W by H pixels\n"
    "  --time MIN,MAX  --render: the time axis from MIN to MAX ms\n"
    "  --report OUT    no window: a PDF report of the welds of each PATH to OUT: a\n"
    "                  first page with their table and the trend of mean current,\n"
    "                  then one page per weld with its chart, figures and limits\n"
    "  --settings INI  scales, accepted time-column names, analysis parameters and\n"
    "                  quality limits (default: Varmonix.ini beside the program, or\n"
    "                  in ~/.config/varmonix when the program's folder cannot be\n"
    "                  written; the defaults when the file is missing)\n"
    "  --lang L        the viewer's texts in Japanese (ja) or English (en); default:\n"
    "                  LANGUAGE of section VIEW of the settings file, else English\n"
    "  --summary       sample count and min/max/mean per trace instead of the samples\n"
    "  --              the arguments after it are names, even when they start with -\n"
    "  -h, --help      this text\n"
    "  --version       the program's name and version\n"
    "Options may come in any order. Exit status: 0 success; 1 a failure (--dump,\n"
    "--metrics, --report: a file could not be read; --render: FILE is no readable\n"
    "wave file; --render, --report: OUT cannot be written); 2 a usage error.\n";

// The settings file of a mode without a window: --settings, else `defaultPath`.
// A --settings file that does not exist is said on `err` (the defaults apply).
std::string SettingsPathOf(const CommandLine& cl, const std::string& defaultPath,
                           std::ostream& err);

// What --help prints: kUsageText, then the viewer's keys and mouse gestures
// from the key table (the one the help window shows).
std::string HelpText();

// args: the arguments after the program's name. Never throws, never exits.
CommandLine ParseCommandLine(const std::vector<std::string>& args);
CommandLine ParseCommandLine(int argc, const char* const* argv);

// The modes that only print (help, version, usage error): writes their text
// and gives the exit status (0, or 1 when `out` fails; 2 after a usage error).
// Nothing for the modes that run.
std::optional<int> AnswerWithText(const CommandLine& cl, std::ostream& out, std::ostream& err);

}  // namespace vx
