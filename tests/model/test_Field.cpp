#include <gtest/gtest.h>

#include <utility>

#include "model/Field.h"

namespace tavik {
namespace {

TEST(Field, NewFieldHoldsTheEmptyMarker) {
    Field f;
    EXPECT_EQ(f.view(), "<E>");
    EXPECT_EQ(f.length(), 3);
    EXPECT_TRUE(f.isEmpty());
    EXPECT_STREQ(f.c_str(), "<E>");
}

// Texts assigned one after another to one field, in and out of the object: what it holds.
TEST(Field, KeepsATextUpToItsFirstNulAndItsSixteenBitLengthNeverAnEmptyOne) {
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
        EXPECT_EQ(f.view(), held);
        EXPECT_EQ(f.length(), static_cast<int>(held.size()));
        EXPECT_STREQ(f.c_str(), held.c_str());
        EXPECT_EQ(f.isEmpty(), held == "<E>");
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

TEST(Field, CopiesAreIndependentAndMovesLeaveTheMarker) {
    Field original("A LONG VALUE THAT LIVES ON THE HEAP");
    Field copy(original);
    copy = "CHANGED";
    EXPECT_EQ(original.view(), "A LONG VALUE THAT LIVES ON THE HEAP");

    Field moved(std::move(original));
    EXPECT_EQ(moved.view(), "A LONG VALUE THAT LIVES ON THE HEAP");
    EXPECT_EQ(original.view(), "<E>");  // NOLINT: the moved-from state is specified

    Field target("SHORT");
    target = std::move(moved);
    EXPECT_EQ(target.view(), "A LONG VALUE THAT LIVES ON THE HEAP");
    EXPECT_EQ(moved.view(), "<E>");  // NOLINT
}

TEST(Field, ComparesByteForByte) {
    EXPECT_EQ(Field("ABC"), Field("ABC"));
    EXPECT_FALSE(Field("ABC") == Field("ABD"));
    EXPECT_FALSE(Field("ABC") == Field("ABCD"));
    EXPECT_TRUE(Field("ABC") == std::string_view("ABC"));
}

}  // namespace
}  // namespace tavik

namespace tavik {
namespace {

TEST(FieldReadAhead, ShortTextsFromAPaddedBuffer) {
    const std::string buffer = std::string("AB\0CD", 5) + std::string(40, 'x');
    Field f;
    f.assignReadAhead(buffer.data() + 3, 2);  // "CD"
    EXPECT_EQ(f.view(), "CD");
    f.assignReadAhead(buffer.data(), 5);  // stops at the NUL
    EXPECT_EQ(f.view(), "AB");
    EXPECT_EQ(f.length(), 2);
    f.assignReadAhead(buffer.data() + 2, 3);  // begins with the NUL: empty, so the marker
    EXPECT_EQ(f.view(), "<E>");
    f.assignReadAhead(buffer.data() + 5, 13);
    EXPECT_EQ(f.view(), std::string(13, 'x'));
    f.assignReadAhead(buffer.data() + 5, 14);  // too long to be kept inside
    EXPECT_EQ(f.view(), std::string(14, 'x'));
    f.assignReadAhead(buffer.data() + 5, 1);  // replaces a text held on the heap
    EXPECT_EQ(f.view(), "x");
    // A NUL in the second word of the sixteen bytes.
    const std::string late = std::string("ABCDEFGHIJ\0LM", 13) + std::string(3, 'y');
    f.assignReadAhead(late.data(), 13);
    EXPECT_EQ(f.view(), "ABCDEFGHIJ");
}

}  // namespace
}  // namespace tavik
