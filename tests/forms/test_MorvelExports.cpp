#include <QComboBox>
#include <QPlainTextEdit>
#include <QTest>
#include <functional>
#include <new>
#include <stdexcept>

#include "forms/AgentPage.h"
#include "forms/ApplicationPage.h"
#include "forms/LibraryState.h"
#include "forms/MorvelApi.h"
#include "forms/TfrmData.h"
#include "model/Exception.h"
#include "platform/Termination.h"
#include "tests/support/qt/Clerk.h"
#include "tests/support/qt/LibraryFixture.h"

extern "C" {
void MorvelDetach();
void ReloadDictionary();
int GetMDIWndCount();
bool Begin();
bool End();
bool Prev();
bool Next();
void SaveToFile();
void SaveToFiles();
int ChangeUI();
}

using namespace tavik;

namespace {

QString captionOf(QWidget* w) {
    return w ? w->property("caption").toString() : QString();
}
void showForm(test::LibraryFixture& library) {
    ShowForm(&library.host, nullptr, wsNormal);
}

// Counts the requests to end the application instead of ending it.
struct TerminationSpy {
    int requests = 0;
    TerminationSpy() {
        platform::setTerminationHandler([this] { ++requests; });
    }
    ~TerminationSpy() { platform::setTerminationHandler({}); }
};

const QString kNoDictionary =
    "Nie można utworzyć okna dokumentu: słownik kodów nie został wczytany.\n";
const QString kChooseFolder = "Otwórz „Konfiguracja” i wskaż katalog słowników.";

QString bundledDictionary() {
    return test::LibraryFixture::bundledDictionaryFolder() + "/slownik.dic";
}
QString missingDictionary(const QString& folder) {
    return "Plik słownikowy " + folder + "/slownik.dic\nnie istnieje!";
}

// Every new or opened document is refused with the reason and what to do, the program goes on,
// and the dictionary read again after the repair (by default the bundled folder configured)
// serves the next document.
void expectRefusedUntilReloaded(test::LibraryFixture& library, const QString& reason,
                                std::function<void()> repair = {}) {
    if (!repair)
        repair = [&] { library.configure(test::LibraryFixture::bundledDictionaryFolder()); };
    TerminationSpy spy;
    const qsizetype before = library.prompts.messages().size();
    showForm(library);
    library.openDocument(library.sampleFile(3, 1));
    const QString refusal =
        "Błąd [Error]: " + kNoDictionary + (reason.isEmpty() ? "" : reason + "\n") + kChooseFolder;
    QCOMPARE(test::boxes(library.prompts).mid(before), QStringList({refusal, refusal}));
    QCOMPARE(GetMDIWndCount(), 0);

    repair();
    ReloadDictionary();
    QVERIFY(LibraryState::instance().ready());
    QVERIFY(library.newDocument());
    QCOMPARE(GetMDIWndCount(), 1);
    QCOMPARE(library.prompts.messages().size(), before + 2);
    QCOMPARE(spy.requests, 0);
}

}  // namespace

class TestMorvelExports : public QObject {
    Q_OBJECT
private slots:
    void windowsAreNumberedByTheList() {
        test::LibraryFixture library;
        showForm(library);
        QWidget* first = GetActiveWnd();
        QCOMPARE(captionOf(first), "Bez nazwy [0]");
        QCOMPARE(QString::fromLatin1(morvelWindowClass(first)), "TfrmData");
        showForm(library);
        QCOMPARE(captionOf(GetActiveWnd()), "Bez nazwy [1]");
        QCOMPARE(GetMDIWndCount(), 2);
        // Closing the first leaves one in the list: the next window is numbered 1 again.
        first->parentWidget()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(GetMDIWndCount(), 1);
        showForm(library);
        QCOMPARE(captionOf(GetActiveWnd()), "Bez nazwy [1]");
        QCOMPARE(ChangeUI(), 1);
    }

    void openingByExtension() {
        test::LibraryFixture library;
        for (const char* name : {"a.rpa", "b.RPA", "c.Rpa"}) {
            const QString path = library.sampleFile(3, 1, QString::fromLatin1(name));
            QCOMPARE(captionOf(library.openDocument(path)), path);
        }
        QCOMPARE(GetMDIWndCount(), 3);
        library.openDocument(library.sampleFile(3, 1, "d.txt"));
        QCOMPARE(GetMDIWndCount(), 3);
        QCOMPARE(library.prompts.messages(), QStringList());
    }

    void exportsWithoutADocumentDoNothing() {
        test::LibraryFixture library;
        QCOMPARE(GetActiveWnd(), nullptr);
        QCOMPARE(GetMDIWndCount(), 0);
        QVERIFY(!Begin() && !End() && !Prev() && !Next());
        SaveToFile();
        QCOMPARE(library.prompts.shown.size(), 0);
        // Navigation through the exports acts on the active window.
        TfrmData* window = library.openDocument(library.sampleFile(3, 1));
        QVERIFY(End());
        QCOMPARE(window->selectedNode(), window->tree().last());
        QVERIFY(!Next());
        QVERIFY(Begin());
        QCOMPARE(window->selectedNode(), window->tree().root()->child(0));
    }

    void unloadingDestroysEveryWindowInCreationOrder() {
        QStringList order;  // the captions of the windows as they are destroyed
        test::LibraryFixture library;
        const auto noteDestruction = [&order] {
            QObject::connect(GetActiveWnd(), &QObject::destroyed,
                             [&order, title = captionOf(GetActiveWnd())] { order << title; });
        };
        showForm(library);
        noteDestruction();
        const QString path = library.sampleFile(3, 1);
        library.openDocument(path);
        noteDestruction();
        showForm(library);
        noteDestruction();
        // A changed window is destroyed without a question.
        QTest::keyClicks(qobject_cast<TfrmData*>(GetActiveWnd())->pages().wniosek->edKomentarz,
                         "x");
        QVERIFY(qobject_cast<TfrmData*>(GetActiveWnd())->isModified());
        MorvelDetach();
        QCOMPARE(order, (QStringList{"Bez nazwy [0]", path, "Bez nazwy [2]"}));
        QCOMPARE(library.host.area->subWindowList().size(), 0);
        QCOMPARE(library.prompts.shown.size(), 0);
    }

    void notConfiguredRefusesDocumentsUntilReloaded() {
        test::LibraryFixture library(false);
        QVERIFY(!LibraryState::instance().ready());
        QCOMPARE(library.prompts.shown.size(), 0);  // silently not ready
        expectRefusedUntilReloaded(library, QString());
    }

    void missingDictionaryIsToldAtLoadAndAtEachDocument() {
        QTemporaryDir folder;
        test::LibraryFixture library(true, folder.path());
        const QString missing = missingDictionary(folder.path());
        QCOMPARE(test::boxes(library.prompts), QStringList{"Komunikat [Error]: " + missing});
        // The clerk puts the dictionary into the folder; no restart.
        expectRefusedUntilReloaded(library, missing, [&] {
            QVERIFY(QFile::copy(bundledDictionary(), folder.filePath("slownik.dic")));
        });
    }

    void damagedDictionaryIsToldWithItsMessage() {
        QTemporaryDir folder;
        QFile bundled(bundledDictionary());
        QVERIFY(bundled.open(QIODevice::ReadOnly));
        QByteArray bytes = bundled.readAll();
        // A voivodeship line with a changed letter no longer fits its checksum.
        const qsizetype at = bytes.indexOf("\nB;");
        QVERIFY(at >= 0);
        bytes[at + 3] = bytes[at + 3] == 'X' ? 'Y' : 'X';
        QFile damaged(folder.filePath("slownik.dic"));
        QVERIFY(damaged.open(QIODevice::WriteOnly) && damaged.write(bytes) == bytes.size());
        damaged.close();
        test::LibraryFixture library(true, folder.path());
        const QString message = "Błąd sumy kontrolnej słownika dla województw!";
        QCOMPARE(test::boxes(library.prompts), QStringList{"Błąd [Error]: " + message});
        QVERIFY(!LibraryState::instance().ready());
        expectRefusedUntilReloaded(library, message);  // another folder chosen
    }

    // A window looks into the dictionary it was made with (its pages keep lists of it). Reading
    // another one, or failing to, neither frees that dictionary nor closes the window.
    void openWindowsKeepTheirDictionaryAcrossReloads() {
        TerminationSpy spy;
        QTemporaryDir copy, empty;
        QVERIFY(QFile::copy(bundledDictionary(), copy.filePath("slownik.dic")));
        test::LibraryFixture library;
        TfrmData* first = library.newDocument();
        library.configure(copy.path());
        ReloadDictionary();
        TfrmData* second = library.newDocument();
        QVERIFY(first && second);
        library.configure(empty.path());
        ReloadDictionary();
        showForm(library);
        QCOMPARE(GetMDIWndCount(), 2);
        QCOMPARE(
            library.prompts.messages(),
            QStringList{kNoDictionary + missingDictionary(empty.path()) + "\n" + kChooseFolder});

        // A foreign citizenship refills the document kinds from each window's own dictionary.
        for (TfrmData* window : {first, second}) {
            QComboBox* citizenship = window->pages().agent->cbObywatelstwoAg;
            citizenship->setCurrentIndex(citizenship->findText("NIEMIECKIE"));
            QVERIFY(citizenship->currentIndex() >= 0);
            QComboBox* kinds = window->pages().agent->cbRodzajDokAg;
            QCOMPARE(kinds->currentText(), "PASZPORT");
            QCOMPARE(kinds->findText("DOWÓD OSOBISTY"), -1);
        }
        QCOMPARE(GetMDIWndCount(), 2);
        QCOMPARE(spy.requests, 0);
    }

    // Nothing a command raises crosses the extern "C" boundary into the frame: it is shown in a
    // box captioned "Błąd" with the error icon, and the library goes on working.
    void exceptionOfACommandIsABoxNotACrash() {
        test::LibraryFixture library;
        library.openDocument(library.sampleFile(3, 2));
        QVERIFY(GetActiveWnd());
        struct ThrowingPrompts : test::ScriptedPrompts {
            std::function<void()> raise;
            QString chooseFolder(QWidget*, const QString&, const QString&) override {
                raise();
                return {};
            }
        } prompts;
        const std::pair<std::function<void()>, QString> cases[] = {
            {[] { throw std::runtime_error("awaria"); }, "Nieoczekiwany błąd: awaria"},
            {[] { throw std::bad_alloc(); }, "Brak pamięci do wykonania polecenia."},
            {[] { throw 7; }, "Nieoczekiwany błąd nieznanego rodzaju."},
            {[] { throw Exception("Plik zniknął\nNR: \x1B[0m"); }, "Plik zniknął\nNR: \\x1B[0m"},
        };
        for (const auto& [raise, text] : cases) {
            prompts.clear();
            prompts.raise = raise;
            SaveToFiles();
            QCOMPARE(test::boxes(prompts), QStringList{"Błąd [Error]: " + text});
        }
        QCOMPARE(GetMDIWndCount(), 1);
        QVERIFY(qobject_cast<TfrmData*>(GetActiveWnd()));
    }
};

QTEST_MAIN(TestMorvelExports)
#include "test_MorvelExports.moc"
