#include <gtest/gtest.h>

#include <memory>

#include "model/Recdata.h"

namespace tavik {
namespace {

struct Expected {
    std::unique_ptr<TRecord> record;
    std::string tag;
    std::size_t textFields;
    std::string operationField;  // the field that starts as "NOWY", if any
};

TEST(RecordConstruction, EveryClassStartsWithItsTagNowyAndEmptyMarkers) {
    std::vector<Expected> all;
    all.push_back({std::make_unique<TRecZU>(), "ZKL", 3, ""});
    all.push_back({std::make_unique<TRecWniosek>(), "WNI", 6, "TypWniosku"});
    all.push_back({std::make_unique<TRecAgenta>(), "AGW", 32, "RodzajOperacji"});
    all.push_back({std::make_unique<TRecAgenta2>(), "AGW", 33, "RodzajOperacji"});
    all.push_back({std::make_unique<TRecAgenta3>(), "AGW", 36, "RodzajOperacji"});
    all.push_back({std::make_unique<TRecPracownik>(), "PRW", 24, "Rodzaj Operacji"});
    all.push_back({std::make_unique<TRecZarzad>(), "ZAW", 24, "Rodzaj Operacji"});
    all.push_back({std::make_unique<TRecPolisaOC>(), "POW", 6, ""});
    all.push_back({std::make_unique<TRecPolisaOC3>(), "POW", 7, ""});
    all.push_back({std::make_unique<TRecPelnomocnictwo>(), "PEW", 9, ""});
    all.push_back({std::make_unique<TRecOdpowiedz>(), "ODP", 10, "TypWniosku"});
    all.push_back({std::make_unique<TRecAgentOdp>(), "AGO", 36, "RodzajOperacji"});
    all.push_back({std::make_unique<TRecPracownikOdp>(), "PRO", 26, "Rodzaj Operacji"});
    all.push_back({std::make_unique<TRecZarzadOdp>(), "CZO", 26, "Rodzaj Operacji"});
    all.push_back({std::make_unique<TRecPelnomocnictwoOdp>(), "PEO", 11, ""});
    all.push_back({std::make_unique<TRecPolisaOdp>(), "POO", 8, ""});
    for (const Expected& e : all) {
        SCOPED_TRACE(e.tag);
        const auto fields = e.record->fields();
        ASSERT_EQ(fields.size(), e.textFields);
        EXPECT_EQ(fields[0].field->view(), e.tag);
        for (std::size_t i = 1; i < fields.size(); ++i)
            EXPECT_EQ(fields[i].field->view(), fields[i].name == e.operationField ? "NOWY" : "<E>")
                << fields[i].name;
        EXPECT_EQ(e.record->CRC, 0u);
    }
    TRecWniosek application;
    EXPECT_EQ(application.RodzajWniosku, -1);
    EXPECT_EQ(application.Agent, nullptr);
    EXPECT_EQ(TRecAgentOdp().Odpowiedz, nullptr);
}

TEST(RecordCopy, CopiesTextsIntoNewStringsAndLinksAsTheyAre) {
    TRecWniosek application;
    TRecAgenta3 agent;
    agent.NazwaAgenta = "AGENCJA UBEZPIECZENIOWA NOWAK SP. Z O.O.";
    agent.CRC = 0xDEADBEEF;
    agent.Wniosek = &application;

    TRecAgenta3 copy(agent);
    EXPECT_EQ(copy.NazwaAgenta, agent.NazwaAgenta);
    EXPECT_NE(copy.NazwaAgenta.c_str(), agent.NazwaAgenta.c_str());
    EXPECT_EQ(copy.CRC, 0xDEADBEEFu);
    EXPECT_EQ(copy.Wniosek, &application);
    copy.NazwaAgenta = "INNA";
    EXPECT_EQ(agent.NazwaAgenta.view(), "AGENCJA UBEZPIECZENIOWA NOWAK SP. Z O.O.");
}

TEST(RecordEquality, UndertakingsEqualOnlyInAllThreeFields) {
    const TRecZU a("JSK", "TOWARZYSTWO");
    EXPECT_TRUE(a.equals(TRecZU("JSK", "TOWARZYSTWO")));
    EXPECT_FALSE(a.equals(TRecZU("JSK", "TOWARZYSTWO2")));
    EXPECT_FALSE(a.equals(TRecZU("JSL", "TOWARZYSTWO")));
    TRecZU otherTag("JSK", "TOWARZYSTWO");
    otherTag.TypRekordu = "ZKX";
    EXPECT_FALSE(a.equals(otherTag));
}

TEST(RecordDestruction, ThroughTheBaseClassFreesEveryField) {
    // Every field on the heap: the leak checker of the test build reports any left behind.
    std::unique_ptr<TRecAgenta> agent = std::make_unique<TRecAgenta3>();
    for (const FieldRef& f : agent->fields())
        *f.field = std::string(40, 'X') + std::string(f.name);
    std::unique_ptr<TRecord> asRecord = std::move(agent);
    asRecord.reset();

    std::unique_ptr<TRecZarzad> member = std::make_unique<TRecZarzadOdp>();
    for (const FieldRef& f : member->fields())
        *f.field = std::string(40, 'Y');
    member.reset();
}

}  // namespace
}  // namespace tavik
