#include "shell/TfrmSearchWnd.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValidator>

namespace tavik {

namespace {

// Shows what is typed in capitals, as the records hold their texts.
class UpperCase : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        input = input.toUpper();
        return Acceptable;
    }
};

QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    // Enter belongs to the text (a step); no button may take it and close the window.
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
}

}  // namespace

TfrmSearchWnd::TfrmSearchWnd(SearchRunner search, QWidget* parent)
    : QDialog(parent), search_(std::move(search)) {
    setObjectName(QStringLiteral("frmSearchWnd"));
    setWindowTitle(QStringLiteral("Wyszukiwanie"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setSizeGripEnabled(false);

    auto* label = new QLabel(QStringLiteral("Wyszukiwany ciąg znakowy"), this);
    label->setObjectName(QStringLiteral("Label1"));
    edSearchStr = new QLineEdit(this);
    edSearchStr->setObjectName(QStringLiteral("edSearchStr"));
    edSearchStr->setValidator(new UpperCase(edSearchStr));
    edSearchStr->setMinimumWidth(260);
    label->setBuddy(edSearchStr);
    chkAll = new QCheckBox(QStringLiteral("Przeszukiwanie całej zawartości"), this);
    chkAll->setObjectName(QStringLiteral("chkAll"));

    btnSearch = button(this, "btnSearch", QStringLiteral("Szukaj"));
    btnNext = button(this, "btnNext", QStringLiteral("Następny >>"));
    Button2 = button(this, "Button2", QStringLiteral("Anuluj"));

    auto* text = new QVBoxLayout;
    text->addWidget(label);
    text->addWidget(edSearchStr);
    text->addSpacing(6);
    text->addWidget(chkAll);
    text->addStretch();
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(btnSearch);
    buttons->addWidget(btnNext);
    buttons->addWidget(Button2);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(text);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    // A dialog border: the size its controls need, not the user's to change.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(btnSearch, &QPushButton::clicked, this, &TfrmSearchWnd::btnSearchClick);
    connect(btnNext, &QPushButton::clicked, this, &TfrmSearchWnd::btnNextClick);
    connect(edSearchStr, &QLineEdit::returnPressed, this, &TfrmSearchWnd::btnNextClick);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmSearchWnd::btnSearchClick() {
    if (search_) search_(edSearchStr->text(), chkAll->isChecked());
}

void TfrmSearchWnd::btnNextClick() {
    if (search_) search_(edSearchStr->text(), false);
}

}  // namespace tavik
