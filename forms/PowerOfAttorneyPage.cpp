#include "forms/PowerOfAttorneyPage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include "dictionary/Slownik.h"
#include "forms/FieldControls.h"

namespace tavik {

namespace {

const DictionaryList* groupsOf(const Slownik& dictionary, const QString& division) {
    const auto& divisions = dictionary.RodzajeUbezpieczen;
    for (std::size_t i = 0; i < divisions.size() && i < 2; ++i)
        if (forms::qt(divisions[i]->Nazwa) == division)
            return i == 0 ? &dictionary.GrupyDzial1 : &dictionary.GrupyDzial2;
    return nullptr;
}

}  // namespace

PowerOfAttorneyPage::PowerOfAttorneyPage(const Slownik& dictionary, const QString& division,
                                         QWidget* parent)
    : RecordPage(QStringLiteral("tbshPelnomoc"), QStringLiteral(" Dane Pełnomocnictwa"), parent) {
    edRodzajUbezpieczenia = edit(QStringLiteral("edRodzajUbezpieczenia"), 100);
    edObszarDzialalnosci = edit(QStringLiteral("edObszarDzialalnosci"), 200);
    edMaxKwota = edit(QStringLiteral("edMaxKwota"), 13);
    cbWaluta = comboEditable(QStringLiteral("cbWaluta"), 3);
    forms::fillCombo(cbWaluta, dictionary.Waluty);
    cbWaluta->setMinimumContentsLength(5);
    edDzialUbezpieczen = edit(QStringLiteral("edDzialUbezpieczen"), 0, false);
    edDzialUbezpieczen->setReadOnly(true);
    edDzialUbezpieczen->setText(division);
    edDzialUbezpieczen->setCursorPosition(0);
    edDzialUbezpieczen->setToolTip(division);
    cbNazwaGrupyUbezpieczen = comboList(QStringLiteral("cbNazwaGrupyUbezpieczen"));
    if (const DictionaryList* groups = groupsOf(dictionary, division)) {
        forms::fillCombo(cbNazwaGrupyUbezpieczen, *groups);
        // Long names are read whole in the hint, and in the open list as every list's entries.
        for (int i = 0; i < cbNazwaGrupyUbezpieczen->count(); ++i)
            cbNazwaGrupyUbezpieczen->setItemData(i, cbNazwaGrupyUbezpieczen->itemText(i),
                                                 Qt::ToolTipRole);
    }
    cbNazwaGrupyUbezpieczen->setMinimumContentsLength(30);
    meWazneOd = maskedEdit(QStringLiteral("meWazneOd"), forms::masks::kDateFrom);
    sbWaznyOdPE = dateButton(QStringLiteral("sbWaznyOdPE"), meWazneOd);
    meWazneDo = maskedEdit(QStringLiteral("meWazneDo"), forms::masks::kDateTo);
    sbWaznyDoPE = dateButton(QStringLiteral("sbWaznyDoPE"), meWazneDo);

    addRow(0, QStringLiteral("Rodzaj ubezpieczenia"), edRodzajUbezpieczenia);
    addRow(1, QStringLiteral("Obszar działalności"), edObszarDzialalnosci);
    addPair(2, 0, QStringLiteral("Maksymalna suma ubezpieczenia"), edMaxKwota);
    addPair(2, 1, QStringLiteral("Waluta"), cbWaluta);
    // The division's and the groups' names are long: each takes the whole width under its label.
    addWide(3, QStringLiteral("Nazwa działu ubezpieczeń"), edDzialUbezpieczen);
    addWide(5, QStringLiteral("Nazwa grupy ubezpieczeń"), cbNazwaGrupyUbezpieczen);
    addPair(7, 0, QStringLiteral("Ważne od"), inLine({meWazneOd, sbWaznyOdPE}, group()));
    addPair(7, 1, QStringLiteral("Ważne do"), inLine({meWazneDo, sbWaznyDoPE}, group()));

    connect(cbNazwaGrupyUbezpieczen, &QComboBox::currentIndexChanged, this,
            &PowerOfAttorneyPage::groupChosen);
    // The division is the undertaking's, shown from the settings; the rest is the record's.
    fields_.bind(&TRecPelnomocnictwo::RodzajUbezpieczenia, edRodzajUbezpieczenia);
    fields_.bind(&TRecPelnomocnictwo::ObszarDzialalnosci, edObszarDzialalnosci);
    fields_.bind(&TRecPelnomocnictwo::MaksKwotaUbezpieczenia, edMaxKwota);
    fields_.bind(&TRecPelnomocnictwo::Waluta, cbWaluta);
    fields_.bind(&TRecPelnomocnictwo::NazwaGrupy, cbNazwaGrupyUbezpieczen);
    fields_.bind(&TRecPelnomocnictwo::WazneOd, meWazneOd);
    fields_.bind(&TRecPelnomocnictwo::WazneDo, meWazneDo);
}

void PowerOfAttorneyPage::groupChosen() {
    cbNazwaGrupyUbezpieczen->setToolTip(cbNazwaGrupyUbezpieczen->currentText());
}

void PowerOfAttorneyPage::allowInsuranceKind(bool allowed) {
    edRodzajUbezpieczenia->setEnabled(allowed);
    if (!allowed) {
        const Showing showing(*this);
        edRodzajUbezpieczenia->clear();
    }
}

void PowerOfAttorneyPage::showPower(const TRecPelnomocnictwo& power) {
    const Showing showing(*this);
    fields_.show(power);
    groupChosen();
}

void PowerOfAttorneyPage::take(TRecPelnomocnictwo& power) const {
    fields_.take(power);
    power.NazwaDzialu = forms::takeField(edDzialUbezpieczen);
}

void PowerOfAttorneyPage::newForm() {
    const Showing showing(*this);
    edRodzajUbezpieczenia->clear();
    edObszarDzialalnosci->clear();
    edMaxKwota->clear();
    cbWaluta->setCurrentIndex(-1);
    cbWaluta->setEditText({});
    cbNazwaGrupyUbezpieczen->setCurrentIndex(-1);
    meWazneOd->clear();
    meWazneDo->clear();
    groupChosen();
}

}  // namespace tavik
