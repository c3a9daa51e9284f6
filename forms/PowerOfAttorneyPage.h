#pragma once

#include "forms/FieldBindings.h"
#include "forms/RecordPage.h"
#include "model/Recdata.h"

namespace tavik {

class DictionaryList;
class Slownik;

// The power-of-attorney page: the insurance group the agent may sell in the undertaking's
// division, with its limits and validity.
class PowerOfAttorneyPage : public RecordPage {
    Q_OBJECT
public:
    // The division is the undertaking's, as the settings name it; the first or the second
    // division of the dictionary selects the list of groups.
    PowerOfAttorneyPage(const Slownik& dictionary, const QString& division,
                        QWidget* parent = nullptr);

    void showPower(const TRecPelnomocnictwo& power);
    void newForm();
    void take(TRecPelnomocnictwo& power) const;
    // The insurance kind is for agents exempt from the activity rules only.
    void allowInsuranceKind(bool allowed);

    QLineEdit* edRodzajUbezpieczenia;
    QLineEdit* edObszarDzialalnosci;
    QLineEdit* edMaxKwota;
    QComboBox* cbWaluta;
    QLineEdit* edDzialUbezpieczen;
    QComboBox* cbNazwaGrupyUbezpieczen;
    QLineEdit* meWazneOd;
    QToolButton* sbWaznyOdPE;
    QLineEdit* meWazneDo;
    QToolButton* sbWaznyDoPE;

private:
    void groupChosen();

    FieldBindings<TRecPelnomocnictwo> fields_;
};

}  // namespace tavik
