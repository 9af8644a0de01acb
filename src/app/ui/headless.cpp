#include "app/ui/headless.h"

#include <QApplication>
#include <filesystem>
#include <ostream>

#include "app/ui/weld_main.h"
#include "common/ui/message_box2.h"

namespace vx {

std::string AbsolutePath(const std::string& path) {
    std::error_code ec;
    const std::filesystem::path p = std::filesystem::absolute(path, ec).lexically_normal();
    return ec ? path : p.string();
}

MessagesToStream::MessagesToStream(std::ostream& err) : err_(err) {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        auto* box = qobject_cast<TFormMessageBox2*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) return;
        err_ << "varmonix: " << box->MessageText().toStdString() << '\n';
        box->reject();
    });
    timer_.start(0);
}

void ShowOffScreen(TFormWeldMain& main) {
    main.setAttribute(Qt::WA_DontShowOnScreen);
    main.show();
}

}  // namespace vx
