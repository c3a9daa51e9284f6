#pragma once

#include <QStyledItemDelegate>

namespace tavik {

// Draws the selected node of the record trees in bold yellow on blue, whether or not the tree
// has the focus; other nodes as the model says (colours of application kinds, strike-out).
class TreeNodeDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

}  // namespace tavik
