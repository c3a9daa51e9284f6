#include <QComboBox>
#include <QMdiSubWindow>
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

// Counts the requests to end the application instead of ending it.
struct TerminationSpy {
    int requests = 0;
    TerminationSpy() {
        platform::setTerminationHandler([this] { ++requests; });
    }
    ~TerminationSpy() { platform::setTerminationHandler({}); }
};

}  // namespace

class TestMorvelExports : public QObject {
    Q_OBJECT
private slots:
    void windowsAreNumberedByTheList();
    void openingByExtension();
    void exportsWithoutADocumentDoNothing();
    void unloadingDestroysEveryWindowInCreationOrder();
    void notConfiguredRefusesDocumentsUntilReloaded();
    void missingDictionaryIsToldAtLoadAndAtEachDocument();
    void damagedDictionaryIsToldWithItsMessage();
    void openWindowsKeepTheirDictionaryAcrossReloads();
    void exceptionOfACommandIsABoxNotACrash();
};

void TestMorvelExports::windowsAreNumberedByTheList() {
    test::LibraryFixture library;
    ShowForm(&library.host, nullptr, wsNormal);
    QWidget* first = GetActiveWnd();
    QCOMPARE(captionOf(first), QStringLiteral("Bez nazwy [0]"));
    QCOMPARE(QString::fromLatin1(morvelWindowClass(first)), QStringLiteral("TfrmData"));
    ShowForm(&library.host, nullptr, wsNormal);
    QCOMPARE(captionOf(GetActiveWnd()), QStringLiteral("Bez nazwy [1]"));
    QCOMPARE(GetMDIWndCount(), 2);
    // Closing the first leaves one in the list: the next window is numbered 1 again.
    first->parentWidget()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(GetMDIWndCount(), 1);
    ShowForm(&library.host, nullptr, wsNormal);
    QCOMPARE(captionOf(GetActiveWnd()), QStringLiteral("Bez nazwy [1]"));
    QCOMPARE(ChangeUI(), 1);
}

void TestMorvelExports::openingByExtension() {
    test::LibraryFixture library;
    for (const char* name : {"a.rpa", "b.RPA", "c.Rpa"}) {
        const QString path = library.sampleFile(3, 1, QString::fromLatin1(name));
        OpenDocument(&library.host, path.toUtf8().constData(), wsNormal);
        QCOMPARE(captionOf(GetActiveWnd()), path);
    }
    QCOMPARE(GetMDIWndCount(), 3);
    const QString text = library.sampleFile(3, 1, QStringLiteral("d.txt"));
    OpenDocument(&library.host, text.toUtf8().constData(), wsNormal);
    QCOMPARE(GetMDIWndCount(), 3);
    QCOMPARE(library.prompts.messages(), QStringList());
}

void TestMorvelExports::exportsWithoutADocumentDoNothing() {
    test::LibraryFixture library;
    QCOMPARE(GetActiveWnd(), nullptr);
    QCOMPARE(GetMDIWndCount(), 0);
    QVERIFY(!Begin());
    QVERIFY(!End());
    QVERIFY(!Prev());
    QVERIFY(!Next());
    SaveToFile();
    QCOMPARE(library.prompts.shown.size(), 0);
    // Navigation through the exports acts on the active window.
    OpenDocument(&library.host, library.sampleFile(3, 1).toUtf8().constData(), wsNormal);
    auto* window = qobject_cast<TfrmData*>(GetActiveWnd());
    QVERIFY(End());
    QCOMPARE(window->selectedNode(), window->tree().last());
    QVERIFY(!Next());
    QVERIFY(Begin());
    QCOMPARE(window->selectedNode(), window->tree().root()->child(0));
}

// Notes the caption of a window when it is destroyed.
void recordDestruction(QList<QString>& order, QWidget* w) {
    QObject::connect(w, &QObject::destroyed,
                     [&order, title = w->property("caption").toString()] { order << title; });
}

void TestMorvelExports::unloadingDestroysEveryWindowInCreationOrder() {
    QList<QString> order;
    {
        test::LibraryFixture library;
        ShowForm(&library.host, nullptr, wsNormal);
        recordDestruction(order, GetActiveWnd());
        const QString path = library.sampleFile(3, 1);
        OpenDocument(&library.host, path.toUtf8().constData(), wsNormal);
        recordDestruction(order, GetActiveWnd());
        ShowForm(&library.host, nullptr, wsNormal);
        recordDestruction(order, GetActiveWnd());
        // A changed window is destroyed without a question.
        QTest::keyClicks(qobject_cast<TfrmData*>(GetActiveWnd())->pages().wniosek->edKomentarz,
                         "x");
        QVERIFY(qobject_cast<TfrmData*>(GetActiveWnd())->isModified());
        MorvelDetach();
        QCOMPARE(order, (QList<QString>{QStringLiteral("Bez nazwy [0]"), path,
                                        QStringLiteral("Bez nazwy [2]")}));
        QCOMPARE(library.host.area->subWindowList().size(), 0);
        QCOMPARE(library.prompts.shown.size(), 0);
    }
}

const QString kNoDictionary =
    QStringLiteral("Nie można utworzyć okna dokumentu: słownik kodów nie został wczytany.\n");
const QString kChooseFolder = QStringLiteral("Otwórz „Konfiguracja” i wskaż katalog słowników.");

QString bundledDictionary() {
    return test::LibraryFixture::bundledDictionaryFolder() + QStringLiteral("/slownik.dic");
}

// Every new or opened document is refused with the reason and what to do, the program goes on,
// and the dictionary read again after the configuration serves the next document.
void expectRefusedUntilReloaded(test::LibraryFixture& library, const QString& reason,
                                const std::function<void()>& repair) {
    TerminationSpy spy;
    const qsizetype before = library.prompts.messages().size();
    ShowForm(&library.host, nullptr, wsNormal);
    OpenDocument(&library.host, library.sampleFile(3, 1).toUtf8().constData(), wsNormal);
    const QString refusal = kNoDictionary + (reason.isEmpty() ? "" : reason + "\n") + kChooseFolder;
    QCOMPARE(library.prompts.messages().mid(before), QStringList({refusal, refusal}));
    QCOMPARE(library.prompts.last().caption, QStringLiteral("Błąd"));
    QCOMPARE(library.prompts.last().icon, platform::PromptIcon::Error);
    QCOMPARE(GetMDIWndCount(), 0);

    repair();
    ReloadDictionary();
    QVERIFY(LibraryState::instance().ready());
    QVERIFY(library.newDocument());
    QCOMPARE(GetMDIWndCount(), 1);
    QCOMPARE(library.prompts.messages().size(), before + 2);
    QCOMPARE(spy.requests, 0);
}

void TestMorvelExports::notConfiguredRefusesDocumentsUntilReloaded() {
    test::LibraryFixture library(false);
    QVERIFY(!LibraryState::instance().ready());
    QCOMPARE(library.prompts.shown.size(), 0);  // silently not ready
    expectRefusedUntilReloaded(library, QString(), [&] {
        library.configure(test::LibraryFixture::bundledDictionaryFolder());
    });
}

void TestMorvelExports::missingDictionaryIsToldAtLoadAndAtEachDocument() {
    QTemporaryDir folder;
    test::LibraryFixture library(true, folder.path());
    const QString missing = QStringLiteral("Plik słownikowy ") + folder.path() +
                            QStringLiteral("/slownik.dic\nnie istnieje!");
    QCOMPARE(library.prompts.messages(), QStringList{missing});
    QCOMPARE(library.prompts.last().caption, QStringLiteral("Komunikat"));
    QCOMPARE(library.prompts.last().icon, platform::PromptIcon::Error);
    // The clerk puts the dictionary into the folder; no restart.
    expectRefusedUntilReloaded(library, missing, [&] {
        QVERIFY(QFile::copy(bundledDictionary(), folder.filePath(QStringLiteral("slownik.dic"))));
    });
}

void TestMorvelExports::damagedDictionaryIsToldWithItsMessage() {
    QTemporaryDir folder;
    QFile bundled(bundledDictionary());
    QVERIFY(bundled.open(QIODevice::ReadOnly));
    QByteArray bytes = bundled.readAll();
    // A voivodeship line with a changed letter no longer fits its checksum.
    const qsizetype at = bytes.indexOf("\nB;");
    QVERIFY(at >= 0);
    bytes[at + 3] = bytes[at + 3] == 'X' ? 'Y' : 'X';
    QFile damaged(folder.filePath(QStringLiteral("slownik.dic")));
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.write(bytes);
    damaged.close();
    test::LibraryFixture library(true, folder.path());
    const QString message = QStringLiteral("Błąd sumy kontrolnej słownika dla województw!");
    QCOMPARE(library.prompts.messages(), QStringList{message});
    QCOMPARE(library.prompts.last().caption, QStringLiteral("Błąd"));
    QVERIFY(!LibraryState::instance().ready());
    // Another folder is chosen in the configuration.
    expectRefusedUntilReloaded(library, message, [&] {
        library.configure(test::LibraryFixture::bundledDictionaryFolder());
    });
}

// A window looks into the dictionary it was made with (its pages keep lists of it). Reading
// another one, or failing to, neither frees that dictionary nor closes the window.
void TestMorvelExports::openWindowsKeepTheirDictionaryAcrossReloads() {
    TerminationSpy spy;
    QTemporaryDir copy, empty;
    QVERIFY(QFile::copy(bundledDictionary(), copy.filePath(QStringLiteral("slownik.dic"))));
    test::LibraryFixture library;
    TfrmData* first = library.newDocument();
    library.configure(copy.path());
    ReloadDictionary();
    TfrmData* second = library.newDocument();
    QVERIFY(first && second);
    library.configure(empty.path());
    ReloadDictionary();
    ShowForm(&library.host, nullptr, wsNormal);
    QCOMPARE(GetMDIWndCount(), 2);
    QCOMPARE(library.prompts.messages(),
             QStringList{kNoDictionary + QStringLiteral("Plik słownikowy ") + empty.path() +
                         QStringLiteral("/slownik.dic\nnie istnieje!\n") + kChooseFolder});

    // A foreign citizenship refills the document kinds from each window's own dictionary.
    for (TfrmData* window : {first, second}) {
        QComboBox* citizenship = window->pages().agent->cbObywatelstwoAg;
        citizenship->setCurrentIndex(citizenship->findText(QStringLiteral("NIEMIECKIE")));
        QVERIFY(citizenship->currentIndex() >= 0);
        QComboBox* kinds = window->pages().agent->cbRodzajDokAg;
        QCOMPARE(kinds->currentText(), QStringLiteral("PASZPORT"));
        QCOMPARE(kinds->findText(QStringLiteral("DOWÓD OSOBISTY")), -1);
    }
    QCOMPARE(GetMDIWndCount(), 2);
    QCOMPARE(spy.requests, 0);
}

// Nothing a command raises crosses the extern "C" boundary into the frame: it is shown in a box
// captioned "Błąd" with the error icon, and the library goes on working.
void TestMorvelExports::exceptionOfACommandIsABoxNotACrash() {
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
        {[] { throw std::runtime_error("awaria"); }, QStringLiteral("Nieoczekiwany błąd: awaria")},
        {[] { throw std::bad_alloc(); }, QStringLiteral("Brak pamięci do wykonania polecenia.")},
        {[] { throw 7; }, QStringLiteral("Nieoczekiwany błąd nieznanego rodzaju.")},
        {[] { throw Exception("Plik zniknął\nNR: \x1B[0m"); },
         QStringLiteral("Plik zniknął\nNR: \\x1B[0m")},
    };
    for (const auto& [raise, text] : cases) {
        prompts.clear();
        prompts.raise = raise;
        SaveToFiles();
        QCOMPARE(prompts.messages(), QStringList{text});
        QCOMPARE(prompts.last().caption, QStringLiteral("Błąd"));
        QCOMPARE(prompts.last().icon, platform::PromptIcon::Error);
    }
    QCOMPARE(GetMDIWndCount(), 1);
    QVERIFY(qobject_cast<TfrmData*>(GetActiveWnd()));
}

QTEST_MAIN(TestMorvelExports)
#include "test_MorvelExports.moc"
