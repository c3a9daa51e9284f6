#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "platform/Registry.h"
#include "shell/Settings.h"
#include "tests/support/qt/TempRegistry.h"

using tavik::ReadAutoSaveMinutes;
using tavik::ReadAutoSaveOn;
using tavik::ReadLegacySortOrder;
using tavik::ReadSortOrder;
using tavik::Settings;
using tavik::platform::Registry;
using tavik::platform::RegistryKey;

namespace {

std::unique_ptr<RegistryKey> currentKey() {
    auto key = Registry().openKey(Settings::kKeyPath, true);
    if (!key) qFatal("the test registry cannot be written");
    return key;
}

std::unique_ptr<RegistryKey> legacyKey() {
    auto key = Registry().openKey(Settings::kLegacyKeyPath, true);
    if (!key) qFatal("the test registry cannot be written");
    return key;
}

struct Numbers {
    int sortOrder;
    int transferMode;
    bool classicUi;
};

Numbers numbers(const Settings& s) {
    return {s.SortOrder(), s.TransferMode(), s.ClassicUi()};
}

bool operator==(const Numbers& a, const Numbers& b) {
    return a.sortOrder == b.sortOrder && a.transferMode == b.transferMode &&
           a.classicUi == b.classicUi;
}

}  // namespace

namespace QTest {
template <>
char* toString(const Numbers& n) {
    return qstrdup(QByteArray("sort ") + QByteArray::number(n.sortOrder) + " transfer " +
                   QByteArray::number(n.transferMode) + (n.classicUi ? " classic" : " XP"));
}
}  // namespace QTest

class SettingsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<tavik::test::TempRegistry> registry_;
    QTemporaryDir workDir_;
    QString previousDir_;
    QString here(const char* folder) const { return workDir_.path() + QLatin1Char('/') + folder; }

private slots:
    void initTestCase() {
        previousDir_ = QDir::currentPath();
        QVERIFY(QDir::setCurrent(workDir_.path()));
    }
    void cleanupTestCase() { QDir::setCurrent(previousDir_); }
    void init() { registry_ = std::make_unique<tavik::test::TempRegistry>(); }
    void cleanup() { registry_.reset(); }

    void withoutTheKeyEverythingHasItsDefault() {
        const Settings s;
        QCOMPARE(s.UndertakingName(), QStringLiteral("< BRAK WPISANEJ NAZWY ZU! >"));
        QCOMPARE(s.UndertakingCode(), QStringLiteral("-1"));
        QCOMPARE(s.InsuranceDivision(), QStringLiteral("< BRAK USTAWIONEJ GRUPY UBEZPIECZEŃ !>"));
        QCOMPARE(s.ApplicationsDir(), here("WNIOSKI"));
        QCOMPARE(s.ResponsesDir(), here("ODPOWIEDZI"));
        QCOMPARE(s.DictionaryDir(), here("Slowniki"));
        QCOMPARE(s.dictionaryPath(), here("Slowniki/slownik.dic"));
        QCOMPARE(s.PlaceOfIssue(), QString());
        QCOMPARE(s.Signer(), QString());
        QCOMPARE(numbers(s), (Numbers{0, 2, true}));
        QCOMPARE(ReadAutoSaveMinutes(), 3);
        QCOMPARE(ReadAutoSaveOn(), false);
        QCOMPARE(ReadLegacySortOrder(), 0);
        QCOMPARE(ReadSortOrder(), 0);

        // The folders follow the current directory of the moment.
        QTemporaryDir elsewhere;
        QVERIFY(QDir::setCurrent(elsewhere.path()));
        const QString applications = Settings().ApplicationsDir();
        QVERIFY(QDir::setCurrent(workDir_.path()));
        QCOMPARE(applications, elsewhere.path() + QStringLiteral("/WNIOSKI"));
    }

    void anEmptyKeyGivesTheDefaultsOfMissingValues() {
        currentKey();
        const Settings s;
        QCOMPARE(s.UndertakingName(), Settings::kNoUndertakingName);
        QCOMPARE(s.UndertakingCode(), QStringLiteral("-1"));
        QCOMPARE(s.InsuranceDivision(), Settings::kNoInsuranceDivision);
        QCOMPARE(s.ApplicationsDir(), here("WNIOSKI"));
        QCOMPARE(s.ResponsesDir(), here("ODPOWIEDZI"));
        QCOMPARE(s.DictionaryDir(), here("Slowniki"));
        QCOMPARE(s.PlaceOfIssue(), QStringLiteral("Warszawa"));
        QCOMPARE(s.Signer(),
                 QStringLiteral("<BRAK USTAWIONEJ NAZWY OSOBY PODPISUJĄCEJ WNIOSEK !>"));
        QCOMPARE(numbers(s), (Numbers{0, 2, true}));
        QCOMPARE(ReadAutoSaveMinutes(), 3);
        QCOMPARE(ReadAutoSaveOn(), false);
    }

    void everyValueAsWrittenUnderAnySpellingOfItsName() {
        auto key = currentKey();
        QVERIFY(key->writeString(QStringLiteral("Wnioski"), QStringLiteral("/dane/wnioski")));
        QVERIFY(key->writeString(QStringLiteral("odpowiedzi"), QStringLiteral("/dane/odp")));
        QVERIFY(key->writeString(QStringLiteral("KATALOG SŁOWNIKÓW"), QStringLiteral("/dane/sł")));
        QVERIFY(key->writeString(QStringLiteral("MiejsceWystawienia"), QStringLiteral("Łódź")));
        QVERIFY(key->writeInteger(QStringLiteral("Sortowanie"), 2));
        QVERIFY(key->writeInteger(QStringLiteral("Interfejs"), 1));
        QVERIFY(key->writeInteger(QStringLiteral("Transmisja"), 1));
        QVERIFY(key->writeString(QStringLiteral("Nazwa ZU"), QStringLiteral("JASKÓŁKA")));
        QVERIFY(key->writeString(QStringLiteral("Kod ZU"), QStringLiteral("JSK")));
        QVERIFY(key->writeString(QStringLiteral("Dział ubezpieczeń"), QStringLiteral("DZIAŁ II")));
        QVERIFY(key->writeInteger(QStringLiteral("AutoZapis"), 5));
        QVERIFY(key->writeString(QStringLiteral("OsobaPodpis"), QStringLiteral("JAN NOWAK")));
        QVERIFY(key->writeBool(QStringLiteral("Wl/Wy Autozapis"), true));

        const Settings s;
        QCOMPARE(s.ApplicationsDir(), QStringLiteral("/dane/wnioski"));
        QCOMPARE(s.ResponsesDir(), QStringLiteral("/dane/odp"));
        QCOMPARE(s.DictionaryDir(), QStringLiteral("/dane/sł"));
        QCOMPARE(s.dictionaryPath(), QStringLiteral("/dane/sł/slownik.dic"));
        QCOMPARE(s.PlaceOfIssue(), QStringLiteral("Łódź"));
        QCOMPARE(s.UndertakingName(), QStringLiteral("JASKÓŁKA"));
        QCOMPARE(s.UndertakingCode(), QStringLiteral("JSK"));
        QCOMPARE(s.InsuranceDivision(), QStringLiteral("DZIAŁ II"));
        QCOMPARE(s.Signer(), QStringLiteral("JAN NOWAK"));
        QCOMPARE(numbers(s), (Numbers{2, 1, false}));
        QCOMPARE(ReadAutoSaveMinutes(), 5);
        QCOMPARE(ReadAutoSaveOn(), true);

        // Never cached: the next reader sees the next change.
        QVERIFY(key->writeInteger(QStringLiteral("Wl/Wy Autozapis"), 0));
        QVERIFY(key->writeString(QStringLiteral("Kod ZU"), QStringLiteral("KRM")));
        QCOMPARE(ReadAutoSaveOn(), false);
        QCOMPARE(Settings().UndertakingCode(), QStringLiteral("KRM"));
    }

    void emptyTextsAndNumbersOutOfRange() {
        auto key = currentKey();
        for (const char* name : {"MiejsceWystawienia", "OsobaPodpis", "Nazwa ZU", "Kod ZU",
                                 "Dział ubezpieczeń", "Wnioski", "ODPOWIEDZI"})
            QVERIFY(key->writeString(QString::fromUtf8(name), QString()));
        QVERIFY(key->writeInteger(QStringLiteral("Sortowanie"), 5));
        QVERIFY(key->writeInteger(QStringLiteral("Transmisja"), 5));
        QVERIFY(key->writeInteger(QStringLiteral("Interfejs"), 2));
        Settings s;
        // Only the place and the signer take their default for an empty text.
        QCOMPARE(s.PlaceOfIssue(), QStringLiteral("Warszawa"));
        QCOMPARE(s.Signer(), Settings::kNoSigner);
        QCOMPARE(s.UndertakingName(), QString());
        QCOMPARE(s.UndertakingCode(), QString());
        QCOMPARE(s.InsuranceDivision(), QString());
        QCOMPARE(s.ApplicationsDir(), QString());
        QCOMPARE(s.ResponsesDir(), QString());
        QCOMPARE(numbers(s), (Numbers{0, 2, true}));

        QVERIFY(key->writeInteger(QStringLiteral("Sortowanie"), -1));
        QVERIFY(key->writeInteger(QStringLiteral("Transmisja"), -1));
        QVERIFY(key->writeInteger(QStringLiteral("Interfejs"), 0));
        QCOMPARE(numbers(Settings()), (Numbers{0, 2, true}));
        QVERIFY(key->writeInteger(QStringLiteral("Sortowanie"), 1));
        QVERIFY(key->writeInteger(QStringLiteral("Transmisja"), 0));
        QCOMPARE(numbers(Settings()), (Numbers{1, 0, true}));
    }

    void aValueOfTheOtherTypeTakesItsDefaultAlone() {
        auto key = currentKey();
        QVERIFY(key->writeInteger(QStringLiteral("Nazwa ZU"), 7));
        QVERIFY(key->writeString(QStringLiteral("Interfejs"), QStringLiteral("1")));
        QVERIFY(key->writeString(QStringLiteral("Autozapis"), QStringLiteral("5")));
        QVERIFY(key->writeString(QStringLiteral("Kod ZU"), QStringLiteral("JSK")));
        const Settings s;
        QCOMPARE(s.UndertakingName(), Settings::kNoUndertakingName);
        QCOMPARE(s.UndertakingCode(), QStringLiteral("JSK"));
        QVERIFY(s.ClassicUi());
        QCOMPARE(ReadAutoSaveMinutes(), 3);
    }

    void aKeyThatCannotBeOpenedLeavesTheTextsEmpty() {
        QFile file(registry_->path());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(
            "{\"\\\\SOFTWARE\\\\KORVA\\\\TAVIK 3.1\": {\"Kod ZU\": null},"
            " \"\\\\SOFTWARE\\\\Selmit\\\\LUNET 2.0\": {\"Sortowanie\": 2}}");
        file.close();
        const Settings s;
        for (const QString& text :
             {s.UndertakingName(), s.UndertakingCode(), s.InsuranceDivision(), s.ApplicationsDir(),
              s.ResponsesDir(), s.DictionaryDir(), s.PlaceOfIssue(), s.Signer()})
            QCOMPARE(text, QString());
        QCOMPARE(numbers(s), (Numbers{0, 2, true}));
        QCOMPARE(ReadAutoSaveMinutes(), 3);
        QCOMPARE(ReadAutoSaveOn(), false);
        QCOMPARE(ReadSortOrder(), 2);
    }

    void aDamagedFileReadsAsIfThereWereNoKey() {
        QFile file(registry_->path());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("{\"\\\\SOFTWARE\\\\KORVA\\\\TAVIK 3.1\": {");
        file.close();
        const Settings s;
        QCOMPARE(s.UndertakingName(), Settings::kNoUndertakingName);
        QCOMPARE(s.DictionaryDir(), here("Slowniki"));
        QCOMPARE(s.PlaceOfIssue(), QString());
        QCOMPARE(ReadAutoSaveMinutes(), 3);
    }

    void theOlderKeysSortOrder() {
        auto legacy = legacyKey();
        const QList<QPair<int, int>> cases = {{1, 1}, {2, 2}, {0, 0}, {3, 0}, {-2, 0}};
        for (const auto& [written, read] : cases) {
            QVERIFY(legacy->writeInteger(QStringLiteral("SORTOWANIE"), written));
            QCOMPARE(ReadLegacySortOrder(), read);
            QCOMPARE(ReadSortOrder(), read);
        }
        QVERIFY(legacy->writeString(QStringLiteral("Sortowanie"), QStringLiteral("2")));
        QCOMPARE(ReadLegacySortOrder(), 0);
        // Nothing else of the older key counts.
        QVERIFY(legacy->writeString(QStringLiteral("Nazwa ZU"), QStringLiteral("STARA")));
        QCOMPARE(Settings().UndertakingName(), Settings::kNoUndertakingName);
    }

    void theSortOrderOfTheCurrentKeyComesFirst() {
        QVERIFY(legacyKey()->writeInteger(QStringLiteral("Sortowanie"), 2));
        auto key = currentKey();
        QCOMPARE(ReadSortOrder(), 2);  // the current key has no sort order yet
        QVERIFY(key->writeInteger(QStringLiteral("Sortowanie"), 1));
        QCOMPARE(ReadSortOrder(), 1);
        QVERIFY(key->writeInteger(QStringLiteral("Sortowanie"), 0));
        QCOMPARE(ReadSortOrder(), 0);
        QVERIFY(key->writeInteger(QStringLiteral("Sortowanie"), 5));
        QCOMPARE(ReadSortOrder(), 0);
        QCOMPARE(ReadLegacySortOrder(), 2);
    }

    void aRegistryGivenToTheReader() {
        QTemporaryDir other;
        Registry registry(other.filePath(QStringLiteral("inny.json")));
        QVERIFY(registry.openKey(Settings::kKeyPath, true)
                    ->writeString(QStringLiteral("Kod ZU"), QStringLiteral("WRZ")));
        QCOMPARE(Settings(registry).UndertakingCode(), QStringLiteral("WRZ"));
        QCOMPARE(Settings().UndertakingCode(), QStringLiteral("-1"));
    }
};

QTEST_GUILESS_MAIN(SettingsTest)
#include "test_Settings.moc"
