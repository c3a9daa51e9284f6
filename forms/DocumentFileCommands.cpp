#include "forms/DocumentFileCommands.h"

#include <QDir>
#include <QFileInfo>
#include <QTabWidget>
#include <QTimer>

#include "document/DocumentFile.h"
#include "forms/DocumentWindow.h"
#include "forms/FieldControls.h"
#include "forms/TfrmImport.h"
#include "forms/TfrmWeryfikacja.h"
#include "platform/Prompts.h"
#include "platform/Settings.h"

namespace tavik {

using platform::PromptAnswer;
using platform::PromptButtons;
using platform::PromptIcon;

namespace {

const QString kUnnamedPrefix = QStringLiteral("Bez nazwy [");

}  // namespace

QString DocumentFileCommands::caption() const {
    return window_.caption();
}

bool DocumentFileCommands::unnamed() const {
    return caption().startsWith(kUnnamedPrefix);
}

QString DocumentFileCommands::startFolder() const {
    const QString folder = Settings().ApplicationsDir();
    return QFileInfo(folder).isDir() ? folder : QDir::currentPath();
}

void DocumentFileCommands::open(const QString& path) {
    const Settings settings;
    const TRecZU configured(forms::cp1250Of(settings.UndertakingCode()),
                            forms::cp1250Of(settings.UndertakingName()));
    auto* wait = new TfrmWeryfikacja(window_.widget()->window());
    wait->showAndPaint();
    std::vector<UserMessage> placing;
    const auto failure = openDocumentFile(window_.tree(), path.toStdString(), configured,
                                          DocumentTree::sortOrderOf(ReadSortOrder()), &placing);
    wait->close();
    if (failure) {
        window_.showMessage(*failure);
        window_.tree().markSaved();
        // The window is still being made by the caller: it goes once control returns.
        QTimer::singleShot(0, window_.widget(), &QWidget::close);
        return;
    }
    for (const UserMessage& message : placing)
        window_.showMessage(message);
    window_.setCaption(path);
    window_.documentOpened();
}

bool DocumentFileCommands::save(bool askForName) {
    const auto progress = [this](const std::string& text) { window_.setStatus(text); };
    const DocumentOutcome checked = prepareSave(window_.tree(), progress);
    window_.setStatus({});
    if (!checked.ok) {
        refused(checked);
        return false;
    }
    QString path = caption();
    if (askForName || unnamed()) {
        path = platform::Prompts::current().saveFile(
            window_.widget(), {QStringLiteral("Zapisz plik jako ..."), startFolder(),
                               QStringLiteral("Pliki Tavik - rpa (*.rpa)")});
        if (path.isEmpty()) return false;
        if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".rpa");
        if (QFileInfo::exists(path) &&
            platform::ask(window_.widget(),
                          QStringLiteral("Plik ") + path +
                              QStringLiteral(" już istnieje.\nCzy zamienić istniejący plik?"),
                          QStringLiteral("Komunikat"), PromptIcon::Warning,
                          PromptButtons::YesNo) != PromptAnswer::Yes)
            return false;
    }
    const DocumentOutcome written =
        writeDocument(window_.tree(), path.toStdString(), window_.insurers());
    if (!written.ok) {
        window_.showOutcome(written);
        return false;
    }
    window_.setCaption(path);
    window_.documentSaved();
    return true;
}

void DocumentFileCommands::split() {
    const QString folder = platform::Prompts::current().chooseFolder(
        window_.widget(), QStringLiteral("Wybierz katalog dla rozdzielenia pliku..."),
        startFolder());
    if (folder.isEmpty()) return;
    const auto progress = [this](const std::string& text) { window_.setStatus(text); };
    const DocumentOutcome checked = prepareSplit(window_.tree(), progress);
    window_.setStatus({});
    if (!checked.ok) {
        refused(checked);
        return;
    }
    // An unnamed window is named after the text file it was imported from.
    QString name = unnamed() ? importFileTitle_ : QFileInfo(caption()).fileName();
    if (name.isEmpty()) name = QStringLiteral("wnioski");
    window_.showOutcome(writeSplit(
        window_.tree(), folder.toStdString(), name.toStdString(), window_.insurers(),
        (unnamed() && !importFileTitle_.isEmpty() ? importFileTitle_ : caption()).toStdString()));
}

void DocumentFileCommands::exportText() {
    const QString path = platform::Prompts::current().saveFile(
        window_.widget(), {QStringLiteral("Eksport pliku CIA"), startFolder(),
                           QStringLiteral("Pliki cia (*.cia);;Wszystkie pliki (*)")});
    if (path.isEmpty()) return;
    if (const auto failure = exportDocument(window_.tree(), path.toStdString(), window_.insurers()))
        window_.showMessage(*failure);
}

void DocumentFileCommands::importText() {
    const QStringList files = platform::Prompts::current().openFiles(
        window_.widget(),
        {QStringLiteral("Importuj"), startFolder(), QStringLiteral("pliki tekstowe cia (*.cia)")},
        true);
    if (files.isEmpty()) return;
    importTextFiles(files);
}

void DocumentFileCommands::importTextFiles(const QStringList& files) {
    importFileTitle_ = QFileInfo(files.first()).fileName().section(QLatin1Char('.'), 0, 0);
    TfrmImport dialog(files, window_.widget());
    if (dialog.exec() == QDialog::Accepted) window_.importRecords(dialog.takeRecords());
}

void DocumentFileCommands::refused(const DocumentOutcome& verification) {
    window_.showOutcome(verification);
    // The first failure is shown; the panel lists the rest, so that they are mended in one go.
    window_.showProblems();
}

bool DocumentFileCommands::mayClose() {
    if (!window_.isModified()) return true;
    const PromptAnswer answer = platform::ask(
        window_.widget(), QStringLiteral("Zapisac zmiany w pliku ?\n") + caption(),
        QStringLiteral("Informacja"), PromptIcon::Warning, PromptButtons::YesNoCancel);
    if (answer == PromptAnswer::No) return true;
    if (answer != PromptAnswer::Yes) return false;
    // A save that is cancelled or refused keeps the window and its changes.
    return save(false);
}

}  // namespace tavik
