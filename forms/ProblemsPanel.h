#pragma once

#include <QDockWidget>
#include <vector>

class QAbstractItemModel;

namespace tavik {

class DocumentWindow;
class ProblemList;
class TreeNode;

// "Sprawdzenie dokumentu": every refusal and warning of a document window's records at once.
// It lists again whenever the tree changes while it is shown; a double click on a row selects
// the record's node in the window and shows its page.
class ProblemsPanel : public QDockWidget {
    Q_OBJECT
public:
    // `model` is the window's tree model: its changes are what make the list stale.
    ProblemsPanel(DocumentWindow& window, QAbstractItemModel& model, QWidget* parent);

    void refresh();
    // Forgets the rows' nodes at once (they may be gone) and lists again once control returns.
    void scheduleRefresh();
    // What a double click on a row does; nothing for a row whose node is gone.
    void activate(int row);

    ProblemList* list() const { return list_; }

private:
    DocumentWindow& window_;
    ProblemList* list_;
    std::vector<const TreeNode*> nodes_;  // of each row; empty while the list is stale
    bool refreshPending_ = false;
};

}  // namespace tavik
