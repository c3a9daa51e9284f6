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

const QString kKey = "\\SOFTWARE\\KORVA\\TAVIK 3.1";

class RegistryTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    const QString file_ = dir_.filePath("registry.json");
    QByteArray bytes() const {
        QFile file(file_);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : "(brak)";
    }
    void write(const QByteArray& bytes) {
        QFile file(file_);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    QJsonObject keyInFile() const {
        return QJsonDocument::fromJson(bytes()).object()[kKey].toObject();
    }

private slots:
    void init() { QFile::remove(file_); }

    void namesWithoutRegardToCaseAndTypedValues() {
        Registry registry(file_);
        QVERIFY(!registry.openKey(kKey, false));
        QCOMPARE(registry.lastError(), QString("Klucz %1 nie istnieje.").arg(kKey));
        auto key = registry.openKey("SOFTWARE\\\\KORVA\\TAVIK 3.1\\", true);
        QVERIFY(key);
        QVERIFY(key->writeString("Dział ubezpieczeń", "M"));
        QVERIFY(key->writeInteger("Wl/Wy Autozapis", 5));
        QVERIFY(key->writeInteger("Min", std::numeric_limits<qint32>::min()));
        QVERIFY(key->writeBool("Nie", false));

        auto read = Registry(file_).openKey("\\software\\KORVA\\tavik 3.1", false);
        QVERIFY(read);
        QCOMPARE(read->path(), kKey);
        QCOMPARE(read->readString("DZIAŁ UBEZPIECZEŃ"), "M");
        QCOMPARE(read->readInteger("wl/wy autozapis"), 5);
        QCOMPARE(read->readBool("Wl/Wy Autozapis"), true);
        QCOMPARE(read->readBool("nie"), false);
        QCOMPARE(read->readInteger("Min"), std::numeric_limits<qint32>::min());
        // The other type reads as nothing; "/" is part of a name, never a key.
        QCOMPARE(read->readInteger("Dział ubezpieczeń"), std::nullopt);
        QCOMPARE(read->readString("Min"), std::nullopt);
        QVERIFY(!read->valueExists("Wl"));
        QVERIFY(!registry.keyExists(kKey + "\\Wl"));
        QVERIFY(registry.keyExists("\\Software\\korva"));  // a parent
        QVERIFY(!registry.keyExists("\\SOFT"));

        // Another spelling changes the value and keeps the first spelling; the type may change.
        QVERIFY(read->writeString("WL/WY AUTOZAPIS", "tak"));
        QCOMPARE(keyInFile(), QJsonObject({{"Dział ubezpieczeń", "M"},
                                           {"Min", std::numeric_limits<qint32>::min()},
                                           {"Nie", 0},
                                           {"Wl/Wy Autozapis", "tak"}}));
    }

    void everyWriteReadsTheFileAgain() {
        auto first = Registry(file_).openKey(kKey, true);
        auto second = Registry(file_).openKey(kKey, false);
        QVERIFY(first->writeString("Kod ZU", "JSK"));
        QVERIFY(!second->valueExists("Kod ZU"));  // as it was opened
        QVERIFY(second->writeString("Nazwa ZU", "JASKÓŁKA"));
        QCOMPARE(second->readString("Kod ZU"), "JSK");
        QCOMPARE(keyInFile(), QJsonObject({{"Kod ZU", "JSK"}, {"Nazwa ZU", "JASKÓŁKA"}}));
        // Nothing is left beside the file.
        QCOMPARE(QDir(dir_.path()).entryList(QDir::Files), QStringList{"registry.json"});
    }

    void aDamagedFileIsNeitherReadNorWritten() {
        Registry registry(file_);
        auto key = registry.openKey(kKey, true);
        const std::pair<QByteArray, QString> damaged[] = {
            {R"({"\\A": {"B": 1})", "błąd składni JSON na pozycji 16"},
            {"[1]", "nie zawiera obiektu kluczy"},
            {R"({"\\A": {}, "\\a": {}})", "klucz \\a występuje więcej niż raz"},
            {R"({"A": {}})", "błędna nazwa klucza „A”"}};
        for (const auto& [content, reason] : damaged) {
            write(content);
            const QString why = QString("plik rejestru %1 jest uszkodzony (%2)").arg(file_, reason);
            QVERIFY(!registry.keyExists("\\A"));
            QCOMPARE(registry.lastError(), why.at(0).toUpper() + why.mid(1) + u'.');
            QVERIFY(!registry.openKey(kKey, true));
            QVERIFY(!key->writeString("Kod ZU", "JSK"));
            QCOMPARE(key->lastError(), QString("Nie zapisano wartości „Kod ZU”: %1.").arg(why));
            QCOMPARE(bytes(), content);
        }
        write("");  // empty: a registry without keys
        QVERIFY(registry.openKey(kKey, true));
    }

    // A pipe or a device named as the registry is refused at once: nothing waits or reads on.
    void whatIsNotARegularFileIsNotRead() {
        QVERIFY(::mkfifo(QFile::encodeName(file_).constData(), 0644) == 0);
        Registry registry(file_);
        QVERIFY(!registry.keyExists(kKey));
        QCOMPARE(
            registry.lastError(),
            QString("Nie można odczytać pliku rejestru %1 (to nie jest zwykły plik).").arg(file_));
        QVERIFY(!registry.openKey(kKey, true));
        QFile::remove(file_);
        QVERIFY(::symlink("/dev/zero", QFile::encodeName(file_).constData()) == 0);
        QVERIFY(!Registry(file_).keyExists(kKey));
    }

    void aDamagedKeyExistsCannotBeOpenedAndIsKept() {
        Registry registry(file_);
        const QString notValue = "wartość „Kod” nie jest tekstem ani liczbą 32-bitową";
        const std::pair<QJsonValue, QString> damaged[] = {
            {QJsonObject{{"Kod", true}}, notValue},
            {QJsonObject{{"Kod", 1.5}}, notValue},
            {QJsonObject{{"Kod", 2147483648.0}}, notValue},
            {QJsonObject{{"KOD", 1}, {"Kod", 2}}, "wartość „Kod” występuje więcej niż raz"},
            {"tekst", "nie jest obiektem wartości"}};
        for (const auto& [value, reason] : damaged) {
            write(QJsonDocument(QJsonObject{{kKey, value}, {"\\INNY", QJsonObject{}}}).toJson());
            QVERIFY(registry.keyExists(kKey));
            QVERIFY(!registry.openKey(kKey, true));
            QCOMPARE(registry.lastError(),
                     QString("Klucz %1 w pliku rejestru %2 jest uszkodzony (%3).")
                         .arg(kKey, file_, reason));
            // Other keys are written; the damaged one stays as it was.
            QVERIFY(registry.openKey("\\INNY", false)->writeInteger("A", 1));
            QCOMPARE(QJsonDocument::fromJson(bytes()).object()[kKey], value);
        }
    }
};

QTEST_GUILESS_MAIN(RegistryTest)
#include "test_Registry.moc"
