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

using tavik::Settings;
using tavik::TfrmKonfig;
using tavik::platform::PromptButtons;
using tavik::platform::PromptIcon;
using tavik::platform::Registry;
using tavik::test::ScriptedPrompts;

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

// An undertaking line as the dictionary holds it, checksummed (UTF-8 in, code page 1250 out).
QByteArray undertakingLine(const char* code, const char* name, const char* division) {
    const std::string covered = tavik::cp1250::fromUtf8OrThrow(std::string("A;") + code + ";" +
                                                               name + ";" + division + ";");
    std::uint32_t crc = 0;
    tavik::CRC32().CRC32Dict(covered, crc);
    char hex[16];
    std::snprintf(hex, sizeof hex, "%08X", crc);
    return QByteArray::fromStdString(covered) + hex + ";<E>\r\n";
}

// A folder holding slownik.dic with these bytes.
QString dictionaryFolder(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString folder = dir.filePath(name);
    QDir().mkpath(folder);
    QFile file(folder + QStringLiteral("/slownik.dic"));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write a dictionary");
    return folder;
}

std::unique_ptr<tavik::platform::RegistryKey> settingsKey(
    const QString& path = Settings::kKeyPath) {
    auto key = Registry().openKey(path, true);
    if (!key) qFatal("the test registry cannot be written");
    return key;
}

QStringList items(const QComboBox* combo) {
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i)
        texts << combo->itemText(i);
    return texts;
}

// Typed as a keyboard types it, Polish letters included.
void type(QWidget* widget, const QString& text) {
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// A click on the round mark: a short caption leaves the middle of the button empty.
void choose(QRadioButton* button) {
    QStyleOptionButton option;
    option.initFrom(button);
    const QRect mark =
        button->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, button);
    QTest::mouseClick(button, Qt::LeftButton, {}, mark.center());
}

bool buttonsEnabled(const TfrmKonfig& d) {
    return d.btnAccept->isEnabled() && d.btnCancel->isEnabled();
}

bool buttonsDisabled(const TfrmKonfig& d) {
    return !d.btnAccept->isEnabled() && !d.btnCancel->isEnabled();
}

}  // namespace

class TfrmKonfigTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<tavik::test::TempRegistry> registry_;
    std::unique_ptr<ScriptedPrompts> prompts_;
    std::unique_ptr<QTemporaryDir> dir_;
    QString previousDir_;
    int terminations_ = 0;

    QString path(const char* name) const { return dir_->filePath(QString::fromUtf8(name)); }
    // The configured dictionary folder: a copy of the bundled dictionary.
    QString configureDictionary(const QByteArray& bytes = bundledDictionary()) {
        const QString folder = dictionaryFolder(*dir_, QStringLiteral("słowniki"), bytes);
        settingsKey()->writeString(QStringLiteral("Katalog słowników"), folder);
        return folder;
    }
    void expectNoBoxes() {
        QCOMPARE(prompts_->shown.size(), 0);
        QCOMPARE(terminations_, 0);
    }

private slots:
    void init() {
        registry_ = std::make_unique<tavik::test::TempRegistry>();
        prompts_ = std::make_unique<ScriptedPrompts>();
        dir_ = std::make_unique<QTemporaryDir>();
        previousDir_ = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir_->path()));
        terminations_ = 0;
        tavik::platform::setTerminationHandler([this] { ++terminations_; });
    }
    void cleanup() {
        tavik::platform::setTerminationHandler(nullptr);
        QDir::setCurrent(previousDir_);
        prompts_.reset();
        dir_.reset();
        registry_.reset();
    }

    void theDialogAndItsControls() {
        dictionaryFolder(*dir_, QStringLiteral("Slowniki"), bundledDictionary());
        TfrmKonfig d;
        QCOMPARE(d.windowTitle(), QStringLiteral("Konfiguracja"));
        QVERIFY(d.width() >= 555 && d.height() >= 357);
        QCOMPARE(d.minimumSize(), d.maximumSize());
        QCOMPARE(d.PageCtrlKonfiguracja->count(), 3);
        const QList<QPair<QWidget*, QString>> pages = {
            {d.TabSheet3, QStringLiteral("Dane Zakładu Ubezpieczeń")},
            {d.TabSheet1, QStringLiteral("Opcje  aplikacji")},
            {d.TabSheet2, QStringLiteral("Położenie plików")}};
        for (int i = 0; i < pages.size(); ++i) {
            QCOMPARE(d.PageCtrlKonfiguracja->widget(i), pages[i].first);
            QCOMPARE(d.PageCtrlKonfiguracja->tabText(i), pages[i].second);
        }
        QCOMPARE(d.PageCtrlKonfiguracja->currentIndex(), 0);
        const QList<QPair<QObject*, const char*>> names = {
            {d.PageCtrlKonfiguracja, "PageCtrlKonfiguracja"},
            {d.TabSheet1, "TabSheet1"},
            {d.TabSheet2, "TabSheet2"},
            {d.TabSheet3, "TabSheet3"},
            {d.cbNazwaZU, "cbNazwaZU"},
            {d.lblKod, "lblKod"},
            {d.edDzialUbezpieczen, "edDzialUbezpieczen"},
            {d.edMiejsce, "edMiejsce"},
            {d.edPodpis, "edPodpis"},
            {d.rgUI, "rgUI"},
            {d.rgSortowanie, "rgSortowanie"},
            {d.edDictDirectory, "edDictDirectory"},
            {d.sbtnDirectory, "sbtnDirectory"},
            {d.edCOADirectory, "edCOADirectory"},
            {d.sbCOA, "sbCOA"},
            {d.edRPADirectory, "edRPADirectory"},
            {d.sbRPA, "sbRPA"},
            {d.btnAccept, "btnAccept"},
            {d.btnCancel, "btnCancel"}};
        for (const auto& [control, name] : names)
            QCOMPARE(control->objectName(), QString::fromLatin1(name));
        QCOMPARE(d.btnAccept->text(), QStringLiteral("Akceptuj"));
        QCOMPARE(d.btnCancel->text(), QStringLiteral("Anuluj"));
        QCOMPARE(d.rgUI->title(), QStringLiteral(" Interfejs użytkownika"));
        QCOMPARE(d.rgSortowanie->title(), QStringLiteral(" Opcje sortowania"));
        QCOMPARE(d.rgUI->count(), 2);
        QCOMPARE(d.rgUI->button(1)->text(), QStringLiteral("XP"));
        QCOMPARE(d.rgSortowanie->count(), 3);
        QCOMPARE(d.rgSortowanie->button(2)->text(), QStringLiteral("Malejąco"));
        QVERIFY(d.lblKod->font().bold());
        for (const QLineEdit* e :
             {d.edDzialUbezpieczen, d.edDictDirectory, d.edCOADirectory, d.edRPADirectory})
            QVERIFY(e->isReadOnly());
        QVERIFY(!d.edMiejsce->isReadOnly() && !d.edPodpis->isReadOnly());
    }

    void nothingIsCutOffOrOutside() {
        dictionaryFolder(*dir_, QStringLiteral("Slowniki"), bundledDictionary());
        TfrmKonfig d;
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        d.cbNazwaZU->setCurrentIndex(1);  // the longer division
        for (int page = 0; page < d.PageCtrlKonfiguracja->count(); ++page) {
            d.PageCtrlKonfiguracja->setCurrentIndex(page);
            QApplication::processEvents();
            for (QWidget* w : d.findChildren<QWidget*>()) {
                if (!w->isVisible() || w->inherits("QTabBar") || w->inherits("QStackedWidget"))
                    continue;
                const QRect inDialog(w->mapTo(&d, QPoint(0, 0)), w->size());
                QVERIFY2(d.rect().contains(inDialog), qPrintable(w->objectName()));
                if (qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w)) {
                    QVERIFY2(w->width() >= w->sizeHint().width() &&
                                 w->height() >= w->minimumSizeHint().height(),
                             qPrintable(w->objectName() + QLatin1Char(' ') +
                                        w->property("text").toString()));
                }
                if (auto* edit = qobject_cast<QLineEdit*>(w); edit && edit->isReadOnly())
                    QVERIFY2(edit->fontMetrics().horizontalAdvance(edit->text()) < edit->width(),
                             qPrintable(edit->objectName()));
            }
        }
        // The list does not cut the longest name in its popup.
        const QFontMetrics metrics(d.cbNazwaZU->view()->font());
        int longest = 0;
        for (const QString& name : items(d.cbNazwaZU))
            longest = qMax(longest, metrics.horizontalAdvance(name));
        QVERIFY(d.cbNazwaZU->view()->minimumWidth() >= longest);
    }

    void firstOpeningWithoutSettings() {
        dictionaryFolder(*dir_, QStringLiteral("Slowniki"), bundledDictionary());
        TfrmKonfig d;
        expectNoBoxes();
        QCOMPARE(d.edCOADirectory->text(), path("ODPOWIEDZI"));
        QCOMPARE(d.edRPADirectory->text(), path("WNIOSKI"));
        QCOMPARE(d.edDictDirectory->text(), path("Slowniki"));
        QCOMPARE(d.edMiejsce->text(), QString());
        QCOMPARE(d.edPodpis->text(), QString());
        QCOMPARE(d.rgUI->itemIndex(), 0);
        QCOMPARE(d.rgSortowanie->itemIndex(), 0);
        const QStringList names = items(d.cbNazwaZU);
        QCOMPARE(names.size(), 15);
        QCOMPARE(names.front(), kKormoran);
        QCOMPARE(names[1], kJaskolka);
        QCOMPARE(names.back(),
                 QStringLiteral("TOWARZYSTWO UBEZPIECZEŃ NA ŻYCIE WIERZBOWY BRZEG SPÓŁKA AKCYJNA"));
        QCOMPARE(d.cbNazwaZU->currentIndex(), -1);
        QCOMPARE(d.lblKod->text(), QString());
        QCOMPARE(d.edDzialUbezpieczen->text(), QString());
        QVERIFY(buttonsDisabled(d));
        QVERIFY(!QFile::exists(registry_->path()));  // opening writes nothing
    }

    void openingShowsTheConfiguredUndertakingAndOptions() {
        configureDictionary();
        auto key = settingsKey();
        key->writeString(QStringLiteral("Nazwa ZU"), kJaskolka);
        key->writeString(QStringLiteral("Dział ubezpieczeń"), QStringLiteral("INNY"));
        key->writeString(QStringLiteral("MiejsceWystawienia"), QStringLiteral("Kraków"));
        key->writeString(QStringLiteral("OsobaPodpis"), QStringLiteral("JAN NOWAK"));
        key->writeString(QStringLiteral("ODPOWIEDZI"), QStringLiteral("/dane/odp"));
        key->writeString(QStringLiteral("Wnioski"), QStringLiteral("/dane/wnioski"));
        key->writeInteger(QStringLiteral("Interfejs"), 1);
        settingsKey(Settings::kLegacyKeyPath)->writeInteger(QStringLiteral("Sortowanie"), 2);
        {
            TfrmKonfig d;
            expectNoBoxes();
            QCOMPARE(d.cbNazwaZU->currentIndex(), 1);
            QCOMPARE(d.lblKod->text(), QStringLiteral("JSK"));
            QCOMPARE(d.edDzialUbezpieczen->text(), kOther);  // from the dictionary
            QCOMPARE(d.edMiejsce->text(), QStringLiteral("Kraków"));
            QCOMPARE(d.edPodpis->text(), QStringLiteral("JAN NOWAK"));
            QCOMPARE(d.edCOADirectory->text(), QStringLiteral("/dane/odp"));
            QCOMPARE(d.edRPADirectory->text(), QStringLiteral("/dane/wnioski"));
            QCOMPARE(d.rgUI->itemIndex(), 1);
            QCOMPARE(d.rgSortowanie->itemIndex(), 2);  // the older key, while the current has none
            QVERIFY(buttonsDisabled(d));
        }
        key->writeInteger(QStringLiteral("Sortowanie"), 1);
        key->writeString(QStringLiteral("Nazwa ZU"), QStringLiteral("NIEZNANY ZAKŁAD"));
        TfrmKonfig d;
        QCOMPARE(d.rgSortowanie->itemIndex(), 1);
        QCOMPARE(d.cbNazwaZU->currentIndex(), -1);
        QCOMPARE(d.lblKod->text(), QString());
        QCOMPARE(d.edDzialUbezpieczen->text(), QString());
    }

    void choosingAnUndertakingOfEachDivisionLetter() {
        QByteArray dictionary = bundledDictionary();
        dictionary += undertakingLine("XYZ", "NOWY ZAKŁAD", "X");
        configureDictionary(dictionary);
        TfrmKonfig d;
        expectNoBoxes();
        QCOMPARE(d.cbNazwaZU->count(), 16);

        d.cbNazwaZU->setCurrentIndex(0);  // KRM, "Z": entry 0 of the divisions
        QCOMPARE(d.lblKod->text(), QStringLiteral("KRM"));
        QCOMPARE(d.edDzialUbezpieczen->text(), kLife);
        QVERIFY(buttonsEnabled(d));

        d.cbNazwaZU->setCurrentIndex(1);  // JSK, "M": entry 1
        QCOMPARE(d.lblKod->text(), QStringLiteral("JSK"));
        QCOMPARE(d.edDzialUbezpieczen->text(), kOther);

        d.cbNazwaZU->setCurrentIndex(15);  // another letter: the division stays
        QCOMPARE(d.cbNazwaZU->currentText(), QStringLiteral("NOWY ZAKŁAD"));
        QCOMPARE(d.lblKod->text(), QStringLiteral("XYZ"));
        QCOMPARE(d.edDzialUbezpieczen->text(), kOther);
        expectNoBoxes();
    }

    void everyChangeEnablesTheButtons() {
        configureDictionary();
        const QList<std::function<void(TfrmKonfig&)>> changes = {
            [](TfrmKonfig& d) {
                d.PageCtrlKonfiguracja->setCurrentWidget(d.TabSheet1);
                choose(d.rgUI->button(1));
            },
            [](TfrmKonfig& d) {
                d.PageCtrlKonfiguracja->setCurrentWidget(d.TabSheet1);
                choose(d.rgSortowanie->button(2));
            },
            [](TfrmKonfig& d) { type(d.edMiejsce, QStringLiteral("a")); },
            [](TfrmKonfig& d) { type(d.edPodpis, QStringLiteral("a")); },
            [this](TfrmKonfig& d) {
                prompts_->chooseFolder(path("odp"));
                d.sbCOA->click();
            },
            [this](TfrmKonfig& d) {
                prompts_->chooseFolder(path("wnioski"));
                d.sbRPA->click();
            },
        };
        for (const auto& change : changes) {
            TfrmKonfig d;
            d.show();
            QVERIFY(buttonsDisabled(d));
            change(d);
            QVERIFY(buttonsEnabled(d));
        }
    }

    void typedSignerIsInCapitals() {
        configureDictionary();
        TfrmKonfig d;
        d.edPodpis->clear();
        d.edMiejsce->clear();
        type(d.edPodpis, QStringLiteral("jan żółć"));
        QCOMPARE(d.edPodpis->text(), QStringLiteral("JAN ŻÓŁĆ"));
        type(d.edMiejsce, QStringLiteral("łódź"));
        QCOMPARE(d.edMiejsce->text(), QStringLiteral("łódź"));
    }

    void acceptingWritesEverySettingAndMakesTheFolders() {
        const QString dictionary = configureDictionary();
        settingsKey(Settings::kLegacyKeyPath)->writeInteger(QStringLiteral("Sortowanie"), 1);
        TfrmKonfig d;
        d.show();
        d.cbNazwaZU->setCurrentIndex(0);
        d.edMiejsce->clear();
        type(d.edMiejsce, QStringLiteral("Łódź"));
        d.edPodpis->clear();
        type(d.edPodpis, QStringLiteral("anna kowalska"));
        d.PageCtrlKonfiguracja->setCurrentWidget(d.TabSheet1);
        choose(d.rgUI->button(1));
        choose(d.rgSortowanie->button(2));
        prompts_->chooseFolder(path("dane/odpowiedzi"));
        d.sbCOA->click();
        prompts_->chooseFolder(path("dane/nowe/wnioski"));
        d.sbRPA->click();
        QVERIFY(buttonsEnabled(d));
        d.btnAccept->click();

        QCOMPARE(prompts_->messages(), QStringList());
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QVERIFY(!d.isVisible());
        QVERIFY(buttonsDisabled(d));
        QVERIFY(QFileInfo(path("dane/odpowiedzi")).isDir());
        QVERIFY(QFileInfo(path("dane/nowe/wnioski")).isDir());

        auto key = Registry().openKey(Settings::kKeyPath, false);
        QVERIFY(key);
        QCOMPARE(key->readString(QStringLiteral("Kod ZU")), QStringLiteral("KRM"));
        QCOMPARE(key->readString(QStringLiteral("Nazwa ZU")), kKormoran);
        QCOMPARE(key->readInteger(QStringLiteral("Interfejs")), 1);
        QCOMPARE(key->readString(QStringLiteral("Katalog słowników")), dictionary);
        QCOMPARE(key->readString(QStringLiteral("ODPOWIEDZI")), path("dane/odpowiedzi"));
        QCOMPARE(key->readString(QStringLiteral("Wnioski")), path("dane/nowe/wnioski"));
        QCOMPARE(key->readString(QStringLiteral("Dział ubezpieczeń")), kLife);
        QCOMPARE(key->readInteger(QStringLiteral("Sortowanie")), 2);
        QCOMPARE(key->readString(QStringLiteral("OsobaPodpis")), QStringLiteral("ANNA KOWALSKA"));
        QCOMPARE(key->readString(QStringLiteral("MiejsceWystawienia")), QStringLiteral("Łódź"));
        for (const char* untouched : {"Transmisja", "AutoZapis", "Wl/Wy Autozapis"})
            QVERIFY(!key->valueExists(QString::fromUtf8(untouched)));

        // The windows sort as accepted, and the next reader sees every value.
        QCOMPARE(tavik::ReadSortOrder(), 2);
        const Settings s;
        QVERIFY(!s.ClassicUi());
        QCOMPARE(s.UndertakingCode(), QStringLiteral("KRM"));
        QCOMPARE(s.InsuranceDivision(), kLife);
        // Closing let the dictionaries go.
        QCOMPARE(d.cbNazwaZU->count(), 0);
    }

    void acceptingWithoutAnUndertakingIsRefused() {
        for (bool withList : {true, false}) {
            QFile::remove(registry_->path());
            const QString folder = configureDictionary();
            if (!withList) QVERIFY(QFile::remove(folder + QStringLiteral("/slownik.dic")));
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
            QCOMPARE(prompts_->last().buttons, PromptButtons::Ok);
            QCOMPARE(d.PageCtrlKonfiguracja->currentIndex(), 0);
            QVERIFY(buttonsDisabled(d));
            QVERIFY(d.isVisible());
            QVERIFY(!Registry()
                         .openKey(Settings::kKeyPath, false)
                         ->valueExists(QStringLiteral("MiejsceWystawienia")));
        }
    }

    void aMissingDictionary() {
        const QString folder = path("pusty");
        QDir().mkpath(folder);
        settingsKey()->writeString(QStringLiteral("Katalog słowników"), folder);
        TfrmKonfig d;
        QCOMPARE(prompts_->shown.size(), 1);
        QCOMPARE(prompts_->last().text, QStringLiteral("Plik ") + folder +
                                            QStringLiteral("/slownik.dic nie istnieje!\nProszę "
                                                           "wybrać inny katalog!"));
        QCOMPARE(prompts_->last().caption, QStringLiteral("Błąd"));
        QCOMPARE(prompts_->last().icon, PromptIcon::Error);
        QCOMPARE(d.cbNazwaZU->count(), 0);
        QVERIFY(buttonsDisabled(d));
        QCOMPARE(terminations_, 0);

        // Another folder, chosen: its undertakings and divisions.
        const QString other = dictionaryFolder(*dir_, QStringLiteral("inne"), bundledDictionary());
        prompts_->chooseFolder(other);
        d.sbtnDirectory->click();
        QCOMPARE(prompts_->shown.size(), 2);
        QCOMPARE(prompts_->last().kind, ScriptedPrompts::Kind::ChooseFolder);
        QCOMPARE(prompts_->last().text, QStringLiteral("Wybierz katalog dla słowników..."));
        QCOMPARE(prompts_->last().directory, QString());
        QCOMPARE(d.edDictDirectory->text(), other);
        QCOMPARE(d.cbNazwaZU->count(), 15);
        QCOMPARE(d.cbNazwaZU->currentIndex(), -1);
        d.cbNazwaZU->setCurrentIndex(0);
        QCOMPARE(d.edDzialUbezpieczen->text(), kLife);
    }

    void theFolderChoosers() {
        const QString dictionary = configureDictionary();
        TfrmKonfig d;
        const QString coa = d.edCOADirectory->text();

        // Cancelled: the folder stays; the dictionary's folder is looked at again all the same,
        // and its undertakings are added to the list.
        d.sbCOA->click();
        QCOMPARE(prompts_->last().text, QStringLiteral("Wybierz katalog dla plików odpowiedzi..."));
        QCOMPARE(d.edCOADirectory->text(), coa);
        d.sbRPA->click();
        QCOMPARE(prompts_->last().text, QStringLiteral("Wybierz katalog dla plików wniosków..."));
        QCOMPARE(prompts_->last().directory, QString());
        d.sbtnDirectory->click();
        QCOMPARE(d.edDictDirectory->text(), dictionary);
        QCOMPARE(d.cbNazwaZU->count(), 30);
        QCOMPARE(d.cbNazwaZU->itemText(15), kKormoran);
        QCOMPARE(prompts_->unanswered, 3);
        QCOMPARE(prompts_->messages(), QStringList());
        QVERIFY(buttonsDisabled(d));  // nothing changed

        // A folder without a dictionary.
        prompts_->chooseFolder(path("inny"));
        d.sbtnDirectory->click();
        QCOMPARE(d.edDictDirectory->text(), path("inny"));
        QCOMPARE(prompts_->messages(),
                 QStringList{QStringLiteral("Plik ") + path("inny") +
                             QStringLiteral("/slownik.dic nie istnieje!\nProszę wybrać inny "
                                            "katalog!")});
        QCOMPARE(d.cbNazwaZU->count(), 30);
        QVERIFY(buttonsEnabled(d));
    }

    void aDamagedDictionaryEndsTheApplication() {
        QByteArray damaged = bundledDictionary();
        damaged[damaged.indexOf("OPOLSKIE")] = 'X';
        configureDictionary(damaged);
        TfrmKonfig d;
        QCOMPARE(prompts_->shown.size(), 1);
        QCOMPARE(prompts_->last().text,
                 QStringLiteral("Błąd sumy kontrolnej słownika dla województw!"));
        QCOMPARE(prompts_->last().caption, QStringLiteral("Błąd !"));
        QCOMPARE(prompts_->last().icon, PromptIcon::Error);
        QCOMPARE(terminations_, 1);
        QCOMPARE(d.cbNazwaZU->count(), 0);
    }

    void aRegistryThatCannotBeWrittenKeepsTheDialogOpen() {
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
        QVERIFY(buttonsDisabled(d));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("{ zepsuty"));
        file.close();

        // Written, but a folder cannot be made where a file is.
        QVERIFY(QFile::remove(registry_->path()));
        QFile blocker(path("plik"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        prompts_->chooseFolder(path("plik/wnioski"));
        d.sbRPA->click();
        prompts_->clear();
        d.btnAccept->click();
        QCOMPARE(prompts_->messages(),
                 QStringList{
                     QStringLiteral("Nie można utworzyć katalogu %1!").arg(path("plik/wnioski"))});
        QVERIFY(d.isVisible());
        QVERIFY(buttonsDisabled(d));
    }

    void cancellingWritesNothingAndLetsTheListGo() {
        dictionaryFolder(*dir_, QStringLiteral("Slowniki"), bundledDictionary());
        TfrmKonfig d;
        d.show();
        d.cbNazwaZU->setCurrentIndex(3);
        d.btnCancel->click();
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QVERIFY(!d.isVisible());
        QCOMPARE(d.cbNazwaZU->count(), 0);
        QVERIFY(!QFile::exists(registry_->path()));
        QVERIFY(!QFile::exists(path("WNIOSKI")));
    }
};

QTEST_MAIN(TfrmKonfigTest)
#include "test_TfrmKonfig.moc"
