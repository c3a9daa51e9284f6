#pragma once

#include <QString>
#include <QStringList>

namespace tavik {

class DocumentWindow;
struct DocumentOutcome;

// The file commands of a document window: opening, saving, splitting, the text export and
// import, and the question before a changed document is closed. The core does the work and
// says what happened; this class asks for names and shows what the core reports.
class DocumentFileCommands {
public:
    explicit DocumentFileCommands(DocumentWindow& window) : window_(window) {}

    void open(const QString& path);
    // True when the document was written.
    bool save(bool askForName);
    void split();
    void exportText();
    void importText();
    // The import window over files already chosen (a file named on the program's command line).
    void importTextFiles(const QStringList& files);
    // Asks before a changed document is closed; false keeps the window open.
    bool mayClose();

    const QString& importFileTitle() const { return importFileTitle_; }

private:
    QString caption() const;
    bool unnamed() const;
    // The applications folder of the settings when it exists, else the current folder.
    QString startFolder() const;
    // A save or split the verification refused.
    void refused(const DocumentOutcome& verification);

    DocumentWindow& window_;
    QString importFileTitle_;
};

}  // namespace tavik
