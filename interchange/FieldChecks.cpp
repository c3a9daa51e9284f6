#include "interchange/FieldChecks.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "model/Cp1250.h"
#include "model/TextValues.h"

namespace tavik {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// An optional sign, digits and at most one decimal separator ("," or ".") with digits on at
// least one side of it.
bool isNumber(std::string_view s) {
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) s.remove_prefix(1);
    bool separator = false, digits = false;
    for (char c : s) {
        if (isDigit(c)) {
            digits = true;
        } else if ((c == ',' || c == '.') && !separator) {
            separator = true;
        } else {
            return false;
        }
    }
    return digits;
}

// The bytes from pos on, at most n of them; nothing past the end of the value.
std::string_view piece(std::string_view v, std::size_t pos, std::size_t n) {
    return pos < v.size() ? v.substr(pos, n) : std::string_view{};
}

// Day, month and year at their fixed places of dd.mm.yyyy, each an integer; the separators
// are not looked at. A value longer than the layout is refused: its tail would be lost.
std::optional<CalendarDate> datePieces(std::string_view v) {
    if (v.size() > 10) return std::nullopt;
    const auto day = decimalInteger(piece(v, 0, 2));
    const auto month = decimalInteger(piece(v, 3, 2));
    const auto year = decimalInteger(piece(v, 6, 4));
    if (!day || !month || !year) return std::nullopt;
    return CalendarDate{*year, *month, *day};
}

// The name as messages show it: upper case by the rules of code page 1250.
std::string upperName(std::string_view utf8Name) {
    std::string name;
    if (!cp1250::fromUtf8(utf8Name, name)) return std::string(utf8Name);
    cp1250::toUpperInPlace(name);
    return cp1250::toUtf8(name);
}

// Replaces ";" by blanks and trims, in the field itself. Returns the value, or an empty view
// when nothing is left (the field then holds "<E>"). A ";" at either end is trimmed with the
// blanks it becomes.
std::string_view normalise(Field& field) {
    const std::string_view value = field.view();
    std::size_t begin = 0, end = value.size();
    const auto cut = [](char c) { return c == ';' || isBlank(c); };
    while (begin < end && cut(value[begin]))
        ++begin;
    while (end > begin && cut(value[end - 1]))
        --end;
    const std::string_view kept = value.substr(begin, end - begin);
    if (kept.empty()) {
        field = texts::EMPTY.view();
        return {};
    }
    if (kept.find(';') != std::string_view::npos) {
        std::string text(kept);
        std::replace(text.begin(), text.end(), ';', ' ');
        field = text;
    } else if (kept.size() != value.size()) {
        field.assign(kept);  // a view of the field itself: assign copies before it frees
    }
    return field.view();
}

[[noreturn]] void raiseDateFormat(int& code, std::string_view name) {
    raiseWalidation(code, CODE_DATE, "Błędny format daty w polu " + std::string(name));
}

}  // namespace

bool existsInCalendar(const CalendarDate& d) {
    if (d.year < 1 || d.year > 9999 || d.month < 1 || d.month > 12 || d.day < 1) return false;
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (d.year % 4 == 0 && d.year % 100 != 0) || d.year % 400 == 0;
    return d.day <= kDays[d.month - 1] + (d.month == 2 && leap ? 1 : 0);
}

std::optional<CalendarDate> calendarDate(std::string_view value) {
    const auto date = datePieces(value);
    if (!date || !existsInCalendar(*date)) return std::nullopt;
    return date;
}

void raiseWalidation(int& code, int value, std::string message) {
    code = value;
    throw WalidationErr(value, std::move(message));
}

void SprawdzPole(int& code, Field* field, std::string_view name, int minimum, int maximum,
                 FieldKind kind, bool required) {
    if (!field)
        raiseWalidation(code, CODE_NULL_FIELD, "Wartość w polu " + upperName(name) + " jest NULL");

    const std::string_view value = normalise(*field);
    const bool marker = value == texts::EMPTY.view();
    if (!required && (value.empty() || marker)) {
        code = CODE_PASSED;
        return;
    }

    const int length = static_cast<int>(value.size());
    const int lowest = minimum == kOwnLength ? 0 : minimum;
    const int highest = maximum == kOwnLength ? std::max(length, lowest) : maximum;
    if (marker)
        raiseWalidation(code, CODE_EMPTY,
                        "Pole " + upperName(name) + " jest puste\nmaksymalna długość pola: " +
                            std::to_string(highest) + "\nPole jest obowiązkowe!");
    if (highest < lowest)
        raiseWalidation(code, CODE_LENGTH,
                        "Pole " + upperName(name) + " posiada błędnie zdefiniowaną długość");
    // An emptied required field fails here even when its limits are its own length: it would
    // otherwise pass as "<E>" and fail the next check.
    if (length == 0 || length < lowest || length > highest)
        raiseWalidation(
            code, CODE_LENGTH,
            "Pole " + upperName(name) +
                " ma błędną długość\nmaksymalna długość pola: " + std::to_string(highest));

    switch (kind) {
        case FieldKind::Number:
            if (!isNumber(value))
                raiseWalidation(code, CODE_NOT_A_NUMBER,
                                "Wartość w polu " + upperName(name) + " musi być LICZBA !");
            break;
        case FieldKind::Date: SprawdzDate(code, *field, name); break;
        case FieldKind::Text: break;
    }
    code = CODE_PASSED;
}

void SprawdzDate(int& code, Field& field, std::string_view name) {
    const std::string_view value = field.view();
    if (value == texts::EMPTY.view()) {
        code = CODE_PASSED;
        return;
    }
    // The pieces are converted before the separators are looked at.
    const auto date = datePieces(value);
    if (!date) raiseDateFormat(code, name);
    if (value.size() < 6 || value[2] != '.' || value[5] != '.')
        // No code of its own: a date with wrong separators is a date that does not convert.
        raiseWalidation(code, CODE_DATE, "Błędny separator daty w polu " + std::string(name));
    if (!existsInCalendar(*date)) raiseDateFormat(code, name);

    char canonical[16];
    const int n = std::snprintf(canonical, sizeof canonical, "%02d.%02d.%04d", date->day,
                                date->month, date->year);
    const std::string_view rewritten(canonical, static_cast<std::size_t>(n));
    if (rewritten != value) field = rewritten;
    code = CODE_PASSED;
}

void SprawdzNIP(int& code, const Field& field, bool companyGrouping) {
    struct Group {
        std::size_t pos, length;
    };
    static constexpr Group kCompany[] = {{0, 3}, {4, 2}, {7, 2}, {10, 3}};
    static constexpr Group kPerson[] = {{0, 3}, {4, 3}, {8, 2}, {11, 2}};
    static constexpr std::size_t kCompanyDashes[] = {3, 6, 9};
    static constexpr std::size_t kPersonDashes[] = {3, 7, 10};

    const std::string_view value = field.view();
    if (value == texts::EMPTY.view()) {
        code = CODE_PASSED;
        return;
    }
    const Group* groups = companyGrouping ? kCompany : kPerson;
    const std::size_t* dashes = companyGrouping ? kCompanyDashes : kPersonDashes;
    bool valid = true;
    for (int i = 0; i < 4 && valid; ++i) {
        // The last group runs to the end of the value.
        const std::string_view group = trimmed(
            piece(value, groups[i].pos, i == 3 ? std::string_view::npos : groups[i].length));
        valid = group.size() == groups[i].length && decimalInteger(group).has_value();
    }
    for (int i = 0; i < 3 && valid; ++i)
        valid = dashes[i] < value.size() && value[dashes[i]] == '-';
    // No code of its own: the value is not a number of the layout.
    if (!valid) raiseWalidation(code, CODE_NOT_A_NUMBER, "Błędnie wypełniony NIP dla AGENTA!");
    code = CODE_PASSED;
}

void SprawdzNrRA(int& code, const Field& field, std::string_view suffix) {
    const std::string_view value = field.view();
    if (value.size() != 10) raiseWalidation(code, CODE_LENGTH, "Długość nr w RA wynosi 10 znaków");
    if (value.substr(8) != suffix || !decimalInteger(value.substr(0, 8))) {
        std::string message;
        if (suffix == "/A")
            message = "Błędna maska nr w RA dla Agenta, format 99999999/A";
        else if (suffix == "/P")
            message = "Błędna maska nr w RA dla Pracownika, format 99999999/P";
        else if (suffix == "/C")
            message = "Błędna maska nr w RA dla czł. zarządu, format 99999999/C";
        else
            message = "Błędna maska nr w RA, format 99999999" + cp1250::toUtf8(suffix);
        // No code of its own: the number is not of the mask.
        raiseWalidation(code, CODE_NOT_A_NUMBER, std::move(message));
    }
    code = CODE_PASSED;
}

void SprawdzOkres(int& code, const Field& end, const Field& start) {
    const auto from = calendarDate(start.view());
    if (!from) raiseWalidation(code, CODE_DATE, "Błędny format daty!");
    if (end.view() == texts::EMPTY.view()) {
        code = CODE_PASSED;
        return;
    }
    const auto to = calendarDate(end.view());
    if (!to) raiseWalidation(code, CODE_DATE, "Błędny format daty!");
    if (!(*from < *to)) raiseWalidation(code, CODE_PERIOD, "DataOd jest większa niż DataDo");
    code = CODE_PASSED;
}

}  // namespace tavik
