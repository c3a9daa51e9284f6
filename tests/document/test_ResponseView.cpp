#include <gtest/gtest.h>

#include "document/ResponseView.h"

namespace tavik {
namespace {

using Then = SelectionPlan::Then;

template <class R>
ReadRecord entry(RecordKind kind, void (*fill)(R&) = nullptr) {
    auto record = std::make_unique<R>();
    if (fill) fill(*record);
    return {std::move(record), kind};
}

// Two responses: "1" with an agent and one employee, "2" without an agent.
struct TwoResponses : ::testing::Test {
    void SetUp() override {
        std::vector<ReadRecord> records;
        records.push_back(entry<TRecOdpowiedz>(KIND_ODPOWIEDZ, [](TRecOdpowiedz& r) {
            r.NrOdpowiedzi = "1";
            r.TypWniosku = "WPIS";
        }));
        records.push_back(
            entry<TRecAgentOdp>(KIND_AGENT_ODP, [](TRecAgentOdp& r) { r.NazwaAgenta = "AGENT"; }));
        records.push_back(entry<TRecPracownikOdp>(
            KIND_PRACOWNIK_ODP, [](TRecPracownikOdp& r) { r.Nazwisko = "NOWAK"; }));
        records.push_back(entry<TRecOdpowiedz>(KIND_ODPOWIEDZ, [](TRecOdpowiedz& r) {
            r.NrOdpowiedzi = "2";
            r.TypWniosku = "AKTUALIZACJA";
        }));
        ASSERT_TRUE(tree.buildFromResponse("a.coa", std::move(records)).empty());
        root = tree.root();
        first = root->child(0);
        second = root->child(1);
        agent = first->child(0);
        employees = agent->child(DocumentTree::PRACOWNICY);
        employee = employees->child(0);
        policies = agent->child(DocumentTree::POLISY);
    }

    DocumentTree tree;
    TreeNode *root{}, *first{}, *second{}, *agent{}, *employees{}, *employee{}, *policies{};
};

// A whole plan: what follows, the page, the node selected instead and the response in work;
// the frame is told nothing.
using Plan = std::tuple<Then, int, TreeNode*, TreeNode*>;
Plan plan(const SelectionPlan& p) {
    EXPECT_EQ(std::pair(p.frameNotice, p.frameFlag), std::pair(-1, 0));
    return {p.then, p.page, p.select, p.applicationNode};
}

TEST_F(TwoResponses, TheKindOfEachResponseIsTakenFromItsText) {
    EXPECT_EQ(static_cast<const TRecWniosek&>(*first->record()).RodzajWniosku, 0);
    EXPECT_EQ(static_cast<const TRecWniosek&>(*second->record()).RodzajWniosku, 1);
}

TEST_F(TwoResponses, SelectingANodeShowsItsRecordOrMovesOn) {
    const std::pair<TreeNode*, Plan> cases[] = {
        {root, {Then::SelectOther, -1, first, nullptr}},
        {first, {Then::ShowRecord, PAGE_WNIOSEK, nullptr, first}},
        {agent, {Then::ShowRecord, PAGE_AGENT, nullptr, first}},
        {employees, {Then::SelectOther, -1, employee, nullptr}},
        {employee, {Then::ShowRecord, PAGE_PRACOWNIK, nullptr, first}},
        {policies, {Then::NewForm, PAGE_POLISA, nullptr, first}},
        {agent->child(DocumentTree::ZARZAD), {Then::NewForm, PAGE_ZARZAD, nullptr, first}},
        {nullptr, {Then::Nothing, -1, nullptr, nullptr}},
    };
    for (const auto& [node, expected] : cases)
        EXPECT_EQ(plan(planResponseSelection(node)), expected) << (node ? node->text() : "none");
}

TEST_F(TwoResponses, ATabSelectsWhatItsPageShowsOfTheSelectedResponse) {
    const std::tuple<TreeNode*, int, Plan> cases[] = {
        {employee, PAGE_WNIOSEK, {Then::SelectOther, -1, first, nullptr}},
        {employee, PAGE_AGENT, {Then::SelectOther, -1, agent, nullptr}},
        {first, PAGE_AGENT, {Then::SelectOther, -1, agent, nullptr}},
        {first, PAGE_PRACOWNIK, {Then::SelectOther, -1, employee, nullptr}},
        {agent, PAGE_POLISA, {Then::SelectOther, -1, policies, nullptr}},
        {policies, PAGE_WNIOSEK, {Then::SelectOther, -1, first, nullptr}},
        {root, PAGE_AGENT, {Then::SelectOther, -1, agent, nullptr}},
        {nullptr, PAGE_WNIOSEK, {Then::SelectOther, -1, first, nullptr}},
        // A response without an agent has nothing for the pages below it.
        {second, PAGE_WNIOSEK, {Then::SelectOther, -1, second, nullptr}},
        {second, PAGE_AGENT, {Then::NewForm, PAGE_AGENT, nullptr, nullptr}},
        {second, PAGE_PELNOMOCNICTWO, {Then::NewForm, PAGE_PELNOMOCNICTWO, nullptr, nullptr}},
    };
    for (const auto& [selected, page, expected] : cases)
        EXPECT_EQ(plan(planResponseTab(tree, selected, page)), expected)
            << (selected ? selected->text() : "none") << " → " << page;
}

TEST(ResponseTab, AnAnswerWithoutResponsesShowsEveryPageEmpty) {
    DocumentTree tree;
    ASSERT_TRUE(tree.buildFromResponse("a.coa", {}).empty());
    EXPECT_EQ(plan(planResponseTab(tree, tree.root(), PAGE_WNIOSEK)),
              Plan(Then::NewForm, PAGE_WNIOSEK, nullptr, nullptr));
    EXPECT_EQ(plan(planResponseSelection(tree.root())), Plan(Then::Nothing, -1, nullptr, nullptr));
}

TEST(ResponseHeader, TheReasonsOfAStruckOutAgentTickTheBytesThatAreFF) {
    const std::tuple<const char*, const char*, DeletionReasonsView> cases[] = {
        {"WYKRE\x8CLONY", "FF", {true, {true, false, false, false}}},
        {"WYKRE\x8CLONY", "FF00FF00", {true, {false, true, false, true}}},
        {"WYKRE\x8CLONY", "ffffffff", {true, {true, true, true, true}}},
        {"WYKRE\x8CLONY", "01", {true, {false, false, false, false}}},
        {"WYKRE\x8CLONY", "<E>", {}},
        {"WYKRE\x8CLONY", "1FFFFFFFF", {}},  // past 32 bits: no number
        {"WYKRE\x8CLONY", "0xFF", {}},
        {"AKTYWNY", "FF", {}},
    };
    for (const auto& [status, reasons, expected] : cases) {
        TRecAgentOdp agent;
        agent.StatusAgenta = status;
        agent.PrzyczynyOdp = reasons;
        TRecOdpowiedz header;
        header.AgentOdp = &agent;
        EXPECT_EQ(deletionReasonsOf(header), expected) << status << " " << reasons;
    }
    EXPECT_EQ(deletionReasonsOf(TRecOdpowiedz()), DeletionReasonsView{});
}

TEST(ResponseFields, LabelsAndItemsByTheirValues) {
    EXPECT_EQ(documentNumberLabel(Field("DOW\323D OSOBISTY")), "PESEL");  // code page 1250
    EXPECT_EQ(documentNumberLabel(Field("PASZPORT")), "Seria i numer");
    EXPECT_EQ(documentNumberLabel(Field()), "Seria i numer");
    const std::pair<const char*, int> activities[] = {{"0", 0},  {"1", 1},    {"2", 2},  {"3", 3},
                                                      {"4", -1}, {"<E>", -1}, {"01", -1}};
    for (const auto& [text, item] : activities)
        EXPECT_EQ(activityItem(Field(text)), item) << text;
    const std::pair<const char*, int> kinds[] = {
        {"WPIS", 0}, {"AKTUALIZACJA", 1}, {"WYKRE\x8CLENIE", 2}, {"wpis", -1}, {"<E>", -1}};
    for (const auto& [text, kind] : kinds)
        EXPECT_EQ(answeredApplicationKind(Field(text)), kind) << text;
}

}  // namespace
}  // namespace tavik
