#include <QFile>
#include <QTest>

#include "document/PrintJob.h"
#include "forms/MorvelApi.h"
#include "tests/support/qt/LibraryFixture.h"

extern "C" int PrintPage(const tavik::PrintRequest* request);

using namespace tavik;

// The library's side of printing: the selected application of the active document window,
// filled and written where the frame asks; nothing from any other window or node.
class TestPrintExport : public QObject {
    Q_OBJECT

    static QByteArray read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(brak)");
    }

private slots:
    void writesThePageOfTheSelectedApplication() {
        test::LibraryFixture library;
        const QString page = library.folder() + QStringLiteral("/tmp.htm");
        const QByteArray pagePath = page.toUtf8();
        PrintRequest request{
            TAVIK_TEMPLATES_DIR, pagePath.constData(), "Kraków", "ANNA ŻÓŁĆ", "DZIAŁ",
            "2026-12-07"};
        QCOMPARE(PrintPage(&request), 0);  // no window
        QCOMPARE(PrintPage(nullptr), 0);

        TfrmData* window = library.openDocument(library.sampleFile(3, 2));
        QVERIFY(window);
        TreeNode* application = window->selectedNode();
        QCOMPARE(application->kind(), KIND_WNIOSEK);
        QCOMPARE(PrintPage(&request), 1);
        const std::string expected =
            printedApplication(TAVIK_TEMPLATES_DIR, *application,
                               PrintSettings{"Kraków", "ANNA ŻÓŁĆ", "DZIAŁ", "2026-12-07"});
        QCOMPARE(read(page), QByteArray::fromStdString(expected));

        // The agent selected is no application: nothing is written.
        QFile::remove(page);
        window->select(DocumentTree::agentOf(application));
        QCOMPARE(PrintPage(&request), 0);
        QVERIFY(!QFile::exists(page));
        QCOMPARE(library.prompts.messages(), QStringList());

        // A template that is not there is told, and nothing is written.
        window->select(application);
        const QByteArray missing = (library.folder() + QStringLiteral("/brak")).toUtf8();
        request.templatesFolder = missing.constData();
        QCOMPARE(PrintPage(&request), 0);
        QVERIFY(!QFile::exists(page));
        QCOMPARE(library.prompts.messages(),
                 QStringList{QStringLiteral("Nie można odczytać szablonu %1/wniosek o wpis.htm: "
                                            "plik nie istnieje.")
                                 .arg(QString::fromUtf8(missing))});
    }
};

QTEST_MAIN(TestPrintExport)
#include "test_PrintExport.moc"
