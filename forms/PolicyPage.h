#pragma once

#include <map>
#include <string>

#include "forms/RecordPage.h"
#include "model/Recdata.h"

namespace tavik {

class ReadSlownik;

// The policy page: a liability policy of the agent with its insurer, sum and validity.
class PolicyPage : public RecordPage {
    Q_OBJECT
public:
    // The insurers' names in the order of the undertaking list, each carrying its code.
    PolicyPage(const ReadSlownik& undertakings, QWidget* parent = nullptr);

    // A version-3 policy names its insurer by code: the name the list gives is shown and written
    // into the record; a code the list does not know is shown as it is and the record keeps its
    // name. An older policy shows its insurer's name.
    void showPolicy(TRecPolisaOC& policy, const std::map<std::string, std::string>& insurerNames);
    void newForm();
    // The page's values into a policy: the chosen insurer's code and name.
    void take(TRecPolisaOC& policy) const;

    // The code of the chosen insurer; the shown policy's own code while it names an insurer the
    // list lacks and no other is chosen; "-1" when none is chosen.
    std::string chosenInsurerCode() const;

    QLineEdit* edPolisaID;
    QComboBox* cbNazwaZakladu;
    QLineEdit* edSumaUbezpieczenia;
    QLineEdit* meWaznyOd;
    QToolButton* sbWaznyOd;
    QLineEdit* meWaznyDo;
    QToolButton* sbWaznyDo;

private:
    void chooseInsurer(const QString& name);

    std::string unknownCode_;
};

}  // namespace tavik
