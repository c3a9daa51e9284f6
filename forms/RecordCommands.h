#pragma once

namespace tavik {

class DocumentWindow;
class PersonPage;

// The accept and abort commands of the six entry pages. A page writes its controls into the
// values the editing rules start from; the rules check them and change the tree only when
// everything has passed, and the window shows what they report.
class RecordCommands {
public:
    explicit RecordCommands(DocumentWindow& window) : window_(window) {}

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
    // Shows the selected record again, or the page's blank form waiting for the first edit.
    void abortPage(int page);

    DocumentWindow& window_;
};

}  // namespace tavik
