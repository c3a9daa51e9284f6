#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "model/Recdata.h"

namespace tavik {

class PersonPage;
class TfrmData;
struct Placement;

// The accept and abort commands of the six entry pages. Accepting takes the page's values into
// a copy of the record, checks the copy, and only when everything has passed changes the tree;
// a refused accept leaves the tree as it was and the page as typed.
class RecordCommands {
public:
    explicit RecordCommands(TfrmData& window) : window_(window) {}

    void AddWniosek();
    void AbortWniosek();
    void AddAgent();
    void AbortAgent();
    void AddPerson(PersonPage& page);
    void AbortPerson(PersonPage& page);
    void AddPolisa();
    void AbortPolisa();
    void AddPelnomoc();
    void AbortPelnomoc();

    // The clerk chose an agent's activity: anything but "Zwolniony" takes the insurance kind
    // from the agent's powers of attorney, when the clerk allows it.
    void activityChosen(int position);

private:
    // What an accept below an agent says: the suffix of a refusal, the confirmations.
    struct AcceptTexts {
        const char* suffix;
        QString added;
        QString edited;  // empty: an edit is not confirmed
    };
    using MakeValues = std::function<std::unique_ptr<TRecord>(const Placement&)>;
    using Check = std::function<void(int& code, TRecord& values)>;
    // The accept of a record below an agent: placed by the selection, its values made from the
    // page (for an edit, on a copy of the record), checked, then added or changed.
    void acceptBelowAgent(RecordKind kind, const AcceptTexts& texts, const MakeValues& make,
                          const Check& check);

    // A refused accept: the failing step's message with the page's suffix.
    void refuse(const std::string& message, const char* suffix);
    // Shows the selected record again, or the page's blank form.
    void abortPage(int page);

    TfrmData& window_;
};

}  // namespace tavik
