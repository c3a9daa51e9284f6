#include "forms/WindowLayout.h"

#include <QHeaderView>
#include <QScrollArea>
#include <QSplitter>
#include <QTabWidget>
#include <QTreeView>
#include <QVBoxLayout>

#include "flatpaint/IconLibrary.h"
#include "forms/DocumentTreeModel.h"
#include "forms/TreeNodeDelegate.h"

namespace tavik {

QTreeView* makeRecordTreeView(DocumentTreeModel* model, QWidget* parent) {
    auto* view = new QTreeView(parent);
    view->setObjectName(QStringLiteral("TreeView1"));
    view->setModel(model);
    view->setHeaderHidden(true);
    view->setUniformRowHeights(true);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setItemDelegate(new TreeNodeDelegate(view));
    view->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    view->header()->setStretchLastSection(false);
    return view;
}

bool makeCurrent(QTreeView* view, const QModelIndex& index) {
    if (index == view->currentIndex()) return false;
    view->setCurrentIndex(index);
    return true;
}

void addPageTab(QTabWidget* tabs, QWidget* page, int icon, const QString& caption) {
    auto* scroll = new QScrollArea;
    scroll->setWidget(page);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    tabs->addTab(scroll, icons::icon(icon), caption);
}

void layOutTreeAndPages(QWidget* window, QWidget* tree, QWidget* pages) {
    auto* splitter = new QSplitter(window);
    splitter->setObjectName(QStringLiteral("Splitter1"));
    splitter->addWidget(tree);
    splitter->addWidget(pages);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({230, 650});
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(splitter);
    window->resize(880, 600);
}

}  // namespace tavik
