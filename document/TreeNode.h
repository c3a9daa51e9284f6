#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/Recdata.h"

namespace tavik {

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
};

}  // namespace tavik
