#pragma once
// Driving the display-settings dialog from the main window and writing the
// wave files the display tests look at.
#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "gui_test.h"
#include "settings/ui/weld_wave_set.h"

namespace vx::test {

// Clicks `opener` and runs `act` on the `Dialog` once it is up. Whatever
// `act` leaves open is cancelled, so a failed check inside it cannot leave the
// test waiting for the dialog. Returns false when the dialog never came up.
template <class Dialog>
bool RunDialog(QAbstractButton* opener, const std::function<void(Dialog&)>& act) {
    bool opened = false;
    auto finished = std::make_shared<bool>(false);
    OnNextModal([&](QWidget* w) {
        auto* d = qobject_cast<Dialog*>(w);
        if (!d) {
            w->close();
            return;
        }
        opened = true;
        act(*d);
        if (d->isVisible()) d->BtnCancel->click();
    });
    // Last resort: whatever modal window is still up long after is closed
    // (the dialog cancelled, an unexpected message box answered), so that a
    // fault shows as a failed check rather than a test that never ends.
    auto* watchdog = new QTimer;
    QObject::connect(watchdog, &QTimer::timeout, [watchdog, finished] {
        if (*finished) {
            watchdog->deleteLater();
            return;
        }
        watchdog->setInterval(500);
        if (QWidget* w = QApplication::activeModalWidget()) {
            qWarning("closing a modal window nobody answered: %s", qPrintable(w->objectName()));
            if (auto* d = qobject_cast<QDialog*>(w))
                d->reject();
            else
                w->close();
        }
    });
    watchdog->start(15000);
    opener->click();
    *finished = true;
    return opened;
}

// The display-settings dialog, from the main window's button.
inline bool RunDisplayDialog(TFormWeldMain& m, const std::function<void(TFormWeldWaveSet&)>& act) {
    return RunDialog<TFormWeldWaveSet>(m.BtnDisp, act);
}

// Replaces the text of an edit by typing, as a user would (the edit's
// validator sees every key).
inline void TypeInto(QLineEdit* edit, const QString& text) {
    edit->clear();
    QTest::keyClicks(edit, text);
}

// Header of a row-0 file: current, voltage and wire feed, English names.
inline QByteArray Row0File(const std::vector<std::array<double, 4>>& rows) {
    return WaveFile("Time[msec]", {"CurrentActual[A]", "VoltageActual[V]", "FeedingActual[m/min]"},
                    rows);
}

// Weld n of a test folder: 5 + n samples 10 ms apart; current 100 n + i,
// voltage n + 0.5, wire feed 2 + n. The sample count tells which file a
// series was filled from.
inline QByteArray WeldFile(int n) {
    std::vector<std::array<double, 4>> rows;
    for (int i = 0; i < 5 + n; ++i) rows.push_back({10.0 * i, 100.0 * n + i, n + 0.5, 2.0 + n});
    return Row0File(rows);
}

inline int WeldSamples(int n) { return 5 + n; }

// The file's lines without their line breaks.
inline QStringList FileLines(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    QStringList lines = QString::fromUtf8(f.readAll()).split('\n');
    for (QString& l : lines)
        if (l.endsWith('\r')) l.chop(1);
    if (!lines.isEmpty() && lines.back().isEmpty()) lines.pop_back();
    return lines;
}

}  // namespace vx::test
