#include <gtest/gtest.h>

#include <algorithm>

#include "document/DocumentTree.h"
#include "interchange/ReadOdp3.h"
#include "model/Cp1250.h"
#include "tests/support/TestStreams.h"
#include "tools/samples/SampleResponses.h"

namespace tavik {
namespace {

// The records a reader makes of a sample response of the version.
std::vector<ReadRecord> readSample(int version, const samples::ResponseShape& shape) {
    const std::string text = samples::sampleResponseText(version, shape, 3);
    std::unique_ptr<ReadOdp> reader =
        version == 3 ? std::make_unique<ReadOdp3>(samples::sampleResponseCode())
                     : std::make_unique<ReadOdp>(samples::sampleResponseCode());
    reader->Czytaj(text);
    return reader->TakeRecords();
}

// The texts of the node's children, in UTF-8, each followed by "|".
std::string texts(const TreeNode& node) {
    std::string out;
    for (const auto& c : node.children())
        out += cp1250::toUtf8(c->text()) + "|";
    return out;
}

TEST(ResponseTree, EveryResponseWithItsAgentCategoriesAndRecords) {
    for (int version : {1, 3}) {
        SCOPED_TRACE(version);
        samples::ResponseShape shape;
        shape.agents = 3;  // an entry, an update and a deletion, each in a response of its own
        shape.powersOfAttorney = 3;
        DocumentTree tree;
        EXPECT_TRUE(tree.buildFromResponse("/x/ODP.coa", readSample(version, shape)).empty());
        const TreeNode& root = *tree.root();
        EXPECT_EQ(root.text(), "/x/ODP.coa");
        EXPECT_FALSE(root.hasRecord());
        ASSERT_EQ(root.childCount(), 3u);
        EXPECT_FALSE(tree.changed());
        std::vector<std::string> headers;
        for (const auto& header : root.children()) {
            headers.push_back(header->text());
            EXPECT_EQ(header->kind(), KIND_ODPOWIEDZ);
            EXPECT_EQ(header->icon(), DocumentTree::kIconApplication);
            EXPECT_EQ(header->text(),
                      "Odpowied\x9F-" +
                          static_cast<const TRecOdpowiedz&>(*header->record()).NrOdpowiedzi.str());
            ASSERT_EQ(header->childCount(), 1u);
            const TreeNode& agent = *header->child(0);
            EXPECT_EQ(agent.kind(), KIND_AGENT_ODP);
            EXPECT_EQ(agent.icon(), DocumentTree::kIconAgent);
            EXPECT_EQ(agent.text(),
                      static_cast<const TRecAgenta&>(*agent.record()).NazwaAgenta.str());
            EXPECT_EQ(texts(agent), "Zarząd|Pracownicy|Pełnomocnictwa|Polisy|");
        }
        EXPECT_TRUE(std::is_sorted(headers.begin(), headers.end()));

        // The entry's records, each under its category, the employees in byte order.
        const TreeNode* full = nullptr;
        for (const auto& header : root.children())
            if (header->child(0)->child(DocumentTree::PRACOWNICY)->childCount() > 0)
                full = header->child(0);
        ASSERT_TRUE(full);
        const TreeNode& board = *full->child(DocumentTree::ZARZAD);
        const TreeNode& employees = *full->child(DocumentTree::PRACOWNICY);
        const TreeNode& policies = *full->child(DocumentTree::POLISY);
        EXPECT_EQ(board.childCount(), 3u);
        EXPECT_EQ(board.child(0)->icon(), DocumentTree::kIconBoardMember);
        EXPECT_EQ(employees.childCount(), 5u);
        EXPECT_TRUE(
            std::is_sorted(employees.children().begin(), employees.children().end(),
                           [](const auto& a, const auto& b) { return a->text() < b->text(); }));
        EXPECT_EQ(
            texts(*full->child(DocumentTree::PELNOMOCNICTWA)),
            "Pelnomocnictwo LP - 000001|Pelnomocnictwo LP - 000002|Pelnomocnictwo LP - 000003|");
        for (const auto& policy : policies.children()) {
            EXPECT_EQ(policy->text().rfind("Polisa - ", 0), 0u);
            EXPECT_EQ(policy->kind(), KIND_POLISA_ODP);
        }
    }
}

TEST(ResponseTree, RecordsWithoutTheirResponseOrAgentAreSkipped) {
    std::vector<ReadRecord> records;
    const auto add = [&](std::unique_ptr<TRecord> r, RecordKind kind) {
        records.push_back({std::move(r), kind});
    };
    add(std::make_unique<TRecPracownikOdp>(), KIND_PRACOWNIK_ODP);  // before any agent
    add(std::make_unique<TRecAgentOdp>(), KIND_AGENT_ODP);          // before any response
    add(std::make_unique<TRecOdpowiedz>(), KIND_ODPOWIEDZ);
    add(std::make_unique<TRecWniosek>(), KIND_WNIOSEK);       // no kind of an answer
    add(std::make_unique<TRecPolisaOdp>(), KIND_POLISA_ODP);  // its response has no agent yet
    auto agent = std::make_unique<TRecAgentOdp>();
    agent->NazwaAgenta = "AGENT";
    add(std::move(agent), KIND_AGENT_ODP);
    add(std::make_unique<TRecZarzadOdp>(), KIND_ZARZAD_ODP);
    DocumentTree tree;
    const auto failures = tree.buildFromResponse("a.coa", std::move(records));
    EXPECT_EQ(failures, (std::vector<UserMessage>{{"Wystąpił wyjątek przy dodawaniu agenta!",
                                                   "Błąd", MessageIcon::Error}}));
    EXPECT_EQ(texts(*tree.root()), "Odpowiedź-<E>|");
    ASSERT_EQ(tree.root()->child(0)->childCount(), 1u);
    const TreeNode& placed = *tree.root()->child(0)->child(0);
    EXPECT_EQ(placed.text(), "AGENT");
    EXPECT_EQ(placed.child(DocumentTree::ZARZAD)->childCount(), 1u);
    EXPECT_EQ(tree.nodeCount(), 8u);  // root, response, agent, four categories, board member
}

}  // namespace
}  // namespace tavik
