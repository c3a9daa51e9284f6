#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "shell/MorvelBinding.h"

using namespace tavik;

class MorvelBindingTest : public QObject {
    Q_OBJECT

private slots:
    // Beside the program first, then in the installed layout's private library folder.
    void theLibraryBesideTheProgramOrInstalled() {
        const QTemporaryDir root;
        const QString bin = root.filePath("bin"), beside = bin + "/libmorvel.so",
                      installed = root.filePath("lib/tavik/libmorvel.so");
        QCOMPARE(MorvelBinding::searchedPaths(bin), QStringList({beside, installed}));
        QCOMPARE(MorvelBinding::defaultPath(bin), beside);  // in neither: the first place
        QVERIFY(QDir().mkpath(bin) && QDir().mkpath(root.filePath("lib/tavik")));
        QVERIFY(QFile::copy(FAKE_MORVEL, installed));
        QCOMPARE(MorvelBinding::defaultPath(bin), installed);
        MorvelBinding library(MorvelBinding::defaultPath(bin));
        QVERIFY(library.load());
        QVERIFY(QFile::copy(FAKE_MORVEL, beside));
        QCOMPARE(MorvelBinding::defaultPath(bin), beside);
    }

    // Missing from the running program's places: the message names each; another path alone.
    void aMissingLibraryNamesThePlacesSearched() {
        const QString folder = QCoreApplication::applicationDirPath();
        const QString cannot = "Nie można otworzyć biblioteki libmorvel.so\n";
        MorvelBinding standard;
        QVERIFY(!standard.load());
        QCOMPARE(standard.loadError(),
                 cannot + "Nie ma jej w żadnym z miejsc, w których jej szukano:\n" + folder +
                     "/libmorvel.so\n" + QDir::cleanPath(folder + "/../lib/tavik/libmorvel.so"));
        MorvelBinding other(folder + "/lib/libmorvel.so");
        QVERIFY(!other.load());
        QCOMPARE(other.loadError(), cannot + "Plik " + folder + "/lib/libmorvel.so nie istnieje.");
    }
};

QTEST_MAIN(MorvelBindingTest)
#include "test_MorvelBinding.moc"
