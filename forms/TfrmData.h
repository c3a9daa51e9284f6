#pragma once

#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <memory>
#include <vector>

#include "document/DocumentEditor.h"
#include "document/DocumentTree.h"
#include "document/InsurerDirectory.h"
#include "forms/DocumentWindow.h"
#include "forms/ProblemsPanel.h"
#include "forms/RecordTreeWindow.h"
#include "model/UserMessage.h"

class QAction;
class QMenu;
class QTabWidget;
class QTreeView;

namespace tavik {

class DocumentFileCommands;
class DocumentTreeModel;
class RecordCommands;
class RecordPage;
class Settings;

// The document window: the record tree of one application file on the left, one entry page per
// kind of record on the right. It shows the core's document tree and forwards the clerk's
// commands to it; the frame hears of every selection and of the number of applications.
class TfrmData : public QWidget, public DocumentWindow, public RecordTreeWindow {
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
    void ImportFiles(const QStringList& files);
    void SetIndex(int index) { index_ = index; }
    int GetIndex() const { return index_; }

    // The state the frame and the tests look at.
    DocumentTreeModel& model() { return *model_; }
    TreeNode* selectedNode() const override;
    int currentPage() const;
    bool pageEdited() const { return pageEdited_; }
    bool newRecordMode() const { return newRecordMode_; }
    int applicationCount() const { return applicationCount_; }
    int currentApplicationKind() const { return currentApplicationKind_; }
    TreeNode* currentApplicationNode() const { return currentApplicationNode_; }
    int fileVersion() const { return tree_->fileVersion(); }

    // DocumentWindow
    QWidget* widget() override { return this; }
    DocumentTree& tree() override { return *tree_; }
    DocumentEditor& editor() override { return *editor_; }
    const InsurerDirectory& insurers() const override { return insurers_; }
    const EntryPages& pages() const override { return pages_; }
    EditContext editContext() const override;
    // Selects a node as the clerk does (the page follows).
    void select(TreeNode* node) override;
    // RecordTreeWindow
    const DocumentTree& recordTree() const override { return *tree_; }
    void runNewForm(int page) override;
    void resetPageActions() override;
    void apply(EditOutcome outcome) override;
    void showMessage(const UserMessage& message) override;
    void showOutcome(const DocumentOutcome& outcome) override;
    void showProblems() override;
    ProblemsPanel* problemsPanel() const { return problems_; }
    void setStatus(const std::string& text) override;
    QString caption() const override { return caption_; }
    void setCaption(const QString& caption) override;
    bool isModified() const override;
    void documentOpened() override;
    void documentSaved() override;
    void importRecords(std::vector<ReadRecord> records) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildActions();
    void buildPages(const Settings& settings);
    QAction* makeAction(const char* name, const QString& text, const QString& hint = {});
    RecordPage* page(int index) const;
    QList<QAction*> pageActions() const;

    void ChangeNode(TreeNode* node);
    void showRecord(TreeNode* node, int page);
    void tbshMainChange(int index);
    void showPage(int index);
    // A blank form is shown: its page's accept and abort are enabled.
    void newForm(int page);
    void newAgentForm(int applicationKind, const QString& type);
    // The tabs of the records below an agent, for its application's kind.
    void showRecordTabs(int applicationKind);
    void updateNewCommands();
    void DeleteNodeExecute();
    // Runs a command of the clerk's; whatever it throws becomes a message.
    template <class Command>
    void guarded(Command command);

    void tellFrame(int notice, int flag);
    void tellApplicationCount();
    void onPageEdited();
    void showModified();

    bool ready_ = false;
    std::unique_ptr<DocumentTree> tree_;
    std::unique_ptr<DocumentEditor> editor_;
    std::unique_ptr<DocumentTreeModel> model_;
    std::unique_ptr<DocumentFileCommands> files_;
    std::unique_ptr<RecordCommands> records_;
    InsurerDirectory insurers_;
    QPointer<ProblemsPanel> problems_;  // docked in the frame: it goes with the window
    EntryPages pages_;
    QString caption_;
    bool pageEdited_ = false;
    bool newRecordMode_ = false;
    TreeNode* currentApplicationNode_ = nullptr;
    int currentApplicationKind_ = 0;
    int applicationCount_ = 0;
    int index_ = -1;
    bool switchingPages_ = false;
    unsigned msgWniosek_ = 0, msgZmianaWezla_ = 0, msgWnioski_ = 0;

    QTreeView* TreeView1 = nullptr;
    QTabWidget* tbshMain = nullptr;
    QMenu* popupMenu = nullptr;
    QAction *AddWniosek{}, *AbortWniosek{}, *AddAgent{}, *AbortAgent{}, *AddZarzad{},
        *AbortZarzad{}, *AddPracownik{}, *AbortPrac{}, *AddPelnomoc{}, *AbortPelnomoc{},
        *AddPolisa{}, *AbortPolisa{};
    QAction *NewWniosek{}, *NewAgent{}, *NewPrac{}, *NewZarzad{}, *NewPelnomoc{}, *NewPolisa{};
    QAction *DeleteNode{}, *SaveToFileAction{}, *Export{}, *Importuj{}, *NextAction{}, *Previous{},
        *BeginAction{}, *EndAction{}, *Przesortuj{};
};

}  // namespace tavik
