#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <deque>

#include "platform/Prompts.h"

namespace tavik::test {

// The prompts of a test: every box and dialog is recorded, and answered from what the test
// queued. A box or dialog without a queued answer is answered "Cancel" (a box with only "OK":
// "OK") and counted in `unanswered`, so that a test can tell it was not expected.
class ScriptedPrompts : public platform::Prompts {
public:
    enum class Kind { Message, OpenFiles, SaveFile, ChooseFolder };

    struct Shown {
        Kind kind = Kind::Message;
        QString text;     // message text, or the folder prompt
        QString caption;  // message caption, or the dialog title
        platform::PromptIcon icon = platform::PromptIcon::None;
        platform::PromptButtons buttons = platform::PromptButtons::Ok;
        QString directory;
        QString filter;
        bool multiple = false;
    };

    ScriptedPrompts() { platform::Prompts::install(this); }
    ~ScriptedPrompts() override { platform::Prompts::install(nullptr); }
    ScriptedPrompts(const ScriptedPrompts&) = delete;
    ScriptedPrompts& operator=(const ScriptedPrompts&) = delete;

    // Queued in the order the boxes will come.
    void answer(platform::PromptAnswer a) { answers_.push_back(a); }
    void chooseFiles(QStringList files) { files_.push_back(std::move(files)); }
    void chooseSaveName(QString name) { saveNames_.push_back(std::move(name)); }
    void chooseFolder(QString folder) { folders_.push_back(std::move(folder)); }

    QList<Shown> shown;
    int unanswered = 0;

    // The texts of the message boxes shown, in order.
    QStringList messages() const;
    const Shown& last() const { return shown.back(); }
    // Forgets what was shown and every answer still queued: the next scene starts afresh.
    void clear() {
        shown.clear();
        unanswered = 0;
        answers_.clear();
        files_.clear();
        saveNames_.clear();
        folders_.clear();
    }

    platform::PromptAnswer message(QWidget* parent, const QString& text, const QString& caption,
                                   platform::PromptIcon icon,
                                   platform::PromptButtons buttons) override;
    QStringList openFiles(QWidget* parent, const platform::FileDialogOptions& options,
                          bool multiple) override;
    QString saveFile(QWidget* parent, const platform::FileDialogOptions& options) override;
    QString chooseFolder(QWidget* parent, const QString& prompt, const QString& directory) override;

private:
    std::deque<platform::PromptAnswer> answers_;
    std::deque<QStringList> files_;
    std::deque<QString> saveNames_;
    std::deque<QString> folders_;
};

}  // namespace tavik::test
