#include "interchange/ReadOdp.h"

#include <array>

#include "interchange/ReadOdp3.h"
#include "model/CRC32.h"
#include "model/Cp1250.h"
#include "model/Exception.h"
#include "model/TextLines.h"

namespace tavik {

namespace {

constexpr std::string_view kTagAgent = "AGO";
constexpr std::string_view kTagZarzad = "CZO";
constexpr std::string_view kTagPracownik = "PRO";
constexpr std::string_view kTagPolisa = "POO";
constexpr std::string_view kTagPelnomocnictwo = "PEO";

constexpr std::size_t kCodeMaximum = 3;
constexpr std::size_t kReferenceMaximum = 14;
constexpr std::size_t kChecksumMaximum = 8;

// The fields of each line after the tag, the code and the reference, in file order.

constexpr auto kOdpowiedzColumns = std::to_array<ResponseColumn<TRecOdpowiedz>>({
    {&TRecOdpowiedz::NazwaZU, 100},
    {&TRecOdpowiedz::NrOdpowiedzi, 20},
    {&TRecOdpowiedz::TypWniosku, 16},
    {&TRecOdpowiedz::DataOdpowiedzi, 10},
    {&TRecOdpowiedz::KomentarzOdpowiedzi, 1024},
});

constexpr auto kAgentColumns = std::to_array<ResponseColumn<TRecAgentOdp>>({
    {&TRecAgentOdp::NUMER_W_RA, 100},
    {&TRecAgentOdp::NumerWZU, 20},
    {&TRecAgentOdp::NazwaAgenta, 100},
    {&TRecAgentOdp::RodzajRejestru, 50},
    {&TRecAgentOdp::Numer_z_Rejestru, 30},
    {&TRecAgentOdp::NIP_AGENTA, 13},
    {&TRecAgentOdp::Miejscowosc_SiedzibaAgenta, 50},
    {&TRecAgentOdp::Ulica_SiedzibaAgenta, 50},
    {&TRecAgentOdp::NrDomu_SiedzibaAgenta, 20},
    {&TRecAgentOdp::NrLokalu_SiedzibaAgenta, 20},
    {&TRecAgentOdp::KodPocztowy_SiedzibaAgenta, 6},
    {&TRecAgentOdp::Poczta_SiedzibaAgenta, 50},
    {&TRecAgentOdp::FormaPrawna, 50},
    {&TRecAgentOdp::ZWOLNIONY, 3},
    {&TRecAgentOdp::DzialalnoscPodstawowa, 50},
    {&TRecAgentOdp::InnaDzialalnosc, 50},
    {&TRecAgentOdp::Obywatelstwo, 50},
    {&TRecAgentOdp::RodzajDokumentuOsFizAgenta, 50},
    {&TRecAgentOdp::PESEL, 20},
    {&TRecAgentOdp::NIP_Osoby_Fizycznej, 13},
    {&TRecAgentOdp::Nazwisko, 28},
    {&TRecAgentOdp::Nazwisko2, 28},
    {&TRecAgentOdp::Imie, 24},
    {&TRecAgentOdp::Imie2, 24},
    {&TRecAgentOdp::Miejscowosc, 60},
    {&TRecAgentOdp::Ulica, 50},
    {&TRecAgentOdp::NrDomu, 20},
    {&TRecAgentOdp::NrLokalu, 20},
    {&TRecAgentOdp::KodPocztowy, 20},
    {&TRecAgentOdp::Poczta, 50},
});
// Only the version-3 agent line has these, between the address and the status.
constexpr auto kAgentVersion3Columns = std::to_array<ResponseColumn<TRecAgentOdp>>({
    {&TRecAgentOdp::WartoscDodatkowa, 10},
    {&TRecAgentOdp::PrzyczynyOdp, 10},
});
constexpr auto kAgentStatusColumn = std::to_array<ResponseColumn<TRecAgentOdp>>({
    {&TRecAgentOdp::StatusAgenta, 20},
});

// Employees and board members share the layout; only the street is shorter for a member.
template <class R>
constexpr auto personColumns(std::uint16_t streetMaximum) {
    return std::to_array<ResponseColumn<R>>({
        {&R::Numer_w_RA, 14},     {&R::NumerWZU, 20},
        {&R::Nazwisko, 60},       {&R::Nazwisko_drugi_czlon, 60},
        {&R::Imie, 24},           {&R::Imie2, 24},
        {&R::NazwiskoRodowe, 60}, {&R::Plec, 15},
        {&R::ImieOjca, 30},       {&R::ImieMatki, 30},
        {&R::Obywatelstwo, 30},   {&R::Typ_Dokumentu, 30},
        {&R::PESEL, 20},          {&R::NIP, 13},
        {&R::Miejscowosc, 60},    {&R::Ulica, streetMaximum},
        {&R::NumerDomu, 20},      {&R::NumerLokalu, 20},
        {&R::KodPocztowy, 6},     {&R::POCZTA, 50},
        {&R::Nr_zezwolenia, 30},  {&R::WYKSZTALCENIE, 35},
        {&R::Status, 15},
    });
}
constexpr auto kPracownikColumns = personColumns<TRecPracownikOdp>(60);
constexpr auto kZarzadColumns = personColumns<TRecZarzadOdp>(50);

constexpr auto kPelnomocnictwoColumns = std::to_array<ResponseColumn<TRecPelnomocnictwoOdp>>({
    {&TRecPelnomocnictwoOdp::WazneOd, 10},
    {&TRecPelnomocnictwoOdp::WazneDo, 10},
    {&TRecPelnomocnictwoOdp::NazwaDzialu, 255},
    {&TRecPelnomocnictwoOdp::NazwaGrupy, 255},
    {&TRecPelnomocnictwoOdp::RodzajUbezpieczenia, 255},
    {&TRecPelnomocnictwoOdp::MaksKwotaUbezpieczenia, 13},
    {&TRecPelnomocnictwoOdp::Waluta, 5},
    {&TRecPelnomocnictwoOdp::ObszarDzialalnosci, 255},
});

constexpr auto kPolisaColumns = std::to_array<ResponseColumn<TRecPolisaOdp>>({
    {&TRecPolisaOdp::Nazwa_zakladu, 100},
    {&TRecPolisaOdp::ID_PolisyOC, 25},
    {&TRecPolisaOdp::WazneOd, 10},
    {&TRecPolisaOdp::WazneDo, 10},
    {&TRecPolisaOdp::Suma_ubezpieczenia, 13},
});

template <class R, std::size_t N>
std::span<const ResponseColumn<R>> part(const std::array<ResponseColumn<R>, N>& columns) {
    return columns;
}

}  // namespace

const ResponseMessages ReadOdp::kOdpowiedzMessages = {
    "Błędny kod zakładu dla rekordu ODPOWIEDŹ!",
    "Błąd sumy kontrolnej dla rekordu ODPOWIEDŹ!",
    "Wystąpił błąd przy odczycie rekordu ODPOWIEDŹ!",
};
const ResponseMessages ReadOdp::kAgentMessages = {
    "Błędny kod zakładu dla rekordu AGENT-ODPOWIEDŹ!",
    "Błąd sumy kontrolnej dla rekordu AGENT - ODPOWIEDŹ!",
    "Wystąpił błąd przy odczycie rekordu AGENTA ODPOWIEDŹ!",
};
const ResponseMessages ReadOdp::kZarzadMessages = {
    "Błędny kod zakładu dla rekordu CZŁ. ZARZĄDU-ODPOWIEDŹ!",
    "Błąd sumy kontrolnej dla rekordu CZŁ. ZARZĄDU - ODPOWIEDŹ!",
    "Wystąpił błąd przy odczycie rekordu CZŁ. ZARZĄDU - ODPOWIEDŹ!",
};
const ResponseMessages ReadOdp::kPracownikMessages = {
    "Błędny kod zakładu dla rekordu PRACOWNIK-ODPOWIEDŹ!",
    "Błąd sumy kontrolnej dla rekordu PRACOWNIK - ODPOWIEDŹ!",
    "Wystąpił błąd przy odczycie rekordu PRACOWNIK ODPOWIEDŹ!",
};
const ResponseMessages ReadOdp::kPelnomocnictwoMessages = {
    "Błędny kod zakładu dla rekordu PEŁNOMOCNICTWO - ODPOWIEDŹ!",
    "Błąd sumy kontrolnej dla rekordu PEŁNOMOCNICTWO - ODPOWIEDŹ!",
    "Wystąpił błąd przy odczycie rekordu PELNOMOCNICTWO - ODPOWIEDŹ!",
};
// A policy whose code differs is reported as a read failure.
const ResponseMessages ReadOdp::kPolisaMessages = {
    "Wystąpił błąd przy odczycie rekordu POLISA - ODPOWIEDŹ!",
    "Błąd sumy kontrolnej dla rekordu POLISA - ODPOWIEDŹ!",
    "Wystąpił błąd przy odczycie rekordu POLISA - ODPOWIEDŹ!",
};
const char* const ReadOdp::kTagMessage =
    "Błędny typ rekordu: pole typu rekordu jest puste lub dłuższe niż 3 znaki!";

int responseFileVersion(std::string_view text) {
    if (text.starts_with("ODP;")) return 1;
    if (text.starts_with("OD3;")) return 3;
    return -1;
}

std::unique_ptr<ReadOdp> responseReaderFor(std::string_view text, std::string kodZU) {
    switch (responseFileVersion(text)) {
        case 1: return std::make_unique<ReadOdp>(std::move(kodZU));
        case 3: return std::make_unique<ReadOdp3>(std::move(kodZU));
        default: return nullptr;
    }
}

ReadOdp::ReadOdp(std::string kodZU) : ReadOdp(std::move(kodZU), texts::TAG_ODPOWIEDZ.view()) {}

ReadOdp::ReadOdp(std::string kodZU, std::string_view headerTag)
    : kodZU_(std::move(kodZU)), headerTag_(headerTag) {}

ReadOdp::~ReadOdp() = default;

std::vector<ReadRecord> ReadOdp::TakeRecords() {
    std::vector<ReadRecord> taken = std::move(entries_);
    restart();
    return taken;
}

void ReadOdp::restart() {
    entries_.clear();
    odpowiedz_ = nullptr;
    agentOdp_ = nullptr;
}

void ReadOdp::Czytaj(std::string_view text) {
    CzytajLinie(splitLines(text));
}

void ReadOdp::CzytajLinie(const std::vector<std::string>& lines) {
    restart();
    entries_.reserve(lines.size());
    int number = 0;
    for (const std::string& line : lines) {
        ++number;
        try {
            UstawLinie(line);
            std::string tag;
            try {
                tag = CzytajTekst(3, false);
            } catch (const read_error&) {
                throw Exception(kTagMessage);
            }
            if (tag == headerTag_)
                CzytajOdpowiedz();
            else if (tag == kTagAgent)
                CzytajAgenta();
            else if (tag == kTagZarzad)
                CzytajCzlonkaZarzadu();
            else if (tag == kTagPracownik)
                CzytajPracownika();
            else if (tag == kTagPolisa)
                CzytajPolise();
            else if (tag == kTagPelnomocnictwo)
                CzytajPelnomocnictwo();
            // Any other tag is skipped: the register may send records this program does not show.
        } catch (Exception& failure) {
            restart();
            failure.prependMessage("Wystąpił błąd w linii " + std::to_string(number) + "\n");
            throw;
        } catch (...) {
            restart();
            throw;
        }
    }
}

void ReadOdp::readChecksum(const ResponseMessages& messages) {
    const std::uint32_t stored = checksumField(CzytajTekst(kChecksumMaximum, true));
    // The checksum covers everything before the last ";", and so it must be the last field: a
    // ";" after it leaves the checksum of a text that ends in the separator.
    const bool endsLine = position_ > static_cast<int>(line_.size());
    const std::size_t last = line_.rfind(';');
    const std::string_view covered(line_.data(), last == std::string::npos ? 0 : last);
    static const CRC32 calc;
    std::uint32_t crc = 0;
    calc.CRC32Dict(covered, crc);
    if (!endsLine || crc != stored) throw ECRC32Err(messages.checksum);
}

template <class R>
std::unique_ptr<R> ReadOdp::readRecord(
    const ResponseMessages& messages, bool hasReference, Field R::*codeMember,
    std::initializer_list<std::span<const ResponseColumn<R>>> parts) {
    auto record = std::make_unique<R>();
    try {
        const std::string code = CzytajTekst(kCodeMaximum, false);
        if (code != kodZU_) throw Exception(messages.code);
        if (codeMember) (*record).*codeMember = code;
        if (hasReference) CzytajTekst(kReferenceMaximum, false);
        // A record text ends at its first NUL; what is left is trimmed like the field, so that
        // the record holds a text that reads back as itself. Lines rarely hold one.
        const bool mayHoldNul = line_.find('\0') != std::string::npos;
        for (std::span<const ResponseColumn<R>> columns : parts) {
            for (const ResponseColumn<R>& column : columns) {
                std::string value = CzytajTekst(column.maximum, false);
                if (const std::size_t nul = mayHoldNul ? value.find('\0') : std::string::npos;
                    nul != std::string::npos)
                    value = std::string(trimmed(std::string_view(value).substr(0, nul)));
                cp1250::toUpperInPlace(value);
                (*record).*(column.member) = value;
            }
        }
        readChecksum(messages);
    } catch (const read_error&) {
        throw Exception(messages.readFailure);
    }
    return record;
}

void ReadOdp::CzytajOdpowiedz() {
    auto header = readRecord<TRecOdpowiedz>(kOdpowiedzMessages, false, &TRecOdpowiedz::KodZU,
                                            {part(kOdpowiedzColumns)});
    odpowiedz_ = header.get();
    entries_.push_back({std::move(header), KIND_ODPOWIEDZ});
}

std::unique_ptr<TRecAgentOdp> ReadOdp::readAgentLine(bool version3Fields) {
    return readRecord<TRecAgentOdp>(
        kAgentMessages, true, nullptr,
        {part(kAgentColumns),
         version3Fields ? part(kAgentVersion3Columns)
                        : std::span<const ResponseColumn<TRecAgentOdp>>(),
         part(kAgentStatusColumn)});
}

TRecAgentOdp* ReadOdp::appendAgent(std::unique_ptr<TRecAgentOdp> agent) {
    agent->Odpowiedz = odpowiedz_;
    agentOdp_ = agent.get();
    entries_.push_back({std::move(agent), KIND_AGENT_ODP});
    return agentOdp_;
}

void ReadOdp::CzytajAgenta() {
    appendAgent(readAgentLine(false));
}

void ReadOdp::CzytajPracownika() {
    auto employee =
        readRecord<TRecPracownikOdp>(kPracownikMessages, true, nullptr, {part(kPracownikColumns)});
    employee->AgentOdp = agentOdp_;
    entries_.push_back({std::move(employee), KIND_PRACOWNIK_ODP});
}

void ReadOdp::CzytajPolise() {
    auto policy = readRecord<TRecPolisaOdp>(kPolisaMessages, true, nullptr, {part(kPolisaColumns)});
    policy->AgentOdp = agentOdp_;
    entries_.push_back({std::move(policy), KIND_POLISA_ODP});
}

void ReadOdp::CzytajPelnomocnictwo() {
    auto power = readRecord<TRecPelnomocnictwoOdp>(kPelnomocnictwoMessages, true, nullptr,
                                                   {part(kPelnomocnictwoColumns)});
    power->AgentOdp = agentOdp_;
    entries_.push_back({std::move(power), KIND_PELNOMOCNICTWO_ODP});
}

void ReadOdp::CzytajCzlonkaZarzadu() {
    auto member = readRecord<TRecZarzadOdp>(kZarzadMessages, true, nullptr, {part(kZarzadColumns)});
    member->AgentOdp = agentOdp_;
    entries_.push_back({std::move(member), KIND_ZARZAD_ODP});
}

}  // namespace tavik
