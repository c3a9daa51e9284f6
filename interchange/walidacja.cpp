#include "interchange/walidacja.h"

#include <string>

#include "model/Cp1250.h"

namespace tavik {

namespace {

constexpr bool R = true;   // required
constexpr bool O = false;  // optional

void text(int& code, Field& field, std::string_view name, int minimum, int maximum, bool required) {
    SprawdzPole(code, &field, name, minimum, maximum, FieldKind::Text, required);
}

void number(int& code, Field& field, std::string_view name, int minimum, int maximum,
            bool required) {
    SprawdzPole(code, &field, name, minimum, maximum, FieldKind::Number, required);
}

void date(int& code, Field& field, std::string_view name, int minimum, int maximum, bool required) {
    SprawdzPole(code, &field, name, minimum, maximum, FieldKind::Date, required);
}

void reset(Field& field) {
    field = texts::EMPTY.view();
}

// Runs the checks of one record and appends the record's description to any failure. The
// description is built only then, from the record as the checks left it.
template <class Checks, class Description>
void describingFailures(Checks&& checks, Description&& description) {
    try {
        checks();
    } catch (WalidationErr& e) {
        e.setMessage(e.message() + description());
        throw;
    }
}

// ---- Agent ------------------------------------------------------------------------------

using AgentField = Field TRecAgenta::*;

// The natural person's own data: what a company agent and a deletion do not carry.
constexpr AgentField kPersonFields[] = {
    &TRecAgenta::PESEL,
    &TRecAgenta::RodzajDokumentuOsFizAgenta,
    &TRecAgenta::Nazwisko,
    &TRecAgenta::Nazwisko2,
    &TRecAgenta::Imie,
    &TRecAgenta::Imie2,
    &TRecAgenta::Miejscowosc,
    &TRecAgenta::Ulica,
    &TRecAgenta::NrDomu,
    &TRecAgenta::NrLokalu,
    &TRecAgenta::KodPocztowy,
    &TRecAgenta::Poczta,
    &TRecAgenta::NIP_Osoby_Fizycznej,
};

// What a deletion drops besides the person's data. "Ulica_SiedzibaAgenta" stays.
constexpr AgentField kDeletionFields[] = {
    &TRecAgenta::RodzajRejestru,
    &TRecAgenta::FormaPrawna,
    &TRecAgenta::NIP_AGENTA,
    &TRecAgenta::Miejscowosc_SiedzibaAgenta,
    &TRecAgenta::NrDomu_SiedzibaAgenta,
    &TRecAgenta::NrLokalu_SiedzibaAgenta,
    &TRecAgenta::KodPocztowy_SiedzibaAgenta,
    &TRecAgenta::Poczta_SiedzibaAgenta,
    &TRecAgenta::DzialalnoscPodstawowa,
    &TRecAgenta::InnaDzialalnosc,
    &TRecAgenta::ZWOLNIONY,
};

struct PersonRow {
    AgentField field;
    std::string_view name;
    int minimum, maximum;
    bool requiredOnEntry;  // an update leaves every one of them optional
};

constexpr PersonRow kPersonRowsBeforeDocument[] = {
    {&TRecAgenta::Imie, "Imie", 2, 24, R},
    {&TRecAgenta::Imie2, "Imie2", 2, 24, O},
    {&TRecAgenta::Nazwisko, "Nazwisko", 2, 28, R},
    {&TRecAgenta::Nazwisko2, "Nazwisko2", 2, 28, O},
    {&TRecAgenta::Obywatelstwo, "Obywatelstwo", 2, 100, R},
    {&TRecAgenta::RodzajDokumentuOsFizAgenta, "RodzajDokumentuOsFizAgenta", 2, 50, R},
};

constexpr PersonRow kPersonRowsAfterNip[] = {
    {&TRecAgenta::Miejscowosc, "Miejscowosc", 2, 50, R},
    {&TRecAgenta::Ulica, "Ulica", 2, 50, R},
    {&TRecAgenta::NrDomu, "NrDomu", 1, 20, R},
    {&TRecAgenta::NrLokalu, "NrLokalu", 1, 20, O},
    {&TRecAgenta::KodPocztowy, "KodPocztowy", 6, 6, R},
    {&TRecAgenta::Poczta, "Poczta", 2, 50, R},
};

void companyNip(int& code, Field& nip) {
    text(code, nip, "NIP AGENTA", 13, 13, O);
    SprawdzNIP(code, nip, true);
}

void registerNumber(int& code, Field& number) {
    text(code, number, "NUMER_W_RA", 10, 10, R);
    SprawdzNrRA(code, number, "/A");
}

void activity(int& code, TRecAgenta& a, int otherActivityMaximum) {
    if (a.ZWOLNIONY.view() != "1") {
        reset(a.DzialalnoscPodstawowa);
        reset(a.InnaDzialalnosc);
        return;
    }
    text(code, a.DzialalnoscPodstawowa, "DzialalnoscPodstawowa", kOwnLength, kOwnLength, R);
    if (a.DzialalnoscPodstawowa.view() == texts::INNE.view())
        text(code, a.InnaDzialalnosc, "InnaDzialalnosc", 2, otherActivityMaximum, R);
    else
        reset(a.InnaDzialalnosc);
}

void naturalPerson(int& code, TRecAgenta& a, bool entry) {
    if (a.FormaPrawna.view() != texts::OSOBA_FIZYCZNA.view()) {
        for (AgentField f : kPersonFields)
            reset(a.*f);
        return;
    }
    for (const PersonRow& row : kPersonRowsBeforeDocument)
        text(code, a.*row.field, row.name, row.minimum, row.maximum, entry && row.requiredOnEntry);
    if (a.RodzajDokumentuOsFizAgenta.view() == texts::DOWOD_OSOBISTY.view())
        number(code, a.PESEL, "PESEL", 11, 11, R);
    else
        text(code, a.PESEL, "Seria/NR", 2, 20, R);
    // An entry mask left untouched means no number, as the forms store it.
    if (a.NIP_Osoby_Fizycznej.view() == texts::NIP_PUSTA_MASKA.view()) {
        reset(a.NIP_Osoby_Fizycznej);
    } else {
        text(code, a.NIP_Osoby_Fizycznej, "NIP Osoby Fizycznej", 13, 13, O);
        SprawdzNIP(code, a.NIP_Osoby_Fizycznej, false);
    }
    for (const PersonRow& row : kPersonRowsAfterNip)
        text(code, a.*row.field, row.name, row.minimum, row.maximum, entry && row.requiredOnEntry);
}

void agentEntry(int& code, TRecAgenta& a, Field* boardMembers) {
    text(code, a.FormaPrawna, "FormaPrawna", 2, 50, R);
    companyNip(code, a.NIP_AGENTA);
    text(code, a.Miejscowosc_SiedzibaAgenta, "Miejscowosc_SiedzibaAgenta", 2, 50, R);
    text(code, a.Ulica_SiedzibaAgenta, "Ulica_SiedzibaAgenta", 2, 50, R);
    text(code, a.NrDomu_SiedzibaAgenta, "NrDomu_SiedzibaAgenta", 1, 20, R);
    text(code, a.NrLokalu_SiedzibaAgenta, "NrLokalu_SiedzibaAgenta", 1, 20, O);
    text(code, a.KodPocztowy_SiedzibaAgenta, "KodPocztowy_SiedzibaAgenta", 6, 6, R);
    text(code, a.Poczta_SiedzibaAgenta, "Poczta_SiedzibaAgenta", 2, 50, R);
    text(code, a.RodzajRejestru, "RodzajRejestru", 2, 50, R);
    text(code, a.Numer_z_Rejestru, "Numer_z_Rejestru", 2, 30, R);
    if (boardMembers) number(code, *boardMembers, "Liczba_czl_zarzadu", 1, 3, R);
    activity(code, a, 50);
    naturalPerson(code, a, true);
}

void agentUpdate(int& code, TRecAgenta& a) {
    registerNumber(code, a.NUMER_W_RA);
    text(code, a.FormaPrawna, "FormaPrawna", 2, 20, R);
    companyNip(code, a.NIP_AGENTA);
    text(code, a.RodzajRejestru, "RodzajRejestru", 2, 50, O);
    if (a.RodzajRejestru.view() != texts::EMPTY.view())
        text(code, a.Numer_z_Rejestru, "Numer_z_Rejestru", 2, 30, R);
    text(code, a.Miejscowosc_SiedzibaAgenta, "Miejscowosc_SiedzibaAgenta", 2, 30, O);
    text(code, a.Ulica_SiedzibaAgenta, "Ulica_SiedzibaAgenta", 2, 50, O);
    text(code, a.NrDomu_SiedzibaAgenta, "NrDomu_SiedzibaAgenta", 1, 20, O);
    text(code, a.NrLokalu_SiedzibaAgenta, "NrLokalu_SiedzibaAgenta", 1, 20, O);
    text(code, a.KodPocztowy_SiedzibaAgenta, "KodPocztowy_SiedzibaAgenta", 6, 6, O);
    text(code, a.Poczta_SiedzibaAgenta, "Poczta_SiedzibaAgenta", 2, 50, O);
    text(code, a.ZWOLNIONY, "ZWOLNIONY", 1, 3, O);
    activity(code, a, 35);
    naturalPerson(code, a, false);
}

void agentDeletion(int& code, TRecAgenta& a, Field* terminationDate) {
    registerNumber(code, a.NUMER_W_RA);
    text(code, a.Numer_z_Rejestru, "NUMER_Z_REJESTRU", 2, 30, R);
    if (terminationDate) SprawdzDate(code, *terminationDate, "DATA_ROZW_UM_AGENCYJNEJ");
    for (AgentField f : kPersonFields)
        reset(a.*f);
    for (AgentField f : kDeletionFields)
        reset(a.*f);
}

// One check for the three agent versions: the fields a version lacks are null.
void checkAgent(int& code, TRecAgenta* agent, Field* boardMembers, Field* terminationDate) {
    if (!agent) raiseWalidation(code, CODE_NO_AGENT, "Rekord agenta ma wartość NULL!");
    TRecAgenta& a = *agent;
    describingFailures(
        [&] {
            text(code, a.TypRekordu, "TypRekordu", 3, 3, R);
            text(code, a.RodzajOperacji, "RodzajOperacji", 2, 16, R);
            text(code, a.NazwaAgenta, "NazwaAgenta", 2, 100, R);
            if (!a.Wniosek)
                raiseWalidation(code, CODE_NO_APPLICATION,
                                "Agent nie jest przypisany do wniosku: rekord wniosku ma "
                                "wartość NULL!");
            const int kind = a.Wniosek->RodzajWniosku;
            const std::string_view operation = a.RodzajOperacji.view();
            if (kind == 0 && operation == texts::WPIS.view())
                agentEntry(code, a, boardMembers);
            else if (kind == 1 && operation == texts::AKTUALIZACJA.view())
                agentUpdate(code, a);
            else if (kind == 2 && operation == texts::WYKRESLENIE.view())
                agentDeletion(code, a, terminationDate);
            else
                raiseWalidation(code, CODE_OPERATION,
                                "Błędny rodzaj operacji.\n Typ rekordu: AGENT");
        },
        [&] { return "\nTyp rekordu: AGENT\nRodzaj: " + cp1250::toUtf8(a.RodzajOperacji.view()); });
    code = CODE_PASSED;
}

// ---- Employee and board member -----------------------------------------------------------

struct PersonKind {
    std::string_view registerSuffix;
    std::string_view missingRecord;
    std::string_view wrongOperation;
    std::string_view description;  // followed by the record's operation
};

constexpr PersonKind kEmployee{
    "/P",
    "Rekord pracownika ma wartość NULL!",
    "Niewłaściwy rodzaj operacji dla PRACOWNIKA!",
    "\nTyp rekordu: PRACOWNIK\nRodzaj: ",
};
constexpr PersonKind kBoardMember{
    "/C",
    "Rekord członka zarządu ma wartość NULL!",
    "Niewłaściwy rodzaj operacji dla CZŁONKA ZARZĄDU!",
    "\nTyp rekordu: CZŁONEK ZARZĄDU\nRodzaj: ",
};

enum Operation { NEW_PERSON, UPDATE, DELETION };
enum Step : std::uint8_t { REQUIRED, OPTIONAL, RESET, KEEP };

struct PersonStepRow {
    Field TRecOsoba::*field;
    std::string_view name;
    int minimum, maximum;
    Step steps[3];  // by Operation
};

// After the register number and the identity document, in this order. The update names the
// education "Wykształcenie"; messages show it upper-cased, the same either way.
constexpr PersonStepRow kPersonSteps[] = {
    {&TRecOsoba::Nr_zezwolenia, "Nr zezwolenia", 2, 20, {OPTIONAL, OPTIONAL, RESET}},
    {&TRecOsoba::WYKSZTALCENIE, "WYKSZTAŁCENIE", kOwnLength, 50, {REQUIRED, OPTIONAL, KEEP}},
    {&TRecOsoba::Nazwisko, "Nazwisko", 2, 28, {REQUIRED, OPTIONAL, RESET}},
    {&TRecOsoba::Nazwisko_drugi_czlon, "Nazwisko drugi człon", 2, 28, {OPTIONAL, OPTIONAL, RESET}},
    {&TRecOsoba::Imie, "Imie", 2, 24, {REQUIRED, OPTIONAL, RESET}},
    {&TRecOsoba::Imie2, "Imie2", 2, 24, {OPTIONAL, OPTIONAL, RESET}},
    {&TRecOsoba::NazwiskoRodowe, "NazwiskoRodowe", 2, 28, {OPTIONAL, OPTIONAL, RESET}},
    {&TRecOsoba::ImieOjca, "ImieOjca", 2, 24, {OPTIONAL, OPTIONAL, RESET}},
    {&TRecOsoba::ImieMatki, "ImieMatki", 2, 24, {OPTIONAL, OPTIONAL, RESET}},
    {&TRecOsoba::Plec, "Płec", 2, 10, {REQUIRED, OPTIONAL, RESET}},
    {&TRecOsoba::Miejscowosc, "Miejscowosc", 2, 50, {REQUIRED, OPTIONAL, KEEP}},
    {&TRecOsoba::Ulica, "Ulica", 2, 50, {REQUIRED, OPTIONAL, KEEP}},
    {&TRecOsoba::NumerDomu, "NumerDomu", 1, 20, {REQUIRED, OPTIONAL, KEEP}},
    {&TRecOsoba::NumerLokalu, "NumerLokalu", 1, 20, {OPTIONAL, OPTIONAL, KEEP}},
    {&TRecOsoba::KodPocztowy, "KodPocztowy", 6, 6, {REQUIRED, OPTIONAL, KEEP}},
    {&TRecOsoba::POCZTA, "POCZTA", 2, 50, {REQUIRED, OPTIONAL, KEEP}},
};

void identityDocument(int& code, TRecOsoba& p, bool required) {
    if (p.Typ_Dokumentu.view() == texts::DOWOD_OSOBISTY.view())
        number(code, p.PESEL, "PESEL", 11, 11, required);
    else
        text(code, p.PESEL, "SERIA/NR", 6, 20, required);
}

void personFields(int& code, TRecOsoba& p, const PersonKind& kind) {
    text(code, p.TypRekordu, "TypRekordu", 3, 3, R);
    text(code, p.Rodzaj_Operacji, "Rodzaj Operacji", 2, 15, R);
    const std::string_view operation = p.Rodzaj_Operacji.view();
    Operation op;
    if (operation == texts::NOWY.view()) {
        op = NEW_PERSON;
        reset(p.Numer_w_RA);
        text(code, p.Typ_Dokumentu, "Typ Dokumentu", 2, 50, R);
        identityDocument(code, p, R);
    } else if (operation == texts::AKTUALIZACJA.view()) {
        op = UPDATE;
        text(code, p.Numer_w_RA, "Numer w RA", 10, 10, R);
        SprawdzNrRA(code, p.Numer_w_RA, kind.registerSuffix);
        if (p.Typ_Dokumentu.view() != texts::EMPTY.view()) identityDocument(code, p, O);
    } else if (operation == texts::WYKRESLENIE.view()) {
        op = DELETION;
        text(code, p.Numer_w_RA, "Numer_w_RA", 10, 10, R);
        SprawdzNrRA(code, p.Numer_w_RA, kind.registerSuffix);
        text(code, p.Typ_Dokumentu, "Typ Dokumentu", 1, 50, R);
        identityDocument(code, p, R);
    } else {
        // No code of its own: the operation does not fit the record.
        raiseWalidation(code, CODE_OPERATION, std::string(kind.wrongOperation));
    }
    for (const PersonStepRow& row : kPersonSteps) {
        Field& field = p.*row.field;
        switch (row.steps[op]) {
            case REQUIRED: text(code, field, row.name, row.minimum, row.maximum, R); break;
            case OPTIONAL: text(code, field, row.name, row.minimum, row.maximum, O); break;
            case RESET: reset(field); break;
            case KEEP: break;
        }
    }
    if (op != DELETION) {
        text(code, p.NIP, "NIP", 13, 13, O);
        SprawdzNIP(code, p.NIP, false);
    }
}

void checkPerson(int& code, TRecOsoba* person, const PersonKind& kind) {
    if (!person) raiseWalidation(code, CODE_NO_PERSON, std::string(kind.missingRecord));
    describingFailures([&] { personFields(code, *person, kind); },
                       [&] {
                           return std::string(kind.description) +
                                  cp1250::toUtf8(person->Rodzaj_Operacji.view());
                       });
    code = CODE_PASSED;
}

// ---- Policy ------------------------------------------------------------------------------

// The version-3 policy names its insurer by code instead of by name.
void checkPolicy(int& code, TRecPolisaOC* policy, Field* insurerCode) {
    if (!policy) raiseWalidation(code, CODE_NO_POLICY, "Obiekt typu Polisa nie został utworzony!");
    TRecPolisaOC& p = *policy;
    describingFailures(
        [&] {
            text(code, p.TypRekordu, "TypRekordu", 3, 3, R);
            text(code, p.ID_PolisyOC, "ID_PolisyOC", 2, 25, R);
            if (insurerCode)
                text(code, *insurerCode, "Kod ZU", 3, 3, R);
            else
                text(code, p.Nazwa_zakladu, "Nazwa zakładu", 2, 100, R);
            number(code, p.Suma_ubezpieczenia, "Suma ubezpieczenia", 1, 13, R);
            date(code, p.WazneOd, "WazneOd", 2, 10, R);
            SprawdzDate(code, p.WazneOd, "WazneOd");
            SprawdzDate(code, p.WazneDo, "WazneDo");
            SprawdzOkres(code, p.WazneDo, p.WazneOd);
        },
        [&] {
            return "\nTyp rekordu: POLISA\nNazwa polisy: " + cp1250::toUtf8(p.ID_PolisyOC.view());
        });
    code = CODE_PASSED;
}

}  // namespace

void SprawdzWniosek(int& code, TRecWniosek* record) {
    if (!record) raiseWalidation(code, CODE_NO_APPLICATION, "Rekord wniosku ma wartość NULL!");
    text(code, record->TypRekordu, "TypRekordu", 3, 3, R);
    text(code, record->TypWniosku, "TypWniosku", kOwnLength, kOwnLength, R);
    text(code, record->NumerWniosku, "NumerWniosku", 1, 20, R);
    date(code, record->DataWniosku, "DataWniosku", 10, 10, R);
    text(code, record->Komentarz, "Komentarz", 1, 1024, O);
    code = CODE_PASSED;
}

void SprawdzAgenta(int& code, TRecAgenta* record) {
    checkAgent(code, record, nullptr, nullptr);
}

void SprawdzAgenta2(int& code, TRecAgenta2* record) {
    checkAgent(code, record, record ? &record->Liczba_czl_zarzadu : nullptr, nullptr);
}

void SprawdzAgenta3(int& code, TRecAgenta3* record) {
    checkAgent(code, record, record ? &record->Liczba_czl_zarzadu : nullptr,
               record ? &record->DATA_ROZW_UM_AGENCYJNEJ : nullptr);
}

void SprawdzPracownika(int& code, TRecPracownik* record) {
    checkPerson(code, record, kEmployee);
}

void SprawdzCzlonkaZarzadu(int& code, TRecZarzad* record) {
    checkPerson(code, record, kBoardMember);
}

void SprawdzPolise(int& code, TRecPolisaOC* record) {
    checkPolicy(code, record, nullptr);
}

void SprawdzPolise3(int& code, TRecPolisaOC3* record) {
    checkPolicy(code, record, record ? &record->Kod_ZU : nullptr);
}

void SprawdzPelnomocnictwo(int& code, TRecPelnomocnictwo* record) {
    if (!record)
        // No code of its own: the nearest is that of the other record under the agent that
        // carries a validity period, the policy.
        raiseWalidation(code, CODE_NO_POLICY, "Obiekt typu Pelnomocnictwo nie został utworzony!");
    TRecPelnomocnictwo& p = *record;
    describingFailures(
        [&] {
            text(code, p.TypRekordu, "TypRekordu", 3, 3, R);
            text(code, p.NazwaDzialu, "NazwaDzialu", 2, 60, R);
            text(code, p.NazwaGrupy, "NazwaGrupy", kOwnLength, kOwnLength, O);
            if (p.Agent) {
                const std::string_view exempt = p.Agent->ZWOLNIONY.view();
                if (exempt == "1")
                    text(code, p.RodzajUbezpieczenia, "RodzajUbezpieczenia", 1, 100, R);
                else if ((exempt == "0" || exempt == "2" || exempt == "3") &&
                         p.RodzajUbezpieczenia.view() != texts::EMPTY.view())
                    // No code of its own: the field must be empty for this agent, a length
                    // fault.
                    raiseWalidation(code, CODE_LENGTH,
                                    "Błędnie wypełnione pole Rodzaj_ubezpieczenia\n dla rekordu "
                                    "pełnomocnictwo");
            }
            text(code, p.ObszarDzialalnosci, "ObszarDzialalnosci", 1, 200, R);
            number(code, p.MaksKwotaUbezpieczenia, "MaksKwotaUbezpieczenia", 1, 13, R);
            text(code, p.Waluta, "Waluta", 3, 3, R);
            date(code, p.WazneOd, "WazneOd", 10, 10, R);
            SprawdzDate(code, p.WazneDo, "WazneDo");
            SprawdzOkres(code, p.WazneDo, p.WazneOd);
        },
        [] { return std::string("\nTyp rekordu: PEŁNOMOCNICTWO"); });
    code = CODE_PASSED;
}

}  // namespace tavik
