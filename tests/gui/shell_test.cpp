// The application shell: start-up sequence and exit codes, captions after
// show, form clearing, resizing and the chart suspension.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include "app/ui/startup.h"
#include "app/ui/status_bar.h"
#include "common/encoding.h"
#include "common/ui/form_tools.h"
#include "common/ui/message_box2.h"
#include "common/ui/picture_box.h"
#include "common/weld_common.h"
#include "display/ui/wave_chart.h"
#include "gui_test.h"
#include "settings/ui/weld_wave_set.h"

namespace vx::test {

class ShellTest : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        ShownErrors().clear();
        StartFailures().clear();
        ExitRequests().clear();
    }

    void captionsAndStateAfterShow() {
        MainFixture f;
        TFormWeldMain& m = f.main();
        QCOMPARE(m.windowTitle(), QString("Welding wave form indication. "));
        QCOMPARE(m.GrpBoxMenu->title(), QString("menu"));
        QCOMPARE(m.BtnOpen->text(), QString("Open"));
        QCOMPARE(m.BtnDisp->text(), QString("Display Setting"));
        QCOMPARE(m.BtnExit->text(), QString("Exit"));
        const char* titles[] = {"CurrentActual", "VoltageActual", "FeedingActual"};
        const char* units[] = {"A", "V", "m/min"};
        for (int k = 0; k < 3; ++k) {
            QCOMPARE(m.TitleLabel(k)->text(), QString(titles[k]));
            QCOMPARE(m.UnitLabel(k)->text(), QString(units[k]));
        }
        for (QWidget* w : std::initializer_list<QWidget*>{m.BitBtnRewd, m.BitBtnPrev, m.BitBtnNext,
                                                          m.BitBtnFfwd, m.CmbBoxCsvFile})
            QVERIFY2(!w->isEnabled(), qPrintable(w->objectName()));
        QCOMPARE(m.CmbBoxCsvFile->count(), 0);
        QCOMPARE(m.StsBarWave->PanelText(1), QString("Ver. 3.00"));
        QCOMPARE(m.StsBarWave->PanelText(0), QString());
        QCOMPARE(LangOffset, 1000);
        // Clearing the form leaves the pictures alone.
        QCOMPARE(m.ImgLogoKORVEN->Picture().size(), QSize(145, 66));
        QCOMPARE(m.ImgLogoKORVEN->geometry(), QRect(726, 16, 145, 66));
        // Default scales drawn: current 0..600 in the first column, bottom to top.
        QCOMPARE(m.ScaleLabel(0, 0)->text(), QString("0"));
        QCOMPARE(m.ScaleLabel(0, 10)->text(), QString("600"));
        QCOMPARE(m.ScaleLabel(1, 5)->text(), QString("50"));
        QCOMPARE(m.ChtWave->BottomAxis().Maximum(), 10000.0);
        QCOMPARE(m.ChtWave->BottomAxisTitle(), QString("msec"));
        // The dialog was captioned and given the window's utility object.
        TFormWeldWaveSet* d = FormWeldWaveSet;
        QCOMPARE(d->windowTitle(), QString("Setting of wave form indication. "));
        QCOMPARE(d->PgCtrlDisp->tabText(0), QString("Settlement of the scale"));
        QCOMPARE(d->PgCtrlDisp->tabText(1), QString("Setup of a pile up"));
        QCOMPARE(d->ChkBoxMulti->text(), QString("The wave form data is piled up."));
        QCOMPARE(d->LblRange->text(), QString("-"));
        QCOMPARE(d->BtnDisp->text(), QString("OK"));
        QCOMPARE(d->BtnCancel->text(), QString("Cancel"));
        QCOMPARE(d->Common, m.Common.get());
        QCOMPARE(m.WaveSetting.Scale.Graph[2].Caption, std::string("Wire feed speed"));
        QCOMPARE(m.WaveSetting.Scale.GraphRecom[3].Caption, std::string("initial values"));
    }

    void chartSeriesAreBuiltAsDrawn() {
        MainFixture f;
        TFormWeldMain& m = f.main();
        QCOMPARE(m.ChtWave->AllSeries().size(), size_t(35));
        const QColor red(255, 0, 0), blue(0, 0, 255), green(0, 128, 0);
        const struct {
            int index;
            QColor color;
            bool right, dotted;
        } expect[] = {{0, red, false, false}, {1, blue, true, false},   {2, green, false, false},
                      {3, red, false, true},  {12, red, false, true},   {13, blue, true, true},
                      {22, blue, true, true}, {23, green, false, true}, {32, green, false, true}};
        for (const auto& e : expect) {
            ChartSeries* s = m.SeriesAt(e.index);
            QCOMPARE(s->Color(), e.color);
            QCOMPARE(s->OnRightAxis(), e.right);
            QCOMPARE(s->Dotted(), e.dotted);
        }
        QCOMPARE(m.SeriesAt(12)->Name(), QString("Series110"));
        QCOMPARE(m.SeriesAt(23)->Name(), QString("Series301"));
        const QRect plot = m.ChtWave->PlotRect();
        QCOMPARE(plot, QRect(84, 28, 533, 448));
        // The grid-line shapes sit at the inner tenths of the plot area.
        auto* shp = m.ChtWave->findChild<QFrame*>("ShpAxisHor05");
        QVERIFY(shp);
        QCOMPARE(shp->geometry(), QRect(84, 252, 533, 1));
    }

    void clearFormKeepsLabelNamedLabel() {
        QWidget form;
        auto* keep = new QLabel("kept", &form);
        keep->setObjectName("LabelKeep");
        auto* first = new QLabel("x", &form);  // short name: emptied
        first->setObjectName("Lbl");
        auto* lblTime = new QLabel("time", &form);
        lblTime->setObjectName("LblTime");
        auto* edit = new QLineEdit("text", &form);
        auto* combo = new QComboBox(&form);
        combo->addItems({"a", "b"});
        auto* check = new QCheckBox(&form);
        check->setChecked(true);
        auto* button = new QPushButton("Open", &form);
        auto* last = new QLabel("y", &form);  // last component, same rule
        last->setObjectName("Labe");
        ClearForm(&form);
        ClearForm(nullptr);
        QCOMPARE(keep->text(), QString("kept"));
        QCOMPARE(first->text(), QString());
        QCOMPARE(lblTime->text(), QString());
        QCOMPARE(last->text(), QString());
        QCOMPARE(edit->text(), QString());
        QCOMPARE(combo->count(), 0);
        QVERIFY(!check->isChecked());
        QCOMPARE(button->text(), QString("Open"));
    }

    void resizeCentresThePanel() {
        MainFixture f;
        TFormWeldMain& m = f.main();
        QCOMPARE(m.PnlBase->pos(), QPoint(0, 0));  // the first resize only clears the flag
        const QSize frame = m.frameGeometry().size() - m.size();
        m.resize(QSize(957, 700) - frame);
        QTRY_COMPARE(m.frameGeometry().size(), QSize(957, 700));
        QCOMPARE(m.PnlBase->pos(), QPoint(2, 3));
        QCOMPARE(m.StsBarWave->PanelWidth(0), m.StsBarWave->width() - 100);
        m.resize(QSize(950, 690) - frame);  // a negative difference truncates toward zero
        QTRY_COMPARE(m.PnlBase->pos(), QPoint(-1, -2));
        QCOMPARE(m.StsBarWave->PanelWidth(0), m.StsBarWave->width() - 100);
        m.showMaximized();
        QTRY_VERIFY(m.isMaximized());
        QCOMPARE(m.PnlBase->pos(), QPoint(0, 0));
        QCOMPARE(m.StsBarWave->PanelWidth(0), m.StsBarWave->width() - 100);
    }

    void panelDragsOnlyWhenMaximized() {
        MainFixture f;
        TFormWeldMain& m = f.main();
        m.resize(980, 720);
        const QPoint before = m.PnlBase->pos();
        QTest::mousePress(m.PnlBase, Qt::LeftButton, {}, QPoint(600, 5));
        QTest::mouseMove(m.PnlBase, QPoint(620, 25));
        QTest::mouseRelease(m.PnlBase, Qt::LeftButton, {}, QPoint(620, 25));
        QCOMPARE(m.PnlBase->pos(), before);
        m.showMaximized();
        QTRY_VERIFY(m.isMaximized());
        QTest::mousePress(m.PnlBase, Qt::RightButton, {}, QPoint(600, 5));
        QMouseEvent move(QEvent::MouseMove, QPointF(630, 45),
                         m.PnlBase->mapToGlobal(QPointF(630, 45)), Qt::NoButton, Qt::RightButton,
                         {});
        QApplication::sendEvent(m.PnlBase, &move);
        QCOMPARE(m.PnlBase->pos(), QPoint(30, 40));
    }

    void chartSuspendedForOneSecondAfterShow() {
        MainFixture f;
        TFormWeldMain& m = f.main();
        QVERIFY(!m.ChtWave->isEnabled());
        QVERIFY(m.TimToolTip->isActive());
        QCOMPARE(m.TimToolTip->interval(), 1000);
        QTRY_VERIFY_WITH_TIMEOUT(m.ChtWave->isEnabled(), 3000);
        QVERIFY(!m.TimToolTip->isActive());  // one shot
        m.SuspendChart();
        QVERIFY(!m.ChtWave->isEnabled());
        m.ResumeChartAfter(100);
        m.ResumeChartAfter(5000);  // the last call decides
        QCOMPARE(m.TimToolTip->interval(), 5000);
        m.TimToolTipTimer();
        QVERIFY(m.ChtWave->isEnabled());
    }

    void freeObjectsFreesOnce() {
        MainFixture f;
        TFormWeldMain& m = f.main();
        QVERIFY(m.OwnedObjectsAlive());
        m.FreeObjects();
        QVERIFY(!m.Common && !m.OwnedObjectsAlive());
        m.FreeObjects();  // nothing left to free
    }

    void messageBoxShowsTwoLines() {
        TFormMessageBox2 box;
        FormMessageBox2 = &box;
        WeldCommon common;
        common.SetLanguage(1);
        SetMessageBox2(common, 3, 957);
        QCOMPARE(box.windowTitle(), QString("Setting of wave form indication. "));
        QCOMPARE(box.MessageText(),
                 QString("Input bigger value than minimum value to the \nscale maximum value."));
        QCOMPARE(box.size(), QSize(399, 167));
        QCOMPARE(box.BtnOkMessageBox2->geometry(), QRect(132, 118, 140, 35));
        QCOMPARE(box.BtnOkMessageBox2->text(), QString("OK"));
        FormMessageBox2 = nullptr;
    }

    void normalRunEndsWithExitCodeZero() {
        StartupOptions o;
        o.fadeMs = 0;
        o.splashMs = 20;
        QTemporaryDir tmp;
        o.main.settingsPath = tmp.filePath("Varmonix.ini").toStdString();
        bool ran = false;
        o.onRunning = [&](TFormWeldMain& m) {
            ran = true;
            QVERIFY(m.isVisible());
            m.BtnExit->click();
        };
        QCOMPARE(RunVarmonix(o), 0);
        QVERIFY(ran);
        QVERIFY(!QFile::exists(tmp.filePath("Varmonix.ini")));  // nothing saved at exit
        QVERIFY(StartFailures().empty());
    }

    void splashFailureEndsWithCodeOne() {
        StartupOptions o;
        o.fadeMs = 0;
        o.failSplashCommon = true;
        bool ran = false;
        o.onRunning = [&](TFormWeldMain&) { ran = true; };
        QCOMPARE(RunVarmonix(o), 1);
        QVERIFY(!ran);
        QCOMPARE(StartFailures(), std::vector<QString>{"Failed program start.(splash)"});
        QCOMPARE(ExitRequests(), std::vector<int>{1});
    }

    void mainWindowFailureEndsWithCodeOne() {
        StartupOptions o;
        o.fadeMs = 0;
        o.splashMs = 10;
        o.failMainObjects = true;
        o.main.failOwnedObjects = true;
        bool ran = false;
        o.onRunning = [&](TFormWeldMain&) { ran = true; };
        QCOMPARE(RunVarmonix(o), 1);
        QVERIFY(!ran);
        QCOMPARE(StartFailures(), std::vector<QString>{"Failed program start.(wave)"});
    }

    void errorEscapingTheStartUpIsShownAndEndsWithCodeOne() {
        StartupOptions o;
        o.fadeMs = 0;
        o.splashMs = 10;
        o.throwAfterSplash = true;
        bool ran = false;
        o.onRunning = [&](TFormWeldMain&) { ran = true; };
        ShownErrors().clear();
        QCOMPARE(RunVarmonix(o), 1);
        QVERIFY(!ran);
        QCOMPARE(ShownErrors(), std::vector<QString>{"start-up failed"});
        QVERIFY(!FormWeldMain && !FormWeldWaveSet && !FormMessageBox2);
    }

    void aMissingCp932ConverterIsReportedOnceAtStart() {
        StartupOptions o;
        o.fadeMs = 0;
        o.splashMs = 10;
        o.cp932Missing = true;
        QTemporaryDir tmp;
        o.main.settingsPath = tmp.filePath("Varmonix.ini").toStdString();
        o.onRunning = [](TFormWeldMain& m) { m.BtnExit->click(); };
        ShownErrors().clear();
        QCOMPARE(RunVarmonix(o), 0);
        QCOMPARE(ShownErrors(), std::vector<QString>{QString::fromUtf8(kCp932MissingText)});

        o.cp932Missing = false;  // this machine has the converter: nothing is said
        ShownErrors().clear();
        QCOMPARE(RunVarmonix(o), 0);
        QVERIFY(ShownErrors().empty());
    }

    void splashClosesByItsTimer() {
        TFormWeldSplash splash(false, 50);
        QCOMPARE(TFormWeldSplash(false).TimSplash->interval(), kSplashMs);
        QCOMPARE(kSplashMs, 1500);
        QCOMPARE(kFadeInMs, 1000);
        QCOMPARE(splash.size(), QSize(782, 373));
        QCOMPARE(splash.LblTitle->text(), QString("pellandor"));
        QCOMPARE(splash.ImgSplash->geometry(), QRect(0, 50, 782, 323));
        QElapsedTimer t;
        t.start();
        splash.ShowModal();  // returns only when the timer has closed it
        QVERIFY(t.elapsed() >= 45);
        QVERIFY(!splash.isVisible());
        QVERIFY(!splash.TimSplash->isActive());
    }

    void escapedExceptionIsShownAndLoopGoesOn() {
        bool after = false;
        QTimer::singleShot(0, [] { throw std::runtime_error("boom"); });
        QTimer::singleShot(20, [&] { after = true; });
        QTRY_VERIFY(after);
        QCOMPARE(ShownErrors(), std::vector<QString>{"boom"});
    }
};

VX_GUI_TEST(ShellTest);

}  // namespace vx::test

#include "shell_test.moc"
