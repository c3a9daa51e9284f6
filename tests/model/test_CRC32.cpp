#include <gtest/gtest.h>

#include "model/CRC32.h"
#include "tests/support/RpaBytes.h"

namespace tavik {
namespace {

const CRC32 calc;

TEST(CRC32Dict, KnownValues) {
    std::uint32_t crc = 12345;
    EXPECT_TRUE(calc.CRC32Dict("abc", crc));
    EXPECT_EQ(crc, 0x272FC8C1u);
    EXPECT_TRUE(calc.CRC32Dict("", crc));
    EXPECT_EQ(crc, 0xFFFFFFFFu);
}

// A field feeds the low byte of its length, then only that many of its bytes, onto the running
// value: no reset, no inversion.
TEST(CRC32ForField, FeedsTheLengthByteThenOnlyThatManyBytes) {
    std::string long300(300, 'a');
    long300[100] = 'Z';
    const std::pair<std::string, std::string> cases[] = {
        {"abc", "\3abc"},
        {"X", "\1X"},
        {long300, "," + std::string(44, 'a')},  // 300 & 255 = 44, a comma
        {std::string(256, 'q'), std::string(1, '\0')}};
    for (const auto& [text, fed] : cases) {
        std::uint32_t crc = 0xCAFEBABE, expected = 0xCAFEBABE;
        calc.CRC32ForField(Field(text), crc);
        for (char c : fed)
            test::referenceFeed(expected, static_cast<unsigned char>(c));
        EXPECT_EQ(crc, expected) << text.size();
    }
}

TEST(RecordChecksum, UndertakingOfMarkersUnderBothCalculationsAndNoRecordGivesFalse) {
    TRecZU zaklad;
    std::uint32_t v1 = 0, v2 = 0;
    EXPECT_TRUE(calc.CRC32RecZaklad(&zaklad, v1));
    EXPECT_TRUE(calc.CRC32RecZaklad2(&zaklad, v2));
    EXPECT_EQ(v1, 0x9FEFE4E7u);
    EXPECT_EQ(v2, 0x9FEFE4E7u);

    std::uint32_t crc = 7;
    EXPECT_EQ((std::vector<bool>{
                  calc.CRC32RecZaklad(nullptr, crc), calc.CRC32RecZaklad2(nullptr, crc),
                  calc.CRC32RecWniosek(nullptr, crc), calc.CRC32RecAgent(nullptr, crc),
                  calc.CRC32RecAgent3(nullptr, crc), calc.CRC32RecPracownik(nullptr, crc),
                  calc.CRC32RecZarzad(nullptr, crc), calc.CRC32RecPelnomocnictwo(nullptr, crc),
                  calc.CRC32RecPolisaOC(nullptr, crc), calc.CRC32RecPolisaOC3(nullptr, crc)}),
              std::vector<bool>(10, false));
    EXPECT_EQ(crc, 7u);
}

// The order of every record's checksum is checked against the orders written out by name in
// the test file builder: the golden files of the application file tests carry its checksums.

TEST(CRC32Many, SameValuesAsOneAtATime) {
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
    std::vector<std::uint32_t> many(views.size()), one(views.size());
    calc.checksumMany(views, many);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        one[i] = 0;
        for (char c : texts[i])
            test::referenceFeed(one[i], static_cast<unsigned char>(c));
        one[i] = ~one[i];
    }
    EXPECT_EQ(many, one);
    std::vector<std::uint32_t> none;
    calc.checksumMany({}, none);
}

}  // namespace
}  // namespace tavik
