#include <gtest/gtest.h>

#include "document/FormText.h"
#include "document/NodeSelection.h"
#include "tests/support/TreeBuilder.h"

namespace tavik {
namespace {

using test::u8;
using Then = SelectionPlan::Then;

struct Document : test::TreeBuilder {
    TreeNode* entry = application("A");
    TreeNode* agentNode = agent(entry, "AGENT", "SPÓŁKA S.A.", "5");
    TreeNode* employee = person(agentNode, KIND_PRACOWNIK, "NOWAK");
    TreeNode* deletion = application("B", "WYKREŚLENIE");
    TreeNode* bare = application("C");

    TreeNode* category(int c) {
        return DocumentTree::categoryOf(agentNode, DocumentTree::Category(c));
    }
};

// A whole plan: what follows, the page, the frame's notice and flag, the application in work
// and the node selected instead.
using Plan = std::tuple<Then, int, int, int, const TreeNode*, const TreeNode*>;

TEST(NodeSelection, PlanOfEveryKindOfNode) {
    Document d;
    const std::pair<TreeNode*, Plan> cases[] = {
        {d.tree.root(), {Then::SelectOther, -1, 0, 0, nullptr, d.entry}},
        {d.entry, {Then::ShowRecord, PAGE_WNIOSEK, 1, 1, d.entry, nullptr}},
        {d.bare, {Then::ShowRecord, PAGE_WNIOSEK, 1, 0, d.bare, nullptr}},
        {d.agentNode, {Then::ShowRecord, PAGE_AGENT, 2, 0, d.entry, nullptr}},
        {d.employee, {Then::ShowRecord, PAGE_PRACOWNIK, 4, 0, d.entry, nullptr}},
        // A category with records moves on to its first; an empty one opens its blank form.
        {d.category(DocumentTree::PRACOWNICY),
         {Then::SelectOther, PAGE_PRACOWNIK, 4, 0, d.entry, d.employee}},
        {d.category(DocumentTree::ZARZAD), {Then::NewForm, PAGE_ZARZAD, 3, 0, d.entry, nullptr}},
        {d.category(DocumentTree::PELNOMOCNICTWA),
         {Then::NewForm, PAGE_PELNOMOCNICTWO, 5, 0, d.entry, nullptr}},
        {d.category(DocumentTree::POLISY), {Then::NewForm, PAGE_POLISA, 6, 0, d.entry, nullptr}},
        {nullptr, {Then::Nothing, -1, -1, 0, nullptr, nullptr}},
    };
    for (const auto& [node, expected] : cases) {
        const SelectionPlan p = planSelection(node);
        EXPECT_EQ(Plan(p.then, p.page, p.frameNotice, p.frameFlag, p.applicationNode, p.select),
                  expected)
            << (node ? cp1250::toUtf8(node->text()) : "none");
    }
}

TEST(NodeSelection, BoardRuleOnlyBelowAnEntryAgentOfNewerFiles) {
    Document d;
    TreeNode* policy = d.policy(d.agentNode, "OC/1");
    // "SPÓŁKA S.A." declaring 5 with none entered: below half.
    auto warning = boardRuleOnSelection(*d.employee, 3);
    ASSERT_TRUE(warning);
    EXPECT_EQ(warning->caption, "Komunikat");
    EXPECT_EQ(warning->icon, MessageIcon::Warning);
    EXPECT_TRUE(boardRuleOnSelection(*policy, 2));
    EXPECT_FALSE(boardRuleOnSelection(*d.employee, 1));
    EXPECT_FALSE(boardRuleOnSelection(*d.agentNode, 3));
    d.person(d.agentNode, KIND_ZARZAD, "A");
    d.person(d.agentNode, KIND_ZARZAD, "B");
    EXPECT_TRUE(boardRuleOnSelection(*d.employee, 3));
    d.person(d.agentNode, KIND_ZARZAD, "C");
    EXPECT_FALSE(boardRuleOnSelection(*d.employee, 3));  // 3 of 5 is at least half

    test::TreeBuilder update;
    TreeNode* app = update.application("U", "AKTUALIZACJA");
    TreeNode* agent = update.agent(app, "X", "SPÓŁKA S.A.", "5");
    EXPECT_FALSE(boardRuleOnSelection(*update.person(agent, KIND_PRACOWNIK, "N"), 3));
}

TEST(NodeSelection, CheckOfAShownRecordNamesItsFailure) {
    Document d;
    static_cast<TRecWniosek*>(d.entry->record())->DataWniosku = "<E>";
    auto failure = checkShownRecord(*d.entry, 3);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->caption, "Walidacja");
    EXPECT_EQ(failure->text,
              "Pole DATAWNIOSKU jest puste\nmaksymalna długość pola: 10\nPole jest obowiązkowe!");
    // A check normalises: a valid record passes and stays as it is.
    static_cast<TRecWniosek*>(d.entry->record())->DataWniosku = "01.02.2026";
    EXPECT_FALSE(checkShownRecord(*d.entry, 3));
}

TEST(NodeSelection, NewCommandsFollowTheSelection) {
    Document d;
    EXPECT_FALSE(newCommandStates(nullptr));
    NewCommandStates only;
    only.wniosek = true;
    EXPECT_EQ(*newCommandStates(d.tree.root()), only);

    const auto expect = [&](const TreeNode* node, bool NewCommandStates::*on, bool deletes) {
        NewCommandStates s;
        s.*on = true;
        s.deleteNode = deletes;
        EXPECT_EQ(*newCommandStates(node), s) << cp1250::toUtf8(node->text());
    };
    expect(d.category(DocumentTree::PRACOWNICY), &NewCommandStates::pracownik, false);
    expect(d.category(DocumentTree::ZARZAD), &NewCommandStates::zarzad, false);
    expect(d.category(DocumentTree::PELNOMOCNICTWA), &NewCommandStates::pelnomocnictwo, false);
    expect(d.category(DocumentTree::POLISY), &NewCommandStates::polisa, false);
    expect(d.entry, &NewCommandStates::wniosek, true);
    expect(d.bare, &NewCommandStates::agent, true);
    expect(d.agentNode, &NewCommandStates::wniosek, true);
    expect(d.employee, &NewCommandStates::pracownik, true);
    expect(d.policy(d.agentNode, "P"), &NewCommandStates::polisa, true);
    expect(d.power(d.agentNode), &NewCommandStates::pelnomocnictwo, true);
    expect(d.person(d.agentNode, KIND_ZARZAD, "Z"), &NewCommandStates::zarzad, true);
}

TEST(NodeSelection, NavigationInNodeOrder) {
    test::TreeBuilder small;
    EXPECT_EQ(navigateBegin(small.tree, nullptr), nullptr);  // the root alone
    TreeNode* only = small.application("A");
    // The root and one record: Begin moves, the others do not.
    EXPECT_EQ(navigateBegin(small.tree, nullptr), only);
    EXPECT_EQ(navigateEnd(small.tree, nullptr), nullptr);
    EXPECT_EQ(navigateNext(small.tree, only), nullptr);
    EXPECT_EQ(navigatePrevious(small.tree, only), nullptr);

    // Next from nothing and Previous from the last walk every node in order, each way.
    Document d;
    const auto walk = [&d](auto step, const TreeNode* from) {
        std::string out;
        for (const TreeNode* n = step(d.tree, from); n; n = step(d.tree, n))
            out += cp1250::toUtf8(n->text()) + "|";
        return out;
    };
    EXPECT_EQ(walk(navigateNext, nullptr),
              "A|AGENT|Zarząd|Pracownicy|NOWAK|Pełnomocnictwa|Polisy|B|C|");
    EXPECT_EQ(walk(navigatePrevious, d.bare),
              "B|Polisy|Pełnomocnictwa|NOWAK|Pracownicy|Zarząd|AGENT|A|JASKÓŁKA|");
    EXPECT_EQ(navigateBegin(d.tree, d.employee), d.entry);
    EXPECT_EQ(navigateEnd(d.tree, d.entry), d.bare);
    EXPECT_EQ(navigateEnd(d.tree, d.bare), nullptr);
}

TEST(FormText, TypedTextIsTrimmedUpperCasedAndEmptyIsTheMarker) {
    EXPECT_EQ(fieldFromText(u8("  łódź ul. żółta ")), u8("ŁÓDŹ UL. ŻÓŁTA"));
    EXPECT_EQ(fieldFromText("   "), "<E>");
    EXPECT_EQ(fieldFromText(""), "<E>");
    // A mask left as it was is no value; one digit typed is.
    EXPECT_EQ(fieldFromMaskedText("___-__-__-___", "-"), "<E>");
    EXPECT_EQ(fieldFromMaskedText(" -   -  - ", "-"), "<E>");
    EXPECT_EQ(fieldFromMaskedText("  .  .    ", "."), "<E>");
    EXPECT_EQ(fieldFromMaskedText("1__-__-__-___", "-"), "1__-__-__-___");
    EXPECT_EQ(fieldFromMaskedText("00-950", "-"), "00-950");
    EXPECT_EQ(fieldFromMaskedText("12345678/a", "/"), "12345678/A");
}

}  // namespace
}  // namespace tavik
