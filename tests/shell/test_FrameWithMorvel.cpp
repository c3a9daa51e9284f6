// The frame with the real morvel library: the two meet through the exports, the window messages
// and the library's unloading.

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

#include "platform/Registry.h"
#include "shell/Settings.h"
#include "shell/TfrmMain.h"
#include "tests/support/qt/ScriptedPrompts.h"
#include "tests/support/qt/TempRegistry.h"

using tavik::FrameEnvironment;
using tavik::Settings;
using tavik::TfrmMain;

class FrameWithMorvelTest : public QObject {
    Q_OBJECT

private:
    tavik::test::TempRegistry registry_;
    tavik::test::ScriptedPrompts prompts_;

private slots:
    void initTestCase() {
        auto key = tavik::platform::Registry().openKey(Settings::kKeyPath, true);
        QVERIFY(key);
        QVERIFY(key->writeString(QStringLiteral("Katalog słowników"),
                                 QStringLiteral(TAVIK_DICTIONARY_DIR)));
        QVERIFY(
            key->writeString(QStringLiteral("Nazwa ZU"),
                             QStringLiteral("TOWARZYSTWO UBEZPIECZEŃ JASKÓŁKA SPÓŁKA AKCYJNA")));
        QVERIFY(key->writeString(QStringLiteral("Kod ZU"), QStringLiteral("JSK")));
    }

    // Ends with the library released; the process must then still end cleanly, which it did not
    // while the library's code was unmapped under what it had left with Qt.
    void newDocumentThenClose() {
        FrameEnvironment e = FrameEnvironment::standard();
        e.libraryPath = QStringLiteral(MORVEL);
        int konfigRuns = 0;
        e.showKonfig = [&konfigRuns](QWidget*) { ++konfigRuns; };
        TfrmMain frame(e);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));

        frame.findChild<QAction*>(QStringLiteral("NewWindow"))->trigger();
        QCOMPARE(prompts_.messages(), QStringList());
        QMdiSubWindow* window = frame.documentArea()->currentSubWindow();
        QVERIFY(window);
        QCOMPARE(tavik::morvelWindowClass(window->widget()), "TfrmData");
        QCOMPARE(window->widget()->windowTitle(), QStringLiteral("Bez nazwy [0]"));

        // The new document selects its root and says so: a new application can be added, the
        // records below an agent cannot.
        auto enabled = [&frame](const char* name) {
            return frame.findChild<QAction*>(QString::fromLatin1(name))->isEnabled();
        };
        QVERIFY(enabled("AddWniosek"));
        for (const char* name :
             {"AddAgent", "AddZarzad", "AddPracownik", "AddPolisa", "AddPelnomoc"})
            QVERIFY2(!enabled(name), name);
        QTRY_VERIFY(enabled("SaveFile"));
        QVERIFY(enabled("Import") && enabled("Export") && enabled("Close"));

        QVERIFY(frame.close());
        QVERIFY(!frame.library().isLoaded());
        QVERIFY(frame.documentArea()->subWindowList().isEmpty());
        QCOMPARE(konfigRuns, 0);
    }
};

QTEST_MAIN(FrameWithMorvelTest)
#include "test_FrameWithMorvel.moc"
