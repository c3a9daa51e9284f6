#include "forms/TreeNodeDelegate.h"

namespace tavik {

void TreeNodeDelegate::initStyleOption(QStyleOptionViewItem* option,
                                       const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    if (!(option->state & QStyle::State_Selected)) return;
    option->font.setBold(true);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        option->palette.setColor(group, QPalette::Highlight, QColor(0, 0, 255));
        option->palette.setColor(group, QPalette::HighlightedText, QColor(255, 255, 0));
    }
    option->palette.setColor(QPalette::Text, QColor(255, 255, 0));
}

}  // namespace tavik
