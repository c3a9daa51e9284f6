#include "shell/SelfTest.h"

#include <QDir>
#include <QFileInfo>

#include "dictionary/DictionaryFile.h"
#include "dictionary/SlownikZU.h"
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

std::optional<int> selfTestIfAsked() {
    if (!qEnvironmentVariableIsSet("TAVIK_SELFTEST")) return std::nullopt;
    const FrameEnvironment frame = FrameEnvironment::standard();
    QTextStream out(stdout);
    return selfTest(
        {frame.libraryPath, Settings().DictionaryDir(), frame.helpPath, frame.templatesFolder},
        out);
}

}  // namespace tavik
