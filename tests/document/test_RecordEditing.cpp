#include <gtest/gtest.h>

#include "document/RecordEditing.h"
#include "interchange/walidacja.h"
#include "tests/support/RpaFileBuilder.h"
#include "tests/support/TreeBuilder.h"
#include "tools/samples/SampleDocuments.h"

namespace tavik {
namespace {

using test::u8;
using Then = Placement::Then;

TEST(RecordEditing, PlacementFollowsTheSelection) {
    test::TreeBuilder b;
    TreeNode* application = b.application("A");
    TreeNode* agent = b.agent(application, "AGENT");
    TreeNode* employee = b.person(agent, KIND_PRACOWNIK, "NOWAK");
    TreeNode* policy = b.policy(agent, "OC/1");
    TreeNode* employees = DocumentTree::categoryOf(agent, DocumentTree::PRACOWNICY);

    struct Case {
        TreeNode* selected;
        bool newForm;
        RecordKind kind;
        Then then;
        TreeNode* target;
    };
    const Case cases[] = {
        {employees, true, KIND_PRACOWNIK, Then::AddUnder, agent},
        {agent, true, KIND_PRACOWNIK, Then::AddUnder, agent},
        {agent, true, KIND_PELNOMOCNICTWO, Then::AddUnder, agent},  // as a policy is
        {employee, true, KIND_PRACOWNIK, Then::AddUnder, agent},
        {policy, true, KIND_PRACOWNIK, Then::AddUnder, agent},  // the record's agent
        {employee, false, KIND_PRACOWNIK, Then::Edit, employee},
        {policy, false, KIND_POLISA, Then::Edit, policy},
        {policy, false, KIND_PRACOWNIK, Then::AddUnder, agent},  // another kind is not edited
        {application, true, KIND_PRACOWNIK, Then::Nowhere, nullptr},
        {b.tree.root(), true, KIND_POLISA, Then::Nowhere, nullptr},
        {nullptr, true, KIND_POLISA, Then::Nowhere, nullptr},
    };
    for (const Case& c : cases) {
        const Placement p = placementFor(c.selected, c.newForm, c.kind);
        EXPECT_EQ(p.then, c.then) << (c.selected ? c.selected->text() : "none") << " " << c.kind;
        EXPECT_EQ(c.then == Then::Edit ? p.node : p.agent, c.target);
    }
    // A deletion's agent has no categories: nothing can go below it.
    TreeNode* deletion = b.application("D", "WYKREŚLENIE");
    TreeNode* deletionAgent = b.agent(deletion, "X");
    EXPECT_EQ(placementFor(deletionAgent, true, KIND_PRACOWNIK).then, Then::Nowhere);
}

TEST(RecordEditing, AssignedFieldsAndTheChecksumOfTheRecordsOwnVersion) {
    const samples::SampleDocument sample(3, {}, 4);
    for (std::size_t i = 0; i < sample.records().size(); ++i) {
        const TRecord& original = *sample.records()[i];
        if (sample.kinds()[i] != KIND_PRACOWNIK) continue;
        TRecPracownik copy;
        assignFields(copy, original);
        renewChecksum(copy, KIND_PRACOWNIK);
        EXPECT_EQ(copy.CRC, original.CRC);  // the sample carries its version-3 checksum
        EXPECT_EQ(copy.CRC, test::checksumOf(copy, KIND_PRACOWNIK, 3));
    }
    // An older agent keeps the checksum of its own version.
    const samples::SampleDocument older(2, {}, 4);
    for (std::size_t i = 0; i < older.records().size(); ++i)
        if (older.kinds()[i] == KIND_AGENT) {
            TRecAgenta2 copy(static_cast<const TRecAgenta2&>(*older.records()[i]));
            copy.CRC = 0;
            renewChecksum(copy, KIND_AGENT);
            EXPECT_EQ(copy.CRC, older.records()[i]->CRC);
        }
}

TEST(RecordEditing, EntryResetsTheBoardAllOrNothing) {
    test::TreeBuilder b;
    TreeNode* application = b.application("A");
    TreeNode* agent = b.agent(application, "AGENT");
    // Two complete board members of an update, as a valid sample has them.
    const samples::SampleDocument sample(3, {}, 9);
    for (std::size_t i = 0; i < sample.records().size(); ++i)
        if (sample.kinds()[i] == KIND_ZARZAD &&
            DocumentTree::categoryOf(agent, DocumentTree::ZARZAD)->childCount() < 2) {
            auto member =
                std::make_unique<TRecZarzad>(static_cast<const TRecZarzad&>(*sample.records()[i]));
            member->Rodzaj_Operacji = "AKTUALIZACJA";
            member->Numer_w_RA = "12345678/C";
            b.tree.addRecord(agent, std::move(member), KIND_ZARZAD);
        }
    TreeNode* board = DocumentTree::categoryOf(agent, DocumentTree::ZARZAD);
    ASSERT_EQ(board->childCount(), 2u);
    auto& second = static_cast<TRecZarzad&>(*board->child(1)->record());
    const Field name = second.Nazwisko;
    second.Nazwisko = "<E>";  // this one cannot be an entry
    const auto failure = resetBoardForEntry(*agent, "NOWY");
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->caption, "Walidacja");
    for (const auto& member : board->children())
        EXPECT_EQ(static_cast<TRecZarzad&>(*member->record()).Rodzaj_Operacji, "AKTUALIZACJA");

    second.Nazwisko = name;
    EXPECT_FALSE(resetBoardForEntry(*agent, "NOWY"));
    for (const auto& member : board->children()) {
        auto& record = static_cast<TRecZarzad&>(*member->record());
        EXPECT_EQ(record.Rodzaj_Operacji, "NOWY");
        EXPECT_EQ(record.Numer_w_RA, "<E>");  // an entry has no register number yet
        EXPECT_EQ(record.CRC, test::checksumOf(record, KIND_ZARZAD, 3));
    }
}

// Powers lose their insurance kinds with new checksums; an agent loses its categories with
// every record in them, and gets them back once.
TEST(RecordEditing, InsuranceKindsClearedAndCategoriesRemovedAndGivenBack) {
    test::TreeBuilder b;
    TreeNode* agent = b.agent(b.application("A"), "AGENT");
    for (int i = 0; i < 2; ++i)
        static_cast<TRecPelnomocnictwo*>(b.power(agent)->record())->RodzajUbezpieczenia =
            "MAJATKOWE";
    clearInsuranceKinds(*agent);
    for (const auto& power :
         DocumentTree::categoryOf(agent, DocumentTree::PELNOMOCNICTWA)->children()) {
        auto& record = static_cast<TRecPelnomocnictwo&>(*power->record());
        EXPECT_EQ(record.RodzajUbezpieczenia, "<E>");
        EXPECT_EQ(record.CRC, test::checksumOf(record, KIND_PELNOMOCNICTWO, 3));
    }
    b.person(agent, KIND_PRACOWNIK, "NOWAK");
    const std::size_t before = b.tree.nodeCount();
    b.tree.removeBelow(agent);
    EXPECT_EQ(agent->childCount(), 0u);
    EXPECT_EQ(b.tree.nodeCount(), before - 7);
    b.tree.addCategories(agent);
    ASSERT_EQ(agent->childCount(), 4u);
    EXPECT_EQ(cp1250::toUtf8(agent->child(0)->text()), "Zarząd");
    EXPECT_EQ(agent->child(3)->category(), DocumentTree::POLISY);
    EXPECT_EQ(b.tree.nodeCount(), before - 3);
    b.tree.addCategories(agent);  // once only
    EXPECT_EQ(agent->childCount(), 4u);
}

}  // namespace
}  // namespace tavik
