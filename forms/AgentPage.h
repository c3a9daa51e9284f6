#pragma once

#include <memory>

#include "forms/FieldBindings.h"
#include "forms/IdentityRules.h"
#include "forms/RecordPage.h"
#include "model/Recdata.h"

class QButtonGroup;
class QRadioButton;

namespace tavik {

class Slownik;

// The agent page: the agent of an application, a company or a natural person, laid out by the
// kind of its application (a deletion shows only the agent's name and numbers).
class AgentPage : public RecordPage {
    Q_OBJECT
public:
    AgentPage(const Slownik& dictionary, QWidget* parent = nullptr);

    // The layout of an application's kind (0 entry, 1 update, 2 deletion) and its type text.
    void layoutForKind(int applicationKind, const QString& typWniosku);
    void showAgent(const TRecAgenta& agent, int applicationKind, const QString& typWniosku);
    // The blank form: the kind's layout, the usual legal form, register, citizenship, document.
    void newForm(int applicationKind, const QString& typWniosku);

    // Every field of both groups, the activity's position in "ZWOLNIONY".
    void take(TRecAgenta& agent) const;

    // The activity's position: 0 none, 1 exempt ("Zwolniony"), 2 bank, 3 credit union.
    int activity() const;
    // After the clerk chose another activity and it was allowed: anything but "Zwolniony"
    // disables and clears the main and the other activity.
    void activityAccepted();
    // Puts the activity back when the clerk does not allow its consequences.
    void setActivity(int position);
    // Enables the controls the activity allows (the insurance kind of powers of attorney is the
    // power-of-attorney page's).
    void applyActivity();
    bool isNaturalPerson() const;

    // " Dane Agenta"
    QLabel* lblRodzajOp;
    QComboBox* cbFormaPrawna;
    QLineEdit* edNumerWZUAg;
    QLabel* lblNrWRaAg;
    QLineEdit* edID_Agenta;
    QLineEdit* edNazwaAgenta;
    QLineEdit* edMiejscowoscSiedziba;
    QLineEdit* edUlicaSiedziba;
    QLineEdit* edNrDomuSiedziba;
    QLineEdit* edNrLokaluSiedziba;
    QLineEdit* meKodPocztowySiedziba;
    QLineEdit* edPocztaSiedziba;
    QLineEdit* edNIPAg;
    QComboBox* cbRodzajRejestru;
    QLabel* lblNrzRejestru;
    QLineEdit* edNrEwidencyjny;
    QGroupBox* rgDzialalnosc;
    QComboBox* cbDzialalnoscPodstawowa;
    QLineEdit* edInnaDzialalnosc;
    QLabel* lblLiczba;
    QLineEdit* edLiczba;
    // " Dane os. fizycznej"
    QGroupBox* gbOsobaFizyczna;
    QLineEdit* edImieAG;
    QLineEdit* edImie2AG;
    QLineEdit* edNazwiskoAG;
    QLineEdit* edNazwisko2AG;
    QComboBox* cbObywatelstwoAg;
    QComboBox* cbRodzajDokAg;
    QLabel* lblNrDokumentu;
    QLineEdit* edNrDokumentu;
    QLineEdit* edNipOsFiz;
    QLineEdit* edMiejscowoscAG;
    QLineEdit* edUlicaAG;
    QLineEdit* edNrDomuAG;
    QLineEdit* edNrLokaluAG;
    QLineEdit* meKodPocztowyAG;
    QLineEdit* edPocztaAG;

    IdentityRules& identity() { return *identity_; }

signals:
    // The clerk chose an activity; the window decides on its consequences.
    void activityChosen(int position);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildAgentGroup(const Slownik& dictionary);
    void bindFields();
    void connectRules();
    void legalFormChanged();
    void registerKindChanged();
    // The register number takes the NIP mask for the tax register, none for any other.
    void maskRegisterNumber();
    void mainActivityChanged();
    void buildPersonGroup(const Slownik& dictionary);
    // WykreslenieAG: only the name and the numbers; Odmaluj: everything of the agent again.
    void WykreslenieAG();
    void Odmaluj();

    // Every field but the document kind, the activity and the board size, which have rules.
    FieldBindings<TRecAgenta> fields_;
    QButtonGroup* activityGroup_;
    std::unique_ptr<IdentityRules> identity_;
    QList<QWidget*> deletionKeeps_;  // what a deletion still shows
};

}  // namespace tavik
