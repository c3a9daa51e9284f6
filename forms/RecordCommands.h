#pragma once

#include <string>

namespace tavik {

class PersonPage;
class TfrmData;

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
    // A refused accept: the failing step's message with the page's suffix.
    void refuse(const std::string& message, const char* suffix);
    // Shows the selected record again, or the page's blank form.
    void abortPage(int page);

    TfrmData& window_;
};

}  // namespace tavik
