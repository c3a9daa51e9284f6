#include <gtest/gtest.h>

#include <memory>

#include "model/Recdata.h"

namespace tavik {
namespace {

// The text of the named field, found through the record's own list of fields.
std::string valueOf(const TRecord& record, std::string_view name) {
    for (const ConstFieldRef& f : record.fields())
        if (f.name == name) return f.field->str();
    ADD_FAILURE() << "no field " << name;
    return {};
}

struct Expected {
    std::unique_ptr<TRecord> record;
    std::string tag;
    std::size_t textFields;
    std::string operationField;  // the field that starts as "NOWY", if any
};

std::vector<Expected> everyClass() {
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
    return all;
}

TEST(RecordConstruction, EveryClassStartsWithItsTagNowyAndEmptyMarkers) {
    for (const Expected& e : everyClass()) {
        SCOPED_TRACE(e.tag);
        const auto fields = e.record->fields();
        ASSERT_EQ(fields.size(), e.textFields);
        EXPECT_EQ(fields[0].name, "TypRekordu");
        EXPECT_EQ(fields[0].field->view(), e.tag);
        for (std::size_t i = 1; i < fields.size(); ++i) {
            const bool isOperation = fields[i].name == e.operationField;
            EXPECT_EQ(fields[i].field->view(), isOperation ? "NOWY" : "<E>") << fields[i].name;
        }
        EXPECT_EQ(e.record->CRC, 0u);
    }
}

TEST(RecordConstruction, FreshAgentOfVersion3) {
    TRecAgenta3 agent;
    const auto fields = agent.fields();
    ASSERT_EQ(fields.size(), 36u);
    EXPECT_EQ(fields[0].field->view(), "AGW");
    EXPECT_EQ(fields[1].field->view(), "NOWY");
    int markers = 0;
    for (const auto& f : fields)
        markers += f.field->isEmpty();
    EXPECT_EQ(markers, 34);
    EXPECT_EQ(agent.Wniosek, nullptr);
}

TEST(RecordConstruction, FreshApplicationIsNew) {
    TRecWniosek application;
    EXPECT_EQ(application.RodzajWniosku, -1);
    EXPECT_EQ(application.TypWniosku.view(), "NOWY");
    EXPECT_EQ(application.Zaklad, nullptr);
    EXPECT_EQ(application.Agent, nullptr);
}

TEST(RecordConstruction, ResponseLinksStartNull) {
    EXPECT_EQ(TRecOdpowiedz().AgentOdp, nullptr);
    EXPECT_EQ(TRecAgentOdp().Odpowiedz, nullptr);
    EXPECT_EQ(TRecPracownikOdp().AgentOdp, nullptr);
    EXPECT_EQ(TRecZarzadOdp().AgentOdp, nullptr);
    EXPECT_EQ(TRecPelnomocnictwoOdp().AgentOdp, nullptr);
    EXPECT_EQ(TRecPolisaOdp().AgentOdp, nullptr);
}

TEST(RecordFields, DeclarationOrderOfTheAgent) {
    TRecAgenta3 agent;
    std::vector<std::string> names;
    for (const auto& f : agent.fields())
        names.emplace_back(f.name);
    const std::vector<std::string> expected = {"TypRekordu",
                                               "RodzajOperacji",
                                               "NumerWZU",
                                               "NUMER_W_RA",
                                               "Nazwisko",
                                               "Nazwisko2",
                                               "Imie",
                                               "Imie2",
                                               "Miejscowosc",
                                               "Ulica",
                                               "NrDomu",
                                               "NrLokalu",
                                               "KodPocztowy",
                                               "Poczta",
                                               "Numer_z_Rejestru",
                                               "RodzajRejestru",
                                               "FormaPrawna",
                                               "NazwaAgenta",
                                               "NIP AGENTA",
                                               "NIP Osoby Fizycznej",
                                               "Obywatelstwo",
                                               "RodzajDokumentuOsFizAgenta",
                                               "PESEL/Seria/NR",
                                               "Miejscowosc_SiedzibaAgenta",
                                               "Ulica_SiedzibaAgenta",
                                               "NrDomu_SiedzibaAgenta",
                                               "NrLokalu_SiedzibaAgenta",
                                               "KodPocztowy_SiedzibaAgenta",
                                               "Poczta_SiedzibaAgenta",
                                               "ZWOLNIONY",
                                               "DzialalnoscPodstawowa",
                                               "InnaDzialalnosc",
                                               "Liczba_czl_zarzadu",
                                               "DATA_ROZW_UM_AGENCYJNEJ",
                                               "Przyczyny",
                                               "InfoDodatkowe"};
    EXPECT_EQ(names, expected);
}

TEST(RecordCopy, CopiesTextsIntoNewStringsAndLinksAsTheyAre) {
    TRecWniosek application;
    TRecAgenta3 agent;
    agent.NazwaAgenta = "AGENCJA UBEZPIECZENIOWA NOWAK SP. Z O.O.";
    agent.Przyczyny = "00FF00FF";
    agent.CRC = 0xDEADBEEF;
    agent.Wniosek = &application;

    TRecAgenta3 copy(agent);
    EXPECT_EQ(copy.NazwaAgenta.view(), "AGENCJA UBEZPIECZENIOWA NOWAK SP. Z O.O.");
    EXPECT_NE(copy.NazwaAgenta.c_str(), agent.NazwaAgenta.c_str());
    EXPECT_EQ(copy.Przyczyny.view(), "00FF00FF");
    EXPECT_EQ(copy.CRC, 0xDEADBEEFu);
    EXPECT_EQ(copy.Wniosek, &application);
    copy.NazwaAgenta = "INNA";
    EXPECT_EQ(valueOf(agent, "NazwaAgenta"), "AGENCJA UBEZPIECZENIOWA NOWAK SP. Z O.O.");
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
    SUCCEED();
}

TEST(RecData, NewEntryIsEmptyAndUnstruck) {
    _RecData entry;
    EXPECT_EQ(entry.record, nullptr);
    EXPECT_EQ(entry.kind, 0);
    EXPECT_EQ(entry.struck, 0);
    static_assert(KIND_ZARZAD == 6 && KIND_ZARZAD_ODP == 12);
}

}  // namespace
}  // namespace tavik
