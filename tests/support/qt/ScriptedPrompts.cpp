#include "tests/support/qt/ScriptedPrompts.h"

namespace tavik::test {

using platform::PromptAnswer;
using platform::PromptButtons;

QStringList ScriptedPrompts::messages() const {
    QStringList texts;
    for (const Shown& s : shown)
        if (s.kind == Kind::Message) texts << s.text;
    return texts;
}

PromptAnswer ScriptedPrompts::message(QWidget*, const QString& text, const QString& caption,
                                      platform::PromptIcon icon, PromptButtons buttons) {
    Shown s;
    s.text = text;
    s.caption = caption;
    s.icon = icon;
    s.buttons = buttons;
    shown << s;
    if (buttons == PromptButtons::Ok) return PromptAnswer::Ok;
    if (answers_.empty()) {
        ++unanswered;
        return PromptAnswer::Cancel;
    }
    const PromptAnswer a = answers_.front();
    answers_.pop_front();
    return a;
}

QStringList ScriptedPrompts::openFiles(QWidget*, const platform::FileDialogOptions& options,
                                       bool multiple) {
    Shown s;
    s.kind = Kind::OpenFiles;
    s.caption = options.title;
    s.directory = options.directory;
    s.filter = options.filter;
    s.multiple = multiple;
    shown << s;
    if (files_.empty()) {
        ++unanswered;
        return {};
    }
    QStringList files = files_.front();
    files_.pop_front();
    return files;
}

QString ScriptedPrompts::saveFile(QWidget*, const platform::FileDialogOptions& options) {
    Shown s;
    s.kind = Kind::SaveFile;
    s.caption = options.title;
    s.directory = options.directory;
    s.filter = options.filter;
    shown << s;
    if (saveNames_.empty()) {
        ++unanswered;
        return {};
    }
    QString name = saveNames_.front();
    saveNames_.pop_front();
    return name;
}

QString ScriptedPrompts::chooseFolder(QWidget*, const QString& prompt, const QString& directory) {
    Shown s;
    s.kind = Kind::ChooseFolder;
    s.text = prompt;
    s.directory = directory;
    shown << s;
    if (folders_.empty()) {
        ++unanswered;
        return {};
    }
    QString folder = folders_.front();
    folders_.pop_front();
    return folder;
}

}  // namespace tavik::test
