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

namespace {

const QString kKey = QStringLiteral("\\SOFTWARE\\KORVA\\TAVIK 3.1");

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(brak)");
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

}  // namespace

class RegistryTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString file() const { return dir_.filePath(QStringLiteral("registry.json")); }

private slots:
    void init() { QFile::remove(file()); }

    void namesWithoutRegardToCaseAndTypedValues() {
        Registry registry(file());
        QVERIFY(!registry.openKey(kKey, false));
        QCOMPARE(registry.lastError(), QStringLiteral("Klucz %1 nie istnieje.").arg(kKey));
        auto key = registry.openKey(QStringLiteral("SOFTWARE\\\\KORVA\\TAVIK 3.1\\"), true);
        QVERIFY(key);
        QVERIFY(key->writeString(QStringLiteral("Dział ubezpieczeń"), QStringLiteral("M")));
        QVERIFY(key->writeInteger(QStringLiteral("Wl/Wy Autozapis"), 5));
        QVERIFY(key->writeInteger(QStringLiteral("Min"), std::numeric_limits<qint32>::min()));
        QVERIFY(key->writeBool(QStringLiteral("Nie"), false));

        auto read = Registry(file()).openKey(QStringLiteral("\\software\\KORVA\\tavik 3.1"), false);
        QVERIFY(read);
        QCOMPARE(read->path(), kKey);
        QCOMPARE(read->readString(QStringLiteral("DZIAŁ UBEZPIECZEŃ")), QStringLiteral("M"));
        QCOMPARE(read->readInteger(QStringLiteral("wl/wy autozapis")), 5);
        QCOMPARE(read->readBool(QStringLiteral("Wl/Wy Autozapis")), true);
        QCOMPARE(read->readBool(QStringLiteral("nie")), false);
        QCOMPARE(read->readInteger(QStringLiteral("Min")), std::numeric_limits<qint32>::min());
        // The other type reads as nothing; "/" is part of a name, never a key.
        QCOMPARE(read->readInteger(QStringLiteral("Dział ubezpieczeń")), std::nullopt);
        QCOMPARE(read->readString(QStringLiteral("Min")), std::nullopt);
        QVERIFY(!read->valueExists(QStringLiteral("Wl")));
        QVERIFY(!registry.keyExists(kKey + QStringLiteral("\\Wl")));
        QVERIFY(registry.keyExists(QStringLiteral("\\Software\\korva")));  // a parent
        QVERIFY(!registry.keyExists(QStringLiteral("\\SOFT")));

        // Another spelling changes the value and keeps the first one; the type may change.
        QVERIFY(read->writeString(QStringLiteral("WL/WY AUTOZAPIS"), QStringLiteral("tak")));
        const QJsonObject values =
            QJsonDocument::fromJson(readAll(file())).object()[kKey].toObject();
        QCOMPARE(values.keys(),
                 (QStringList{QStringLiteral("Dział ubezpieczeń"), QStringLiteral("Min"),
                              QStringLiteral("Nie"), QStringLiteral("Wl/Wy Autozapis")}));
        QCOMPARE(values[QStringLiteral("Wl/Wy Autozapis")].toString(), QStringLiteral("tak"));
    }

    void everyWriteReadsTheFileAgainAndReplacesIt() {
        auto first = Registry(file()).openKey(kKey, true);
        auto second = Registry(file()).openKey(kKey, false);
        QVERIFY(first->writeString(QStringLiteral("Kod ZU"), QStringLiteral("JSK")));
        QVERIFY(!second->valueExists(QStringLiteral("Kod ZU")));  // as it was opened
        struct stat old {};
        QVERIFY(::stat(QFile::encodeName(file()).constData(), &old) == 0);
        QFile reader(file());
        QVERIFY(reader.open(QIODevice::ReadOnly));
        const QByteArray oldBytes = readAll(file());

        QVERIFY(second->writeString(QStringLiteral("Nazwa ZU"), QStringLiteral("JASKÓŁKA")));
        QCOMPARE(second->readString(QStringLiteral("Kod ZU")), QStringLiteral("JSK"));
        auto third = Registry(file()).openKey(kKey, false);
        QCOMPARE(third->readString(QStringLiteral("Kod ZU")), QStringLiteral("JSK"));
        QCOMPARE(third->readString(QStringLiteral("Nazwa ZU")), QStringLiteral("JASKÓŁKA"));
        // A new file took the old one's name: whoever read the old one reads it whole.
        struct stat now {};
        QVERIFY(::stat(QFile::encodeName(file()).constData(), &now) == 0);
        QVERIFY(now.st_ino != old.st_ino);
        QCOMPARE(reader.readAll(), oldBytes);
        QCOMPARE(QDir(dir_.path()).entryList(QDir::Files),
                 QStringList{QStringLiteral("registry.json")});
    }

    void aDamagedFileIsNeitherReadNorWritten() {
        Registry registry(file());
        auto key = registry.openKey(kKey, true);
        const QList<QPair<QByteArray, QString>> damaged = {
            {"{\"\\\\A\": {\"B\": 1}", QStringLiteral("błąd składni JSON na pozycji 16")},
            {"[1]", QStringLiteral("nie zawiera obiektu kluczy")},
            {"{\"\\\\A\": {}, \"\\\\a\": {}}",
             QStringLiteral("klucz \\a występuje więcej niż raz")},
            {"{\"A\": {}}", QStringLiteral("błędna nazwa klucza „A”")}};
        for (const auto& [bytes, reason] : damaged) {
            writeAll(file(), bytes);
            const QString why =
                QStringLiteral("plik rejestru %1 jest uszkodzony (%2)").arg(file(), reason);
            QVERIFY(!registry.keyExists(QStringLiteral("\\A")));
            QCOMPARE(registry.lastError(), why.at(0).toUpper() + why.mid(1) + QLatin1Char('.'));
            QVERIFY(!registry.openKey(kKey, true));
            QVERIFY(!key->writeString(QStringLiteral("Kod ZU"), QStringLiteral("JSK")));
            QCOMPARE(key->lastError(),
                     QStringLiteral("Nie zapisano wartości „Kod ZU”: %1.").arg(why));
            QCOMPARE(readAll(file()), bytes);
        }
        writeAll(file(), "");  // empty: a registry without keys
        QVERIFY(registry.openKey(kKey, true));
    }

    void aDamagedKeyExistsCannotBeOpenedAndIsKept() {
        Registry registry(file());
        const QString prefix =
            QStringLiteral("Klucz %1 w pliku rejestru %2 jest uszkodzony (").arg(kKey, file());
        const QList<QPair<QJsonValue, QString>> damaged = {
            {QJsonObject{{QStringLiteral("Kod"), true}},
             QStringLiteral("wartość „Kod” nie jest tekstem ani liczbą 32-bitową")},
            {QJsonObject{{QStringLiteral("Kod"), 1.5}},
             QStringLiteral("wartość „Kod” nie jest tekstem ani liczbą 32-bitową")},
            {QJsonObject{{QStringLiteral("Kod"), 2147483648.0}},
             QStringLiteral("wartość „Kod” nie jest tekstem ani liczbą 32-bitową")},
            {QJsonObject{{QStringLiteral("KOD"), 1}, {QStringLiteral("Kod"), 2}},
             QStringLiteral("wartość „Kod” występuje więcej niż raz")},
            {QStringLiteral("tekst"), QStringLiteral("nie jest obiektem wartości")}};
        for (const auto& [value, reason] : damaged) {
            const QJsonObject keys{{kKey, value}, {QStringLiteral("\\INNY"), QJsonObject{}}};
            writeAll(file(), QJsonDocument(keys).toJson());
            QVERIFY(registry.keyExists(kKey));
            QVERIFY(!registry.openKey(kKey, true));
            QCOMPARE(registry.lastError(), prefix + reason + QStringLiteral(")."));
            // Other keys are written; the damaged one stays as it was.
            QVERIFY(registry.openKey(QStringLiteral("\\INNY"), false)
                        ->writeInteger(QStringLiteral("A"), 1));
            QCOMPARE(QJsonDocument::fromJson(readAll(file())).object()[kKey], value);
        }
    }

    void aFolderThatCannotBeWritten() {
        writeAll(dir_.filePath(QStringLiteral("plik")), "x");
        Registry underAFile(dir_.filePath(QStringLiteral("plik/registry.json")));
        QVERIFY(!underAFile.openKey(kKey, true));
        QCOMPARE(underAFile.lastError(),
                 QStringLiteral("Nie utworzono klucza %1: nie można utworzyć katalogu %2.")
                     .arg(kKey, dir_.filePath(QStringLiteral("plik"))));
        Registry aFolder(dir_.path());
        QVERIFY(!aFolder.openKey(kKey, true));
        QCOMPARE(aFolder.lastError(),
                 QStringLiteral("Nie można odczytać pliku rejestru %1 (to jest katalog).")
                     .arg(dir_.path()));
        const QString deep = dir_.filePath(QStringLiteral("a/b/registry.json"));
        QVERIFY(Registry(deep).openKey(kKey, true));  // missing folders are made
    }

    void aFolderWithoutTheRightToWrite() {
        const QString locked = dir_.filePath(QStringLiteral("zamknięty"));
        auto key = Registry(locked + QStringLiteral("/registry.json")).openKey(kKey, true);
        const QByteArray before = readAll(locked + QStringLiteral("/registry.json"));
        QVERIFY(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner));
        const bool refused = !key->writeString(QStringLiteral("Kod ZU"), QStringLiteral("JSK"));
        const bool root = ::geteuid() == 0;
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (root) QSKIP("root writes into any folder");
        QVERIFY(refused);
        QCOMPARE(key->lastError(), QStringLiteral("Nie zapisano wartości „Kod ZU”: nie można "
                                                  "zapisać pliku rejestru %1 (brak uprawnień).")
                                       .arg(locked + QStringLiteral("/registry.json")));
        QCOMPARE(readAll(locked + QStringLiteral("/registry.json")), before);
    }
};

QTEST_GUILESS_MAIN(RegistryTest)
#include "test_Registry.moc"
