#include <QAction>
#include <QCheckBox>
#include <QDate>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include "platform/Registry.h"
#include "platform/Settings.h"
#include "platform/Termination.h"
#include "shell/TfrmMain.h"
#include "shell/TfrmSearchWnd.h"
#include "tests/support/qt/Clerk.h"
#include "tests/support/qt/TempRegistry.h"
#include "tools/samples/SampleDocuments.h"
#include "tools/samples/SampleResponses.h"

using namespace tavik;

class FrameWithMorvelTest : public QObject {
    Q_OBJECT

    test::TempRegistry registry_;
    test::ScriptedPrompts prompts_;

    // The bundled dictionary and the undertaking of the samples; a frame on the real library.
    static FrameEnvironment configured() {
        auto key = platform::Registry().openKey(Settings::kKeyPath, true);
        key->writeString("Katalog słowników", TAVIK_DICTIONARY_DIR);
        key->writeString("Nazwa ZU", "TOWARZYSTWO UBEZPIECZEŃ JASKÓŁKA SPÓŁKA AKCYJNA");
        key->writeString("Kod ZU", "JSK");
        FrameEnvironment e = FrameEnvironment::standard();
        e.libraryPath = MORVEL;
        e.showKonfig = [](QWidget*) {
            QTest::qFail("the configuration is not due", __FILE__, __LINE__);
            return false;
        };
        return e;
    }

    // Writes a file and opens it through the frame's "Otwórz", the frame shown.
    void openInFrame(TfrmMain& frame, const QString& path, const std::string& bytes) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromStdString(bytes));
        file.close();
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        prompts_.chooseFiles({path});
        frame.findChild<QAction*>("OpenDoc")->trigger();
    }
    // Which of the named commands of a frame are on, "1" or "0" each.
    static QString on(const TfrmMain& frame, std::initializer_list<const char*> names) {
        QString bits;
        for (const char* name : names)
            bits += frame.findChild<QAction*>(name)->isEnabled() ? '1' : '0';
        return bits;
    }
    static QWidget* activeWindow(TfrmMain& frame) {
        return frame.documentArea()->currentSubWindow()->widget();
    }
    // The class and the caption of the active document window.
    static QString active(TfrmMain& frame) {
        const QWidget* w = activeWindow(frame);
        return morvelWindowClass(w) + (' ' + w->property("caption").toString());
    }

private slots:
    void init() { prompts_.clear(); }

    // The frame with the real library, through its exports, its window messages and its release,
    // after which the process must still end cleanly (it did not while the library's code was
    // unmapped under what it had left with Qt).
    void newDocumentThenClose() {
        TfrmMain frame(configured());
        frame.show();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));

        frame.findChild<QAction*>("NewWindow")->trigger();
        QCOMPARE(prompts_.messages(), QStringList());
        QCOMPARE(active(frame), "TfrmData Bez nazwy [0]");
        // The new document selects its root and says so: an application can be added, the
        // records below an agent cannot; it can be saved, imported into and exported.
        QTRY_COMPARE(on(frame, {"AddWniosek", "AddAgent", "AddZarzad", "AddPracownik", "AddPolisa",
                                "AddPelnomoc", "SaveFile", "Import", "Export"}),
                     "100000111");

        // A changed document whose question is cancelled keeps the frame open.
        QTest::keyClicks(frame.findChild<QPlainTextEdit*>("edKomentarz"), "x");
        QVERIFY(!frame.close());  // unanswered: "Anuluj"
        QVERIFY(frame.library().isLoaded());
        prompts_.answer(platform::PromptAnswer::No);
        QVERIFY(frame.close());
        QVERIFY(!frame.library().isLoaded());
        QVERIFY(frame.documentArea()->subWindowList().isEmpty());
    }

    // The search window over an opened document: each step selects the next application in the
    // document behind it, past the last nothing, and the frame keeps where the steps stand.
    void searchSelectsInTheDocumentBehind() {
        QTemporaryDir dir;
        TfrmMain frame(configured());
        // No policies: their numbers hold the year too.
        openInFrame(frame, dir.filePath("wnioski.rpa"),
                    samples::sampleFileBytes(3, {.applications = 2, .policies = 0}, 7));
        const auto* tree = activeWindow(frame)->findChild<QTreeView*>();
        QAction* search = frame.findChild<QAction*>("Search");
        QTRY_VERIFY(search->isEnabled());

        QStringList selected;
        QList<long long> positions;
        test::inModal<TfrmSearchWnd>([&](TfrmSearchWnd& window) {
            window.edSearchStr->setText("/2026");
            for (int step = 0; step < 3; ++step) {
                QTest::keyClick(window.edSearchStr, Qt::Key_Return);
                selected << tree->currentIndex().data().toString();
                positions << frame.searchPosition();
            }
            window.Button2->click();
        });
        search->trigger();
        QCOMPARE(selected, QStringList({"1/2026", "2/2026", "2/2026"}));
        QCOMPARE(positions, QList<long long>({1, 17, 0}));
        QCOMPARE(prompts_.messages(), QStringList());
        prompts_.answer(platform::PromptAnswer::No);
        QVERIFY(frame.close());
    }

    // A response file opens in the response window: nothing of it can be saved, added to,
    // imported into or exported, but it can be searched.
    void responseWindowInTheFrame() {
        QTemporaryDir dir;
        TfrmMain frame(configured());
        const QString path = dir.filePath("ODPOWIEDZ.COA");
        openInFrame(frame, path, samples::sampleResponseText(3, {.agents = 2}, 5));
        QCOMPARE(prompts_.messages(), QStringList());
        QCOMPARE(active(frame), "TfrmOdpowiedz " + path);
        QTRY_COMPARE(on(frame, {"AddWniosek", "AddAgent", "AddZarzad", "AddPracownik", "AddPolisa",
                                "AddPelnomoc", "SaveFile", "SaveAs", "acWnioski", "Import",
                                "Export", "Close", "Search"}),
                     "0000000000011");

        const auto* tree = activeWindow(frame)->findChild<QTreeView*>();
        // The second answer, by its number in lower case; the first is selected on opening.
        const QModelIndex second = tree->model()->index(1, 0, tree->model()->index(0, 0));
        const QString number = second.data().toString().section('-', 1);
        QString found;
        test::inModal<TfrmSearchWnd>([&](TfrmSearchWnd& window) {
            window.edSearchStr->setText(number.toLower());
            window.chkAll->setChecked(true);
            window.btnSearch->click();
            found = tree->currentIndex().data().toString();
            window.Button2->click();
        });
        frame.findChild<QAction*>("Search")->trigger();
        QCOMPARE(found, second.data().toString());
        QVERIFY(frame.close());
        QVERIFY(frame.documentArea()->subWindowList().isEmpty());
    }

    // Printing the selected application: the signer is required; the page of its kind is
    // written where the frame says and shown in the preview; closing the frame removes it.
    void printingTheSelectedApplication() {
        QTemporaryDir dir;
        auto key = platform::Registry().openKey(Settings::kKeyPath, true);
        FrameEnvironment e = configured();
        e.printPagePath = dir.filePath("htmlTemplates/tmp.htm");
        e.templatesFolder = TAVIK_TEMPLATES_DIR;
        QStringList previewed;
        e.showPrintPreview = [&](QWidget*, const QString& page) {
            QFile file(page);
            QVERIFY(file.open(QIODevice::ReadOnly));
            previewed << page << QString::fromUtf8(file.readAll());
        };
        TfrmMain frame(e);
        openInFrame(frame, dir.filePath("wniosek.rpa"), samples::sampleFileBytes(3, {}, 7));
        QAction* print = frame.findChild<QAction*>("Print");
        QTRY_VERIFY(print->isEnabled());  // the application with its agent is selected

        QVERIFY(key->writeString("OsobaPodpis", "  "));
        print->trigger();
        QCOMPARE(test::boxes(prompts_),
                 QStringList{"Błąd [Error]: Brak informacji o osobie składającej wniosek"});
        QVERIFY(previewed.isEmpty());

        QVERIFY(key->writeString("OsobaPodpis", "ANNA ŻÓŁĆ"));
        QVERIFY(key->writeString("MiejsceWystawienia", "Kraków"));
        prompts_.clear();
        print->trigger();
        QCOMPARE(prompts_.messages(), QStringList());
        QCOMPARE(previewed.size(), 2);
        QCOMPARE(previewed[0], e.printPagePath);
        const QString& page = previewed[1];
        QVERIFY(page.contains("o wpis agenta") && page.contains("ANNA ŻÓŁĆ") &&
                page.contains("Kraków, " + QDate::currentDate().toString("yyyy-MM-dd")));
        QVERIFY(!page.contains("<#"));
        QVERIFY(QFile::exists(e.printPagePath));
        QVERIFY(frame.close());  // the document did not change: nothing is asked
        QVERIFY(!QFile::exists(e.printPagePath));
    }

    // Handing the file to the transfer program: asked first, the document closed by its own
    // rules, the program started with the mode's arguments; a program that cannot start is told.
    void transferOfTheActiveFile() {
        QTemporaryDir dir;
        auto key = platform::Registry().openKey(Settings::kKeyPath, true);
        FrameEnvironment e = configured();
        QList<QStringList> started;
        bool starts = true;
        e.startProgram = [&](const QString& program, const QStringList& arguments) {
            started << (QStringList{program} + arguments);
            return starts;
        };
        TfrmMain frame(e);
        const QString path = dir.filePath("wniosek 1.rpa");  // a blank in the name
        const std::string bytes = samples::sampleFileBytes(3, {}, 7);
        openInFrame(frame, path, bytes);
        QAction* senvik = frame.findChild<QAction*>("Senvik");
        QTRY_VERIFY(senvik->isEnabled());
        const auto windows = [&frame] { return frame.documentArea()->subWindowList().size(); };

        // "Nie": nothing closes, nothing starts.
        prompts_.answer(platform::PromptAnswer::No);
        senvik->trigger();
        QCOMPARE(test::boxes(prompts_),
                 QStringList{"Komunikat [Warning YesNo]: Czy wysłać bieżący plik ?"});
        QCOMPARE(windows(), 1);
        QVERIFY(started.isEmpty());

        // Each mode closes the document and starts the program with its arguments.
        const std::pair<int, QStringList> modes[] = {
            {2, {"senvik", "/transfer", "/addfile=\"" + path + "\""}},
            {0, {"senvik", "/send", "/addfile=" + path}},
            {1, {"senvik", "/receive"}}};
        for (const auto& [mode, arguments] : modes) {
            QVERIFY(key->writeInteger("Transmisja", mode));
            if (windows() == 0) openInFrame(frame, path, bytes);
            QTRY_VERIFY(senvik->isEnabled());  // the frame's update follows the new window
            prompts_.answer(platform::PromptAnswer::Yes);
            senvik->trigger();
            QTRY_COMPARE(windows(), 0);
            QCOMPARE(started.takeLast(), arguments);
        }

        // A changed document kept open at its own question sends nothing.
        openInFrame(frame, path, bytes);
        QTRY_VERIFY(senvik->isEnabled());
        QTest::keyClicks(activeWindow(frame)->findChild<QPlainTextEdit*>("edKomentarz"), "x");
        prompts_.clear();
        prompts_.answer(platform::PromptAnswer::Yes);  // send it
        senvik->trigger();                             // "Zapisac zmiany": unanswered, "Anuluj"
        QCOMPARE(windows(), 1);
        QVERIFY(started.isEmpty());

        // The program cannot be started: the clerk is told that the file did not go.
        starts = false;
        prompts_.clear();
        prompts_.answer(platform::PromptAnswer::Yes);
        prompts_.answer(platform::PromptAnswer::No);  // do not save the change
        senvik->trigger();
        QTRY_COMPARE(windows(), 0);
        QCOMPARE(test::lastBox(prompts_),
                 "Błąd [Error]: Nie można uruchomić programu senvik — plik " + path +
                     " nie został przekazany do wysłania.");
        QVERIFY(frame.close());
    }

    // Without its dictionary the library refuses documents and says what to do, the program
    // goes on, and the configuration accepted in the frame makes it read the dictionary again.
    void documentsWaitForTheDictionaryOfTheConfiguration() {
        QTemporaryDir empty;
        FrameEnvironment e = configured();
        auto key = platform::Registry().openKey(Settings::kKeyPath, true);
        QVERIFY(key->writeString("Katalog słowników", empty.path()));
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
