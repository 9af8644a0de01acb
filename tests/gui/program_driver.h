#pragma once
// The varmonix program run as a process, the way a script on a server runs it.
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

namespace vx::test {

inline QString Varmonix() { return QStringLiteral(VX_VARMONIX_BIN); }

// Runs the program without a display and without a platform chosen for it;
// its exit status, -1 when it crashed or hung.
inline int RunProgram(const QStringList& args, QByteArray* err = nullptr) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("QT_QPA_PLATFORM");
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    p.setProcessEnvironment(env);
    p.start(Varmonix(), args);
    if (!p.waitForFinished(120000)) return -1;
    if (err) *err = p.readAllStandardError();
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

inline QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The pages of a PDF as its page objects say.
inline qsizetype PdfPages(const QByteArray& pdf) {
    return pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page ") +
           pdf.count("/Type /Page/") + pdf.count("/Type /Page>");
}

}  // namespace vx::test
