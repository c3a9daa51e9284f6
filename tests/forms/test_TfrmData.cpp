#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>
#include <QTreeView>

#include "document/DocumentTree.h"
#include "forms/AgentPage.h"
#include "forms/ApplicationPage.h"
#include "forms/DocumentTreeModel.h"
#include "forms/MorvelApi.h"
#include "forms/PersonPage.h"
#include "forms/PolicyPage.h"
#include "forms/PowerOfAttorneyPage.h"
#include "forms/TfrmData.h"
#include "model/ApplicationFile.h"
#include "model/Cp1250.h"
#include "tests/support/qt/LibraryFixture.h"
#include "tests/support/qt/MessageLog.h"

using namespace tavik;
using platform::PromptAnswer;
using platform::PromptButtons;
using platform::PromptIcon;

namespace {

// The first node of a kind in tree order.
TreeNode* first(TfrmData& window, RecordKind kind, const TreeNode* below = nullptr) {
    TreeNode* found = nullptr;
    window.tree().forEach([&](TreeNode& n) {
        if (found || !n.hasRecord() || n.kind() != kind) return;
        if (below && DocumentTree::applicationOf(&n) != below) return;
        found = &n;
    });
    return found;
}

bool closed(QPointer<TfrmData>& window) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return window.isNull();
}

}  // namespace

class TestTfrmData : public QObject {
    Q_OBJECT
private slots:
    void newWindowShowsTheNewApplicationForm();
    void openingBuildsTheTreeAndEachNodeShowsItsPage();
    void deletionAgentHasNoCategoriesAndNoOtherTabs();
    void categoryNodesSelectTheirFirstRecordOrANewForm();
    void boardRuleWarnsAndMovesToTheBoard();
    void newCommandsFollowTheSelection();
    void navigation();
    void markingAndRestoring();
    void struckRecordMissingAfterSaveAndPresentInExport();
    void saveRefusalsAndSplit();
    void closeQuestionWithEachAnswer();
    void closeQuestionAfterAcceptOrImport();
    void shownRecordIsNeverANewForm();
    void readErrorClosesTheWindow();
    void changeTabView();
};

void TestTfrmData::newWindowShowsTheNewApplicationForm() {
    test::LibraryFixture library;
    test::MessageLog frame;
    TfrmData* window = library.newDocument();
    QVERIFY(window);
    QCOMPARE(window->caption(), QStringLiteral("Bez nazwy [0]"));
    QCOMPARE(window->currentPage(), int(PAGE_WNIOSEK));
    QVERIFY(window->newRecordMode());
    QCOMPARE(window->pages().wniosek->edNrWniosku->text(), QStringLiteral("WNIOSEK 1"));
    QCOMPARE(window->pages().wniosek->edDataWn->text(),
             QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
    QCOMPARE(window->pages().wniosek->cbRodzajWn->currentText(), QStringLiteral("WPIS"));
    QCOMPARE(window->pages().wniosek->Kod->text(), QStringLiteral("JSK"));
    QCOMPARE(window->selectedNode(), window->tree().root());
    QCOMPARE(library.prompts.messages(), QStringList());
    // A second window is numbered by the list at that time.
    TfrmData* second = library.newDocument();
    QCOMPARE(second->caption(), QStringLiteral("Bez nazwy [1]"));
}

void TestTfrmData::openingBuildsTheTreeAndEachNodeShowsItsPage() {
    test::LibraryFixture library;
    test::MessageLog frame;
    const QString path = library.sampleFile(3, 3);
    TfrmData* window = library.openDocument(path);
    QVERIFY(window);
    QCOMPARE(library.prompts.messages(), QStringList());
    QCOMPARE(window->caption(), path);
    QCOMPARE(window->applicationCount(), 3);
    QCOMPARE(frame.last(QStringLiteral("WNIOSKI")), qMakePair(qintptr(3), qintptr(0)));
    QCOMPARE(window->tree().root()->childCount(), std::size_t(3));
    QCOMPARE(window->fileVersion(), 3);

    // The first application is selected and shown.
    TreeNode* application = window->tree().root()->child(0);
    QCOMPARE(window->selectedNode(), application);
    QCOMPARE(window->currentPage(), int(PAGE_WNIOSEK));
    const auto& wniosek = static_cast<const TRecWniosek&>(*application->record());
    QCOMPARE(window->pages().wniosek->edNrWniosku->text(), test::text(wniosek.NumerWniosku));
    QCOMPARE(window->pages().wniosek->cbRodzajWn->currentText(), test::text(wniosek.TypWniosku));
    QCOMPARE(frame.last(QStringLiteral("ZMIANA WEZLA")), qMakePair(qintptr(1), qintptr(1)));
    QVERIFY(!window->newRecordMode());

    TreeNode* agent = first(*window, KIND_AGENT, application);
    window->select(agent);
    QCOMPARE(window->currentPage(), int(PAGE_AGENT));
    const auto& agentRecord = static_cast<const TRecAgenta&>(*agent->record());
    QCOMPARE(window->pages().agent->edNazwaAgenta->text(), test::text(agentRecord.NazwaAgenta));
    QCOMPARE(window->pages().agent->cbFormaPrawna->currentText(),
             test::text(agentRecord.FormaPrawna));
    QCOMPARE(window->pages().agent->lblRodzajOp->text(), test::text(wniosek.TypWniosku));
    QCOMPARE(frame.last(QStringLiteral("ZMIANA WEZLA")), qMakePair(qintptr(2), qintptr(0)));
    QCOMPARE(window->currentApplicationNode(), application);

    const struct {
        RecordKind kind;
        int page;
    } kinds[] = {{KIND_ZARZAD, PAGE_ZARZAD},
                 {KIND_PRACOWNIK, PAGE_PRACOWNIK},
                 {KIND_PELNOMOCNICTWO, PAGE_PELNOMOCNICTWO},
                 {KIND_POLISA, PAGE_POLISA}};
    for (const auto& k : kinds) {
        TreeNode* node = first(*window, k.kind, application);
        window->select(node);
        QCOMPARE(window->currentPage(), k.page);
        QCOMPARE(frame.last(QStringLiteral("ZMIANA WEZLA")),
                 qMakePair(qintptr(k.page + 1), qintptr(0)));
        QCOMPARE(window->currentApplicationNode(), application);
    }
    // The fields of each page are those of its record.
    const auto& employee =
        static_cast<const TRecOsoba&>(*first(*window, KIND_PRACOWNIK, application)->record());
    window->select(first(*window, KIND_PRACOWNIK, application));
    QCOMPARE(window->pages().pracownik->nazwisko->text(), test::text(employee.Nazwisko));
    QCOMPARE(window->pages().pracownik->pesel->text(), test::text(employee.PESEL));
    const auto& board =
        static_cast<const TRecOsoba&>(*first(*window, KIND_ZARZAD, application)->record());
    window->select(first(*window, KIND_ZARZAD, application));
    QCOMPARE(window->pages().zarzad->nazwisko->text(), test::text(board.Nazwisko));
    const auto& power = static_cast<const TRecPelnomocnictwo&>(
        *first(*window, KIND_PELNOMOCNICTWO, application)->record());
    window->select(first(*window, KIND_PELNOMOCNICTWO, application));
    QCOMPARE(window->pages().pelnomocnictwo->cbNazwaGrupyUbezpieczen->currentText(),
             test::text(power.NazwaGrupy));
    QCOMPARE(window->pages().pelnomocnictwo->cbNazwaGrupyUbezpieczen->toolTip(),
             test::text(power.NazwaGrupy));
    QCOMPARE(window->pages().pelnomocnictwo->meWazneOd->text(), test::text(power.WazneOd));
    auto& policy = static_cast<TRecPolisaOC3&>(*first(*window, KIND_POLISA, application)->record());
    window->select(first(*window, KIND_POLISA, application));
    QCOMPARE(window->pages().polisa->edPolisaID->text(), test::text(policy.ID_PolisyOC));
    QCOMPARE(window->pages().polisa->cbNazwaZakladu->currentText(),
             test::text(policy.Nazwa_zakladu));
    QCOMPARE(window->pages().polisa->chosenInsurerCode(), policy.Kod_ZU.str());
    QCOMPARE(library.prompts.messages(), QStringList());
}

void TestTfrmData::deletionAgentHasNoCategoriesAndNoOtherTabs() {
    test::LibraryFixture library;
    TfrmData* window = library.openDocument(library.sampleFile(3, 3));
    TreeNode* deletion = nullptr;
    for (const auto& app : window->tree().root()->children())
        if (static_cast<TRecWniosek*>(app->record())->RodzajWniosku == 2) deletion = app.get();
    QVERIFY(deletion);
    TreeNode* agent = DocumentTree::agentOf(deletion);
    QCOMPARE(agent->childCount(), std::size_t(0));
    window->select(agent);
    QCOMPARE(window->currentPage(), int(PAGE_AGENT));
    for (int tab = PAGE_ZARZAD; tab <= PAGE_POLISA; ++tab)
        QVERIFY(!test::part<QTabWidget>(window, "tbshMain")->isTabVisible(tab));
    // Only the name and the numbers of the agent are shown.
    QVERIFY(window->pages().agent->edNazwaAgenta->isVisibleTo(window->pages().agent));
    QVERIFY(window->pages().agent->edNrEwidencyjny->isVisibleTo(window->pages().agent));
    QVERIFY(window->pages().agent->edID_Agenta->isVisibleTo(window->pages().agent));
    QVERIFY(!window->pages().agent->edNIPAg->isVisibleTo(window->pages().agent));
    QVERIFY(!window->pages().agent->gbOsobaFizyczna->isVisibleTo(window->pages().agent));
    QCOMPARE(window->pages().agent->lblRodzajOp->text(), QStringLiteral("WYKREŚLENIE"));
    QCOMPARE(window->pages().agent->lblRodzajOp->palette().color(QPalette::WindowText),
             QColor(255, 0, 0));
    // An entry's agent brings the tabs back.
    window->select(DocumentTree::agentOf(window->tree().root()->child(0)));
    for (int tab = PAGE_ZARZAD; tab <= PAGE_POLISA; ++tab)
        QVERIFY(test::part<QTabWidget>(window, "tbshMain")->isTabVisible(tab));
}

void TestTfrmData::categoryNodesSelectTheirFirstRecordOrANewForm() {
    test::LibraryFixture library;
    test::MessageLog frame;
    samples::SampleShape shape;
    shape.policies = 0;
    TfrmData* window = library.openDocument(library.sampleFile(3, shape));
    TreeNode* agent = DocumentTree::agentOf(window->tree().root()->child(0));
    TreeNode* employees = DocumentTree::categoryOf(agent, DocumentTree::PRACOWNICY);
    window->select(employees);
    QCOMPARE(window->selectedNode(), employees->child(0));
    QCOMPARE(window->currentPage(), int(PAGE_PRACOWNIK));
    QVERIFY(!window->newRecordMode());

    // An empty category opens its page's blank form and allows only its own "new" command.
    TreeNode* policies = DocumentTree::categoryOf(agent, DocumentTree::POLISY);
    window->select(policies);
    QCOMPARE(window->selectedNode(), policies);
    QCOMPARE(window->currentPage(), int(PAGE_POLISA));
    QVERIFY(window->newRecordMode());
    QCOMPARE(window->pages().polisa->edPolisaID->text(), QString());
    QCOMPARE(frame.last(QStringLiteral("ZMIANA WEZLA")), qMakePair(qintptr(6), qintptr(0)));
    QVERIFY(test::action(window, "NewPolisa")->isEnabled());
    QVERIFY(!test::action(window, "NewWniosek")->isEnabled());
    QVERIFY(!test::action(window, "DeleteNode")->isEnabled());
}

void TestTfrmData::boardRuleWarnsAndMovesToTheBoard() {
    for (int entered : {2, 3}) {
        test::LibraryFixture library;
        test::MessageLog frame;
        samples::SampleShape shape;
        shape.boardMembers = entered;
        TfrmData* window = library.openDocument(library.sampleFile(3, shape));
        TreeNode* application = window->tree().root()->child(0);
        QCOMPARE(static_cast<TRecWniosek*>(application->record())->RodzajWniosku, 0);
        TreeNode* agent = DocumentTree::agentOf(application);
        auto& record = static_cast<TRecAgenta3&>(*agent->record());
        record.FormaPrawna = cp1250::fromUtf8OrThrow("SPÓŁKA S.A.");
        record.Liczba_czl_zarzadu = "5";
        TreeNode* employee = DocumentTree::categoryOf(agent, DocumentTree::PRACOWNICY)->child(0);
        library.prompts.clear();
        window->select(employee);
        if (entered == 3) {  // 3 of 5 is at least half
            QCOMPARE(library.prompts.messages(), QStringList());
            QCOMPARE(window->selectedNode(), employee);
            continue;
        }
        QCOMPARE(library.prompts.messages(),
                 QStringList{QStringLiteral("Należy dodac czł. zarzadu.\nLiczba wprowadzonych czł. "
                                            "zarzadu\nmusi stanowic minimum 50% względem\n"
                                            "zadeklarowanej liczby podanej w\npozycji Agenta")});
        QCOMPARE(library.prompts.last().caption, QStringLiteral("Komunikat"));
        QCOMPARE(library.prompts.last().icon, PromptIcon::Warning);
        TreeNode* board = DocumentTree::categoryOf(agent, DocumentTree::ZARZAD);
        QCOMPARE(window->selectedNode(), board->child(0));
        QCOMPARE(window->currentPage(), int(PAGE_ZARZAD));
        QVERIFY(
            frame.of(QStringLiteral("ZMIANA WEZLA")).contains(qMakePair(qintptr(3), qintptr(0))));
    }
}

void TestTfrmData::newCommandsFollowTheSelection() {
    test::LibraryFixture library;
    TfrmData* window = library.openDocument(library.sampleFile(3, 1));
    TreeNode* application = window->tree().root()->child(0);
    // The commands follow the selection (their table is the core's; here, that it is applied).
    window->select(first(*window, KIND_POLISA));
    QVERIFY(test::action(window, "NewPolisa")->isEnabled() &&
            !test::action(window, "NewWniosek")->isEnabled());
    window->NewWniosekExecute();
    QVERIFY(!test::action(window, "DeleteNode")->isEnabled() &&
            test::action(window, "NewWniosek")->isEnabled());
    QCOMPARE(window->pages().wniosek->edNrWniosku->text(), QStringLiteral("WNIOSEK 2"));
    // The agent's form follows the kind of the application in work.
    window->select(application);
    window->NewAgentExecute();
    QCOMPARE(window->currentPage(), int(PAGE_AGENT));
    QVERIFY(window->newRecordMode());
    QCOMPARE(window->pages().agent->cbFormaPrawna->currentText(), QStringLiteral("SPÓŁKA S.A."));
    QCOMPARE(window->pages().agent->cbRodzajRejestru->currentText(),
             QStringLiteral("KRAJOWY REJESTR SĄDOWY"));
    QCOMPARE(window->pages().agent->cbObywatelstwoAg->currentText(), QStringLiteral("POLSKIE"));
    QCOMPARE(window->pages().agent->cbRodzajDokAg->currentText(), QStringLiteral("DOWÓD OSOBISTY"));
    QCOMPARE(window->pages().agent->edNazwaAgenta->text(), QString());
    window->NewPracExecute();
    QCOMPARE(window->currentPage(), int(PAGE_PRACOWNIK));
    QCOMPARE(window->pages().pracownik->obywatelstwo->currentText(), QStringLiteral("POLSKIE"));
    QCOMPARE(window->pages().pracownik->numberLabel->text(), QStringLiteral("PESEL"));
    QCOMPARE(window->pages().pracownik->operation->currentIndex(), 0);
}

void TestTfrmData::navigation() {
    test::LibraryFixture library;
    TfrmData* lone = library.newDocument();
    QVERIFY(!lone->Begin());  // the root alone
    auto application = std::make_unique<TRecWniosek>();
    application->NumerWniosku = "A";
    TreeNode* only = lone->tree().addApplication(std::move(application));
    // The root and one record: End moves nowhere and selects nothing.
    QVERIFY(!lone->End());
    QCOMPARE(lone->selectedNode(), lone->tree().root());
    QVERIFY(!lone->Next());
    QVERIFY(lone->Begin());
    QCOMPARE(lone->selectedNode(), only);

    TfrmData* window = library.openDocument(library.sampleFile(3, 2));
    TreeNode* first = window->tree().root()->child(0);
    QCOMPARE(window->selectedNode(), first);
    QVERIFY(window->Next());
    QCOMPARE(window->selectedNode(), DocumentTree::agentOf(first));
    // Back to the root, which moves on to the first application.
    QVERIFY(window->Prev());
    QVERIFY(window->Prev());
    QCOMPARE(window->selectedNode(), first);
    QVERIFY(window->End());
    QCOMPARE(window->selectedNode(), window->tree().last());
    QVERIFY(!window->End());
    QVERIFY(!window->Next());
    QVERIFY(window->Begin());
    QCOMPARE(window->selectedNode(), first);
}

void TestTfrmData::markingAndRestoring() {
    test::LibraryFixture library;
    TfrmData* window = library.openDocument(library.sampleFile(3, 1));
    TreeNode* employee = first(*window, KIND_PRACOWNIK);
    window->select(employee);
    test::action(window, "DeleteNode")->trigger();  // unanswered: "No"
    QVERIFY(!employee->struck());
    QCOMPARE(library.prompts.last().text,
             QStringLiteral("Czy zaznaczyć wybrany element do usunięcia?\nSkreślone elementy nie "
                            "zostaną zapisane do pliku"));
    QCOMPARE(library.prompts.last().caption, QStringLiteral("Ostrzeżenie"));
    QCOMPARE(library.prompts.last().buttons, PromptButtons::YesNo);
    QCOMPARE(library.prompts.last().icon, PromptIcon::Warning);
    library.prompts.answer(PromptAnswer::Yes);
    test::action(window, "DeleteNode")->trigger();
    QVERIFY(employee->struck());
    QVERIFY(window->model()
                .data(window->model().indexOf(employee), Qt::FontRole)
                .value<QFont>()
                .strikeOut());
    library.prompts.answer(PromptAnswer::Yes);
    test::action(window, "DeleteNode")->trigger();
    QCOMPARE(library.prompts.last().text, QStringLiteral("Czy przywrócić usunięty element?"));
    QCOMPARE(library.prompts.last().caption, QStringLiteral("Informacja"));
    QVERIFY(!employee->struck());

    // The agent takes its application and everything below it; a record below a struck agent
    // cannot be restored alone.
    TreeNode* agent = first(*window, KIND_AGENT);
    window->select(agent);
    library.prompts.answer(PromptAnswer::Yes);
    test::action(window, "DeleteNode")->trigger();
    QVERIFY(agent->struck());
    QVERIFY(agent->parent()->struck());
    QVERIFY(employee->struck());
    window->select(employee);
    library.prompts.answer(PromptAnswer::Yes);
    test::action(window, "DeleteNode")->trigger();
    QCOMPARE(library.prompts.last().text,
             QStringLiteral("Nie można przywrócić usuniętego elementu!"));
    QCOMPARE(library.prompts.last().caption, QStringLiteral("Komunikat"));
    QCOMPARE(library.prompts.last().icon, PromptIcon::Error);
    QVERIFY(employee->struck());
    // Nothing happens on the root.
    const int boxes = library.prompts.shown.size();
    window->NewWniosekExecute();
    test::action(window, "DeleteNode")->trigger();
    QCOMPARE(library.prompts.shown.size(), boxes);
}

void TestTfrmData::struckRecordMissingAfterSaveAndPresentInExport() {
    test::LibraryFixture library;
    TfrmData* window = library.openDocument(library.sampleFile(3, 1));
    TreeNode* employee = first(*window, KIND_PRACOWNIK);
    const std::string surname = static_cast<TRecOsoba*>(employee->record())->Nazwisko.str();
    const std::string number = static_cast<TRecOsoba*>(employee->record())->PESEL.str();
    window->select(employee);
    library.prompts.answer(PromptAnswer::Yes);
    test::action(window, "DeleteNode")->trigger();
    QVERIFY(employee->struck());

    const QString saved = library.folder() + QStringLiteral("/zapisany.rpa");
    library.prompts.clear();
    library.prompts.chooseSaveName(saved);
    window->SaveToFile(true);
    QCOMPARE(library.prompts.messages(), QStringList{});
    QCOMPARE(window->caption(), saved);
    QVERIFY(!window->isModified());
    const auto document = readApplicationFile(saved.toStdString(), samples::sampleUndertaking());
    int employees = 0;
    for (const _RecData* entry : document->PobierzListe())
        if (entry->kind == KIND_PRACOWNIK) {
            ++employees;
            QVERIFY(static_cast<TRecOsoba*>(entry->record)->PESEL.str() != number);
        }
    QCOMPARE(employees, 4);

    const QString exported = library.folder() + QStringLiteral("/eksport.cia");
    library.prompts.chooseSaveName(exported);
    window->ExportFile();
    QCOMPARE(library.prompts.last().caption, QStringLiteral("Eksport pliku CIA"));
    QCOMPARE(library.prompts.last().directory, library.folder());
    QFile file(exported);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    QVERIFY(text.contains(QByteArray::fromStdString(number)));
    QVERIFY(text.contains(QByteArray::fromStdString(surname)));
    QCOMPARE(text.count("\r\n"), 1 + 1 + 3 + 5 + 2 + 2);
}

void TestTfrmData::saveRefusalsAndSplit() {
    test::LibraryFixture library;
    samples::SampleShape shape;
    shape.applications = 2;
    const QString path = library.sampleFile(3, shape, QStringLiteral("dwa.rpa"));
    QFile original(path);
    original.open(QIODevice::ReadOnly);
    const QByteArray before = original.readAll();
    TfrmData* window = library.openDocument(path);
    window->SaveToFile(false);
    QCOMPARE(
        library.prompts.messages(),
        QStringList{QStringLiteral("W pliku znajdować się może tylko JEDEN WNIOSEK\naby zapisać "
                                   "zmiany należy plik wyeksportować\ndo pliku CIA")});
    QCOMPARE(library.prompts.last().caption, QStringLiteral("Informacja"));
    QCOMPARE(library.prompts.last().icon, PromptIcon::Information);
    QFile unchanged(path);
    unchanged.open(QIODevice::ReadOnly);
    QCOMPARE(unchanged.readAll(), before);

    const QString folder = library.folder() + QStringLiteral("/podzial");
    QDir().mkpath(folder);
    library.prompts.clear();
    library.prompts.chooseFolder(folder);
    window->SaveToFiles();
    QCOMPARE(library.prompts.shown.first().text,
             QStringLiteral("Wybierz katalog dla rozdzielenia pliku..."));
    // The report names the document split, not the base name of the parts (no such file).
    QCOMPARE(library.prompts.messages(),
             QStringList{QStringLiteral("Plik ") + path +
                         QStringLiteral("\nzostał rozdzielony\n na pojedyncze wnioski, "
                                        "zapisane w katalogu\n") +
                         folder});
    QCOMPARE(QDir(folder).entryList(QDir::Files), (QStringList{"dwa_1.rpa", "dwa_2.rpa"}));
    for (int part = 0; part < 2; ++part) {
        const auto document = readApplicationFile(
            (folder + QStringLiteral("/dwa_%1.rpa").arg(part + 1)).toStdString(),
            samples::sampleUndertaking());
        QCOMPARE(document->GetRecordCountWn(), 1);
        const auto* application =
            static_cast<TRecWniosek*>((*std::next(document->PobierzListe().begin()))->record);
        QCOMPARE(application->NumerWniosku.str(),
                 static_cast<TRecWniosek*>(window->tree().root()->child(part)->record())
                     ->NumerWniosku.str());
    }

    // A document of a version-1 file is not saved.
    TfrmData* old = library.openDocument(library.sampleFile(1, 1));
    library.prompts.clear();
    old->SaveToFile(false);
    QCOMPARE(library.prompts.messages(),
             QStringList{QStringLiteral("Aktualny plik zapisany jest w wersji 1.0,\naby plik mógł "
                                        "zostać zapisany w wersji 3.0\nnależy uzupełnić informacje "
                                        "o członkach zarządu")});
    QCOMPARE(library.prompts.last().icon, PromptIcon::Warning);
    QVERIFY(!test::part<QTabWidget>(old, "tbshMain")->isTabVisible(PAGE_ZARZAD));
}

void TestTfrmData::closeQuestionWithEachAnswer() {
    test::LibraryFixture library;
    const QString path = library.sampleFile(3, 1);
    QPointer<TfrmData> window = library.openDocument(path);
    QVERIFY(!window->isModified());
    QTest::keyClicks(window->pages().wniosek->edKomentarz, "x");
    QVERIFY(window->isModified());

    window->parentWidget()->close();  // Cancel: unanswered
    QVERIFY(!closed(window));
    QCOMPARE(library.prompts.last().text, QStringLiteral("Zapisac zmiany w pliku ?\n") + path);
    QCOMPARE(library.prompts.last().caption, QStringLiteral("Informacja"));
    QCOMPARE(library.prompts.last().buttons, PromptButtons::YesNoCancel);
    QCOMPARE(library.prompts.last().icon, PromptIcon::Warning);

    library.prompts.answer(PromptAnswer::Yes);  // saved under its name, then closed
    QFile::remove(path);
    window->parentWidget()->close();
    QVERIFY(closed(window));
    QVERIFY(QFile::exists(path));

    window = library.openDocument(path);
    QTest::keyClicks(window->pages().wniosek->edKomentarz, "x");
    library.prompts.answer(PromptAnswer::No);
    window->parentWidget()->close();
    QVERIFY(closed(window));

    // "Yes" with a save that is refused keeps the window and its changes.
    window = library.newDocument();
    QTest::keyClicks(window->pages().wniosek->edKomentarz, "x");
    library.prompts.clear();
    library.prompts.answer(PromptAnswer::Yes);
    window->parentWidget()->close();
    QVERIFY(!closed(window));
    QVERIFY(window->isModified());
    QCOMPARE(library.prompts.messages(),
             (QStringList{QStringLiteral("Zapisac zmiany w pliku ?\nBez nazwy [0]"),
                          QStringLiteral("Błędna struktura pliku!"),
                          QStringLiteral("Nie można zapisać struktury do pliku!")}));
    QCOMPARE(library.prompts.shown[1].caption,
             QStringLiteral("Komunikat - błąd podczas weryfikacji pliku"));
    // "Yes" with a cancelled save dialog keeps it too.
    auto application = std::make_unique<TRecWniosek>(
        *static_cast<TRecWniosek*>(library.openDocument(path)->tree().root()->child(0)->record()));
    window->tree().addApplication(std::move(application));
    library.host.area->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(window->parentWidget()));
    library.prompts.clear();
    library.prompts.answer(PromptAnswer::Yes);
    window->parentWidget()->close();
    QVERIFY(!closed(window));
    QCOMPARE(library.prompts.shown.last().kind, test::ScriptedPrompts::Kind::SaveFile);
}

void TestTfrmData::closeQuestionAfterAcceptOrImport() {
    test::LibraryFixture library;
    const QString path = library.sampleFile(3, 1);
    // A new application accepted as its blank form stands: the page is clean again, the
    // document is not.
    QPointer<TfrmData> window = library.newDocument();
    QVERIFY(test::action(window, "AddWniosek")->isEnabled());
    QVERIFY(!window->isModified());
    test::action(window, "AddWniosek")->trigger();
    QCOMPARE(window->tree().applicationCount(), 1);
    QVERIFY(!window->pageEdited());
    QVERIFY(window->isModified());
    QVERIFY(window->isWindowModified());
    QCOMPARE(window->windowTitle(), QStringLiteral("Bez nazwy [0][*]"));
    library.prompts.clear();
    library.prompts.answer(PromptAnswer::No);
    window->parentWidget()->close();
    QCOMPARE(library.prompts.messages(),
             QStringList{QStringLiteral("Zapisac zmiany w pliku ?\nBez nazwy [0]")});
    QVERIFY(closed(window));

    // Records imported into an opened file, then a click on a node.
    window = library.openDocument(path);
    QVERIFY(!window->isWindowModified());
    auto read = readApplicationFile(path.toStdString(), samples::sampleUndertaking());
    window->importRecords(read->TakeRecords());
    window->select(window->tree().root()->child(1));
    QVERIFY(window->isModified());
    library.prompts.clear();
    window->parentWidget()->close();  // Cancel
    QCOMPARE(library.prompts.messages(),
             QStringList{QStringLiteral("Zapisac zmiany w pliku ?\n") + path});
    QVERIFY(!closed(window));
    // A strike-out and its removal are changes; saving clears them.
    window = library.openDocument(path);
    test::action(window, "DeleteNode")->setEnabled(true);
    window->select(window->tree().root()->child(0));
    library.prompts.answer(PromptAnswer::Yes);
    test::action(window, "DeleteNode")->trigger();
    QVERIFY(window->isWindowModified());
    library.prompts.answer(PromptAnswer::Yes);
    test::action(window, "DeleteNode")->trigger();
    window->SaveToFile(false);
    QVERIFY(!window->isWindowModified());
}

void TestTfrmData::shownRecordIsNeverANewForm() {
    test::LibraryFixture library;
    TfrmData* window = library.openDocument(library.sampleFile(3, 1));
    TreeNode* employee = first(*window, KIND_PRACOWNIK);
    TreeNode* employees = employee->parent();
    static_cast<TRecOsoba*>(employee->record())->Nazwisko = "<E>";
    const std::size_t count = employees->childCount();
    window->NewPracExecute();
    QVERIFY(window->newRecordMode());
    library.prompts.clear();
    window->select(employee);  // its check fails, it is shown all the same
    QCOMPARE(library.prompts.messages().size(), 1);
    QVERIFY(!window->newRecordMode());
    window->pages().pracownik->nazwisko->setText(QStringLiteral("NOWAK"));
    test::action(window, "AddPracownik")->trigger();
    QCOMPARE(employees->childCount(), count);
    QCOMPARE(test::text(static_cast<TRecOsoba*>(employee->record())->Nazwisko),
             QStringLiteral("NOWAK"));
}

void TestTfrmData::readErrorClosesTheWindow() {
    test::LibraryFixture library;
    const QString path = library.folder() + QStringLiteral("/zly.rpa");
    QFile bad(path);
    bad.open(QIODevice::WriteOnly);
    bad.write("AB");
    bad.close();
    QPointer<TfrmData> window = library.openDocument(path);
    QVERIFY(window);
    QCOMPARE(library.prompts.messages(),
             QStringList{QStringLiteral("Wystąpił błąd przy odczycie pliku\n") + path +
                         QStringLiteral("\nBłędna wersja pliku !")});
    QCOMPARE(library.prompts.last().caption, QStringLiteral("Komunikat"));
    QCoreApplication::processEvents();
    QVERIFY(closed(window));
    QCOMPARE(LibraryState::instance().windowCount(), 0);
}

void TestTfrmData::changeTabView() {
    test::LibraryFixture library;
    TfrmData* window = library.newDocument();
    window->ChangeTabView(2, QStringLiteral("WYKREŚLENIE"));
    QCOMPARE(window->currentApplicationKind(), 2);
    QVERIFY(test::part<QTabWidget>(window, "tbshMain")->isTabVisible(PAGE_AGENT));
    for (int tab : {PAGE_PRACOWNIK, PAGE_POLISA, PAGE_PELNOMOCNICTWO})
        QVERIFY(!test::part<QTabWidget>(window, "tbshMain")->isTabVisible(tab));
    QCOMPARE(window->pages().agent->lblRodzajOp->palette().color(QPalette::WindowText),
             QColor(255, 0, 0));
    QVERIFY(test::action(window, "AddAgent")->isEnabled());
    window->ChangeTabView(1, QStringLiteral("AKTUALIZACJA"));
    QCOMPARE(window->currentApplicationKind(), 1);
    QVERIFY(test::part<QTabWidget>(window, "tbshMain")->isTabVisible(PAGE_PRACOWNIK));
    QVERIFY(window->pages().agent->edID_Agenta->isVisibleTo(window->pages().agent));
    QCOMPARE(window->pages().agent->lblRodzajOp->palette().color(QPalette::WindowText),
             QColor(0, 0, 128));
    test::action(window, "AddAgent")->setEnabled(false);
    window->ChangeTabView(7, QStringLiteral("INNY"));
    QCOMPARE(window->pages().agent->lblRodzajOp->text(), QStringLiteral("INNY"));
    QCOMPARE(window->currentApplicationKind(), 1);
    QVERIFY(test::action(window, "AddAgent")->isEnabled());
    QVERIFY(test::action(window, "AbortAgent")->isEnabled());
}

QTEST_MAIN(TestTfrmData)
#include "test_TfrmData.moc"
