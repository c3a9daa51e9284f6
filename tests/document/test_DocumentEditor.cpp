#include <gtest/gtest.h>

#include "document/DocumentEditor.h"
#include "document/DocumentFile.h"
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

}  // namespace
}  // namespace tavik
