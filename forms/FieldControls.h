#pragma once

#include <QString>
#include <QValidator>
#include <string>
#include <string_view>

#include "model/Field.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace tavik {
class DictionaryList;
}

// Moving record fields into the controls of the pages and back.
namespace tavik::forms {

// Record texts are code page 1250; controls hold Unicode.
QString qt(std::string_view cp1250Text);
// The controls admit only characters of the code page, so this never loses anything.
std::string cp1250Of(const QString& text);

// The input masks of the pages ("_" marks a place still to be filled).
namespace masks {
inline const QString kPostalCode = QStringLiteral("99-999;_");
inline const QString kNipAgent = QStringLiteral("000-00-00-000;_");
inline const QString kNipPerson = QStringLiteral("000-000-00-00;_");
inline const QString kNipEmployee = QStringLiteral("000-000-00-00; ");
inline const QString kDateFrom = QStringLiteral("99.99.9999;_");
inline const QString kDateTo = QStringLiteral("00.00.0000;_");
inline const QString kRegisterAgent = QStringLiteral("99999999/\\A;_");
inline const QString kRegisterEmployee = QStringLiteral("99999999/P;_");
inline const QString kRegisterBoardMember = QStringLiteral("99999999/C;_");
}  // namespace masks

// Upper-cases what is typed and refuses characters that code page 1250 cannot hold.
class UpperCaseValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

void makeUpperCase(QLineEdit* edit);
void makeUpperCase(QPlainTextEdit* edit);

// A masked control that holds nothing yet puts the cursor at its first place wherever it is
// clicked, so that what is typed fills the mask from its start.
void startEmptyMaskAtBeginning(QLineEdit* edit);

// A drop-down list of the dictionary's texts, in their order.
void fillCombo(QComboBox* combo, const DictionaryList& list);

// Shows a field: "<E>" shows an empty control (a masked one its empty mask).
void showField(QLineEdit* edit, const Field& field);
void showField(QPlainTextEdit* edit, const Field& field);
void showField(QLabel* label, const Field& field);
// Selects the entry equal to the field; none when the list has no such entry. An editable
// combo shows the text itself.
void showField(QComboBox* combo, const Field& field);

// Either of the above by the control's kind (edit, masked edit, memo, combo, label).
void showField(QWidget* control, const Field& field);

// Shows a field of the register's answer in a read-only control: "<E>" empties an ordinary
// control and leaves a masked one (see markMasked) as it was; anything else is shown as stored.
void showAnswerField(QWidget* control, const Field& field);
// Marks a read-only control as the masked edit the answer's rule spares.
void markMasked(QWidget* control);
// Empties any control of the kinds above.
void clearControl(QWidget* control);

// A control's text as a record takes it: trimmed, upper-cased, "<E>" when empty; a masked
// control that holds only its separators is empty too.
std::string takeField(const QLineEdit* edit);
std::string takeField(const QPlainTextEdit* edit);
std::string takeField(const QComboBox* combo);
std::string takeField(const QWidget* control);

}  // namespace tavik::forms
