#pragma once

namespace tavik {

class DocumentTree;
class TreeNode;

// What the search reaches of a window that shows a record tree: the document window and the
// response window alike.
class RecordTreeWindow {
public:
    virtual ~RecordTreeWindow() = default;

    virtual const DocumentTree& recordTree() const = 0;
    virtual TreeNode* selectedNode() const = 0;
    // Selects a node as the clerk does: the window shows its record.
    virtual void select(TreeNode* node) = 0;
};

}  // namespace tavik
