#include "shell/SelfTest.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>

#include "dictionary/DictionaryFile.h"
#include "dictionary/SlownikZU.h"
#include "platform/Prompts.h"
#include "platform/Settings.h"
#include "shell/MorvelBinding.h"
#include "shell/TfrmMain.h"

namespace tavik {

namespace {

const char* const kTemplates[] = {"wniosek o wpis.htm", "wniosek o zmiane danych.htm",
                                  "wniosek o wykreslenie.htm"};

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

std::optional<QString> libraryFailure(const QString& path) {
    MorvelBinding library(path);
    if (!library.load()) return library.loadError();
    library.unload();
    return std::nullopt;
}

// Every box is told on the output and answered with its first button; no dialog is shown.
class ReportedPrompts : public platform::Prompts {
public:
    explicit ReportedPrompts(QTextStream& out) : out_(out) {}
    platform::PromptAnswer message(QWidget*, const QString& text, const QString&,
                                   platform::PromptIcon, platform::PromptButtons) override {
        out_ << "Komunikat: " << QString(text).replace(u'\n', u' ') << '\n';
        return platform::PromptAnswer::Ok;
    }
    QStringList openFiles(QWidget*, const platform::FileDialogOptions&, bool) override {
        return {};
    }
    QString saveFile(QWidget*, const platform::FileDialogOptions&) override { return {}; }
    QString chooseFolder(QWidget*, const QString&, const QString&) override { return {}; }

private:
    QTextStream& out_;
};

}  // namespace

int selfTest(const InstalledPlaces& places, QTextStream& out) {
    bool found = true;
    const auto report = [&](const char* what, const QString& path,
                            const std::optional<QString>& failure) {
        out << what << ": " << failure.value_or(shown(path)) << '\n';
        found = found && !failure;
    };

    report("Biblioteka", places.libraryPath, libraryFailure(places.libraryPath));

    const QString dictionary = places.dictionaryFolder + QStringLiteral("/slownik.dic");
    std::optional<QString> dictionaryFailure;
    std::size_t undertakings = 0;
    try {
        undertakings = readDictionaryFile(QFile::encodeName(dictionary).toStdString())
                           .undertakings->entries()
                           .size();
    } catch (const std::exception& e) {
        dictionaryFailure = QString::fromUtf8(e.what());
    }
    report("Słownik", QStringLiteral("%1 (zakłady: %2)").arg(dictionary).arg(undertakings),
           dictionaryFailure);

    const auto missing = [](const QString& path) -> std::optional<QString> {
        if (QFileInfo(path).isFile()) return std::nullopt;
        return QStringLiteral("brak pliku ") + shown(path);
    };
    report("Pomoc", places.helpPath, missing(places.helpPath));

    std::optional<QString> templateFailure;
    for (const char* name : kTemplates)
        if (!templateFailure)
            templateFailure = missing(places.templatesFolder + QLatin1Char('/') + name);
    report("Szablony", places.templatesFolder, templateFailure);

    out.flush();
    return found ? 0 : 1;
}

std::optional<int> selfTestIfAsked(const QStringList& files) {
    if (!qEnvironmentVariableIsSet("TAVIK_SELFTEST")) return std::nullopt;
    const FrameEnvironment environment = FrameEnvironment::standard();
    QTextStream out(stdout);
    ReportedPrompts prompts(out);
    platform::Prompts::install(&prompts);
    const int placesServe = selfTest({environment.libraryPath, Settings().DictionaryDir(),
                                      environment.helpPath, environment.templatesFolder},
                                     out);
    if (placesServe != 0 || files.isEmpty()) {
        platform::Prompts::install(nullptr);
        return placesServe;
    }
    int made = 0;
    {
        // The import window of a text file is a modal dialog: told and accepted, as a clerk would.
        QTimer acceptDialogs;
        QObject::connect(&acceptDialogs, &QTimer::timeout, [&out] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                out << "Okno: " << dialog->windowTitle() << '\n';
                dialog->accept();
            }
        });
        acceptDialogs.start(50);
        TfrmMain frame(environment);
        frame.openFiles(files);
        QCoreApplication::processEvents();
        for (const QMdiSubWindow* window : frame.documentArea()->subWindowList()) {
            out << "Otwarte: " << QString(window->windowTitle()).remove(QStringLiteral("[*]"))
                << '\n';
            ++made;
        }
        out.flush();
    }
    platform::Prompts::install(nullptr);
    return made == files.size() ? 0 : 1;
}

}  // namespace tavik
