#pragma once

#include <optional>

#include "document/DocumentTree.h"

namespace tavik {

// The pages of the document window, in the order of its tabs.
enum DocumentPage {
    PAGE_WNIOSEK = 0,
    PAGE_AGENT = 1,
    PAGE_ZARZAD = 2,
    PAGE_PRACOWNIK = 3,
    PAGE_PELNOMOCNICTWO = 4,
    PAGE_POLISA = 5,
};

// The page that shows the records of a kind (an answer on the page of what it answers), and the
// page of a category's records.
int pageOfKind(RecordKind kind);
int pageOfCategory(int category);

// What selecting a node asks of the window, in this order: tell the frame (when frameNotice is
// not negative), take applicationNode as the application in work, then either select another
// node (which is planned in its turn), show the node's record on its page, or open the page's
// blank form.
struct SelectionPlan {
    enum class Then { Nothing, SelectOther, ShowRecord, NewForm };
    Then then = Then::Nothing;
    int page = -1;
    int frameNotice = -1;  // "ZMIANA WEZLA": the page shown plus 1, or 0 for the root
    int frameFlag = 0;     // 1 when an application with an agent is shown
    TreeNode* applicationNode = nullptr;
    TreeNode* select = nullptr;  // SelectOther
};

SelectionPlan planSelection(TreeNode* node);

// The check a shown record gets, by the version of the document's file; records are
// normalised by it. The check's failure, as the window shows it, or nothing.
std::optional<UserMessage> checkShownRecord(TreeNode& node, int fileVersion);

// After a record below an agent of an entry application is shown (documents of versions 2 and
// 3): the warning when the board members entered do not fit the agent's declared number.
std::optional<UserMessage> boardRuleOnSelection(const TreeNode& node, int fileVersion);

// Which "new" commands the selection allows, and whether it may be marked for deletion.
struct NewCommandStates {
    bool wniosek = false, agent = false, pracownik = false, zarzad = false, pelnomocnictwo = false,
         polisa = false, deleteNode = false;
    bool operator==(const NewCommandStates&) const = default;
};
// Nothing without a selection: the commands keep their states.
std::optional<NewCommandStates> newCommandStates(const TreeNode* selected);

// Moving through the tree in its node order (the root first, each node followed by its
// subtree): the node to select, or null when nothing moves.
TreeNode* navigateBegin(const DocumentTree& tree, const TreeNode* selected);
TreeNode* navigateEnd(const DocumentTree& tree, const TreeNode* selected);
TreeNode* navigatePrevious(const DocumentTree& tree, const TreeNode* selected);
TreeNode* navigateNext(const DocumentTree& tree, const TreeNode* selected);

}  // namespace tavik
