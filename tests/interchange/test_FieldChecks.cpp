#include <gtest/gtest.h>

#include <functional>

#include "interchange/FieldChecks.h"
#include "model/Cp1250.h"

namespace tavik {
namespace {

using Check = std::function<void(int&, Field&)>;

struct Row {
    const char* value;
    std::string verdict;           // "" when the check passes, else its code and message
    const char* stored = nullptr;  // the value afterwards; nullptr: unchanged
};

void expectRows(const Check& check, const std::vector<Row>& rows) {
    for (const Row& row : rows) {
        Field field(cp1250::fromUtf8OrThrow(row.value));
        int code = -1;
        std::string verdict;
        try {
            check(code, field);
            EXPECT_EQ(code, 0);
        } catch (const WalidationErr& e) {
            EXPECT_EQ(e.code(), code) << "the code raised differs from the code set";
            verdict = std::to_string(code) + " " + e.message();
        }
        EXPECT_EQ(verdict, row.verdict) << row.value;
        EXPECT_EQ(cp1250::toUtf8(field.view()), row.stored ? row.stored : row.value) << row.value;
    }
}

Check pole(int minimum, int maximum, bool required, FieldKind kind = FieldKind::Text,
           std::string_view name = "Nazwa zakładu") {
    return
        [=](int& code, Field& f) { SprawdzPole(code, &f, name, minimum, maximum, kind, required); };
}
std::string badLength(int maximum) {
    return "8 Pole NAZWA ZAKŁADU ma błędną długość\nmaksymalna długość pola: " +
           std::to_string(maximum);
}
std::string isEmpty(int maximum) {
    return "9 Pole NAZWA ZAKŁADU jest puste\nmaksymalna długość pola: " + std::to_string(maximum) +
           "\nPole jest obowiązkowe!";
}
constexpr int OWN = kOwnLength;
constexpr bool R = true, O = false;

// clang-format off
TEST(SprawdzPole, LimitsPresenceAndNormalisation) {
    expectRows(pole(2, 5, R), {
        {"A", badLength(5)}, {"AB", ""}, {"ABCDE", ""}, {"ABCDEF", badLength(5)},
        {"<E>", isEmpty(5)}, {" ;<E>; ", isEmpty(5), "<E>"},
        {" \t ", badLength(5), "<E>"}, {";", badLength(5), "<E>"},  // nothing left once trimmed
        {"AB;;", "", "AB"}, {"\t ŁÓ;DŹ \r\n", "", "ŁÓ DŹ"}});  // lengths in code page 1250
    expectRows(pole(2, 3, R), {{"A;;B", badLength(3), "A  B"}});  // replaced, not removed
    expectRows(pole(2, 5, O), {{"<E>", ""}, {"   ", "", "<E>"}, {"A", badLength(5)}});
    expectRows(pole(5, 2, R), {{"ABC", "8 Pole NAZWA ZAKŁADU posiada błędnie zdefiniowaną długość"},
                               {"<E>", isEmpty(2)}});
    // Own limits are the trimmed value's own length.
    expectRows(pole(OWN, OWN, R), {{"  ANY LENGTH  ", "", "ANY LENGTH"}, {"<E>", isEmpty(3)},
                                   {"  ", badLength(0), "<E>"}});
    expectRows(pole(OWN, 5, R), {{"A", ""}, {"ABCDEF", badLength(5)}});
    int code = -1;
    try {
        SprawdzPole(code, nullptr, "Płec", 1, 2, FieldKind::Text, false);
        ADD_FAILURE();
    } catch (const WalidationErr& e) {
        EXPECT_EQ(std::to_string(code) + " " + e.message(), "18 Wartość w polu PŁEC jest NULL");
    }
}

TEST(SprawdzPole, NumbersAndDates) {
    std::vector<Row> rows{{" 007 ", "", "007"}};
    for (const char* good : {"-12", "+3", "1,5", "1.5", ",5", "5."}) rows.push_back({good, ""});
    for (const char* bad : {"1e5", "1 000", "0x1F", "1,2,3", "1.2,3", "+", ".", "1-"})
        rows.push_back({bad, "16 Wartość w polu SUMA UBEZPIECZENIA musi być LICZBA !"});
    expectRows(pole(1, 13, R, FieldKind::Number, "Suma ubezpieczenia"), rows);
    expectRows(pole(2, 10, R, FieldKind::Date, "WazneOd"), {
        {" +5.01.2003 ", "", "05.01.2003"},
        {" 5.1.2003 ", "10 Błędny format daty w polu WazneOd", "5.1.2003"}});  // trimmed first
}

TEST(SprawdzDate, FormatsSeparatorsAndCalendar) {
    const std::string format = "10 Błędny format daty w polu WazneDo";
    const std::string separator = "10 Błędny separator daty w polu WazneDo";
    expectRows([](int& code, Field& f) { SprawdzDate(code, f, "WazneDo"); }, {
        {"05.01.2003", ""}, {"<E>", ""}, {"29.02.2004", ""}, {"31.12.9999", ""},
        {"+5.+1.2003", "", "05.01.2003"}, {"05.01.203", "", "05.01.0203"},  // a small year
        {"5.1.2003", format}, {"05-01-2003", separator}, {"05.01 2003", separator},
        {"2003-01-05", format},  // the pieces convert before the separators are looked at
        {"31.02.2003", format}, {"29.02.1900", format}, {"05.13.2003", format},
        {"05.01.0000", format}, {"-5.01.2003", format},
        {"05.01.2003X", format},  // nothing is dropped silently
        {"05.01.", format}, {"05", format}});
}

TEST(SprawdzNIP, CompanyAndPersonGroupings) {
    const std::string nip = "16 Błędnie wypełniony NIP dla AGENTA!";
    for (const bool company : {true, false})
        expectRows([=](int& code, Field& f) { SprawdzNIP(code, f, company); }, {
            {"<E>", ""}, {"123-45-67-890", company ? "" : nip},
            {"123-45-67-890 ", company ? "" : nip},  // groups are trimmed
            {"+12-45-67-890", company ? "" : nip},   // a group is an integer
            {"123-456-78-90", company ? nip : ""}, {"12A-45-67-890", nip}, {"123-456-7B-90", nip},
            {"123-45-67-89", nip}, {"123-456-78-9", nip}, {"123", nip}, {"123+45-67-890", nip}});
}

TEST(SprawdzNrRA, TheThreeMasks) {
    const auto mask = [](const char* suffix) {
        return [=](int& code, Field& f) { SprawdzNrRA(code, f, suffix); };
    };
    const std::string length = "8 Długość nr w RA wynosi 10 znaków";
    const std::string maskA = "16 Błędna maska nr w RA dla Agenta, format 99999999/A";
    expectRows(mask("/A"), {{"12345678/A", ""}, {"12345678/P", maskA}, {"1234567X/A", maskA},
                            {"1234567/A", length}, {"12345678/A ", length}, {"<E>", length}});
    expectRows(mask("/P"), {{"12345678/P", ""},
        {"1234567X/P", "16 Błędna maska nr w RA dla Pracownika, format 99999999/P"}});
    expectRows(mask("/C"), {{"12345678/C", ""},
        {"12345678/A", "16 Błędna maska nr w RA dla czł. zarządu, format 99999999/C"}});
}

TEST(SprawdzOkres, StartMustComeBeforeEnd) {
    const auto from = [](const char* start) {
        return [=](int& code, Field& end) { SprawdzOkres(code, end, Field(start)); };
    };
    const std::string format = "10 Błędny format daty!";
    const std::string later = "15 DataOd jest większa niż DataDo";
    expectRows(from("05.01.2003"), {{"06.01.2003", ""}, {"<E>", ""}, {"05.01.2003", later},
                                    {"04.01.2003", later}, {"31.02.2003", format}});
    expectRows(from("31.12.2002"), {{"01.01.2003", ""}});  // by date, not by text
    expectRows(from("05-01-2003"), {{"06.01.2003", ""}});  // no separator test here
    expectRows(from("31.02.2003"), {{"<E>", format}});  // the start is converted even when open
}
// clang-format on

}  // namespace
}  // namespace tavik
