#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTest>

#include "platform/ProgramFiles.h"

using tavik::platform::besideProgram;
using tavik::platform::programFolder;

// Files beside the test program stand for the files beside the program.
class ProgramFilesTest : public QObject {
    Q_OBJECT

private slots:
    void theProgramsFolderFirstThenShareTavik() {
        const QString name =
            QStringLiteral("test_ProgramFiles-%1").arg(QCoreApplication::applicationPid());
        const QString relative = name + QStringLiteral("/Help/Tavik.html");
        const QString beside = programFolder() + QLatin1Char('/') + relative;
        const QString share = QDir::cleanPath(programFolder() + QStringLiteral("/../share"));
        const bool hadShare = QFileInfo::exists(share);
        const QString installed = share + QStringLiteral("/tavik/") + relative;
        const auto touch = [](const QString& path) {
            QDir().mkpath(QFileInfo(path).absolutePath());
            return QFile(path).open(QIODevice::WriteOnly);
        };

        QCOMPARE(besideProgram(relative), beside);  // in neither: where it would be written
        QVERIFY(touch(installed));
        QCOMPARE(besideProgram(relative), installed);
        QVERIFY(touch(beside));
        QCOMPARE(besideProgram(relative), beside);

        QDir(programFolder() + QLatin1Char('/') + name).removeRecursively();
        QDir(hadShare ? share + QStringLiteral("/tavik/") + name : share).removeRecursively();
    }
};

QTEST_GUILESS_MAIN(ProgramFilesTest)
#include "test_ProgramFiles.moc"
