#include <gtest/gtest.h>

#include "model/TextLines.h"
#include "model/read_base.h"

namespace tavik {
namespace {

// The error code a read ends with, or 0 when it succeeds.
template <class Read>
int codeOf(read_base& reader, Read read) {
    try {
        read();
        return 0;
    } catch (const read_error&) {
        return reader.errorCode();
    }
}

TEST(Tokenizer, FieldsOfALineClosedBySeparator) {
    read_base r;
    r.UstawLinie("AGW;ABC;");
    EXPECT_EQ(r.CzytajTekst(3, false), "AGW");
    EXPECT_EQ(r.position(), 4);
    EXPECT_EQ(r.CzytajTekst(3, false), "ABC");
    EXPECT_EQ(r.position(), 8);
    EXPECT_EQ(codeOf(r, [&] { r.CzytajTekst(3, false); }), 1221);  // the line is used up
    EXPECT_EQ(r.lineCounter(), 1);
    EXPECT_EQ(r.position(), 0);
}

TEST(Tokenizer, LastFieldWithoutSeparatorIsNoError) {
    for (bool allowEnd : {false, true}) {
        read_base r;
        r.UstawLinie("A;B");
        EXPECT_EQ(r.CzytajTekst(1, allowEnd), "A");
        EXPECT_EQ(r.CzytajTekst(1, allowEnd), "B");
        // A further call on the used-up line gives an empty field without counting a line end.
        EXPECT_EQ(r.NastepnePole(true), "");
        EXPECT_EQ(r.NastepnePole(true), "");
        EXPECT_EQ(r.lineCounter(), 0);
    }
}

TEST(Tokenizer, LineFeedEndsAFieldOnlyWhereAllowed) {
    read_base r;
    r.UstawLinie("AB\n");
    EXPECT_EQ(codeOf(r, [&] { r.NastepnePole(false); }), 1001);
    r.UstawLinie("AB\n");
    EXPECT_EQ(r.NastepnePole(true), "AB");
    EXPECT_EQ(r.lineCounter(), 2);
    // Inside a field the line feed is dropped, counted, and scanning goes on.
    r.UstawLinie("A\nB;C");
    EXPECT_EQ(r.NastepnePole(false), "AB");
    EXPECT_EQ(r.lineCounter(), 3);
    EXPECT_EQ(r.NastepnePole(false), "C");
}

TEST(Tokenizer, EmptyFieldBetweenSeparators) {
    read_base r;
    r.UstawLinie("X;;Y");
    r.NastepnePole(false);
    EXPECT_EQ(codeOf(r, [&] { r.CzytajTekst(5, false); }), 1221);
    r.UstawLinie("X;;Y");
    r.NastepnePole(false);
    EXPECT_EQ(r.CzytajLiczbe(5, false), 0);
    EXPECT_EQ(r.errorCode(), 0);
    EXPECT_EQ(r.CzytajTekst(1, true), "Y");
}

TEST(Tokenizer, FieldLimitOf1024Characters) {
    read_base r;
    r.UstawLinie(std::string(1024, 'x') + ";");
    EXPECT_EQ(r.CzytajTekst(1024, false).size(), 1024u);
    r.UstawLinie(std::string(1025, 'x'));
    EXPECT_EQ(codeOf(r, [&] { r.CzytajTekst(5000, true); }), 1002);
    r.UstawLinie(std::string(1025, 'x'));
    EXPECT_EQ(codeOf(r, [&] { r.CzytajLiczbe(5000, true); }), 1002);
}

TEST(Tokenizer, TextLengthIsTestedBeforeTrimming) {
    read_base r;
    r.UstawLinie("    ;");
    EXPECT_EQ(codeOf(r, [&] { r.CzytajTekst(3, false); }), 1221);
    r.UstawLinie("    ;");
    EXPECT_EQ(r.CzytajTekst(4, false), "");  // blanks only: an empty text
    r.UstawLinie(" \t AB \x01;");
    EXPECT_EQ(r.CzytajTekst(10, false), "AB");
    r.UstawLinie("ABCD;");
    EXPECT_EQ(codeOf(r, [&] { r.CzytajTekst(3, false); }), 1221);
}

TEST(Tokenizer, Integers) {
    struct Case {
        const char* field;
        std::size_t maximum;
        int code;
        std::int32_t value;
    };
    for (const Case& c :
         {Case{"007", 3, 0, 7}, Case{"-12", 3, 0, -12}, Case{"+5", 2, 0, 5},
          Case{"12a", 3, 1212, 0}, Case{"1 2", 3, 1212, 0}, Case{"1234", 3, 1211, 0},
          Case{"2147483647", 10, 0, 2147483647}, Case{"2147483648", 10, 1212, 0},
          Case{"-2147483648", 11, 0, INT32_MIN}, Case{"0x1F", 4, 1212, 0}, Case{"-", 1, 1212, 0}}) {
        read_base r;
        r.UstawLinie(c.field);
        std::int32_t value = 0;
        EXPECT_EQ(codeOf(r, [&] { value = r.CzytajLiczbe(c.maximum, true); }), c.code) << c.field;
        EXPECT_EQ(value, c.value) << c.field;
    }
}

TEST(Tokenizer, ErrorCodeIsClearedAtEveryField) {
    read_base r;
    r.UstawLinie("ABCD;EF");
    EXPECT_EQ(codeOf(r, [&] { r.CzytajTekst(2, false); }), 1221);
    EXPECT_EQ(r.CzytajTekst(2, true), "EF");
    EXPECT_EQ(r.errorCode(), 0);
}

TEST(TextLines, EveryKindOfLineEnd) {
    EXPECT_EQ(splitLines("A\r\nB\nC\rD"), (std::vector<std::string>{"A", "B", "C", "D"}));
    EXPECT_EQ(splitLines("A\r\n\r\nB\r\n"), (std::vector<std::string>{"A", "", "B"}));
    EXPECT_TRUE(splitLines("").empty());
}

TEST(Tokenizer, ChecksumFieldIsHexadecimalWithoutPadding) {
    EXPECT_EQ(checksumField("0000ABCD"), checksumField("ABCD"));
    EXPECT_EQ(checksumField("abcd"), 0xABCDu);
    EXPECT_EQ(checksumField("FFFFFFFF"), 0xFFFFFFFFu);
    EXPECT_EQ(checksumField("12G4"), 0u);
    EXPECT_EQ(checksumField("123456789"), 0u);
    EXPECT_EQ(checksumField(""), 0u);
}

}  // namespace
}  // namespace tavik
