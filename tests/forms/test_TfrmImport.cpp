#include <QApplication>
#include <QFile>
#include <QTest>
#include <QTreeWidget>

#include "forms/LibraryState.h"
#include "forms/MorvelApi.h"
#include "forms/ProblemList.h"
#include "forms/TfrmData.h"
#include "forms/TfrmImport.h"
#include "interchange/TextExport.h"
#include "model/Cp1250.h"
#include "tests/support/qt/Clerk.h"
#include "tests/support/qt/LibraryFixture.h"
#include "tests/support/qt/MessageLog.h"

using namespace tavik;

namespace {

// A text file with the records of a sample document of `applications` applications.
QString ciaFile(test::LibraryFixture& library, const QString& name, int applications,
                std::uint32_t seed) {
    samples::SampleShape shape;
    shape.applications = applications;
    samples::SampleDocument sample(3, shape, seed);
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < sample.records().size(); ++i)
        if (sample.kinds()[i] != KIND_ZAKLAD)
            lines.push_back(exportLine(*sample.records()[i], sample.kinds()[i], {}));
    return library.writeFile(name, QByteArray::fromStdString(exportText(lines)));
}

// The texts of the items below one, or of the top items.
QStringList childTexts(const QTreeWidgetItem* parent) {
    QStringList out;
    for (int i = 0; i < parent->childCount(); ++i)
        out << parent->child(i)->text(0);
    return out;
}

}  // namespace

class TestTfrmImport : public QObject {
    Q_OBJECT
private slots:
    void twoFilesGiveTwoBranches() {
        test::LibraryFixture library;
        const QString a = ciaFile(library, "a.cia", 2, 11), b = ciaFile(library, "b.cia", 1, 12);
        TfrmImport dialog({a, b});
        QCOMPARE(dialog.windowTitle(), "Importowanie danych zewnętrznych");
        QCOMPARE(library.prompts.messages(), QStringList());
        QCOMPARE(childTexts(dialog.tvImport->invisibleRootItem()),
                 (QStringList{"Plik - " + a, "Plik - " + b}));
        QTreeWidgetItem* application = dialog.tvImport->topLevelItem(0)->child(0);
        QCOMPARE(dialog.tvImport->topLevelItem(0)->childCount(), 2);
        QCOMPARE(application->foreground(0).color(), QColor(0, 128, 0));  // an entry
        QCOMPARE(application->childCount(), 1);
        // Below the agent in file order: 3 board members, 5 employees, 2 powers, 2 policies.
        const QStringList below = childTexts(application->child(0));
        QCOMPARE(below.size(), 12);
        QCOMPARE(below.filter("Pelnomocnictwo LP - "),
                 (QStringList{"Pelnomocnictwo LP - 1", "Pelnomocnictwo LP - 2"}));
        QCOMPARE(below.filter("Polisa - ").size(), 2);
        const std::vector<ReadRecord> records = dialog.takeRecords();
        QCOMPARE(records.size(), std::size_t(3 * 14));
        // Records below an agent belong to it.
        const auto* owner = static_cast<const TRecAgenta*>(records[1].record.get());
        const auto employee = std::find_if(records.begin(), records.end(), [](const ReadRecord& r) {
            return r.kind == KIND_PRACOWNIK;
        });
        QCOMPARE(static_cast<const TRecOsoba*>(employee->record.get())->Agent, owner);
    }

    void removingAnAgentRemovesWhatIsBelowIt() {
        test::LibraryFixture library;
        TfrmImport dialog({ciaFile(library, "a.cia", 2, 11)});
        QTreeWidgetItem* file = dialog.tvImport->topLevelItem(0);
        dialog.tvImport->setCurrentItem(file->child(0)->child(0));
        dialog.Usu1Click();
        QCOMPARE(file->child(0)->childCount(), 0);
        std::vector<ReadRecord> records = dialog.takeRecords();
        QCOMPARE(records.size(), std::size_t(1 + 14));
        QCOMPARE(records[0].kind, KIND_WNIOSEK);
        QCOMPARE(records[1].kind, KIND_WNIOSEK);
        // The Delete key removes the whole file.
        TfrmImport again({ciaFile(library, "b.cia", 1, 12)});
        again.show();
        QApplication::setActiveWindow(&again);
        again.tvImport->setFocus();
        again.tvImport->setCurrentItem(again.tvImport->topLevelItem(0));
        QTest::keyClick(again.tvImport, Qt::Key_Delete);
        QCOMPARE(again.tvImport->topLevelItemCount(), 0);
        QVERIFY(again.takeRecords().empty());
    }

    void aRefusedFileIsToldAndBringsNothing() {
        test::LibraryFixture library;
        const QString good = ciaFile(library, "a.cia", 1, 11);
        TfrmImport dialog(
            {good, library.writeFile("zly.cia",
                                     "WNI;JSK;1/2026;WPIS;01.02.2026;<E>;\r\nXYZ;JSK;1;\r\n")});
        QCOMPARE(test::boxes(library.prompts),
                 QStringList{"Błąd [Error]: Wystąpił błąd w linii 2\nBłędny typ rekordu !"});
        // The file before the refused one keeps its records.
        QCOMPARE(childTexts(dialog.tvImport->invisibleRootItem()), QStringList{"Plik - " + good});
        QVERIFY(dialog.lvProblemy->isVisibleTo(&dialog));
        QCOMPARE(dialog.lvProblemy->rowTexts(),
                 QStringList{"Błąd | zly.cia | 2 | Błędny typ rekordu !"});
    }

    void everyRefusedLineAndWarningIsListedBeforeTheImport() {
        test::LibraryFixture library;
        // A file of one application whose employees' lines are spoilt in three ways.
        QFile good(ciaFile(library, "a.cia", 1, 11));
        QVERIFY(good.open(QIODevice::ReadOnly));
        QList<QByteArray> lines = good.readAll().split('\n');
        QStringList expected;
        int spoilt = 0;
        for (int i = 0; i < lines.size(); ++i) {
            if (!lines[i].startsWith("PRW;")) continue;
            QList<QByteArray> fields = lines[i].split(';');
            const int n = i + 1;
            switch (spoilt++) {
                case 0:  // an unknown tag
                    lines[i] = "XYZ;" + lines[i].mid(4);
                    expected << QStringLiteral("Błąd | b.cia | %1 | Błędny typ rekordu !").arg(n);
                    break;
                case 1:  // a PESEL whose check digit is one off
                    for (QByteArray& f : fields)
                        if (f.size() == 11 && f.toULongLong() > 0) {
                            f[10] = char('0' + (f[10] - '0' + 1) % 10);
                            expected << QStringLiteral("Ostrzeżenie | b.cia | %1 | PESEL %2 ")
                                            .arg(n)
                                            .arg(QString::fromLatin1(f));
                            break;
                        }
                    lines[i] = fields.join(';');
                    break;
                case 2:  // a record the check refuses
                    lines[i] = "PRW;" + QByteArray(";;;");
                    expected << QStringLiteral("Błąd | b.cia | %1 | ").arg(n);
                    break;
            }
        }
        TfrmImport dialog({library.writeFile("b.cia", lines.join('\n'))});
        const QStringList rows = dialog.lvProblemy->rowTexts();
        QCOMPARE(rows.size(), 3);
        for (int i = 0; i < 3; ++i)
            QVERIFY2(rows[i].startsWith(expected[i]), qPrintable(rows[i] + " / " + expected[i]));
        QCOMPARE(dialog.lblProblemy->text(),
                 "Błędy i ostrzeżenia plików (błędy: 2, ostrzeżenia: 1). Nic nie zostało jeszcze "
                 "zaimportowane.");
        // The first refusal stops the reading as before: nothing of the file is offered.
        QCOMPARE(dialog.tvImport->topLevelItemCount(), 0);

        TfrmImport clean({ciaFile(library, "c.cia", 1, 11)});
        QVERIFY(!clean.lvProblemy->isVisibleTo(&clean));
        QCOMPARE(clean.size(), QSize(560, 420));
    }

    void importThroughTheWindowWithOneAgentRemoved() {
        test::LibraryFixture library;
        test::MessageLog frame;
        const QString a = ciaFile(library, "pierwszy.plik.cia", 2, 21);
        auto* window = library.newDocument();
        library.prompts.chooseFiles({a, ciaFile(library, "drugi.cia", 1, 22)});
        QString removedAgent;
        test::inModal<TfrmImport>([&](TfrmImport& dialog) {
            QTreeWidgetItem* agent = dialog.tvImport->topLevelItem(1)->child(0)->child(0);
            removedAgent = agent->text(0);
            dialog.tvImport->setCurrentItem(agent);
            dialog.Usu1Click();
            dialog.accept();
        });
        window->ImportFile();
        const auto& asked = library.prompts.shown.first();
        QCOMPARE(asked.kind, test::ScriptedPrompts::Kind::OpenFiles);
        QVERIFY(asked.multiple);
        QCOMPARE(asked.filter, "pliki tekstowe cia (*.cia)");
        QVERIFY(!removedAgent.isEmpty());
        QCOMPARE(window->applicationCount(), 3);
        QCOMPARE(frame.last("WNIOSKI"), qMakePair(qintptr(3), qintptr(0)));
        QCOMPARE(window->selectedNode(), window->tree().root()->child(0));
        int agents = 0;
        for (const auto& application : window->tree().root()->children())
            if (TreeNode* agent = DocumentTree::agentOf(application.get())) {
                ++agents;
                QVERIFY(QString::fromStdString(cp1250::toUtf8(agent->text())) != removedAgent);
                QCOMPARE(agent->childCount(), std::size_t(4));
            }
        QCOMPARE(agents, 2);
        QCOMPARE(library.prompts.messages(), QStringList());
        QVERIFY(window->isModified());

        // Splitting the unnamed window names the files after the first imported file.
        library.prompts.chooseFolder(library.folder());
        library.prompts.answer(platform::PromptAnswer::Ok);
        window->SaveToFiles();
        // The report names the document by the imported file's title, as the parts are named.
        QCOMPARE(library.prompts.messages(),
                 QStringList{"Plik pierwszy\nzostał rozdzielony\n na pojedyncze wnioski, zapisane "
                             "w katalogu\n" +
                             library.folder()});
        QVERIFY(QFile::exists(library.folder() + "/pierwszy_1.rpa"));
        QVERIFY(QFile::exists(library.folder() + "/pierwszy_3.rpa"));
    }
};

QTEST_MAIN(TestTfrmImport)
#include "test_TfrmImport.moc"
