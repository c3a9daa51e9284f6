#include <gtest/gtest.h>

#include <functional>

#include "document/DocumentSearch.h"
#include "tests/support/TreeBuilder.h"

namespace tavik {
namespace {

using test::u8;

template <class R>
std::function<std::unique_ptr<TRecord>()> with(Field R::*field) {
    return [field] {
        auto record = std::make_unique<R>();
        record.get()->*field = "ZNAK";
        return std::unique_ptr<TRecord>(std::move(record));
    };
}

// One record of a kind with one field set to "ZNAK": found or not, as the field is searched.
TEST(DocumentSearch, TheFieldsSearchedForEachKind) {
    const std::tuple<const char*, RecordKind, std::function<std::unique_ptr<TRecord>()>, bool>
        cases[] = {
            {"application comment", KIND_WNIOSEK, with(&TRecWniosek::Komentarz), true},
            {"application number", KIND_WNIOSEK, with(&TRecWniosek::NumerWniosku), true},
            {"agent operation", KIND_AGENT, with<TRecAgenta3>(&TRecAgenta::RodzajOperacji), true},
            {"agent seat post", KIND_AGENT, with<TRecAgenta3>(&TRecAgenta::Poczta_SiedzibaAgenta),
             true},
            {"agent other activity", KIND_AGENT, with<TRecAgenta3>(&TRecAgenta::InnaDzialalnosc),
             true},
            {"agent activity position", KIND_AGENT, with<TRecAgenta3>(&TRecAgenta::ZWOLNIONY),
             false},
            {"agent board size", KIND_AGENT, with<TRecAgenta3>(&TRecAgenta2::Liczba_czl_zarzadu),
             false},
            {"agent reasons", KIND_AGENT, with<TRecAgenta3>(&TRecAgenta3::Przyczyny), false},
            {"employee operation", KIND_PRACOWNIK, with<TRecPracownik>(&TRecOsoba::Rodzaj_Operacji),
             true},
            {"employee NIP", KIND_PRACOWNIK, with<TRecPracownik>(&TRecOsoba::NIP), true},
            {"board member surname", KIND_ZARZAD, with<TRecZarzad>(&TRecOsoba::Nazwisko), false},
            {"policy end", KIND_POLISA, with<TRecPolisaOC3>(&TRecPolisaOC::WazneDo), true},
            {"policy insurer code", KIND_POLISA, with<TRecPolisaOC3>(&TRecPolisaOC3::Kod_ZU),
             false},
            {"power division", KIND_PELNOMOCNICTWO, with(&TRecPelnomocnictwo::NazwaDzialu), true},
            {"power group", KIND_PELNOMOCNICTWO, with(&TRecPelnomocnictwo::NazwaGrupy), false},
            {"answered power end", KIND_PELNOMOCNICTWO_ODP,
             with<TRecPelnomocnictwoOdp>(&TRecPelnomocnictwo::WazneDo), true},
            {"response comment", KIND_ODPOWIEDZ, with(&TRecOdpowiedz::KomentarzOdpowiedzi), true},
            {"response undertaking", KIND_ODPOWIEDZ, with(&TRecOdpowiedz::NazwaZU), true},
            {"response application number", KIND_ODPOWIEDZ,
             with<TRecOdpowiedz>(&TRecWniosek::NumerWniosku), false},
            {"answered agent status", KIND_AGENT_ODP, with(&TRecAgentOdp::StatusAgenta), true},
            {"answered agent name", KIND_AGENT_ODP, with<TRecAgentOdp>(&TRecAgenta::NazwaAgenta),
             true},
            {"answered employee status", KIND_PRACOWNIK_ODP,
             with<TRecPracownikOdp>(&ResponseMembers::Status), true},
            {"answered employee surname", KIND_PRACOWNIK_ODP,
             with<TRecPracownikOdp>(&TRecOsoba::Nazwisko), true},
            {"answered policy status", KIND_POLISA_ODP,
             with<TRecPolisaOdp>(&ResponseMembers::Status), true},
            {"answered board member", KIND_ZARZAD_ODP, with<TRecZarzadOdp>(&TRecOsoba::Nazwisko),
             false},
            {"undertaking", KIND_ZAKLAD, with(&TRecZU::NazwaZU), false},
        };
    for (const auto& [what, kind, make, found] : cases) {
        const auto record = make();
        EXPECT_EQ(recordMatches(*record, kind, "ZNAK"), found) << what;
        EXPECT_EQ(recordMatches(*record, kind, "NA"), found) << what << ", a part";
        EXPECT_FALSE(recordMatches(*record, kind, "ZNAKI")) << what << ", longer";
    }
}

TEST(DocumentSearch, TheTextIsUpperCasedAndTrimmedTheFieldsAreNot) {
    EXPECT_EQ(searchTextOf("  kowalś \t"), u8("KOWALŚ"));
    EXPECT_EQ(searchTextOf("żółć"), u8("ŻÓŁĆ"));
    EXPECT_EQ(searchTextOf("\xE2\x82\xAC\xF0\x9F\x98\x80"), "");  // not in the code page
    TRecPracownik capitals, mixed;
    capitals.Nazwisko = u8("KOWALŚKI");
    mixed.Nazwisko = u8("Kowalśki");
    const std::string text = searchTextOf("kowalś");
    EXPECT_TRUE(recordMatches(capitals, KIND_PRACOWNIK, text));
    EXPECT_FALSE(recordMatches(mixed, KIND_PRACOWNIK, text));
}

TEST(DocumentSearch, SteppingWrapsAndSearchingTheWholeStartsAtTheTop) {
    test::TreeBuilder b;
    TreeNode* first = b.application("A1");
    TreeNode* agent = b.agent(first, "AGENT");
    b.person(agent, KIND_ZARZAD, "NOWAK");  // a board member is never found
    TreeNode* nowak = b.person(agent, KIND_PRACOWNIK, "NOWAK");
    TreeNode* second = b.application("A2");
    TreeNode* nowakowski = b.person(b.agent(second, "INNY"), KIND_PRACOWNIK, "NOWAKOWSKI");
    const std::string text = searchTextOf("nowak");

    std::size_t position = 0;
    EXPECT_EQ(findNext(b.tree, text, position), nowak);
    EXPECT_EQ(findNext(b.tree, text, position), nowakowski);
    EXPECT_EQ(findNext(b.tree, text, position), nullptr);  // past the last: nothing, from the top
    EXPECT_EQ(position, 0u);
    EXPECT_EQ(findNext(b.tree, text, position), nowak);
    EXPECT_EQ(findFirst(b.tree, text), nowak);  // the whole content: the first, wherever we stood
    std::size_t beyond = 1000;                  // a position carried over from a larger document
    EXPECT_EQ(findNext(b.tree, text, beyond), nullptr);
    EXPECT_EQ(beyond, 0u);
    EXPECT_EQ(findFirst(b.tree, searchTextOf("brak")), nullptr);
}

}  // namespace
}  // namespace tavik
