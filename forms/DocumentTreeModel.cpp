#include "forms/DocumentTreeModel.h"

#include <QBrush>
#include <QColor>
#include <QFont>

#include "document/DocumentVerification.h"
#include "flatpaint/IconLibrary.h"
#include "forms/FieldControls.h"
#include "forms/KindColours.h"
#include "interchange/Warnings.h"

namespace tavik {

DocumentTreeModel::DocumentTreeModel(DocumentTree& tree, QObject* parent)
    : QAbstractItemModel(parent), tree_(tree) {
    tree_.setObserver(this);
}

DocumentTreeModel::~DocumentTreeModel() {
    tree_.setObserver(nullptr);
}

TreeNode* DocumentTreeModel::node(const QModelIndex& index) const {
    return index.isValid() ? static_cast<TreeNode*>(index.internalPointer()) : nullptr;
}

QModelIndex DocumentTreeModel::indexOf(const TreeNode* node) const {
    if (!node) return {};
    return createIndex(node->row(), 0, const_cast<TreeNode*>(node));
}

QModelIndex DocumentTreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0) return {};
    if (!parent.isValid()) {
        TreeNode* root = tree_.root();
        return row == 0 && root ? createIndex(0, 0, root) : QModelIndex();
    }
    TreeNode* p = node(parent);
    if (static_cast<std::size_t>(row) >= p->childCount()) return {};
    return createIndex(row, 0, p->child(static_cast<std::size_t>(row)));
}

QModelIndex DocumentTreeModel::parent(const QModelIndex& child) const {
    const TreeNode* n = node(child);
    return n ? indexOf(n->parent()) : QModelIndex();
}

int DocumentTreeModel::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid()) return tree_.root() ? 1 : 0;
    if (parent.column() != 0) return 0;
    return static_cast<int>(node(parent)->childCount());
}

int DocumentTreeModel::columnCount(const QModelIndex&) const {
    return 1;
}

QVariant DocumentTreeModel::data(const QModelIndex& index, int role) const {
    const TreeNode* n = node(index);
    if (!n) return {};
    switch (role) {
        case Qt::DisplayRole: return forms::qt(n->text());
        case Qt::ToolTipRole: {
            QStringList lines = warningsOf(*n);
            lines.prepend(forms::qt(n->text()));
            return lines.join(QLatin1Char('\n'));
        }
        case Qt::DecorationRole:
            if (n->icon() == TreeNode::kNoIcon) return {};
            return icons::icon(warningsOf(*n).isEmpty() ? n->icon()
                                                        : n->icon() | icons::kWarningMarked);
        case WarningsRole: return warningsOf(*n);
        case Qt::ForegroundRole:
            // An application, or the register's answer to one, in the colour of its kind.
            if (n->hasRecord() && (n->kind() == KIND_WNIOSEK || n->kind() == KIND_ODPOWIEDZ)) {
                const int kind = static_cast<const TRecWniosek*>(n->record())->RodzajWniosku;
                if (kind >= 0 && kind <= 2) return QBrush(kindColour(kind));
            }
            return {};
        case Qt::FontRole:
            if (n->struck()) {
                QFont font;
                font.setStrikeOut(true);
                return font;
            }
            return {};
        case StruckRole: return n->struck();
        default: return {};
    }
}

QStringList DocumentTreeModel::warningsOf(const TreeNode& node) const {
    QStringList out;
    if (!warningMarks_) return out;
    for (const std::string& warning : warningsOfNode(node, localToday()))
        out << QString::fromStdString(warning);
    return out;
}

Qt::ItemFlags DocumentTreeModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void DocumentTreeModel::beforeInsert(TreeNode* parent, int row) {
    beginInsertRows(indexOf(parent), row, row);
}

void DocumentTreeModel::afterInsert() {
    endInsertRows();
}

void DocumentTreeModel::beforeRemove(TreeNode* parent, int row) {
    beginRemoveRows(indexOf(parent), row, row);
}

void DocumentTreeModel::afterRemove() {
    endRemoveRows();
}

void DocumentTreeModel::beforeReorder() {
    emit layoutAboutToBeChanged();
    reorderedIndexes_ = persistentIndexList();
    reorderedNodes_.clear();
    for (const QModelIndex& i : reorderedIndexes_)
        reorderedNodes_ << node(i);
}

void DocumentTreeModel::afterReorder() {
    // Nodes keep their identity; only their rows changed.
    QModelIndexList moved;
    moved.reserve(reorderedNodes_.size());
    for (TreeNode* n : reorderedNodes_)
        moved << indexOf(n);
    changePersistentIndexList(reorderedIndexes_, moved);
    reorderedIndexes_.clear();
    reorderedNodes_.clear();
    emit layoutChanged();
}

void DocumentTreeModel::beforeReset() {
    beginResetModel();
}

void DocumentTreeModel::afterReset() {
    endResetModel();
}

void DocumentTreeModel::marksChanged() {
    emit strikeMarksChanged();
}

}  // namespace tavik
