#include "app/ui/render_run.h"

#include <QApplication>
#include <cstdlib>
#include <ostream>

#include "app/ui/app_windows.h"
#include "app/ui/chart_picture.h"
#include "app/ui/headless.h"
#include "app/ui/weld_main.h"
#include "common/atomic_file.h"
#include "common/output_status.h"
#include "display/ui/wave_chart.h"
#include "settings/settings_file.h"
#include "wavefile/folder_scan.h"

namespace vx {
namespace {

int Render(const CommandLine& cl, const std::string& settingsPath, std::ostream& err) {
    const std::string file = AbsolutePath(cl.files.at(0));
    WeldMainOptions options;
    options.settingsPath = settingsPath;
    AppWindows windows(options);
    if (!windows.Created()) return 1;
    TFormWeldMain& main = windows.Main();
    ShowOffScreen(main);

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
    return GuardedRun(err, [&] { return Render(cl, settingsPath, err); });
}

}  // namespace vx
