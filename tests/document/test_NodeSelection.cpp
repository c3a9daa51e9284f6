#include <gtest/gtest.h>

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

TEST(NodeSelection, PlanOfEveryKindOfNode) {
    Document d;
    SelectionPlan p = planSelection(d.tree.root());
    EXPECT_EQ(p.then, Then::SelectOther);
    EXPECT_EQ(p.select, d.entry);
    EXPECT_EQ(p.frameNotice, 0);

    p = planSelection(d.entry);
    EXPECT_EQ(p.then, Then::ShowRecord);
    EXPECT_EQ(p.page, PAGE_WNIOSEK);
    EXPECT_EQ(p.frameNotice, 1);
    EXPECT_EQ(p.frameFlag, 1);
    EXPECT_EQ(p.applicationNode, d.entry);
    EXPECT_EQ(planSelection(d.bare).frameFlag, 0);

    p = planSelection(d.agentNode);
    EXPECT_EQ(p.page, PAGE_AGENT);
    EXPECT_EQ(p.frameNotice, 2);
    EXPECT_EQ(p.applicationNode, d.entry);

    p = planSelection(d.employee);
    EXPECT_EQ(p.then, Then::ShowRecord);
    EXPECT_EQ(p.page, PAGE_PRACOWNIK);
    EXPECT_EQ(p.frameNotice, 4);
    EXPECT_EQ(p.applicationNode, d.entry);

    // A category with records moves on to its first; an empty one opens its blank form.
    p = planSelection(d.category(DocumentTree::PRACOWNICY));
    EXPECT_EQ(p.then, Then::SelectOther);
    EXPECT_EQ(p.select, d.employee);
    EXPECT_EQ(p.frameNotice, 4);
    EXPECT_EQ(p.applicationNode, d.entry);
    const int notices[] = {3, 4, 5, 6};
    for (int c : {DocumentTree::ZARZAD, DocumentTree::PELNOMOCNICTWA, DocumentTree::POLISY}) {
        p = planSelection(d.category(c));
        EXPECT_EQ(p.then, Then::NewForm);
        EXPECT_EQ(p.page, 2 + c);
        EXPECT_EQ(p.frameNotice, notices[c]);
    }
    EXPECT_EQ(planSelection(nullptr).then, Then::Nothing);
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

    Document d;  // root, A, agent, 4 categories with an employee, B, C
    EXPECT_EQ(navigateBegin(d.tree, d.employee), d.entry);
    EXPECT_EQ(navigateNext(d.tree, nullptr), d.entry);
    EXPECT_EQ(navigateNext(d.tree, d.entry), d.agentNode);
    EXPECT_EQ(navigateNext(d.tree, d.category(DocumentTree::PRACOWNICY)), d.employee);
    EXPECT_EQ(navigateNext(d.tree, d.employee), d.category(DocumentTree::PELNOMOCNICTWA));
    EXPECT_EQ(navigatePrevious(d.tree, d.deletion), d.category(DocumentTree::POLISY));
    EXPECT_EQ(navigatePrevious(d.tree, d.entry), d.tree.root());
    EXPECT_EQ(navigatePrevious(d.tree, d.tree.root()), nullptr);
    EXPECT_EQ(navigateEnd(d.tree, d.entry), d.bare);
    EXPECT_EQ(navigateEnd(d.tree, d.bare), nullptr);
    EXPECT_EQ(navigateNext(d.tree, d.bare), nullptr);
}

}  // namespace
}  // namespace tavik

#include "document/FormText.h"

namespace tavik {
namespace {

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
