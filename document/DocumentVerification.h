#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "document/DocumentTree.h"
#include "interchange/FieldChecks.h"

namespace tavik {

// What a failed verification asks of the window: the message to show, the node to select,
// and for the board rule the page to show and the notice for the frame.
struct VerificationResult {
    bool ok = true;
    std::optional<UserMessage> message;
    TreeNode* select = nullptr;
    int page = -1;         // 2: the board member page
    int frameNotice = -1;  // "ZMIANA WEZLA" with this page number (3: board member)
};

// The board-size rule of an agent of an entry application: the warning when the board
// members entered do not fit the number the agent declares, or nothing.
std::optional<UserMessage> boardSizeWarning(const TreeNode& agent);

// Checks the whole document before it is saved or split; struck-out records are skipped.
// Record checks normalise the records they check. `progress` receives the status-bar text.
VerificationResult verifyDocument(DocumentTree& tree,
                                  const std::function<void(const std::string&)>& progress = {});

// One problem of a document as its listing shows it: a refusal the saving would meet (of a
// record's check or of the rules of a whole application) or a warning of a record.
struct DocumentProblem {
    bool refusal = false;
    const TreeNode* node = nullptr;  // the node to select for it
    std::string placement;           // the application's number (UTF-8), or ""
    std::string text;                // UTF-8, one line
    bool operator==(const DocumentProblem&) const = default;
};

// Every problem of the records that would be saved, in tree order; for each node its refusal
// comes before its warnings. Nothing in the tree is changed: records are checked as copies.
std::vector<DocumentProblem> listProblems(const DocumentTree& tree, const CalendarDate& today);

// The warnings of a node's record; none for a node without one or in a struck-out branch.
std::vector<std::string> warningsOfNode(const TreeNode& node, const CalendarDate& today);

// The warnings of a record just accepted, as the one box that shows them, or nothing.
std::optional<UserMessage> warningBox(const TreeNode& node, const CalendarDate& today);

}  // namespace tavik
