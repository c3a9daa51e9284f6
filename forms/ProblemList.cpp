#include "forms/ProblemList.h"

#include <QHeaderView>

#include "flatpaint/IconLibrary.h"

namespace tavik {

ProblemList::ProblemList(const QStringList& headers, QWidget* parent) : QTreeWidget(parent) {
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAlternatingRowColors(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHeaderLabels(QStringList{QStringLiteral("Rodzaj")} + headers);
    header()->setStretchLastSection(true);
}

QTreeWidgetItem* ProblemList::addProblem(bool refusal, const QStringList& columns) {
    ++(refusal ? refusals_ : warnings_);
    auto* item = new QTreeWidgetItem(
        this,
        QStringList{refusal ? QStringLiteral("Błąd") : QStringLiteral("Ostrzeżenie")} + columns);
    item->setIcon(0, icons::icon(refusal ? icons::kError : icons::kWarning));
    // A long message is read whole under the mouse.
    item->setToolTip(columnCount() - 1, columns.value(columnCount() - 2));
    return item;
}

void ProblemList::addNote(const QString& text) {
    auto* item = new QTreeWidgetItem(this);
    item->setText(columnCount() - 1, text);
    item->setFlags(Qt::ItemIsEnabled);
}

QString ProblemList::counts() const {
    return QStringLiteral("błędy: %1, ostrzeżenia: %2").arg(refusals_).arg(warnings_);
}

void ProblemList::clearProblems() {
    clear();
    refusals_ = warnings_ = 0;
}

void ProblemList::fitColumns() {
    for (int c = 0; c + 1 < columnCount(); ++c)
        resizeColumnToContents(c);
}

QStringList ProblemList::rowTexts() const {
    QStringList rows;
    for (int i = 0; i < topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = topLevelItem(i);
        QStringList columns;
        for (int c = 0; c < columnCount(); ++c)
            columns << item->text(c);
        rows << columns.join(QStringLiteral(" | "));
    }
    return rows;
}

}  // namespace tavik
