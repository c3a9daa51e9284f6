#pragma once

#include <memory>
#include <optional>
#include <string_view>

#include "document/DocumentTree.h"
#include "model/UserMessage.h"

// What accepting a page does to the tree, apart from the page: where a record goes, how an
// edited record takes its new values, the checksum it then carries, and the changes an
// application's or an agent's new values make to the records below the agent.
namespace tavik {

// Where a record accepted on its page goes.
struct Placement {
    enum class Then { AddUnder, Edit, Nowhere };
    Then then = Then::Nowhere;
    TreeNode* agent = nullptr;  // AddUnder: the agent whose category takes the record
    TreeNode* node = nullptr;   // Edit: the node whose record takes the values
};

// A blank form adds below the agent of the selection: the selected category's, the selected
// agent's, or the selected record's agent's category of the record's kind. A shown record of
// the same kind is edited in place. Without an agent that has categories nothing is placed.
Placement placementFor(TreeNode* selected, bool newRecordMode, RecordKind kind);

// Copies every text field of a record of the same class into another; links stay.
void assignFields(TRecord& to, const TRecord& from);

// A copy of an agent of its own class, links included.
std::unique_ptr<TRecAgenta> copyAgent(const TRecAgenta& agent);
// The check of an agent's own class: version 3, 2 or 1. Raises as the checks do.
void checkAgentOfItsClass(int& code, TRecAgenta& agent);

// The checksum of the record as the newest file version that stores its class computes it.
void renewChecksum(TRecord& record, RecordKind kind);

// An entry application's board: every board member under the agent is given the first
// operation kind, passes the board member check and gets a new checksum. All or nothing: the
// failure of one, as its check says it, leaves every member as it was.
std::optional<UserMessage> resetBoardForEntry(TreeNode& agent, std::string_view firstOperation);

// Clears the insurance kind of every power of attorney of an agent, renewing their checksums.
void clearInsuranceKinds(TreeNode& agent);

}  // namespace tavik
