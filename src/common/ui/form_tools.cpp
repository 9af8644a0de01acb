#include "common/ui/form_tools.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTextEdit>
#include <cstdlib>

#include "common/ui/message_box2.h"
#include "common/weld_common.h"

namespace vx {

void CenterOnScreen(QWidget* window) {
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect g = window->frameGeometry();
        g.moveCenter(screen->availableGeometry().center());
        window->move(g.topLeft());
    }
}

void ClearForm(QWidget* form) {
    if (!form) return;
    const QList<QWidget*> items = form->findChildren<QWidget*>();
    for (qsizetype i = items.size() - 1; i >= 0; --i) {
        QWidget* w = items[i];
        if (auto* e = qobject_cast<QLineEdit*>(w)) {
            // A combo box's own line edit is handled with the combo box.
            if (!qobject_cast<QComboBox*>(e->parentWidget())) e->clear();
        } else if (auto* c = qobject_cast<QComboBox*>(w)) {
            c->clear();
        } else if (auto* m = qobject_cast<QPlainTextEdit*>(w)) {
            m->clear();
        } else if (auto* t = qobject_cast<QTextEdit*>(w)) {
            t->clear();
        } else if (auto* l = qobject_cast<QListWidget*>(w)) {
            l->clear();
        } else if (auto* b = qobject_cast<QCheckBox*>(w)) {
            b->setChecked(false);
        } else if (auto* d = qobject_cast<QDateTimeEdit*>(w)) {
            d->setDateTime(QDateTime::currentDateTime());
        } else if (auto* lb = qobject_cast<QLabel*>(w)) {
            if (!lb->objectName().startsWith("Label")) lb->clear();
        }
    }
}

void SetMessageBox2(const WeldCommon& common, int captionId, int messageId) {
    if (!FormMessageBox2) return;
    FormMessageBox2->SetTexts(QString::fromStdString(common.LoadTextUtf8(captionId)),
                              QString::fromStdString(common.LoadTextUtf8(messageId)));
}

namespace {

std::function<void(const QString&)>& Shower() {
    static std::function<void(const QString&)> shower = [](const QString& message) {
        QMessageBox::critical(nullptr, QStringLiteral("Varmonix"), message);
    };
    return shower;
}

}  // namespace

void ShowException(const QString& message) { Shower()(message); }

void SetExceptionShower(std::function<void(const QString&)> shower) {
    Shower() = std::move(shower);
}

}  // namespace vx

namespace vx {
namespace {

struct StartFailureHooks {
    std::function<void(const QString&)> showError = [](const QString& text) {
        QMessageBox::critical(nullptr, QStringLiteral("Error"), text);
    };
    std::function<void(int)> exitProcess = [](int code) { std::exit(code); };
};

StartFailureHooks& Hooks() {
    static StartFailureHooks hooks;
    return hooks;
}

}  // namespace

void FailStart(const QString& text) {
    Hooks().showError(text);
    Hooks().exitProcess(1);
}

void SetStartFailureHooks(std::function<void(const QString&)> showError,
                          std::function<void(int)> exitProcess) {
    Hooks() = StartFailureHooks{};
    if (showError) Hooks().showError = std::move(showError);
    if (exitProcess) Hooks().exitProcess = std::move(exitProcess);
}

}  // namespace vx
