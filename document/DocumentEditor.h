#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "document/DocumentTree.h"
#include "interchange/FieldChecks.h"
#include "model/UserMessage.h"

// The editing commands of a document window without the window: what accepting or aborting a
// page does to the tree, and what the window must then show, ask and select.
namespace tavik {

// Where the clerk is when a page is accepted or aborted.
struct EditContext {
    TreeNode* selected = nullptr;
    bool newRecordMode = false;       // the page holds a blank form
    TreeNode* application = nullptr;  // the application in work
};

// What an accept or an abort asks of the window, in this order: select a node (which shows
// its record), show the messages, open a page's blank form (filled from `prefill` when given),
// then ask the question and go on with what its answer gives.
struct EditOutcome {
    struct Question;

    bool refused = false;  // nothing changed; the page stays as typed
    TreeNode* select = nullptr;
    std::vector<UserMessage> messages;
    int newFormPage = -1;
    std::shared_ptr<const TRecOsoba> prefill;
    std::shared_ptr<Question> question;
};

struct EditOutcome::Question {
    UserMessage text;  // a yes/no question
    std::function<EditOutcome()> yes;
    std::function<EditOutcome()> no;
};

class DocumentEditor {
public:
    // The first entry of the operation kinds: what an entry application's board is reset to.
    DocumentEditor(DocumentTree& tree, std::string firstOperationKind);

    // The values an accept starts from: a copy of the record the accept edits, or a new record.
    // The page then writes its controls into them.
    std::unique_ptr<TRecWniosek> applicationValues(const EditContext& at) const;
    std::unique_ptr<TRecAgenta> agentValues(const EditContext& at) const;
    std::unique_ptr<TRecord> recordValues(const EditContext& at, RecordKind kind) const;

    // Accepting a page. A refusal carries the failing step's message and changes nothing.
    EditOutcome acceptApplication(const EditContext& at, std::unique_ptr<TRecWniosek> values,
                                  const DeletionExtras& deletion);
    EditOutcome acceptAgent(const EditContext& at, std::unique_ptr<TRecAgenta> values);
    // A board member, an employee, a power of attorney or a policy.
    EditOutcome acceptRecord(const EditContext& at, RecordKind kind,
                             std::unique_ptr<TRecord> values);

    // The day an accepted record's warnings are judged by (periods that have ended); the
    // calendar's by default.
    void setToday(std::function<CalendarDate()> today) { today_ = std::move(today); }

    // Aborting a page: the record shown again, or the page's blank form.
    EditOutcome abortPage(const EditContext& at, int page) const;

    // The agent's activity other than "Zwolniony": the question whether the insurance kind of
    // every power of attorney of the agent goes; none when the agent has none.
    std::shared_ptr<EditOutcome::Question> activityQuestion(TreeNode* application);

    // The deletion data of an application: its agent's, or those kept for the agent to come.
    static DeletionExtras deletionExtrasOf(const TreeNode* application);

private:
    EditOutcome checkAndPlaceAgent(const EditContext& at, std::unique_ptr<TRecAgenta> values);
    EditOutcome checkAndPlaceRecord(const EditContext& at, RecordKind kind,
                                    std::unique_ptr<TRecord> values);
    // An accepted record's warnings come after the other messages, in a box of their own.
    EditOutcome withWarnings(EditOutcome outcome) const;
    EditOutcome applyApplication(TreeNode* node, std::unique_ptr<TRecWniosek> values,
                                 std::unique_ptr<TRecAgenta> agent, bool removeBelow,
                                 const DeletionExtras& deletion);
    EditOutcome addAgent(TreeNode* application, std::unique_ptr<TRecAgenta> values);
    EditOutcome editAgent(TreeNode* agentNode, std::unique_ptr<TRecAgenta> values);

    DocumentTree& tree_;
    std::string firstOperationKind_;
    std::function<CalendarDate()> today_;
};

}  // namespace tavik
