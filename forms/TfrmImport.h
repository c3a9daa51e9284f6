#pragma once

#include <QDialog>
#include <vector>

#include "model/Recdata.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace tavik {

// "Importowanie danych zewnętrznych": reads the chosen text files and shows what they hold, one
// branch per file, so that the clerk can remove what is not to be imported.
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

private:
    void read(const QStringList& files);
    void build(const QString& fileName, std::vector<ReadRecord> records);
    void release(QTreeWidgetItem* item);

    std::vector<ReadRecord> records_;  // a node carries the index of its record
};

}  // namespace tavik
