#pragma once
// Working the wave chart as a user does: mouse buttons, moves, the wheel and
// keys, delivered through the window as the platform delivers them.
#include <QApplication>
#include <QTest>
#include <QWheelEvent>
#include <cmath>

#include "display/ui/wave_chart.h"
#include "display_driver.h"
#include "gui_test.h"

namespace vx::test {

inline QWidget* PlotOf(TFormWeldMain& m) { return m.ChtWave->findChild<QWidget*>("ChtWavePlot"); }

// Pixel column of the plot (the chart's own pixels) that shows time t now.
inline int PixelOf(TFormWeldMain& m, double t) {
    const PlotMapping map = m.ChtWave->Mapping();
    return static_cast<int>(std::lround(map.left + (t - map.view.lo) / map.MsPerPixel()));
}
inline double TimeAtPixel(TFormWeldMain& m, int x) { return m.ChtWave->Mapping().TimeAt(x); }

// Chart pixels to the window's, where the platform's events arrive.
inline QPoint InWindow(TFormWeldMain& m, int x, int y = 200) {
    return PlotOf(m)->mapTo(&m, QPoint(x, y));
}

inline void Press(TFormWeldMain& m, Qt::MouseButton b, int x, Qt::KeyboardModifiers k = {}) {
    QTest::mousePress(m.windowHandle(), b, k, InWindow(m, x));
}
inline void MoveTo(TFormWeldMain& m, int x) { QTest::mouseMove(m.windowHandle(), InWindow(m, x)); }
inline void Release(TFormWeldMain& m, Qt::MouseButton b, int x, Qt::KeyboardModifiers k = {}) {
    QTest::mouseRelease(m.windowHandle(), b, k, InWindow(m, x));
}
inline void Click(TFormWeldMain& m, int x, Qt::MouseButton b = Qt::LeftButton,
                  Qt::KeyboardModifiers k = {}) {
    QTest::mouseClick(m.windowHandle(), b, k, InWindow(m, x));
}
inline void DoubleClick(TFormWeldMain& m, int x) {
    QTest::mouseDClick(m.windowHandle(), Qt::LeftButton, {}, InWindow(m, x));
}
inline void Drag(TFormWeldMain& m, Qt::MouseButton b, int from, int to,
                 Qt::KeyboardModifiers k = {}) {
    Press(m, b, from, k);
    MoveTo(m, (from + to) / 2);
    MoveTo(m, to);
    Release(m, b, to, k);
}

// `notches` wheel notches at chart pixel x: away from the user is positive.
inline void Wheel(TFormWeldMain& m, int x, int notches) {
    QWidget* plot = PlotOf(m);
    const QPointF at(x, 200);
    QWheelEvent e(at, plot->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(plot, &e);
}

// The main window active, so that its keys reach their shortcuts.
inline bool Activate(TFormWeldMain& m) {
    m.activateWindow();
    return QTest::qWaitForWindowActive(&m);
}
inline void Key(TFormWeldMain& m, Qt::Key k, Qt::KeyboardModifiers mods = {}) {
    QTest::keyClick(&m, k, mods);
}

inline TimeSpan Visible(TFormWeldMain& m) {
    return {m.ChtWave->BottomAxis().Minimum(), m.ChtWave->BottomAxis().Maximum()};
}

// The weld the zoom tests look at: 501 samples 10 ms apart from `start` ms,
// current 100 + i / 10, voltage 20 + (i mod 7), wire feed 5.
inline QByteArray ZoomWeld(double start = 0, int samples = 501) {
    std::vector<std::array<double, 4>> rows;
    for (int i = 0; i < samples; ++i)
        rows.push_back({start + 10.0 * i, 100.0 + i / 10.0, 20.0 + i % 7, 5.0});
    return Row0File(rows);
}

// Settings with the time scale 0..10000 ms.
inline QString ZoomSettings() { return "[SCALE]\r\nTIME=0,10000\r\n"; }

// Opens a folder of `count` welds (weld n starts at 1000 n ms) and lets the
// chart take the mouse, as it does a second after the open.
inline void OpenWelds(MainFixture& f, int count = 3) {
    const QString dir = f.makeFolder("log");
    for (int n = 1; n <= count; ++n)
        WriteFile(dir, QString("%1.csv").arg(n, 6, 10, QChar('0')), ZoomWeld(1000.0 * n));
    f.openFolder(dir);
    QCOMPARE(f.main().CsvFileCount, count);
    f.main().TimToolTipTimer();
    QVERIFY(f.main().ChtWave->isEnabled());
}

}  // namespace vx::test
