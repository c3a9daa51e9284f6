#pragma once

#include <QList>

#include "forms/FieldBindings.h"
#include "forms/RecordPage.h"
#include "model/Recdata.h"

class QButtonGroup;
class QCheckBox;
class QDateEdit;

namespace tavik {

struct DeletionReasonsView;

// The common ground of the response window's pages: read-only controls in a titled group. A
// control named "me…" is a masked edit, which an empty field leaves as it was.
class ResponsePage : public RecordPage {
    Q_OBJECT
public:
    using RecordPage::RecordPage;

protected:
    QLineEdit* shown(const QString& name);
    QPlainTextEdit* shownMemo(const QString& name);
    // Label and control pairs, two to a row, from `row` on; the row after the last is returned.
    int addPairs(int row, std::initializer_list<std::pair<QString, QWidget*>> pairs);
    // Fields one to a row, the dates of a period ("me…") side by side.
    template <class R>
    struct ShownField {
        Field R::*field;
        const char* name;
        const char* label;
    };
    template <class R>
    void addFields(FieldBindings<R>& bindings, std::initializer_list<ShownField<R>> fields) {
        int row = 0, datePair = 0;
        for (const ShownField<R>& f : fields) {
            QLineEdit* control = shown(QString::fromUtf8(f.name));
            bindings.bind(f.field, control);
            placeField(row, datePair, f.label, control);
        }
    }
    void placeField(int& row, int& datePair, const char* label, QWidget* control);
    // A button the clerk reads but cannot change.
    static void readOnly(QAbstractButton* button);
};

// Page 0: the response itself and, for an agent the register struck out, the reasons.
class ResponseHeaderPage : public ResponsePage {
    Q_OBJECT
public:
    explicit ResponseHeaderPage(QWidget* parent = nullptr);
    void show(const TRecOdpowiedz& header);
    void clear();

    QLineEdit* edTypWniosku;
    QLabel* Kod;
    QLineEdit* edNrOdpowiedzi;
    QLabel* NazwaZU;
    QPlainTextEdit* edKomentarz;
    QLineEdit* edDataWn;
    QGroupBox* GroupBox5;
    QCheckBox *CheckBox1, *CheckBox2, *CheckBox3, *CheckBox4;
    QLabel* Label48;
    QDateEdit* DataWykreslenia;

private:
    void showReasons(const DeletionReasonsView& reasons, const Field& date);

    FieldBindings<TRecOdpowiedz> fields_;
};

// Page 1: the agent as the register answered about it.
class ResponseAgentPage : public ResponsePage {
    Q_OBJECT
public:
    explicit ResponseAgentPage(QWidget* parent = nullptr);
    void show(const TRecAgentOdp& agent);
    void clear();

    QLabel* lblRodzajOp;
    QLineEdit *edStatusAg, *edNumerWZUAg, *edID_Agenta, *edNazwaAgenta, *edFormaPrawna,
        *edRodzajRejestru, *edNrEwidencyjny, *edNIPAg;
    QLineEdit *edMiejscowoscSiedziba, *edUlicaSiedziba, *edNrDomuSiedziba, *edNrLokaluSiedziba,
        *meKodPocztowySiedziba, *edPocztaSiedziba;
    QGroupBox* rgDzialalnoscOdp;
    QLineEdit *edDzialalnoscPodstawowa, *edInnaDzialalnosc;
    QGroupBox* GBOsobaFizyczna;
    QLineEdit *edImieAG, *edImie2AG, *edNazwiskoAG, *edNazwisko2AG, *edObywatelstwoAg,
        *edRodzajDokAg, *edNrDokumentu, *edNipOsFiz;
    QLabel* lblNrDokumentu;
    QLineEdit *edMiejscowoscAG, *edUlicaAG, *edNrDomuAG, *edNrLokaluAG, *meKodPocztowyAG,
        *edPocztaAG;

    // The ticked activity item, -1 for none.
    int activity() const;

private:
    void buildPersonGroup();
    void setActivity(int item);
    // What follows the shown values: the person's group, the number's label.
    void followShownValues();

    FieldBindings<TRecAgentOdp> fields_;
    QButtonGroup* activities_;
};

// Pages 2 and 3: a board member or an employee as the register answered; one design, two sets
// of control names.
class ResponsePersonPage : public ResponsePage {
    Q_OBJECT
public:
    enum class Kind { Zarzad, Pracownik };
    explicit ResponsePersonPage(Kind kind, QWidget* parent = nullptr);
    void show(const TRecOsoba& person, const ResponseMembers& answer);
    void clear();

    QLineEdit* status;  // edStatusZarz / edRodzajOpPR
    QLineEdit* documentKind;
    QLabel* numberLabel;  // Label33 / lblSNDocPESEL
    QLineEdit* postalCode;

private:
    FieldBindings<TRecOsoba> fields_;
};

// Page 4: a power of attorney.
class ResponsePowerOfAttorneyPage : public ResponsePage {
    Q_OBJECT
public:
    explicit ResponsePowerOfAttorneyPage(QWidget* parent = nullptr);
    void show(const TRecPelnomocnictwo& power) { fields_.showAnswer(power); }
    void clear() { fields_.clear(); }

private:
    FieldBindings<TRecPelnomocnictwo> fields_;
};

// Page 5: a liability policy.
class ResponsePolicyPage : public ResponsePage {
    Q_OBJECT
public:
    explicit ResponsePolicyPage(QWidget* parent = nullptr);
    void show(const TRecPolisaOC& policy) { fields_.showAnswer(policy); }
    void clear() { fields_.clear(); }

private:
    FieldBindings<TRecPolisaOC> fields_;
};

}  // namespace tavik
