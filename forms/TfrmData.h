#pragma once

#include <QWidget>
#include <memory>
#include <vector>

#include "document/DocumentTree.h"
#include "document/InsurerDirectory.h"
#include "document/NodeSelection.h"
#include "model/UserMessage.h"

class QAction;
class QMenu;
class QSplitter;
class QTabWidget;
class QTreeView;

namespace tavik {

class AgentPage;
class ApplicationPage;
class DocumentFileCommands;
class DocumentTreeModel;
class PersonPage;
class PolicyPage;
class RecordCommands;
class PowerOfAttorneyPage;
class RecordPage;
class Settings;
struct DocumentOutcome;

// The document window: the record tree of one application file on the left, one entry page per
// kind of record on the right. It shows the core's document tree and forwards the clerk's
// commands to it; the frame hears of every selection and of the number of applications.
class TfrmData : public QWidget {
    Q_OBJECT
public:
    explicit TfrmData(QWidget* parent = nullptr);
    ~TfrmData() override;

    // False when the window could not be made (no dictionary, no settings): it has told the
    // user why and closes itself.
    bool isReady() const { return ready_; }

    // The library's commands.
    void openFile(const QString& path);
    void SaveToFile(bool saveAs);
    void SaveToFiles();
    bool Begin();
    bool End();
    bool Prev();
    bool Next();
    void NewWniosekExecute();
    void NewAgentExecute();
    void NewZarzadExecute();
    void NewPracExecute();
    void NewPelnomocExecute();
    void NewPolisaExecute();
    void ChangeTabView(int kind, const QString& caption);
    void ExportFile();
    void ImportFile();
    // Records the import window hands over, in its tree's order.
    void importRecords(std::vector<ReadRecord> records);
    void SetIndex(int index) { index_ = index; }
    int GetIndex() const { return index_; }

    // The state the pages and the tests look at.
    DocumentTree& tree() { return *tree_; }
    DocumentTreeModel& model() { return *model_; }
    TreeNode* selectedNode() const;
    int currentPage() const;
    bool modified() const { return modified_; }
    bool newRecordMode() const { return newRecordMode_; }
    int applicationCount() const { return applicationCount_; }
    int currentApplicationKind() const { return currentApplicationKind_; }
    TreeNode* currentApplicationNode() const { return currentApplicationNode_; }
    int fileVersion() const { return tree_->fileVersion(); }

    // Selects a node as the clerk does (the page follows).
    void select(TreeNode* node);

    QTreeView* TreeView1 = nullptr;
    QTabWidget* tbshMain = nullptr;
    ApplicationPage* wniosekPage = nullptr;
    AgentPage* agentPage = nullptr;
    PersonPage* zarzadPage = nullptr;
    PersonPage* pracownikPage = nullptr;
    PowerOfAttorneyPage* pelnomocPage = nullptr;
    PolicyPage* polisaPage = nullptr;
    QMenu* popupMenu = nullptr;

    QAction *AddWniosek{}, *AbortWniosek{}, *AddAgent{}, *AbortAgent{}, *AddZarzad{},
        *AbortZarzad{}, *AddPracownik{}, *AbortPrac{}, *AddPelnomoc{}, *AbortPelnomoc{},
        *AddPolisa{}, *AbortPolisa{};
    QAction *NewWniosek{}, *NewAgent{}, *NewPrac{}, *NewZarzad{}, *NewPelnomoc{}, *NewPolisa{};
    QAction *DeleteNode{}, *SaveToFileAction{}, *Export{}, *Importuj{}, *NextAction{}, *Previous{},
        *BeginAction{}, *EndAction{}, *Przesortuj{};

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    friend class DocumentFileCommands;
    friend class RecordCommands;

    void buildActions();
    void buildPages(const Settings& settings);
    QAction* makeAction(const char* name, const QString& text, const QString& hint = {});
    RecordPage* page(int index) const;

    void ChangeNode(TreeNode* node);
    void showRecord(TreeNode* node, int page);
    void tbshMainChange(int index);
    void showPage(int index);
    void runNewForm(int page);
    void newAgentForm(int applicationKind, const QString& type);
    void resetPageActions();
    void updateNewCommands();
    void DeleteNodeExecute();

    void tellFrame(int notice, int flag);
    void tellApplicationCount();
    void showMessage(const UserMessage& message);
    // Shows what a core operation reports, in order, and selects what it asks for.
    void showOutcome(const DocumentOutcome& outcome);
    void setStatus(const std::string& text);
    void pageEdited();

    bool ready_ = false;
    std::unique_ptr<DocumentTree> tree_;
    std::unique_ptr<DocumentTreeModel> model_;
    std::unique_ptr<DocumentFileCommands> files_;
    std::unique_ptr<RecordCommands> records_;
    InsurerDirectory insurers_;
    bool modified_ = false;
    bool newRecordMode_ = false;
    TreeNode* currentApplicationNode_ = nullptr;
    int currentApplicationKind_ = 0;
    int applicationCount_ = 0;
    int index_ = -1;
    bool switchingPages_ = false;
    unsigned msgWniosek_ = 0, msgZmianaWezla_ = 0, msgWnioski_ = 0;
};

}  // namespace tavik
