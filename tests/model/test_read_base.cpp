#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "model/TextLines.h"
#include "model/read_base.h"

namespace tavik {
namespace {

// Reads `line` step by step ("t3": a text of at most 3, "n3": a number, "f": a raw field; a
// trailing "$" allows the line end) and shows each step as its result, "!" and the error code
// left (a failure's or a stale one), "@" and the position; then "#" and the lines counted.
std::string transcript(std::string_view line, const std::string& steps) {
    read_base r;
    r.UstawLinie(line);
    std::istringstream in(steps);
    std::string out, step;
    while (in >> step) {
        const bool end = step.back() == '$';
        const std::size_t maximum = std::strtoul(step.c_str() + 1, nullptr, 10);
        try {
            out += step[0] == 't'   ? r.CzytajTekst(maximum, end)
                   : step[0] == 'n' ? std::to_string(r.CzytajLiczbe(maximum, end))
                                    : r.NastepnePole(end);
        } catch (const read_error&) {
        }
        if (r.errorCode()) out += "!" + std::to_string(r.errorCode());
        out += "@" + std::to_string(r.position()) + " ";
    }
    return out + "#" + std::to_string(r.lineCounter());
}

TEST(Tokenizer, FieldsTextsAndNumbersOfALine) {
    const std::string x1024(1024, 'x');
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {"AGW;ABC;", "t3 t3 t3", "AGW@4 ABC@8 !1221@0 #1"},  // the line is used up
        // The last field needs no separator, allowed or not: the position passes the line's end,
        // and past it fields are empty.
        {"A;B", "t1 t1 f$ f$", "A@2 B@4 @4 @4 #0"},
        {"A;B", "t1$ t1$ f$ f$", "A@2 B@4 @4 @4 #0"},
        // A line feed ends a field only where allowed; inside one it is dropped and counted.
        {"AB\n", "f", "!1001@0 #1"},
        {"AB\n", "f$", "AB@0 #1"},
        {"A\nB;C", "f f", "AB@4 C@6 #1"},
        // An empty field is no text but the number 0.
        {"X;;Y", "f t5", "X@2 !1221@3 #0"},
        {"X;;Y", "f n5 t1$", "X@2 0@3 Y@5 #0"},
        {x1024 + ";", "t1024", x1024 + "@1025 #0"},
        {std::string(1025, 'x'), "t5000$", "!1002@1026 #0"},
        {std::string(1025, 'x'), "n5000$", "!1002@1026 #0"},
        // The length is tested before trimming; blanks only are an empty text.
        {"    ;", "t3", "!1221@5 #0"},
        {"    ;", "t4", "@5 #0"},
        {" \t AB \x01;", "t10", "AB@8 #0"},
        {"ABCD;", "t3", "!1221@5 #0"},
        {"ABCD;EF", "t2 t2$", "!1221@5 EF@8 #0"},  // the code is cleared at every field
        {"007", "n3$", "7@4 #0"},
        {"-12", "n3$", "-12@4 #0"},
        {"+5", "n2$", "5@3 #0"},
        {"12a", "n3$", "!1212@4 #0"},
        {"1 2", "n3$", "!1212@4 #0"},
        {"1234", "n3$", "!1211@5 #0"},
        {"2147483647", "n10$", "2147483647@11 #0"},
        {"2147483648", "n10$", "!1212@11 #0"},
        {"-2147483648", "n11$", "-2147483648@12 #0"},
        {"0x1F", "n4$", "!1212@5 #0"},
        {"-", "n1$", "!1212@2 #0"},
    };
    for (const auto& [line, steps, expected] : cases)
        EXPECT_EQ(transcript(line, steps), expected)
            << testing::PrintToString(line) << " " << steps;
}

TEST(TextLines, EveryKindOfLineEnd) {
    EXPECT_EQ(splitLines("A\r\nB\nC\rD"), (std::vector<std::string>{"A", "B", "C", "D"}));
    EXPECT_EQ(splitLines("A\r\n\r\nB\r\n"), (std::vector<std::string>{"A", "", "B"}));
    EXPECT_TRUE(splitLines("").empty());
}

TEST(Tokenizer, ChecksumFieldIsHexadecimalWithoutPadding) {
    const std::pair<const char*, std::uint32_t> cases[] = {
        {"0000ABCD", 0xABCD}, {"abcd", 0xABCD}, {"FFFFFFFF", 0xFFFFFFFF},
        {"12G4", 0},          {"123456789", 0}, {"", 0}};
    for (const auto& [text, value] : cases)
        EXPECT_EQ(checksumField(text), value) << text;
}

}  // namespace
}  // namespace tavik
