#include <gtest/gtest.h>

#include "document/DocumentEditor.h"
#include "document/DocumentFile.h"
#include "document/DocumentVerification.h"
#include "document/NodeSelection.h"
#include "document/RecordEditing.h"
#include "tests/support/RpaBytes.h"
#include "tests/support/RpaFileBuilder.h"
#include "tests/support/TestStreams.h"
#include "tools/samples/SampleDocuments.h"

namespace tavik {
namespace {

using test::u8;

// A sample document of three applications (an entry, an update, a deletion) opened into a
// tree, and the editor over it.
struct Editing {
    test::TempDir dir;
    DocumentTree tree{3};
    DocumentEditor editor{tree, "WPIS"};

    explicit Editing(int applications = 3, std::uint32_t seed = 5) {
        samples::SampleShape shape;
        shape.applications = applications;
        const std::string path = dir.file("dane.rpa");
        test::writeFile(path, samples::sampleFileBytes(3, shape, seed));
        EXPECT_FALSE(openDocumentFile(tree, path, samples::sampleUndertaking(),
                                      DocumentTree::SortOrder::Insertion));
    }
    TreeNode* application(const char* type) const {
        for (const auto& a : tree.root()->children())
            if (static_cast<TRecWniosek&>(*a->record()).TypWniosku == u8(type)) return a.get();
        return nullptr;
    }
    TreeNode* category(const char* type, DocumentTree::Category c) const {
        return DocumentTree::categoryOf(DocumentTree::agentOf(application(type)), c);
    }
    // The clerk accepts a page whose values `change` turns into new ones.
    template <class Change>
    EditOutcome acceptApplication(EditContext at, Change change, DeletionExtras deletion = {}) {
        auto values = editor.applicationValues(at);
        change(*values);
        return editor.acceptApplication(at, std::move(values), deletion);
    }
    template <class Change>
    EditOutcome addApplication(Change change, DeletionExtras deletion = {}) {
        return acceptApplication({tree.root(), true, nullptr}, change, deletion);
    }
    // Saves into a file of the folder and opens it into a new tree.
    std::unique_ptr<DocumentTree> savedAndReopened() {
        const std::string path = dir.file("zapisany.rpa");
        EXPECT_TRUE(writeDocument(tree, path, InsurerDirectory()).ok);
        auto reopened = std::make_unique<DocumentTree>(3);
        EXPECT_FALSE(openDocumentFile(*reopened, path, samples::sampleUndertaking(),
                                      DocumentTree::SortOrder::Insertion));
        return reopened;
    }
};

// A new application as its blank form stands.
void blankForm(TRecWniosek& application) {
    application.TypWniosku = "WPIS";
    application.RodzajWniosku = 0;
    application.NumerWniosku = "WNIOSEK 4";
    application.DataWniosku = "07.12.2026";
}

void makeDeletion(TRecWniosek& application) {
    if (application.NumerWniosku.isEmpty()) blankForm(application);
    application.TypWniosku = u8("WYKREŚLENIE");
    application.RodzajWniosku = 2;
}

// A seed whose single entry application has a natural-person agent.
std::uint32_t naturalPersonSeed() {
    for (std::uint32_t seed = 1;; ++seed) {
        const samples::SampleDocument sample(3, {1}, seed);
        for (std::size_t i = 0; i < sample.records().size(); ++i)
            if (sample.kinds()[i] == KIND_AGENT &&
                static_cast<const TRecAgenta&>(*sample.records()[i]).FormaPrawna ==
                    u8("OSOBA FIZYCZNA"))
                return seed;
    }
}

std::vector<std::string> texts(const EditOutcome& outcome) {
    std::vector<std::string> out;
    for (const UserMessage& m : outcome.messages)
        out.push_back(m.caption + ": " + m.text);
    return out;
}

TEST(DocumentEditor, TheDocumentChangesWithItsRecordsNotWithItsOrder) {
    const std::tuple<const char*, bool, std::function<void(Editing&)>> cases[] = {
        {"sorting", false,
         [](Editing& e) { e.tree.sortRecords(DocumentTree::SortOrder::Descending); }},
        {"re-sorting by text", false, [](Editing& e) { e.tree.sortByText(); }},
        {"a refused accept", false,
         [](Editing& e) {
             e.acceptApplication({e.application("WPIS"), false, nullptr},
                                 [](TRecWniosek& a) { a.NumerWniosku = "<E>"; });
         }},
        {"an edited record", true,
         [](Editing& e) {
             TreeNode* employee = e.category("WPIS", DocumentTree::PRACOWNICY)->child(0);
             const EditContext at{employee, false, e.application("WPIS")};
             e.editor.acceptRecord(at, KIND_PRACOWNIK, e.editor.recordValues(at, KIND_PRACOWNIK));
         }},
        {"a new application", true, [](Editing& e) { e.addApplication(blankForm); }},
        {"a strike-out", true, [](Editing& e) { e.tree.toggleStrike(e.application("WPIS")); }},
        {"an import", true, [](Editing& e) { e.tree.importRecords({}); }},
    };
    for (const auto& [what, changed, act] : cases) {
        Editing e;
        EXPECT_FALSE(e.tree.changed()) << "opened";
        act(e);
        EXPECT_EQ(e.tree.changed(), changed) << what;
        e.tree.markSaved();
        EXPECT_FALSE(e.tree.changed()) << what << ", saved";
    }
}

TEST(DocumentEditor, AnEntryBecomesAnUpdateAndItsAgentIsCompletedNext) {
    Editing e;
    TreeNode* application = e.application("WPIS");
    TreeNode* agentNode = DocumentTree::agentOf(application);
    // The entry page hides the register number: an entry agent has none.
    static_cast<TRecAgenta&>(*agentNode->record()).NUMER_W_RA = "<E>";
    const EditOutcome outcome =
        e.acceptApplication({application, false, application}, [](TRecWniosek& a) {
            a.TypWniosku = "AKTUALIZACJA";
            a.RodzajWniosku = 1;
        });
    EXPECT_FALSE(outcome.refused) << testing::PrintToString(texts(outcome));
    EXPECT_EQ(outcome.select, agentNode);  // its page tells what is missing
    auto& agent = static_cast<TRecAgenta3&>(*agentNode->record());
    EXPECT_EQ(agent.RodzajOperacji.str(), "AKTUALIZACJA");
    EXPECT_EQ(agent.CRC, test::checksumOf(agent, KIND_AGENT, 3));
    EXPECT_EQ(static_cast<TRecWniosek&>(*application->record()).RodzajWniosku, 1);

    // Saving is refused until the clerk gives the register number.
    e.tree.toggleStrike(e.application("WYKREŚLENIE"));
    TreeNode* update = nullptr;
    for (const auto& a : e.tree.root()->children())
        if (a.get() != application && !a->struck()) update = a.get();
    e.tree.toggleStrike(update);
    EXPECT_FALSE(prepareSave(e.tree).ok);
    const EditContext atAgent{agentNode, false, application};
    auto values = e.editor.agentValues(atAgent);
    values->NUMER_W_RA = "11111111/A";
    EXPECT_EQ(texts(e.editor.acceptAgent(atAgent, std::move(values))),
              std::vector<std::string>{"Informacja: Rekord agenta został zmodyfikowany"});
    EXPECT_TRUE(prepareSave(e.tree).ok);
}

TEST(DocumentEditor, DeletionDataReachTheAgentToComeAndTheFile) {
    Editing e(1);
    const TRecAgenta3 sampleAgent =
        static_cast<TRecAgenta3&>(*DocumentTree::agentOf(e.application("WPIS"))->record());
    e.tree.toggleStrike(e.application("WPIS"));  // a file holds one application
    const DeletionExtras deletion{"30.11.2026", "00FF00FF"};
    EditOutcome added = e.addApplication(makeDeletion, deletion);
    TreeNode* application = added.select;
    ASSERT_TRUE(application);
    EXPECT_EQ(DocumentEditor::deletionExtrasOf(application), deletion);

    const EditContext at{application, true, application};
    auto agent = e.editor.agentValues(at);
    assignFields(*agent, sampleAgent);
    static_cast<TRecAgenta3&>(*agent).DATA_ROZW_UM_AGENCYJNEJ = "<E>";  // not on the agent page
    EXPECT_EQ(texts(e.editor.acceptAgent(at, std::move(agent))),
              std::vector<std::string>{"Informacja: Dodano nowego agenta"});
    const auto& stored = static_cast<TRecAgenta3&>(*DocumentTree::agentOf(application)->record());
    EXPECT_EQ(stored.DATA_ROZW_UM_AGENCYJNEJ.str(), "30.11.2026");
    EXPECT_EQ(stored.Przyczyny.str(), "00FF00FF");
    EXPECT_EQ(DocumentTree::agentOf(application)->childCount(), 0u);

    ASSERT_TRUE(prepareSave(e.tree).ok);
    const auto reopened = e.savedAndReopened();
    ASSERT_EQ(reopened->root()->childCount(), 1u);
    EXPECT_EQ(DocumentEditor::deletionExtrasOf(reopened->root()->child(0)), deletion);
}

TEST(DocumentEditor, NothingGoesBelowAStruckAgentOrIntoTheFileWithoutIt) {
    Editing e;
    TreeNode* application = e.application("WPIS");
    TreeNode* employees = e.category("WPIS", DocumentTree::PRACOWNICY);
    e.tree.toggleStrike(application);
    const std::size_t nodes = e.tree.nodeCount();
    const EditContext at{employees, true, application};
    auto values = e.editor.recordValues(at, KIND_PRACOWNIK);
    assignFields(*values, *employees->child(0)->record());
    EXPECT_EQ(texts(e.editor.acceptRecord(at, KIND_PRACOWNIK, std::move(values))),
              std::vector<std::string>{
                  "Błąd: Wniosek lub agent jest zaznaczony do usunięcia: nie można dodać do niego "
                  "rekordu.\nNajpierw przywróć skreślony element.\nPracownik nie został dodany!"});
    EXPECT_EQ(e.tree.nodeCount(), nodes);

    // A record whose agent is struck out is not written, even when it is not struck itself.
    e.tree.toggleStrike(application);
    DocumentTree::agentOf(application)->entry().struck = 1;
    application->entry().struck = 1;
    DataRecord3 document;
    SaveList records;
    ASSERT_FALSE(fillDocumentFromTree(e.tree, document, records, InsurerDirectory()));
    for (const _RecData* r : document.PobierzListe())
        EXPECT_NE(r->record, employees->child(0)->record());
    EXPECT_EQ(document.GetRecordCountWn(), 2);
    document.PobierzListe().clear();
}

TEST(DocumentEditor, QuestionsAndWhatTheirAnswersDo) {
    Editing e;
    TreeNode* application = e.application("WPIS");
    TreeNode* agentNode = DocumentTree::agentOf(application);
    const std::size_t nodes = e.tree.nodeCount();
    const DeletionExtras deletion{"01.12.2026", "000000FF"};
    EditOutcome asked =
        e.acceptApplication({application, false, application}, makeDeletion, deletion);
    ASSERT_TRUE(asked.question);
    EXPECT_EQ(asked.question->text.text, "Wszystkie dane przypisane pod Agenta zostaną usunięte!");
    EXPECT_EQ(asked.question->text.caption, "Ostrzeżenie!");
    EXPECT_FALSE(e.tree.changed());  // nothing before the answer
    EXPECT_EQ(asked.question->no().select, application);
    EXPECT_EQ(e.tree.nodeCount(), nodes);
    EXPECT_EQ(static_cast<TRecWniosek&>(*application->record()).RodzajWniosku, 0);
    asked.question->yes();
    EXPECT_EQ(agentNode->childCount(), 0u);
    EXPECT_EQ(DocumentEditor::deletionExtrasOf(application), deletion);
    EXPECT_TRUE(e.tree.changed());

    // A natural-person agent may become the first board member.
    Editing fresh(1, naturalPersonSeed());
    fresh.tree.toggleStrike(fresh.application("WPIS"));
    EditOutcome added = fresh.addApplication(blankForm);
    TreeNode* newApplication = added.select;
    const EditContext at{newApplication, true, newApplication};
    auto agent = fresh.editor.agentValues(at);
    assignFields(*agent, *DocumentTree::agentOf(fresh.application("WPIS"))->record());
    agent->Imie = "JAN";
    agent->Nazwisko = "KOWALSKI";
    EditOutcome person = fresh.editor.acceptAgent(at, std::move(agent));
    ASSERT_TRUE(person.question) << testing::PrintToString(texts(person));
    EXPECT_EQ(person.question->text.text, "Czy przepisac dane agenta do danych czł. zarządu?");
    const EditOutcome board = person.question->yes();
    TreeNode* newAgent = DocumentTree::agentOf(newApplication);
    EXPECT_EQ(board.select, DocumentTree::categoryOf(newAgent, DocumentTree::ZARZAD));
    EXPECT_EQ(board.newFormPage, PAGE_ZARZAD);
    ASSERT_TRUE(board.prefill);
    EXPECT_EQ(board.prefill->Imie.str() + " " + board.prefill->Nazwisko.str() + " " +
                  board.prefill->Rodzaj_Operacji.str(),
              "JAN KOWALSKI WPIS");
}

TEST(DocumentEditor, AbortShowsTheRecordAgainOrABlankForm) {
    Editing e;
    TreeNode* application = e.application("WPIS");
    TreeNode* agent = DocumentTree::agentOf(application);
    TreeNode* employee = e.category("WPIS", DocumentTree::PRACOWNICY)->child(0);
    TreeNode* policies = e.category("WPIS", DocumentTree::POLISY);
    // Where the clerk aborts which page, and the node shown again (null: the page's blank form).
    const std::tuple<EditContext, int, TreeNode*> cases[] = {
        {{employee, false, application}, PAGE_PRACOWNIK, employee},
        {{employee, true, application}, PAGE_PRACOWNIK, employee},
        {{policies, true, application}, PAGE_POLISA, nullptr},
        {{employee, false, application}, PAGE_AGENT, agent},
        {{agent, false, application}, PAGE_WNIOSEK, application},
        {{e.tree.root(), true, nullptr}, PAGE_WNIOSEK, nullptr},
        {{e.tree.root(), true, nullptr}, PAGE_AGENT, nullptr},
    };
    for (const auto& [at, page, shown] : cases) {
        const EditOutcome outcome = e.editor.abortPage(at, page);
        EXPECT_EQ(std::pair(outcome.select, outcome.newFormPage),
                  std::pair(shown, shown ? -1 : page))
            << page;
    }
}

// ---- Problems of a document and warnings of an accepted record ---------------------------

constexpr CalendarDate kToday{2026, 12, 8};

}  // namespace

void PrintTo(const DocumentProblem& p, std::ostream* os) {
    *os << (p.refusal ? "błąd " : "ostrzeżenie ") << p.node << " [" << p.placement << "] "
        << p.text;
}

namespace {

TRecPracownik& employeeAt(Editing& e, std::size_t i) {
    return static_cast<TRecPracownik&>(
        *e.category("WPIS", DocumentTree::PRACOWNICY)->child(i)->record());
}

// Every record as the export writes it.
std::string documentText(Editing& e) {
    const std::string path = e.dir.file("stan.cia");
    EXPECT_EQ(exportDocument(e.tree, path, InsurerDirectory()), std::nullopt);
    return test::readFile(path);
}

TEST(DocumentProblems, EveryRefusalAndWarningInTreeOrderWithTheDocumentLeftAsItIs) {
    Editing e;
    EXPECT_EQ(listProblems(e.tree, kToday), std::vector<DocumentProblem>{});
    TreeNode* entry = e.application("WPIS");
    TreeNode* employees = e.category("WPIS", DocumentTree::PRACOWNICY);
    TreeNode* board = e.category("WPIS", DocumentTree::ZARZAD);
    TRecPracownik& first = employeeAt(e, 0);
    first.PESEL = test::wrongLast(first.PESEL.str());
    employeeAt(e, 1).Imie = "1";
    employeeAt(e, 2).Nazwisko = " NOWAK ";  // a check would trim it
    employeeAt(e, 4).PESEL = test::wrongLast(employeeAt(e, 4).PESEL.str());
    static_cast<TRecAgenta2&>(*DocumentTree::agentOf(entry)->record()).Liczba_czl_zarzadu = "9";
    e.tree.toggleStrike(employees->child(4));  // its warning goes with it
    auto& policy =
        static_cast<TRecPolisaOC&>(*e.category("WPIS", DocumentTree::POLISY)->child(1)->record());
    policy.WazneDo = "07.12.2026";
    // A file may hold an agent struck out without its application.
    TreeNode* update = e.application("AKTUALIZACJA");
    DocumentTree::agentOf(update)->entry().struck = 1;
    const std::string before = documentText(e);

    const std::vector<DocumentProblem> expected = {
        {true, board, "1/2026",
         "Należy dodac czł. zarzadu. Liczba wprowadzonych czł. zarzadu musi stanowic minimum 50% "
         "względem zadeklarowanej liczby podanej w pozycji Agenta"},
        {false, employees->child(0), "1/2026",
         "PESEL " + first.PESEL.str() + " pracownika " + cp1250::toUtf8(first.Nazwisko.view()) +
             " " + cp1250::toUtf8(first.Imie.view()) + " ma błędną cyfrę kontrolną"},
        {true, employees->child(1), "1/2026",
         "Pole IMIE ma błędną długość; maksymalna długość pola: 24; Typ rekordu: PRACOWNIK; "
         "Rodzaj: NOWY"},
        {false, e.category("WPIS", DocumentTree::POLISY)->child(1), "1/2026",
         "Polisa nr " + policy.ID_PolisyOC.str() + " wygasła 07.12.2026"},
        {true, update, "2/2026", "WNIOSEK nie posiada przypisanego Agenta!"},
    };
    EXPECT_EQ(listProblems(e.tree, kToday), expected);
    EXPECT_EQ(documentText(e), before);
    EXPECT_EQ(employeeAt(e, 2).Nazwisko.str(), " NOWAK ");
    // Struck out, nothing is saved and nothing listed.
    e.tree.toggleStrike(entry);
    e.tree.toggleStrike(update);
    EXPECT_EQ(listProblems(e.tree, kToday), std::vector<DocumentProblem>{});

    DocumentTree empty(3);
    empty.setRoot(std::make_unique<TRecZU>(samples::sampleUndertaking()));
    EXPECT_EQ(listProblems(empty, kToday),
              (std::vector<DocumentProblem>{
                  {true, empty.root(), "", "Brak danych do odczytu/zapisu w pliku!"}}));
}

TEST(DocumentProblems, AnEntryWithoutEmployeesIsListedAtItsAgent) {
    Editing e;
    for (const auto& employee : e.category("WPIS", DocumentTree::PRACOWNICY)->children())
        e.tree.toggleStrike(employee.get());
    const std::vector<DocumentProblem> expected = {
        {true, DocumentTree::agentOf(e.application("WPIS")), "1/2026",
         "Należy wprowadzić rekord pracownika"}};
    EXPECT_EQ(listProblems(e.tree, kToday), expected);
}

TEST(DocumentProblems, AnAcceptedRecordShowsItsWarningsOnceAfterItsMessage) {
    Editing e;
    e.editor.setToday([] { return kToday; });
    TreeNode* employee = e.category("WPIS", DocumentTree::PRACOWNICY)->child(0);
    const EditContext at{employee, false, e.application("WPIS")};
    const auto accept = [&](auto change) {
        auto values = e.editor.recordValues(at, KIND_PRACOWNIK);
        change(static_cast<TRecPracownik&>(*values));
        return texts(e.editor.acceptRecord(at, KIND_PRACOWNIK, std::move(values)));
    };
    const std::string pesel = test::wrongLast(employeeAt(e, 0).PESEL.str());
    const std::string who = "pracownika " + cp1250::toUtf8(employeeAt(e, 0).Nazwisko.view()) + " " +
                            cp1250::toUtf8(employeeAt(e, 0).Imie.view());
    EXPECT_EQ(accept([&](TRecPracownik& p) {
                  p.PESEL = pesel;
                  p.NIP = "123-456-78-90";
              }),
              (std::vector<std::string>{"Informacja: Rekord pracownika został zmodyfikowany",
                                        "Ostrzeżenie: PESEL " + pesel + " " + who +
                                            " ma błędną cyfrę kontrolną\nNIP " + "123-456-78-90 " +
                                            who + " ma błędną cyfrę kontrolną"}));
    EXPECT_EQ(employeeAt(e, 0).PESEL.str(), pesel);  // accepted all the same
    // A refused record shows its refusal alone.
    EXPECT_EQ(accept([&](TRecPracownik& p) { p.Imie = "1"; }).size(), 1u);
    EXPECT_EQ(accept([](TRecPracownik&) {}).size(), 2u);  // and again at every accept

    auto policyValues = e.editor.recordValues(
        {e.category("WPIS", DocumentTree::POLISY)->child(0), false, e.application("WPIS")},
        KIND_POLISA);
    auto& policy = static_cast<TRecPolisaOC&>(*policyValues);
    policy.WazneDo = "07.12.2026";
    const std::string id = policy.ID_PolisyOC.str();
    EXPECT_EQ(texts(e.editor.acceptRecord({e.category("WPIS", DocumentTree::POLISY)->child(0),
                                           false, e.application("WPIS")},
                                          KIND_POLISA, std::move(policyValues))),
              (std::vector<std::string>{"Informacja: Zmodyfikowano rekord polisa ",
                                        "Ostrzeżenie: Polisa nr " + id + " wygasła 07.12.2026"}));
}

}  // namespace
}  // namespace tavik
