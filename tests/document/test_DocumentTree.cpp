#include <gtest/gtest.h>

#include <utility>

#include "document/DocumentTree.h"
#include "document/DocumentVerification.h"
#include "tests/support/RpaBytes.h"
#include "tests/support/TestStreams.h"
#include "tests/support/TreeBuilder.h"

namespace tavik {
namespace {

using test::u8;

using Builder = test::TreeBuilder;

// The texts of the node's children, in UTF-8, each followed by "|".
std::string texts(const TreeNode* parent) {
    std::string out;
    for (const auto& c : parent->children())
        out += cp1250::toUtf8(c->text()) + "|";
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

// Texts and icons of each kind: an employee without a surname is known by its register number,
// a board member keeps its surname; powers are numbered in their category.
TEST(DocumentTree, NodesTextsIconsAndCategories) {
    Builder b;
    TreeNode* app = b.application("WNIOSEK 1");
    TreeNode* agent = b.agent(app, "AGENCJA ŁĄCZNOŚĆ");
    const TreeNode* nodes[] = {b.tree.root(),
                               app,
                               agent,
                               agent->child(0),
                               b.person(agent, KIND_PRACOWNIK, "<E>", "<E>", "12345678/P"),
                               b.person(agent, KIND_ZARZAD, "<E>"),
                               b.policy(agent, "OC/1"),
                               b.power(agent)};
    std::string shown;
    for (const TreeNode* n : nodes)
        shown += cp1250::toUtf8(n->text()) + " #" + std::to_string(n->icon()) + "|";
    EXPECT_EQ(shown,
              "JASKÓŁKA #-1|WNIOSEK 1 #53|AGENCJA ŁĄCZNOŚĆ #9|Zarząd #9|12345678/P #32|<E> #9|"
              "Polisa - OC/1 #22|Pelnomocnictwo LP - 000001 #38|");
    EXPECT_EQ(texts(agent), "Zarząd|Pracownicy|Pełnomocnictwa|Polisy|");
    for (int i = 2; i <= 10; ++i)
        b.power(agent);
    const TreeNode* powers = DocumentTree::categoryOf(agent, DocumentTree::PELNOMOCNICTWA);
    EXPECT_EQ(powers->child(9)->text(), "Pelnomocnictwo LP - 000010");
    EXPECT_EQ(static_cast<TRecWniosek*>(app->record())->Zaklad, b.tree.undertaking());
    EXPECT_EQ(static_cast<TRecWniosek*>(app->record())->Agent, agent->record());
    EXPECT_EQ(static_cast<TRecPelnomocnictwo*>(powers->child(9)->record())->Agent, agent->record());
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
    EXPECT_EQ(texts(b.tree.root()), "LUBLIN 1|ŁÓDŹ 1|WNIOSEK 10|WNIOSEK 2|");
    static_cast<TRecWniosek*>(moving->record())->NumerWniosku = "A 1";
    b.tree.renewText(moving);
    EXPECT_EQ(texts(b.tree.root()), "A 1|LUBLIN 1|ŁÓDŹ 1|WNIOSEK 2|");
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

    // The applications, then the categories, which are never sorted.
    const auto order = [&] { return texts(b.tree.root()) + " " + texts(agent); };
    const std::string categories = " Zarząd|Pracownicy|Pełnomocnictwa|Polisy|";
    // Entries (kind 0) before the update, then by the agent's name.
    b.tree.sortRecords(DocumentTree::SortOrder::Ascending);
    EXPECT_EQ(order(), "C|B|A|D|" + categories);
    std::string names;
    for (const auto& e : DocumentTree::categoryOf(agent, DocumentTree::PRACOWNICY)->children())
        names += static_cast<TRecOsoba*>(e->record())->Imie.str() + "|";
    EXPECT_EQ(names, "ZOFIA|ANNA|PIOTR|");
    b.tree.sortRecords(DocumentTree::SortOrder::Descending);
    EXPECT_EQ(texts(b.tree.root()), "A|B|C|D|");
    b.tree.sortByText();
    EXPECT_EQ(order(), "A|B|C|D|" + categories);
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

    const auto struck = [&b] {
        std::string out;
        b.tree.forEach(
            [&out](TreeNode& n) { out += n.struck() ? cp1250::toUtf8(n.text()) + "|" : ""; });
        return out;
    };
    EXPECT_FALSE(b.tree.toggleStrike(employee));
    EXPECT_EQ(struck(), "NOWAK|");
    EXPECT_EQ(b.tree.strikeQuestion(employee), (UserMessage{"Czy przywrócić usunięty element?",
                                                            "Informacja", MessageIcon::Warning}));
    b.tree.toggleStrike(agent);  // the agent, its application, everything below
    EXPECT_EQ(struck(), "W|AGENT|NOWAK|Polisa - OC/1|");
    EXPECT_EQ(b.tree.toggleStrike(policy), (UserMessage{"Nie można przywrócić usuniętego elementu!",
                                                        "Komunikat", MessageIcon::Error}));
    EXPECT_EQ(struck(), "W|AGENT|NOWAK|Polisa - OC/1|");
    b.tree.toggleStrike(app);  // restoring the application restores all
    EXPECT_EQ(struck(), "");
}

TEST(DocumentTree, TreeOrderNavigation) {
    Builder b;
    TreeNode* app = b.application("W");
    b.agent(app, "AGENT");
    b.application("X");
    std::string forward, backward;
    for (const TreeNode* n = b.tree.root(); n; n = b.tree.next(n))
        forward += cp1250::toUtf8(n->text()) + "|";
    for (const TreeNode* n = b.tree.last(); n; n = b.tree.previous(n))
        backward = cp1250::toUtf8(n->text()) + "|" + backward;
    EXPECT_EQ(forward, "JASKÓŁKA|W|AGENT|Zarząd|Pracownicy|Pełnomocnictwa|Polisy|X|");
    EXPECT_EQ(backward, forward);
    EXPECT_EQ(DocumentTree::applicationOf(DocumentTree::agentOf(app)->child(2)), app);
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
    EXPECT_EQ(texts(b.tree.root()), "ALFA|ZETA|");
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

// Records what a view over the tree is told, with the state of the tree at each step.
struct RecordingObserver : TreeObserver {
    std::string events;
    TreeNode* insertParent = nullptr;
    std::size_t childrenBefore = 0;

    std::string take() { return std::exchange(events, ""); }
    void beforeInsert(TreeNode* parent, int row) override {
        insertParent = parent;
        childrenBefore = parent->childCount();
        events += "insert " + std::to_string(row) + ";";
    }
    void afterInsert() override {
        // The node told of stands at the row told, and nothing else was added.
        EXPECT_EQ(insertParent->childCount(), childrenBefore + 1);
        events += "inserted;";
    }
    void beforeRemove(TreeNode*, int row) override {
        events += "remove " + std::to_string(row) + ";";
    }
    void afterRemove() override { events += "removed;"; }
    void beforeReorder() override { events += "reorder;"; }
    void afterReorder() override { events += "reordered;"; }
    void beforeReset() override { events += "reset;"; }
    void afterReset() override { events += "was reset;"; }
    void marksChanged() override { events += "marks;"; }
};

TEST(DocumentTreeObserver, EveryChangeIsToldOnceWithItsRow) {
    Builder b;
    RecordingObserver observer;
    b.tree.setObserver(&observer);
    b.application("B");
    TreeNode* a = b.application("A");
    EXPECT_EQ(a->row(), 0);
    EXPECT_EQ(observer.take(), "insert 0;inserted;insert 0;inserted;");
    // An agent comes with its four categories in one insertion.
    TreeNode* agent = b.agent(a, "AGENT");
    EXPECT_EQ(observer.take(), "insert 0;inserted;");
    EXPECT_EQ(observer.insertParent, a);
    b.person(agent, KIND_PRACOWNIK, "NOWAK");
    TreeNode* first = b.person(agent, KIND_PRACOWNIK, "ADAMSKI");
    EXPECT_EQ(first->row(), 0);
    EXPECT_EQ(observer.take(), "insert 0;inserted;insert 0;inserted;");

    // Renaming, sorting and building are each one step, with nothing told inside them.
    static_cast<TRecWniosek*>(a->record())->NumerWniosku = "C";
    b.tree.renewText(a);
    b.tree.sortRecords(DocumentTree::SortOrder::Ascending);
    b.tree.sortByText();
    b.tree.sortRecords(DocumentTree::SortOrder::Insertion);  // changes nothing
    EXPECT_EQ(observer.take(), "reorder;reordered;reorder;reordered;reorder;reordered;");
    b.tree.toggleStrike(first);
    EXPECT_EQ(observer.take(), "marks;");
    b.tree.importRecords({});
    b.tree.setRoot(std::make_unique<TRecZU>("JSK", "X"));
    b.tree.clear();
    EXPECT_EQ(observer.take(), "reset;was reset;reset;was reset;reset;was reset;");
    expectRowsConsistent(b.tree);
}

}  // namespace
}  // namespace tavik
