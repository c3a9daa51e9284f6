#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <cstdio>

#include "model/CRC32.h"
#include "model/Cp1250.h"
#include "platform/Registry.h"
#include "platform/Termination.h"
#include "shell/RadioGroup.h"
#include "shell/Settings.h"
#include "shell/TfrmKonfig.h"
#include "tests/support/qt/ScriptedPrompts.h"
#include "tests/support/qt/TempRegistry.h"

using namespace tavik;
using platform::PromptIcon;
using platform::Registry;
using test::ScriptedPrompts;

namespace {

const QString kKormoran =
    QStringLiteral("TOWARZYSTWO UBEZPIECZEŃ NA ŻYCIE KORMORAN SPÓŁKA AKCYJNA");
const QString kJaskolka = QStringLiteral("TOWARZYSTWO UBEZPIECZEŃ JASKÓŁKA SPÓŁKA AKCYJNA");
const QString kLife = QStringLiteral("UBEZPIECZENIA NA ŻYCIE");
const QString kOther =
    QStringLiteral("POZOSTAŁE UBEZPIECZENIA OSOBOWE ORAZ UBEZPIECZENIA MAJĄTKOWE");

QByteArray bundledDictionary() {
    QFile file(QStringLiteral(TAVIK_BUNDLED_DICTIONARY));
    if (!file.open(QIODevice::ReadOnly)) qFatal("the bundled dictionary is missing");
    return file.readAll();
}

// An active undertaking's line with its checksum (UTF-8 in, code page 1250 out).
QByteArray undertakingLine(const std::string& fields) {
    const std::string covered = cp1250::fromUtf8OrThrow("A;" + fields + ";");
    std::uint32_t crc = 0;
    CRC32().CRC32Dict(covered, crc);
    char hex[9];
    std::snprintf(hex, sizeof hex, "%08X", crc);
    return QByteArray::fromStdString(covered) + hex + ";<E>\r\n";
}

std::unique_ptr<platform::RegistryKey> key(const QString& path = Settings::kKeyPath) {
    auto k = Registry().openKey(path, true);
    if (!k) qFatal("the test registry cannot be written");
    return k;
}

// Typed as a keyboard types it, Polish letters included.
void type(QLineEdit* edit, const QString& text) {
    edit->clear();
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// A click on the round mark: a short caption leaves the middle of the button empty.
void choose(RadioGroup* group, int index) {
    QRadioButton* button = group->button(index);
    QStyleOptionButton option;
    option.initFrom(button);
    QTest::mouseClick(
        button, Qt::LeftButton, {},
        button->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, button).center());
}

QString buttons(const TfrmKonfig& d) {
    return QStringLiteral("%1 %2").arg(d.btnAccept->isEnabled()).arg(d.btnCancel->isEnabled());
}

QString missing(const QString& folder) {
    return QStringLiteral("Plik %1/slownik.dic nie istnieje!\nProszę wybrać inny katalog!")
        .arg(folder);
}

}  // namespace

class TfrmKonfigTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempRegistry> registry_;
    std::unique_ptr<ScriptedPrompts> prompts_;
    std::unique_ptr<QTemporaryDir> dir_;
    int terminations_ = 0;

    QString path(const char* name) const { return dir_->filePath(QString::fromUtf8(name)); }
    QString dictionaryFolder(const char* name, const QByteArray& bytes = bundledDictionary()) {
        QDir().mkpath(path(name));
        QFile file(path(name) + QStringLiteral("/slownik.dic"));
        if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write a dictionary");
        file.write(bytes);
        return path(name);
    }
    void configureDictionary(const QByteArray& bytes = bundledDictionary()) {
        key()->writeString(QStringLiteral("Katalog słowników"),
                           dictionaryFolder("słowniki", bytes));
    }

private slots:
    void init() {
        registry_ = std::make_unique<test::TempRegistry>();
        prompts_ = std::make_unique<ScriptedPrompts>();
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir::setCurrent(dir_->path()));
        terminations_ = 0;
        platform::setTerminationHandler([this] { ++terminations_; });
    }
    void cleanup() {
        platform::setTerminationHandler(nullptr);
        QDir::setCurrent(QDir::tempPath());
        prompts_.reset();
        dir_.reset();
        registry_.reset();
    }

    void firstOpeningWithoutSettings() {
        dictionaryFolder("Slowniki");
        TfrmKonfig d;
        QCOMPARE(prompts_->shown.size(), 0);
        QCOMPARE(d.windowTitle(), QStringLiteral("Konfiguracja"));
        QVERIFY(d.width() >= 555 && d.height() >= 357 && d.minimumSize() == d.maximumSize());
        const QStringList pages{QStringLiteral("Dane Zakładu Ubezpieczeń"),
                                QStringLiteral("Opcje  aplikacji"),
                                QStringLiteral("Położenie plików")};
        const QList<QWidget*> sheets{d.TabSheet3, d.TabSheet1, d.TabSheet2};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(d.PageCtrlKonfiguracja->tabText(i), pages[i]);
            QCOMPARE(d.PageCtrlKonfiguracja->widget(i), sheets[i]);
        }
        QCOMPARE(d.PageCtrlKonfiguracja->currentIndex(), 0);
        QCOMPARE(
            (QStringList{d.edCOADirectory->text(), d.edRPADirectory->text(),
                         d.edDictDirectory->text(), d.edMiejsce->text(), d.edPodpis->text(),
                         d.lblKod->text(), d.edDzialUbezpieczen->text()}),
            (QStringList{path("ODPOWIEDZI"), path("WNIOSKI"), path("Slowniki"), {}, {}, {}, {}}));
        QCOMPARE(d.rgUI->itemIndex(), 0);
        QCOMPARE(d.rgSortowanie->itemIndex(), 0);
        QCOMPARE(d.cbNazwaZU->count(), 15);
        QCOMPARE(d.cbNazwaZU->itemText(0), kKormoran);
        QCOMPARE(d.cbNazwaZU->itemText(14),
                 QStringLiteral("TOWARZYSTWO UBEZPIECZEŃ NA ŻYCIE WIERZBOWY BRZEG SPÓŁKA AKCYJNA"));
        QCOMPARE(d.cbNazwaZU->currentIndex(), -1);
        QCOMPARE(buttons(d), QStringLiteral("0 0"));
        QVERIFY(!QFile::exists(registry_->path()));  // opening writes nothing
        for (const char* name :
             {"cbNazwaZU", "lblKod", "edDzialUbezpieczen", "edMiejsce", "edPodpis", "rgUI",
              "rgSortowanie", "edDictDirectory", "sbtnDirectory", "edCOADirectory", "sbCOA",
              "edRPADirectory", "sbRPA", "btnAccept", "btnCancel", "PageCtrlKonfiguracja"})
            QVERIFY2(d.findChild<QWidget*>(QString::fromLatin1(name)), name);
    }

    void openingShowsTheConfiguredUndertakingAndTheSortOrder() {
        configureDictionary();
        auto k = key();
        k->writeString(QStringLiteral("Nazwa ZU"), kJaskolka);
        k->writeString(QStringLiteral("Dział ubezpieczeń"), QStringLiteral("INNY"));
        k->writeString(QStringLiteral("OsobaPodpis"), QStringLiteral("JAN NOWAK"));
        k->writeInteger(QStringLiteral("Interfejs"), 1);
        key(Settings::kLegacyKeyPath)->writeInteger(QStringLiteral("Sortowanie"), 2);
        {
            TfrmKonfig d;
            QCOMPARE(d.cbNazwaZU->currentIndex(), 1);
            QCOMPARE(d.lblKod->text(), QStringLiteral("JSK"));
            QCOMPARE(d.edDzialUbezpieczen->text(), kOther);  // the dictionary's, not the setting
            QCOMPARE(d.edPodpis->text(), QStringLiteral("JAN NOWAK"));
            QCOMPARE(d.edMiejsce->text(), QStringLiteral("Warszawa"));
            QCOMPARE(d.rgUI->itemIndex(), 1);
            QCOMPARE(d.rgSortowanie->itemIndex(), 2);  // the older key's, while the key has none
            QCOMPARE(buttons(d), QStringLiteral("0 0"));
        }
        k->writeInteger(QStringLiteral("Sortowanie"), 1);
        k->writeString(QStringLiteral("Nazwa ZU"), QStringLiteral("NIEZNANY"));
        TfrmKonfig d;
        QCOMPARE(d.rgSortowanie->itemIndex(), 1);
        QCOMPARE(d.cbNazwaZU->currentIndex(), -1);
        QCOMPARE(prompts_->shown.size(), 0);
    }

    void choosingAnUndertakingOfEachDivisionLetter() {
        configureDictionary(bundledDictionary() + undertakingLine("XYZ;NOWY ZAKŁAD;X"));
        TfrmKonfig d;
        const QList<std::tuple<int, QString, QString>> choices = {
            {0, QStringLiteral("KRM"), kLife},     // "Z": entry 0 of the divisions
            {1, QStringLiteral("JSK"), kOther},    // "M": entry 1
            {15, QStringLiteral("XYZ"), kOther}};  // another letter: the division stays
        for (const auto& [index, code, division] : choices) {
            d.cbNazwaZU->setCurrentIndex(index);
            QCOMPARE(d.lblKod->text(), code);
            QCOMPARE(d.edDzialUbezpieczen->text(), division);
            QCOMPARE(buttons(d), QStringLiteral("1 1"));
        }
        QCOMPARE(prompts_->shown.size(), 0);
    }

    void everyChangeEnablesTheButtons() {
        configureDictionary();
        const QList<std::function<void(TfrmKonfig&)>> changes = {
            [](TfrmKonfig& d) { choose(d.rgUI, 1); },
            [](TfrmKonfig& d) { choose(d.rgSortowanie, 2); },
            [](TfrmKonfig& d) { type(d.edMiejsce, QStringLiteral("a")); },
            [](TfrmKonfig& d) { type(d.edPodpis, QStringLiteral("a")); },
            [this](TfrmKonfig& d) {
                prompts_->chooseFolder(path("odp"));
                d.sbCOA->click();
            },
        };
        for (const auto& change : changes) {
            TfrmKonfig d;
            d.show();
            d.PageCtrlKonfiguracja->setCurrentWidget(d.TabSheet1);
            change(d);
            QCOMPARE(buttons(d), QStringLiteral("1 1"));
        }
    }

    void acceptingWritesEverySettingAndMakesTheFolders() {
        configureDictionary();
        key(Settings::kLegacyKeyPath)->writeInteger(QStringLiteral("Sortowanie"), 1);
        TfrmKonfig d;
        d.show();
        d.cbNazwaZU->setCurrentIndex(0);
        type(d.edMiejsce, QStringLiteral("Łódź"));
        type(d.edPodpis, QStringLiteral("anna żółć"));  // typed in capitals
        QCOMPARE(d.edPodpis->text(), QStringLiteral("ANNA ŻÓŁĆ"));
        d.PageCtrlKonfiguracja->setCurrentWidget(d.TabSheet1);
        choose(d.rgUI, 1);
        choose(d.rgSortowanie, 2);
        prompts_->chooseFolder(path("dane/odpowiedzi"));
        d.sbCOA->click();
        prompts_->chooseFolder(path("dane/nowe/wnioski"));
        d.sbRPA->click();
        d.btnAccept->click();

        QCOMPARE(prompts_->messages(), QStringList());
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QVERIFY(!d.isVisible());
        QCOMPARE(buttons(d), QStringLiteral("0 0"));
        QCOMPARE(d.cbNazwaZU->count(), 0);  // closing lets the dictionaries go
        QVERIFY(QFileInfo(path("dane/odpowiedzi")).isDir());
        QVERIFY(QFileInfo(path("dane/nowe/wnioski")).isDir());
        auto k = Registry().openKey(Settings::kKeyPath, false);
        const QList<QPair<const char*, QString>> texts = {
            {"Kod ZU", QStringLiteral("KRM")},
            {"Nazwa ZU", kKormoran},
            {"Katalog słowników", path("słowniki")},
            {"ODPOWIEDZI", path("dane/odpowiedzi")},
            {"Wnioski", path("dane/nowe/wnioski")},
            {"Dział ubezpieczeń", kLife},
            {"OsobaPodpis", QStringLiteral("ANNA ŻÓŁĆ")},
            {"MiejsceWystawienia", QStringLiteral("Łódź")}};
        for (const auto& [name, value] : texts)
            QCOMPARE(k->readString(QString::fromUtf8(name)), value);
        QCOMPARE(k->readInteger(QStringLiteral("Interfejs")), 1);
        QCOMPARE(k->readInteger(QStringLiteral("Sortowanie")), 2);
        for (const char* untouched : {"Transmisja", "AutoZapis", "Wl/Wy Autozapis"})
            QVERIFY(!k->valueExists(QString::fromUtf8(untouched)));
        QCOMPARE(ReadSortOrder(), 2);  // the windows sort as accepted
        QVERIFY(!Settings().ClassicUi());
    }

    void acceptingWithoutAnUndertakingIsRefused() {
        for (const bool withList : {true, false}) {
            configureDictionary();
            if (!withList) QFile::remove(path("słowniki/slownik.dic"));
            TfrmKonfig d;
            d.show();
            QCOMPARE(d.cbNazwaZU->count(), withList ? 15 : 0);
            type(d.edMiejsce, QStringLiteral("Gdańsk"));
            d.PageCtrlKonfiguracja->setCurrentIndex(2);
            prompts_->clear();
            d.btnAccept->click();
            QCOMPARE(prompts_->shown.size(), 1);
            QCOMPARE(prompts_->last().text,
                     QStringLiteral("Proszę uzupełnić informacje o zakładzie"));
            QCOMPARE(prompts_->last().caption, QStringLiteral("Komunikat"));
            QCOMPARE(prompts_->last().icon, PromptIcon::Error);
            QCOMPARE(d.PageCtrlKonfiguracja->currentIndex(), 0);
            QCOMPARE(buttons(d), QStringLiteral("0 0"));
            QVERIFY(d.isVisible());
            QVERIFY(!key()->valueExists(QStringLiteral("MiejsceWystawienia")));
        }
    }

    void aMissingDictionaryAndTheFolderChoosers() {
        key()->writeString(QStringLiteral("Katalog słowników"), path("pusty"));
        TfrmKonfig d;
        QCOMPARE(prompts_->messages(), QStringList{missing(path("pusty"))});
        QCOMPARE(prompts_->last().caption, QStringLiteral("Błąd"));
        QCOMPARE(prompts_->last().icon, PromptIcon::Error);
        QCOMPARE(d.cbNazwaZU->count(), 0);
        const QString coa = d.edCOADirectory->text();

        // Cancelled choices change nothing.
        d.sbCOA->click();
        d.sbRPA->click();
        QCOMPARE(d.edCOADirectory->text(), coa);
        // A folder with a dictionary: its undertakings, and the divisions.
        prompts_->chooseFolder(dictionaryFolder("inne"));
        d.sbtnDirectory->click();
        QStringList prompts;
        for (const ScriptedPrompts::Shown& s : prompts_->shown)
            if (s.kind == ScriptedPrompts::Kind::ChooseFolder) prompts << s.text + s.directory;
        QCOMPARE(prompts, (QStringList{QStringLiteral("Wybierz katalog dla plików odpowiedzi..."),
                                       QStringLiteral("Wybierz katalog dla plików wniosków..."),
                                       QStringLiteral("Wybierz katalog dla słowników...")}));
        QCOMPARE(d.edDictDirectory->text(), path("inne"));
        QCOMPARE(d.cbNazwaZU->count(), 15);
        QCOMPARE(d.cbNazwaZU->currentIndex(), -1);
        d.cbNazwaZU->setCurrentIndex(0);
        QCOMPARE(d.edDzialUbezpieczen->text(), kLife);

        // Cancelled, the folder is read again all the same: its undertakings are added again.
        d.sbtnDirectory->click();
        QCOMPARE(d.cbNazwaZU->count(), 30);
        QCOMPARE(d.cbNazwaZU->itemText(15), kKormoran);
        QCOMPARE(d.cbNazwaZU->currentIndex(), 0);
        prompts_->chooseFolder(path("pusty"));
        d.sbtnDirectory->click();
        QCOMPARE(prompts_->messages().last(), missing(path("pusty")));
        QCOMPARE(terminations_, 0);
    }

    void aDamagedDictionaryEndsTheApplication() {
        QByteArray damaged = bundledDictionary();
        damaged[damaged.indexOf("OPOLSKIE")] = 'X';
        configureDictionary(damaged);
        TfrmKonfig d;
        QCOMPARE(prompts_->messages(),
                 QStringList{QStringLiteral("Błąd sumy kontrolnej słownika dla województw!")});
        QCOMPARE(prompts_->last().caption, QStringLiteral("Błąd !"));
        QCOMPARE(prompts_->last().icon, PromptIcon::Error);
        QCOMPARE(terminations_, 1);
        QCOMPARE(d.cbNazwaZU->count(), 0);
    }

    void failuresToWriteKeepTheDialogOpen() {
        configureDictionary();
        TfrmKonfig d;
        d.show();
        d.cbNazwaZU->setCurrentIndex(1);
        QFile file(registry_->path());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("{ zepsuty");
        file.close();
        d.btnAccept->click();
        QCOMPARE(prompts_->messages(),
                 QStringList{QStringLiteral("Plik rejestru %1 jest uszkodzony (błąd składni JSON "
                                            "na pozycji 3).")
                                 .arg(registry_->path())});
        QCOMPARE(prompts_->last().caption, QStringLiteral("Błąd"));
        QVERIFY(d.isVisible());
        QCOMPARE(buttons(d), QStringLiteral("0 0"));

        // Written, but no folder can be made under a file.
        QVERIFY(QFile::remove(registry_->path()));
        QVERIFY(QFile(path("plik")).open(QIODevice::WriteOnly));
        prompts_->chooseFolder(path("plik/wnioski"));
        d.sbRPA->click();
        d.btnAccept->click();
        QCOMPARE(prompts_->messages().last(),
                 QStringLiteral("Nie można utworzyć katalogu %1!").arg(path("plik/wnioski")));
        QVERIFY(d.isVisible());
        QCOMPARE(buttons(d), QStringLiteral("0 0"));
    }

    void nothingIsCutOffOrOutside() {
        dictionaryFolder("Slowniki");
        TfrmKonfig d;
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        d.cbNazwaZU->setCurrentIndex(1);  // the longer division
        for (int page = 0; page < d.PageCtrlKonfiguracja->count(); ++page) {
            d.PageCtrlKonfiguracja->setCurrentIndex(page);
            QApplication::processEvents();
            for (QWidget* w : d.findChildren<QWidget*>()) {
                if (!w->isVisible()) continue;
                const QString name = w->objectName() + w->property("text").toString();
                QVERIFY2(d.rect().contains(QRect(w->mapTo(&d, QPoint()), w->size())),
                         qPrintable(name));
                if (qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w))
                    QVERIFY2(w->width() >= w->sizeHint().width() &&
                                 w->height() >= w->minimumSizeHint().height(),
                             qPrintable(name));
                if (auto* edit = qobject_cast<QLineEdit*>(w); edit && edit->isReadOnly())
                    QVERIFY2(edit->fontMetrics().horizontalAdvance(edit->text()) < edit->width(),
                             qPrintable(name));
            }
        }
        // The popup shows the longest name whole.
        int longest = 0;
        for (int i = 0; i < d.cbNazwaZU->count(); ++i)
            longest = qMax(longest, d.cbNazwaZU->view()->fontMetrics().horizontalAdvance(
                                        d.cbNazwaZU->itemText(i)));
        QVERIFY(d.cbNazwaZU->view()->minimumWidth() > longest);
    }
};

QTEST_MAIN(TfrmKonfigTest)
#include "test_TfrmKonfig.moc"
