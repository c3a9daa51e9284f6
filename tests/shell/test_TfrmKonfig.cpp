#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <functional>

#include "platform/Registry.h"
#include "platform/Settings.h"
#include "platform/Termination.h"
#include "shell/RadioGroup.h"
#include "shell/TfrmKonfig.h"
#include "tests/support/qt/Clerk.h"
#include "tests/support/qt/TempRegistry.h"

using namespace tavik;

namespace {

const QString kKormoran = "TOWARZYSTWO UBEZPIECZEŃ NA ŻYCIE KORMORAN SPÓŁKA AKCYJNA";
const QString kLife = "UBEZPIECZENIA NA ŻYCIE";
const QString kOther = "POZOSTAŁE UBEZPIECZENIA OSOBOWE ORAZ UBEZPIECZENIA MAJĄTKOWE";

auto key(const QString& path = Settings::kKeyPath) {
    return platform::Registry().openKey(path, true);
}

// Whether accepting and cancelling are offered.
QString buttons(const TfrmKonfig& d) {
    return QString("%1 %2").arg(d.btnAccept->isEnabled()).arg(d.btnCancel->isEnabled());
}

}  // namespace

class TfrmKonfigTest : public QObject {
    Q_OBJECT

    std::optional<test::TempRegistry> registry_;  // fresh for each test, as are the others
    std::optional<test::ScriptedPrompts> prompts_;
    std::optional<QTemporaryDir> dir_;
    int terminations_ = 0;

    QString path(const QString& name) const { return dir_->filePath(name); }
    // A folder with the bundled dictionary, or `damage` done to it; configured unless "Slowniki".
    QString dictionary(const QString& folder, const std::function<void(QByteArray&)>& damage = {}) {
        QFile bundled(TAVIK_BUNDLED_DICTIONARY), file(path(folder) + "/slownik.dic");
        QByteArray bytes = bundled.open(QIODevice::ReadOnly) ? bundled.readAll() : QByteArray();
        if (damage) damage(bytes);
        if (bytes.isEmpty() || !QDir().mkpath(path(folder)) || !file.open(QIODevice::WriteOnly) ||
            file.write(bytes) != bytes.size() ||
            (folder != "Slowniki" && !key()->writeString("Katalog słowników", path(folder))))
            qFatal("the dictionary cannot be laid out");
        return path(folder);
    }
    void expectError(const QString& text, const QString& caption = "Błąd") {
        QCOMPARE(test::boxes(*prompts_), QStringList{caption + " [Error]: " + text});
    }

private slots:
    void initTestCase() {
        platform::setTerminationHandler([this] { ++terminations_; });
    }
    void init() {
        registry_.emplace();
        prompts_.emplace();
        dir_.emplace();
        QVERIFY(QDir::setCurrent(dir_->path()));
        terminations_ = 0;
    }

    void openingShowsTheDefaultsOrTheSettings() {
        dictionary("Slowniki");
        {
            TfrmKonfig d;  // the folders under the current one, nothing chosen, nothing written
            QCOMPARE(d.edRPADirectory->text() + d.edDictDirectory->text(),
                     path("WNIOSKI") + path("Slowniki"));
            QCOMPARE(d.cbNazwaZU->currentIndex(), -1);
            QVERIFY(!QFile::exists(registry_->path()));
        }
        auto k = key();
        k->writeString("Nazwa ZU", "TOWARZYSTWO UBEZPIECZEŃ JASKÓŁKA SPÓŁKA AKCYJNA");
        k->writeString("Dział ubezpieczeń", "INNY");
        k->writeString("OsobaPodpis", "JAN NOWAK");
        k->writeInteger("Interfejs", 1);
        key(Settings::kLegacyKeyPath)->writeInteger("Sortowanie", 2);
        TfrmKonfig d;
        QCOMPARE(d.cbNazwaZU->currentIndex(), 1);
        QCOMPARE(d.lblKod->text(), "JSK");
        QCOMPARE(d.edDzialUbezpieczen->text(), kOther);  // the dictionary's, not the setting
        QCOMPARE(d.edPodpis->text() + '|' + d.edMiejsce->text(), "JAN NOWAK|Warszawa");
        QCOMPARE(d.rgUI->itemIndex(), 1);
        QCOMPARE(d.rgSortowanie->itemIndex(), 2);  // the older key's, while the key has none
        QCOMPARE(buttons(d), "0 0");
        QCOMPARE(prompts_->shown.size(), 0);
    }

    void choosingAnUndertakingFillsItsDivisionByItsLetter() {
        dictionary("Slowniki");
        TfrmKonfig d;
        d.cbNazwaZU->setCurrentIndex(0);  // "Z": entry 0 of the divisions
        QCOMPARE(d.lblKod->text() + ' ' + d.edDzialUbezpieczen->text(), "KRM " + kLife);
        d.cbNazwaZU->setCurrentIndex(1);  // "M": entry 1
        QCOMPARE(d.lblKod->text() + ' ' + d.edDzialUbezpieczen->text(), "JSK " + kOther);
        QCOMPARE(buttons(d), "1 1");
    }

    void acceptingWritesEverySettingAndMakesTheFolders() {
        dictionary("słowniki");
        key(Settings::kLegacyKeyPath)->writeInteger("Sortowanie", 1);
        TfrmKonfig d;
        d.show();
        d.cbNazwaZU->setCurrentIndex(0);
        test::retype(d.edMiejsce, "Łódź");
        test::retype(d.edPodpis, "anna żółć");
        QCOMPARE(d.edPodpis->text(), "ANNA ŻÓŁĆ");  // typed in capitals
        d.rgUI->button(1)->click();
        d.rgSortowanie->button(2)->click();
        prompts_->chooseFolder(path("dane/odpowiedzi"));
        d.sbCOA->click();
        prompts_->chooseFolder(path("dane/nowe/wnioski"));
        d.sbRPA->click();
        d.btnAccept->click();

        QCOMPARE(prompts_->messages(), QStringList());
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QVERIFY(!d.isVisible());
        QVERIFY(QFileInfo(path("dane/odpowiedzi")).isDir());
        QVERIFY(QFileInfo(path("dane/nowe/wnioski")).isDir());
        auto k = platform::Registry().openKey(Settings::kKeyPath, false);
        const std::pair<QString, QString> texts[] = {{"Kod ZU", "KRM"},
                                                     {"Nazwa ZU", kKormoran},
                                                     {"Katalog słowników", path("słowniki")},
                                                     {"ODPOWIEDZI", path("dane/odpowiedzi")},
                                                     {"Wnioski", path("dane/nowe/wnioski")},
                                                     {"Dział ubezpieczeń", kLife},
                                                     {"OsobaPodpis", "ANNA ŻÓŁĆ"},
                                                     {"MiejsceWystawienia", "Łódź"}};
        for (const auto& [name, value] : texts)
            QCOMPARE(k->readString(name), value);
        QCOMPARE(k->readInteger("Interfejs"), 1);
        QCOMPARE(k->readInteger("Sortowanie"), 2);
        for (const char* untouched : {"Transmisja", "AutoZapis", "Wl/Wy Autozapis"})
            QVERIFY2(!k->valueExists(untouched), untouched);
        QCOMPARE(ReadSortOrder(), 2);  // the windows sort as accepted
    }

    void acceptingWithoutAnUndertakingIsRefused() {
        dictionary("słowniki");
        TfrmKonfig d;
        d.show();
        test::retype(d.edMiejsce, "Gdańsk");
        d.PageCtrlKonfiguracja->setCurrentIndex(2);
        d.btnAccept->click();
        expectError("Proszę uzupełnić informacje o zakładzie", "Komunikat");
        QCOMPARE(d.PageCtrlKonfiguracja->currentIndex(), 0);
        QCOMPARE(buttons(d), "0 0");
        QVERIFY(d.isVisible());
        QVERIFY(!key()->valueExists("MiejsceWystawienia"));
    }

    void aMissingDictionaryThenAFolderWithOne() {
        QVERIFY(key()->writeString("Katalog słowników", path("pusty")));
        TfrmKonfig d;
        expectError(QString("Plik %1/slownik.dic nie istnieje!\nProszę wybrać inny katalog!")
                        .arg(path("pusty")));
        QCOMPARE(d.cbNazwaZU->count(), 0);
        QCOMPARE(terminations_, 0);

        prompts_->chooseFolder(dictionary("Slowniki"));
        d.sbtnDirectory->click();
        QCOMPARE(d.edDictDirectory->text(), path("Slowniki"));
        QCOMPARE(d.cbNazwaZU->count(), 15);
    }

    void aDamagedDictionaryEndsTheApplication() {
        dictionary("słowniki", [](QByteArray& bytes) { bytes[bytes.indexOf("OPOLSKIE")] = 'X'; });
        TfrmKonfig d;
        expectError("Błąd sumy kontrolnej słownika dla województw!", "Błąd !");
        QCOMPARE(terminations_, 1);
        QCOMPARE(d.cbNazwaZU->count(), 0);
    }
};

QTEST_MAIN(TfrmKonfigTest)
#include "test_TfrmKonfig.moc"
