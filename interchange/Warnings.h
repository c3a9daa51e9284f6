#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "interchange/FieldChecks.h"
#include "model/Recdata.h"

namespace tavik {
class ReadCIA;
}

// Warnings: what looks wrong in a record that its check accepts (a check digit, a birth date
// or sex a PESEL contradicts, a register number of the wrong shape, a period already over).
// They never refuse anything and never change a record. Texts are UTF-8, one line each.
namespace tavik {

// ---- The number rules, on digits alone ----------------------------------------------------

// Eleven digits whose last is the check digit of the first ten.
bool peselCheckDigitValid(std::string_view digits);
// The birth date eleven digits encode, when it is a day of the calendar; the month carries
// the century (+80 for 1800–1899, +0, +20, +40, +60 for 1900 to 2299).
std::optional<CalendarDate> peselBirthDate(std::string_view digits);
// Ten digits whose last is the check digit of the first nine (a remainder of 10 never is).
bool nipCheckDigitValid(std::string_view digits);
// Nine digits, or fourteen whose first nine are a valid nine-digit number too.
bool regonCheckDigitValid(std::string_view digits);

// ---- The warnings of one record -----------------------------------------------------------

std::vector<std::string> warningsOf(const TRecAgenta& agent);
std::vector<std::string> warningsOf(const TRecPracownik& employee);
std::vector<std::string> warningsOf(const TRecZarzad& boardMember);
// A period whose end comes before today.
std::vector<std::string> warningsOf(const TRecPolisaOC& policy, const CalendarDate& today);
std::vector<std::string> warningsOf(const TRecPelnomocnictwo& power, const CalendarDate& today);
// By the record's kind; nothing for the kinds without warnings.
std::vector<std::string> warningsOf(const TRecord& record, RecordKind kind,
                                    const CalendarDate& today);

// ---- A whole file -------------------------------------------------------------------------

// The check's refusal of a copy of the record, as one line, or nothing when it passes: the
// record itself is left as it is. Agents and policies are checked by the check of their class.
std::optional<std::string> refusalOf(const TRecord& record, RecordKind kind);

struct Finding {
    bool refusal;           // otherwise a warning
    std::string placement;  // the number of the record's application (UTF-8), or ""
    std::string text;
};

// Every refusal and warning of the records of an application file, in file order; for each
// record its refusal comes before its warnings.
std::vector<Finding> findingsOf(const std::vector<ReadRecord>& records, const CalendarDate& today);

// Every refusal and warning of the lines of one text file, in line order: each refused line
// with the reader's message made one line, each warning of a record read with the record's
// line. The reader goes on past refused lines; what it reads is left in its entries().
struct LineFinding {
    bool refusal;
    std::size_t line;  // from 1
    std::string text;
    bool operator==(const LineFinding&) const = default;
};
std::vector<LineFinding> lineFindingsOf(ReadCIA& reader, const std::vector<std::string>& lines,
                                        const CalendarDate& today);

// A text of a record (code page 1250) in a finding, which is one line: a line break a file
// brought in is written as messages write the other controls ("\x0A").
std::string inOneLine(std::string_view cp1250Text);

// The day of the calendar where the program runs.
CalendarDate localToday();

// A message of several lines as one: the lines trimmed and joined with the separator.
std::string oneLine(std::string_view message, std::string_view separator = "; ");

}  // namespace tavik
