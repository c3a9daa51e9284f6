#include <gtest/gtest.h>

#include <deque>

#include "interchange/Warnings.h"
#include "model/ApplicationFile.h"
#include "model/Cp1250.h"
#include "tools/samples/SampleDocuments.h"

namespace tavik {
namespace {

using Texts = std::vector<std::string>;

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
std::string wrongLast(std::string number) {
    number.back() = static_cast<char>('0' + (number.back() - '0' + 1) % 10);
    return number;
}
// The first NIP base from `from` on whose remainder is 10, and REGON-9 base whose is.
std::string nipBaseWithRemainder10() {
    for (int n = 123456789;; ++n) {
        const std::string base = std::to_string(n);
        if (nip(base).size() == 11) return base;  // the control took two digits: 10
    }
}
std::string regonBaseWithRemainder10() {
    for (int n = 12345678;; ++n) {
        int sum = 0;
        const std::string base = std::to_string(n);
        const int weights[] = {8, 9, 2, 3, 4, 5, 6, 7};
        for (int i = 0; i < 8; ++i)
            sum += (base[i] - '0') * weights[i];
        if (sum % 11 == 10) return base;
    }
}
std::string nipGrouped(const std::string& d, bool company) {
    if (company)
        return d.substr(0, 3) + "-" + d.substr(3, 2) + "-" + d.substr(5, 2) + "-" + d.substr(7);
    return d.substr(0, 3) + "-" + d.substr(3, 3) + "-" + d.substr(6, 2) + "-" + d.substr(8);
}

TEST(NumberRules, CheckDigitsAcceptWhatTheRuleBuildsAndNothingElse) {
    const std::string nipBase10 = nipBaseWithRemainder10(),
                      regonBase10 = regonBaseWithRemainder10();
    const std::string goodRegon14 = regon14(regon9("12345678") + "1234");
    const std::pair<std::string, bool> pesels[] = {{pesel("8505051234"), true},
                                                   {wrongLast(pesel("8505051234")), false},
                                                   {pesel("0232150001"), true},
                                                   {pesel("8505051234").substr(0, 10), false},
                                                   {"8505051234X", false}};
    for (const auto& [number, valid] : pesels)
        EXPECT_EQ(peselCheckDigitValid(number), valid) << number;

    const std::pair<std::string, bool> nips[] = {
        {nip("526000292"), true},
        {wrongLast(nip("526000292")), false},
        {nip("106000005"), true},
        {"526-00-02-925", false}};  // the dashes are the caller's to leave out
    for (const auto& [number, valid] : nips)
        EXPECT_EQ(nipCheckDigitValid(number), valid) << number;
    // A remainder of 10 has no digit: no last digit makes the number valid.
    for (char last = '0'; last <= '9'; ++last)
        EXPECT_FALSE(nipCheckDigitValid(nipBase10 + last)) << nipBase10 + last;

    const std::pair<std::string, bool> regons[] = {
        {regon9("12345678"), true},
        {wrongLast(regon9("12345678")), false},
        {regonBase10 + "0", true},  // a remainder of 10 stands for 0
        {regonBase10 + "1", false},
        {goodRegon14, true},
        {wrongLast(goodRegon14), false},
        // A right last digit over a wrong nine-digit head.
        {regon14(wrongLast(regon9("12345678")) + "1234"), false},
        {regon9("12345678") + "0", false},
        {"12345678A", false}};
    for (const auto& [number, valid] : regons)
        EXPECT_EQ(regonCheckDigitValid(number), valid) << number;
}

TEST(NumberRules, PeselBirthDateByCentury) {
    using D = std::optional<CalendarDate>;
    const std::pair<std::string, D> cases[] = {
        {"850505", CalendarDate{1985, 5, 5}},
        {"858505", CalendarDate{1885, 5, 5}},
        {"852505", CalendarDate{2085, 5, 5}},
        {"854505", CalendarDate{2185, 5, 5}},
        {"856505", CalendarDate{2285, 5, 5}},
        {"853212", CalendarDate{2085, 12, 12}},
        {"002229", CalendarDate{2000, 2, 29}},  // a leap year
        {"000229", std::nullopt},               // 1900 was none
        {"850230", std::nullopt},
        {"851305", std::nullopt},
        {"850005", std::nullopt},
        {"859305", std::nullopt},
        {"850500", std::nullopt}};
    for (const auto& [head, date] : cases)
        EXPECT_EQ(peselBirthDate(pesel(head + "1234")), date) << head;
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
    };
    for (const Case& c : cases)
        EXPECT_EQ(personWarnings<TRecPracownik>(c.changes), c.warnings)
            << ::testing::PrintToString(c.changes);
    EXPECT_EQ(personWarnings<TRecZarzad>({{"NIP", badNip}}),
              Texts{"NIP " + badNip + " członka zarządu ADAMCZYK MAREK ma błędną cyfrę kontrolną"});
}

Texts agentWarnings(const std::map<std::string, std::string>& values) {
    TRecAgenta3 a;
    set(a, values);
    return warningsOf(a);
}

TEST(RecordWarnings, AgentsNumbersAndRegisters) {
    const std::string company = "AGENCJA NOWAK SP. Z O.O.", person = "JAN KOWALSKI";
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
        {{{"NazwaAgenta", company},
          {"NIP AGENTA", goodNip},
          {"RodzajRejestru", krs},
          {"Numer_z_Rejestru", "0000123456"}},
         {}},
        {{{"NazwaAgenta", company}, {"NIP AGENTA", badNip}},
         {"NIP " + badNip + " agenta " + company + " ma błędną cyfrę kontrolną"}},
        {{{"NazwaAgenta", company}, {"RodzajRejestru", krs}, {"Numer_z_Rejestru", "000012345"}},
         {"KRS 000012345 agenta " + company + " nie składa się z 10 cyfr"}},
        {{{"NazwaAgenta", company}, {"RodzajRejestru", "KRS"}, {"Numer_z_Rejestru", "KRS12345"}},
         {"KRS KRS12345 agenta " + company + " nie składa się z 10 cyfr"}},
        {{{"NazwaAgenta", company}, {"RodzajRejestru", "REGON"}, {"Numer_z_Rejestru", good9}}, {}},
        {{{"NazwaAgenta", company}, {"RodzajRejestru", "REGON"}, {"Numer_z_Rejestru", good14}}, {}},
        {{{"NazwaAgenta", company},
          {"RodzajRejestru", "REGON"},
          {"Numer_z_Rejestru", wrongLast(good14)}},
         {"REGON " + wrongLast(good14) + " agenta " + company + " ma błędną cyfrę kontrolną"}},
        {{{"NazwaAgenta", company},
          {"RodzajRejestru", "REGON"},
          {"Numer_z_Rejestru", "1234567890"}},
         {"REGON 1234567890 agenta " + company + " nie składa się z 9 ani z 14 cyfr"}},
        // Other registers have numbers of their own shapes.
        {{{"NazwaAgenta", company},
          {"RodzajRejestru", "EWIDENCJA DZIAŁALNOŚCI GOSPODARCZEJ"},
          {"Numer_z_Rejestru", "12/AB"}},
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

struct Snapshot {
    std::vector<std::string> values;
    std::vector<std::uint32_t> checksums;
    bool operator==(const Snapshot&) const = default;
};
Snapshot snapshot(const std::vector<ReadRecord>& records) {
    Snapshot s;
    for (const ReadRecord& r : records) {
        for (const ConstFieldRef& f : std::as_const(*r.record).fields())
            s.values.emplace_back(f.field->view());
        s.checksums.push_back(r.record->CRC);
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
    const Snapshot before = snapshot(records);

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
    const std::unique_ptr<DataRecord> again = [&] {
        MemoryInput in2(bytes);
        return readApplicationFile(in2, samples::sampleUndertaking());
    }();
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
