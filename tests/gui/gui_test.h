#pragma once
// Shared pieces of the widget tests: registration of test classes, the main
// window fixture with an injected folder chooser, answering modal windows and
// writing wave files.
#include <QApplication>
#include <QDir>
#include <QObject>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/ui/app_windows.h"
#include "app/ui/weld_main.h"

namespace vx::test {

using TestFactory = std::function<std::unique_ptr<QObject>()>;
struct RegisteredTest {
    std::string name;
    TestFactory make;
};
std::vector<RegisteredTest>& Registry();

struct Registrar {
    Registrar(std::string name, TestFactory f) {
        Registry().push_back({std::move(name), std::move(f)});
    }
};

// CMake reads these lines to make one test entry per class.
#define VX_GUI_TEST(Class) \
    static ::vx::test::Registrar registrar_##Class(#Class, [] { return std::make_unique<Class>(); })

// Messages shown by the application's error display and by failed starts.
std::vector<QString>& ShownErrors();
std::vector<QString>& StartFailures();
std::vector<int>& ExitRequests();

// Runs `action` on the next modal window that opens (message box, dialog),
// polling until one is up; gives up after `timeoutMs`.
void OnNextModal(std::function<void(QWidget*)> action, int timeoutMs = 5000);
// Presses OK on the next message box and records its text.
void AcceptNextMessage(QString* text = nullptr, QString* caption = nullptr);

// Writes `bytes` to dir/name; returns the full path.
QString WriteFile(const QString& dir, const QString& name, const QByteArray& bytes);
// A small comma wave file of layout row `row` style header and `lines` samples.
QByteArray WaveFile(const QString& timeName, const QStringList& names,
                    const std::vector<std::array<double, 4>>& rows, const char* sep = ",");

// The main window with its dialog and message box, shown, with a temporary
// settings file and a folder chooser that answers from `chooserAnswers`.
class MainFixture {
  public:
    explicit MainFixture(const QString& iniText = QString());
    ~MainFixture();

    TFormWeldMain& main() { return windows_->Main(); }
    QString iniPath() const { return tmp_.filePath("Varmonix.ini"); }
    QString tempPath(const QString& name) const { return tmp_.filePath(name); }
    QString makeFolder(const QString& name) const;
    // Opens `folder` through the open button and the injected chooser.
    void openFolder(const QString& folder);
    std::deque<std::optional<std::string>> chooserAnswers;
    std::vector<std::string> chooserInitials;
    QString lastCaption, lastInstruction;

  private:
    QTemporaryDir tmp_;
    std::unique_ptr<AppWindows> windows_;
};

}  // namespace vx::test
