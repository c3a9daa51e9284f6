#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "interchange/walidacja.h"
#include "model/Cp1250.h"

namespace tavik {
namespace {

using Values = std::map<std::string, std::string>;  // UTF-8, by the names fields() gives

void set(TRecord& record, const Values& values) {
    std::size_t found = 0;
    for (const FieldRef& f : record.fields())
        if (auto it = values.find(std::string(f.name)); it != values.end())
            *f.field = cp1250::fromUtf8OrThrow(it->second), ++found;
    EXPECT_EQ(found, values.size()) << "a field name is misspelt";
}
Values snapshot(TRecord& record) {
    Values out;
    for (const FieldRef& f : record.fields())
        out[std::string(f.name)] = cp1250::toUtf8(f.field->view());
    return out;
}
Values with(Values base, const Values& changes) {
    for (const auto& [name, value] : changes)
        base[name] = value;
    return base;
}
Values emptied(std::initializer_list<const char*> names, Values also = {}) {
    for (const char* n : names)
        also[n] = "<E>";
    return also;
}

// "" when the check passed, otherwise its code and message.
template <class Record>
std::string verdict(void (*check)(int&, Record*), Record* record) {
    int code = -1;
    try {
        check(code, record);
        EXPECT_EQ(code, 0);
        return "";
    } catch (const WalidationErr& e) {
        EXPECT_EQ(e.code(), code);
        return std::to_string(code) + " " + e.message();
    }
}

std::string badLength(const char* name, int maximum) {
    return std::string("8 Pole ") + name +
           " ma błędną długość\nmaksymalna długość pola: " + std::to_string(maximum);
}
std::string isEmpty(const char* name, int maximum) {
    return std::string("9 Pole ") + name +
           " jest puste\nmaksymalna długość pola: " + std::to_string(maximum) +
           "\nPole jest obowiązkowe!";
}
const std::string kNip = "16 Błędnie wypełniony NIP dla AGENTA!";

// The changes made to a record that passes, what the check answers, and, when it passes,
// every field it rewrites.
struct Case {
    Values changes;
    std::string verdict;
    Values rewritten = {};
};

template <class Record>
void expectCases(void (*check)(int&, Record*), const std::function<void(Record&)>& prepare,
                 const Values& base, const std::vector<Case>& cases, const std::string& suffix) {
    for (const Case& c : cases) {
        Record record;
        prepare(record);
        set(record, with(base, c.changes));
        const Values before = snapshot(record);
        const std::string expected = c.verdict.empty() ? "" : c.verdict + suffix;
        EXPECT_EQ(verdict(check, &record), expected) << ::testing::PrintToString(c.changes);
        if (c.verdict.empty()) {
            EXPECT_EQ(snapshot(record), with(before, c.rewritten));
        }
    }
}

std::string text(int n, char c) {
    return std::string(static_cast<std::size_t>(n), c);
}

// clang-format off
TEST(SprawdzWniosek, FieldsOfTheApplication) {
    expectCases<TRecWniosek>(SprawdzWniosek, [](auto&) {},
        {{"TypWniosku", " WPIS "}, {"NumerWniosku", "1/2026"}, {"DataWniosku", "+5.01.2026"}}, {
        {{}, "", {{"TypWniosku", "WPIS"}, {"DataWniosku", "05.01.2026"}}},
        {{{"NumerWniosku", text(21, '1')}}, badLength("NUMERWNIOSKU", 20)},
        {{{"DataWniosku", "05-01-2026"}}, "10 Błędny separator daty w polu DataWniosku"},
        {{{"TypWniosku", "<E>"}}, isEmpty("TYPWNIOSKU", 3)}}, "");
}

const Values kAgent{
    {"NUMER_W_RA", "12345678/A"}, {"NazwaAgenta", "AGENCJA"}, {"FormaPrawna", "OSOBA FIZYCZNA"},
    {"NIP AGENTA", "123-45-67-890"}, {"Miejscowosc_SiedzibaAgenta", "RADOM"},
    {"Ulica_SiedzibaAgenta", "DŁUGA"}, {"NrDomu_SiedzibaAgenta", "1"},
    {"NrLokalu_SiedzibaAgenta", "1"}, {"KodPocztowy_SiedzibaAgenta", "00-001"},
    {"Poczta_SiedzibaAgenta", "RADOM"}, {"RodzajRejestru", "KRS"}, {"Numer_z_Rejestru", "0012"},
    {"Liczba_czl_zarzadu", "3"}, {"ZWOLNIONY", "1"}, {"DzialalnoscPodstawowa", "SPRZEDAŻ"},
    {"Imie", "JAN"}, {"Imie2", "JAN"}, {"Nazwisko", "NOWAK"}, {"Nazwisko2", "NOWAK"},
    {"Obywatelstwo", "POLSKIE"}, {"RodzajDokumentuOsFizAgenta", "DOWÓD OSOBISTY"},
    {"PESEL/Seria/NR", "85010112345"}, {"NIP Osoby Fizycznej", "123-456-78-90"},
    {"Miejscowosc", "RADOM"}, {"Ulica", "LIPOWA"}, {"NrDomu", "2"}, {"NrLokalu", "2"},
    {"KodPocztowy", "26-600"}, {"Poczta", "RADOM"}, {"DATA_ROZW_UM_AGENCYJNEJ", "01.02.2026"}};
const std::initializer_list<const char*> kAgentPerson = {
    "PESEL/Seria/NR", "RodzajDokumentuOsFizAgenta", "Nazwisko", "Nazwisko2", "Imie", "Imie2",
    "Miejscowosc", "Ulica", "NrDomu", "NrLokalu", "KodPocztowy", "Poczta", "NIP Osoby Fizycznej"};
const char* kOperations[] = {"WPIS", "AKTUALIZACJA", "WYKREŚLENIE"};

void agentCases(int kind, const std::vector<Case>& cases) {
    TRecWniosek application;
    application.RodzajWniosku = kind;
    expectCases<TRecAgenta3>(SprawdzAgenta3, [&](TRecAgenta3& a) { a.Wniosek = &application; },
                             with(kAgent, {{"RodzajOperacji", kOperations[kind]}}), cases,
                             std::string("\nTyp rekordu: AGENT\nRodzaj: ") + kOperations[kind]);
}

TEST(SprawdzAgenta, EntryBranch) {
    const char* inna = "InnaDzialalnosc";
    agentCases(0, {
        {{}, ""},
        {{{"FormaPrawna", text(50, 'F')}, {"NazwaAgenta", " A;B\t"}}, "",
         emptied(kAgentPerson, {{"NazwaAgenta", "A B"}})},  // a company: no natural person
        {{{"FormaPrawna", text(51, 'F')}}, badLength("FORMAPRAWNA", 50)},
        {{{"Nazwisko", text(29, 'N')}}, badLength("NAZWISKO", 28)},
        {{{"Imie", "<E>"}}, isEmpty("IMIE", 24)},
        {{{"Liczba_czl_zarzadu", "<E>"}}, isEmpty("LICZBA_CZL_ZARZADU", 3)},
        {{{"NIP AGENTA", "123-456-78-90"}}, kNip},
        {{{"NIP Osoby Fizycznej", "-   -  -"}}, "", emptied({"NIP Osoby Fizycznej"})},
        {{{"PESEL/Seria/NR", "8501011234X"}}, "16 Wartość w polu PESEL musi być LICZBA !"},
        {{{"RodzajDokumentuOsFizAgenta", "PASZPORT"}, {"PESEL/Seria/NR", "S"}},
         badLength("SERIA/NR", 20)},
        // The activity rule.
        {{{"ZWOLNIONY", "2"}, {inna, "X"}}, "", emptied({"DzialalnoscPodstawowa", inna})},
        {{{inna, "X"}}, "", emptied({inna})},
        {{{"DzialalnoscPodstawowa", "INNE"}, {inna, "IN"}}, ""},
        {{{"DzialalnoscPodstawowa", "<E>"}}, isEmpty("DZIALALNOSCPODSTAWOWA", 3)},
        {{{"DzialalnoscPodstawowa", "INNE"}, {inna, text(51, 'I')}},
         badLength("INNADZIALALNOSC", 50)}});
}

TEST(SprawdzAgenta, UpdateBranch) {
    agentCases(1, {
        {{{"ZWOLNIONY", " 1 "}, {"Imie", "<E>"}, {"Nazwisko", "<E>"}}, "", {{"ZWOLNIONY", "1"}}},
        {{{"RodzajRejestru", "<E>"}, {"Numer_z_Rejestru", "<E>"}}, ""},
        {{{"Numer_z_Rejestru", "<E>"}}, isEmpty("NUMER_Z_REJESTRU", 30)},
        {{{"FormaPrawna", text(21, 'F')}}, badLength("FORMAPRAWNA", 20)},
        {{{"DzialalnoscPodstawowa", "INNE"}, {"InnaDzialalnosc", text(36, 'I')}},
         badLength("INNADZIALALNOSC", 35)},
        {{{"NUMER_W_RA", "12345678/P"}}, "16 Błędna maska nr w RA dla Agenta, format 99999999/A"},
        {{{"PESEL/Seria/NR", "<E>"}}, isEmpty("PESEL", 11)}});
}

TEST(SprawdzAgenta, DeletionBranch) {
    agentCases(2, {
        {{{"DATA_ROZW_UM_AGENCYJNEJ", "+1.02.2026"}, {"InnaDzialalnosc", "X"}}, "",
         emptied(kAgentPerson, emptied({"RodzajRejestru", "FormaPrawna", "NIP AGENTA",
                 "Miejscowosc_SiedzibaAgenta", "NrDomu_SiedzibaAgenta", "NrLokalu_SiedzibaAgenta",
                 "KodPocztowy_SiedzibaAgenta", "Poczta_SiedzibaAgenta", "DzialalnoscPodstawowa",
                 "InnaDzialalnosc", "ZWOLNIONY"}, {{"DATA_ROZW_UM_AGENCYJNEJ", "01.02.2026"}}))},
        {{{"Numer_z_Rejestru", "<E>"}}, isEmpty("NUMER_Z_REJESTRU", 30)},
        {{{"DATA_ROZW_UM_AGENCYJNEJ", "31.02.2026"}},
         "10 Błędny format daty w polu DATA_ROZW_UM_AGENCYJNEJ"}});
}
// clang-format on

TEST(SprawdzAgenta, LinksAndVersions) {
    TRecWniosek application;
    TRecAgenta3 a;
    set(a, with(kAgent, {{"RodzajOperacji", "WPIS"}, {"Liczba_czl_zarzadu", "X"}}));
    const std::string suffix = "\nTyp rekordu: AGENT\nRodzaj: WPIS";
    EXPECT_EQ(verdict(SprawdzAgenta, static_cast<TRecAgenta*>(&a)),
              "17 Agent nie jest przypisany do wniosku: rekord wniosku ma wartość NULL!" + suffix);
    a.Wniosek = &application;
    for (const int kind : {-1, 1, 2, 0}) {  // a new application, an update, a deletion, an entry
        application.RodzajWniosku = kind;
        EXPECT_EQ(verdict(SprawdzAgenta, static_cast<TRecAgenta*>(&a)),
                  kind ? "12 Błędny rodzaj operacji.\n Typ rekordu: AGENT" + suffix : "");
    }
    EXPECT_EQ(verdict(SprawdzAgenta2, static_cast<TRecAgenta2*>(&a)),
              "16 Wartość w polu LICZBA_CZL_ZARZADU musi być LICZBA !" + suffix);
    set(a, {{"RodzajOperacji", "WYKREŚLENIE"}, {"DATA_ROZW_UM_AGENCYJNEJ", "X"}});
    application.RodzajWniosku = 2;
    EXPECT_EQ(verdict(SprawdzAgenta2, static_cast<TRecAgenta2*>(&a)), "");
}

// clang-format off
const Values kPerson{
    {"Typ Dokumentu", "DOWÓD OSOBISTY"}, {"PESEL/SERIA/NR", "85010112345"},
    {"Nr zezwolenia", "Z/1"}, {"WYKSZTAŁCENIE", "WYŻSZE"}, {"Nazwisko", "NOWAK"},
    {"Nazwisko drugi człon", "NOWAK"}, {"Imie", "JAN"}, {"Imie2", "JAN"},
    {"NazwiskoRodowe", "NOWAK"}, {"ImieOjca", "JAN"}, {"ImieMatki", "ANNA"}, {"Płec", "MĘŻCZYZNA"},
    {"Miejscowosc", "RADOM"}, {"Ulica", "LIPOWA"}, {"NumerDomu", "2"}, {"NumerLokalu", "2"},
    {"KodPocztowy", "26-600"}, {"POCZTA", "RADOM"}, {"NIP", "123-456-78-90"}};

template <class Person>
void onePersonSequence(void (*check)(int&, Person*), const std::string& suffix,
                       const std::string& type, const std::string& mask, const std::string& wrong) {
    const auto cases = [&](const char* operation, const std::vector<Case>& cases) {
        expectCases<Person>(check, [](Person&) {},
            with(kPerson, {{"Rodzaj Operacji", operation}, {"Numer w RA", "12345678" + suffix}}),
            cases, "\nTyp rekordu: " + type + "\nRodzaj: " + operation);
    };
    const std::string seria = badLength("SERIA/NR", 20);
    cases("NOWY", {
        {{{"Imie", " ;JAN; "}}, "", {{"Numer w RA", "<E>"}, {"Imie", "JAN"}}},
        {{{"Płec", "<E>"}}, isEmpty("PŁEC", 10)},
        {{{"Typ Dokumentu", "PASZPORT"}, {"PESEL/SERIA/NR", "ABCDE"}}, seria},
        {{{"WYKSZTAŁCENIE", text(51, 'W')}}, badLength("WYKSZTAŁCENIE", 50)},
        {{{"Nazwisko drugi człon", "N"}}, badLength("NAZWISKO DRUGI CZŁON", 28)},
        {{{"NIP", "123-45-67-890"}}, kNip}});
    cases("AKTUALIZACJA", {
        {{{"Imie", "<E>"}, {"Płec", "<E>"}, {"PESEL/SERIA/NR", "<E>"}}, ""},
        {{{"Typ Dokumentu", "<E>"}, {"PESEL/SERIA/NR", " X"}}, ""},  // no document, no number
        {{{"Numer w RA", "<E>"}}, isEmpty("NUMER W RA", 10)},
        {{{"Numer w RA", "12345678/A"}}, mask}});
    cases("WYKREŚLENIE", {
        {{}, "", emptied({"Nr zezwolenia", "Nazwisko", "Nazwisko drugi człon", "Imie", "Imie2",
                          "NazwiskoRodowe", "ImieOjca", "ImieMatki", "Płec"})},
        {{{"Numer w RA", "<E>"}}, isEmpty("NUMER_W_RA", 10)},
        {{{"Typ Dokumentu", "X"}, {"PESEL/SERIA/NR", "ABCDE"}}, seria}});
    cases("WPIS", {{{}, wrong}});
}
// clang-format on

TEST(SprawdzPracownika, OneSequenceForEmployeesAndBoardMembers) {
    onePersonSequence(SprawdzPracownika, "/P", "PRACOWNIK",
                      "16 Błędna maska nr w RA dla Pracownika, format 99999999/P",
                      "12 Niewłaściwy rodzaj operacji dla PRACOWNIKA!");
    onePersonSequence(SprawdzCzlonkaZarzadu, "/C", "CZŁONEK ZARZĄDU",
                      "16 Błędna maska nr w RA dla czł. zarządu, format 99999999/C",
                      "12 Niewłaściwy rodzaj operacji dla CZŁONKA ZARZĄDU!");
}

// clang-format off
TEST(SprawdzPolise, InsurerByVersionAndValidityPeriod) {
    const Values base{{"ID_PolisyOC", "OC/1"}, {"Nazwa zakładu", "TU"}, {"Suma ubezpieczenia", "5"},
                      {"WazneOd", "01.01.2026"}, {"WazneDo", "01.01.2027"}};
    const std::vector<Case> both{
        {{{"WazneDo", "<E>"}}, ""},
        {{{"WazneDo", "01.01.2026"}}, "15 DataOd jest większa niż DataDo"},
        {{{"WazneDo", "5.01.2027"}}, "10 Błędny format daty w polu WazneDo"},
        {{{"Suma ubezpieczenia", "1e6"}},
         "16 Wartość w polu SUMA UBEZPIECZENIA musi być LICZBA !"}};
    const auto none = [](auto&) {};
    const std::string suffix = "\nTyp rekordu: POLISA\nNazwa polisy: OC/1";
    expectCases<TRecPolisaOC>(SprawdzPolise, none, base, both, suffix);
    expectCases<TRecPolisaOC>(SprawdzPolise, none, base,
        {{{{"Nazwa zakładu", "<E>"}}, isEmpty("NAZWA ZAKŁADU", 100)}}, suffix);
    const Values base3 = with(base, {{"Kod ZU", "JSK"}});
    expectCases<TRecPolisaOC3>(SprawdzPolise3, none, base3, both, suffix);
    expectCases<TRecPolisaOC3>(SprawdzPolise3, none, base3, {{{{"Nazwa zakładu", "<E>"}}, ""},
                               {{{"Kod ZU", "<E>"}}, isEmpty("KOD ZU", 3)}}, suffix);
}

TEST(SprawdzPelnomocnictwo, InsuranceKindFollowsTheAgentsActivity) {
    const std::string mustBeEmpty =
        "8 Błędnie wypełnione pole Rodzaj_ubezpieczenia\n dla rekordu pełnomocnictwo";
    const Values base{{"ObszarDzialalnosci", "KRAJ"}, {"MaksKwotaUbezpieczenia", "100,00"},
                      {"Waluta", "PLN"}, {"NazwaDzialu", "DZIAL II"}, {"WazneOd", "01.01.2026"}};
    const Values filled{{"RodzajUbezpieczenia", "X"}};
    const struct {
        const char* exempt;  // nullptr: no owning agent
        std::vector<Case> cases;
    } agents[] = {
        {"1", {{filled, ""}, {{}, isEmpty("RODZAJUBEZPIECZENIA", 100)},
               {with(filled, {{"WazneOd", "1.01.2026"}}), badLength("WAZNEOD", 10)}}},
        {"0", {{{}, ""}, {filled, mustBeEmpty}}},
        {"3", {{filled, mustBeEmpty}}},
        {"<E>", {{filled, ""}}},
        {nullptr, {{filled, ""}}}};
    for (const auto& agent : agents) {
        TRecAgenta owner;
        if (agent.exempt) owner.ZWOLNIONY = agent.exempt;
        expectCases<TRecPelnomocnictwo>(SprawdzPelnomocnictwo,
            [&](TRecPelnomocnictwo& p) { p.Agent = agent.exempt ? &owner : nullptr; }, base,
            agent.cases, "\nTyp rekordu: PEŁNOMOCNICTWO");
    }
}
// clang-format on

TEST(RecordChecks, AMissingRecordIsRefusedWithItsCode) {
    EXPECT_EQ(verdict(SprawdzWniosek, static_cast<TRecWniosek*>(nullptr)) + "|" +
                  verdict(SprawdzAgenta3, static_cast<TRecAgenta3*>(nullptr)) + "|" +
                  verdict(SprawdzPracownika, static_cast<TRecPracownik*>(nullptr)) + "|" +
                  verdict(SprawdzCzlonkaZarzadu, static_cast<TRecZarzad*>(nullptr)) + "|" +
                  verdict(SprawdzPolise, static_cast<TRecPolisaOC*>(nullptr)) + "|" +
                  verdict(SprawdzPelnomocnictwo, static_cast<TRecPelnomocnictwo*>(nullptr)),
              "17 Rekord wniosku ma wartość NULL!|3 Rekord agenta ma wartość NULL!|"
              "4 Rekord pracownika ma wartość NULL!|4 Rekord członka zarządu ma wartość NULL!|"
              "5 Obiekt typu Polisa nie został utworzony!|"
              "5 Obiekt typu Pelnomocnictwo nie został utworzony!");
}

}  // namespace
}  // namespace tavik
