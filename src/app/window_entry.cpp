// Entry of the window module: the viewer, or a picture or report drawn off
// screen.
#include "app/window_entry.h"

#include <iostream>

#include "app/command_line.h"
#include "app/ui/render_run.h"
#include "app/ui/report_run.h"
#include "app/ui/startup.h"
#include "settings/settings_file.h"
#include "settings/settings_location.h"

extern "C" __attribute__((visibility("default"))) int VxWindowMain(int argc, char** argv) {
    const vx::CommandLine cl = vx::ParseCommandLine(argc, argv);
    const vx::SettingsLocation settings = vx::LocateSettings();
    const std::string ini = vx::SettingsFileToRead(settings);

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
