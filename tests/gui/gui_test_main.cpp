// Runs every registered widget test class on the offscreen platform.
#include <QTest>
#include <cstdio>

#include "app/ui/startup.h"
#include "common/ui/form_tools.h"
#include "gui_test.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    vx::VarmonixApplication app(argc, argv);
    vx::SetExceptionShower([](const QString& m) { vx::test::ShownErrors().push_back(m); });
    vx::SetStartFailureHooks([](const QString& m) { vx::test::StartFailures().push_back(m); },
                             [](int code) { vx::test::ExitRequests().push_back(code); });
    int failed = 0, passed = 0;
    for (const auto& make : vx::test::Registry()) {
        std::unique_ptr<QObject> t = make();
        const int r = QTest::qExec(t.get(), argc, argv);
        (r == 0 ? passed : failed) += 1;
    }
    std::printf("gui test classes: %d passed, %d failed\n", passed, failed);
    return failed ? 1 : 0;
}
