#pragma once

#include <QString>
#include <string>
#include <vector>

#include "document/DocumentEditor.h"
#include "model/UserMessage.h"

class QWidget;

namespace tavik {

class AgentPage;
class ApplicationPage;
class DocumentTree;
class InsurerDirectory;
class PersonPage;
class PolicyPage;
class PowerOfAttorneyPage;
struct DocumentOutcome;

// The six entry pages of a document window.
struct EntryPages {
    ApplicationPage* wniosek = nullptr;
    AgentPage* agent = nullptr;
    PersonPage* zarzad = nullptr;
    PersonPage* pracownik = nullptr;
    PowerOfAttorneyPage* pelnomocnictwo = nullptr;
    PolicyPage* polisa = nullptr;
};

// What the command classes of a document window reach of it.
class DocumentWindow {
public:
    virtual ~DocumentWindow() = default;

    virtual QWidget* widget() = 0;  // the parent of the boxes the commands show
    virtual DocumentTree& tree() = 0;
    virtual DocumentEditor& editor() = 0;
    virtual const InsurerDirectory& insurers() const = 0;
    virtual const EntryPages& pages() const = 0;

    // Where the clerk is, for the editing rules.
    virtual EditContext editContext() const = 0;
    virtual void select(TreeNode* node) = 0;
    // Opens a page's blank form, as its "new" command does.
    virtual void runNewForm(int page) = 0;
    // Disables the page's accept and abort: nothing typed is waiting.
    virtual void resetPageActions() = 0;
    // Shows what an editing rule asks for, asking its questions.
    virtual void apply(EditOutcome outcome) = 0;
    virtual void showMessage(const UserMessage& message) = 0;
    virtual void showOutcome(const DocumentOutcome& outcome) = 0;
    // Lists every refusal and warning of the document in its panel.
    virtual void showProblems() = 0;
    virtual void setStatus(const std::string& text) = 0;

    // The file the window shows ("Bez nazwy [n]" before it has one).
    virtual QString caption() const = 0;
    virtual void setCaption(const QString& caption) = 0;
    // The document changed, or a page holds edits not yet accepted.
    virtual bool isModified() const = 0;
    // After the tree was filled from a file or written to one.
    virtual void documentOpened() = 0;
    virtual void documentSaved() = 0;
    // Records of the import window, in its tree's order, into the tree.
    virtual void importRecords(std::vector<ReadRecord> records) = 0;
};

}  // namespace tavik
