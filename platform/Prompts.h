#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace tavik::platform {

enum class PromptIcon { None, Information, Warning, Error, Question };
enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class PromptAnswer { Ok, Cancel, Yes, No };

struct FileDialogOptions {
    QString title;
    QString directory;  // where the dialog starts; empty: the current folder
    QString filter;     // Qt's form: "Pliki Tavik (*.rpa);;Pliki odpowiedzi (*.coa)"
};

// Every message box, question and file or folder dialog of the program goes through here, so
// that tests can answer them. Texts are UTF-8 QStrings, exactly as the user sees them.
class Prompts {
public:
    virtual ~Prompts() = default;

    virtual PromptAnswer message(QWidget* parent, const QString& text, const QString& caption,
                                 PromptIcon icon, PromptButtons buttons) = 0;
    // The chosen files; empty when cancelled. `multiple` allows choosing several.
    virtual QStringList openFiles(QWidget* parent, const FileDialogOptions& options,
                                  bool multiple) = 0;
    // The chosen name; empty when cancelled. The dialog does not ask about replacing a file:
    // the callers ask themselves when they must.
    virtual QString saveFile(QWidget* parent, const FileDialogOptions& options) = 0;
    // The chosen folder; empty when cancelled.
    virtual QString chooseFolder(QWidget* parent, const QString& prompt,
                                 const QString& directory) = 0;

    // The prompts in use: the installed ones, or the default ones.
    static Prompts& current();
    // Not owned; null restores the default.
    static void install(Prompts* prompts);
    // The default, used while nothing is installed; not owned. The program and the library
    // set the widget prompts here when they start.
    static void setDefault(Prompts* prompts);
};

// Shorthands over Prompts::current(); every box of the program is shown through them. Texts
// pass through showableText (platform/MessageText.h): control characters appear escaped.
void showMessage(QWidget* parent, const QString& text, const QString& caption, PromptIcon icon);
PromptAnswer ask(QWidget* parent, const QString& text, const QString& caption, PromptIcon icon,
                 PromptButtons buttons);

}  // namespace tavik::platform
