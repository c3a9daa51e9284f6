#pragma once

#include <QDialog>
#include <functional>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace tavik {

// Runs one search in the active document window: the clerk's text, and whether the whole content
// is searched from the top (else a step on from where the last step stopped).
using SearchRunner = std::function<void(const QString& text, bool wholeContent)>;

// The search window: the text to find, and the commands that select the next record holding it
// in the document behind. It stays open across searches; what it finds shows in the document.
class TfrmSearchWnd : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSearchWnd(SearchRunner search, QWidget* parent = nullptr);

    QLineEdit* edSearchStr = nullptr;
    QCheckBox* chkAll = nullptr;
    QPushButton* btnSearch = nullptr;
    QPushButton* btnNext = nullptr;
    QPushButton* Button2 = nullptr;

private:
    void btnSearchClick();
    void btnNextClick();

    SearchRunner search_;
};

}  // namespace tavik
