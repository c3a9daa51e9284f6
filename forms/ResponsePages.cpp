#include "forms/ResponsePages.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "document/ResponseView.h"
#include "forms/FieldControls.h"

namespace tavik {

namespace {

QString utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QFont bold(QFont font) {
    font.setBold(true);
    return font;
}

}  // namespace

// ---- ResponsePage ----------------------------------------------------------------------------

QLineEdit* ResponsePage::shown(const QString& name) {
    QLineEdit* e = edit(name, 0, false);
    e->setReadOnly(true);
    if (name.startsWith(QStringLiteral("me"))) forms::markMasked(e);
    return e;
}

QPlainTextEdit* ResponsePage::shownMemo(const QString& name) {
    QPlainTextEdit* m = memo(name);
    m->setReadOnly(true);
    return m;
}

int ResponsePage::addPairs(int row, std::initializer_list<std::pair<QString, QWidget*>> pairs) {
    int pair = 0;
    for (const auto& [text, control] : pairs) {
        addPair(row, pair, text, control);
        if (++pair == 2) pair = 0, ++row;
    }
    return pair == 0 ? row : row + 1;
}

void ResponsePage::placeField(int& row, int& datePair, const char* label, QWidget* control) {
    if (!datePair && !control->objectName().startsWith(QStringLiteral("me"))) {
        addRow(row++, QString::fromUtf8(label), control);
        return;
    }
    addPair(row, datePair % 2, QString::fromUtf8(label), control);  // a period on one row
    if (++datePair % 2 == 0) ++row;
}

void ResponsePage::readOnly(QAbstractButton* button) {
    button->setAttribute(Qt::WA_TransparentForMouseEvents);
    button->setFocusPolicy(Qt::NoFocus);
}

// ---- Page 0 ----------------------------------------------------------------------------------

ResponseHeaderPage::ResponseHeaderPage(QWidget* parent)
    : ResponsePage(QStringLiteral("tbshWniosek"), QStringLiteral(" Odpowiedź"), parent) {
    edTypWniosku = shown(QStringLiteral("edTypWniosku"));
    Kod = label({}, QStringLiteral("Kod"));
    edNrOdpowiedzi = shown(QStringLiteral("edNrOdpowiedzi"));
    NazwaZU = label({}, QStringLiteral("NazwaZU"));
    edKomentarz = shownMemo(QStringLiteral("edKomentarz"));
    edDataWn = shown(QStringLiteral("edDataWn"));
    for (QLabel* l : {Kod, NazwaZU})
        l->setFont(bold(l->font()));

    int row = addPairs(0, {{QStringLiteral("Rodzaj odpowiedzi"), edTypWniosku},
                           {QStringLiteral("Kod zakładu"), Kod},
                           {QStringLiteral("Numer odpowiedzi"), edNrOdpowiedzi},
                           {QStringLiteral("Data odpowiedzi"), edDataWn}});
    addRow(row++, QStringLiteral("Nazwa zakładu"), NazwaZU);
    addRow(row++, QStringLiteral("Komentarz*"), edKomentarz);

    GroupBox5 = new QGroupBox(QStringLiteral("PRZYCZYNY WYKREŚLENIA"), group());
    GroupBox5->setObjectName(QStringLiteral("GroupBox5"));
    auto* reasons = new QVBoxLayout(GroupBox5);
    const std::pair<QCheckBox**, const char*> boxes[] = {
        {&CheckBox1, "naruszenie przepisów prawa"},
        {&CheckBox2, "naruszenie postanowień umowy agencyjnej"},
        {&CheckBox3, "naruszenie należytej staranności"},
        {&CheckBox4, "naruszenie dobrych obyczajów"}};
    int n = 0;
    for (const auto& [box, text] : boxes) {
        *box = new QCheckBox(QString::fromUtf8(text), GroupBox5);
        (*box)->setObjectName(QStringLiteral("CheckBox%1").arg(++n));
        readOnly(*box);
        reasons->addWidget(*box);
    }
    grid()->addWidget(GroupBox5, row++, 0, 1, 4);
    DataWykreslenia = new QDateEdit(group());
    DataWykreslenia->setObjectName(QStringLiteral("DataWykreslenia"));
    DataWykreslenia->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    DataWykreslenia->setReadOnly(true);
    DataWykreslenia->setButtonSymbols(QAbstractSpinBox::NoButtons);
    Label48 = addPair(row, 0, QStringLiteral("Data wykreślenia"), DataWykreslenia);
    Label48->setObjectName(QStringLiteral("Label48"));

    const std::pair<Field TRecOdpowiedz::*, QWidget*> bound[] = {
        {&TRecOdpowiedz::KodZU, Kod},
        {&TRecOdpowiedz::NazwaZU, NazwaZU},
        {&TRecOdpowiedz::TypWniosku, edTypWniosku},
        {&TRecOdpowiedz::NrOdpowiedzi, edNrOdpowiedzi},
        {&TRecOdpowiedz::DataOdpowiedzi, edDataWn},
        {&TRecOdpowiedz::KomentarzOdpowiedzi, edKomentarz}};
    for (const auto& [field, control] : bound)
        fields_.bind(field, control);
    showReasons({}, Field());
}

void ResponseHeaderPage::show(const TRecOdpowiedz& header) {
    const Showing showing(*this);
    fields_.showAnswer(header);
    showReasons(deletionReasonsOf(header), header.DataOdpowiedzi);
}

void ResponseHeaderPage::clear() {
    const Showing showing(*this);
    fields_.clear();
    showReasons({}, Field());
}

// The register names no date of the deletion apart from its answer's: the picker shows that.
void ResponseHeaderPage::showReasons(const DeletionReasonsView& reasons, const Field& date) {
    QCheckBox* boxes[] = {CheckBox1, CheckBox2, CheckBox3, CheckBox4};
    for (std::size_t i = 0; i < 4; ++i)
        boxes[i]->setChecked(reasons.ticked[i]);
    for (QWidget* w : {static_cast<QWidget*>(GroupBox5), static_cast<QWidget*>(Label48),
                       static_cast<QWidget*>(DataWykreslenia)})
        w->setVisible(reasons.shown);
    const QDate day = QDate::fromString(forms::qt(date.view()), QStringLiteral("dd.MM.yyyy"));
    if (day.isValid()) DataWykreslenia->setDate(day);
}

// ---- Page 1 ----------------------------------------------------------------------------------

ResponseAgentPage::ResponseAgentPage(QWidget* parent)
    : ResponsePage(QStringLiteral("tbshAgent"), QStringLiteral(" Dane Agenta"), parent) {
    lblRodzajOp = label({}, QStringLiteral("lblRodzajOp"));
    lblRodzajOp->setFont(bold(lblRodzajOp->font()));
    edStatusAg = shown(QStringLiteral("edStatusAg"));
    edStatusAg->setFont(bold(edStatusAg->font()));
    edNumerWZUAg = shown(QStringLiteral("edNumerWZUAg"));
    edID_Agenta = shown(QStringLiteral("edID_Agenta"));
    edNazwaAgenta = shown(QStringLiteral("edNazwaAgenta"));
    edFormaPrawna = shown(QStringLiteral("edFormaPrawna"));
    edRodzajRejestru = shown(QStringLiteral("edRodzajRejestru"));
    edNrEwidencyjny = shown(QStringLiteral("edNrEwidencyjny"));
    edNIPAg = shown(QStringLiteral("edNIPAg"));
    edMiejscowoscSiedziba = shown(QStringLiteral("edMiejscowoscSiedziba"));
    edUlicaSiedziba = shown(QStringLiteral("edUlicaSiedziba"));
    edNrDomuSiedziba = shown(QStringLiteral("edNrDomuSiedziba"));
    edNrLokaluSiedziba = shown(QStringLiteral("edNrLokaluSiedziba"));
    meKodPocztowySiedziba = shown(QStringLiteral("meKodPocztowySiedziba"));
    edPocztaSiedziba = shown(QStringLiteral("edPocztaSiedziba"));
    edDzialalnoscPodstawowa = shown(QStringLiteral("edDzialalnoscPodstawowa"));
    edInnaDzialalnosc = shown(QStringLiteral("edInnaDzialalnosc"));

    rgDzialalnoscOdp = new QGroupBox(QStringLiteral("Działalność"), group());
    rgDzialalnoscOdp->setObjectName(QStringLiteral("rgDzialalnoscOdp"));
    auto* activityLayout = new QGridLayout(rgDzialalnoscOdp);
    activities_ = new QButtonGroup(this);
    const char* items[] = {"Brak", "Zwolniony", "Bank", "Skok"};
    for (int i = 0; i < 4; ++i) {
        auto* radio = new QRadioButton(QString::fromUtf8(items[i]), rgDzialalnoscOdp);
        radio->setObjectName(QStringLiteral("rgDzialalnoscOdp%1").arg(i));
        readOnly(radio);
        activities_->addButton(radio, i);
        activityLayout->addWidget(radio, 0, i);
    }

    int row = addPairs(0, {{QStringLiteral("Rodzaj wniosku"), lblRodzajOp},
                           {QStringLiteral("Status agenta"), edStatusAg},
                           {QStringLiteral("Numer w ZU*"), edNumerWZUAg},
                           {QStringLiteral("Numer w RA"), edID_Agenta}});
    addRow(row++, QStringLiteral("Nazwa agenta"), edNazwaAgenta);
    row = addPairs(row, {{QStringLiteral("Forma prawna"), edFormaPrawna},
                         {QStringLiteral("NIP Agenta*"), edNIPAg},
                         {QStringLiteral("Typ rejestru"), edRodzajRejestru},
                         {QStringLiteral("Numer ewidencyjny"), edNrEwidencyjny}});
    QLabel* seat = label(QStringLiteral("Siedziba:"));
    seat->setFont(bold(seat->font()));
    grid()->addWidget(seat, row++, 0);
    row = addPairs(
        row, {{QStringLiteral("Miejscowość"), edMiejscowoscSiedziba},
              {QStringLiteral("Ulica"), edUlicaSiedziba},
              {QStringLiteral("Nr"),
               inLine({edNrDomuSiedziba, label(QStringLiteral("/")), edNrLokaluSiedziba}, group())},
              {QStringLiteral("Kod pocztowy"), meKodPocztowySiedziba},
              {QStringLiteral("Poczta"), edPocztaSiedziba}});
    grid()->addWidget(rgDzialalnoscOdp, row++, 0, 1, 4);
    row = addPairs(row, {{QStringLiteral("Działalność podstawowa"), edDzialalnoscPodstawowa},
                         {QStringLiteral("Inna działalność"), edInnaDzialalnosc}});
    buildPersonGroup();
    grid()->addWidget(GBOsobaFizyczna, row, 0, 1, 4);

    using A = TRecAgentOdp;
    const std::pair<Field A::*, QWidget*> bound[] = {
        {&A::StatusAgenta, edStatusAg},
        {&A::NIP_AGENTA, edNIPAg},
        {&A::PESEL, edNrDokumentu},
        {&A::Imie, edImieAG},
        {&A::Imie2, edImie2AG},
        {&A::Nazwisko, edNazwiskoAG},
        {&A::Nazwisko2, edNazwisko2AG},
        {&A::Miejscowosc, edMiejscowoscAG},
        {&A::Ulica, edUlicaAG},
        {&A::NrDomu, edNrDomuAG},
        {&A::NrLokalu, edNrLokaluAG},
        {&A::KodPocztowy, meKodPocztowyAG},
        {&A::Poczta, edPocztaAG},
        {&A::Obywatelstwo, edObywatelstwoAg},
        {&A::RodzajDokumentuOsFizAgenta, edRodzajDokAg},
        {&A::Numer_z_Rejestru, edNrEwidencyjny},
        {&A::RodzajRejestru, edRodzajRejestru},
        {&A::FormaPrawna, edFormaPrawna},
        {&A::NazwaAgenta, edNazwaAgenta},
        {&A::Miejscowosc_SiedzibaAgenta, edMiejscowoscSiedziba},
        {&A::Ulica_SiedzibaAgenta, edUlicaSiedziba},
        {&A::NrDomu_SiedzibaAgenta, edNrDomuSiedziba},
        {&A::NrLokalu_SiedzibaAgenta, edNrLokaluSiedziba},
        {&A::KodPocztowy_SiedzibaAgenta, meKodPocztowySiedziba},
        {&A::Poczta_SiedzibaAgenta, edPocztaSiedziba},
        {&A::NIP_Osoby_Fizycznej, edNipOsFiz},
        {&A::DzialalnoscPodstawowa, edDzialalnoscPodstawowa},
        {&A::InnaDzialalnosc, edInnaDzialalnosc},
        {&A::RodzajOperacji, lblRodzajOp},
        {&A::NumerWZU, edNumerWZUAg},
        {&A::NUMER_W_RA, edID_Agenta}};
    for (const auto& [field, control] : bound)
        fields_.bind(field, control);
    clear();
}

void ResponseAgentPage::buildPersonGroup() {
    GBOsobaFizyczna = new QGroupBox(QStringLiteral(" Dane os. fizycznej"), group());
    GBOsobaFizyczna->setObjectName(QStringLiteral("GBOsobaFizyczna"));
    auto* g = new QGridLayout(GBOsobaFizyczna);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 1);
    const auto make = [&](const char* name) {
        QLineEdit* e = shown(QString::fromUtf8(name));
        e->setParent(GBOsobaFizyczna);
        return e;
    };
    edImieAG = make("edImieAG");
    edImie2AG = make("edImie2AG");
    edNazwiskoAG = make("edNazwiskoAG");
    edNazwisko2AG = make("edNazwisko2AG");
    edObywatelstwoAg = make("edObywatelstwoAg");
    edRodzajDokAg = make("edRodzajDokAg");
    edNrDokumentu = make("edNrDokumentu");
    edNipOsFiz = make("edNipOsFiz");
    edMiejscowoscAG = make("edMiejscowoscAG");
    edUlicaAG = make("edUlicaAG");
    edNrDomuAG = make("edNrDomuAG");
    edNrLokaluAG = make("edNrLokaluAG");
    meKodPocztowyAG = make("meKodPocztowyAG");
    edPocztaAG = make("edPocztaAG");
    lblNrDokumentu = new QLabel(GBOsobaFizyczna);
    lblNrDokumentu->setObjectName(QStringLiteral("lblNrDokumentu"));
    auto* number = new QWidget(GBOsobaFizyczna);
    auto* line = new QHBoxLayout(number);
    line->setContentsMargins(0, 0, 0, 0);
    line->addWidget(edNrDomuAG, 1);
    line->addWidget(new QLabel(QStringLiteral("/"), number));
    line->addWidget(edNrLokaluAG, 1);
    const std::pair<QWidget*, QWidget*> rows[] = {
        {new QLabel(QStringLiteral("Imię"), GBOsobaFizyczna), edImieAG},
        {new QLabel(QStringLiteral("Drugie imię*"), GBOsobaFizyczna), edImie2AG},
        {new QLabel(QStringLiteral("Nazwisko"), GBOsobaFizyczna), edNazwiskoAG},
        {new QLabel(QStringLiteral("Nazwisko - drugi człon*"), GBOsobaFizyczna), edNazwisko2AG},
        {new QLabel(QStringLiteral("Obywatelstwo"), GBOsobaFizyczna), edObywatelstwoAg},
        {new QLabel(QStringLiteral("Rodzaj dokumentu"), GBOsobaFizyczna), edRodzajDokAg},
        {lblNrDokumentu, edNrDokumentu},
        {new QLabel(QStringLiteral("NIP osoby fizycznej"), GBOsobaFizyczna), edNipOsFiz},
        {new QLabel(QStringLiteral("Miejscowość"), GBOsobaFizyczna), edMiejscowoscAG},
        {new QLabel(QStringLiteral("Ulica"), GBOsobaFizyczna), edUlicaAG},
        {new QLabel(QStringLiteral("Nr"), GBOsobaFizyczna), number},
        {new QLabel(QStringLiteral("Kod pocztowy"), GBOsobaFizyczna), meKodPocztowyAG},
        {new QLabel(QStringLiteral("Poczta"), GBOsobaFizyczna), edPocztaAG}};
    int i = 0;
    for (const auto& [l, control] : rows) {
        g->addWidget(l, i / 2, 2 * (i % 2));
        g->addWidget(control, i / 2, 2 * (i % 2) + 1);
        ++i;
    }
}

void ResponseAgentPage::show(const TRecAgentOdp& agent) {
    const Showing showing(*this);
    fields_.showAnswer(agent);
    setActivity(activityItem(agent.ZWOLNIONY));
    followShownValues();
}

void ResponseAgentPage::clear() {
    const Showing showing(*this);
    fields_.clear();
    setActivity(-1);
    followShownValues();
}

void ResponseAgentPage::followShownValues() {
    const std::string kind = forms::cp1250Of(edRodzajDokAg->text());
    lblNrDokumentu->setText(utf8(documentNumberLabel(Field(kind))));
    GBOsobaFizyczna->setVisible(edFormaPrawna->text() == QStringLiteral("OSOBA FIZYCZNA"));
}

void ResponseAgentPage::setActivity(int item) {
    activities_->setExclusive(false);
    for (QAbstractButton* b : activities_->buttons())
        b->setChecked(activities_->id(b) == item);
    activities_->setExclusive(true);
}

int ResponseAgentPage::activity() const {
    return activities_->checkedId();
}

// ---- Pages 2 and 3 ---------------------------------------------------------------------------

namespace {

// The controls of the two person pages: a field, its control on the board member's page and
// on the employee's, and its label.
struct PersonControl {
    Field TRecOsoba::*field;
    const char* zarzad;
    const char* pracownik;
    const char* label;
};

using O = TRecOsoba;
const PersonControl kPersonControls[] = {
    {&O::NumerWZU, "edNrZUZarz", "edNumerZUPrac", "Numer w ZU*"},
    {&O::Numer_w_RA, "edNrWRaZarz", "edNumerRAPrac", "Numer w RA"},
    {&O::Nazwisko, "edNazwiskoZarz", "edNazwiskoPR", "Nazwisko"},
    {&O::Nazwisko_drugi_czlon, "edNazwisko2Zarz", "edNazwisko2PR", "Nazwisko - drugi człon*"},
    {&O::Imie, "edImieZarz", "edImiePR", "Imię"},
    {&O::Imie2, "edImie2Zarz", "edDrugieImiePR", "Drugie imię*"},
    {&O::NazwiskoRodowe, "edNazwiskoRodowe", "edNazwiskoRodowe", "Nazwisko rodowe*"},
    {&O::Plec, "edPlecZarz", "edPlec", "Płeć"},
    {&O::ImieOjca, "edImieOjca", "edImieOjca", "Imię ojca*"},
    {&O::ImieMatki, "edImieMatkiZarz", "edImieMatki", "Imię matki*"},
    {&O::Obywatelstwo, "edObywatelstwoZarz", "edObywatelstwoPR", "Obywatelstwo"},
    {&O::WYKSZTALCENIE, "edWyksztalcenieZarz", "edWyksztalcenie", "Wykształcenie"},
    {&O::Typ_Dokumentu, "edRodzajDokZarz", "edRodzajDokPR", "Rodzaj dokumentu"},
    {&O::PESEL, "edPeselZarz", "edPeselPR", nullptr},  // its label follows the document
    {&O::Nr_zezwolenia, "edNrZezwZarz", "meNumerZezwolenia", "Numer zezwolenia*"},
    {&O::NIP, "edNIPZarz", "edNipPR", "NIP*"},
    {&O::Miejscowosc, "edMiejscowoscZarz", "edMiejscowoscPR", "Miejscowość"},
    {&O::Ulica, "edUlicaZarz", "edUlicaPR", "Ulica"},
    {&O::NumerDomu, "edNumerZarz", "edNrDomuPR", "Nr domu"},
    {&O::NumerLokalu, "edNrLokaluZarz", "edNrLokaluPR", "Nr lokalu*"},
    {&O::KodPocztowy, "meKodZarz", "meKodPocztowyPR", "Kod pocztowy"},
    {&O::POCZTA, "edPocztaZarz", "edPocztaPR", "Poczta"},
};

}  // namespace

ResponsePersonPage::ResponsePersonPage(Kind kind, QWidget* parent)
    : ResponsePage(
          kind == Kind::Zarzad ? QStringLiteral("tabZarzOdp") : QStringLiteral("tbshPracownik"),
          kind == Kind::Zarzad ? QStringLiteral(" Dane członka zarządu")
                               : QStringLiteral(" Dane Pracownika"),
          parent) {
    const bool board = kind == Kind::Zarzad;
    status = shown(board ? QStringLiteral("edStatusZarz") : QStringLiteral("edRodzajOpPR"));
    status->setFont(bold(status->font()));
    addPair(0, 0, QStringLiteral("Status"), status);
    int at = 2;  // the status has a row of its own
    for (const PersonControl& c : kPersonControls) {
        QLineEdit* control = shown(QString::fromUtf8(board ? c.zarzad : c.pracownik));
        fields_.bind(c.field, control);
        QLabel* l =
            addPair(at / 2, at % 2, c.label ? QString::fromUtf8(c.label) : QString(), control);
        if (c.field == &O::Typ_Dokumentu) documentKind = control;
        if (c.field == &O::KodPocztowy) postalCode = control;
        if (c.field == &O::PESEL) {
            numberLabel = l;
            l->setObjectName(board ? QStringLiteral("Label33") : QStringLiteral("lblSNDocPESEL"));
        }
        ++at;
    }
    clear();
}

void ResponsePersonPage::show(const TRecOsoba& person, const ResponseMembers& answer) {
    const Showing showing(*this);
    forms::showAnswerField(status, answer.Status);
    fields_.showAnswer(person);
    numberLabel->setText(utf8(documentNumberLabel(Field(forms::cp1250Of(documentKind->text())))));
}

void ResponsePersonPage::clear() {
    const Showing showing(*this);
    status->clear();
    fields_.clear();
    numberLabel->setText(utf8(documentNumberLabel(Field())));
}

// ---- Pages 4 and 5 ---------------------------------------------------------------------------

ResponsePowerOfAttorneyPage::ResponsePowerOfAttorneyPage(QWidget* parent)
    : ResponsePage(QStringLiteral("tbshPelnomoc"), QStringLiteral(" Dane Pełnomocnictwa"), parent) {
    using P = TRecPelnomocnictwo;
    addFields<P>(fields_,
                 {{&P::NazwaDzialu, "edNazwaDzialuUbezpieczen", "Dział ubezpieczeń"},
                  {&P::NazwaGrupy, "edNazwaGrupyUbezpieczen", "Grupa ubezpieczeń"},
                  {&P::RodzajUbezpieczenia, "edRodzajUbezpieczenia", "Rodzaj ubezpieczenia"},
                  {&P::ObszarDzialalnosci, "edObszarDzialalnosci", "Obszar działalności"},
                  {&P::MaksKwotaUbezpieczenia, "edMaxKwota", "Maksymalna kwota ubezpieczenia"},
                  {&P::Waluta, "edWalutaPE", "Waluta"},
                  {&P::WazneOd, "meWazneOd", "Ważne od"},
                  {&P::WazneDo, "meWazneDo", "Ważne do"}});
}

ResponsePolicyPage::ResponsePolicyPage(QWidget* parent)
    : ResponsePage(QStringLiteral("tbshPolisa"), QStringLiteral(" Dane Polisy"), parent) {
    using P = TRecPolisaOC;
    addFields<P>(fields_,
                 {{&P::ID_PolisyOC, "edNrPolisy", "Seria i numer polisy"},
                  {&P::Nazwa_zakladu, "edNazwaZakladu", "Nazwa zakładu ubezpieczeniowego"},
                  {&P::Suma_ubezpieczenia, "edSumaUbezpieczenia", "Suma ubezpieczenia (PLN)"},
                  {&P::WazneOd, "meWaznyOd", "Ważne od"},
                  {&P::WazneDo, "meWaznyDo", "Ważne do"}});
}

}  // namespace tavik
