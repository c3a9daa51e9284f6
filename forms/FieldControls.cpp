#include "forms/FieldControls.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <algorithm>

#include "dictionary/DictionaryList.h"
#include "document/FormText.h"
#include "model/Cp1250.h"

namespace tavik::forms {

QString qt(std::string_view cp1250Text) {
    return QString::fromStdString(cp1250::toUtf8(cp1250Text));
}

std::string cp1250Of(const QString& text) {
    std::string out;
    // Characters the code page lacks cannot be typed (UpperCaseValidator); pasted ones that
    // slipped past it are dropped one by one rather than losing the whole text.
    if (cp1250::fromUtf8(text.toStdString(), out)) return out;
    out.clear();
    for (const QChar c : text) {
        std::string one;
        if (cp1250::fromUtf8(QString(c).toStdString(), one)) out += one;
    }
    return out;
}

QValidator::State UpperCaseValidator::validate(QString& input, int&) const {
    input = input.toUpper();
    std::string converted;
    return cp1250::fromUtf8(input.toStdString(), converted) ? Acceptable : Invalid;
}

void makeUpperCase(QLineEdit* edit) {
    edit->setValidator(new UpperCaseValidator(edit));
}

void makeUpperCase(QPlainTextEdit* edit) {
    QObject::connect(edit, &QPlainTextEdit::textChanged, edit, [edit] {
        const QString text = edit->toPlainText();
        const QString upper = text.toUpper();
        if (upper == text) return;
        QTextCursor cursor = edit->textCursor();
        const int position = cursor.position();
        const QSignalBlocker quiet(edit);
        edit->setPlainText(upper);
        cursor = edit->textCursor();
        cursor.setPosition(std::min(position, static_cast<int>(upper.size())));
        edit->setTextCursor(cursor);
    });
}

namespace {

std::string literalsOf(const QString& inputMask);

class MaskStart : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* edit = static_cast<QLineEdit*>(watched);
        if (event->type() == QEvent::MouseButtonRelease || event->type() == QEvent::FocusIn) {
            const std::string text = cp1250Of(edit->text());
            const std::string literals = literalsOf(edit->inputMask());
            const bool empty = std::all_of(text.begin(), text.end(), [&](char c) {
                return c == ' ' || literals.find(c) != std::string::npos;
            });
            if (empty)
                QMetaObject::invokeMethod(
                    edit, [edit] { edit->setCursorPosition(0); }, Qt::QueuedConnection);
        }
        return false;
    }
};

}  // namespace

void startEmptyMaskAtBeginning(QLineEdit* edit) {
    edit->installEventFilter(new MaskStart(edit));
}

void fillCombo(QComboBox* combo, const DictionaryList& list) {
    combo->clear();
    QStringList items;
    items.reserve(static_cast<qsizetype>(list.size()));
    for (const std::string& item : list)
        items << qt(item);
    combo->addItems(items);
    combo->setCurrentIndex(-1);
}

void showField(QLineEdit* edit, const Field& field) {
    edit->setText(field.isEmpty() ? QString() : qt(field.view()));
    edit->setCursorPosition(0);
}

void showField(QPlainTextEdit* edit, const Field& field) {
    edit->setPlainText(field.isEmpty() ? QString() : qt(field.view()));
}

void showField(QLabel* label, const Field& field) {
    label->setText(field.isEmpty() ? QString() : qt(field.view()));
}

void showField(QComboBox* combo, const Field& field) {
    const QString text = field.isEmpty() ? QString() : qt(field.view());
    if (combo->isEditable()) {
        combo->setCurrentIndex(combo->findText(text, Qt::MatchExactly));
        combo->setEditText(text);
        return;
    }
    combo->setCurrentIndex(text.isEmpty() ? -1 : combo->findText(text, Qt::MatchExactly));
}

namespace {

// The fixed characters of an input mask: everything but its placeholders and switches.
std::string literalsOf(const QString& inputMask) {
    static const QString kMaskCharacters = QStringLiteral("AaNnXx90DdHhBb#><![]{}");
    const QString mask = inputMask.section(QLatin1Char(';'), 0, 0);
    QString literals;
    for (qsizetype i = 0; i < mask.size(); ++i) {
        if (mask[i] == QLatin1Char('\\') && i + 1 < mask.size())
            literals += mask[++i];
        else if (!kMaskCharacters.contains(mask[i]))
            literals += mask[i];
    }
    return cp1250Of(literals);
}

}  // namespace

std::string takeField(const QLineEdit* edit) {
    const std::string text = cp1250Of(edit->text());
    if (edit->inputMask().isEmpty()) return fieldFromText(text);
    return fieldFromMaskedText(text, literalsOf(edit->inputMask()));
}

void showField(QWidget* control, const Field& field) {
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        showField(edit, field);
    else if (auto* combo = qobject_cast<QComboBox*>(control))
        showField(combo, field);
    else if (auto* memo = qobject_cast<QPlainTextEdit*>(control))
        showField(memo, field);
    else if (auto* label = qobject_cast<QLabel*>(control))
        showField(label, field);
}

namespace {
const char* const kMaskedProperty = "maskedEdit";
}

void markMasked(QWidget* control) {
    control->setProperty(kMaskedProperty, true);
}

void showAnswerField(QWidget* control, const Field& field) {
    if (field.isEmpty() && control->property(kMaskedProperty).toBool()) return;
    showField(control, field);
}

void clearControl(QWidget* control) {
    showField(control, Field());
}

std::string takeField(const QWidget* control) {
    if (const auto* edit = qobject_cast<const QLineEdit*>(control)) return takeField(edit);
    if (const auto* combo = qobject_cast<const QComboBox*>(control)) return takeField(combo);
    if (const auto* memo = qobject_cast<const QPlainTextEdit*>(control)) return takeField(memo);
    return fieldFromText({});
}

std::string takeField(const QPlainTextEdit* edit) {
    return fieldFromText(cp1250Of(edit->toPlainText()));
}

std::string takeField(const QComboBox* combo) {
    return fieldFromText(cp1250Of(combo->currentText()));
}

}  // namespace tavik::forms
