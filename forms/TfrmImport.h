#pragma once

#include <QDialog>
#include <vector>

#include "model/Recdata.h"

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

namespace tavik {

class ProblemList;
class ReadCIA;
class Slownik;

// "Importowanie danych zewnętrznych": reads the chosen text files and shows what they hold, one
// branch per file, so that the clerk can remove what is not to be imported. Below, before
// anything is imported, every line of the files that the import refuses and every warning of
// the records read, each with its line.
class TfrmImport : public QDialog {
    Q_OBJECT
public:
    // Reads the files at once; a refusal is shown and its file brings nothing.
    explicit TfrmImport(const QStringList& files, QWidget* parent = nullptr);
    ~TfrmImport() override;

    // The records of the nodes left, in the tree's order, each below an agent linked to the
    // agent before it; the dialog holds none afterwards.
    std::vector<ReadRecord> takeRecords();

    // Removes the selected node with everything below it; its records are freed.
    void Usu1Click();

    QTreeWidget* tvImport;
    QLabel* lblProblemy;
    ProblemList* lvProblemy;  // shown when there is anything to list

private:
    void read(const QStringList& files);
    void build(const QString& fileName, std::vector<ReadRecord> records);
    void listProblems(const ReadCIA& files, const Slownik& dictionary);
    void release(QTreeWidgetItem* item);

    std::vector<ReadRecord> records_;  // a node carries the index of its record
};

}  // namespace tavik
