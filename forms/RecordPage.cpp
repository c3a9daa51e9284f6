#include "forms/RecordPage.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "flatpaint/IconLibrary.h"
#include "forms/FieldControls.h"
#include "forms/TfrmCalendar.h"
#include "forms/WideListComboBox.h"

namespace tavik {

RecordPage::RecordPage(const QString& objectName, const QString& groupTitle, QWidget* parent)
    : QWidget(parent), group_(new QGroupBox(groupTitle, this)), grid_(new QGridLayout(group_)) {
    setObjectName(objectName);
    auto* layout = new QVBoxLayout(this);
    // The group keeps the height of its rows; what the page has over goes below it.
    group_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    layout->addWidget(group_);
    buttons_ = new QHBoxLayout;
    buttons_->addStretch();
    layout->addLayout(buttons_);
    layout->addStretch();
    grid_->setColumnStretch(1, 1);
    grid_->setColumnStretch(3, 1);
}

void RecordPage::setActions(QAction* accept, QAction* abort, const QString& acceptText) {
    accept_ = accept;
    abort_ = abort;
    for (QAction* action : {accept, abort}) {
        auto* button = new QPushButton(this);
        const bool isAccept = action == accept;
        button->setObjectName(QStringLiteral("btn") + action->objectName());
        const auto follow = [=] {
            button->setText(isAccept && !acceptText.isEmpty() ? acceptText : action->text());
            button->setEnabled(action->isEnabled());
            button->setToolTip(action->toolTip());
        };
        follow();
        connect(action, &QAction::changed, button, follow);
        connect(button, &QPushButton::clicked, action, &QAction::trigger);
        buttons_->addWidget(button);
    }
}

void RecordPage::changed() {
    if (showing_) return;
    if (accept_) accept_->setEnabled(true);
    if (abort_) abort_->setEnabled(true);
    emit edited();
}

QLineEdit* RecordPage::edit(const QString& name, int maxLength, bool upperCase) {
    auto* e = new QLineEdit(group_);
    e->setObjectName(name);
    if (maxLength > 0) e->setMaxLength(maxLength);
    if (upperCase) forms::makeUpperCase(e);
    connect(e, &QLineEdit::textChanged, this, &RecordPage::changed);
    return e;
}

QLineEdit* RecordPage::maskedEdit(const QString& name, const QString& inputMask) {
    QLineEdit* e = edit(name, 0);
    e->setInputMask(inputMask);
    forms::startEmptyMaskAtBeginning(e);
    return e;
}

QPlainTextEdit* RecordPage::memo(const QString& name) {
    auto* m = new QPlainTextEdit(group_);
    m->setObjectName(name);
    m->setTabChangesFocus(true);
    m->setFixedHeight(m->fontMetrics().lineSpacing() * 3 + 12);
    forms::makeUpperCase(m);
    connect(m, &QPlainTextEdit::textChanged, this, &RecordPage::changed);
    return m;
}

QComboBox* RecordPage::comboList(const QString& name) {
    auto* c = new WideListComboBox(group_);
    c->setObjectName(name);
    c->setMinimumContentsLength(10);
    c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    connect(c, &QComboBox::currentIndexChanged, this, &RecordPage::changed);
    return c;
}

QComboBox* RecordPage::comboEditable(const QString& name, int maxLength) {
    QComboBox* c = comboList(name);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->lineEdit()->setMaxLength(maxLength);
    forms::makeUpperCase(c->lineEdit());
    connect(c, &QComboBox::editTextChanged, this, &RecordPage::changed);
    return c;
}

QLabel* RecordPage::label(const QString& text, const QString& name) {
    auto* l = new QLabel(text, group_);
    if (!name.isEmpty()) l->setObjectName(name);
    return l;
}

QToolButton* RecordPage::dateButton(const QString& name, QLineEdit* field) {
    auto* b = new QToolButton(group_);
    b->setObjectName(name);
    b->setIcon(icons::icon(icons::kCalendar));
    b->setToolTip(QStringLiteral("Kalendarz"));
    connect(b, &QToolButton::clicked, this, [this, field] { pickDateInto(this, field); });
    return b;
}

void RecordPage::watch(QAbstractButton* button) {
    connect(button, &QAbstractButton::toggled, this, &RecordPage::changed);
}

void RecordPage::watch(QDateEdit* date) {
    connect(date, &QDateEdit::dateChanged, this, &RecordPage::changed);
}

QLabel* RecordPage::addRow(int row, const QString& labelText, QWidget* control, int span) {
    QLabel* l = label(labelText);
    l->setBuddy(control);
    grid_->addWidget(l, row, 0);
    grid_->addWidget(control, row, 1, 1, span);
    return l;
}

QLabel* RecordPage::addWide(int row, const QString& labelText, QWidget* control) {
    QLabel* l = label(labelText);
    l->setBuddy(control);
    grid_->addWidget(l, row, 0, 1, 4);
    grid_->addWidget(control, row + 1, 0, 1, 4);
    return l;
}

QLabel* RecordPage::addPair(int row, int pair, const QString& labelText, QWidget* control) {
    QLabel* l = label(labelText);
    l->setBuddy(control);
    grid_->addWidget(l, row, 2 * pair);
    grid_->addWidget(control, row, 2 * pair + 1);
    return l;
}

QWidget* RecordPage::inLine(std::initializer_list<QWidget*> widgets, QWidget* parent) {
    auto* line = new QWidget(parent);
    auto* layout = new QHBoxLayout(line);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* w : widgets)
        layout->addWidget(w, qobject_cast<QLabel*>(w) ? 0 : 1);
    return line;
}

}  // namespace tavik
