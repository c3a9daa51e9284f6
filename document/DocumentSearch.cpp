#include "document/DocumentSearch.h"

#include <initializer_list>

#include "model/Cp1250.h"
#include "model/TextValues.h"

namespace tavik {

namespace {

bool holds(const Field& field, std::string_view text) {
    const std::string_view stored = field.view();
    return stored.size() >= text.size() && stored.find(text) != std::string_view::npos;
}

template <class R>
bool anyOf(const R& record, std::initializer_list<Field R::*> fields, std::string_view text) {
    for (Field R::*field : fields)
        if (holds(record.*field, text)) return true;
    return false;
}

bool applicationMatches(const TRecWniosek& a, std::string_view text) {
    return anyOf<TRecWniosek>(a,
                              {&TRecWniosek::TypWniosku, &TRecWniosek::NumerWniosku,
                               &TRecWniosek::DataWniosku, &TRecWniosek::Komentarz},
                              text);
}

// The agent's own fields: neither its activity's position nor what later versions added.
bool agentMatches(const TRecAgenta& a, std::string_view text) {
    using A = TRecAgenta;
    return anyOf<A>(a,
                    {&A::RodzajOperacji,
                     &A::NumerWZU,
                     &A::NUMER_W_RA,
                     &A::Nazwisko,
                     &A::Nazwisko2,
                     &A::Imie,
                     &A::Imie2,
                     &A::Miejscowosc,
                     &A::Ulica,
                     &A::NrDomu,
                     &A::NrLokalu,
                     &A::KodPocztowy,
                     &A::Poczta,
                     &A::Numer_z_Rejestru,
                     &A::RodzajRejestru,
                     &A::FormaPrawna,
                     &A::NazwaAgenta,
                     &A::NIP_AGENTA,
                     &A::NIP_Osoby_Fizycznej,
                     &A::Obywatelstwo,
                     &A::RodzajDokumentuOsFizAgenta,
                     &A::PESEL,
                     &A::Miejscowosc_SiedzibaAgenta,
                     &A::Ulica_SiedzibaAgenta,
                     &A::NrDomu_SiedzibaAgenta,
                     &A::NrLokalu_SiedzibaAgenta,
                     &A::KodPocztowy_SiedzibaAgenta,
                     &A::Poczta_SiedzibaAgenta,
                     &A::DzialalnoscPodstawowa,
                     &A::InnaDzialalnosc},
                    text);
}

bool employeeMatches(const TRecOsoba& p, std::string_view text) {
    using P = TRecOsoba;
    return anyOf<P>(p,
                    {&P::Rodzaj_Operacji,
                     &P::NumerWZU,
                     &P::Numer_w_RA,
                     &P::Nazwisko,
                     &P::Nazwisko_drugi_czlon,
                     &P::Imie,
                     &P::Imie2,
                     &P::NazwiskoRodowe,
                     &P::ImieOjca,
                     &P::ImieMatki,
                     &P::Plec,
                     &P::Miejscowosc,
                     &P::Ulica,
                     &P::NumerDomu,
                     &P::NumerLokalu,
                     &P::KodPocztowy,
                     &P::POCZTA,
                     &P::Obywatelstwo,
                     &P::WYKSZTALCENIE,
                     &P::Nr_zezwolenia,
                     &P::Typ_Dokumentu,
                     &P::PESEL,
                     &P::NIP},
                    text);
}

bool policyMatches(const TRecPolisaOC& p, std::string_view text) {
    using P = TRecPolisaOC;
    return anyOf<P>(
        p, {&P::ID_PolisyOC, &P::Nazwa_zakladu, &P::Suma_ubezpieczenia, &P::WazneOd, &P::WazneDo},
        text);
}

bool powerMatches(const TRecPelnomocnictwo& p, std::string_view text) {
    using P = TRecPelnomocnictwo;
    return anyOf<P>(p,
                    {&P::NazwaDzialu, &P::RodzajUbezpieczenia, &P::ObszarDzialalnosci,
                     &P::MaksKwotaUbezpieczenia, &P::Waluta, &P::WazneOd, &P::WazneDo},
                    text);
}

bool answerMatches(const ResponseMembers& r, std::string_view text) {
    return holds(r.InfoOdp, text) || holds(r.Status, text);
}

}  // namespace

std::string searchTextOf(std::string_view utf8) {
    std::string text;
    if (!cp1250::fromUtf8(utf8, text)) return {};
    return cp1250::toUpper(trimmed(text));
}

bool recordMatches(const TRecord& record, RecordKind kind, std::string_view text) {
    switch (kind) {
        case KIND_WNIOSEK: return applicationMatches(static_cast<const TRecWniosek&>(record), text);
        case KIND_AGENT: return agentMatches(static_cast<const TRecAgenta&>(record), text);
        case KIND_PRACOWNIK: return employeeMatches(static_cast<const TRecOsoba&>(record), text);
        case KIND_POLISA: return policyMatches(static_cast<const TRecPolisaOC&>(record), text);
        case KIND_PELNOMOCNICTWO:
        case KIND_PELNOMOCNICTWO_ODP:
            return powerMatches(static_cast<const TRecPelnomocnictwo&>(record), text);
        case KIND_ODPOWIEDZ: {
            const auto& r = static_cast<const TRecOdpowiedz&>(record);
            return anyOf<TRecOdpowiedz>(
                r,
                {&TRecOdpowiedz::KomentarzOdpowiedzi, &TRecOdpowiedz::NrOdpowiedzi,
                 &TRecOdpowiedz::DataOdpowiedzi, &TRecOdpowiedz::NazwaZU},
                text);
        }
        case KIND_AGENT_ODP: {
            const auto& r = static_cast<const TRecAgentOdp&>(record);
            return holds(r.StatusAgenta, text) || agentMatches(r, text);
        }
        case KIND_PRACOWNIK_ODP: {
            const auto& r = static_cast<const TRecPracownikOdp&>(record);
            return answerMatches(r, text) || employeeMatches(r, text);
        }
        case KIND_POLISA_ODP: {
            const auto& r = static_cast<const TRecPolisaOdp&>(record);
            return policyMatches(r, text) || answerMatches(r, text);
        }
        default: return false;  // the undertaking and board members are not searched
    }
}

namespace {

bool nodeMatches(const TreeNode& node, std::string_view text) {
    return node.hasRecord() && recordMatches(*node.record(), node.kind(), text);
}

}  // namespace

TreeNode* findFirst(const DocumentTree& tree, std::string_view text) {
    if (!tree.root()) return nullptr;
    for (TreeNode* node = tree.next(tree.root()); node; node = tree.next(node))
        if (nodeMatches(*node, text)) return node;
    return nullptr;
}

TreeNode* findNext(const DocumentTree& tree, std::string_view text, std::size_t& position) {
    if (!tree.root()) return nullptr;
    // The node at the position, walked to once; a position past the tree starts over.
    TreeNode* node = tree.root();
    for (std::size_t i = 0; node && i < position; ++i)
        node = tree.next(node);
    for (node = node ? tree.next(node) : nullptr; node; node = tree.next(node)) {
        ++position;
        if (nodeMatches(*node, text)) return node;
    }
    position = 0;
    return nullptr;
}

}  // namespace tavik
