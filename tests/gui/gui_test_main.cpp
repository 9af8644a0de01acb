// Runs the registered widget test classes on the offscreen platform: all of
// them, or only those named by `--class NAME` (taken out before Qt Test sees
// the arguments).
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/ui/startup.h"
#include "common/ui/form_tools.h"
#include "gui_test.h"

int main(int argc, char** argv) {
    std::vector<std::string> only;
    std::vector<char*> args{argv[0]};
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--class") == 0 && i + 1 < argc)
            only.emplace_back(argv[++i]);
        else
            args.push_back(argv[i]);
    }
    argc = static_cast<int>(args.size());
    args.push_back(nullptr);
    argv = args.data();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    vx::VarmonixApplication app(argc, argv);
    vx::SetExceptionShower([](const QString& m) { vx::test::ShownErrors().push_back(m); });
    vx::SetStartFailureHooks([](const QString& m) { vx::test::StartFailures().push_back(m); },
                             [](int code) { vx::test::ExitRequests().push_back(code); });
    int failed = 0, passed = 0;
    for (const std::string& name : only) {
        const auto& r = vx::test::Registry();
        if (std::none_of(r.begin(), r.end(), [&](const auto& t) { return t.name == name; })) {
            std::fprintf(stderr, "no gui test class %s\n", name.c_str());
            return 2;
        }
    }
    for (const auto& test : vx::test::Registry()) {
        if (!only.empty() && std::find(only.begin(), only.end(), test.name) == only.end()) continue;
        std::unique_ptr<QObject> t = test.make();
        const int r = QTest::qExec(t.get(), argc, argv);
        (r == 0 ? passed : failed) += 1;
    }
    std::printf("gui test classes: %d passed, %d failed\n", passed, failed);
    return failed ? 1 : 0;
}
