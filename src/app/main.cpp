// Program entry: the viewer, or one of the modes without a window.
#include <iostream>

#include "analysis/metrics_run.h"
#include "app/command_line.h"
#include "app/dump.h"
#include "app/ui/render_run.h"
#include "app/ui/report_run.h"
#include "app/ui/startup.h"
#include "settings/settings_file.h"
#include "settings/settings_location.h"

int main(int argc, char** argv) {
    const vx::CommandLine cl = vx::ParseCommandLine(argc, argv);
    if (const auto status = vx::AnswerWithText(cl, std::cout, std::cerr)) return *status;
    const vx::SettingsLocation settings = vx::LocateSettings();
    const std::string ini = vx::SettingsFileToRead(settings);
    if (cl.mode == vx::Mode::Dump) return vx::RunDump(cl, std::cout, std::cerr, ini);
    if (cl.mode == vx::Mode::Metrics) {
        vx::MetricsOptions o;
        o.settingsPath = vx::SettingsPathOf(cl, ini, std::cerr);
        o.csv = cl.csv;
        o.paths = cl.files;
        return vx::RunMetrics(o, std::cout, std::cerr);
    }

    if (cl.mode == vx::Mode::Render || cl.mode == vx::Mode::Report) {
        // No display needed: a server draws as well as a desktop.
        vx::UseOffscreenPlatform();
        int qtArgc = 1;
        vx::VarmonixApplication app(qtArgc, argv);
        const std::string settingsPath = vx::SettingsPathOf(cl, ini, std::cerr);
        return cl.mode == vx::Mode::Render ? vx::RunRender(cl, settingsPath, std::cerr)
                                           : vx::RunReport(cl, settingsPath, std::cerr);
    }

    // Qt gets the program's name only: the arguments are ours, and a folder
    // named like one of Qt's options must not be taken as one.
    int qtArgc = 1;
    vx::VarmonixApplication app(qtArgc, argv);
    vx::StartupOptions options;
    options.openPath = cl.openPath;
    if (cl.lang) options.main.language = vx::LanguageCodeOf(*cl.lang);
    options.main.settingsPath =
        cl.settingsPath ? *cl.settingsPath : vx::PrepareSettingsFile(settings);
    return vx::RunVarmonix(options);
}
