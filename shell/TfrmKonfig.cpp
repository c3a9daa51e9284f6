#include "shell/TfrmKonfig.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <QValidator>

#include "dictionary/DictionaryFile.h"
#include "dictionary/Slownik.h"
#include "dictionary/SlownikZU3.h"
#include "model/Cp1250.h"
#include "model/Exception.h"
#include "platform/Prompts.h"
#include "platform/Registry.h"
#include "platform/Settings.h"
#include "platform/Termination.h"
#include "shell/RadioGroup.h"

namespace tavik {

using platform::PromptIcon;

namespace {

// Typed text in capitals, by the code page's rules, so that what is stored prints and compares
// as the records do.
class UpperCaseValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        std::string bytes;
        if (cp1250::fromUtf8(input.toStdString(), bytes))
            input = QString::fromStdString(cp1250::toUtf8(cp1250::toUpper(bytes)));
        else
            input = input.toUpper();  // refused later, when it is converted
        return Acceptable;
    }
};

QString fromCp1250(const std::string& text) {
    return QString::fromStdString(cp1250::toUtf8(text));
}

QLineEdit* lineEdit(const char* name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

QLabel* caption(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

QToolButton* folderButton(const char* name, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(QStringLiteral("..."));
    button->setIcon(parent->style()->standardIcon(QStyle::SP_DirOpenIcon));
    return button;
}

}  // namespace

TfrmKonfig::TfrmKonfig(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmKonfig"));
    setWindowTitle(QStringLiteral("Konfiguracja"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    buildPages();

    loading_ = true;
    const Settings settings;
    edCOADirectory->setText(settings.ResponsesDir());
    edRPADirectory->setText(settings.ApplicationsDir());
    edDictDirectory->setText(settings.DictionaryDir());
    edMiejsce->setText(settings.PlaceOfIssue());
    edPodpis->setText(settings.Signer());
    rgSortowanie->setItemIndex(ReadSortOrder());
    rgUI->setItemIndex(settings.ClassicUi() ? 0 : 1);
    // Not shown yet: the boxes of the opening stand over the dialog's owner.
    openDictionary(settings.UndertakingName());
    loading_ = false;
    enableButtons(false);

    connect(cbNazwaZU, &QComboBox::currentIndexChanged, this, &TfrmKonfig::cbNazwaZUChange);
    for (QLineEdit* edit : {edCOADirectory, edRPADirectory, edDictDirectory, edMiejsce, edPodpis})
        connect(edit, &QLineEdit::textChanged, this, &TfrmKonfig::changed);
    for (RadioGroup* group : {rgUI, rgSortowanie})
        connect(group, &RadioGroup::itemClicked, this, &TfrmKonfig::changed);
    connect(sbtnDirectory, &QToolButton::clicked, this, &TfrmKonfig::sbtnDirectoryClick);
    connect(sbCOA, &QToolButton::clicked, this, &TfrmKonfig::sbCOAClick);
    connect(sbRPA, &QToolButton::clicked, this, &TfrmKonfig::sbRPAClick);
    connect(btnAccept, &QPushButton::clicked, this, &TfrmKonfig::btnAcceptClick);
    connect(btnCancel, &QPushButton::clicked, this, &TfrmKonfig::reject);
}

TfrmKonfig::~TfrmKonfig() = default;

void TfrmKonfig::buildPages() {
    PageCtrlKonfiguracja = new QTabWidget(this);
    PageCtrlKonfiguracja->setObjectName(QStringLiteral("PageCtrlKonfiguracja"));

    TabSheet3 = new QWidget;
    TabSheet3->setObjectName(QStringLiteral("TabSheet3"));
    cbNazwaZU = new QComboBox(TabSheet3);
    cbNazwaZU->setObjectName(QStringLiteral("cbNazwaZU"));
    // The names are long: the list does not widen the dialog, its popup shows them whole.
    cbNazwaZU->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cbNazwaZU->setMinimumContentsLength(30);
    cbNazwaZU->view()->setTextElideMode(Qt::ElideNone);
    lblKod = new QLabel(TabSheet3);
    lblKod->setObjectName(QStringLiteral("lblKod"));
    QFont bold = lblKod->font();
    bold.setBold(true);
    lblKod->setFont(bold);
    edDzialUbezpieczen = lineEdit("edDzialUbezpieczen", TabSheet3);
    edDzialUbezpieczen->setReadOnly(true);
    edDzialUbezpieczen->setValidator(new UpperCaseValidator(edDzialUbezpieczen));
    edMiejsce = lineEdit("edMiejsce", TabSheet3);
    edPodpis = lineEdit("edPodpis", TabSheet3);
    edPodpis->setValidator(new UpperCaseValidator(edPodpis));

    // The two long names take the whole width, under their captions.
    auto* undertaking = new QGridLayout(TabSheet3);
    undertaking->setColumnStretch(1, 1);
    undertaking->setVerticalSpacing(8);
    undertaking->addWidget(caption(QStringLiteral("Nazwa zakładu"), cbNazwaZU, TabSheet3), 0, 0, 1,
                           2);
    undertaking->addWidget(cbNazwaZU, 1, 0, 1, 2);
    undertaking->addWidget(caption(QStringLiteral("Kod zakładu"), lblKod, TabSheet3), 2, 0);
    undertaking->addWidget(lblKod, 2, 1);
    undertaking->addWidget(
        caption(QStringLiteral("Nazwa działu ubezpieczeń"), edDzialUbezpieczen, TabSheet3), 3, 0, 1,
        2);
    undertaking->addWidget(edDzialUbezpieczen, 4, 0, 1, 2);
    undertaking->addWidget(
        caption(QStringLiteral("Miejsce wystawienia wniosku"), edMiejsce, TabSheet3), 5, 0);
    undertaking->addWidget(edMiejsce, 5, 1);
    undertaking->addWidget(
        caption(QStringLiteral("Osoba składajaca podpis na wniosku"), edPodpis, TabSheet3), 6, 0);
    undertaking->addWidget(edPodpis, 6, 1);
    undertaking->setRowStretch(7, 1);

    TabSheet1 = new QWidget;
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    auto* options = new QGroupBox(QStringLiteral(" Opcje"), TabSheet1);
    rgUI = new RadioGroup(QStringLiteral(" Interfejs użytkownika"),
                          {QStringLiteral("Klasyczny"), QStringLiteral("XP")}, options);
    rgUI->setObjectName(QStringLiteral("rgUI"));
    rgSortowanie = new RadioGroup(
        QStringLiteral(" Opcje sortowania"),
        {QStringLiteral("Nie sortuj"), QStringLiteral("Rosnąco"), QStringLiteral("Malejąco")},
        options);
    rgSortowanie->setObjectName(QStringLiteral("rgSortowanie"));
    auto* groups = new QHBoxLayout(options);
    groups->addWidget(rgUI);
    groups->addWidget(rgSortowanie);
    auto* optionsPage = new QVBoxLayout(TabSheet1);
    optionsPage->addWidget(options);
    optionsPage->addStretch();

    TabSheet2 = new QWidget;
    TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
    auto* folders = new QGridLayout(TabSheet2);
    const auto folderRow = [&](int row, const QString& text, QLineEdit*& edit, const char* name,
                               QToolButton*& button, const char* buttonName) {
        edit = lineEdit(name, TabSheet2);
        edit->setReadOnly(true);
        button = folderButton(buttonName, TabSheet2);
        folders->addWidget(caption(text, button, TabSheet2), row, 0);
        folders->addWidget(edit, row, 1);
        folders->addWidget(button, row, 2);
    };
    folderRow(0, QStringLiteral("Słowniki"), edDictDirectory, "edDictDirectory", sbtnDirectory,
              "sbtnDirectory");
    folderRow(1, QStringLiteral("Odpowiedzi (.coa)"), edCOADirectory, "edCOADirectory", sbCOA,
              "sbCOA");
    folderRow(2, QStringLiteral("Wnioski (.rpa,.cia)"), edRPADirectory, "edRPADirectory", sbRPA,
              "sbRPA");
    folders->setRowStretch(3, 1);

    PageCtrlKonfiguracja->addTab(TabSheet3, QStringLiteral("Dane Zakładu Ubezpieczeń"));
    PageCtrlKonfiguracja->addTab(TabSheet1, QStringLiteral("Opcje  aplikacji"));
    PageCtrlKonfiguracja->addTab(TabSheet2, QStringLiteral("Położenie plików"));

    btnAccept = new QPushButton(QStringLiteral("Akceptuj"), this);
    btnAccept->setObjectName(QStringLiteral("btnAccept"));
    btnCancel = new QPushButton(QStringLiteral("Anuluj"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnAccept);
    buttons->addWidget(btnCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PageCtrlKonfiguracja);
    layout->addLayout(buttons);
    // The dialog's size is fixed; longer texts than its own make it larger, never cut.
    setFixedSize(sizeHint().expandedTo(QSize(555, 357)));
}

QString TfrmKonfig::dictionaryFile() const {
    return edDictDirectory->text() + QStringLiteral("/slownik.dic");
}

bool TfrmKonfig::dictionaryFileExists(QWidget* boxParent) {
    const QString path = dictionaryFile();
    if (QFileInfo(path).isFile()) return true;
    platform::showMessage(boxParent,
                          QStringLiteral("Plik ") + path +
                              QStringLiteral(" nie istnieje!\nProszę wybrać inny katalog!"),
                          QStringLiteral("Błąd"), PromptIcon::Error);
    return false;
}

void TfrmKonfig::openDictionary(const QString& configuredName) {
    QWidget* owner = parentWidget();
    if (!dictionaryFileExists(owner)) return;
    const QString path = dictionaryFile();
    try {
        const DictionaryFile file = readDictionaryFile(QFile::encodeName(path).toStdString());
        slownik_ = file.dictionary;
        undertakings_.push_back(file.activeUndertakings);
    } catch (const ECRC32Err& e) {
        slownik_.reset();
        undertakings_.clear();
        platform::showMessage(owner, QString::fromUtf8(e.what()), QStringLiteral("Błąd !"),
                              PromptIcon::Error);
        platform::requestTermination();
        return;
    } catch (const Exception& e) {
        // A file that cannot be read: the user can choose another folder.
        slownik_.reset();
        undertakings_.clear();
        platform::showMessage(owner, QString::fromUtf8(e.what()), QStringLiteral("Błąd"),
                              PromptIcon::Error);
        return;
    }
    appendUndertakings(*undertakings_.back());
    const int configured = cbNazwaZU->findText(configuredName);
    cbNazwaZU->setCurrentIndex(configured);
    if (configured >= 0) showUndertaking(configured);
}

void TfrmKonfig::appendUndertakings(const SlownikZU3& undertakings) {
    const bool wasLoading = loading_;
    loading_ = true;
    const int chosen = cbNazwaZU->currentIndex();
    for (const auto& entry : undertakings.entries()) {
        cbNazwaZU->addItem(fromCp1250(entry->Nazwa));
        items_.push_back(entry.get());
    }
    // The first item added to an empty list would be chosen without the user.
    cbNazwaZU->setCurrentIndex(chosen);
    loading_ = wasLoading;

    // The popup is as wide as the longest name, whatever the width of the list itself.
    QAbstractItemView* popup = cbNazwaZU->view();
    const QFontMetrics metrics(popup->font());
    int widest = 0;
    for (int i = 0; i < cbNazwaZU->count(); ++i)
        widest = qMax(widest, metrics.horizontalAdvance(cbNazwaZU->itemText(i)));
    const QStyle* style = popup->style();
    popup->setMinimumWidth(widest + style->pixelMetric(QStyle::PM_ScrollBarExtent) +
                           4 * style->pixelMetric(QStyle::PM_FocusFrameHMargin) +
                           2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth));
}

void TfrmKonfig::showUndertaking(int index) {
    const DictItem& entry = *items_[static_cast<std::size_t>(index)];
    lblKod->setText(fromCp1250(entry.Kod));
    if (entry.Dzial == "M")
        setDivision(1);
    else if (entry.Dzial == "Z")
        setDivision(0);
}

void TfrmKonfig::setDivision(std::size_t entry) {
    if (!slownik_ || entry >= slownik_->RodzajeUbezpieczen.size()) return;
    edDzialUbezpieczen->setText(fromCp1250(slownik_->RodzajeUbezpieczen[entry]->Nazwa));
    edDzialUbezpieczen->setCursorPosition(0);  // the beginning of a name too long to show
}

void TfrmKonfig::cbNazwaZUChange() {
    if (loading_) return;
    const int index = cbNazwaZU->currentIndex();
    if (index >= 0) showUndertaking(index);
    enableButtons(true);
}

void TfrmKonfig::chooseFolder(QLineEdit* edit, const QString& prompt) {
    const QString folder = platform::Prompts::current().chooseFolder(this, prompt, QString());
    if (!folder.isEmpty()) edit->setText(folder);
}

void TfrmKonfig::sbtnDirectoryClick() {
    chooseFolder(edDictDirectory, QStringLiteral("Wybierz katalog dla słowników..."));
    if (!dictionaryFileExists(this)) return;
    try {
        const DictionaryFile file =
            readDictionaryFile(QFile::encodeName(dictionaryFile()).toStdString());
        // Without a dictionary of its own the dialog takes the divisions from this one.
        if (!slownik_) slownik_ = file.dictionary;
        undertakings_.push_back(file.activeUndertakings);
    } catch (const Exception& e) {
        platform::showMessage(this, QString::fromUtf8(e.what()), QStringLiteral("Błąd"),
                              PromptIcon::Error);
        return;
    }
    appendUndertakings(*undertakings_.back());
}

void TfrmKonfig::sbCOAClick() {
    chooseFolder(edCOADirectory, QStringLiteral("Wybierz katalog dla plików odpowiedzi..."));
}

void TfrmKonfig::sbRPAClick() {
    chooseFolder(edRPADirectory, QStringLiteral("Wybierz katalog dla plików wniosków..."));
}

void TfrmKonfig::btnAcceptClick() {
    const int index = cbNazwaZU->currentIndex();
    if (cbNazwaZU->count() == 0 || index < 0) {
        platform::showMessage(this, QStringLiteral("Proszę uzupełnić informacje o zakładzie"),
                              QStringLiteral("Komunikat"), PromptIcon::Error);
        PageCtrlKonfiguracja->setCurrentIndex(0);
        enableButtons(false);
        return;
    }
    const QString failure = writeSettings(*items_[static_cast<std::size_t>(index)]);
    enableButtons(false);
    if (!failure.isEmpty()) {
        platform::showMessage(this, failure, QStringLiteral("Błąd"), PromptIcon::Error);
        return;
    }
    accept();
}

QString TfrmKonfig::writeSettings(const DictItem& undertaking) {
    platform::Registry registry;
    const std::unique_ptr<platform::RegistryKey> key = registry.openKey(Settings::kKeyPath, true);
    if (!key) return registry.lastError();
    const bool written =
        key->writeString(QStringLiteral("Kod ZU"), fromCp1250(undertaking.Kod)) &&
        key->writeString(QStringLiteral("Nazwa ZU"), fromCp1250(undertaking.Nazwa)) &&
        key->writeInteger(QStringLiteral("Interfejs"), rgUI->itemIndex()) &&
        key->writeString(QStringLiteral("Katalog słowników"), edDictDirectory->text()) &&
        key->writeString(QStringLiteral("ODPOWIEDZI"), edCOADirectory->text()) &&
        key->writeString(QStringLiteral("Wnioski"), edRPADirectory->text()) &&
        key->writeString(QStringLiteral("Dział ubezpieczeń"), edDzialUbezpieczen->text()) &&
        key->writeInteger(QStringLiteral("Sortowanie"), rgSortowanie->itemIndex()) &&
        key->writeString(QStringLiteral("OsobaPodpis"), edPodpis->text()) &&
        key->writeString(QStringLiteral("MiejsceWystawienia"), edMiejsce->text());
    if (!written) return key->lastError();
    for (const QLineEdit* edit : {edCOADirectory, edRPADirectory}) {
        const QString folder = edit->text();
        if (!folder.isEmpty() && !QDir().mkpath(folder))
            return QStringLiteral("Nie można utworzyć katalogu %1!").arg(folder);
    }
    return {};
}

void TfrmKonfig::changed() {
    if (!loading_) enableButtons(true);
}

void TfrmKonfig::enableButtons(bool enabled) {
    btnAccept->setEnabled(enabled);
    btnCancel->setEnabled(enabled);
}

void TfrmKonfig::done(int result) {
    loading_ = true;
    cbNazwaZU->clear();
    items_.clear();
    undertakings_.clear();
    slownik_.reset();
    QDialog::done(result);
}

}  // namespace tavik
