// Program entry: the modes without a window, or the window module.
#include <dlfcn.h>

#include <filesystem>
#include <iostream>
#include <system_error>

#include "analysis/metrics_run.h"
#include "app/command_line.h"
#include "app/dump.h"
#include "app/window_entry.h"
#include "settings/settings_file.h"
#include "settings/settings_location.h"

namespace {

// The module by the program's own path: beside it in the build tree,
// lib/varmonix once installed. The RUNPATH alone is not enough: a sanitizer
// runtime that wraps dlopen makes itself the caller whose path is searched.
void* OpenWindowModule() {
    std::error_code ec;
    const std::filesystem::path dir =
        std::filesystem::read_symlink("/proc/self/exe", ec).parent_path();
    if (!ec)
        for (const std::filesystem::path& p :
             {dir / VX_WINDOW_MODULE, dir / ".." / "lib" / "varmonix" / VX_WINDOW_MODULE})
            if (std::filesystem::exists(p, ec))
                if (void* m = ::dlopen(p.c_str(), RTLD_NOW | RTLD_LOCAL)) return m;
    return ::dlopen(VX_WINDOW_MODULE, RTLD_NOW | RTLD_LOCAL);
}

int RunWindowModule(int argc, char** argv) {
    void* module = OpenWindowModule();
    const auto entry =
        module ? reinterpret_cast<int (*)(int, char**)>(::dlsym(module, VX_WINDOW_ENTRY)) : nullptr;
    if (!entry) {
        const char* why = ::dlerror();
        std::cerr << "varmonix: the window cannot be started: " << (why ? why : VX_WINDOW_MODULE)
                  << '\n';
        return 1;
    }
    return entry(argc, argv);
}

}  // namespace

int main(int argc, char** argv) {
    const vx::CommandLine cl = vx::ParseCommandLine(argc, argv);
    if (const auto status = vx::AnswerWithText(cl, std::cout, std::cerr)) return *status;
    if (cl.mode != vx::Mode::Dump && cl.mode != vx::Mode::Metrics)
        return RunWindowModule(argc, argv);
    const vx::SettingsLocation settings = vx::LocateSettings();
    const std::string ini = vx::SettingsFileToRead(settings);
    if (cl.mode == vx::Mode::Dump) return vx::RunDump(cl, std::cout, std::cerr, ini);
    vx::MetricsOptions o;
    o.settingsPath = vx::SettingsPathOf(cl, ini, std::cerr);
    o.csv = cl.csv;
    o.paths = cl.files;
    return vx::RunMetrics(o, std::cout, std::cerr);
}
