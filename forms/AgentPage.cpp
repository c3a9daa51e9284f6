#include "forms/AgentPage.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dictionary/Slownik.h"
#include "forms/FieldControls.h"
#include "forms/KindColours.h"
#include "forms/PageTexts.h"
#include "forms/PersonPage.h"

namespace tavik {

using namespace pagetexts;

AgentPage::AgentPage(const Slownik& dictionary, QWidget* parent)
    : RecordPage(QStringLiteral("tbshAgent"), QStringLiteral(" Dane Agenta"), parent) {
    buildAgentGroup(dictionary);
    buildPersonGroup(dictionary);
    bindFields();
    connectRules();
    newForm(0, kWpis);
}

void AgentPage::buildAgentGroup(const Slownik& dictionary) {
    lblRodzajOp = label({}, QStringLiteral("lblRodzajOp"));
    QFont bold = lblRodzajOp->font();
    bold.setBold(true);
    lblRodzajOp->setFont(bold);
    cbFormaPrawna = comboList(QStringLiteral("cbFormaPrawna"));
    forms::fillCombo(cbFormaPrawna, dictionary.FormyPrawne);
    edNumerWZUAg = edit(QStringLiteral("edNumerWZUAg"), 20);
    edID_Agenta = maskedEdit(QStringLiteral("edID_Agenta"), forms::masks::kRegisterAgent);
    edNazwaAgenta = edit(QStringLiteral("edNazwaAgenta"), 100);
    edMiejscowoscSiedziba = edit(QStringLiteral("edMiejscowoscSiedziba"), 50);
    edUlicaSiedziba = edit(QStringLiteral("edUlicaSiedziba"), 50);
    edNrDomuSiedziba = edit(QStringLiteral("edNrDomuSiedziba"), 20);
    edNrLokaluSiedziba = edit(QStringLiteral("edNrLokaluSiedziba"), 20);
    meKodPocztowySiedziba =
        maskedEdit(QStringLiteral("meKodPocztowySiedziba"), forms::masks::kPostalCode);
    edPocztaSiedziba = edit(QStringLiteral("edPocztaSiedziba"), 50);
    edNIPAg = maskedEdit(QStringLiteral("edNIPAg"), forms::masks::kNipAgent);
    cbRodzajRejestru = comboList(QStringLiteral("cbRodzajRejestru"));
    forms::fillCombo(cbRodzajRejestru, dictionary.RodzajeRejestrow);
    edNrEwidencyjny = edit(QStringLiteral("edNrEwidencyjny"), 30);
    forms::startEmptyMaskAtBeginning(edNrEwidencyjny);  // it takes the NIP mask at times
    cbDzialalnoscPodstawowa = comboList(QStringLiteral("cbDzialalnoscPodstawowa"));
    forms::fillCombo(cbDzialalnoscPodstawowa, dictionary.RodzajeDzialalnosci);
    edInnaDzialalnosc = edit(QStringLiteral("edInnaDzialalnosc"), 50);
    edLiczba = edit(QStringLiteral("edLiczba"), 3);

    rgDzialalnosc = new QGroupBox(QStringLiteral("Działalność"), group());
    rgDzialalnosc->setObjectName(QStringLiteral("rgDzialalnosc"));
    auto* activityLayout = new QGridLayout(rgDzialalnosc);
    activityGroup_ = new QButtonGroup(this);
    const QString activities[] = {QStringLiteral("Brak"), QStringLiteral("Zwolniony"),
                                  QStringLiteral("Bank"), QStringLiteral("Skok")};
    for (int i = 0; i < 4; ++i) {
        auto* radio = new QRadioButton(activities[i], rgDzialalnosc);
        radio->setObjectName(QStringLiteral("rgDzialalnosc%1").arg(i));
        activityGroup_->addButton(radio, i);
        activityLayout->addWidget(radio, i % 2, i / 2);  // two columns
        watch(radio);
    }

    auto* seat = label(QStringLiteral("Siedziba:"));
    QFont boldLabel = seat->font();
    boldLabel.setBold(true);
    seat->setFont(boldLabel);
    QGridLayout* g = grid();
    addPair(0, 0, QStringLiteral("Rodzaj wniosku"), lblRodzajOp);
    addPair(0, 1, QStringLiteral("Forma prawna"), cbFormaPrawna);
    QLabel* zuLabel = addPair(1, 0, QStringLiteral("Numer w ZU*"), edNumerWZUAg);
    lblNrWRaAg = addPair(1, 1, QStringLiteral("Numer w RA"), edID_Agenta);
    lblNrWRaAg->setObjectName(QStringLiteral("lblNrWRaAg"));
    QLabel* nameLabel = addRow(2, QStringLiteral("Nazwa agenta"), edNazwaAgenta);
    g->addWidget(seat, 3, 0);
    addPair(4, 0, QStringLiteral("Miejscowość"), edMiejscowoscSiedziba);
    addPair(4, 1, QStringLiteral("Ulica"), edUlicaSiedziba);
    addPair(5, 0, QStringLiteral("Nr"),
            inLine({edNrDomuSiedziba, label(QStringLiteral("/*")), edNrLokaluSiedziba}, group()));
    addPair(5, 1, QStringLiteral("Kod pocztowy"), meKodPocztowySiedziba);
    addPair(6, 1, QStringLiteral("Poczta"), edPocztaSiedziba);
    addPair(7, 0, QStringLiteral("NIP Agenta*"), edNIPAg);
    addPair(7, 1, QStringLiteral("Typ rejestru"), cbRodzajRejestru);
    lblNrzRejestru = addPair(8, 0, QStringLiteral("Numer ewidencyjny"), edNrEwidencyjny);
    lblNrzRejestru->setObjectName(QStringLiteral("lblNrzRejestru"));
    lblLiczba = addPair(8, 1, QStringLiteral("Liczba członków zarządu"), edLiczba);
    lblLiczba->setObjectName(QStringLiteral("lblLiczba"));
    g->addWidget(rgDzialalnosc, 9, 0, 1, 4);
    addPair(10, 0, QStringLiteral("Działalność podstawowa"), cbDzialalnoscPodstawowa);
    addPair(10, 1, QStringLiteral("Inna działalność"), edInnaDzialalnosc);

    deletionKeeps_ = {lblRodzajOp,    g->itemAtPosition(0, 0)->widget(),
                      edNumerWZUAg,   zuLabel,
                      lblNrWRaAg,     edID_Agenta,
                      edNazwaAgenta,  nameLabel,
                      lblNrzRejestru, edNrEwidencyjny};
}

void AgentPage::bindFields() {
    const std::pair<Field TRecAgenta::*, QWidget*> bound[] = {
        {&TRecAgenta::FormaPrawna, cbFormaPrawna},
        {&TRecAgenta::NumerWZU, edNumerWZUAg},
        {&TRecAgenta::NUMER_W_RA, edID_Agenta},
        {&TRecAgenta::NazwaAgenta, edNazwaAgenta},
        {&TRecAgenta::Miejscowosc_SiedzibaAgenta, edMiejscowoscSiedziba},
        {&TRecAgenta::Ulica_SiedzibaAgenta, edUlicaSiedziba},
        {&TRecAgenta::NrDomu_SiedzibaAgenta, edNrDomuSiedziba},
        {&TRecAgenta::NrLokalu_SiedzibaAgenta, edNrLokaluSiedziba},
        {&TRecAgenta::KodPocztowy_SiedzibaAgenta, meKodPocztowySiedziba},
        {&TRecAgenta::Poczta_SiedzibaAgenta, edPocztaSiedziba},
        {&TRecAgenta::NIP_AGENTA, edNIPAg},
        {&TRecAgenta::RodzajRejestru, cbRodzajRejestru},
        {&TRecAgenta::Numer_z_Rejestru, edNrEwidencyjny},
        {&TRecAgenta::DzialalnoscPodstawowa, cbDzialalnoscPodstawowa},
        {&TRecAgenta::InnaDzialalnosc, edInnaDzialalnosc},
        {&TRecAgenta::Imie, edImieAG},
        {&TRecAgenta::Imie2, edImie2AG},
        {&TRecAgenta::Nazwisko, edNazwiskoAG},
        {&TRecAgenta::Nazwisko2, edNazwisko2AG},
        {&TRecAgenta::Obywatelstwo, cbObywatelstwoAg},
        {&TRecAgenta::PESEL, edNrDokumentu},
        {&TRecAgenta::NIP_Osoby_Fizycznej, edNipOsFiz},
        {&TRecAgenta::Miejscowosc, edMiejscowoscAG},
        {&TRecAgenta::Ulica, edUlicaAG},
        {&TRecAgenta::NrDomu, edNrDomuAG},
        {&TRecAgenta::NrLokalu, edNrLokaluAG},
        {&TRecAgenta::KodPocztowy, meKodPocztowyAG},
        {&TRecAgenta::Poczta, edPocztaAG}};
    for (const auto& [field, control] : bound)
        fields_.bind(field, control);
}

void AgentPage::connectRules() {
    // The rules answer the clerk's choices only; showing a record sets the controls itself.
    const auto onChoice = [this](auto rule) {
        return [this, rule] {
            if (!showing()) (this->*rule)();
        };
    };
    connect(cbFormaPrawna, &QComboBox::currentIndexChanged, this,
            onChoice(&AgentPage::legalFormChanged));
    connect(cbRodzajRejestru, &QComboBox::currentIndexChanged, this,
            onChoice(&AgentPage::registerKindChanged));
    connect(cbDzialalnoscPodstawowa, &QComboBox::currentIndexChanged, this,
            onChoice(&AgentPage::mainActivityChanged));
    connect(cbObywatelstwoAg, &QComboBox::currentIndexChanged, this, [this] {
        if (!showing()) identity_->citizenshipChanged();
    });
    connect(cbRodzajDokAg, &QComboBox::currentIndexChanged, this, [this] {
        if (!showing()) identity_->documentKindChanged();
    });
    connect(activityGroup_, &QButtonGroup::idClicked, this,
            [this](int position) { emit activityChosen(position); });
    cbRodzajRejestru->installEventFilter(this);
}

bool AgentPage::eventFilter(QObject* watched, QEvent* event) {
    // Leaving the register kind with the tax number chosen takes the agent's NIP as the number.
    if (watched == cbRodzajRejestru && event->type() == QEvent::FocusOut &&
        cbRodzajRejestru->currentText() == kNip)
        edNrEwidencyjny->setText(edNIPAg->text());
    return RecordPage::eventFilter(watched, event);
}

void AgentPage::legalFormChanged() {
    const bool person = isNaturalPerson();
    if (person) {
        cbRodzajRejestru->setCurrentIndex(cbRodzajRejestru->findText(kNip, Qt::MatchExactly));
        edNrEwidencyjny->setInputMask(edNIPAg->inputMask());
        edNrEwidencyjny->clear();
    } else {
        cbRodzajRejestru->setCurrentIndex(-1);
    }
    gbOsobaFizyczna->setVisible(person);
    cbObywatelstwoAg->setCurrentIndex(cbObywatelstwoAg->findText(kPolskie, Qt::MatchExactly));
    identity_->citizenshipChanged();
    // A natural person has no board; any other form keeps the number the clerk declared.
    lblLiczba->setVisible(!person);
    edLiczba->setVisible(!person);
    if (person) edLiczba->setText(QStringLiteral("0"));
}

void AgentPage::maskRegisterNumber() {
    edNrEwidencyjny->setInputMask(cbRodzajRejestru->currentText() == kNip ? edNIPAg->inputMask()
                                                                          : QString());
}

void AgentPage::registerKindChanged() {
    maskRegisterNumber();
    if (cbRodzajRejestru->currentText() != kNip) edNrEwidencyjny->clear();
}

void AgentPage::mainActivityChanged() {
    const bool other = cbDzialalnoscPodstawowa->currentText() == kInne;
    edInnaDzialalnosc->setEnabled(other);
    if (!other) edInnaDzialalnosc->clear();
}

void AgentPage::activityAccepted() {
    applyActivity();
    if (activity() == 1) return;
    cbDzialalnoscPodstawowa->setCurrentIndex(-1);
    edInnaDzialalnosc->clear();
}

void AgentPage::setActivity(int position) {
    if (QAbstractButton* radio = activityGroup_->button(position)) {
        const Showing quiet(*this);
        radio->setChecked(true);
    }
    applyActivity();
}

void AgentPage::take(TRecAgenta& agent) const {
    fields_.take(agent);
    agent.RodzajDokumentuOsFizAgenta = forms::takeField(cbRodzajDokAg);
    agent.ZWOLNIONY = activity() >= 0 ? std::to_string(activity()) : std::string("<E>");
    if (auto* agent2 = dynamic_cast<TRecAgenta2*>(&agent))
        agent2->Liczba_czl_zarzadu = forms::takeField(edLiczba);
}

void AgentPage::buildPersonGroup(const Slownik& dictionary) {
    gbOsobaFizyczna = new QGroupBox(QStringLiteral(" Dane os. fizycznej"), this);
    gbOsobaFizyczna->setObjectName(QStringLiteral("gbOsobaFizyczna"));
    static_cast<QVBoxLayout*>(layout())->insertWidget(1, gbOsobaFizyczna);
    auto* g = new QGridLayout(gbOsobaFizyczna);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 1);
    const auto field = [&](QWidget* w) {
        w->setParent(gbOsobaFizyczna);
        return w;
    };
    edImieAG = edit(QStringLiteral("edImieAG"), 24);
    edImie2AG = edit(QStringLiteral("edImie2AG"), 24);
    edNazwiskoAG = edit(QStringLiteral("edNazwiskoAG"), 28);
    edNazwisko2AG = edit(QStringLiteral("edNazwisko2AG"), 28);
    cbObywatelstwoAg = comboList(QStringLiteral("cbObywatelstwoAg"));
    forms::fillCombo(cbObywatelstwoAg, dictionary.Obywatelstwa);
    cbRodzajDokAg = comboList(QStringLiteral("cbRodzajDokAg"));
    edNrDokumentu = edit(QStringLiteral("edNrDokumentu"), 20);
    edNipOsFiz = maskedEdit(QStringLiteral("edNipOsFiz"), forms::masks::kNipPerson);
    edMiejscowoscAG = edit(QStringLiteral("edMiejscowoscAG"), 50);
    edUlicaAG = edit(QStringLiteral("edUlicaAG"), 50);
    edNrDomuAG = edit(QStringLiteral("edNrDomuAG"), 20);
    edNrLokaluAG = edit(QStringLiteral("edNrLokaluAG"), 20);
    meKodPocztowyAG = maskedEdit(QStringLiteral("meKodPocztowyAG"), forms::masks::kPostalCode);
    edPocztaAG = edit(QStringLiteral("edPocztaAG"), 50);
    lblNrDokumentu = new QLabel(kPeselLabel, gbOsobaFizyczna);
    lblNrDokumentu->setObjectName(QStringLiteral("lblNrDokumentu"));

    const auto pair = [&](int row, int column, const QString& text, QWidget* control) {
        auto* l = new QLabel(text, gbOsobaFizyczna);
        l->setBuddy(control);
        g->addWidget(l, row, 2 * column);
        g->addWidget(field(control), row, 2 * column + 1);
        return l;
    };
    pair(0, 0, QStringLiteral("Imie"), edImieAG);
    pair(0, 1, QStringLiteral("Imie drugie*"), edImie2AG);
    pair(1, 0, QStringLiteral("Nazwisko"), edNazwiskoAG);
    pair(1, 1, QStringLiteral("Nazwisko - drugi człon*"), edNazwisko2AG);
    pair(2, 0, QStringLiteral("Obywatelstwo"), cbObywatelstwoAg);
    pair(2, 1, QStringLiteral("Rodzaj dokumentu"), cbRodzajDokAg);
    g->addWidget(lblNrDokumentu, 3, 0);
    g->addWidget(field(edNrDokumentu), 3, 1);
    pair(3, 1, QStringLiteral("NIP Osoby Fizycznej *"), edNipOsFiz);
    auto* address = new QLabel(QStringLiteral("Adres:"), gbOsobaFizyczna);
    QFont bold = address->font();
    bold.setBold(true);
    address->setFont(bold);
    g->addWidget(address, 4, 0);
    pair(5, 0, QStringLiteral("Miejscowość"), edMiejscowoscAG);
    pair(5, 1, QStringLiteral("Ulica"), edUlicaAG);
    auto* flat = new QLabel(QStringLiteral("/*"));
    pair(6, 0, QStringLiteral("Nr"), inLine({edNrDomuAG, flat, edNrLokaluAG}, gbOsobaFizyczna));
    pair(6, 1, QStringLiteral("Kod pocztowy"), meKodPocztowyAG);
    pair(7, 1, QStringLiteral("Poczta"), edPocztaAG);

    identity_ = std::make_unique<IdentityRules>(cbObywatelstwoAg, cbRodzajDokAg, lblNrDokumentu,
                                                dictionary.RodzajeDokumentow);
}

int AgentPage::activity() const {
    return activityGroup_->checkedId();
}

bool AgentPage::isNaturalPerson() const {
    return cbFormaPrawna->currentText() == kOsobaFizyczna;
}

void AgentPage::applyActivity() {
    const bool exempt = activity() == 1;
    cbDzialalnoscPodstawowa->setEnabled(exempt);
    edInnaDzialalnosc->setEnabled(exempt && cbDzialalnoscPodstawowa->currentText() == kInne);
}

void AgentPage::WykreslenieAG() {
    for (QWidget* w : group()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        w->setVisible(deletionKeeps_.contains(w));
    gbOsobaFizyczna->hide();
}

void AgentPage::Odmaluj() {
    for (QWidget* w : group()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        w->show();
    gbOsobaFizyczna->hide();
}

void AgentPage::layoutForKind(int applicationKind, const QString& typWniosku) {
    QPalette palette = lblRodzajOp->palette();
    palette.setColor(QPalette::WindowText, kindColour(applicationKind));
    lblRodzajOp->setPalette(palette);
    lblRodzajOp->setText(typWniosku);
    if (applicationKind == 2) {
        WykreslenieAG();
        return;
    }
    Odmaluj();
    const bool update = applicationKind == 1;
    lblNrWRaAg->setVisible(update);
    edID_Agenta->setVisible(update);
    gbOsobaFizyczna->setVisible(isNaturalPerson());
}

void AgentPage::showAgent(const TRecAgenta& agent, int applicationKind, const QString& typWniosku) {
    const Showing showing(*this);
    // The register number's mask is the agent's own, never the one a former agent left.
    const int registerKind =
        cbRodzajRejestru->findText(forms::qt(agent.RodzajRejestru.view()), Qt::MatchExactly);
    cbRodzajRejestru->setCurrentIndex(registerKind);
    maskRegisterNumber();
    fields_.show(agent);
    identity_->showStored(agent.RodzajDokumentuOsFizAgenta.isEmpty()
                              ? QString()
                              : forms::qt(agent.RodzajDokumentuOsFizAgenta.view()));
    if (const auto* agent2 = dynamic_cast<const TRecAgenta2*>(&agent))
        forms::showField(edLiczba, agent2->Liczba_czl_zarzadu);
    else
        edLiczba->clear();
    const int position = forms::qt(agent.ZWOLNIONY.view()).toInt();
    if (QAbstractButton* radio = activityGroup_->button(position))
        radio->setChecked(true);
    else if (QAbstractButton* none = activityGroup_->checkedButton()) {
        activityGroup_->setExclusive(false);
        none->setChecked(false);
        activityGroup_->setExclusive(true);
    }

    layoutForKind(applicationKind, typWniosku);
    lblLiczba->setVisible(applicationKind != 2 && !isNaturalPerson());
    edLiczba->setVisible(applicationKind != 2 && !isNaturalPerson());
    applyActivity();
}

void AgentPage::newForm(int applicationKind, const QString& typWniosku) {
    const Showing showing(*this);
    for (QLineEdit* e : findChildren<QLineEdit*>())
        if (!e->parentWidget()->inherits("QComboBox")) e->clear();
    cbDzialalnoscPodstawowa->setCurrentIndex(-1);
    cbFormaPrawna->setCurrentIndex(cbFormaPrawna->findText(kSpolkaSA, Qt::MatchExactly));
    cbRodzajRejestru->setCurrentIndex(cbRodzajRejestru->findText(kKrs, Qt::MatchExactly));
    maskRegisterNumber();
    edNrEwidencyjny->clear();
    lblLiczba->show();
    edLiczba->show();
    cbObywatelstwoAg->setCurrentIndex(cbObywatelstwoAg->findText(kPolskie, Qt::MatchExactly));
    identity_->citizenshipChanged();
    if (QAbstractButton* none = activityGroup_->button(0)) none->setChecked(true);
    layoutForKind(applicationKind, typWniosku);
    applyActivity();
}

}  // namespace tavik
