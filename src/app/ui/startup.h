#pragma once
// The program's start: fade-in, splash, the windows in their order, the
// message loop, and the exit code.
#include <QApplication>
#include <functional>
#include <string>

#include "app/ui/weld_main.h"
#include "app/ui/weld_splash.h"

namespace vx {

inline constexpr int kFadeInMs = 1000;

// The application object: an exception escaping an event handler is shown
// with the title "Varmonix" and the message loop goes on.
class VarmonixApplication : public QApplication {
  public:
    VarmonixApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

struct StartupOptions {
    int fadeMs = kFadeInMs;
    int splashMs = kSplashMs;
    bool failSplashCommon = false;  // stand-ins for failed creations
    bool failMainObjects = false;
    bool throwAfterSplash = false;  // stands in for an error escaping the start-up
    bool cp932Missing = false;      // stands in for a C library without the converter
    WeldMainOptions main;
    // Opened at start: a folder as if chosen in the folder dialog, a wave file
    // with its folder.
    std::string openPath;
    // Called once the main window runs; tests close it from here.
    std::function<void(TFormWeldMain&)> onRunning;
};

// Blocks for `ms` while the application's owner window fades in.
void FadeInApplicationWindow(int ms);

// Runs the whole start-up sequence and the message loop; returns the exit code.
int RunVarmonix(StartupOptions options);

}  // namespace vx
