#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "platform/Registry.h"
#include "shell/Settings.h"
#include "tests/support/qt/TempRegistry.h"

using namespace tavik;
using platform::Registry;

namespace {

std::unique_ptr<platform::RegistryKey> key(const QString& path = Settings::kKeyPath) {
    auto k = Registry().openKey(path, true);
    if (!k) qFatal("the test registry cannot be written");
    return k;
}

// Every value of a reader, to compare in one go.
QStringList all(const Settings& s) {
    return {s.ApplicationsDir(),
            s.ResponsesDir(),
            s.DictionaryDir(),
            s.PlaceOfIssue(),
            s.UndertakingName(),
            s.UndertakingCode(),
            s.InsuranceDivision(),
            s.Signer(),
            QString::number(s.SortOrder()) + QString::number(s.TransferMode()) +
                (s.ClassicUi() ? QStringLiteral(" klasyczny") : QStringLiteral(" XP"))};
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

}  // namespace

class SettingsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempRegistry> registry_;
    QTemporaryDir workDir_;
    QString here(const char* folder) const { return workDir_.path() + QLatin1Char('/') + folder; }

private slots:
    void initTestCase() { QVERIFY(QDir::setCurrent(workDir_.path())); }
    void init() { registry_ = std::make_unique<test::TempRegistry>(); }
    void cleanup() { registry_.reset(); }

    void defaultsForAMissingKeyAndForMissingValues() {
        const QStringList folders{here("WNIOSKI"), here("ODPOWIEDZI"), here("Slowniki")};
        const QStringList names{Settings::kNoUndertakingName, QStringLiteral("-1"),
                                Settings::kNoInsuranceDivision};
        QCOMPARE(Settings::kNoUndertakingName, QStringLiteral("< BRAK WPISANEJ NAZWY ZU! >"));
        QCOMPARE(Settings::kNoInsuranceDivision,
                 QStringLiteral("< BRAK USTAWIONEJ GRUPY UBEZPIECZEŃ !>"));
        QCOMPARE(Settings::kNoSigner,
                 QStringLiteral("<BRAK USTAWIONEJ NAZWY OSOBY PODPISUJĄCEJ WNIOSEK !>"));
        QCOMPARE(all(Settings()), folders + QStringList(1, QString()) + names +
                                      QStringList(1, QString()) +
                                      QStringList(1, QStringLiteral("02 klasyczny")));
        QCOMPARE(Settings().dictionaryPath(), here("Slowniki/slownik.dic"));
        QCOMPARE(ReadAutoSaveMinutes(), 3);
        QCOMPARE(ReadAutoSaveOn(), false);
        QCOMPARE(ReadSortOrder(), 0);

        key();  // the key without values: the place and the signer get theirs too
        const QStringList inKey = folders + QStringList(1, QStringLiteral("Warszawa")) + names +
                                  QStringList(1, Settings::kNoSigner);
        QCOMPARE(all(Settings()), inKey + QStringList(1, QStringLiteral("02 klasyczny")));
        QCOMPARE(ReadAutoSaveMinutes(), 3);
    }

    void everyValueUnderAnySpellingOfItsName() {
        auto k = key();
        const QList<QPair<const char*, const char*>> texts = {
            {"Wnioski", "/dane/wnioski"},   {"odpowiedzi", "/dane/odp"},
            {"KATALOG SŁOWNIKÓW", "/sł"},   {"MiejsceWystawienia", "Łódź"},
            {"Nazwa ZU", "JASKÓŁKA"},       {"Kod ZU", "JSK"},
            {"dział ubezpieczeń", "DZIAŁ"}, {"OsobaPodpis", "JAN NOWAK"}};
        QStringList expected;
        for (const auto& [name, value] : texts) {
            QVERIFY(k->writeString(QString::fromUtf8(name), QString::fromUtf8(value)));
            expected << QString::fromUtf8(value);
        }
        QVERIFY(k->writeInteger(QStringLiteral("SORTOWANIE"), 2));
        QVERIFY(k->writeInteger(QStringLiteral("Interfejs"), 1));
        QVERIFY(k->writeInteger(QStringLiteral("Transmisja"), 1));
        QVERIFY(k->writeInteger(QStringLiteral("AutoZapis"), 5));
        QVERIFY(k->writeBool(QStringLiteral("Wl/Wy Autozapis"), true));
        QCOMPARE(all(Settings()), expected << QStringLiteral("21 XP"));
        QCOMPARE(Settings().dictionaryPath(), QStringLiteral("/sł/slownik.dic"));
        QCOMPARE(ReadAutoSaveMinutes(), 5);
        QCOMPARE(ReadAutoSaveOn(), true);
    }

    void emptyTextsOddNumbersAndTheOtherType() {
        auto k = key();
        for (const char* name : {"MiejsceWystawienia", "OsobaPodpis", "Nazwa ZU", "Kod ZU",
                                 "Dział ubezpieczeń", "Wnioski", "ODPOWIEDZI"})
            QVERIFY(k->writeString(QString::fromUtf8(name), QString()));
        QVERIFY(k->writeString(QStringLiteral("Katalog słowników"), QStringLiteral("/sł")));
        QVERIFY(k->writeInteger(QStringLiteral("Sortowanie"), 5));
        QVERIFY(k->writeInteger(QStringLiteral("Transmisja"), 5));
        QVERIFY(k->writeInteger(QStringLiteral("Interfejs"), 2));
        // Only the place and the signer take their default for an empty text.
        QCOMPARE(all(Settings()), (QStringList{{},
                                               {},
                                               QStringLiteral("/sł"),
                                               QStringLiteral("Warszawa"),
                                               {},
                                               {},
                                               {},
                                               Settings::kNoSigner,
                                               QStringLiteral("02 klasyczny")}));
        QVERIFY(k->writeInteger(QStringLiteral("Sortowanie"), -1));
        QVERIFY(k->writeInteger(QStringLiteral("Transmisja"), 0));
        QCOMPARE(all(Settings()).last(), QStringLiteral("00 klasyczny"));

        // A value of the other type takes its own default and no other.
        QVERIFY(k->writeInteger(QStringLiteral("Nazwa ZU"), 7));
        QVERIFY(k->writeString(QStringLiteral("Interfejs"), QStringLiteral("1")));
        QVERIFY(k->writeString(QStringLiteral("Autozapis"), QStringLiteral("5")));
        QCOMPARE(Settings().UndertakingName(), Settings::kNoUndertakingName);
        QVERIFY(Settings().ClassicUi());
        QCOMPARE(Settings().DictionaryDir(), QStringLiteral("/sł"));
        QCOMPARE(ReadAutoSaveMinutes(), 3);
    }

    void aKeyThatCannotBeOpenedAndADamagedFile() {
        writeFile(registry_->path(),
                  "{\"\\\\SOFTWARE\\\\KORVA\\\\TAVIK 3.1\": {\"Kod ZU\": null},"
                  " \"\\\\SOFTWARE\\\\Selmit\\\\LUNET 2.0\": {\"Sortowanie\": 2}}");
        QCOMPARE(all(Settings()), QStringList(8, QString()) << QStringLiteral("02 klasyczny"));
        QCOMPARE(ReadAutoSaveMinutes(), 3);
        QCOMPARE(ReadAutoSaveOn(), false);
        QCOMPARE(ReadSortOrder(), 2);
        // A file that cannot be read at all is a missing key.
        writeFile(registry_->path(), "{\"\\\\SOFTWARE\\\\KORVA\\\\TAVIK 3.1\": {");
        QCOMPARE(Settings().UndertakingName(), Settings::kNoUndertakingName);
        QCOMPARE(Settings().DictionaryDir(), here("Slowniki"));
    }

    void oneSortOrderForTheDialogAndTheWindows() {
        auto legacy = key(Settings::kLegacyKeyPath);
        for (const auto& [written, read] : QList<QPair<int, int>>{{1, 1}, {2, 2}, {0, 0}, {3, 0}}) {
            QVERIFY(legacy->writeInteger(QStringLiteral("SORTOWANIE"), written));
            QCOMPARE(ReadLegacySortOrder(), read);
            QCOMPARE(ReadSortOrder(), read);  // the current key has none
        }
        QVERIFY(legacy->writeInteger(QStringLiteral("Sortowanie"), 2));
        QVERIFY(legacy->writeString(QStringLiteral("Nazwa ZU"), QStringLiteral("STARA")));
        auto current = key();
        for (const auto& [written, read] : QList<QPair<int, int>>{{1, 1}, {0, 0}, {5, 0}}) {
            QVERIFY(current->writeInteger(QStringLiteral("Sortowanie"), written));
            QCOMPARE(ReadSortOrder(), read);
        }
        QCOMPARE(ReadLegacySortOrder(), 2);
        // Nothing else is taken from the older key.
        QCOMPARE(Settings().UndertakingName(), Settings::kNoUndertakingName);
    }
};

QTEST_GUILESS_MAIN(SettingsTest)
#include "test_Settings.moc"
