#include <gtest/gtest.h>

#include <deque>

#include "interchange/Warnings.h"
#include "model/ApplicationFile.h"
#include "model/Cp1250.h"
#include "tests/support/RpaBytes.h"
#include "tools/samples/SampleDocuments.h"

namespace tavik {
namespace {

using Texts = std::vector<std::string>;
using test::wrongLast;

// The numbers are built here by their rules, from a base, so that no valid number is copied.
std::string digitsWithSum(const std::string& base, std::initializer_list<int> weights,
                          int (*control)(int sum)) {
    int sum = 0, i = 0;
    for (int w : weights)
        sum += (base[i++] - '0') * w;
    return base + std::to_string(control(sum));
}
std::string pesel(const std::string& base10) {
    return digitsWithSum(base10, {1, 3, 7, 9, 1, 3, 7, 9, 1, 3},
                         [](int sum) { return (10 - sum % 10) % 10; });
}
std::string nip(const std::string& base9) {
    return digitsWithSum(base9, {6, 5, 7, 2, 3, 4, 5, 6, 7}, [](int sum) { return sum % 11; });
}
int regonControl(int sum) {
    return sum % 11 % 10;
}
std::string regon9(const std::string& base8) {
    return digitsWithSum(base8, {8, 9, 2, 3, 4, 5, 6, 7}, regonControl);
}
std::string regon14(const std::string& base13) {
    return digitsWithSum(base13, {2, 4, 8, 5, 0, 9, 7, 3, 6, 1, 2, 4, 8}, regonControl);
}
// The same number with its last digit one higher (mod 10): a wrong check digit.
// The first base from `from` on whose weighted sum leaves 10 modulo 11: no digit stands for it.
std::string baseWithRemainder10(int from, std::initializer_list<int> weights) {
    for (int n = from;; ++n) {
        const std::string base = std::to_string(n);
        if (digitsWithSum(base, weights, [](int sum) { return sum % 11; }).size() > base.size() + 1)
            return base;
    }
}
std::string nipGrouped(const std::string& d, bool company) {
    if (company)
        return d.substr(0, 3) + "-" + d.substr(3, 2) + "-" + d.substr(5, 2) + "-" + d.substr(7);
    return d.substr(0, 3) + "-" + d.substr(3, 3) + "-" + d.substr(6, 2) + "-" + d.substr(8);
}

TEST(NumberRules, CheckDigitsAcceptWhatTheRuleBuildsAndNothingElse) {
    const std::string nipBase10 = baseWithRemainder10(123456789, {6, 5, 7, 2, 3, 4, 5, 6, 7}),
                      regonBase10 = baseWithRemainder10(12345678, {8, 9, 2, 3, 4, 5, 6, 7});
    const std::string goodRegon14 = regon14(regon9("12345678") + "1234");

    // Each number's verdict, "1" valid, "0" not.
    const auto verdicts = [](bool (*rule)(std::string_view), std::vector<std::string> numbers) {
        std::string out;
        for (const std::string& number : numbers)
            out += rule(number) ? '1' : '0';
        return out;
    };
    const std::string p = pesel("8505051234"), n = nip("526000292"), r = regon9("12345678");
    EXPECT_EQ(verdicts(peselCheckDigitValid,
                       {p, wrongLast(p), pesel("0232150001"), p.substr(0, 10), "8505051234X"}),
              "10100");
    // The dashes are the caller's to leave out; a remainder of 10 has no digit at all.
    std::vector<std::string> nips = {n, wrongLast(n), nip("106000005"), "526-00-02-925"};
    for (char last = '0'; last <= '9'; ++last)
        nips.push_back(nipBase10 + last);
    EXPECT_EQ(verdicts(nipCheckDigitValid, nips), "10100000000000");
    // A REGON remainder of 10 stands for 0; a fourteen-digit one needs a valid nine-digit head.
    EXPECT_EQ(
        verdicts(regonCheckDigitValid,
                 {r, wrongLast(r), regonBase10 + "0", regonBase10 + "1", goodRegon14,
                  wrongLast(goodRegon14), regon14(wrongLast(r) + "1234"), r + "0", "12345678A"}),
        "101010000");
}

TEST(NumberRules, PeselBirthDateByCentury) {
    // The month's tens give the century; 2000 was a leap year, 1900 none.
    std::string got;
    for (const char* head : {"850505", "858505", "852505", "854505", "856505", "853212", "002229",
                             "000229", "850230", "851305", "850005", "859305", "850500"}) {
        const std::optional<CalendarDate> d = peselBirthDate(pesel(head + std::string("1234")));
        got += d ? std::to_string(d->year) + "-" + std::to_string(d->month) + "-" +
                       std::to_string(d->day) + " "
                 : "- ";
    }
    EXPECT_EQ(got,
              "1985-5-5 1885-5-5 2085-5-5 2185-5-5 2285-5-5 2085-12-12 2000-2-29 - - - - - - ");
}

// ---- Records ------------------------------------------------------------------------------

void set(TRecord& record, const std::map<std::string, std::string>& values) {
    std::size_t found = 0;
    for (const FieldRef& f : record.fields())
        if (auto it = values.find(std::string(f.name)); it != values.end())
            *f.field = cp1250::fromUtf8OrThrow(it->second), ++found;
    ASSERT_EQ(found, values.size()) << "a field name is misspelt";
}

const std::string kMarekPesel = pesel("8505051235");  // the tenth digit odd: a man
const std::string kPersonNip = nipGrouped(nip("526000292"), false);

template <class Person>
Texts personWarnings(const std::map<std::string, std::string>& changes) {
    Person p;
    std::map<std::string, std::string> values = {{"Rodzaj Operacji", "NOWY"},
                                                 {"Nazwisko", "ADAMCZYK"},
                                                 {"Imie", "MAREK"},
                                                 {"Płec", "MĘŻCZYZNA"},
                                                 {"Typ Dokumentu", "DOWÓD OSOBISTY"},
                                                 {"PESEL/SERIA/NR", kMarekPesel},
                                                 {"NIP", kPersonNip}};
    for (const auto& [name, value] : changes)
        values[name] = value;
    set(p, values);
    return warningsOf(p);
}

TEST(RecordWarnings, EmployeesAndBoardMembers) {
    const std::string woman = pesel("8505051234"), badDate = pesel("8502301235");
    const std::string badNip = nipGrouped(wrongLast(nip("526000292")), false);
    const std::string who = " pracownika ADAMCZYK MAREK ";
    struct Case {
        std::map<std::string, std::string> changes;
        Texts warnings;
    };
    const Case cases[] = {
        {{}, {}},
        {{{"PESEL/SERIA/NR", wrongLast(kMarekPesel)}},
         {"PESEL " + wrongLast(kMarekPesel) + who + "ma błędną cyfrę kontrolną"}},
        {{{"PESEL/SERIA/NR", badDate}},
         {"PESEL " + badDate + who + "zawiera nieistniejącą datę urodzenia"}},
        {{{"PESEL/SERIA/NR", woman}},
         {"PESEL " + woman + who + "wskazuje płeć KOBIETA, a w polu Płeć jest MĘŻCZYZNA"}},
        {{{"Płec", "KOBIETA"}},
         {"PESEL " + kMarekPesel + who + "wskazuje płeć MĘŻCZYZNA, a w polu Płeć jest KOBIETA"}},
        {{{"Płec", "<E>"}}, {}},  // no sex stated: nothing to contradict
        // Every fault of one number is named.
        {{{"PESEL/SERIA/NR", wrongLast(badDate)}, {"NIP", badNip}},
         {"PESEL " + wrongLast(badDate) + who + "ma błędną cyfrę kontrolną",
          "PESEL " + wrongLast(badDate) + who + "zawiera nieistniejącą datę urodzenia",
          "NIP " + badNip + who + "ma błędną cyfrę kontrolną"}},
        // Another document holds its own number; a PESEL of the wrong shape is the check's.
        {{{"Typ Dokumentu", "PASZPORT"}, {"PESEL/SERIA/NR", "AB1234567"}}, {}},
        {{{"Typ Dokumentu", "PASZPORT"}, {"PESEL/SERIA/NR", wrongLast(kMarekPesel)}}, {}},
        {{{"PESEL/SERIA/NR", "8505051235"}}, {}},
        {{{"NIP", "<E>"}}, {}},
        {{{"NIP", "-   -  -"}}, {}},
        {{{"NIP", "526-000-29-2X"}}, {}},
        // A deletion keeps no names: the register number names the person.
        {{{"Nazwisko", "<E>"}, {"Imie", "<E>"}, {"Numer w RA", "12345678/P"}, {"NIP", badNip}},
         {"NIP " + badNip + " pracownika o numerze w RA 12345678/P ma błędną cyfrę kontrolną"}},
        // A warning is one line, whatever a file brought into a name.
        {{{"Nazwisko", "ADAM\nCZYK"}, {"NIP", badNip}},
         {"NIP " + badNip + " pracownika ADAM\\x0ACZYK MAREK ma błędną cyfrę kontrolną"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(personWarnings<TRecPracownik>(c.changes), c.warnings)
            << ::testing::PrintToString(c.changes);
    EXPECT_EQ(personWarnings<TRecZarzad>({{"NIP", badNip}}),
              Texts{"NIP " + badNip + " członka zarządu ADAMCZYK MAREK ma błędną cyfrę kontrolną"});
}

const std::string kCompany = "AGENCJA NOWAK SP. Z O.O.";

// An agent named kCompany unless the values name it.
Texts agentWarnings(std::map<std::string, std::string> values) {
    TRecAgenta3 a;
    values.emplace("NazwaAgenta", kCompany);
    set(a, values);
    return warningsOf(a);
}

TEST(RecordWarnings, AgentsNumbersAndRegisters) {
    const std::string company = kCompany, person = "JAN KOWALSKI";
    const std::string goodNip = nipGrouped(nip("526000292"), true);
    const std::string badNip = nipGrouped(wrongLast(nip("526000292")), true);
    const std::string badPersonNip = nipGrouped(wrongLast(nip("106000005")), false);
    const std::string badPesel = wrongLast(kMarekPesel);
    const std::string krs = "KRAJOWY REJESTR SĄDOWY", good9 = regon9("12345678");
    const std::string good14 = regon14(good9 + "1234");
    struct Case {
        std::map<std::string, std::string> values;
        Texts warnings;
    };
    const Case cases[] = {
        {{{"NIP AGENTA", goodNip}, {"RodzajRejestru", krs}, {"Numer_z_Rejestru", "0000123456"}},
         {}},
        {{{"NIP AGENTA", badNip}},
         {"NIP " + badNip + " agenta " + company + " ma błędną cyfrę kontrolną"}},
        {{{"RodzajRejestru", krs}, {"Numer_z_Rejestru", "000012345"}},
         {"KRS 000012345 agenta " + company + " nie składa się z 10 cyfr"}},
        {{{"RodzajRejestru", "KRS"}, {"Numer_z_Rejestru", "KRS12345"}},
         {"KRS KRS12345 agenta " + company + " nie składa się z 10 cyfr"}},
        {{{"RodzajRejestru", "REGON"}, {"Numer_z_Rejestru", good9}}, {}},
        {{{"RodzajRejestru", "REGON"}, {"Numer_z_Rejestru", good14}}, {}},
        {{{"RodzajRejestru", "REGON"}, {"Numer_z_Rejestru", wrongLast(good14)}},
         {"REGON " + wrongLast(good14) + " agenta " + company + " ma błędną cyfrę kontrolną"}},
        {{{"RodzajRejestru", "REGON"}, {"Numer_z_Rejestru", "1234567890"}},
         {"REGON 1234567890 agenta " + company + " nie składa się z 9 ani z 14 cyfr"}},
        // Other registers have numbers of their own shapes.
        {{{"RodzajRejestru", "EWIDENCJA DZIAŁALNOŚCI GOSPODARCZEJ"}, {"Numer_z_Rejestru", "12/AB"}},
         {}},
        {{{"NazwaAgenta", person},
          {"FormaPrawna", "OSOBA FIZYCZNA"},
          {"RodzajDokumentuOsFizAgenta", "DOWÓD OSOBISTY"},
          {"PESEL/Seria/NR", badPesel},
          {"NIP Osoby Fizycznej", badPersonNip}},
         {"PESEL " + badPesel + " agenta " + person + " ma błędną cyfrę kontrolną",
          "NIP osoby fizycznej " + badPersonNip + " agenta " + person +
              " ma błędną cyfrę kontrolną"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(agentWarnings(c.values), c.warnings) << ::testing::PrintToString(c.values);
}

TEST(RecordWarnings, PeriodsEndedBeforeToday) {
    const CalendarDate today{2024, 3, 1};
    struct Case {
        std::string end, group;
        Texts policy, power;
    };
    const Case cases[] = {
        {"29.02.2024",
         "GRUPA 10",  // yesterday, a leap day
         {"Polisa nr OC/2024/1 wygasła 29.02.2024"},
         {"Pełnomocnictwo w grupie GRUPA 10 wygasło 29.02.2024"}},
        {"01.03.2024", "GRUPA 10", {}, {}},  // still valid today
        {"<E>", "GRUPA 10", {}, {}},         // open
        {"31.02.2024", "GRUPA 10", {}, {}},  // not a date: the check's to refuse
        {"15.06.1999",
         "<E>",
         {"Polisa nr OC/2024/1 wygasła 15.06.1999"},
         {"Pełnomocnictwo w dziale DZIAŁ II wygasło 15.06.1999"}},
    };
    for (const Case& c : cases) {
        TRecPolisaOC3 policy;
        policy.ID_PolisyOC = "OC/2024/1";
        policy.WazneDo = c.end;
        TRecPelnomocnictwo power;
        power.NazwaDzialu = cp1250::fromUtf8OrThrow("DZIAŁ II");
        power.NazwaGrupy = c.group;
        power.WazneDo = c.end;
        EXPECT_EQ(warningsOf(policy, KIND_POLISA, today), c.policy) << c.end;
        EXPECT_EQ(warningsOf(power, KIND_PELNOMOCNICTWO, today), c.power) << c.end;
    }
}

// ---- A whole file -------------------------------------------------------------------------

// Every field's value and every checksum of the records.
std::vector<std::string> snapshot(const std::vector<ReadRecord>& records) {
    std::vector<std::string> s;
    for (const ReadRecord& r : records) {
        for (const ConstFieldRef& f : std::as_const(*r.record).fields())
            s.emplace_back(f.field->view());
        s.push_back(std::to_string(r.record->CRC));
    }
    return s;
}

template <class R>
R& nth(std::vector<ReadRecord>& records, RecordKind kind, int n) {
    for (ReadRecord& r : records)
        if (r.kind == kind && n-- == 0) return static_cast<R&>(*r.record);
    throw std::logic_error("no such record");
}

TEST(FileFindings, InFileOrderWithTheirApplicationAndNothingChanged) {
    samples::SampleShape shape;
    shape.applications = 2;
    shape.boardMembers = 1;
    shape.employees = 2;
    shape.powersOfAttorney = 1;
    shape.policies = 2;
    const std::string bytes = samples::sampleFileBytes(3, shape, 7);
    MemoryInput in(bytes);
    const std::unique_ptr<DataRecord> document =
        readApplicationFile(in, samples::sampleUndertaking());
    std::vector<ReadRecord> records = document->TakeRecords();

    // The samples' NIPs are random and their sex apart from the PESEL: made to agree here.
    for (ReadRecord& r : records) {
        if (r.kind == KIND_AGENT) {
            auto& agent = static_cast<TRecAgenta&>(*r.record);
            agent.NIP_AGENTA = agent.NIP_Osoby_Fizycznej = texts::EMPTY.view();
        } else if (r.kind == KIND_PRACOWNIK || r.kind == KIND_ZARZAD) {
            auto& person = static_cast<TRecOsoba&>(*r.record);
            person.NIP = texts::EMPTY.view();
            person.Plec = (person.PESEL.view()[9] - '0') % 2 ? texts::MEZCZYZNA.view()
                                                             : texts::KOBIETA.view();
        }
    }
    // Values a check would rewrite or refuse, and numbers that draw warnings.
    auto& first = nth<TRecWniosek>(records, KIND_WNIOSEK, 0);
    first.DataWniosku = " 01.02.2026 ";
    const std::string firstNumber = cp1250::toUtf8(first.NumerWniosku.view());
    auto& employee = nth<TRecPracownik>(records, KIND_PRACOWNIK, 0);
    employee.Imie = " MAREK ";
    employee.Nazwisko = "ADAMCZYK";
    employee.Plec = texts::MEZCZYZNA.view();
    employee.PESEL = kMarekPesel;
    employee.NIP = kPersonNip;
    auto& member = nth<TRecZarzad>(records, KIND_ZARZAD, 0);
    const std::string memberPesel = wrongLast(pesel("8505051234"));
    member.Nazwisko = texts::EMPTY.view();
    member.PESEL = memberPesel;
    member.Plec = texts::KOBIETA.view();
    auto& policy = nth<TRecPolisaOC3>(records, KIND_POLISA, 1);
    policy.WazneOd = "01.01.2020";
    policy.WazneDo = "31.12.2020";
    const std::string policyId = cp1250::toUtf8(policy.ID_PolisyOC.view());
    auto& second = nth<TRecWniosek>(records, KIND_WNIOSEK, 1);
    const std::string secondNumber = cp1250::toUtf8(second.NumerWniosku.view());
    second.TypRekordu = "WNIOSEK";
    const std::vector<std::string> before = snapshot(records);

    const std::vector<Finding> findings = findingsOf(records, CalendarDate{2026, 6, 1});
    EXPECT_EQ(snapshot(records), before);
    const std::vector<std::tuple<bool, std::string, std::string>> expected = {
        {false, firstNumber, "Polisa nr " + policyId + " wygasła 31.12.2020"},
        {true, firstNumber,
         "Pole NAZWISKO jest puste; maksymalna długość pola: 28; Pole jest obowiązkowe!; Typ "
         "rekordu: CZŁONEK ZARZĄDU; Rodzaj: NOWY"},
        {false, firstNumber, "PESEL " + memberPesel + " członka zarządu ma błędną cyfrę kontrolną"},
        {true, secondNumber, "Pole TYPREKORDU ma błędną długość; maksymalna długość pola: 3"},
    };
    std::vector<std::tuple<bool, std::string, std::string>> got;
    for (const Finding& f : findings)
        got.emplace_back(f.refusal, f.placement, f.text);
    EXPECT_EQ(got, expected);

    // The records write back to the very bytes read once the edits are undone.
    MemoryInput in2(bytes);
    const std::unique_ptr<DataRecord> again =
        readApplicationFile(in2, samples::sampleUndertaking());
    std::vector<ReadRecord> unchanged = again->TakeRecords();
    findingsOf(unchanged, CalendarDate{2026, 6, 1});
    std::deque<_RecData> entries;
    for (const ReadRecord& r : unchanged) {
        entries.push_back({r.record.get(), r.kind, 0});
        again->PobierzListe().push_back(&entries.back());
    }
    MemoryOutput out;
    ASSERT_TRUE(again->ZapiszDoStrumienia(out));
    EXPECT_EQ(out.bytes(), bytes);
}

TEST(FileFindings, OneLineOfAMessage) {
    EXPECT_EQ(oneLine("Błędny rodzaj operacji.\n Typ rekordu: AGENT\n\nRodzaj: WPIS\n"),
              "Błędny rodzaj operacji.; Typ rekordu: AGENT; Rodzaj: WPIS");
    EXPECT_EQ(oneLine("bez zmian"), "bez zmian");
}

}  // namespace
}  // namespace tavik
