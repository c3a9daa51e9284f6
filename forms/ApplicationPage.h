#pragma once

#include <cstdint>

#include "document/TreeNode.h"
#include "forms/RecordPage.h"
#include "model/Recdata.h"

class QCheckBox;
class QDateEdit;

namespace tavik {

class Slownik;

// The application page: the kind, the date, the number and the comment of an application, and
// for a deletion the date the agency contract ended and the reasons for it.
class ApplicationPage : public RecordPage {
    Q_OBJECT
public:
    ApplicationPage(const Slownik& dictionary, QWidget* parent = nullptr);

    // The undertaking's code and name, as the application's labels show them.
    void showUndertaking(const QString& code, const QString& name);
    // Shows an application; for a deletion, the end of the contract and the reasons.
    void showApplication(const TRecWniosek& application, const DeletionExtras& deletion);
    // The blank form of a new application: the first kind, the number, today's date.
    void newForm(int number);

    // The page's values into an application; the kind's position in RodzajWniosku.
    void take(TRecWniosek& application) const;
    // The agent's fields of a deletion: the contract's end as dd.mm.yyyy and the reasons, both
    // "<E>" while the date is not ticked.
    DeletionExtras deletion() const;

    int kindIndex() const;
    bool isDeletionChosen() const;
    // The four reasons, one byte each: the first reason in the lowest byte; 0xFF ticked.
    std::uint32_t reasons() const;
    void setReasons(std::uint32_t value);
    // The reasons as an agent stores them: eight upper-case hexadecimal digits, "<E>" for none.
    static std::string reasonsField(std::uint32_t value);
    static std::uint32_t reasonsFromField(const Field& field);

    QLabel* Kod;
    QLabel* NazwaZU;
    QComboBox* cbRodzajWn;
    QLineEdit* edDataWn;
    QToolButton* sbDataWn;
    QLineEdit* edNrWniosku;
    QPlainTextEdit* edKomentarz;
    QLabel* lblDataWykreslenia;
    QCheckBox* cbDataWykreslenia;  // the tick box of the date
    QDateEdit* DataWykreslenia;
    QGroupBox* gbPrzyczyny;
    QCheckBox* CheckBox1;
    QCheckBox* CheckBox2;
    QCheckBox* CheckBox3;
    QCheckBox* CheckBox4;

    // Deletion extras: visible for "WYKREŚLENIE" only; the reasons only while the date is ticked.
    void updateDeletionExtras();
};

}  // namespace tavik
