#pragma once

#include <QString>

class QModelIndex;
class QTabWidget;
class QTreeView;
class QWidget;

namespace tavik {

class DocumentTreeModel;

// The parts the document window and the response window share.

// The record tree on the left: no header, nodes not editable, the selected one drawn bold
// yellow on blue.
QTreeView* makeRecordTreeView(DocumentTreeModel* model, QWidget* parent);
// Makes the node at `index` the view's current one; false when it already was, and the view
// then says nothing of it: the window shows the node again itself.
bool makeCurrent(QTreeView* view, const QModelIndex& index);
// A page as a tab that scrolls when the window is smaller than the page.
void addPageTab(QTabWidget* tabs, QWidget* page, int icon, const QString& caption);
// The tree and the pages side by side, split by a bar the clerk can move.
void layOutTreeAndPages(QWidget* window, QWidget* tree, QWidget* pages);

}  // namespace tavik
