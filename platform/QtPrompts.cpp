#include "platform/QtPrompts.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace tavik::platform {

namespace {

QMessageBox::Icon boxIcon(PromptIcon icon) {
    switch (icon) {
        case PromptIcon::Information: return QMessageBox::Information;
        case PromptIcon::Warning: return QMessageBox::Warning;
        case PromptIcon::Error: return QMessageBox::Critical;
        case PromptIcon::Question: return QMessageBox::Question;
        case PromptIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

struct BoxButton {
    QMessageBox::StandardButton button;
    const char* text;
    PromptAnswer answer;
};

constexpr BoxButton kOk{QMessageBox::Ok, "OK", PromptAnswer::Ok};
constexpr BoxButton kCancel{QMessageBox::Cancel, "Anuluj", PromptAnswer::Cancel};
constexpr BoxButton kYes{QMessageBox::Yes, "Tak", PromptAnswer::Yes};
constexpr BoxButton kNo{QMessageBox::No, "Nie", PromptAnswer::No};

QList<BoxButton> boxButtons(PromptButtons buttons) {
    switch (buttons) {
        case PromptButtons::Ok: return {kOk};
        case PromptButtons::OkCancel: return {kOk, kCancel};
        case PromptButtons::YesNo: return {kYes, kNo};
        case PromptButtons::YesNoCancel: return {kYes, kNo, kCancel};
    }
    return {kOk};
}

QStringList run(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.selectedFiles();
}

}  // namespace

PromptAnswer QtPrompts::message(QWidget* parent, const QString& text, const QString& caption,
                                PromptIcon icon, PromptButtons buttons) {
    QMessageBox box(boxIcon(icon), caption, text, QMessageBox::NoButton, parent);
    const QList<BoxButton> shown = boxButtons(buttons);
    for (const BoxButton& b : shown)
        box.addButton(b.button)->setText(QString::fromUtf8(b.text));
    // As on Windows, the first button is the default one.
    box.setDefaultButton(shown.front().button);
    box.exec();
    const QAbstractButton* clicked = box.clickedButton();
    for (const BoxButton& b : shown)
        if (clicked == box.button(b.button)) return b.answer;
    // Closed without a button: the way out the box offers.
    return shown.size() == 1 ? shown.front().answer : shown.back().answer;
}

QStringList QtPrompts::openFiles(QWidget* parent, const FileDialogOptions& options, bool multiple) {
    QFileDialog dialog(parent, options.title, options.directory, options.filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(multiple ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    return run(dialog);
}

QString QtPrompts::saveFile(QWidget* parent, const FileDialogOptions& options) {
    QFileDialog dialog(parent, options.title, options.directory, options.filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The callers ask about replacing a file themselves.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const QStringList chosen = run(dialog);
    return chosen.isEmpty() ? QString() : chosen.front();
}

QString QtPrompts::chooseFolder(QWidget* parent, const QString& prompt, const QString& directory) {
    QFileDialog dialog(parent, prompt, directory);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    const QStringList chosen = run(dialog);
    return chosen.isEmpty() ? QString() : chosen.front();
}

void installWidgetPromptsAsDefault() {
    static QtPrompts prompts;
    Prompts::setDefault(&prompts);
}

}  // namespace tavik::platform
