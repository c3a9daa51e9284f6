// The record checks on any field values: they must pass or refuse with a WalidationErr, never
// crash, leak or hang; and a record that passed is canonical: checked again, it passes and no
// field changes. The warnings of the same values, looked for before the check, are lines of
// text and leave every field as it was.
//
// Input: a byte choosing the record type, a byte choosing the variant (the application kind,
// the operation, the owning agent's activity), then field values in declaration order,
// separated by '|'. An empty value, and every field past the last one given, keeps the value
// of a record that passes, so that the fuzzer starts from valid records and changes a few
// fields at a time.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "interchange/Warnings.h"
#include "interchange/walidacja.h"
#include "model/Cp1250.h"

namespace {

using namespace tavik;

std::string cp(std::string_view utf8) {
    return cp1250::fromUtf8OrThrow(utf8);
}

void fill(TRecord& record, const std::vector<std::string_view>& values) {
    std::vector<FieldRef> fields = record.fields();
    for (std::size_t i = 0; i < fields.size() && i < values.size(); ++i)
        if (!values[i].empty()) *fields[i].field = values[i];
}

std::vector<std::string> contents(TRecord& record) {
    std::vector<std::string> out;
    for (const FieldRef& f : record.fields())
        out.push_back(f.field->str());
    return out;
}

[[noreturn]] void fail(const char* what, TRecord& record, const std::string& message = {}) {
    std::fprintf(stderr, "%s %s\n", what, message.c_str());
    for (const FieldRef& f : record.fields())
        std::fprintf(stderr, "  %s = '%s'\n", std::string(f.name).c_str(),
                     cp1250::toUtf8(f.field->view()).c_str());
    std::abort();
}

template <class Record>
void warningsOnly(Record& record) {
    const std::vector<std::string> before = contents(record);
    std::vector<std::string> warnings;
    if constexpr (std::is_base_of_v<TRecAgenta, Record> || std::is_base_of_v<TRecOsoba, Record>)
        warnings = warningsOf(record);
    else if constexpr (!std::is_same_v<Record, TRecWniosek>)
        warnings = warningsOf(record, CalendarDate{2026, 6, 1});
    for (const std::string& warning : warnings)
        if (warning.empty() || warning.find('\n') != std::string::npos)
            fail("a warning that is not one line:", record, warning);
    if (contents(record) != before) fail("a warning changes the record", record);
}

template <class Record>
void exercise(void (*check)(int&, Record*), Record& record) {
    warningsOnly(record);
    int code = -1;
    try {
        check(code, &record);
    } catch (const WalidationErr& e) {
        if (e.code() != code || code == 0 || e.message().empty())
            fail("refusal with a wrong code", record, e.message());
        return;
    }
    if (code != 0) fail("pass with a code", record);
    const std::vector<std::string> passed = contents(record);
    try {
        check(code, &record);
    } catch (const WalidationErr& e) {
        fail("a record that passed fails again:", record, e.message());
    }
    if (contents(record) != passed) fail("a record that passed changes when checked again", record);
}

void application(TRecWniosek& w, int kind) {
    static const char* kKinds[] = {"WPIS", "AKTUALIZACJA", "WYKREŚLENIE"};
    w.RodzajWniosku = kind;
    w.TypWniosku = cp(kind >= 0 ? kKinds[kind] : "NOWY");
    w.NumerWniosku = "1/2026";
    w.DataWniosku = "05.01.2026";
}

void agent(TRecAgenta& a, int kind, bool person, std::string_view exempt) {
    static const char* kOperations[] = {"WPIS", "AKTUALIZACJA", "WYKREŚLENIE"};
    a.RodzajOperacji = cp(kind >= 0 ? kOperations[kind] : "WPIS");
    a.NUMER_W_RA = "12345678/A";
    a.NazwaAgenta = "AGENCJA NOWAK";
    a.FormaPrawna = person ? "OSOBA FIZYCZNA" : cp("SPÓŁKA Z O.O.");
    a.NIP_AGENTA = "123-45-67-890";
    a.Miejscowosc_SiedzibaAgenta = a.Poczta_SiedzibaAgenta = "WARSZAWA";
    a.Ulica_SiedzibaAgenta = cp("DŁUGA");
    a.NrDomu_SiedzibaAgenta = "1";
    a.KodPocztowy_SiedzibaAgenta = "00-001";
    a.RodzajRejestru = "KRS";
    a.Numer_z_Rejestru = "0000123456";
    a.ZWOLNIONY = exempt;
    a.DzialalnoscPodstawowa = "INNE";
    a.InnaDzialalnosc = cp("SPRZEDAŻ");
    a.Imie = "JAN";
    a.Nazwisko = "NOWAK";
    a.Obywatelstwo = "POLSKIE";
    a.RodzajDokumentuOsFizAgenta = cp("DOWÓD OSOBISTY");
    a.PESEL = "85010112345";
    a.NIP_Osoby_Fizycznej = "123-456-78-90";
    a.Miejscowosc = a.Poczta = "RADOM";
    a.Ulica = "LIPOWA";
    a.NrDomu = "2";
    a.KodPocztowy = "26-600";
    if (auto* a2 = dynamic_cast<TRecAgenta2*>(&a)) a2->Liczba_czl_zarzadu = "3";
    if (auto* a3 = dynamic_cast<TRecAgenta3*>(&a)) a3->DATA_ROZW_UM_AGENCYJNEJ = "01.02.2026";
}

void person(TRecOsoba& p, int operation, std::string_view suffix) {
    static const char* kOperations[] = {"NOWY", "AKTUALIZACJA", "WYKREŚLENIE", "WPIS"};
    p.Rodzaj_Operacji = cp(kOperations[operation]);
    p.Numer_w_RA = "12345678" + std::string(suffix);
    p.Typ_Dokumentu = cp("DOWÓD OSOBISTY");
    p.PESEL = "85010112345";
    p.WYKSZTALCENIE = cp("WYŻSZE");
    p.Nazwisko = "NOWAK";
    p.Imie = "JAN";
    p.Plec = "KOBIETA";
    p.Miejscowosc = p.POCZTA = "RADOM";
    p.Ulica = "LIPOWA";
    p.NumerDomu = "2";
    p.KodPocztowy = "26-600";
    p.NIP = "123-456-78-90";
}

void policy(TRecPolisaOC& p) {
    p.ID_PolisyOC = "OC/2026/1";
    p.Nazwa_zakladu = "TU JSK";
    p.Suma_ubezpieczenia = "500000";
    p.WazneOd = "01.01.2026";
    if (auto* p3 = dynamic_cast<TRecPolisaOC3*>(&p)) p3->Kod_ZU = "JSK";
}

void power(TRecPelnomocnictwo& p) {
    p.RodzajUbezpieczenia = cp("MAJĄTKOWE");
    p.ObszarDzialalnosci = cp("CAŁY KRAJ");
    p.MaksKwotaUbezpieczenia = "100000";
    p.Waluta = "PLN";
    p.NazwaDzialu = "DZIAL II";
    p.WazneOd = "01.01.2026";
    p.WazneDo = "31.12.2026";
}

template <class Agent>
void agentCase(void (*check)(int&, Agent*), int variant, const std::vector<std::string_view>& v) {
    TRecWniosek w;
    const int kind = variant % 5 - 1;  // -1 a new application, 3 no application at all
    application(w, kind < 3 ? kind : 0);
    Agent a;
    agent(a, kind < 3 ? kind : 0, variant / 5 % 2, variant / 10 % 2 ? "1" : "0");
    a.Wniosek = kind < 3 ? &w : nullptr;
    fill(a, v);
    exercise(check, a);
}

template <class Person>
void personCase(void (*check)(int&, Person*), int variant, std::string_view suffix,
                const std::vector<std::string_view>& v) {
    Person p;
    person(p, variant % 4, suffix);
    fill(p, v);
    exercise(check, p);
}

template <class Policy>
void policyCase(void (*check)(int&, Policy*), const std::vector<std::string_view>& v) {
    Policy p;
    policy(p);
    fill(p, v);
    exercise(check, p);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const int type = data[0] % 9;
    const int variant = data[1];
    std::vector<std::string_view> values;
    const std::string_view rest(reinterpret_cast<const char*>(data) + 2, size - 2);
    for (std::size_t begin = 0;;) {
        const std::size_t end = rest.find('|', begin);
        values.push_back(rest.substr(begin, end == std::string_view::npos ? end : end - begin));
        if (end == std::string_view::npos) break;
        begin = end + 1;
    }

    switch (type) {
        case 0: {
            TRecWniosek w;
            application(w, variant % 4 - 1);
            fill(w, values);
            exercise(SprawdzWniosek, w);
            break;
        }
        case 1: agentCase<TRecAgenta>(SprawdzAgenta, variant, values); break;
        case 2: agentCase<TRecAgenta2>(SprawdzAgenta2, variant, values); break;
        case 3: agentCase<TRecAgenta3>(SprawdzAgenta3, variant, values); break;
        case 4: personCase<TRecPracownik>(SprawdzPracownika, variant, "/P", values); break;
        case 5: personCase<TRecZarzad>(SprawdzCzlonkaZarzadu, variant, "/C", values); break;
        case 6: policyCase<TRecPolisaOC>(SprawdzPolise, values); break;
        case 7: policyCase<TRecPolisaOC3>(SprawdzPolise3, values); break;
        case 8: {
            TRecAgenta owner;
            static const char* kExempt[] = {"0", "1", "2", "3", "<E>"};
            owner.ZWOLNIONY = kExempt[variant % 5];
            TRecPelnomocnictwo p;
            power(p);
            if (variant / 5 % 4 != 0) p.Agent = &owner;  // mostly with an owning agent
            fill(p, values);
            exercise(SprawdzPelnomocnictwo, p);
            break;
        }
    }
    return 0;
}
