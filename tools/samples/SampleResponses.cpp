#include "tools/samples/SampleResponses.h"

#include <array>
#include <cstdio>
#include <memory>
#include <span>

#include "model/CRC32.h"
#include "model/Cp1250Literal.h"
#include "tools/samples/SampleDocuments.h"

namespace tavik::samples {

namespace {

// The fields of each line after the tag, the code and the reference, in the order the
// register writes them.

constexpr auto kHeaderFields = std::to_array<Field TRecOdpowiedz::*>({
    &TRecOdpowiedz::NazwaZU,
    &TRecOdpowiedz::NrOdpowiedzi,
    &TRecOdpowiedz::TypWniosku,
    &TRecOdpowiedz::DataOdpowiedzi,
    &TRecOdpowiedz::KomentarzOdpowiedzi,
});

constexpr auto kAgentFields = std::to_array<Field TRecAgenta::*>({
    &TRecAgenta::NUMER_W_RA,
    &TRecAgenta::NumerWZU,
    &TRecAgenta::NazwaAgenta,
    &TRecAgenta::RodzajRejestru,
    &TRecAgenta::Numer_z_Rejestru,
    &TRecAgenta::NIP_AGENTA,
    &TRecAgenta::Miejscowosc_SiedzibaAgenta,
    &TRecAgenta::Ulica_SiedzibaAgenta,
    &TRecAgenta::NrDomu_SiedzibaAgenta,
    &TRecAgenta::NrLokalu_SiedzibaAgenta,
    &TRecAgenta::KodPocztowy_SiedzibaAgenta,
    &TRecAgenta::Poczta_SiedzibaAgenta,
    &TRecAgenta::FormaPrawna,
    &TRecAgenta::ZWOLNIONY,
    &TRecAgenta::DzialalnoscPodstawowa,
    &TRecAgenta::InnaDzialalnosc,
    &TRecAgenta::Obywatelstwo,
    &TRecAgenta::RodzajDokumentuOsFizAgenta,
    &TRecAgenta::PESEL,
    &TRecAgenta::NIP_Osoby_Fizycznej,
    &TRecAgenta::Nazwisko,
    &TRecAgenta::Nazwisko2,
    &TRecAgenta::Imie,
    &TRecAgenta::Imie2,
    &TRecAgenta::Miejscowosc,
    &TRecAgenta::Ulica,
    &TRecAgenta::NrDomu,
    &TRecAgenta::NrLokalu,
    &TRecAgenta::KodPocztowy,
    &TRecAgenta::Poczta,
});

constexpr auto kPersonFields = std::to_array<Field TRecOsoba::*>({
    &TRecOsoba::Numer_w_RA,     &TRecOsoba::NumerWZU,
    &TRecOsoba::Nazwisko,       &TRecOsoba::Nazwisko_drugi_czlon,
    &TRecOsoba::Imie,           &TRecOsoba::Imie2,
    &TRecOsoba::NazwiskoRodowe, &TRecOsoba::Plec,
    &TRecOsoba::ImieOjca,       &TRecOsoba::ImieMatki,
    &TRecOsoba::Obywatelstwo,   &TRecOsoba::Typ_Dokumentu,
    &TRecOsoba::PESEL,          &TRecOsoba::NIP,
    &TRecOsoba::Miejscowosc,    &TRecOsoba::Ulica,
    &TRecOsoba::NumerDomu,      &TRecOsoba::NumerLokalu,
    &TRecOsoba::KodPocztowy,    &TRecOsoba::POCZTA,
    &TRecOsoba::Nr_zezwolenia,  &TRecOsoba::WYKSZTALCENIE,
});

constexpr auto kPowerFields = std::to_array<Field TRecPelnomocnictwo::*>({
    &TRecPelnomocnictwo::WazneOd,
    &TRecPelnomocnictwo::WazneDo,
    &TRecPelnomocnictwo::NazwaDzialu,
    &TRecPelnomocnictwo::NazwaGrupy,
    &TRecPelnomocnictwo::RodzajUbezpieczenia,
    &TRecPelnomocnictwo::MaksKwotaUbezpieczenia,
    &TRecPelnomocnictwo::Waluta,
    &TRecPelnomocnictwo::ObszarDzialalnosci,
});

constexpr auto kPolicyFields = std::to_array<Field TRecPolisaOC::*>({
    &TRecPolisaOC::Nazwa_zakladu,
    &TRecPolisaOC::ID_PolisyOC,
    &TRecPolisaOC::WazneOd,
    &TRecPolisaOC::WazneDo,
    &TRecPolisaOC::Suma_ubezpieczenia,
});

constexpr Cp1250Literal kWpisany{"WPISANY"};
constexpr Cp1250Literal kZaktualizowany{"ZAKTUALIZOWANY"};
constexpr Cp1250Literal kWykreslony{"WYKREŚLONY"};
constexpr Cp1250Literal kPozytywnie{"WNIOSEK ROZPATRZONY POZYTYWNIE"};
// Longer than 255 characters, so that the checksum covers only a part of its line.
constexpr Cp1250Literal kDlugiKomentarz{
    "WNIOSEK ROZPATRZONY POZYTYWNIE. DANE AGENTA ZOSTAŁY WPROWADZONE DO REJESTRU AGENTÓW "
    "UBEZPIECZENIOWYCH ZGODNIE Z ZAWARTOŚCIĄ WNIOSKU. ZMIANY DANYCH PRACOWNIKÓW, CZŁONKÓW "
    "ZARZĄDU, PEŁNOMOCNICTW I POLIS UBEZPIECZENIA ODPOWIEDZIALNOŚCI CYWILNEJ PROSIMY ZGŁASZAĆ "
    "KOLEJNYMI WNIOSKAMI O AKTUALIZACJĘ WPISU W TERMINIE CZTERNASTU DNI OD DNIA ZMIANY."};

void append(std::string& line, std::string_view text) {
    line += text;
    line += ';';
}

template <class R, std::size_t N>
void appendFields(std::string& line, const R& record, const std::array<Field R::*, N>& fields) {
    for (Field R::*member : fields)
        append(line, (record.*member).view());
}

template <class R, std::size_t N>
void copyFields(R& to, const R& from, const std::array<Field R::*, N>& fields) {
    for (Field R::*member : fields)
        to.*member = from.*member;
}

std::string_view statusOf(const Field& operation) {
    if (operation == texts::WYKRESLENIE.view()) return kWykreslony.view();
    if (operation == texts::AKTUALIZACJA.view()) return kZaktualizowany.view();
    return kWpisany.view();
}

}  // namespace

std::string withChecksum(std::string_view text) {
    static const CRC32 calc;
    std::uint32_t crc = 0;
    calc.CRC32Dict(text, crc);
    char hex[9];
    std::snprintf(hex, sizeof hex, "%08X", static_cast<unsigned>(crc));
    std::string line(text);
    line += ';';
    line += hex;
    return line;
}

std::string responseLine(const TRecord& record, RecordKind kind, int version, std::string_view code,
                         std::string_view reference) {
    std::string line;
    if (kind == KIND_ODPOWIEDZ) {
        // The header's tag tells the version; the record keeps its class's own tag.
        const auto& header = dynamic_cast<const TRecOdpowiedz&>(record);
        append(line, version == 3 ? "OD3" : "ODP");
        append(line, header.KodZU.view());
        appendFields(line, header, kHeaderFields);
    } else {
        append(line, record.TypRekordu.view());
        append(line, code);
        append(line, reference);
        if (kind == KIND_AGENT_ODP) {
            const auto& agent = dynamic_cast<const TRecAgentOdp&>(record);
            appendFields<TRecAgenta>(line, agent, kAgentFields);
            if (version == 3) {
                append(line, agent.WartoscDodatkowa.view());
                append(line, agent.PrzyczynyOdp.view());
            }
            append(line, agent.StatusAgenta.view());
        } else if (kind == KIND_PRACOWNIK_ODP || kind == KIND_ZARZAD_ODP) {
            const auto& person = dynamic_cast<const TRecOsoba&>(record);
            appendFields(line, person, kPersonFields);
            append(line, dynamic_cast<const ResponseMembers&>(record).Status.view());
        } else if (kind == KIND_PELNOMOCNICTWO_ODP) {
            appendFields(line, dynamic_cast<const TRecPelnomocnictwo&>(record), kPowerFields);
        } else {
            appendFields(line, dynamic_cast<const TRecPolisaOC&>(record), kPolicyFields);
        }
    }
    line.pop_back();  // the checksum brings its own separator
    return withChecksum(line);
}

std::string sampleResponseCode() {
    return sampleUndertaking().KodZU.str();
}

SampleResponse::SampleResponse(int version, const ResponseShape& shape, std::uint32_t seed)
    : version_(version) {
    // The register answers about the records of applications like those the program sends.
    const SampleDocument document(
        3,
        SampleShape{shape.agents, shape.boardMembers, shape.employees, shape.powersOfAttorney,
                    shape.policies, shape.deletions},
        seed);
    const TRecZU undertaking = sampleUndertaking();
    TRecOdpowiedz* header = nullptr;
    TRecAgentOdp* agent = nullptr;
    std::string reference;
    int answered = 0;
    auto add = [&](std::unique_ptr<TRecord> record, RecordKind kind) {
        lines_.push_back(
            responseLine(*record, kind, version_, undertaking.KodZU.view(), reference));
        records_.push_back({std::move(record), kind});
    };
    auto linked = [&](auto record) {
        record->AgentOdp = agent;
        return record;
    };

    for (std::size_t i = 0; i < document.records().size(); ++i) {
        const TRecord& from = *document.records()[i];
        switch (document.kinds()[i]) {
            case KIND_WNIOSEK: {
                const auto& application = static_cast<const TRecWniosek&>(from);
                auto h = std::make_unique<TRecOdpowiedz>();
                ++answered;
                h->KodZU = undertaking.KodZU;
                h->NazwaZU = undertaking.NazwaZU;
                char number[24];
                std::snprintf(number, sizeof number, "ODP/2026/%06d", answered);
                h->NrOdpowiedzi = number;
                h->TypWniosku = application.TypWniosku;
                h->DataOdpowiedzi = application.DataWniosku;
                const std::uint32_t pick = (seed + static_cast<std::uint32_t>(answered)) % 5;
                if (pick == 0) h->KomentarzOdpowiedzi = kDlugiKomentarz.view();
                if (pick == 1) h->KomentarzOdpowiedzi = kPozytywnie.view();
                reference = application.NumerWniosku.str();
                header = h.get();
                add(std::move(h), KIND_ODPOWIEDZ);
                break;
            }
            case KIND_AGENT: {
                const auto& source = static_cast<const TRecAgenta3&>(from);
                auto a = std::make_unique<TRecAgentOdp>();
                copyFields<TRecAgenta>(*a, source, kAgentFields);
                a->StatusAgenta = statusOf(source.RodzajOperacji);
                if (version == 3) {
                    a->WartoscDodatkowa = header->DataOdpowiedzi;
                    a->PrzyczynyOdp = source.Przyczyny;
                    header->AgentOdp = a.get();
                }
                a->Odpowiedz = header;
                agent = a.get();
                add(std::move(a), KIND_AGENT_ODP);
                break;
            }
            case KIND_PRACOWNIK:
            case KIND_ZARZAD: {
                const auto& source = static_cast<const TRecOsoba&>(from);
                const Field status(statusOf(header->TypWniosku));
                if (document.kinds()[i] == KIND_PRACOWNIK) {
                    auto p = linked(std::make_unique<TRecPracownikOdp>());
                    copyFields<TRecOsoba>(*p, source, kPersonFields);
                    p->Status = status;
                    add(std::move(p), KIND_PRACOWNIK_ODP);
                } else {
                    auto z = linked(std::make_unique<TRecZarzadOdp>());
                    copyFields<TRecOsoba>(*z, source, kPersonFields);
                    z->Status = status;
                    add(std::move(z), KIND_ZARZAD_ODP);
                }
                break;
            }
            case KIND_PELNOMOCNICTWO: {
                auto p = linked(std::make_unique<TRecPelnomocnictwoOdp>());
                copyFields<TRecPelnomocnictwo>(*p, static_cast<const TRecPelnomocnictwo&>(from),
                                               kPowerFields);
                add(std::move(p), KIND_PELNOMOCNICTWO_ODP);
                break;
            }
            case KIND_POLISA: {
                const auto& source = static_cast<const TRecPolisaOC3&>(from);
                auto p = linked(std::make_unique<TRecPolisaOdp>());
                copyFields<TRecPolisaOC>(*p, source, kPolicyFields);
                // Version-3 policies name the insurer by its code.
                p->Nazwa_zakladu = source.Kod_ZU;
                add(std::move(p), KIND_POLISA_ODP);
                break;
            }
            default: break;  // the undertaking is not answered about
        }
    }
}

std::string SampleResponse::text() const {
    std::string out;
    for (const std::string& line : lines_) {
        out += line;
        out += "\r\n";
    }
    return out;
}

std::string sampleResponseText(int version, const ResponseShape& shape, std::uint32_t seed) {
    return SampleResponse(version, shape, seed).text();
}

}  // namespace tavik::samples
