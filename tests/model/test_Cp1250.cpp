#include <gtest/gtest.h>

#include "model/Cp1250.h"
#include "model/Cp1250Texts.h"
#include "model/Exception.h"

namespace tavik {
namespace {

std::string bytes(std::initializer_list<int> values) {
    std::string out;
    for (int v : values)
        out.push_back(static_cast<char>(v));
    return out;
}

TEST(Cp1250ToUtf8, PolishLettersMapToTheirCodePointsAndEveryByteSurvivesARoundTrip) {
    EXPECT_EQ(
        cp1250::toUtf8(bytes({0xA5, 0xC6, 0xCA, 0xA3, 0xD1, 0xD3, 0x8C, 0x8F, 0xAF, 0xB9, 0xE6,
                              0xEA, 0xB3, 0xF1, 0xF3, 0x9C, 0x9F, 0xBF, 0x80, 0x84, 0x94, 0x96}) +
                       "plain ASCII; 123"),
        "ĄĆĘŁŃÓŚŹŻąćęłńóśźż€„”–plain ASCII; 123");
    std::string all, back;
    for (int b = 1; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    ASSERT_TRUE(cp1250::fromUtf8(cp1250::toUtf8(all), back));
    EXPECT_EQ(back, all);
}

TEST(Cp1250FromUtf8, ConvertsWhatTheCodePageHolds) {
    EXPECT_EQ(cp1250::fromUtf8OrThrow("WYKREŚLENIE"), "WYKRE\x8CLENIE");
    EXPECT_EQ(cp1250::fromUtf8OrThrow("ß×÷ˇ˝"), bytes({0xDF, 0xD7, 0xF7, 0xA1, 0xBD}));
    EXPECT_EQ(cp1250::fromUtf8OrThrow(""), "");
}

// What is refused leaves the output as it was; the throwing variant carries the same message.
TEST(Cp1250FromUtf8, RefusesACharacterOutsideTheCodePageOrMalformedUtf8) {
    const std::pair<std::string, std::string> cases[] = {
        {"Muñoz", "Znak „ñ” (U+00F1) nie występuje w stronie kodowej 1250."},
        {"😀", "Znak „😀” (U+1F600) nie występuje w stronie kodowej 1250."},
        {"Øre", "Znak „Ø” (U+00D8) nie występuje w stronie kodowej 1250."},
        {"ø", "Znak „ø” (U+00F8) nie występuje w stronie kodowej 1250."},
        {"ab\xC5", "Tekst nie jest poprawnym tekstem UTF-8 (bajt nr 3)."},
    };
    for (const auto& [text, message] : cases) {
        std::string out = "kept", error;
        EXPECT_FALSE(cp1250::fromUtf8(text, out, &error));
        EXPECT_EQ(error, message);
        EXPECT_EQ(out, "kept");
        try {
            cp1250::fromUtf8OrThrow(text);
            ADD_FAILURE() << "expected a refusal of " << text;
        } catch (const Exception& e) {
            EXPECT_STREQ(e.what(), message.c_str());
        }
    }
    std::string out, error;
    for (const char* bad :
         {"a\x80z", "\xC0\x80", "\xED\xA0\x80", "\xC5", "\xF4\x90\x80\x80", "\xE2\x82"})
        EXPECT_FALSE(cp1250::fromUtf8(bad, out, &error)) << bad;
}

// Letters without a capital, and every other byte, stay.
TEST(Cp1250Upper, PolishAndCentralEuropeanLetters) {
    const auto upper = [](const char* s) {
        return cp1250::toUtf8(cp1250::toUpper(cp1250::fromUtf8OrThrow(s)));
    };
    EXPECT_EQ(upper("zażółć gęślą jaźń"), "ZAŻÓŁĆ GĘŚLĄ JAŹŃ");
    EXPECT_EQ(upper("šťžľŕăĺčěďđňőřůűţýüö"), "ŠŤŽĽŔĂĹČĚĎĐŇŐŘŮŰŢÝÜÖ");
    EXPECT_EQ(upper("ßµ÷˙×0123;<E>-/ĄŻ€„"), "ßµ÷˙×0123;<E>-/ĄŻ€„");
}

TEST(Cp1250Literal, ConvertsAtCompileTime) {
    static_assert(texts::WYKRESLENIE.view() == "WYKRE\x8CLENIE");
    static_assert(texts::EMPTY.view() == "<E>");
    EXPECT_EQ(texts::WYKRESLENIE.view().size(), 11u);
}

// Each before the next: Ą after A and before B, and so on; small and capital letters alike;
// digits before letters.
TEST(Cp1250Order, PolishAlphabet) {
    const char* order[] = {"7/2026",
                           "ALA",
                           "ĄKA",
                           "BAR",
                           "LUTY",
                           "ŁAN",
                           "NOWAK",
                           "nowaka",
                           "PELNOMOCNICTWO LP - 000009",
                           "PELNOMOCNICTWO LP - 000010",
                           "SZYMAŃSKI",
                           "ŚLIWA",
                           "ZYGMUNT",
                           "ŹRÓDŁO",
                           "ŻABA"};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        EXPECT_LT(cp1250::compareText(cp1250::fromUtf8OrThrow(order[i]),
                                      cp1250::fromUtf8OrThrow(order[i + 1])),
                  0)
            << order[i];
    EXPECT_EQ(cp1250::compareText("ABC", "ABC"), 0);
    EXPECT_NE(cp1250::compareText("abc", "ABC"), 0);  // a strict order
}

}  // namespace
}  // namespace tavik
