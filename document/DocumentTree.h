#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "document/TreeNode.h"
#include "model/UserMessage.h"

namespace tavik {

// Told of every change of a tree, before and after it, so that a view over the tree can follow.
// Inside a reset or a reorder nothing else is told.
class TreeObserver {
public:
    virtual ~TreeObserver() = default;
    virtual void beforeInsert(TreeNode* parent, int row) = 0;
    virtual void afterInsert() = 0;
    virtual void beforeRemove(TreeNode* parent, int row) = 0;
    virtual void afterRemove() = 0;
    // Siblings change their order (sorting, a renamed node moving to its place).
    virtual void beforeReorder() = 0;
    virtual void afterReorder() = 0;
    // Anything may change (building, importing, clearing).
    virtual void beforeReset() = 0;
    virtual void afterReset() = 0;
    // Struck-out marks changed.
    virtual void marksChanged() = 0;
};

// The working copy of an application document: the record tree the document window shows.
//
// Siblings are kept in alphabetical order of their texts as nodes are added or renamed, except
// the four category nodes under an agent, which keep their fixed order; the record sort of the
// settings and "Przesortuj" reorder on demand.
class DocumentTree {
public:
    enum Category { ZARZAD = 0, PRACOWNICY = 1, PELNOMOCNICTWA = 2, POLISY = 3 };
    enum class SortOrder { Insertion, Ascending, Descending };
    // The order of the "Sortowanie" setting: 1 ascending, 2 descending, anything else none.
    static SortOrder sortOrderOf(int setting) {
        return setting == 1   ? SortOrder::Ascending
               : setting == 2 ? SortOrder::Descending
                              : SortOrder::Insertion;
    }

    // Icons of the record kinds (indices into the window's image list).
    static constexpr int kIconApplication = 53;
    static constexpr int kIconAgent = 9;
    static constexpr int kIconAgentFromPage = 31;
    static constexpr int kIconEmployee = 32;
    static constexpr int kIconPolicy = 22;
    static constexpr int kIconPowerOfAttorney = 38;
    static constexpr int kIconBoardMember = 9;

    explicit DocumentTree(int fileVersion = 3);
    ~DocumentTree();
    DocumentTree(const DocumentTree&) = delete;
    DocumentTree& operator=(const DocumentTree&) = delete;

    // The version of the file the tree came from (3 for a new document): it selects the
    // record classes and checks.
    int fileVersion() const { return fileVersion_; }
    void setFileVersion(int version) { fileVersion_ = version; }

    // The document changed since it was opened or saved: records added, edited, removed,
    // struck out or brought back, imported. Sorting is no change.
    bool changed() const { return changed_; }
    void markChanged() { changed_ = true; }
    void markSaved() { changed_ = false; }

    // Not owned; null: nobody is told.
    void setObserver(TreeObserver* observer) { observer_ = observer; }

    TreeNode* root() const { return root_.get(); }
    void clear();
    TreeNode* setRoot(std::unique_ptr<TRecZU> undertaking);
    const TRecZU* undertaking() const;

    // Adding as the pages do: each node goes to its alphabetical place among its siblings.
    // An application is linked to the root's undertaking; an agent to its application, and it
    // gets the four category nodes unless its application is a deletion; a record below an
    // agent goes under its category and is linked to the agent. Null when it cannot be placed.
    TreeNode* addApplication(std::unique_ptr<TRecWniosek> application);
    TreeNode* addAgent(TreeNode* application, std::unique_ptr<TRecAgenta> agent,
                       int icon = kIconAgent);
    TreeNode* addRecord(TreeNode* agent, std::unique_ptr<TRecord> record, RecordKind kind);

    // After a record changed: its node's text is renewed and the node moves to its place.
    void renewText(TreeNode* node);

    // An agent whose application becomes a deletion loses its categories with every record in
    // them (the records are freed); one whose application is no deletion gets them back.
    void removeBelow(TreeNode* agent);
    void addCategories(TreeNode* agent);

    // Records read from a file, in file order, each placed by its links. Failures to place a
    // record are reported and the building goes on.
    std::vector<UserMessage> buildFromFile(std::vector<ReadRecord> records);
    // The register's answer: the file's name at the root, each response under it with its
    // agent, the agent's four categories and the answered records in them, in the reader's
    // order; records before their response or agent are skipped. Then the record sort.
    std::vector<UserMessage> buildFromResponse(const std::string& fileName,
                                               std::vector<ReadRecord> records);
    // Records of an import, in file order: each record below an agent belongs to the last agent
    // before it. Applications are counted, then the tree is sorted ascending.
    std::vector<UserMessage> importRecords(std::vector<ReadRecord> records);

    void sortRecords(SortOrder order);  // the record comparison
    void sortByText();                  // "Przesortuj"

    int applicationCount() const { return root_ ? static_cast<int>(root_->childCount()) : 0; }
    std::size_t nodeCount() const { return nodeCount_; }

    // Tree order: the root, then each node followed by its subtree.
    TreeNode* next(const TreeNode* node) const;
    TreeNode* previous(const TreeNode* node) const;
    TreeNode* last() const;
    // Visits every node in tree order.
    void forEach(const std::function<void(TreeNode&)>& visit) const;

    // The agent below an application node, or null.
    static TreeNode* agentOf(const TreeNode* application);
    // The application node a node belongs to (the node itself for an application), or null.
    static TreeNode* applicationOf(const TreeNode* node);
    static TreeNode* categoryOf(const TreeNode* agent, Category category);

    // Struck-out marks. The question to ask before toggling, or nothing to ask (no node, the
    // root, a category).
    std::optional<UserMessage> strikeQuestion(const TreeNode* node) const;
    // Toggles the mark: an application with its agent and everything below it; an agent with
    // its application and everything below it; a record alone, refused while its agent is
    // struck out.
    std::optional<UserMessage> toggleStrike(TreeNode* node);

    // The text of a record's node.
    static std::string nodeText(const TRecord& record, RecordKind kind, int positionInCategory);

private:
    class Notice;

    TreeNode* insertSorted(TreeNode* parent, std::unique_ptr<TreeNode> node);
    TreeNode* insertAt(TreeNode* parent, std::unique_ptr<TreeNode> node, std::size_t row);
    static std::unique_ptr<TreeNode> categoryNode(TreeNode* agent, int category);
    void renumber(TreeNode* parent, std::size_t from = 0);
    template <class KeyOf, class Compare>
    void sortChildren(TreeNode* parent, const KeyOf& keyOf, const Compare& compare);
    TreeNode* place(ReadRecord& entry, TreeNode*& lastApplication, TreeNode*& lastAgent,
                    bool linkToLastAgent);
    static void markSubtree(TreeNode* node, std::uint8_t mark);

    int fileVersion_;
    std::unique_ptr<TreeNode> root_;
    std::size_t nodeCount_ = 0;
    bool sortOnInsert_ = true;
    TreeObserver* observer_ = nullptr;
    int quiet_ = 0;  // inside a reset or reorder already told
    bool changed_ = false;
};

}  // namespace tavik
