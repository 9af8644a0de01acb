// The main window's keys: file steps, the menu commands and the help window
// that lists every key and mouse gesture.
#include <QComboBox>
#include <QDialog>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>

#include "app/ui/weld_help.h"
#include "app/viewer_keys.h"
#include "chart_driver.h"
#include "common/text_table.h"

namespace vx::test {

class KeysTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { ShownErrors().clear(); }

    void pageKeysStepThroughTheFilesAndStopAtTheEnds() {
        MainFixture f(ZoomSettings());
        OpenWelds(f, 3);
        TFormWeldMain& m = f.main();
        QVERIFY(Activate(m));
        const struct {
            Qt::Key key;
            Qt::KeyboardModifiers mods;
            int fileNo;
        } steps[] = {
            {Qt::Key_PageUp, {}, 1},  // at the first file: nothing
            {Qt::Key_Home, Qt::ControlModifier, 1},
            {Qt::Key_PageDown, {}, 2},
            {Qt::Key_PageDown, {}, 3},
            {Qt::Key_PageDown, {}, 3},  // at the last file: nothing
            {Qt::Key_End, Qt::ControlModifier, 3},
            {Qt::Key_PageUp, {}, 2},
            {Qt::Key_Home, Qt::ControlModifier, 1},
            {Qt::Key_End, Qt::ControlModifier, 3},
        };
        for (const auto& s : steps) {
            Key(m, s.key, s.mods);
            QCOMPARE(m.CsvFileNo, s.fileNo);
            QCOMPARE(m.CmbBoxCsvFile->currentIndex(), s.fileNo - 1);
            QCOMPARE(m.CurrentWave().samples.t.front(), 1000.0 * s.fileNo);  // that weld drawn
        }
        // The keys work wherever the focus is, also in the file list.
        m.CmbBoxCsvFile->setFocus();
        Key(m, Qt::Key_PageUp);
        QCOMPARE(m.CsvFileNo, 2);
        // While the buttons are disabled (busy), the keys do nothing either.
        m.EnableMainControls(false);
        Key(m, Qt::Key_PageDown);
        Key(m, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(m.CsvFileNo, 2);
        m.EnableMainControls(true);
        m.UpdateFileButtons();
        Key(m, Qt::Key_PageDown);
        QCOMPARE(m.CsvFileNo, 3);
    }

    void aSingleFileHasNoStepKeys() {
        MainFixture f(ZoomSettings());
        OpenWelds(f, 1);
        TFormWeldMain& m = f.main();
        QVERIFY(Activate(m));
        for (Qt::Key k : {Qt::Key_PageDown, Qt::Key_PageUp}) Key(m, k);
        QCOMPARE(m.CsvFileNo, 1);
    }

    void menuKeysRunTheirCommands() {
        MainFixture f(ZoomSettings());
        TFormWeldMain& m = f.main();
        QVERIFY(Activate(m));
        // Ctrl+O: the folder chooser is asked (and cancelled here).
        Key(m, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(f.chooserInitials.size(), size_t(1));
        // Ctrl+D: the display-settings dialog.
        bool shown = false;
        OnNextModal([&](QWidget* w) {
            shown = qobject_cast<TFormWeldWaveSet*>(w) != nullptr;
            if (auto* d = qobject_cast<QDialog*>(w)) d->reject();
        });
        Key(m, Qt::Key_D, Qt::ControlModifier);
        QVERIFY(shown);
        QVERIFY(Activate(m));
        // Not while the menu buttons are disabled.
        m.EnableMainControls(false);
        Key(m, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(f.chooserInitials.size(), size_t(1));
        m.EnableMainControls(true);
        Key(m, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(f.chooserInitials.size(), size_t(2));
        // Ctrl+Q closes the window, as the exit button does.
        QVERIFY(m.isVisible());
        Key(m, Qt::Key_Q, Qt::ControlModifier);
        QVERIFY(!m.isVisible());
    }

    void everyKeyOfTheTableIsAShortcut() {
        MainFixture f;
        TFormWeldMain& m = f.main();
        QStringList bound;
        for (QShortcut* s : m.findChildren<QShortcut*>()) bound << s->key().toString();
        int keys = 0;
        for (const ViewerKey& k : ViewerKeys())
            for (const char* key : k.keys) {
                if (!key) continue;
                ++keys;
                const QKeySequence seq = QKeySequence::fromString(key, QKeySequence::PortableText);
                QVERIFY2(!seq.isEmpty(), key);
                QVERIFY2(bound.contains(seq.toString()), key);
            }
        QCOMPARE(bound.size(), keys);
    }

    void f1ListsEveryKeyAndGesture() {
        MainFixture f;
        TFormWeldMain& m = f.main();
        QVERIFY(Activate(m));
        QVERIFY(!m.HelpWindow());
        Key(m, Qt::Key_F1);
        TFormWeldHelp* help = m.HelpWindow();
        QVERIFY(help);
        QVERIFY(help->isVisible());
        QCOMPARE(help->windowTitle(), QString("Keys and mouse"));
        const auto& rows = help->Rows();
        QCOMPARE(rows.size(), ViewerKeys().size() + ViewerGestures().size());
        QCOMPARE(rows[0],
                 (std::pair<QString, QString>("+, =, Num +", "Zoom in around the centre")));
        size_t i = 0;
        for (const ViewerKey& k : ViewerKeys()) {
            QCOMPARE(rows[i].second, QString::fromUtf8(LoadStrUtf8(k.textId + kEnglish)));
            QVERIFY(rows[i].first.contains(
                QKeySequence::fromString(k.keys[0]).toString(QKeySequence::NativeText)));
            ++i;
        }
        for (const ViewerGesture& g : ViewerGestures()) {
            QCOMPARE(rows[i].first, QString::fromUtf8(LoadStrUtf8(g.nameId + kEnglish)));
            QCOMPARE(rows[i].second, QString::fromUtf8(LoadStrUtf8(g.textId + kEnglish)));
            ++i;
        }
        // Every row is on screen, with its text whole.
        for (size_t r = 1; r <= rows.size(); ++r)
            for (const QString& name : {QString("LblHelpKey%1"), QString("LblHelpText%1")}) {
                auto* l = help->findChild<QLabel*>(name.arg(r));
                QVERIFY(l && l->isVisible());
                QVERIFY(l->width() >= l->sizeHint().width());
            }
        help->BtnClose->click();
        QVERIFY(!help->isVisible());
        // The main window works on while it is open.
        Key(m, Qt::Key_F1);
        QVERIFY(help->isVisible());
        QCOMPARE(m.HelpWindow(), help);
        QVERIFY(!help->isModal());
    }
};

VX_GUI_TEST(KeysTest);

}  // namespace vx::test

#include "keys_test.moc"
