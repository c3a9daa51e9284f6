#pragma once

#include <functional>
#include <optional>
#include <string>

#include "document/DocumentTree.h"

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

}  // namespace tavik
