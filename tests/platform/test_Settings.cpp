#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include "platform/ProgramFiles.h"
#include "platform/Settings.h"
#include "tests/support/qt/TempRegistry.h"

using namespace tavik;

namespace {

// Every text of a reader, then its sort order, transfer mode and interface in one word.
QStringList all() {
    const Settings s;
    QStringList values;
    for (auto text : {&Settings::ApplicationsDir, &Settings::ResponsesDir, &Settings::DictionaryDir,
                      &Settings::PlaceOfIssue, &Settings::UndertakingName,
                      &Settings::UndertakingCode, &Settings::InsuranceDivision, &Settings::Signer})
        values << (s.*text)();
    const char* ui = s.ClassicUi() ? "klasyczny" : "XP";
    return values << QString("%1%2 %3").arg(s.SortOrder()).arg(s.TransferMode()).arg(ui);
}

const QString kNoName = "< BRAK WPISANEJ NAZWY ZU! >";
const QString kNoDivision = "< BRAK USTAWIONEJ GRUPY UBEZPIECZEŃ !>";
const QString kNoSigner = "<BRAK USTAWIONEJ NAZWY OSOBY PODPISUJĄCEJ WNIOSEK !>";

}  // namespace

class SettingsTest : public QObject {
    Q_OBJECT

    std::optional<test::TempRegistry> registry_;
    QTemporaryDir workDir_;
    QString here(const QString& name) const { return workDir_.filePath(name); }
    // The registry file with the values of the current key and of the older one (null: none).
    void keys(const QString& current, const QString& legacy = {}) {
        QStringList json;
        if (!current.isNull()) json << R"("\\SOFTWARE\\KORVA\\TAVIK 3.1": {)" + current + '}';
        if (!legacy.isNull()) json << R"("\\SOFTWARE\\Selmit\\LUNET 2.0": {)" + legacy + '}';
        QFile file(registry_->path());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(('{' + json.join(", ") + '}').toUtf8());
    }

private slots:
    void initTestCase() { QVERIFY(QDir::setCurrent(workDir_.path())); }
    void init() { registry_.emplace(); }

    void defaultsForAMissingKeyAndForMissingValues() {
        const QStringList folders{here("WNIOSKI"), here("ODPOWIEDZI"), here("Slowniki")};
        QCOMPARE(all(),
                 folders + QStringList({"", kNoName, "-1", kNoDivision, "", "02 klasyczny"}));
        QCOMPARE(ReadAutoSaveMinutes(), 3);
        QCOMPARE(ReadAutoSaveOn(), false);
        QCOMPARE(ReadSortOrder(), 0);

        keys("");  // a key without values: the place and the signer get theirs too
        QCOMPARE(all(), folders + QStringList({"Warszawa", kNoName, "-1", kNoDivision, kNoSigner,
                                               "02 klasyczny"}));
        QCOMPARE(ReadAutoSaveMinutes(), 3);
        QCOMPARE(ReadAutoSaveOn(), false);
    }

    void everyValueUnderAnySpellingOfItsName() {
        keys(
            R"("Wnioski": "/w", "odpowiedzi": "/o", "KATALOG SŁOWNIKÓW": "/sł",
                 "MiejsceWystawienia": "Łódź", "Nazwa ZU": "JASKÓŁKA", "kod zu": "JSK",
                 "dział ubezpieczeń": "DZIAŁ", "OsobaPodpis": "JAN NOWAK", "SORTOWANIE": 2,
                 "Interfejs": 1, "Transmisja": 1, "AutoZapis": 5, "Wl/Wy Autozapis": 1)");
        QCOMPARE(all(), QStringList({"/w", "/o", "/sł", "Łódź", "JASKÓŁKA", "JSK", "DZIAŁ",
                                     "JAN NOWAK", "21 XP"}));
        QCOMPARE(Settings().dictionaryPath(), "/sł/slownik.dic");
        QCOMPARE(ReadAutoSaveMinutes(), 5);
        QCOMPARE(ReadAutoSaveOn(), true);
    }

    void emptyTextsNumbersOutOfRangeAndTheOtherType() {
        keys(
            R"("MiejsceWystawienia": "", "OsobaPodpis": "", "Nazwa ZU": "", "Kod ZU": "",
                 "Dział ubezpieczeń": "", "Wnioski": "", "ODPOWIEDZI": "",
                 "Katalog słowników": "/sł", "Sortowanie": 5, "Transmisja": 5, "Interfejs": 2)");
        // Only the place and the signer take their default for an empty text.
        QCOMPARE(all(),
                 QStringList({"", "", "/sł", "Warszawa", "", "", "", kNoSigner, "02 klasyczny"}));
        keys(R"("Sortowanie": -1, "Transmisja": 0)");
        QCOMPARE(all().last(), "00 klasyczny");

        // A value of the other type takes its own default and no other.
        keys(R"("Nazwa ZU": 7, "Interfejs": "1", "Autozapis": "5", "Katalog słowników": "/sł")");
        QCOMPARE(Settings().UndertakingName(), kNoName);
        QVERIFY(Settings().ClassicUi());
        QCOMPARE(Settings().DictionaryDir(), "/sł");
        QCOMPARE(ReadAutoSaveMinutes(), 3);
    }

    void aKeyThatCannotBeOpenedAndAnUnreadableFile() {
        keys(R"("Kod ZU": null)", R"("Sortowanie": 2)");
        QCOMPARE(all(), QStringList(8, QString()) << "02 klasyczny");
        QCOMPARE(ReadAutoSaveMinutes(), 3);
        QCOMPARE(ReadSortOrder(), 2);
        keys("\"Kod ZU\"");  // a file that cannot be read is a missing key
        QCOMPARE(Settings().UndertakingName(), kNoName);
        QCOMPARE(Settings().DictionaryDir(), here("Slowniki"));
    }

    // The default dictionary folder when the program ships one: beside it, installed, or in the
    // build tree; a folder without the file does not count. This test's program has none, so
    // the defaults above are the current folder's.
    void theBundledDictionaryFolder() {
        const std::pair<QStringList, QString> layouts[] = {
            {{"bin/Slowniki/slownik.dic", "share/tavik/Slowniki/slownik.dic"}, "bin/Slowniki"},
            {{"share/tavik/Slowniki/slownik.dic", "Slowniki/slownik.dic"}, "share/tavik/Slowniki"},
            {{"bin/Slowniki/", "share/tavik/Slowniki/", "Slowniki/slownik.dic"}, "Slowniki"},
            {{"bin/Slowniki/", "Slowniki/slownik.dic/"}, ""}};
        for (const auto& [paths, found] : layouts) {
            const QTemporaryDir root;
            QDir(root.path()).mkpath("bin");
            for (const QString& path : paths) {
                QVERIFY(QDir(root.path()).mkpath(QFileInfo(root.filePath(path)).path()));
                if (path.endsWith('/'))
                    QVERIFY(QDir(root.path()).mkpath(path));
                else
                    QVERIFY(QFile(root.filePath(path)).open(QIODevice::WriteOnly));
            }
            QCOMPARE(platform::bundledDictionaryFolder(root.filePath("bin")),
                     found.isEmpty() ? QString() : root.filePath(found));
        }
        QCOMPARE(platform::bundledDictionaryFolder(), QString());
    }

    void theCurrentKeysSortOrderBeforeTheOlderKeys() {
        for (const auto& [written, read] : QList<std::pair<int, int>>{{1, 1}, {2, 2}, {3, 0}}) {
            keys({}, QString("\"SORTOWANIE\": %1").arg(written));
            QCOMPARE(ReadLegacySortOrder(), read);
            QCOMPARE(ReadSortOrder(), read);  // the current key has none
        }
        for (const auto& [written, read] : QList<std::pair<int, int>>{{1, 1}, {0, 0}, {5, 0}}) {
            keys(QString("\"Sortowanie\": %1").arg(written), R"("Sortowanie": 2, "Nazwa ZU": "X")");
            QCOMPARE(ReadSortOrder(), read);
            QCOMPARE(ReadLegacySortOrder(), 2);
            QCOMPARE(Settings().UndertakingName(), kNoName);  // nothing else from the older key
        }
    }
};

QTEST_GUILESS_MAIN(SettingsTest)
#include "test_Settings.moc"
