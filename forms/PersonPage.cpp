#include "forms/PersonPage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "dictionary/Slownik.h"
#include "forms/FieldControls.h"
#include "forms/KindColours.h"
#include "forms/PageTexts.h"

namespace tavik {

using namespace pagetexts;

namespace {

// The names and texts by which the two pages differ.
struct PersonPageNames {
    const char* page;
    const char* group;
    const char* operation;
    const char* numerWZU;
    const char* numerWRA;
    const char* nazwisko;
    const char* nazwisko2;
    const char* imie;
    const char* imie2;
    const char* nazwiskoRodowe;
    const char* imieOjca;
    const char* imieMatki;
    const char* plec;
    const char* obywatelstwo;
    const char* wyksztalcenie;
    const char* numerZezwolenia;
    const char* rodzajDokumentu;
    const char* pesel;
    const char* nip;
    const char* nipLabel;
    const char* miejscowosc;
    const char* ulica;
    const char* numerDomu;
    const char* numerLokalu;
    const char* kodPocztowy;
    const char* poczta;
};

constexpr PersonPageNames kEmployee = {
    "tbshPracownik",     " Dane Pracownika",  "cbRodzajOpPR", "edNumerZUPrac",  "edNumerRAPrac",
    "edNazwiskoPR",      "edNazwisko2PR",     "edImiePR",     "edDrugieImiePR", "edNazwiskoRodowe",
    "edImieOjca",        "edImieMatki",       "cbSex",        "cbObywatelstwo", "cbWyksztalcenie",
    "meNumerZezwolenia", "cbRodzajDokumentu", "edPeselPR",    "edNipPR",        "NIP Pracownika *",
    "edMiejscowoscPR",   "edUlicaPR",         "edNrDomuPR",   "edNrLokaluPR",   "meKodPocztowyPR",
    "edPocztaPR"};

constexpr PersonPageNames kBoardMember = {"tbshZarzad",
                                          " Dane członka zarządu",
                                          "cbRodzajOpZarz",
                                          "edNumerZUZarz",
                                          "edNumerRAZarz",
                                          "edNazwiskoZarz",
                                          "edDrugieNazwiskoZarz",
                                          "edImieZarz",
                                          "edDrugieImieZarz",
                                          "edNazwiskoRodoweZarz",
                                          "edImieOjcaZarz",
                                          "edImieMatkiZarz",
                                          "cbSexZarz",
                                          "cbObywatelstwoZarz",
                                          "cbWyksztalcenieZarz",
                                          "edNumerZezwoleniaZarz",
                                          "cbRodzajDokumentuZarz",
                                          "edPeselZarz",
                                          "meNIPZarz",
                                          "NIP *",
                                          "edMiejscowoscZarz",
                                          "edUlicaZarz",
                                          "edNrZarz",
                                          "edNrLokZarz",
                                          "meKodPocztowyZarz",
                                          "edPocztaZarz"};

const PersonPageNames& namesOf(PersonPage::Kind kind) {
    return kind == PersonPage::Kind::Pracownik ? kEmployee : kBoardMember;
}

}  // namespace

PersonPage::PersonPage(Kind kind, const Slownik& dictionary, QWidget* parent)
    : RecordPage(QString::fromUtf8(namesOf(kind).page), QString::fromUtf8(namesOf(kind).group),
                 parent),
      kind_(kind) {
    const PersonPageNames& n = namesOf(kind);
    const auto name = [](const char* text) { return QString::fromUtf8(text); };
    operation = comboList(name(n.operation));
    forms::fillCombo(operation, dictionary.RodzajeOperacji);
    for (int i = 0; i < operation->count() && i < 3; ++i) {
        operation->setItemData(i, kindColour(i), Qt::ForegroundRole);
        operation->setItemData(i, QColor(Qt::white), Qt::BackgroundRole);
    }
    numerWZU = edit(name(n.numerWZU), 20);
    numerWRA =
        maskedEdit(name(n.numerWRA), kind == Kind::Pracownik ? forms::masks::kRegisterEmployee
                                                             : forms::masks::kRegisterBoardMember);
    nazwisko = edit(name(n.nazwisko), 28);
    nazwisko2 = edit(name(n.nazwisko2), 28);
    imie = edit(name(n.imie), 24);
    imie2 = edit(name(n.imie2), 24);
    nazwiskoRodowe = edit(name(n.nazwiskoRodowe), 28);
    imieOjca = edit(name(n.imieOjca), 24);
    imieMatki = edit(name(n.imieMatki), 24);
    plec = comboList(name(n.plec));
    forms::fillCombo(plec, dictionary.Plcie);
    obywatelstwo = comboList(name(n.obywatelstwo));
    forms::fillCombo(obywatelstwo, dictionary.Obywatelstwa);
    wyksztalcenie = comboList(name(n.wyksztalcenie));
    forms::fillCombo(wyksztalcenie, dictionary.Wyksztalcenie);
    numerZezwolenia = edit(name(n.numerZezwolenia), 30);
    rodzajDokumentu = comboList(name(n.rodzajDokumentu));
    pesel = edit(name(n.pesel), 20);
    nip = maskedEdit(name(n.nip), forms::masks::kNipEmployee);
    miejscowosc = edit(name(n.miejscowosc), 50);
    ulica = edit(name(n.ulica), 50);
    numerDomu = edit(name(n.numerDomu), 20);
    numerLokalu = edit(name(n.numerLokalu), 20);
    kodPocztowy = maskedEdit(name(n.kodPocztowy), forms::masks::kPostalCode);
    poczta = edit(name(n.poczta), 50);

    QLabel* operationLabel = addPair(0, 0, QStringLiteral("Rodzaj Operacji"), operation);
    QLabel* zuLabel = addPair(1, 0, QStringLiteral("Numer w ZU*"), numerWZU);
    numerWRALabel_ = addPair(1, 1, QStringLiteral("Numer w RA"), numerWRA);
    addPair(2, 0, QStringLiteral("Nazwisko"), nazwisko);
    addPair(2, 1, QStringLiteral("Nazwisko - drugi człon*"), nazwisko2);
    addPair(3, 0, QStringLiteral("Imie"), imie);
    addPair(3, 1, QStringLiteral("Drugie imie*"), imie2);
    addPair(4, 0, QStringLiteral("Nazwisko rodowe *"), nazwiskoRodowe);
    addPair(4, 1, QStringLiteral("Płeć"), plec);
    addPair(5, 0, QStringLiteral("Imie ojca*"), imieOjca);
    addPair(5, 1, QStringLiteral("Imie matki*"), imieMatki);
    addPair(6, 0, QStringLiteral("Obywatelstwo"), obywatelstwo);
    addPair(6, 1, QStringLiteral("Wykształcenie"), wyksztalcenie);
    QLabel* documentLabel = addPair(7, 0, QStringLiteral("Rodzaj dokumentu"), rodzajDokumentu);
    numberLabel = addPair(7, 1, kPeselLabel, pesel);
    addPair(8, 0, QStringLiteral("Numer zezwolenia*"), numerZezwolenia);
    addPair(8, 1, name(n.nipLabel), nip);
    QLabel* address = label(QStringLiteral("Adres:"));
    QFont bold = address->font();
    bold.setBold(true);
    address->setFont(bold);
    grid()->addWidget(address, 9, 0);
    addPair(10, 0, QStringLiteral("Miejscowość"), miejscowosc);
    addPair(10, 1, QStringLiteral("Ulica"), ulica);
    addPair(11, 0, QStringLiteral("Nr"),
            inLine({numerDomu, label(QStringLiteral("/*")), numerLokalu}, group()));
    addPair(11, 1, QStringLiteral("Kod pocztowy"), kodPocztowy);
    addPair(12, 1, QStringLiteral("Poczta"), poczta);

    const std::pair<Field TRecOsoba::*, QWidget*> bound[] = {
        {&TRecOsoba::Rodzaj_Operacji, operation},
        {&TRecOsoba::NumerWZU, numerWZU},
        {&TRecOsoba::Numer_w_RA, numerWRA},
        {&TRecOsoba::Nazwisko, nazwisko},
        {&TRecOsoba::Nazwisko_drugi_czlon, nazwisko2},
        {&TRecOsoba::Imie, imie},
        {&TRecOsoba::Imie2, imie2},
        {&TRecOsoba::NazwiskoRodowe, nazwiskoRodowe},
        {&TRecOsoba::ImieOjca, imieOjca},
        {&TRecOsoba::ImieMatki, imieMatki},
        {&TRecOsoba::Plec, plec},
        {&TRecOsoba::Obywatelstwo, obywatelstwo},
        {&TRecOsoba::WYKSZTALCENIE, wyksztalcenie},
        {&TRecOsoba::Nr_zezwolenia, numerZezwolenia},
        {&TRecOsoba::PESEL, pesel},
        {&TRecOsoba::NIP, nip},
        {&TRecOsoba::Miejscowosc, miejscowosc},
        {&TRecOsoba::Ulica, ulica},
        {&TRecOsoba::NumerDomu, numerDomu},
        {&TRecOsoba::NumerLokalu, numerLokalu},
        {&TRecOsoba::KodPocztowy, kodPocztowy},
        {&TRecOsoba::POCZTA, poczta}};
    for (const auto& [field, control] : bound)
        fields_.bind(field, control);

    deletionKeeps_ = {operationLabel, operation,     zuLabel,         numerWZU,    numerWRALabel_,
                      numerWRA,       documentLabel, rodzajDokumentu, numberLabel, pesel};
    identity_ = std::make_unique<IdentityRules>(obywatelstwo, rodzajDokumentu, numberLabel,
                                                dictionary.RodzajeDokumentow);
    connect(operation, &QComboBox::currentIndexChanged, this, [this] {
        colourOperation();
        layoutForOperation();
    });
    connect(obywatelstwo, &QComboBox::currentIndexChanged, this, [this] {
        if (!showing()) identity_->citizenshipChanged();
    });
    connect(rodzajDokumentu, &QComboBox::currentIndexChanged, this, [this] {
        if (!showing()) identity_->documentKindChanged();
    });
    newForm();
}

void PersonPage::colourOperation() {
    QPalette palette = operation->palette();
    const int at = operation->currentIndex();
    palette.setColor(QPalette::ButtonText,
                     kindColour(at).isValid() ? kindColour(at) : QColor(Qt::black));
    palette.setColor(QPalette::Text, palette.color(QPalette::ButtonText));
    operation->setPalette(palette);
}

void PersonPage::layoutForOperation() {
    const int at = operation->currentIndex();
    const auto children = group()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    if (at == 2) {
        for (QWidget* w : children)
            w->setVisible(deletionKeeps_.contains(w));
        return;
    }
    for (QWidget* w : children)
        w->show();
    numerWRALabel_->setVisible(at == 1);
    numerWRA->setVisible(at == 1);
}

void PersonPage::showPerson(const TRecOsoba& person) {
    const Showing showing(*this);
    fields_.show(person);
    identity_->showStored(person.Typ_Dokumentu.isEmpty() ? QString()
                                                         : forms::qt(person.Typ_Dokumentu.view()));
    colourOperation();
    layoutForOperation();
}

void PersonPage::take(TRecOsoba& person) const {
    fields_.take(person);
    person.Typ_Dokumentu = forms::takeField(rodzajDokumentu);
}

void PersonPage::newForm() {
    const Showing showing(*this);
    for (QLineEdit* e : group()->findChildren<QLineEdit*>())
        if (!e->parentWidget()->inherits("QComboBox")) e->clear();
    operation->setCurrentIndex(operation->count() > 0 ? 0 : -1);
    plec->setCurrentIndex(-1);
    wyksztalcenie->setCurrentIndex(-1);
    obywatelstwo->setCurrentIndex(obywatelstwo->findText(kPolskie, Qt::MatchExactly));
    identity_->citizenshipChanged();
    colourOperation();
    layoutForOperation();
}

}  // namespace tavik
