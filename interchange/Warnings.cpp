#include "interchange/Warnings.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

#include "interchange/ReadCIA.h"
#include "interchange/walidacja.h"
#include "model/Cp1250.h"
#include "model/Cp1250Literal.h"
#include "model/Exception.h"
#include "model/MessageText.h"
#include "model/TextValues.h"

namespace tavik {

namespace {

constexpr Cp1250Literal kKrajowyRejestrSadowy{"KRAJOWY REJESTR SĄDOWY"};
constexpr Cp1250Literal kKrs{"KRS"};
constexpr Cp1250Literal kRegon{"REGON"};

bool allDigits(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int digitAt(std::string_view s, std::size_t i) {
    return s[i] - '0';
}

template <std::size_t N>
int weightedSum(std::string_view digits, const int (&weights)[N]) {
    int sum = 0;
    for (std::size_t i = 0; i < N; ++i)
        sum += digitAt(digits, i) * weights[i];
    return sum;
}

bool isEmpty(const Field& field) {
    return field.view() == texts::EMPTY.view();
}

std::string utf8(const Field& field) {
    return inOneLine(field.view());
}

std::string dateText(const CalendarDate& d) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d.%02d.%04d", d.day, d.month, d.year);
    return text;
}

// "pracownika ADAMCZYK MAREK": the role, then the surname and first name, or the register
// number where a deletion keeps no names.
std::string personWho(const TRecOsoba& p, std::string_view role) {
    std::string who(role);
    if (!isEmpty(p.Nazwisko)) {
        who.append(" ").append(utf8(p.Nazwisko));
        if (!isEmpty(p.Imie)) who.append(" ").append(utf8(p.Imie));
    } else if (!isEmpty(p.Numer_w_RA)) {
        who.append(" o numerze w RA ").append(utf8(p.Numer_w_RA));
    }
    return who;
}

std::string agentWho(const TRecAgenta& a) {
    return isEmpty(a.NazwaAgenta) ? std::string("agenta") : "agenta " + utf8(a.NazwaAgenta);
}

const char* sexName(bool man) {
    return man ? "MĘŻCZYZNA" : "KOBIETA";
}

// The PESEL of a person whose identity document is the identity card; anything but eleven
// digits is the check's concern, not a warning's. `sex` is the record's "Płeć", if it has one.
// The texts are made only for a fault: most numbers have none.
template <class Who>
void peselWarnings(const Field& pesel, const Field& document, const Field* sex, const Who& who,
                   std::vector<std::string>& out) {
    if (document.view() != texts::DOWOD_OSOBISTY.view()) return;
    const std::string_view digits = trimmed(pesel.view());
    if (digits.size() != 11 || !allDigits(digits)) return;
    const bool checkDigit = !peselCheckDigitValid(digits);
    const bool birthDate = !peselBirthDate(digits);
    const bool man = digitAt(digits, 9) % 2 == 1;
    const bool sexContradicted = sex && (man ? sex->view() == texts::KOBIETA.view()
                                             : sex->view() == texts::MEZCZYZNA.view());
    if (!checkDigit && !birthDate && !sexContradicted) return;
    const std::string head = "PESEL " + std::string(digits) + " " + who();
    if (checkDigit) out.push_back(head + " ma błędną cyfrę kontrolną");
    if (birthDate) out.push_back(head + " zawiera nieistniejącą datę urodzenia");
    if (sexContradicted)
        out.push_back(head + " wskazuje płeć " + sexName(man) + ", a w polu Płeć jest " +
                      sexName(!man));
}

// A NIP held in either grouping: ten digits once the dashes are left out.
template <class Who>
void nipWarning(const Field& nip, std::string_view fieldName, const Who& who,
                std::vector<std::string>& out) {
    const std::string_view value = trimmed(nip.view());
    char digits[10];
    std::size_t count = 0;
    for (char c : value) {
        if (c == '-') continue;
        if (c < '0' || c > '9' || count == sizeof digits) return;
        digits[count++] = c;
    }
    if (count != 10 || nipCheckDigitValid(std::string_view(digits, count))) return;
    out.push_back(std::string(fieldName) + " " + std::string(value) + " " + who() +
                  " ma błędną cyfrę kontrolną");
}

void registerNumberWarning(const TRecAgenta& a, std::vector<std::string>& out) {
    const std::string_view kind = a.RodzajRejestru.view();
    const bool krs = kind == kKrajowyRejestrSadowy.view() || kind == kKrs.view();
    const bool regon = kind == kRegon.view();
    if ((!krs && !regon) || isEmpty(a.Numer_z_Rejestru)) return;
    const std::string_view number = trimmed(a.Numer_z_Rejestru.view());
    const std::string head =
        std::string(krs ? "KRS " : "REGON ") + inOneLine(number) + " " + agentWho(a);
    const bool digits = allDigits(number);
    if (krs) {
        if (!digits || number.size() != 10) out.push_back(head + " nie składa się z 10 cyfr");
    } else if (!digits || (number.size() != 9 && number.size() != 14)) {
        out.push_back(head + " nie składa się z 9 ani z 14 cyfr");
    } else if (!regonCheckDigitValid(number)) {
        out.push_back(head + " ma błędną cyfrę kontrolną");
    }
}

// The end of a period, when it comes before today.
std::optional<CalendarDate> endedBefore(const Field& end, const CalendarDate& today) {
    const auto date = calendarDate(trimmed(end.view()));
    if (date && *date < today) return date;
    return std::nullopt;
}

// The check's refusal of a copy of the record, of the class the check takes.
template <class R, class Check>
std::optional<std::string> refusalOfCopy(const R& record, Check check) {
    R copy(record);
    int code = 0;
    try {
        check(code, &copy);
    } catch (const Exception& e) {
        return oneLine(e.message());
    }
    return std::nullopt;
}

}  // namespace

bool peselCheckDigitValid(std::string_view digits) {
    if (digits.size() != 11 || !allDigits(digits)) return false;
    static constexpr int kWeights[] = {1, 3, 7, 9, 1, 3, 7, 9, 1, 3};
    return (10 - weightedSum(digits, kWeights) % 10) % 10 == digitAt(digits, 10);
}

std::optional<CalendarDate> peselBirthDate(std::string_view digits) {
    if (digits.size() != 11 || !allDigits(digits)) return std::nullopt;
    const int year = digitAt(digits, 0) * 10 + digitAt(digits, 1);
    const int month = digitAt(digits, 2) * 10 + digitAt(digits, 3);
    const int day = digitAt(digits, 4) * 10 + digitAt(digits, 5);
    // The month's tens, in steps of 20, name the century.
    static constexpr int kCenturies[] = {1900, 2000, 2100, 2200, 1800};
    const int offset = month / 20;
    const CalendarDate date{kCenturies[offset] + year, month - 20 * offset, day};
    if (!existsInCalendar(date)) return std::nullopt;
    return date;
}

bool nipCheckDigitValid(std::string_view digits) {
    if (digits.size() != 10 || !allDigits(digits)) return false;
    static constexpr int kWeights[] = {6, 5, 7, 2, 3, 4, 5, 6, 7};
    const int control = weightedSum(digits, kWeights) % 11;
    return control != 10 && control == digitAt(digits, 9);
}

bool regonCheckDigitValid(std::string_view digits) {
    if (!allDigits(digits)) return false;
    if (digits.size() == 9) {
        static constexpr int kWeights[] = {8, 9, 2, 3, 4, 5, 6, 7};
        return weightedSum(digits, kWeights) % 11 % 10 == digitAt(digits, 8);
    }
    if (digits.size() == 14) {
        static constexpr int kWeights[] = {2, 4, 8, 5, 0, 9, 7, 3, 6, 1, 2, 4, 8};
        return regonCheckDigitValid(digits.substr(0, 9)) &&
               weightedSum(digits, kWeights) % 11 % 10 == digitAt(digits, 13);
    }
    return false;
}

std::vector<std::string> warningsOf(const TRecAgenta& agent) {
    std::vector<std::string> out;
    const auto who = [&] { return agentWho(agent); };
    peselWarnings(agent.PESEL, agent.RodzajDokumentuOsFizAgenta, nullptr, who, out);
    nipWarning(agent.NIP_AGENTA, "NIP", who, out);
    nipWarning(agent.NIP_Osoby_Fizycznej, "NIP osoby fizycznej", who, out);
    registerNumberWarning(agent, out);
    return out;
}

namespace {

std::vector<std::string> personWarnings(const TRecOsoba& person, std::string_view role) {
    std::vector<std::string> out;
    const auto who = [&] { return personWho(person, role); };
    peselWarnings(person.PESEL, person.Typ_Dokumentu, &person.Plec, who, out);
    nipWarning(person.NIP, "NIP", who, out);
    return out;
}

}  // namespace

std::vector<std::string> warningsOf(const TRecPracownik& employee) {
    return personWarnings(employee, "pracownika");
}

std::vector<std::string> warningsOf(const TRecZarzad& boardMember) {
    return personWarnings(boardMember, "członka zarządu");
}

std::vector<std::string> warningsOf(const TRecPolisaOC& policy, const CalendarDate& today) {
    if (const auto end = endedBefore(policy.WazneDo, today))
        return {"Polisa nr " + utf8(policy.ID_PolisyOC) + " wygasła " + dateText(*end)};
    return {};
}

std::vector<std::string> warningsOf(const TRecPelnomocnictwo& power, const CalendarDate& today) {
    const auto end = endedBefore(power.WazneDo, today);
    if (!end) return {};
    const std::string scope = isEmpty(power.NazwaGrupy) ? "w dziale " + utf8(power.NazwaDzialu)
                                                        : "w grupie " + utf8(power.NazwaGrupy);
    return {"Pełnomocnictwo " + scope + " wygasło " + dateText(*end)};
}

std::vector<std::string> warningsOf(const TRecord& record, RecordKind kind,
                                    const CalendarDate& today) {
    switch (kind) {
        case KIND_AGENT: return warningsOf(static_cast<const TRecAgenta&>(record));
        case KIND_PRACOWNIK: return warningsOf(static_cast<const TRecPracownik&>(record));
        case KIND_ZARZAD: return warningsOf(static_cast<const TRecZarzad&>(record));
        case KIND_POLISA: return warningsOf(static_cast<const TRecPolisaOC&>(record), today);
        case KIND_PELNOMOCNICTWO:
            return warningsOf(static_cast<const TRecPelnomocnictwo&>(record), today);
        default: return {};
    }
}

std::optional<std::string> refusalOf(const TRecord& record, RecordKind kind) {
    switch (kind) {
        case KIND_WNIOSEK:
            return refusalOfCopy(static_cast<const TRecWniosek&>(record), SprawdzWniosek);
        case KIND_AGENT:
            if (const auto* a3 = dynamic_cast<const TRecAgenta3*>(&record))
                return refusalOfCopy(*a3, SprawdzAgenta3);
            if (const auto* a2 = dynamic_cast<const TRecAgenta2*>(&record))
                return refusalOfCopy(*a2, SprawdzAgenta2);
            return refusalOfCopy(static_cast<const TRecAgenta&>(record), SprawdzAgenta);
        case KIND_PRACOWNIK:
            return refusalOfCopy(static_cast<const TRecPracownik&>(record), SprawdzPracownika);
        case KIND_ZARZAD:
            return refusalOfCopy(static_cast<const TRecZarzad&>(record), SprawdzCzlonkaZarzadu);
        case KIND_POLISA:
            if (const auto* p3 = dynamic_cast<const TRecPolisaOC3*>(&record))
                return refusalOfCopy(*p3, SprawdzPolise3);
            return refusalOfCopy(static_cast<const TRecPolisaOC&>(record), SprawdzPolise);
        case KIND_PELNOMOCNICTWO:
            return refusalOfCopy(static_cast<const TRecPelnomocnictwo&>(record),
                                 SprawdzPelnomocnictwo);
        default: return std::nullopt;
    }
}

std::vector<Finding> findingsOf(const std::vector<ReadRecord>& records, const CalendarDate& today) {
    std::vector<Finding> out;
    for (const ReadRecord& entry : records) {
        const TRecord& record = *entry.record;
        std::optional<std::string> refusal = refusalOf(record, entry.kind);
        std::vector<std::string> warnings = warningsOf(record, entry.kind, today);
        if (!refusal && warnings.empty()) continue;
        const TRecWniosek* application = applicationOf(record, entry.kind);
        const std::string placement = application ? utf8(application->NumerWniosku) : "";
        if (refusal) out.push_back({true, placement, std::move(*refusal)});
        for (std::string& warning : warnings)
            out.push_back({false, placement, std::move(warning)});
    }
    return out;
}

std::vector<LineFinding> lineFindingsOf(ReadCIA& reader, const std::vector<std::string>& lines,
                                        const CalendarDate& today) {
    std::vector<std::size_t> recordLines;
    const std::vector<ReadCIA::LineRefusal> refusals = reader.CzytajKazdaLinie(lines, recordLines);
    const std::vector<ReadRecord>& records = reader.entries();
    std::vector<LineFinding> out;
    auto refusal = refusals.begin();
    const auto refusalsUpTo = [&](std::size_t line) {
        for (; refusal != refusals.end() && refusal->line <= line; ++refusal)
            out.push_back({true, refusal->line, oneLine(refusal->message)});
    };
    for (std::size_t i = 0; i < records.size(); ++i) {
        refusalsUpTo(recordLines[i]);
        for (std::string& warning : warningsOf(*records[i].record, records[i].kind, today))
            out.push_back({false, recordLines[i], std::move(warning)});
    }
    refusalsUpTo(lines.size());
    return out;
}

std::string inOneLine(std::string_view cp1250Text) {
    std::string out;
    for (char c : cp1250::toUtf8(cp1250Text))
        if (c == '\n')
            appendEscaped(out, '\n');
        else
            out += c;
    return out;
}

CalendarDate localToday() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

std::string oneLine(std::string_view message, std::string_view separator) {
    std::string out;
    while (!message.empty()) {
        const std::size_t end = std::min(message.find('\n'), message.size());
        const std::string_view line = trimmed(message.substr(0, end));
        if (!line.empty()) out.append(out.empty() ? "" : separator).append(line);
        message.remove_prefix(std::min(end + 1, message.size()));
    }
    return out;
}

}  // namespace tavik
