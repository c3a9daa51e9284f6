#include <gtest/gtest.h>

#include "model/CRC32.h"
#include "tests/support/RpaBytes.h"
#include "tests/support/RpaFileBuilder.h"

namespace tavik {
namespace {

using test::referenceChecksum;

// The named fields' texts in the given order, through the record's own field list.
std::vector<std::string> texts(const TRecord& record, const std::vector<std::string>& names) {
    std::vector<std::string> out;
    for (const std::string& name : names) {
        bool found = false;
        for (const ConstFieldRef& f : record.fields())
            if (f.name == name) out.push_back(f.field->str()), found = true;
        EXPECT_TRUE(found) << name;
    }
    return out;
}

std::uint32_t reference(const std::vector<std::string>& values) {
    return test::referenceChecksum(values);
}

// Gives every field a value of its own, so that any two fields swapped change the checksum.
void fillDistinct(TRecord& record) {
    int n = 0;
    for (const FieldRef& f : record.fields())
        if (f.name != "TypRekordu") *f.field = std::string(f.name) + "#" + std::to_string(++n);
}

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

TEST(RecordChecksum, SecondUndertakingCalculationIgnoresTheName) {
    const CRC32 calc;
    std::uint32_t a = 0, b = 0, c = 0;
    calc.CRC32RecZaklad2(std::make_unique<TRecZU>("JSK", "JEDNA").get(), a);
    calc.CRC32RecZaklad2(std::make_unique<TRecZU>("JSK", "DRUGA").get(), b);
    calc.CRC32RecZaklad(std::make_unique<TRecZU>("JSK", "JEDNA").get(), c);
    EXPECT_EQ(a, b);
    EXPECT_EQ(a, referenceChecksum({"ZKL", "JSK", "<E>"}));
    EXPECT_EQ(c, referenceChecksum({"ZKL", "JSK", "JEDNA"}));
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

TEST(RecordChecksum, EachRecordFeedsItsFieldsInItsOwnOrder) {
    // The orders as the test builder writes them out by name, against the calculator's.
    using test::RpaFileBuilder;
    const CRC32 calc;
    std::uint32_t crc = 0;

    TRecWniosek wniosek;
    fillDistinct(wniosek);
    calc.CRC32RecWniosek(&wniosek, crc);
    EXPECT_EQ(crc, reference(texts(wniosek, RpaFileBuilder::checksumOrder(KIND_WNIOSEK, 3))));

    TRecAgenta3 agent;
    fillDistinct(agent);
    calc.CRC32RecAgent(&agent, crc);
    EXPECT_EQ(crc, reference(texts(agent, RpaFileBuilder::checksumOrder(KIND_AGENT, 1))));
    calc.CRC32RecAgent3(&agent, crc);
    EXPECT_EQ(crc, reference(texts(agent, RpaFileBuilder::checksumOrder(KIND_AGENT, 3))));

    TRecPracownik employee;
    fillDistinct(employee);
    calc.CRC32RecPracownik(&employee, crc);
    EXPECT_EQ(crc, reference(texts(employee, RpaFileBuilder::checksumOrder(KIND_PRACOWNIK, 3))));
    TRecZarzad member;
    fillDistinct(member);
    calc.CRC32RecZarzad(&member, crc);
    EXPECT_EQ(crc, reference(texts(member, RpaFileBuilder::checksumOrder(KIND_ZARZAD, 3))));

    TRecPolisaOC3 policy;
    fillDistinct(policy);
    calc.CRC32RecPolisaOC(&policy, crc);
    EXPECT_EQ(crc, reference(texts(policy, RpaFileBuilder::checksumOrder(KIND_POLISA, 2))));
    calc.CRC32RecPolisaOC3(&policy, crc);
    EXPECT_EQ(crc, reference(texts(policy, RpaFileBuilder::checksumOrder(KIND_POLISA, 3))));

    TRecPelnomocnictwo power;
    fillDistinct(power);
    calc.CRC32RecPelnomocnictwo(&power, crc);
    EXPECT_EQ(crc, reference(texts(power, RpaFileBuilder::checksumOrder(KIND_PELNOMOCNICTWO, 3))));
}

TEST(RecordChecksum, FieldsOutsideTheOrderDoNotCount) {
    const CRC32 calc;
    TRecPracownik a, b;
    a.NIP = "123-456-78-90";
    b.NIP = "999-999-99-99";
    std::uint32_t ca = 0, cb = 0;
    calc.CRC32RecPracownik(&a, ca);
    calc.CRC32RecPracownik(&b, cb);
    EXPECT_EQ(ca, cb);

    TRecAgenta2 agentA, agentB;
    agentA.Liczba_czl_zarzadu = "3";
    calc.CRC32RecAgent(&agentA, ca);
    calc.CRC32RecAgent(&agentB, cb);
    EXPECT_EQ(ca, cb);

    TRecPolisaOC3 policyA, policyB;
    policyA.Nazwa_zakladu = "JEDEN";
    calc.CRC32RecPolisaOC3(&policyA, ca);
    calc.CRC32RecPolisaOC3(&policyB, cb);
    EXPECT_EQ(ca, cb);
}

TEST(RecordChecksum, LongCommentsAreOnlyPartlyCovered) {
    const CRC32 calc;
    TRecWniosek a, b;
    a.Komentarz = std::string(260, 'a');                        // covers 4 bytes
    b.Komentarz = std::string(4, 'a') + std::string(512, 'z');  // 516 = 4 mod 256
    std::uint32_t ca = 0, cb = 0;
    calc.CRC32RecWniosek(&a, ca);
    calc.CRC32RecWniosek(&b, cb);
    EXPECT_EQ(ca, cb);
    b.Komentarz = "b" + std::string(259, 'a');
    calc.CRC32RecWniosek(&b, cb);
    EXPECT_NE(ca, cb);
}

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
