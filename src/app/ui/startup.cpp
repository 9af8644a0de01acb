#include "app/ui/startup.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QPropertyAnimation>
#include <QTimer>
#include <exception>
#include <filesystem>

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
    std::unique_ptr<TFormWeldMain> main;
    std::unique_ptr<TFormWeldWaveSet> waveSet;
    std::unique_ptr<TFormMessageBox2> messageBox;
    auto clearGlobals = [] {
        FormWeldMain = nullptr;
        FormWeldWaveSet = nullptr;
        FormMessageBox2 = nullptr;
    };
    int code = 0;
    try {
        splash = std::make_unique<TFormWeldSplash>(options.failSplashCommon, options.splashMs);
        if (!splash->Created()) return 1;
        FadeInApplicationWindow(options.fadeMs);
        splash->ShowModal();

        main = std::make_unique<TFormWeldMain>(options.main);
        if (!main->Created()) return 1;
        FormWeldMain = main.get();
        waveSet = std::make_unique<TFormWeldWaveSet>();
        FormWeldWaveSet = waveSet.get();
        messageBox = std::make_unique<TFormMessageBox2>();
        FormMessageBox2 = messageBox.get();

        main->show();
        if (!options.openFolder.empty()) {
            // As the folder dialog would give it: absolute, without a trailing slash.
            std::error_code ec;
            std::filesystem::path folder =
                std::filesystem::absolute(options.openFolder, ec).lexically_normal();
            std::string path = ec ? options.openFolder : folder.string();
            while (path.size() > 1 && path.back() == '/') path.pop_back();
            Guarded([&] { main->OpenDataLogFolder(path); });
        }
        if (options.onRunning) {
            TFormWeldMain* m = main.get();
            QTimer::singleShot(0, m, [m, f = options.onRunning] { f(*m); });
        }
        QApplication::exec();
    } catch (const std::exception& e) {
        ShowException(QString::fromUtf8(e.what()));
    }
    clearGlobals();
    return code;
}

}  // namespace vx
