#pragma once

#include <QString>
#include <QWidget>
#include <memory>

#include "document/DocumentTree.h"
#include "forms/RecordTreeWindow.h"

class QTabWidget;
class QTreeView;

namespace tavik {

class DocumentTreeModel;
class ResponseAgentPage;
class ResponseHeaderPage;
class ResponsePersonPage;
class ResponsePolicyPage;
class ResponsePowerOfAttorneyPage;
struct SelectionPlan;

// The response window: the register's answer read from a response file, its tree on the left
// and one read-only page per kind of record on the right. Nothing in it can be changed.
class TfrmOdpowiedz : public QWidget, public RecordTreeWindow {
    Q_OBJECT
public:
    explicit TfrmOdpowiedz(QWidget* parent = nullptr);
    ~TfrmOdpowiedz() override;

    // Reads the file for the undertaking code and shows it. A file that is no response, or
    // that cannot be read, is told about; the window closes then and false is returned.
    bool LoadResponse(const QString& path, const std::string& undertakingCode);

    void SetIndex(int index) { index_ = index; }
    int GetIndex() const { return index_; }

    int FormatVersion() const { return formatVersion_; }
    int currentPage() const;
    TreeNode* currentApplicationNode() const { return currentApplicationNode_; }
    DocumentTreeModel& model() { return *model_; }
    QString caption() const { return caption_; }

    // RecordTreeWindow
    const DocumentTree& recordTree() const override { return tree_; }
    TreeNode* selectedNode() const override;
    void select(TreeNode* node) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildPages();
    void ChangeNodeExecute(TreeNode* node);
    void tbshMainChange(int index);
    void follow(const SelectionPlan& plan, TreeNode* node);
    void showRecord(TreeNode& node, int page);
    void clearPage(int page);
    void showPage(int page);
    void fail(const QString& text);

    DocumentTree tree_;
    std::unique_ptr<DocumentTreeModel> model_;
    QString caption_;
    int index_ = -1;
    int formatVersion_ = 0;
    TreeNode* currentApplicationNode_ = nullptr;
    bool switchingPages_ = false;
    unsigned msgWniosek_ = 0, msgZmianaWezla_ = 0;

    QTreeView* TreeView1 = nullptr;
    QTabWidget* tbshMain = nullptr;
    ResponseHeaderPage* tbshWniosek = nullptr;
    ResponseAgentPage* tbshAgent = nullptr;
    ResponsePersonPage* tabZarzOdp = nullptr;
    ResponsePersonPage* tbshPracownik = nullptr;
    ResponsePowerOfAttorneyPage* tbshPelnomoc = nullptr;
    ResponsePolicyPage* tbshPolisa = nullptr;
};

}  // namespace tavik
