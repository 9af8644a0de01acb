#include "app/ui/startup.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QPropertyAnimation>
#include <QTimer>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <stdexcept>

#include "app/ui/app_windows.h"
#include "common/encoding.h"
#include "common/ui/form_tools.h"
#include "common/ui/message_box2.h"
#include "settings/ui/weld_wave_set.h"

namespace vx {

VarmonixApplication::VarmonixApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName("Varmonix");
    setApplicationDisplayName("Varmonix");
}

bool VarmonixApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        ShowException(QString::fromUtf8(e.what()));
    } catch (...) {
        ShowException(QStringLiteral("Unknown error"));
    }
    return false;
}

void FadeInApplicationWindow(int ms) {
    if (ms <= 0) return;
    QEventLoop loop;
    // Without a display server there is nothing to fade; the pause stays.
    if (QGuiApplication::platformName() == "offscreen" ||
        QGuiApplication::platformName() == "minimal") {
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec();
        return;
    }
    // The owner window has no visible area; the fade only paces the start.
    QWidget owner(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    owner.setObjectName("ApplicationWindow");
    owner.setAttribute(Qt::WA_TranslucentBackground);
    owner.resize(1, 1);
    owner.setWindowOpacity(0.0);
    owner.show();
    QPropertyAnimation fade(&owner, "windowOpacity");
    fade.setDuration(ms);
    fade.setStartValue(0.0);
    fade.setEndValue(1.0);
    QObject::connect(&fade, &QPropertyAnimation::finished, &loop, &QEventLoop::quit);
    fade.start();
    loop.exec();
    owner.hide();
}

int RunVarmonix(StartupOptions options) {
    QApplication::setApplicationName("Varmonix");
    std::unique_ptr<TFormWeldSplash> splash;
    std::unique_ptr<AppWindows> windows;
    try {
        splash = std::make_unique<TFormWeldSplash>(options.failSplashCommon, options.splashMs);
        if (!splash->Created()) return 1;
        FadeInApplicationWindow(options.fadeMs);
        splash->ShowModal();
        if (options.throwAfterSplash) throw std::runtime_error("start-up failed");

        windows = std::make_unique<AppWindows>(options.main);
        if (!windows->Created()) return 1;
        TFormWeldMain& main = windows->Main();
        main.show();
        if (options.cp932Missing || !Cp932Available()) {
            std::fprintf(stderr, "varmonix: %s\n", kCp932MissingText);
            ShowException(QString::fromUtf8(kCp932MissingText));
        }
        if (!options.openPath.empty()) {
            // As the folder dialog would give it: absolute, without a trailing slash.
            std::error_code ec;
            std::filesystem::path given =
                std::filesystem::absolute(options.openPath, ec).lexically_normal();
            std::string path = ec ? options.openPath : given.string();
            while (path.size() > 1 && path.back() == '/') path.pop_back();
            Guarded([&] { main.OpenPath(path); });
        }
        if (options.onRunning) {
            TFormWeldMain* m = &main;
            QTimer::singleShot(0, m, [m, f = options.onRunning] { f(*m); });
        }
        QApplication::exec();
    } catch (const std::exception& e) {
        // Only the start-up itself gets here (handlers are guarded): shown,
        // and the program ends as failed.
        ShowException(QString::fromUtf8(e.what()));
        return 1;
    }
    return 0;
}

}  // namespace vx
