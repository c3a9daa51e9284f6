#pragma once

#include <memory>

#include "forms/FieldBindings.h"
#include "forms/IdentityRules.h"
#include "forms/RecordPage.h"
#include "model/Recdata.h"

namespace tavik {

class Slownik;

// The employee page and the board member page: one design, two sets of names and texts.
class PersonPage : public RecordPage {
    Q_OBJECT
public:
    enum class Kind { Pracownik, Zarzad };

    PersonPage(Kind kind, const Slownik& dictionary, QWidget* parent = nullptr);

    Kind kind() const { return kind_; }
    void showPerson(const TRecOsoba& person);
    // Every field of the page into a person.
    void take(TRecOsoba& person) const;
    // The blank form: the first operation, Polish citizenship, an identity card.
    void newForm();
    // The layout of the chosen operation: a deletion keeps only the operation, the numbers and
    // the document; "Numer w RA" is shown for an update and a deletion.
    void layoutForOperation();

    QComboBox* operation;  // cbRodzajOpPR / cbRodzajOpZarz
    QLineEdit* numerWZU;
    QLineEdit* numerWRA;
    QLineEdit* nazwisko;
    QLineEdit* nazwisko2;
    QLineEdit* imie;
    QLineEdit* imie2;
    QLineEdit* nazwiskoRodowe;
    QLineEdit* imieOjca;
    QLineEdit* imieMatki;
    QComboBox* plec;
    QComboBox* obywatelstwo;
    QComboBox* wyksztalcenie;
    QLineEdit* numerZezwolenia;
    QComboBox* rodzajDokumentu;
    QLabel* numberLabel;
    QLineEdit* pesel;
    QLineEdit* nip;
    QLineEdit* miejscowosc;
    QLineEdit* ulica;
    QLineEdit* numerDomu;
    QLineEdit* numerLokalu;
    QLineEdit* kodPocztowy;
    QLineEdit* poczta;

    IdentityRules& identity() { return *identity_; }

private:
    void colourOperation();

    Kind kind_;
    FieldBindings<TRecOsoba> fields_;  // all but the document kind, which follows its rules
    std::unique_ptr<IdentityRules> identity_;
    QLabel* numerWRALabel_ = nullptr;
    QList<QWidget*> deletionKeeps_;
};

}  // namespace tavik
