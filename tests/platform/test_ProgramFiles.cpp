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

private:
    QString own_;     // a folder of this test beside the program
    QString shared_;  // the same under ../share/tavik/
    bool sharedExisted_ = false;

    static void touch(const QString& path) {
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

private slots:
    void initTestCase() {
        const QString name =
            QStringLiteral("test_ProgramFiles-%1").arg(QCoreApplication::applicationPid());
        own_ = programFolder() + QLatin1Char('/') + name;
        sharedExisted_ = QFileInfo::exists(programFolder() + QStringLiteral("/../share"));
        shared_ = QDir::cleanPath(programFolder() + QStringLiteral("/../share/tavik/") + name);
    }
    void cleanupTestCase() {
        QDir(own_).removeRecursively();
        QDir(shared_).removeRecursively();
        if (!sharedExisted_)
            QDir(programFolder() + QStringLiteral("/../share")).removeRecursively();
    }

    void theProgramsFolderFirstThenShareTavik() {
        const QString relative = QFileInfo(own_).fileName() + QStringLiteral("/Help/Tavik.html");
        const QString beside = programFolder() + QLatin1Char('/') + relative;
        const QString installed = shared_ + QStringLiteral("/Help/Tavik.html");
        QVERIFY(installed.startsWith(QFileInfo(programFolder()).absolutePath() +
                                     QStringLiteral("/share/tavik/")));

        // In neither place: the first, where a file would be written.
        QCOMPARE(besideProgram(relative), beside);
        touch(installed);
        QCOMPARE(besideProgram(relative), installed);
        touch(beside);
        QCOMPARE(besideProgram(relative), beside);
        QVERIFY(QFile::remove(installed));
        QCOMPARE(besideProgram(relative), beside);
    }
};

QTEST_GUILESS_MAIN(ProgramFilesTest)
#include "test_ProgramFiles.moc"
