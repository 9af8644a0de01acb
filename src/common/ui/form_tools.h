#pragma once
// Window-side services of WeldCommon: clearing a form and preparing the message box.
#include <QString>
#include <exception>
#include <functional>

class QWidget;

namespace vx {

class WeldCommon;

// Centres a window on the primary screen.
void CenterOnScreen(QWidget* window);

// Resets the input controls and captions of a window's components, last to
// first. Labels named "Label..." keep their captions. Does nothing for null.
void ClearForm(QWidget* form);

// Sets the caption and the message of FormMessageBox2 from two text ids.
void SetMessageBox2(const WeldCommon& common, int captionId, int messageId);

// Shows an escaped error the way the application does ("Varmonix" as title).
void ShowException(const QString& message);
// The shower can be replaced (tests record the messages instead).
void SetExceptionShower(std::function<void(const QString&)> shower);

// Runs `f`, showing any exception instead of letting it escape the handler.
template <class F>
void Guarded(F&& f) {
    try {
        f();
    } catch (const std::exception& e) {
        ShowException(QString::fromUtf8(e.what()));
    } catch (...) {
        ShowException(QStringLiteral("Unknown error"));
    }
}

// Wraps a handler so that it runs Guarded; for signal connections.
template <class F>
auto GuardedSlot(F f) {
    return [f](auto&&... args) { Guarded([&] { f(std::forward<decltype(args)>(args)...); }); };
}

}  // namespace vx

namespace vx {

// A start-up failure: the standard error box with `text`, then the process
// ends with exit code 1. Both steps can be replaced in tests.
void FailStart(const QString& text);
void SetStartFailureHooks(std::function<void(const QString&)> showError,
                          std::function<void(int)> exitProcess);

}  // namespace vx
