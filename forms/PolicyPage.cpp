#include "forms/PolicyPage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include "dictionary/ReadSlownik.h"
#include "forms/FieldControls.h"

namespace tavik {

PolicyPage::PolicyPage(const ReadSlownik& undertakings, QWidget* parent)
    : RecordPage(QStringLiteral("tbshPolisa"), QStringLiteral(" Dane Polisy"), parent) {
    edPolisaID = edit(QStringLiteral("edPolisaID"), 25);
    cbNazwaZakladu = comboList(QStringLiteral("cbNazwaZakladu"));
    for (const auto& entry : undertakings.entries())
        cbNazwaZakladu->addItem(forms::qt(entry->Nazwa), forms::qt(entry->Kod));
    cbNazwaZakladu->setCurrentIndex(-1);
    edSumaUbezpieczenia = edit(QStringLiteral("edSumaUbezpieczenia"), 13);
    meWaznyOd = maskedEdit(QStringLiteral("meWaznyOd"), forms::masks::kDateFrom);
    sbWaznyOd = dateButton(QStringLiteral("sbWaznyOd"), meWaznyOd);
    meWaznyDo = maskedEdit(QStringLiteral("meWaznyDo"), forms::masks::kDateTo);
    sbWaznyDo = dateButton(QStringLiteral("sbWaznyDo"), meWaznyDo);

    addRow(0, QStringLiteral("Seria i numer polisy"), edPolisaID);
    addRow(1, QStringLiteral("Nazwa zakładu ubezpieczeniowego"), cbNazwaZakladu);
    addRow(2, QStringLiteral("Suma ubezpieczenia (PLN)"), edSumaUbezpieczenia);
    addPair(3, 0, QStringLiteral("Ważne od"), inLine({meWaznyOd, sbWaznyOd}, group()));
    addPair(3, 1, QStringLiteral("Ważne do"), inLine({meWaznyDo, sbWaznyDo}, group()));
}

void PolicyPage::chooseInsurer(const QString& name) {
    const int at = cbNazwaZakladu->findText(name, Qt::MatchExactly);
    cbNazwaZakladu->setCurrentIndex(at);
    // A name the list lacks is still shown, as the text of no entry.
    cbNazwaZakladu->setPlaceholderText(at < 0 ? name : QString());
}

void PolicyPage::showPolicy(TRecPolisaOC& policy,
                            const std::map<std::string, std::string>& insurerNames) {
    const Showing showing(*this);
    unknownCode_.clear();
    if (auto* policy3 = dynamic_cast<TRecPolisaOC3*>(&policy)) {
        const auto found = insurerNames.find(policy3->Kod_ZU.str());
        if (found != insurerNames.end()) {
            policy3->Nazwa_zakladu = found->second;
            chooseInsurer(forms::qt(found->second));
        } else {
            if (!policy3->Kod_ZU.isEmpty()) unknownCode_ = policy3->Kod_ZU.str();
            chooseInsurer(policy3->Kod_ZU.isEmpty() ? QString()
                                                    : forms::qt(policy3->Kod_ZU.view()));
        }
    } else {
        chooseInsurer(policy.Nazwa_zakladu.isEmpty() ? QString()
                                                     : forms::qt(policy.Nazwa_zakladu.view()));
    }
    forms::showField(edPolisaID, policy.ID_PolisyOC);
    forms::showField(edSumaUbezpieczenia, policy.Suma_ubezpieczenia);
    forms::showField(meWaznyOd, policy.WazneOd);
    forms::showField(meWaznyDo, policy.WazneDo);
}

void PolicyPage::newForm() {
    const Showing showing(*this);
    unknownCode_.clear();
    edPolisaID->clear();
    chooseInsurer({});
    edSumaUbezpieczenia->clear();
    meWaznyOd->clear();
    meWaznyDo->clear();
}

void PolicyPage::take(TRecPolisaOC& policy) const {
    policy.ID_PolisyOC = forms::takeField(edPolisaID);
    policy.Suma_ubezpieczenia = forms::takeField(edSumaUbezpieczenia);
    policy.WazneOd = forms::takeField(meWaznyOd);
    policy.WazneDo = forms::takeField(meWaznyDo);
    // A policy of an older file has no code: it keeps the insurer by name.
    if (auto* policy3 = dynamic_cast<TRecPolisaOC3*>(&policy))
        policy3->Kod_ZU = chosenInsurerCode();
    // A code the list lacks stays shown as the placeholder: the record keeps its name then.
    if (cbNazwaZakladu->currentIndex() >= 0)
        policy.Nazwa_zakladu = forms::cp1250Of(cbNazwaZakladu->currentText());
}

std::string PolicyPage::chosenInsurerCode() const {
    if (cbNazwaZakladu->currentIndex() < 0) return unknownCode_.empty() ? "-1" : unknownCode_;
    return forms::cp1250Of(cbNazwaZakladu->currentData().toString());
}

}  // namespace tavik
