#pragma once

#include <QTreeWidget>

namespace tavik {

// A list of refusals and warnings, one row each: its kind with its picture first, then the
// columns its owner names (where it is, what it says). Rows keep the order they are added in.
class ProblemList : public QTreeWidget {
    Q_OBJECT
public:
    // The headers of the columns after the kind.
    ProblemList(const QStringList& headers, QWidget* parent = nullptr);

    QTreeWidgetItem* addProblem(bool refusal, const QStringList& columns);
    // A row without a kind, saying that there is nothing to list.
    void addNote(const QString& text);

    int refusals() const { return refusals_; }
    int warnings() const { return warnings_; }
    // "błędy: 2, ostrzeżenia: 5"
    QString counts() const;
    void clearProblems();
    // Every column but the text as wide as what it holds.
    void fitColumns();

    // The rows as text, one line each with its columns joined by " | ".
    QStringList rowTexts() const;

private:
    int refusals_ = 0, warnings_ = 0;
};

}  // namespace tavik
