#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

#include "platform/Registry.h"
#include "platform/Settings.h"
#include "platform/Termination.h"
#include "shell/TfrmMain.h"
#include "tests/support/qt/ScriptedPrompts.h"
#include "tests/support/qt/TempRegistry.h"

using namespace tavik;

class FrameWithMorvelTest : public QObject {
    Q_OBJECT

    test::TempRegistry registry_;
    test::ScriptedPrompts prompts_;

private slots:
    // The frame with the real library, through its exports, its window messages and its release,
    // after which the process must still end cleanly (it did not while the library's code was
    // unmapped under what it had left with Qt).
    void newDocumentThenClose() {
        auto key = platform::Registry().openKey(Settings::kKeyPath, true);
        QVERIFY(key->writeString("Katalog słowników", TAVIK_DICTIONARY_DIR));
        QVERIFY(key->writeString("Nazwa ZU", "TOWARZYSTWO UBEZPIECZEŃ JASKÓŁKA SPÓŁKA AKCYJNA"));
        QVERIFY(key->writeString("Kod ZU", "JSK"));
        FrameEnvironment e = FrameEnvironment::standard();
        e.libraryPath = MORVEL;
        e.showKonfig = [](QWidget*) {
            QTest::qFail("the configuration is not due", __FILE__, __LINE__);
            return false;
        };
        TfrmMain frame(e);
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));

        frame.findChild<QAction*>("NewWindow")->trigger();
        QCOMPARE(prompts_.messages(), QStringList());
        const QWidget* document = frame.documentArea()->currentSubWindow()->widget();
        QCOMPARE(morvelWindowClass(document) + (' ' + document->property("caption").toString()),
                 "TfrmData Bez nazwy [0]");
        // The new document selects its root and says so: an application can be added, the
        // records below an agent cannot; it can be saved, imported into and exported.
        const auto enabled = [&frame] {
            QString bits;
            for (const char* name : {"AddWniosek", "AddAgent", "AddZarzad", "AddPracownik",
                                     "AddPolisa", "AddPelnomoc", "SaveFile", "Import", "Export"})
                bits += frame.findChild<QAction*>(name)->isEnabled() ? '1' : '0';
            return bits;
        };
        QTRY_COMPARE(enabled(), "100000111");

        // A changed document whose question is cancelled keeps the frame open.
        QTest::keyClicks(document->findChild<QPlainTextEdit*>("edKomentarz"), "x");
        QVERIFY(!frame.close());  // unanswered: "Anuluj"
        QVERIFY(frame.library().isLoaded());
        prompts_.answer(platform::PromptAnswer::No);
        QVERIFY(frame.close());
        QVERIFY(!frame.library().isLoaded());
        QVERIFY(frame.documentArea()->subWindowList().isEmpty());
    }

    // Without its dictionary the library refuses documents and says what to do, the program
    // goes on, and the configuration accepted in the frame makes it read the dictionary again.
    void documentsWaitForTheDictionaryOfTheConfiguration() {
        prompts_.clear();
        QTemporaryDir empty;
        auto key = platform::Registry().openKey(Settings::kKeyPath, true);
        QVERIFY(key->writeString("Katalog słowników", empty.path()));
        FrameEnvironment e = FrameEnvironment::standard();
        e.libraryPath = MORVEL;
        e.showKonfig = [&key](QWidget*) {
            return key->writeString("Katalog słowników", TAVIK_DICTIONARY_DIR);
        };
        TfrmMain frame(e);
        QAction* newWindow = frame.findChild<QAction*>("NewWindow");
        newWindow->trigger();
        const QString missing = "Plik słownikowy " + empty.path() + "/slownik.dic\nnie istnieje!";
        QCOMPARE(prompts_.messages(),
                 QStringList({missing,
                              "Nie można utworzyć okna dokumentu: słownik kodów nie został "
                              "wczytany.\n" +
                                  missing + "\nOtwórz „Konfiguracja” i wskaż katalog słowników."}));
        QVERIFY(frame.documentArea()->subWindowList().isEmpty());

        frame.findChild<QAction*>("ShowKonfig")->trigger();
        newWindow->trigger();
        QCOMPARE(frame.documentArea()->subWindowList().size(), 1);
        QCOMPARE(prompts_.messages().size(), 2);
        QCOMPARE(platform::terminationRequests(), 0);
        QVERIFY(frame.close());
    }
};

QTEST_MAIN(FrameWithMorvelTest)
#include "test_FrameWithMorvel.moc"
