#pragma once

#include "platform/Prompts.h"

namespace tavik::platform {

// The prompts of the running program: message boxes and the file and folder dialogs of Qt, with
// Polish button texts.
class QtPrompts final : public Prompts {
public:
    PromptAnswer message(QWidget* parent, const QString& text, const QString& caption,
                         PromptIcon icon, PromptButtons buttons) override;
    QStringList openFiles(QWidget* parent, const FileDialogOptions& options,
                          bool multiple) override;
    QString saveFile(QWidget* parent, const FileDialogOptions& options) override;
    QString chooseFolder(QWidget* parent, const QString& prompt, const QString& directory) override;
};

// Makes one QtPrompts the default prompts (Prompts::setDefault); calling it again changes
// nothing.
void installWidgetPromptsAsDefault();

}  // namespace tavik::platform
