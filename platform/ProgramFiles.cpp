#include "platform/ProgramFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace tavik::platform {

QString programFolder() {
    return QCoreApplication::applicationDirPath();
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

}  // namespace tavik::platform
