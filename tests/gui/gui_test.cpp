#include "gui_test.h"

#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <array>

#include "common/ui/message_box2.h"
#include "common/ui/qt_text.h"
#include "settings/ui/weld_wave_set.h"

namespace vx::test {

std::vector<RegisteredTest>& Registry() {
    static std::vector<RegisteredTest> r;
    return r;
}

std::vector<QString>& ShownErrors() {
    static std::vector<QString> v;
    return v;
}
std::vector<QString>& StartFailures() {
    static std::vector<QString> v;
    return v;
}
std::vector<int>& ExitRequests() {
    static std::vector<int> v;
    return v;
}

void OnNextModal(std::function<void(QWidget*)> action, int timeoutMs) {
    auto* timer = new QTimer;
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    QObject::connect(timer, &QTimer::timeout, [timer, action, started, timeoutMs] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible()) {
            timer->stop();
            timer->deleteLater();
            action(modal);
        } else if (started->elapsed() > timeoutMs) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start(10);
}

void AcceptNextMessage(QString* text, QString* caption) {
    OnNextModal([text, caption](QWidget* w) {
        auto* box = qobject_cast<TFormMessageBox2*>(w);
        if (!box) return;
        if (text) *text = box->MessageText();
        if (caption) *caption = box->windowTitle();
        box->BtnOkMessageBox2->click();
    });
}

QString WriteFile(const QString& dir, const QString& name, const QByteArray& bytes) {
    const QString path = QDir(dir).filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    f.write(bytes);
    return path;
}

QByteArray WaveFile(const QString& timeName, const QStringList& names,
                    const std::vector<std::array<double, 4>>& rows, const char* sep) {
    QByteArray out =
        QByteArray::fromStdString(Utf8ToCp932((timeName + sep + names.join(sep)).toStdString()));
    out += "\r\n";
    for (const auto& r : rows) {
        out += QByteArray::number(static_cast<qint64>(r[0]));
        for (int k = 1; k < 4; ++k) {
            QByteArray v = QByteArray::number(r[k], 'g', 10);
            if (QByteArray(sep) == ";") v.replace('.', ',');
            out += sep + v;
        }
        out += "\r\n";
    }
    return out;
}

MainFixture::MainFixture(const QString& iniText) {
    if (!iniText.isEmpty()) WriteFile(tmp_.path(), "Varmonix.ini", iniText.toUtf8());
    WeldMainOptions options;
    options.settingsPath = ToNativePath(iniPath());
    options.chooser = [this](QWidget*, const QString& caption, const QString& instruction,
                             const std::string& initial) -> std::optional<std::string> {
        lastCaption = caption;
        lastInstruction = instruction;
        chooserInitials.push_back(initial);
        if (chooserAnswers.empty()) return std::nullopt;
        auto answer = chooserAnswers.front();
        chooserAnswers.pop_front();
        return answer;
    };
    windows_ = std::make_unique<AppWindows>(options);
    main().show();
    if (!QTest::qWaitForWindowExposed(&main())) qWarning("main window not exposed");
}

MainFixture::~MainFixture() = default;

QString MainFixture::makeFolder(const QString& name) const {
    QDir(tmp_.path()).mkpath(name);
    return tmp_.filePath(name);
}

void MainFixture::openFolder(const QString& folder) {
    chooserAnswers.push_back(ToNativePath(folder));
    main().BtnOpen->click();
}

}  // namespace vx::test
