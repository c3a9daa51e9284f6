#include <gtest/gtest.h>

#include "document/DocumentTree.h"
#include "document/DocumentVerification.h"
#include "tests/support/RpaBytes.h"
#include "tests/support/TestStreams.h"
#include "tests/support/TreeBuilder.h"

namespace tavik {
namespace {

using test::u8;

using Builder = test::TreeBuilder;

std::vector<std::string> texts(const TreeNode* parent) {
    std::vector<std::string> out;
    for (const auto& c : parent->children())
        out.push_back(cp1250::toUtf8(c->text()));
    return out;
}

void expectRowsConsistent(const DocumentTree& tree) {
    std::size_t count = 0;
    tree.forEach([&](TreeNode& n) {
        ++count;
        for (std::size_t i = 0; i < n.childCount(); ++i) {
            EXPECT_EQ(n.child(i)->row(), static_cast<int>(i));
            EXPECT_EQ(n.child(i)->parent(), &n);
        }
    });
    EXPECT_EQ(count, tree.nodeCount());
}

TEST(DocumentTree, NodesTextsIconsAndCategories) {
    Builder b;
    TreeNode* app = b.application("WNIOSEK 1");
    TreeNode* agent = b.agent(app, "AGENCJA ŁĄCZNOŚĆ");
    EXPECT_EQ(b.tree.root()->text(), u8("JASKÓŁKA"));
    EXPECT_EQ(texts(agent),
              (std::vector<std::string>{"Zarząd", "Pracownicy", "Pełnomocnictwa", "Polisy"}));
    EXPECT_EQ(agent->icon(), 9);
    EXPECT_EQ(app->icon(), 53);
    EXPECT_EQ(static_cast<TRecWniosek*>(app->record())->Zaklad, b.tree.undertaking());
    EXPECT_EQ(static_cast<TRecWniosek*>(app->record())->Agent, agent->record());

    TreeNode* noSurname = b.person(agent, KIND_PRACOWNIK, "<E>", "<E>", "12345678/P");
    EXPECT_EQ(noSurname->text(), "12345678/P");
    EXPECT_EQ(noSurname->icon(), 32);
    EXPECT_EQ(b.person(agent, KIND_ZARZAD, "<E>")->text(),
              "<E>");  // board members keep their surname
    EXPECT_EQ(b.policy(agent, "OC/1")->text(), "Polisa - OC/1");
    for (int i = 1; i <= 10; ++i)
        b.power(agent);
    const TreeNode* powers = DocumentTree::categoryOf(agent, DocumentTree::PELNOMOCNICTWA);
    EXPECT_EQ(powers->child(0)->text(), "Pelnomocnictwo LP - 000001");
    EXPECT_EQ(powers->child(9)->text(), "Pelnomocnictwo LP - 000010");
    EXPECT_EQ(static_cast<TRecPelnomocnictwo*>(powers->child(0)->record())->Agent, agent->record());
    EXPECT_EQ(b.tree.applicationCount(), 1);
    expectRowsConsistent(b.tree);
}

TEST(DocumentTree, DeletionAgentHasNoCategoriesAndTakesNoRecords) {
    Builder b;
    TreeNode* agent = b.agent(b.application("W", "WYKREŚLENIE"), "AGENT");
    EXPECT_EQ(agent->childCount(), 0u);
    EXPECT_EQ(b.person(agent, KIND_PRACOWNIK, "NOWAK"), nullptr);
    EXPECT_EQ(b.agent(b.tree.root()->child(0), "DRUGI"), nullptr);  // one agent per application
}

TEST(DocumentTree, SiblingsKeepAlphabeticalOrderOnAddAndRename) {
    Builder b;
    b.application("WNIOSEK 2");
    TreeNode* moving = b.application("WNIOSEK 10");
    b.application("ŁÓDŹ 1");
    b.application("LUBLIN 1");
    EXPECT_EQ(texts(b.tree.root()),
              (std::vector<std::string>{"LUBLIN 1", "ŁÓDŹ 1", "WNIOSEK 10", "WNIOSEK 2"}));
    static_cast<TRecWniosek*>(moving->record())->NumerWniosku = "A 1";
    b.tree.renewText(moving);
    EXPECT_EQ(texts(b.tree.root()),
              (std::vector<std::string>{"A 1", "LUBLIN 1", "ŁÓDŹ 1", "WNIOSEK 2"}));
    expectRowsConsistent(b.tree);
}

TEST(DocumentTree, RecordSortByAgentsAndEmployees) {
    Builder b;
    TreeNode* update = b.application("A", "AKTUALIZACJA");
    b.agent(update, "ALFA");
    TreeNode* entryB = b.application("B");
    b.agent(entryB, "ZETA");
    TreeNode* entryC = b.application("C");
    TreeNode* agent = b.agent(entryC, "BETA");
    b.application("D");  // no agent: equal to all, keeps its place
    b.person(agent, KIND_PRACOWNIK, "NOWAK", "PIOTR");
    b.person(agent, KIND_PRACOWNIK, "NOWAK", "ANNA");
    b.person(agent, KIND_PRACOWNIK, "ABACKI", "ZOFIA");

    b.tree.sortRecords(DocumentTree::SortOrder::Ascending);
    // Entries (kind 0) before the update, then by the agent's name.
    EXPECT_EQ(texts(b.tree.root()), (std::vector<std::string>{"C", "B", "A", "D"}));
    const TreeNode* employees = DocumentTree::categoryOf(agent, DocumentTree::PRACOWNICY);
    std::vector<std::string> names;
    for (const auto& e : employees->children())
        names.push_back(static_cast<TRecOsoba*>(e->record())->Imie.str());
    EXPECT_EQ(names, (std::vector<std::string>{"ZOFIA", "ANNA", "PIOTR"}));
    EXPECT_EQ(texts(agent),
              (std::vector<std::string>{"Zarząd", "Pracownicy", "Pełnomocnictwa", "Polisy"}));

    b.tree.sortRecords(DocumentTree::SortOrder::Descending);
    EXPECT_EQ(texts(b.tree.root()), (std::vector<std::string>{"A", "B", "C", "D"}));
    b.tree.sortByText();
    EXPECT_EQ(texts(b.tree.root()), (std::vector<std::string>{"A", "B", "C", "D"}));
    EXPECT_EQ(texts(agent),
              (std::vector<std::string>{"Zarząd", "Pracownicy", "Pełnomocnictwa", "Polisy"}));
    expectRowsConsistent(b.tree);
}

TEST(DocumentTree, StruckOutMarks) {
    Builder b;
    TreeNode* app = b.application("W");
    TreeNode* agent = b.agent(app, "AGENT");
    TreeNode* employee = b.person(agent, KIND_PRACOWNIK, "NOWAK");
    TreeNode* policy = b.policy(agent, "OC/1");

    EXPECT_FALSE(b.tree.strikeQuestion(b.tree.root()));
    EXPECT_FALSE(b.tree.strikeQuestion(agent->child(0)));  // a category
    EXPECT_EQ(b.tree.strikeQuestion(employee),
              (UserMessage{"Czy zaznaczyć wybrany element do usunięcia?\nSkreślone elementy nie "
                           "zostaną zapisane do pliku",
                           "Ostrzeżenie", MessageIcon::Warning}));

    EXPECT_FALSE(b.tree.toggleStrike(employee));
    EXPECT_TRUE(employee->struck());
    EXPECT_FALSE(policy->struck());
    EXPECT_EQ(b.tree.strikeQuestion(employee), (UserMessage{"Czy przywrócić usunięty element?",
                                                            "Informacja", MessageIcon::Warning}));

    b.tree.toggleStrike(agent);  // the agent, its application, everything below
    EXPECT_TRUE(app->struck() && agent->struck() && policy->struck() && employee->struck());
    EXPECT_EQ(b.tree.toggleStrike(policy), (UserMessage{"Nie można przywrócić usuniętego elementu!",
                                                        "Komunikat", MessageIcon::Error}));
    EXPECT_TRUE(policy->struck());

    b.tree.toggleStrike(app);  // restoring the application restores all
    EXPECT_FALSE(app->struck() || agent->struck() || policy->struck() || employee->struck());
}

TEST(DocumentTree, TreeOrderNavigation) {
    Builder b;
    TreeNode* app = b.application("W");
    TreeNode* agent = b.agent(app, "AGENT");
    TreeNode* second = b.application("X");
    EXPECT_EQ(b.tree.next(b.tree.root()), app);
    EXPECT_EQ(b.tree.next(app), agent);
    EXPECT_EQ(b.tree.next(agent), agent->child(0));
    EXPECT_EQ(b.tree.next(agent->child(3)), second);
    EXPECT_EQ(b.tree.next(second), nullptr);
    EXPECT_EQ(b.tree.previous(second), agent->child(3));
    EXPECT_EQ(b.tree.previous(app), b.tree.root());
    EXPECT_EQ(b.tree.last(), second);
    EXPECT_EQ(DocumentTree::applicationOf(agent->child(2)), app);
}

TEST(DocumentTree, ImportLinksRecordsToTheLastAgentBeforeThem) {
    Builder b;
    std::vector<ReadRecord> records;
    const auto add = [&](std::unique_ptr<TRecord> r, RecordKind k) {
        records.push_back({std::move(r), k});
    };
    auto orphan = std::make_unique<TRecPracownik>();
    orphan->Nazwisko = "SIEROTA";
    add(std::move(orphan), KIND_PRACOWNIK);  // before any agent: cannot be placed
    for (const char* name : {"ZETA", "ALFA"}) {
        auto app = std::make_unique<TRecWniosek>();
        app->NumerWniosku = name;
        app->RodzajWniosku = 0;
        auto agent = std::make_unique<TRecAgenta3>();
        agent->NazwaAgenta = name;
        agent->Wniosek = app.get();
        app->Agent = agent.get();
        add(std::move(app), KIND_WNIOSEK);
        add(std::move(agent), KIND_AGENT);
        auto employee = std::make_unique<TRecPracownik>();
        employee->Nazwisko = std::string(name) + "-PRACOWNIK";
        add(std::move(employee), KIND_PRACOWNIK);
    }
    EXPECT_EQ(b.tree.importRecords(std::move(records)),
              (std::vector<UserMessage>{
                  {"Wystąpił wyjątek przy dodawaniu pracownika!", "Błąd", MessageIcon::Error}}));
    EXPECT_EQ(texts(b.tree.root()), (std::vector<std::string>{"ALFA", "ZETA"}));
    for (const auto& app : b.tree.root()->children()) {
        const TreeNode* agent = DocumentTree::agentOf(app.get());
        const TreeNode* employee =
            DocumentTree::categoryOf(agent, DocumentTree::PRACOWNICY)->child(0);
        EXPECT_EQ(employee->text(), app->text() + "-PRACOWNIK");
        EXPECT_EQ(static_cast<TRecPracownik*>(employee->record())->Agent, agent->record());
    }
    EXPECT_EQ(b.tree.applicationCount(), 2);
}

// Each legal form's rule with its own warning ("" for none).
TEST(BoardSizeRule, ByLegalForm) {
    const std::string half =
        "Należy dodac czł. zarzadu.\nLiczba wprowadzonych czł. zarzadu\nmusi stanowic minimum 50% "
        "względem\nzadeklarowanej liczby podanej w\npozycji Agenta";
    const std::string all =
        "Należy wpisać wszystkich czł. zarządu \nzgodnie z zadeklarowaną "
        "liczbą podaną w \npozycji Agenta";
    const std::string one = "Należy wypełnić rekord czł. zarządu \n";
    const struct {
        const char *form, *declared;
        int entered;
        std::string warning;
    } cases[] = {{"SPÓŁKA S.A.", "5", 2, half},     {"SPÓŁKA S.A.", "5", 3, ""},
                 {"SPÓŁKA Z O.O.", "X", 0, ""},     {"SPÓŁKA JAWNA", "2", 1, all},
                 {"INNE SPÓŁKI", "2", 2, ""},       {"INNI PRZEDSIĘBIORCY", "0", 1, all},
                 {"OSOBA FIZYCZNA", "<E>", 0, one}, {"OSOBA FIZYCZNA", "<E>", 1, ""}};
    for (const auto& c : cases) {
        Builder b;
        TreeNode* agent = b.agent(b.application("W"), "AGENT", c.form, c.declared);
        for (int i = 0; i < c.entered; ++i)
            b.person(agent, KIND_ZARZAD, "CZŁONEK");
        const auto warning = boardSizeWarning(*agent);
        EXPECT_EQ(warning, c.warning.empty() ? std::nullopt
                                             : std::optional(UserMessage{c.warning, "Komunikat",
                                                                         MessageIcon::Warning}))
            << c.form << " " << c.declared << " " << c.entered;
    }
}

}  // namespace
}  // namespace tavik

namespace tavik {
namespace {

// Records what a view over the tree is told, with the state of the tree at each step.
struct RecordingObserver : TreeObserver {
    std::vector<std::string> events;
    TreeNode* insertParent = nullptr;
    int insertRow = -1;
    std::size_t childrenBefore = 0;

    void beforeInsert(TreeNode* parent, int row) override {
        insertParent = parent;
        insertRow = row;
        childrenBefore = parent->childCount();
        events.push_back("insert " + std::to_string(row));
    }
    void afterInsert() override {
        // The node told of stands at the row told, and nothing else was added.
        EXPECT_EQ(insertParent->childCount(), childrenBefore + 1);
        events.push_back("inserted");
    }
    void beforeRemove(TreeNode*, int row) override {
        events.push_back("remove " + std::to_string(row));
    }
    void afterRemove() override { events.push_back("removed"); }
    void beforeReorder() override { events.push_back("reorder"); }
    void afterReorder() override { events.push_back("reordered"); }
    void beforeReset() override { events.push_back("reset"); }
    void afterReset() override { events.push_back("was reset"); }
    void marksChanged() override { events.push_back("marks"); }
};

TEST(DocumentTreeObserver, EveryChangeIsToldOnceWithItsRow) {
    Builder b;
    RecordingObserver observer;
    b.tree.setObserver(&observer);

    b.application("B");
    TreeNode* a = b.application("A");
    EXPECT_EQ(a->row(), 0);
    EXPECT_EQ(observer.events,
              (std::vector<std::string>{"insert 0", "inserted", "insert 0", "inserted"}));

    // An agent comes with its four categories in one insertion.
    observer.events.clear();
    TreeNode* agent = b.agent(a, "AGENT");
    EXPECT_EQ(observer.events, (std::vector<std::string>{"insert 0", "inserted"}));
    EXPECT_EQ(observer.insertParent, a);

    observer.events.clear();
    b.person(agent, KIND_PRACOWNIK, "NOWAK");
    TreeNode* first = b.person(agent, KIND_PRACOWNIK, "ADAMSKI");
    EXPECT_EQ(first->row(), 0);
    EXPECT_EQ(observer.events,
              (std::vector<std::string>{"insert 0", "inserted", "insert 0", "inserted"}));

    // Renaming, sorting and building are each one step, with nothing told inside them.
    observer.events.clear();
    static_cast<TRecWniosek*>(a->record())->NumerWniosku = "C";
    b.tree.renewText(a);
    b.tree.sortRecords(DocumentTree::SortOrder::Ascending);
    b.tree.sortByText();
    b.tree.sortRecords(DocumentTree::SortOrder::Insertion);  // changes nothing
    EXPECT_EQ(observer.events, (std::vector<std::string>{"reorder", "reordered", "reorder",
                                                         "reordered", "reorder", "reordered"}));

    observer.events.clear();
    b.tree.toggleStrike(first);
    EXPECT_EQ(observer.events, (std::vector<std::string>{"marks"}));

    observer.events.clear();
    b.tree.importRecords({});
    b.tree.setRoot(std::make_unique<TRecZU>("JSK", "X"));
    b.tree.clear();
    EXPECT_EQ(observer.events, (std::vector<std::string>{"reset", "was reset", "reset", "was reset",
                                                         "reset", "was reset"}));
    expectRowsConsistent(b.tree);
}

}  // namespace
}  // namespace tavik
