#include <gtest/gtest.h>

#include <utility>

#include "model/Field.h"

namespace tavik {
namespace {

void expectHolds(const Field& f, const std::string& held) {
    EXPECT_EQ(f.view(), held);
    EXPECT_EQ(f.length(), static_cast<int>(held.size()));
    EXPECT_STREQ(f.c_str(), held.c_str());
    EXPECT_EQ(f.isEmpty(), held == "<E>");
}

// A new field, then texts assigned one after another to one field, in and out of the object.
TEST(Field, KeepsATextUpToItsFirstNulAndItsSixteenBitLengthNeverAnEmptyOne) {
    expectHolds(Field(), "<E>");
    const std::pair<std::string, std::string> cases[] = {
        {"1234567890123", "1234567890123"},    // the longest text kept inside the object
        {"12345678901234", "12345678901234"},  // the shortest kept on the heap
        {"AB", "AB"},
        {std::string("AB\0CD", 5), "AB"},
        {"", "<E>"},
        {std::string("\0AB", 3), "<E>"},
        {std::string(70000, 'x'), std::string(65535, 'x')},
    };
    Field f("X");
    for (const auto& [assigned, held] : cases) {
        f = assigned;
        expectHolds(f, held);
    }
}

// From a buffer with sixteen readable bytes past each text, into one field in turn.
TEST(Field, ReadAheadTakesShortTextsFromAPaddedBuffer) {
    const std::string buffer = std::string("AB\0CD", 5) + std::string(40, 'x'),
                      late = std::string("ABCDEFGHIJ\0LM", 13) + std::string(3, 'y');
    const std::tuple<const char*, int, std::string> reads[] = {
        {buffer.data() + 3, 2, "CD"},
        {buffer.data(), 5, "AB"},       // stops at the NUL
        {buffer.data() + 2, 3, "<E>"},  // begins with the NUL
        {buffer.data() + 5, 13, std::string(13, 'x')},
        {buffer.data() + 5, 14, std::string(14, 'x')},  // too long to be kept inside
        {buffer.data() + 5, 1, "x"},                    // replaces a text on the heap
        {late.data(), 13, "ABCDEFGHIJ"}};               // a NUL in the second word
    Field f;
    for (const auto& [from, length, held] : reads) {
        f.assignReadAhead(from, length);
        expectHolds(f, held);
    }
}

TEST(Field, AssigningAPartOfItselfIsSafe) {
    Field inlineField("ABCDEFGHIJ");
    inlineField.assign(inlineField.view().substr(2));
    EXPECT_EQ(inlineField.view(), "CDEFGHIJ");

    Field heapField("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    heapField.assign(heapField.view().substr(1));
    EXPECT_EQ(heapField.view(), "BCDEFGHIJKLMNOPQRSTUVWXYZ");
    heapField = heapField;
    EXPECT_EQ(heapField.view(), "BCDEFGHIJKLMNOPQRSTUVWXYZ");
    heapField.assign(heapField.view().substr(3, 5));  // from the heap into the object
    EXPECT_EQ(heapField.view(), "EFGHI");
}

TEST(Field, CopiesAreIndependentMovesLeaveTheMarkerAndComparisonIsByteForByte) {
    const std::string text = "A LONG VALUE THAT LIVES ON THE HEAP";
    Field original(text);
    Field copy(original);
    copy = "CHANGED";
    EXPECT_EQ(original.view(), text);
    Field moved(std::move(original));
    Field target("SHORT");
    target = std::move(moved);
    EXPECT_EQ(target.view(), text);
    EXPECT_EQ(original.view(), "<E>");  // NOLINT: a moved-from field holds the marker
    EXPECT_EQ(moved.view(), "<E>");     // NOLINT

    EXPECT_EQ(Field("ABC"), Field("ABC"));
    EXPECT_FALSE(Field("ABC") == Field("ABD"));
    EXPECT_FALSE(Field("ABC") == Field("ABCD"));
    EXPECT_TRUE(Field("ABC") == std::string_view("ABC"));
}

}  // namespace
}  // namespace tavik
