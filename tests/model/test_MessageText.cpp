#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "model/MessageText.h"

namespace tavik {
namespace {

TEST(MessageText, ControlCharactersAndBrokenBytesAreEscaped) {
    const std::pair<std::string, std::string> cases[] = {
        {"Plik\nzostał rozdzielony", "Plik\nzostał rozdzielony"},  // the messages' own
        {"WNIOSEK NR: \x1B[31m1", "WNIOSEK NR: \\x1B[31m1"},
        {std::string("A\0B", 3), "A\\x00B"},
        {"a\tb\rc\x7F", "a\\x09b\\x0Dc\\x7F"},
        {"\xC2\x80|\xC2\x81|\xC2\x9B|\xC2\x9F", "\\x80|\\x81|\\x9B|\\x9F"},  // C1
        {"\xC2\xA0ąśżŁ€„”\\", "\xC2\xA0ąśżŁ€„”\\"},  // no-break space, letters, backslash
        {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},    // outside the basic plane
        // Bytes that are not UTF-8, each shown by its value.
        {"\xFF\x80", "\\xFF\\x80"},
        {"\xC0\x80", "\\xC0\\x80"},           // overlong
        {"\xED\xA0\x80", "\\xED\\xA0\\x80"},  // a surrogate
        {"x\xC4", "x\\xC4"},                  // cut short
        {"\xC4\x85\xC4", "ą\\xC4"},
    };
    for (const auto& [given, shown] : cases)
        EXPECT_EQ(showableText(given), shown);
}

TEST(MessageText, UnexpectedFailures) {
    const auto text = [](auto thrown) {
        try {
            throw thrown;
        } catch (...) {
            return unexpectedFailureText();
        }
    };
    EXPECT_EQ(text(std::runtime_error("awaria dysku")), "Nieoczekiwany błąd: awaria dysku");
    EXPECT_EQ(text(std::bad_alloc()), "Brak pamięci do wykonania polecenia.");
    EXPECT_EQ(text(42), "Nieoczekiwany błąd nieznanego rodzaju.");
}

}  // namespace
}  // namespace tavik
