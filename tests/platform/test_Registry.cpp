#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include "platform/Registry.h"

using tavik::platform::Registry;
using tavik::platform::RegistryKey;

namespace {

const QString kKey = QStringLiteral("\\SOFTWARE\\KORVA\\TAVIK 3.1");

QByteArray readAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return "(missing)";
    return file.readAll();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

QJsonObject fileObject(const QString& path) {
    return QJsonDocument::fromJson(readAll(path)).object();
}

ino_t inode(const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}

}  // namespace

class RegistryTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    QString file() const { return dir_.filePath(QStringLiteral("registry.json")); }

private slots:
    void init() { QFile::remove(file()); }

    void namesAndKeysIgnoreCasePolishLettersIncluded() {
        Registry registry(file());
        auto key = registry.openKey(kKey, true);
        QVERIFY(key);
        QVERIFY(key->writeString(QStringLiteral("Dział ubezpieczeń"), QStringLiteral("M")));
        QVERIFY(key->writeString(QStringLiteral("ŁÓDŹ"), QStringLiteral("miasto")));
        QVERIFY(key->writeInteger(QStringLiteral("Wl/Wy Autozapis"), 1));

        auto other =
            Registry(file()).openKey(QStringLiteral("\\software\\korva\\tavik 3.1"), false);
        QVERIFY(other);
        QCOMPARE(other->path(), kKey);
        QCOMPARE(other->readString(QStringLiteral("DZIAŁ UBEZPIECZEŃ")), QStringLiteral("M"));
        QCOMPARE(other->readString(QStringLiteral("łódź")), QStringLiteral("miasto"));
        QVERIFY(other->valueExists(QStringLiteral("wl/wy autozapis")));
        QVERIFY(!other->valueExists(QStringLiteral("Dzial ubezpieczen")));

        // Writing under another spelling changes the value and keeps the first spelling.
        QVERIFY(other->writeString(QStringLiteral("DZIAŁ UBEZPIECZEŃ"), QStringLiteral("Z")));
        const QJsonObject values = fileObject(file()).value(kKey).toObject();
        QCOMPARE(values.keys(),
                 (QStringList{QStringLiteral("Dział ubezpieczeń"),
                              QStringLiteral("Wl/Wy Autozapis"), QStringLiteral("ŁÓDŹ")}));
        QCOMPARE(values.value(QStringLiteral("Dział ubezpieczeń")).toString(), QStringLiteral("Z"));

        // A "/" belongs to the value's name; a key of that name was never made.
        QVERIFY(!other->valueExists(QStringLiteral("Wl")));
        QVERIFY(!registry.keyExists(kKey + QStringLiteral("\\Wl")));
    }

    void keysTheirParentsAndPaths() {
        Registry registry(file());
        QVERIFY(!registry.keyExists(kKey));
        QVERIFY(!registry.openKey(kKey, false));
        QCOMPARE(registry.lastError(),
                 QStringLiteral("Klucz \\SOFTWARE\\KORVA\\TAVIK 3.1 nie istnieje."));
        QCOMPARE(readAll(file()), QByteArray("(missing)"));

        // Creating writes the key at once, with its parents.
        QVERIFY(registry.openKey(QStringLiteral("SOFTWARE\\\\KORVA\\TAVIK 3.1\\"), true));
        QCOMPARE(fileObject(file()).keys(), QStringList{kKey});
        QVERIFY(registry.keyExists(QStringLiteral("\\SOFTWARE")));
        QVERIFY(registry.keyExists(QStringLiteral("\\software\\KORVA")));
        QVERIFY(!registry.keyExists(QStringLiteral("\\SOFT")));
        QVERIFY(registry.openKey(QStringLiteral("\\SOFTWARE\\KORVA"), false));

        QVERIFY(!registry.openKey(QStringLiteral("\\"), true));
        QCOMPARE(registry.lastError(), QStringLiteral("Błędna nazwa klucza „\\”."));
    }

    void typedValues() {
        auto key = Registry(file()).openKey(kKey, true);
        QVERIFY(key->writeString(QStringLiteral("Nazwa ZU"), QString()));
        QVERIFY(key->writeInteger(QStringLiteral("Min"), std::numeric_limits<qint32>::min()));
        QVERIFY(key->writeInteger(QStringLiteral("Max"), std::numeric_limits<qint32>::max()));
        QVERIFY(key->writeBool(QStringLiteral("Tak"), true));
        QVERIFY(key->writeBool(QStringLiteral("Nie"), false));
        QVERIFY(key->writeInteger(QStringLiteral("Pięć"), 5));

        auto read = Registry(file()).openKey(kKey, false);
        QCOMPARE(read->readString(QStringLiteral("Nazwa ZU")), QString());
        QVERIFY(read->readString(QStringLiteral("Nazwa ZU"))->isEmpty());
        QCOMPARE(read->readInteger(QStringLiteral("Min")), std::numeric_limits<qint32>::min());
        QCOMPARE(read->readInteger(QStringLiteral("Max")), std::numeric_limits<qint32>::max());
        QCOMPARE(read->readInteger(QStringLiteral("Tak")), 1);
        QCOMPARE(read->readInteger(QStringLiteral("Nie")), 0);
        QCOMPARE(read->readBool(QStringLiteral("Tak")), true);
        QCOMPARE(read->readBool(QStringLiteral("Nie")), false);
        QCOMPARE(read->readBool(QStringLiteral("Pięć")), true);

        // A value of the other type, or none, reads as nothing.
        QCOMPARE(read->readInteger(QStringLiteral("Nazwa ZU")), std::nullopt);
        QCOMPARE(read->readBool(QStringLiteral("Nazwa ZU")), std::nullopt);
        QCOMPARE(read->readString(QStringLiteral("Pięć")), std::nullopt);
        QCOMPARE(read->readString(QStringLiteral("Brak")), std::nullopt);
        QCOMPARE(read->readInteger(QStringLiteral("Brak")), std::nullopt);
        QVERIFY(read->valueExists(QStringLiteral("Pięć")));

        // A value may change its type.
        QVERIFY(read->writeString(QStringLiteral("pięć"), QStringLiteral("5")));
        QCOMPARE(read->readString(QStringLiteral("Pięć")), QStringLiteral("5"));
        QCOMPARE(read->readInteger(QStringLiteral("Pięć")), std::nullopt);
    }

    void writesReachOtherInstancesAndKeepTheirChanges() {
        auto first = Registry(file()).openKey(kKey, true);
        auto second = Registry(file()).openKey(kKey, false);
        QVERIFY(first->writeString(QStringLiteral("Kod ZU"), QStringLiteral("JSK")));
        // A key shows the registry as it was opened ...
        QVERIFY(!second->valueExists(QStringLiteral("Kod ZU")));
        // ... but writes into the file as it is now.
        QVERIFY(second->writeString(QStringLiteral("Nazwa ZU"), QStringLiteral("JASKÓŁKA")));
        QCOMPARE(second->readString(QStringLiteral("Kod ZU")), QStringLiteral("JSK"));
        auto other =
            Registry(file()).openKey(QStringLiteral("\\SOFTWARE\\Selmit\\LUNET 2.0"), true);
        QVERIFY(other->writeInteger(QStringLiteral("Sortowanie"), 2));

        auto third = Registry(file()).openKey(kKey, false);
        QCOMPARE(third->readString(QStringLiteral("Kod ZU")), QStringLiteral("JSK"));
        QCOMPARE(third->readString(QStringLiteral("Nazwa ZU")), QStringLiteral("JASKÓŁKA"));
        QCOMPARE(fileObject(file()).keys(),
                 (QStringList{kKey, QStringLiteral("\\SOFTWARE\\Selmit\\LUNET 2.0")}));
    }

    void theFileIsReplacedNotRewritten() {
        auto key = Registry(file()).openKey(kKey, true);
        QVERIFY(key->writeString(QStringLiteral("Kod ZU"), QStringLiteral("JSK")));
        const QByteArray before = readAll(file());
        const ino_t inodeBefore = inode(file());
        QFile old(file());
        QVERIFY(old.open(QIODevice::ReadOnly));

        QVERIFY(key->writeString(QStringLiteral("Nazwa ZU"), QStringLiteral("JASKÓŁKA")));
        QVERIFY(inode(file()) != inodeBefore);
        QCOMPARE(old.readAll(), before);  // whoever read the old file read it whole
        QCOMPARE(QDir(dir_.path()).entryList(QDir::Files),
                 QStringList{QStringLiteral("registry.json")});
    }

    void aDamagedFileIsNeitherReadNorWritten() {
        const QByteArray damaged = "{\"\\\\SOFTWARE\\\\KORVA\\\\TAVIK 3.1\": {\"Kod ZU\": \"JSK\"";
        writeAll(file(), damaged);
        const QString message =
            QStringLiteral("Plik rejestru %1 jest uszkodzony (błąd składni JSON na pozycji 49).")
                .arg(file());
        Registry registry(file());
        QVERIFY(!registry.keyExists(kKey));
        QCOMPARE(registry.lastError(), message);
        QVERIFY(!registry.openKey(kKey, true));
        QCOMPARE(registry.lastError(), message);
        QCOMPARE(readAll(file()), damaged);

        // Damaged after a key was opened: the write is refused with the reason.
        QFile::remove(file());
        auto key = registry.openKey(kKey, true);
        QVERIFY(key);
        writeAll(file(), "[1, 2]");
        QVERIFY(!key->writeString(QStringLiteral("Kod ZU"), QStringLiteral("JSK")));
        QCOMPARE(key->lastError(),
                 QStringLiteral("Nie zapisano wartości „Kod ZU”: plik rejestru %1 jest "
                                "uszkodzony (nie zawiera obiektu kluczy).")
                     .arg(file()));
        QCOMPARE(readAll(file()), QByteArray("[1, 2]"));

        writeAll(file(), "{\"\\\\A\": {}, \"\\\\a\": {}}");
        QVERIFY(!registry.keyExists(QStringLiteral("\\A")));
        QCOMPARE(
            registry.lastError(),
            QStringLiteral("Plik rejestru %1 jest uszkodzony (klucz \\a występuje więcej niż raz).")
                .arg(file()));
        writeAll(file(), "{\"SOFTWARE\": {}}");
        QVERIFY(!registry.keyExists(QStringLiteral("\\SOFTWARE")));
        QCOMPARE(
            registry.lastError(),
            QStringLiteral("Plik rejestru %1 jest uszkodzony (błędna nazwa klucza „SOFTWARE”).")
                .arg(file()));

        // An empty file is an empty registry.
        writeAll(file(), "");
        QVERIFY(registry.openKey(kKey, true));
    }

    void aDamagedKeyExistsButCannotBeOpenedAndIsKept() {
        const QJsonObject bad{{QStringLiteral("Kod ZU"), true}};
        const auto badKey = [&](const QJsonValue& value) {
            writeAll(file(), QJsonDocument(QJsonObject{
                                               {kKey, value},
                                               {QStringLiteral("\\INNY"), QJsonObject{}},
                                           })
                                 .toJson());
        };
        Registry registry(file());
        const QString prefix =
            QStringLiteral("Klucz %1 w pliku rejestru %2 jest uszkodzony (").arg(kKey, file());
        badKey(bad);
        QVERIFY(registry.keyExists(kKey));
        QVERIFY(!registry.openKey(kKey, true));
        QCOMPARE(
            registry.lastError(),
            prefix + QStringLiteral("wartość „Kod ZU” nie jest tekstem ani liczbą 32-bitową)."));
        for (const QJsonValue& number : {QJsonValue(1.5), QJsonValue(2147483648.0)}) {
            badKey(QJsonObject{{QStringLiteral("Autozapis"), number}});
            QVERIFY(!registry.openKey(kKey, false));
            QCOMPARE(registry.lastError(),
                     prefix + QStringLiteral(
                                  "wartość „Autozapis” nie jest tekstem ani liczbą 32-bitową)."));
        }
        badKey(QJsonObject{{QStringLiteral("Kod ZU"), 1}, {QStringLiteral("KOD ZU"), 2}});
        QVERIFY(!registry.openKey(kKey, false));
        QCOMPARE(registry.lastError(),
                 prefix + QStringLiteral("wartość „Kod ZU” występuje więcej niż raz)."));
        badKey(QStringLiteral("tekst"));
        QVERIFY(!registry.openKey(kKey, false));
        QCOMPARE(registry.lastError(), prefix + QStringLiteral("nie jest obiektem wartości)."));

        // Other keys stay usable; the damaged one stays as it was.
        badKey(bad);
        auto other = registry.openKey(QStringLiteral("\\INNY"), false);
        QVERIFY(other);
        QVERIFY(other->writeInteger(QStringLiteral("A"), 1));
        QCOMPARE(fileObject(file()).value(kKey).toObject(), bad);
    }

    void aFolderThatCannotBeWritten() {
        // The folder the file should be in is a file.
        const QString blocker = dir_.filePath(QStringLiteral("plik"));
        writeAll(blocker, "x");
        Registry blocked(blocker + QStringLiteral("/registry.json"));
        QVERIFY(!blocked.openKey(kKey, true));
        QCOMPARE(blocked.lastError(),
                 QStringLiteral("Nie utworzono klucza %1: nie można utworzyć katalogu %2.")
                     .arg(kKey, blocker));

        // A registry file that is a folder.
        const QString folder = dir_.filePath(QStringLiteral("katalog.json"));
        QVERIFY(QDir().mkpath(folder));
        Registry registry(folder);
        QVERIFY(!registry.openKey(kKey, true));
        QCOMPARE(
            registry.lastError(),
            QStringLiteral("Nie można odczytać pliku rejestru %1 (to jest katalog).").arg(folder));

        // Missing folders are made.
        const QString deep = dir_.filePath(QStringLiteral("a/b/registry.json"));
        QVERIFY(Registry(deep).openKey(kKey, true));
        QVERIFY(QFile::exists(deep));
    }

    void aFolderWithoutTheRightToWriteKeepsTheOldFile() {
        const QString locked = dir_.filePath(QStringLiteral("zamkniety"));
        QVERIFY(QDir().mkpath(locked));
        const QString lockedFile = locked + QStringLiteral("/registry.json");
        auto key = Registry(lockedFile).openKey(kKey, true);
        QVERIFY(key);
        const QByteArray before = readAll(lockedFile);
        QVERIFY(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner));
        const bool writable = ::access(QFile::encodeName(locked).constData(), W_OK) == 0;
        const bool written = key->writeString(QStringLiteral("Kod ZU"), QStringLiteral("JSK"));
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (writable) QSKIP("this user writes into any folder");
        QVERIFY(!written);
        QCOMPARE(key->lastError(),
                 QStringLiteral("Nie zapisano wartości „Kod ZU”: nie można zapisać pliku rejestru "
                                "%1 (brak uprawnień).")
                     .arg(lockedFile));
        QCOMPARE(readAll(lockedFile), before);
    }

    void theFileOfTheCurrentUser() {
        const QByteArray previous = qgetenv("TAVIK_REGISTRY");
        QVERIFY(qputenv("TAVIK_REGISTRY", file().toUtf8()));
        QCOMPARE(Registry().filePath(), file());
        qunsetenv("TAVIK_REGISTRY");
        const bool hadXdg = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
        const QByteArray xdg = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", dir_.path().toUtf8());
        QCOMPARE(Registry::defaultFilePath(), dir_.filePath(QStringLiteral("tavik/registry.json")));
        if (hadXdg)
            qputenv("XDG_CONFIG_HOME", xdg);
        else
            qunsetenv("XDG_CONFIG_HOME");
        qputenv("TAVIK_REGISTRY", previous);
    }
};

QTEST_GUILESS_MAIN(RegistryTest)
#include "test_Registry.moc"
