#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/Exception.h"
#include "model/Field.h"

// The field checks every record check is built of. Each takes the result code first, sets it
// before it returns or raises, and raises WalidationErr carrying that code and a UTF-8 message.
// Field values are code page 1250; field names are UTF-8.
namespace tavik {

enum class FieldKind : std::uint8_t { Number = 0, Text = 1, Date = 2 };

// Result codes of the checks.
enum WalidationCode : int {
    CODE_PASSED = 0,
    CODE_NO_AGENT = 3,
    CODE_NO_PERSON = 4,  // employee or board member
    CODE_NO_POLICY = 5,
    CODE_LENGTH = 8,  // wrong length, or minimum above maximum
    CODE_EMPTY = 9,   // required field holds "<E>"
    CODE_DATE = 10,   // date not convertible
    CODE_OPERATION = 12,
    CODE_PERIOD = 15,  // validity period start not earlier than its end
    CODE_NOT_A_NUMBER = 16,
    CODE_NO_APPLICATION = 17,
    CODE_NULL_FIELD = 18,
};

// A day of the proleptic Gregorian calendar, years 1 to 9999.
struct CalendarDate {
    int year, month, day;
    auto operator<=>(const CalendarDate&) const = default;
};

bool existsInCalendar(const CalendarDate& date);

// A dd.mm.yyyy value read as the checks read it, when it is a day of the calendar.
std::optional<CalendarDate> calendarDate(std::string_view value);

// Stands for a limit of SprawdzPole: the field's own length once blanks are trimmed. An own
// minimum leaves only the maximum to enforce; an own maximum is never exceeded.
inline constexpr int kOwnLength = -1;

// Sets the code and raises WalidationErr with it.
[[noreturn]] void raiseWalidation(int& code, int value, std::string message);

// Replaces ";" by blanks, trims, stores the value back (an emptied field holds "<E>"), then
// checks presence, length and, by kind, the number or the date (which it rewrites dd.mm.yyyy).
void SprawdzPole(int& code, Field* field, std::string_view name, int minimum, int maximum,
                 FieldKind kind, bool required);

// A dd.mm.yyyy date ("<E>" passes), rewritten with two-digit day and month and a four-digit
// year.
void SprawdzDate(int& code, Field& field, std::string_view name);

// The tax-number layout: DDD-DD-DD-DDD for a company, DDD-DDD-DD-DD for a person ("<E>"
// passes).
void SprawdzNIP(int& code, const Field& field, bool companyGrouping);

// Eight digits followed by the suffix "/A", "/P" or "/C".
void SprawdzNrRA(int& code, const Field& field, std::string_view suffix);

// The start of a validity period must come before its end; an end of "<E>" leaves it open.
void SprawdzOkres(int& code, const Field& end, const Field& start);

}  // namespace tavik
