#include "platform/Prompts.h"

#include "platform/MessageText.h"

namespace tavik::platform {

namespace {

Prompts* installed = nullptr;
Prompts* fallback = nullptr;

// Answers nothing while neither the program nor a test has set any prompts: every box is
// dismissed as if cancelled, so that no code path hangs on a missing dialog.
class SilentPrompts final : public Prompts {
public:
    PromptAnswer message(QWidget*, const QString&, const QString&, PromptIcon,
                         PromptButtons buttons) override {
        return buttons == PromptButtons::Ok ? PromptAnswer::Ok : PromptAnswer::Cancel;
    }
    QStringList openFiles(QWidget*, const FileDialogOptions&, bool) override { return {}; }
    QString saveFile(QWidget*, const FileDialogOptions&) override { return {}; }
    QString chooseFolder(QWidget*, const QString&, const QString&) override { return {}; }
};

}  // namespace

Prompts& Prompts::current() {
    if (installed) return *installed;
    if (fallback) return *fallback;
    static SilentPrompts silent;
    return silent;
}

void Prompts::install(Prompts* prompts) {
    installed = prompts;
}

void Prompts::setDefault(Prompts* prompts) {
    fallback = prompts;
}

// Every box goes through these two: a control character a file brought into a message is shown
// escaped, never raw.
void showMessage(QWidget* parent, const QString& text, const QString& caption, PromptIcon icon) {
    Prompts::current().message(parent, showableText(text), showableText(caption), icon,
                               PromptButtons::Ok);
}

PromptAnswer ask(QWidget* parent, const QString& text, const QString& caption, PromptIcon icon,
                 PromptButtons buttons) {
    return Prompts::current().message(parent, showableText(text), showableText(caption), icon,
                                      buttons);
}

}  // namespace tavik::platform
