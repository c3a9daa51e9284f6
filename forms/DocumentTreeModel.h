#pragma once

#include <QAbstractItemModel>
#include <QList>

#include "document/DocumentTree.h"

namespace tavik {

// The record tree of a document as the tree view shows it: texts, pictures, the colour of an
// application's kind and the strike-out of marked records. Every change of the tree reaches the
// view through the tree's observer, so the tree may be changed by anyone.
class DocumentTreeModel : public QAbstractItemModel, private TreeObserver {
    Q_OBJECT
public:
    // Whether a node is marked for deletion (bool), for the painting of a selected node.
    static constexpr int StruckRole = Qt::UserRole + 1;
    // The warnings of a node's record (QStringList), when warnings are marked.
    static constexpr int WarningsRole = Qt::UserRole + 2;

    explicit DocumentTreeModel(DocumentTree& tree, QObject* parent = nullptr);
    ~DocumentTreeModel() override;

    DocumentTree& tree() const { return tree_; }
    TreeNode* node(const QModelIndex& index) const;
    QModelIndex indexOf(const TreeNode* node) const;

    // A record with a warning carries a mark on its picture and lists them in its tool tip.
    void setWarningMarks(bool on) { warningMarks_ = on; }

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    void strikeMarksChanged();

private:
    void beforeInsert(TreeNode* parent, int row) override;
    void afterInsert() override;
    void beforeRemove(TreeNode* parent, int row) override;
    void afterRemove() override;
    void beforeReorder() override;
    void afterReorder() override;
    void beforeReset() override;
    void afterReset() override;
    void marksChanged() override;

    QStringList warningsOf(const TreeNode& node) const;

    DocumentTree& tree_;
    bool warningMarks_ = false;
    QModelIndexList reorderedIndexes_;
    QList<TreeNode*> reorderedNodes_;
};

}  // namespace tavik
