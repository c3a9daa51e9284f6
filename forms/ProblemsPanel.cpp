#include "forms/ProblemsPanel.h"

#include <QAbstractItemModel>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QTimer>

#include "document/DocumentVerification.h"
#include "forms/DocumentWindow.h"
#include "forms/FieldControls.h"
#include "forms/ProblemList.h"
#include "interchange/Warnings.h"

namespace tavik {

ProblemsPanel::ProblemsPanel(DocumentWindow& window, QAbstractItemModel& model, QWidget* parent)
    : QDockWidget(parent), window_(window) {
    setObjectName(QStringLiteral("ProblemsPanel"));
    setAllowedAreas(Qt::BottomDockWidgetArea | Qt::TopDockWidgetArea);
    list_ = new ProblemList(
        {QStringLiteral("Wniosek"), QStringLiteral("Rekord"), QStringLiteral("Opis")}, this);
    list_->setObjectName(QStringLiteral("lvProblemy"));
    setWidget(list_);
    connect(list_, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { activate(list_->indexOfTopLevelItem(item)); });
    for (auto signal :
         {&QAbstractItemModel::rowsAboutToBeRemoved, &QAbstractItemModel::rowsInserted})
        connect(&model, signal, this, &ProblemsPanel::scheduleRefresh);
    connect(&model, &QAbstractItemModel::modelAboutToBeReset, this,
            &ProblemsPanel::scheduleRefresh);
    connect(&model, &QAbstractItemModel::layoutAboutToBeChanged, this,
            &ProblemsPanel::scheduleRefresh);
}

void ProblemsPanel::refresh() {
    refreshPending_ = false;
    nodes_.clear();
    // The clerk working down the list keeps his place in it.
    const int scrolled = list_->verticalScrollBar()->value();
    const int current = list_->indexOfTopLevelItem(list_->currentItem());
    list_->setUpdatesEnabled(false);
    list_->clearProblems();
    for (const DocumentProblem& p : listProblems(window_.tree(), localToday())) {
        list_->addProblem(p.refusal, {QString::fromStdString(p.placement),
                                      p.node ? forms::qt(p.node->text()) : QString(),
                                      QString::fromStdString(p.text)});
        nodes_.push_back(p.node);
    }
    if (nodes_.empty())
        list_->addNote(QStringLiteral("Dokument nie zawiera błędów ani ostrzeżeń."));
    list_->fitColumns();
    if (current >= 0 && current < list_->topLevelItemCount())
        list_->setCurrentItem(list_->topLevelItem(current));
    list_->verticalScrollBar()->setValue(scrolled);
    list_->setUpdatesEnabled(true);
    setWindowTitle(QStringLiteral("Sprawdzenie dokumentu %1 (%2)")
                       .arg(QFileInfo(window_.caption()).fileName(), list_->counts()));
}

void ProblemsPanel::scheduleRefresh() {
    nodes_.clear();
    if (refreshPending_ || isHidden()) return;
    refreshPending_ = true;
    QTimer::singleShot(0, this, [this] {
        if (refreshPending_) refresh();
    });
}

void ProblemsPanel::activate(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= nodes_.size()) return;
    QWidget* document = window_.widget();
    if (auto* frame = qobject_cast<QMdiSubWindow*>(document->parentWidget()))
        if (QMdiArea* area = frame->mdiArea()) area->setActiveSubWindow(frame);
    window_.select(const_cast<TreeNode*>(nodes_[static_cast<std::size_t>(row)]));
}

}  // namespace tavik
