#include "app/command_line.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <exception>
#include <filesystem>
#include <ostream>
#include <string_view>
#include <utility>

#include "app/version.h"
#include "app/viewer_keys.h"
#include "common/text_table.h"

namespace vx {
namespace {

// The modes other than the viewer, chosen by one option each.
struct ModeOption {
    const char* name;
    Mode mode;
    bool takesValue;  // --render OUT, --report OUT
};
constexpr ModeOption kModeOptions[] = {
    {"--dump", Mode::Dump, false},
    {"--metrics", Mode::Metrics, false},
    {"--render", Mode::Render, true},
    {"--report", Mode::Report, true},
};

const char* ModeName(Mode m) {
    for (const ModeOption& o : kModeOptions)
        if (o.mode == m) return o.name;
    return "the viewer";
}

CommandLine Only(Mode mode) {
    CommandLine cl;
    cl.mode = mode;
    return cl;
}

CommandLine Error(std::string text) {
    CommandLine cl = Only(Mode::UsageError);
    cl.error = std::move(text);
    return cl;
}

bool LooksLikeOption(const std::string& a) { return a.size() > 1 && a[0] == '-'; }

bool EndsWithNoCase(const std::string& s, std::string_view end) {
    if (s.size() < end.size()) return false;
    for (size_t i = 0; i < end.size(); ++i) {
        char c = s[s.size() - end.size() + i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != end[i]) return false;
    }
    return true;
}

// A whole decimal number, nothing before or after it.
std::optional<double> NumberOf(const std::string& s) {
    if (s.empty() || std::isspace(static_cast<unsigned char>(s[0]))) return std::nullopt;
    try {
        size_t used = 0;
        const double v = std::stod(s, &used);
        if (used != s.size() || !std::isfinite(v)) return std::nullopt;
        return v;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

// "WxH", each side 16 to 20000 pixels.
std::optional<PictureSize> SizeOf(const std::string& s) {
    const size_t x = s.find_first_of("xX");
    if (x == std::string::npos) return std::nullopt;
    const std::string w = s.substr(0, x), h = s.substr(x + 1);
    const auto digits = [](const std::string& t) {
        return !t.empty() && t.size() <= 5 &&
               std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (!digits(w) || !digits(h)) return std::nullopt;
    const PictureSize size{std::stoi(w), std::stoi(h)};
    if (size.width < 16 || size.height < 16 || size.width > 20000 || size.height > 20000)
        return std::nullopt;
    return size;
}

// "MIN,MAX" in ms, MIN below MAX.
std::optional<TimeRangeArg> TimeRangeOf(const std::string& s) {
    const size_t comma = s.find(',');
    if (comma == std::string::npos) return std::nullopt;
    const auto lo = NumberOf(s.substr(0, comma)), hi = NumberOf(s.substr(comma + 1));
    if (!lo || !hi || !(*lo < *hi)) return std::nullopt;
    return TimeRangeArg{*lo, *hi};
}

CommandLine Parse(std::vector<std::string> args) {
    // After the first "--" every argument is a name, whatever it starts with.
    std::vector<std::string> names;
    if (auto dd = std::find(args.begin(), args.end(), "--"); dd != args.end()) {
        names.assign(dd + 1, args.end());
        args.erase(dd, args.end());
    }

    CommandLine cl;
    CLI::App app;
    app.set_help_flag();  // help is a mode of ours, not an exception of the parser's
    app.allow_extras();   // unknown options are collected and named in our message
    CLI::Option* help = app.add_flag("-h,--help");
    CLI::Option* version = app.add_flag("--version");
    std::vector<std::pair<CLI::Option*, Mode>> modes;
    // Only one mode can be chosen, so the modes' OUT share one string.
    std::string out;
    std::vector<const CLI::Option*> outOptions;
    for (const ModeOption& m : kModeOptions) {
        CLI::Option* o = m.takesValue ? app.add_option(m.name, out)
                                            ->expected(0, 1)
                                            ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
                                      : app.add_flag(m.name);
        modes.emplace_back(o, m.mode);
        if (m.takesValue) outOptions.push_back(o);
    }

    std::string settings;
    CLI::Option* settingsOption = app.add_option("--settings", settings)
                                      ->expected(0, 1)  // a missing value is ours to report
                                      ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    CLI::Option* summary = app.add_flag("--summary", cl.summary)->disable_flag_override();
    std::string lang;
    CLI::Option* langOption = app.add_option("--lang", lang)
                                  ->expected(0, 1)
                                  ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    std::string format;
    CLI::Option* formatOption = app.add_option("--format", format)
                                    ->expected(0, 1)
                                    ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    std::string size;
    CLI::Option* sizeOption = app.add_option("--size", size)
                                  ->expected(0, 1)
                                  ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    std::string time;
    CLI::Option* timeOption = app.add_option("--time", time)
                                  ->expected(0, 1)
                                  ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    // The options that belong to some modes only.
    const std::pair<CLI::Option*, std::vector<Mode>> modeOptions[] = {
        {settingsOption, {Mode::Viewer, Mode::Dump, Mode::Metrics, Mode::Render, Mode::Report}},
        {summary, {Mode::Dump}},
        {formatOption, {Mode::Metrics}},
        {langOption, {Mode::Viewer}},
        {sizeOption, {Mode::Render}},
        {timeOption, {Mode::Render}},
    };
    std::vector<const CLI::Option*> valueOptions = {settingsOption, formatOption, langOption,
                                                    sizeOption, timeOption};
    valueOptions.insert(valueOptions.end(), outOptions.begin(), outOptions.end());

    std::vector<std::string> positional;
    app.add_option("PATH", positional);

    // The parser would take the next argument as the value of "--settings=".
    for (const std::string& a : args)
        for (const CLI::Option* o : valueOptions)
            if (a == o->get_name() + "=") return Error(o->get_name() + " needs a value");

    try {
        std::reverse(args.begin(), args.end());  // CLI11 takes them last first
        app.parse(args);
    } catch (const CLI::ParseError& e) {
        return Error(e.what());
    }

    // --help and --version win wherever they are; the first of them counts.
    for (const CLI::Option* o : app.parse_order()) {
        if (o == help) return Only(Mode::Help);
        if (o == version) return Only(Mode::Version);
    }

    if (const auto extras = app.remaining(); !extras.empty())
        return Error("unknown option " + extras.front());
    for (const std::string& p : positional)
        if (LooksLikeOption(p)) return Error("unknown option " + p);

    for (const auto& [option, mode] : modes) {
        if (option->count() == 0) continue;
        if (cl.mode != Mode::Viewer && cl.mode != mode)
            return Error(std::string(ModeName(cl.mode)) + " and " + option->get_name() +
                         " cannot be combined");
        cl.mode = mode;
    }

    for (const CLI::Option* o : valueOptions)
        if (o->count() > 0 && o->as<std::string>().empty())
            return Error(o->get_name() + " needs a value");
    for (const auto& [option, allowed] : modeOptions) {
        if (option->count() == 0 ||
            std::find(allowed.begin(), allowed.end(), cl.mode) != allowed.end())
            continue;
        std::string with;
        for (Mode m : allowed) with += (with.empty() ? "" : " or ") + std::string(ModeName(m));
        return Error(option->get_name() + " only goes with " + with);
    }
    if (settingsOption->count() > 0) cl.settingsPath = settings;
    if (langOption->count() > 0) {
        if (lang != "ja" && lang != "en") return Error("--lang is ja or en, not " + lang);
        cl.lang = lang;
    }
    if (formatOption->count() > 0) {
        if (format != "jsonl" && format != "csv")
            return Error("--format is jsonl or csv, not " + format);
        cl.csv = format == "csv";
    }
    if (cl.mode == Mode::Render) {
        if (!EndsWithNoCase(out, ".png") && !EndsWithNoCase(out, ".svg") &&
            !EndsWithNoCase(out, ".pdf"))
            return Error("--render writes .png, .svg or .pdf, not " + out);
        cl.outPath = out;
    }
    if (cl.mode == Mode::Report) {
        if (!EndsWithNoCase(out, ".pdf")) return Error("--report writes a .pdf file, not " + out);
        cl.outPath = out;
    }
    if (sizeOption->count() > 0) {
        cl.size = SizeOf(size);
        if (!cl.size) return Error("--size is WxH, 16 to 20000 pixels each, not " + size);
    }
    if (timeOption->count() > 0) {
        cl.timeRange = TimeRangeOf(time);
        if (!cl.timeRange) return Error("--time is MIN,MAX in ms with MIN < MAX, not " + time);
    }

    positional.insert(positional.end(), names.begin(), names.end());
    switch (cl.mode) {
        case Mode::Viewer:
            if (positional.size() > 1)
                return Error("more than one FOLDER or FILE: " + positional[1]);
            if (!positional.empty()) cl.openPath = positional[0];
            break;
        case Mode::Dump:
            if (positional.empty()) return Error("--dump needs a FILE");
            cl.files = std::move(positional);
            break;
        case Mode::Metrics:
            if (positional.empty()) return Error("--metrics needs a PATH");
            cl.files = std::move(positional);
            break;
        case Mode::Render:
            if (positional.empty()) return Error("--render needs a FILE");
            if (positional.size() > 1)
                return Error("--render draws one FILE, not " + positional[1]);
            cl.files = std::move(positional);
            break;
        case Mode::Report:
            if (positional.empty()) return Error("--report needs a PATH");
            cl.files = std::move(positional);
            break;
        default:
            break;
    }
    return cl;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
    try {
        return Parse(args);
    } catch (const std::exception& e) {
        return Error(e.what());
    }
}

CommandLine ParseCommandLine(int argc, const char* const* argv) {
    if (argc < 1 || argv == nullptr) return ParseCommandLine(std::vector<std::string>{});
    return ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
}

std::string SettingsPathOf(const CommandLine& cl, const std::string& defaultPath,
                           std::ostream& err) {
    if (!cl.settingsPath) return defaultPath;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(*cl.settingsPath, ec))
        err << "varmonix: settings file " << *cl.settingsPath << " not found, using the defaults\n";
    return *cl.settingsPath;
}

std::string HelpText() {
    std::string text = kUsageText;
    const auto english = [](int id) { return std::string(LoadStrUtf8(id + kEnglish)); };
    text += "\nKeys in the viewer:\n";
    for (const ViewerKey& k : ViewerKeys()) {
        std::string keys;
        for (const char* key : k.keys)
            if (key) keys += (keys.empty() ? "" : ", ") + std::string(key);
        keys.resize(std::max<size_t>(keys.size() + 2, 18), ' ');
        text += "  " + keys + english(k.textId) + "\n";
    }
    text += "Mouse on the chart:\n";
    for (const ViewerGesture& g : ViewerGestures()) {
        std::string name = english(g.nameId);
        name.resize(std::max<size_t>(name.size() + 2, 18), ' ');
        text += "  " + name + english(g.textId) + "\n";
    }
    return text;
}

std::optional<int> AnswerWithText(const CommandLine& cl, std::ostream& out, std::ostream& err) {
    switch (cl.mode) {
        case Mode::Help:
            out << HelpText();
            break;
        case Mode::Version:
            out << kProgramVersionText << '\n';
            break;
        case Mode::UsageError: {
            const std::string_view usage(kUsageText);
            err << "varmonix: " << cl.error << " (try --help)\n"
                << usage.substr(0, usage.find("\n\n") + 1);
            return 2;
        }
        default:
            return std::nullopt;
    }
    out.flush();
    return out ? 0 : 1;
}

}  // namespace vx
