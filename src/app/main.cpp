// Program entry: the viewer, or the command-line dump of wave files.
#include <QCoreApplication>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "app/dump.h"
#include "app/ui/startup.h"
#include "common/ui/qt_text.h"

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--dump") == 0)
        return vx::RunDump(std::vector<std::string>(argv + 2, argv + argc), std::cout, std::cerr,
                           vx::ExecutableFolder() + "/Varmonix.ini");
    std::string folder;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::puts("Varmonix Ver. 3.00");
            return 0;
        }
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::puts(
                "Usage: varmonix [FOLDER]\n"
                "       varmonix --dump [--settings INI] [--summary] FILE...\n"
                "Shows the wave files of a data-log folder; FOLDER is opened at start.");
            return 0;
        }
        if (argv[i][0] == '-' && argv[i][1] == '-') {
            std::fprintf(stderr, "varmonix: unknown option %s (try --help)\n", argv[i]);
            return 2;
        }
        folder = argv[i];
    }
    vx::VarmonixApplication app(argc, argv);
    vx::StartupOptions options;
    options.openFolder = folder;
    return vx::RunVarmonix(options);
}
