#include <gtest/gtest.h>

#include "model/CRC32.h"
#include "tests/support/RpaBytes.h"

namespace tavik {
namespace {

TEST(CRC32Dict, KnownValues) {
    const CRC32 calc;
    std::uint32_t crc = 12345;
    EXPECT_TRUE(calc.CRC32Dict("abc", crc));
    EXPECT_EQ(crc, 0x272FC8C1u);
    EXPECT_TRUE(calc.CRC32Dict("", crc));
    EXPECT_EQ(crc, 0xFFFFFFFFu);
}

TEST(CRC32ForField, FeedsTheLengthByteThenOnlyThatManyBytes) {
    const CRC32 calc;
    std::uint32_t crc = 0;
    calc.CalcCrc32(3, crc);
    for (char c : std::string("abc"))
        calc.CalcCrc32(static_cast<std::uint8_t>(c), crc);
    std::uint32_t viaField = 0;
    calc.CRC32ForField(Field("abc"), viaField);
    EXPECT_EQ(viaField, crc);

    // 300 bytes: the byte 44 and the first 44 bytes only.
    std::string long300(300, 'a');
    long300[100] = 'Z';
    std::uint32_t a = 0, b = 0;
    calc.CRC32ForField(Field(long300), a);
    calc.CRC32ForField(Field(std::string(44, 'a')), b);
    EXPECT_EQ(a, b);

    // Exactly 256 bytes: the byte 0 and nothing else.
    std::uint32_t c256 = 0, zero = 0;
    calc.CRC32ForField(Field(std::string(256, 'q')), c256);
    calc.CalcCrc32(0, zero);
    EXPECT_EQ(c256, zero);
}

TEST(CRC32ForField, DoesNotResetOrInvert) {
    const CRC32 calc;
    std::uint32_t crc = 0xCAFEBABE;
    calc.CRC32ForField(Field("X"), crc);
    std::uint32_t expected = 0xCAFEBABE;
    calc.CalcCrc32(1, expected);
    calc.CalcCrc32('X', expected);
    EXPECT_EQ(crc, expected);
}

TEST(RecordChecksum, UndertakingOfMarkersUnderBothCalculations) {
    const CRC32 calc;
    TRecZU zaklad;
    std::uint32_t v1 = 0, v2 = 0;
    EXPECT_TRUE(calc.CRC32RecZaklad(&zaklad, v1));
    EXPECT_TRUE(calc.CRC32RecZaklad2(&zaklad, v2));
    EXPECT_EQ(v1, 0x9FEFE4E7u);
    EXPECT_EQ(v2, 0x9FEFE4E7u);
}

TEST(RecordChecksum, MissingRecordGivesFalse) {
    const CRC32 calc;
    std::uint32_t crc = 7;
    EXPECT_FALSE(calc.CRC32RecZaklad(nullptr, crc));
    EXPECT_FALSE(calc.CRC32RecZaklad2(nullptr, crc));
    EXPECT_FALSE(calc.CRC32RecWniosek(nullptr, crc));
    EXPECT_FALSE(calc.CRC32RecAgent(nullptr, crc));
    EXPECT_FALSE(calc.CRC32RecAgent3(nullptr, crc));
    EXPECT_FALSE(calc.CRC32RecPracownik(nullptr, crc));
    EXPECT_FALSE(calc.CRC32RecZarzad(nullptr, crc));
    EXPECT_FALSE(calc.CRC32RecPelnomocnictwo(nullptr, crc));
    EXPECT_FALSE(calc.CRC32RecPolisaOC(nullptr, crc));
    EXPECT_FALSE(calc.CRC32RecPolisaOC3(nullptr, crc));
    EXPECT_EQ(crc, 7u);
}

// The order of every record's checksum is checked against the orders written out by name in
// the test file builder: the golden files of the application file tests carry its checksums.

}  // namespace
}  // namespace tavik

namespace tavik {
namespace {

TEST(CRC32Many, SameValuesAsOneAtATime) {
    const CRC32 calc;
    // Lengths from empty to past a lane's chunk, in a count that leaves lanes idle at the end.
    std::vector<std::string> texts;
    std::uint32_t seed = 12345;
    for (int i = 0; i < 203; ++i) {
        seed = seed * 1103515245u + 12345u;
        std::string t((seed >> 16) % 700, '\0');
        for (char& c : t)
            c = static_cast<char>((seed = seed * 1103515245u + 12345u) >> 24);
        texts.push_back(t);
    }
    texts.emplace_back();
    std::vector<std::string_view> views(texts.begin(), texts.end());
    std::vector<std::uint32_t> many(views.size());
    calc.checksumMany(views, many);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        std::uint32_t one = 0;
        for (char c : texts[i])
            test::referenceFeed(one, static_cast<unsigned char>(c));
        EXPECT_EQ(many[i], ~one) << i;
    }
    std::vector<std::uint32_t> none;
    calc.checksumMany({}, none);
}

}  // namespace
}  // namespace tavik
