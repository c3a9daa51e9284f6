#pragma once

#include <QDialog>

class QTextBrowser;

namespace tavik {

// The manual of the program, an HTML file beside it, in a window of its own that stays open
// beside the documents.
class HelpWindow : public QDialog {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the manual at `path`; false, and the window unchanged, when there is no such file.
    bool showManual(const QString& path);

    QTextBrowser* browser() const { return browser_; }

private:
    QTextBrowser* browser_;
};

}  // namespace tavik
