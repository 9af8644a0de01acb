#include "app/ui/render_run.h"

#include <QApplication>
#include <QTimer>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <ostream>

#include "app/ui/app_windows.h"
#include "app/ui/chart_picture.h"
#include "common/atomic_file.h"
#include "common/ui/message_box2.h"
#include "display/ui/wave_chart.h"
#include "settings/settings_file.h"
#include "wavefile/folder_scan.h"

namespace vx {
namespace {

std::string AbsolutePath(const std::string& path) {
    std::error_code ec;
    const std::filesystem::path p = std::filesystem::absolute(path, ec).lexically_normal();
    return ec ? path : p.string();
}

// Nobody is there to press OK: a message the window would show goes to
// `err`, and its box is closed as soon as it is up.
class MessagesToStream {
  public:
    explicit MessagesToStream(std::ostream& err) : err_(err) {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<TFormMessageBox2*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible()) return;
            err_ << "varmonix: " << box->MessageText().toStdString() << '\n';
            box->reject();
        });
        timer_.start(0);
    }

  private:
    std::ostream& err_;
    QTimer timer_;
};

int Render(const CommandLine& cl, const std::string& settingsPath, std::ostream& err) {
    const std::string file = AbsolutePath(cl.files.at(0));
    WeldMainOptions options;
    options.settingsPath = settingsPath;
    AppWindows windows(options);
    if (!windows.Created()) return 1;
    TFormWeldMain& main = windows.Main();
    main.setAttribute(Qt::WA_DontShowOnScreen);
    main.show();  // the window sets itself up from the settings when first shown

    const OpenTarget t = ClassifyOpenPath(file, ParseFormatCheck(main.WaveSetting.Format.Check));
    if (t.kind != OpenTarget::Kind::WaveFile) {
        err << "varmonix: " << cl.files[0] << " is not a readable wave file\n";
        return 1;
    }
    const MessagesToStream messages(err);
    main.OpenPath(file);
    if (!main.CurrentWave().loaded) {
        err << "varmonix: " << cl.files[0] << " could not be drawn\n";
        return 1;
    }
    if (cl.timeRange) main.ShowTimeRange(cl.timeRange->min, cl.timeRange->max);
    main.ChtWave->ReplotNow();
    QApplication::processEvents();

    const QSize size = cl.size ? QSize(cl.size->width, cl.size->height) : QSize();
    try {
        SaveChartPicture(main, cl.outPath, size);
    } catch (const FileWriteError& e) {
        err << "varmonix: cannot write " << e.Path() << ": " << e.Reason() << '\n';
        return 1;
    }
    return 0;
}

}  // namespace

void UseOffscreenPlatform() { setenv("QT_QPA_PLATFORM", "offscreen", 1); }

int RunRender(const CommandLine& cl, const std::string& settingsPath, std::ostream& err) {
    try {
        return Render(cl, settingsPath, err);
    } catch (const std::exception& e) {
        err << "varmonix: " << e.what() << '\n';
    } catch (...) {
        err << "varmonix: the picture could not be made\n";
    }
    return 1;
}

}  // namespace vx
