#include "platform/ProgramFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace tavik::platform {

QString programFolder() {
    if (QCoreApplication::instance()) return QCoreApplication::applicationDirPath();
    return QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget()).path();
}

QString besideProgram(const QString& relativePath) {
    const QDir folder(programFolder());
    const QString beside = folder.filePath(relativePath);
    if (QFileInfo::exists(beside)) return beside;
    // Installed under a prefix: the program in bin/, its files in share/tavik/.
    const QString shared =
        QDir::cleanPath(folder.filePath(QStringLiteral("../share/tavik/") + relativePath));
    if (QFileInfo::exists(shared)) return shared;
    return beside;
}

QString bundledDictionaryFolder() {
    return bundledDictionaryFolder(programFolder());
}

QString bundledDictionaryFolder(const QString& programFolder) {
    const QDir folder(programFolder);
    for (const char* place : {"Slowniki", "../share/tavik/Slowniki", "../Slowniki"}) {
        const QString candidate = QDir::cleanPath(folder.filePath(QLatin1String(place)));
        if (QFileInfo(candidate + QStringLiteral("/slownik.dic")).isFile()) return candidate;
    }
    return {};
}

}  // namespace tavik::platform
