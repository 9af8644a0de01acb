// The viewer in Japanese: LANGUAGE=ja in section VIEW of the settings file.
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

#include "analysis/ui/metrics_panel.h"
#include "common/weld_common.h"
#include "gui_test.h"
#include "settings/ui/weld_wave_set.h"

namespace vx::test {

class LanguageTest : public QObject {
    Q_OBJECT
  private slots:
    void settingsChooseJapaneseTexts() {
        MainFixture f("[VIEW]\r\nLANGUAGE=ja\r\n");
        TFormWeldMain& m = f.main();
        QCOMPARE(m.windowTitle(), QString("溶接波形表示"));
        QCOMPARE(m.BtnOpen->text(), QString("開く"));
        QCOMPARE(m.BtnDisp->text(), QString("表示設定"));
        QCOMPARE(m.BtnExit->text(), QString("終了"));
        QCOMPARE(m.PnlMetrics->Label(0)->text(), QString("アーク時間"));
        QCOMPARE(LangOffset, 0);
        QVERIFY(FormWeldWaveSet);
        QCOMPARE(FormWeldWaveSet->windowTitle(), QString("波形表示設定"));
        QCOMPARE(FormWeldWaveSet->PgCtrlDisp->tabText(0), QString("スケール設定"));

        f.openFolder(QString(VX_TEST_DATA) + "/../../examples/datalog");
        QCOMPARE(f.lastCaption, QString("フォルダの参照"));
        QCOMPARE(f.lastInstruction, QString("簡易データログのあるフォルダを選択して下さい。"));
        if (const QString dir = qEnvironmentVariable("VX_SCREENSHOT_DIR"); !dir.isEmpty()) {
            QDir().mkpath(dir);
            QTest::qWait(300);
            m.grab().save(QDir(dir).filePath("japanese.png"));
        }
    }

    void englishByDefaultAndForOtherValues() {
        for (const QString& ini : {QString(), QString("[VIEW]\r\nLANGUAGE=de\r\n")}) {
            MainFixture f(ini);
            QCOMPARE(f.main().BtnOpen->text(), QString("Open"));
            QCOMPARE(LangOffset, 1000);
        }
    }
};

VX_GUI_TEST(LanguageTest);

}  // namespace vx::test

#include "language_test.moc"
