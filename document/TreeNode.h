#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/Recdata.h"

namespace tavik {

// What the clerk gave for a deletion application: the end of the agency contract (dd.mm.yyyy)
// and the reasons (eight hexadecimal digits), each "<E>" when not given. Stored in the agent;
// kept on the application's node while the application has no agent yet.
struct DeletionExtras {
    std::string date = "<E>";
    std::string reasons = "<E>";
    bool operator==(const DeletionExtras&) const = default;
};

// One node of a document's record tree: the undertaking at the root, applications, agents,
// the four category nodes under an agent, and the agent's records. A record node owns its
// record and carries its entry (record, kind, struck mark); a category node carries none.
// Every node knows its row among its siblings, so finding it never scans them.
class TreeNode {
public:
    static constexpr int kNoIcon = -1;

    TreeNode* parent() const { return parent_; }
    int row() const { return row_; }
    std::size_t childCount() const { return children_.size(); }
    TreeNode* child(std::size_t i) const { return children_[i].get(); }
    const std::vector<std::unique_ptr<TreeNode>>& children() const { return children_; }

    const std::string& text() const { return text_; }  // code page 1250
    int icon() const { return icon_; }
    // 0 to 3 for the category nodes ("Zarząd", "Pracownicy", "Pełnomocnictwa", "Polisy").
    int category() const { return category_; }
    bool isCategory() const { return category_ >= 0; }

    bool hasRecord() const { return record_ != nullptr; }
    TRecord* record() const { return record_.get(); }
    RecordKind kind() const { return static_cast<RecordKind>(entry_.kind); }
    bool struck() const { return entry_.struck != 0; }
    _RecData& entry() { return entry_; }
    // True when the node's record or a record above it is struck out: nothing of it is saved.
    bool inStruckBranch() const;

    // An application without an agent: the deletion data entered for the agent to come.
    const DeletionExtras& pendingDeletion() const;
    void setPendingDeletion(const DeletionExtras& extras);

    // Depth below the root: 0 the root, 1 an application, 2 an agent …
    int level() const;

private:
    friend class DocumentTree;

    TreeNode* parent_ = nullptr;
    int row_ = 0;
    std::vector<std::unique_ptr<TreeNode>> children_;
    std::string text_;
    int icon_ = kNoIcon;
    int category_ = -1;
    std::unique_ptr<TRecord> record_;
    _RecData entry_;
    std::unique_ptr<DeletionExtras> pendingDeletion_;  // rare: kept small for every other node
};

}  // namespace tavik
