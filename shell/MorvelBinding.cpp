#include "shell/MorvelBinding.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>

#include "platform/ProgramFiles.h"

namespace tavik {

MorvelBinding::MorvelBinding() : MorvelBinding(defaultPath()) {}

MorvelBinding::MorvelBinding(QString path) : path_(std::move(path)) {}

MorvelBinding::~MorvelBinding() {
    unload();
}

QStringList MorvelBinding::searchedPaths(const QString& programFolder) {
    const QDir folder(programFolder);
    return {QDir::cleanPath(folder.filePath(QStringLiteral("libmorvel.so"))),
            QDir::cleanPath(folder.filePath(QStringLiteral("../lib/tavik/libmorvel.so")))};
}

QString MorvelBinding::defaultPath(const QString& programFolder) {
    const QStringList places = searchedPaths(programFolder);
    for (const QString& place : places)
        if (QFileInfo(place).isFile()) return place;
    return places.first();
}

QString MorvelBinding::defaultPath() {
    return defaultPath(platform::programFolder());
}

bool MorvelBinding::load() {
    if (loaded_) return true;
    loadError_.clear();

    const QString shown = QDir::toNativeSeparators(path_);
    const QString failure =
        QStringLiteral("Nie można otworzyć biblioteki %1\n").arg(QFileInfo(path_).fileName());
    if (!QFileInfo(path_).isFile()) {
        // Missing from the default place: it was looked for at every searched place.
        const QStringList searched = searchedPaths(platform::programFolder());
        if (path_ == searched.first()) {
            QStringList shownPlaces;
            for (const QString& place : searched)
                shownPlaces << QDir::toNativeSeparators(place);
            loadError_ = failure +
                         QStringLiteral("Nie ma jej w żadnym z miejsc, w których jej szukano:\n") +
                         shownPlaces.join(QLatin1Char('\n'));
        } else {
            loadError_ = failure + QStringLiteral("Plik %1 nie istnieje.").arg(shown);
        }
        return false;
    }
    library_.setFileName(path_);
    // The code stays mapped after unloading: the library's windows and state go at MorvelDetach,
    // but what it left with Qt (routines run when the application ends, deferred events) must
    // not point into a module that is gone.
    library_.setLoadHints(QLibrary::PreventUnloadHint);
    if (!library_.load()) {
        // The loader's own words say what is wrong with the file (a missing dependency, another
        // architecture); they are its, not ours, so they stay as the loader wrote them.
        loadError_ =
            failure +
            QStringLiteral("Pliku %1 nie można załadować:\n%2").arg(shown, library_.errorString());
        return false;
    }
    const auto attach = reinterpret_cast<MorvelAttachFn>(library_.resolve("MorvelAttach"));
    if (!attach) {
        library_.unload();
        loadError_ =
            failure +
            QStringLiteral("Plik %1 nie jest biblioteką morvel (brak funkcji MorvelAttach).")
                .arg(shown);
        return false;
    }
    loaded_ = true;
    attach();
    return true;
}

ShowFormFn MorvelBinding::showForm() {
    if (!showForm_) showForm_ = resolve<ShowFormFn>("ShowForm");
    return showForm_;
}

OpenDocumentFn MorvelBinding::openDocument() {
    if (!openDocument_) openDocument_ = resolve<OpenDocumentFn>("OpenDocument");
    return openDocument_;
}

QFunctionPointer MorvelBinding::lookUp(const char* name) {
    return loaded_ ? library_.resolve(name) : nullptr;
}

void MorvelBinding::unload() {
    if (!loaded_) return;
    if (const auto detach = resolve<MorvelDetachFn>("MorvelDetach")) detach();
    // Windows of the library that closed earlier may still wait for their deferred deletion;
    // their code must not go before they do.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    showForm_ = nullptr;
    openDocument_ = nullptr;
    loaded_ = false;
    library_.unload();
}

}  // namespace tavik
