#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QTest>
#include <functional>
#include <new>
#include <stdexcept>

#include "forms/ApplicationPage.h"
#include "forms/LibraryState.h"
#include "forms/MorvelApi.h"
#include "forms/TfrmData.h"
#include "model/Exception.h"
#include "platform/Termination.h"
#include "tests/support/qt/LibraryFixture.h"

extern "C" {
void MorvelDetach();
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
    return w ? w->windowTitle() : QString();
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
    void notConfiguredEndsTheApplicationAtTheFirstDocument();
    void missingDictionaryIsToldOnceAndEndsTheApplication();
    void damagedDictionaryIsToldWithItsMessage();
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
    OpenDocument(&library.host, (library.folder() + QStringLiteral("/e.coa")).toUtf8().constData(),
                 wsNormal);
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
                     [&order, title = w->windowTitle()] { order << title; });
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
        QTest::keyClicks(qobject_cast<TfrmData*>(GetActiveWnd())->wniosekPage->edKomentarz, "x");
        QVERIFY(qobject_cast<TfrmData*>(GetActiveWnd())->modified());
        MorvelDetach();
        QCOMPARE(order, (QList<QString>{QStringLiteral("Bez nazwy [0]"), path,
                                        QStringLiteral("Bez nazwy [2]")}));
        QCOMPARE(library.host.area->subWindowList().size(), 0);
        QCOMPARE(library.prompts.shown.size(), 0);
    }
}

void TestMorvelExports::notConfiguredEndsTheApplicationAtTheFirstDocument() {
    TerminationSpy spy;
    test::LibraryFixture library(false);
    QVERIFY(!LibraryState::instance().ready());
    QCOMPARE(library.prompts.shown.size(), 0);  // silently not ready
    ShowForm(&library.host, nullptr, wsNormal);
    QCOMPARE(spy.requests, 1);
    OpenDocument(&library.host, "x.rpa", wsNormal);
    QCOMPARE(spy.requests, 2);
    QCOMPARE(GetMDIWndCount(), 0);
}

void TestMorvelExports::missingDictionaryIsToldOnceAndEndsTheApplication() {
    TerminationSpy spy;
    QTemporaryDir empty;
    test::LibraryFixture library(true, empty.path());
    QCOMPARE(library.prompts.messages(),
             QStringList{QStringLiteral("Plik słownikowy ") + empty.path() +
                         QStringLiteral("/slownik.dic\nnie istnieje!")});
    QCOMPARE(library.prompts.last().caption, QStringLiteral("Komunikat"));
    QCOMPARE(library.prompts.last().icon, platform::PromptIcon::Error);
    ShowForm(&library.host, nullptr, wsNormal);
    QCOMPARE(spy.requests, 1);
    QCOMPARE(library.prompts.messages().size(), 1);
}

void TestMorvelExports::damagedDictionaryIsToldWithItsMessage() {
    TerminationSpy spy;
    QTemporaryDir folder;
    QFile bundled(QString::fromUtf8(TAVIK_BUNDLED_DICTIONARY_DIR) + QStringLiteral("/slownik.dic"));
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
    QCOMPARE(library.prompts.messages(),
             QStringList{QStringLiteral("Błąd sumy kontrolnej słownika dla województw!")});
    QCOMPARE(library.prompts.last().caption, QStringLiteral("Błąd"));
    QVERIFY(!LibraryState::instance().ready());
    ShowForm(&library.host, nullptr, wsNormal);
    QCOMPARE(spy.requests, 1);
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
