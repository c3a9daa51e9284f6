#include "model/RecordFormats.h"

#include <span>
#include <typeinfo>

#include "model/Cp1250Texts.h"

namespace tavik {

bool RpaFieldReader::ReadField(Field& field) {
    const char* head = in_.request(2);
    if (!head) return false;
    const std::size_t length = static_cast<unsigned char>(head[0]) |
                               (static_cast<std::size_t>(static_cast<unsigned char>(head[1])) << 8);
    const char* bytes = in_.request(2 + length);
    if (!bytes) return false;
    if (length > 0) field.assign({bytes + 2, length});
    in_.consume(2 + length);
    return true;
}

bool RpaFieldReader::ReadWord(std::uint32_t& value) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(in_.request(4));
    if (!bytes) return false;
    value = bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (std::uint32_t{bytes[3]} << 24);
    in_.consume(4);
    return true;
}

RpaFieldReader::Tag RpaFieldReader::ReadTag(Field& tag) {
    const char* head = in_.request(2);
    if (!head) return in_.available() == 0 ? Tag::End : Tag::Truncated;
    const std::size_t length = static_cast<unsigned char>(head[0]) |
                               (static_cast<std::size_t>(static_cast<unsigned char>(head[1])) << 8);
    if (length == 0) {
        in_.consume(2);
        return Tag::End;
    }
    if (length > 5) return Tag::TooLong;
    const char* bytes = in_.request(2 + length);
    if (!bytes) return Tag::Truncated;
    tag.assign({bytes + 2, length});
    in_.consume(2 + length);
    return Tag::Read;
}

void RpaFieldWriter::WriteField(const Field& field) {
    const std::uint16_t length = field.length();
    const char head[2] = {static_cast<char>(length & 0xFF), static_cast<char>(length >> 8)};
    out_.write(head, 2);
    out_.write(field.c_str(), length);
}

void RpaFieldWriter::WriteWord(std::uint32_t value) {
    const char bytes[4] = {static_cast<char>(value), static_cast<char>(value >> 8),
                           static_cast<char>(value >> 16), static_cast<char>(value >> 24)};
    out_.write(bytes, 4);
}

RecordFormat::~RecordFormat() = default;

namespace {

template <class R>
using ChecksumFn = std::uint32_t (*)(const CRC32&, const R&);

template <class R>
class RecordFormatOf final : public RecordFormat {
public:
    constexpr RecordFormatOf(RecordKind kind, std::string_view tag,
                             std::span<Field R::* const> fileOrder, ChecksumFn<R> checksum)
        : RecordFormat(kind, tag), fileOrder_(fileOrder), checksum_(checksum) {}

    std::unique_ptr<TRecord> create() const override { return std::make_unique<R>(); }

    bool fits(const TRecord& record) const override { return typeid(record) == typeid(R); }

    bool read(TRecord& record, RpaFieldReader& in) const override {
        auto& r = static_cast<R&>(record);
        for (Field R::* member : fileOrder_)
            if (!in.ReadField(r.*member)) return false;
        return in.ReadWord(r.CRC);
    }

    void write(const TRecord& record, RpaFieldWriter& out) const override {
        const auto& r = static_cast<const R&>(record);
        out.WriteField(r.TypRekordu);
        for (Field R::* member : fileOrder_) out.WriteField(r.*member);
        out.WriteWord(r.CRC);
    }

    std::uint32_t checksum(const CRC32& calc, const TRecord& record) const override {
        return checksum_(calc, static_cast<const R&>(record));
    }

private:
    std::span<Field R::* const> fileOrder_;
    ChecksumFn<R> checksum_;
};

// ---- File orders: the fields after the tag, as each version stores them ------------------

// Converts an order to the member pointers of a derived class and appends that class's own
// fields, so that each version is the version before it plus what it adds.
template <class To, class From, std::size_t N, class... Extra>
constexpr auto extendOrder(const std::array<Field From::*, N>& base, Extra... extra) {
    std::array<Field To::*, N + sizeof...(Extra)> order{};
    std::size_t i = 0;
    for (; i < N; ++i) order[i] = base[i];
    ((order[i++] = extra), ...);
    return order;
}

constexpr auto kZakladV1 = std::to_array<Field TRecZU::*>({&TRecZU::KodZU, &TRecZU::NazwaZU});
constexpr auto kZakladV2 = std::to_array<Field TRecZU::*>({&TRecZU::KodZU});

constexpr auto kWniosek = std::to_array<Field TRecWniosek::*>(
    {&TRecWniosek::TypWniosku, &TRecWniosek::NumerWniosku, &TRecWniosek::DataWniosku,
     &TRecWniosek::Komentarz});

constexpr auto kAgentV1 = std::to_array<Field TRecAgenta::*>({
    &TRecAgenta::RodzajOperacji,
    &TRecAgenta::NUMER_W_RA,
    &TRecAgenta::NumerWZU,
    &TRecAgenta::NIP_AGENTA,
    &TRecAgenta::NIP_Osoby_Fizycznej,
    &TRecAgenta::RodzajDokumentuOsFizAgenta,
    &TRecAgenta::PESEL,
    &TRecAgenta::Nazwisko,
    &TRecAgenta::Nazwisko2,
    &TRecAgenta::Imie,
    &TRecAgenta::Imie2,
    &TRecAgenta::Obywatelstwo,
    &TRecAgenta::Miejscowosc,
    &TRecAgenta::Ulica,
    &TRecAgenta::NrDomu,
    &TRecAgenta::NrLokalu,
    &TRecAgenta::KodPocztowy,
    &TRecAgenta::Poczta,
    &TRecAgenta::Numer_z_Rejestru,
    &TRecAgenta::RodzajRejestru,
    &TRecAgenta::FormaPrawna,
    &TRecAgenta::NazwaAgenta,
    &TRecAgenta::Miejscowosc_SiedzibaAgenta,
    &TRecAgenta::Ulica_SiedzibaAgenta,
    &TRecAgenta::NrDomu_SiedzibaAgenta,
    &TRecAgenta::NrLokalu_SiedzibaAgenta,
    &TRecAgenta::KodPocztowy_SiedzibaAgenta,
    &TRecAgenta::Poczta_SiedzibaAgenta,
    &TRecAgenta::ZWOLNIONY,
    &TRecAgenta::DzialalnoscPodstawowa,
    &TRecAgenta::InnaDzialalnosc,
});
constexpr auto kAgentV2 = extendOrder<TRecAgenta2>(kAgentV1, &TRecAgenta2::Liczba_czl_zarzadu);
constexpr auto kAgentV3 =
    extendOrder<TRecAgenta3>(kAgentV2, &TRecAgenta3::DATA_ROZW_UM_AGENCYJNEJ,
                             &TRecAgenta3::Przyczyny, &TRecAgenta3::InfoDodatkowe);
static_assert(kAgentV1.size() == 31 && kAgentV2.size() == 32 && kAgentV3.size() == 35);

constexpr auto kOsoba = std::to_array<Field TRecOsoba::*>({
    &TRecOsoba::Rodzaj_Operacji,
    &TRecOsoba::NumerWZU,
    &TRecOsoba::Numer_w_RA,
    &TRecOsoba::NIP,
    &TRecOsoba::PESEL,
    &TRecOsoba::Nazwisko,
    &TRecOsoba::Nazwisko_drugi_czlon,
    &TRecOsoba::Imie,
    &TRecOsoba::Imie2,
    &TRecOsoba::NazwiskoRodowe,
    &TRecOsoba::ImieOjca,
    &TRecOsoba::ImieMatki,
    &TRecOsoba::Plec,
    &TRecOsoba::Typ_Dokumentu,
    &TRecOsoba::Miejscowosc,
    &TRecOsoba::Ulica,
    &TRecOsoba::NumerDomu,
    &TRecOsoba::NumerLokalu,
    &TRecOsoba::KodPocztowy,
    &TRecOsoba::POCZTA,
    &TRecOsoba::Obywatelstwo,
    &TRecOsoba::WYKSZTALCENIE,
    &TRecOsoba::Nr_zezwolenia,
});
static_assert(kOsoba.size() == 23);
constexpr auto kPracownik = extendOrder<TRecPracownik>(kOsoba);
constexpr auto kZarzad = extendOrder<TRecZarzad>(kOsoba);

constexpr auto kPolisa = std::to_array<Field TRecPolisaOC::*>(
    {&TRecPolisaOC::ID_PolisyOC, &TRecPolisaOC::Nazwa_zakladu, &TRecPolisaOC::Suma_ubezpieczenia,
     &TRecPolisaOC::WazneOd, &TRecPolisaOC::WazneDo});
// Version 3 stores the insurer's code where the older versions store its name.
constexpr auto kPolisa3 = std::to_array<Field TRecPolisaOC3::*>(
    {&TRecPolisaOC3::ID_PolisyOC, &TRecPolisaOC3::Kod_ZU, &TRecPolisaOC3::Suma_ubezpieczenia,
     &TRecPolisaOC3::WazneOd, &TRecPolisaOC3::WazneDo});

constexpr auto kPelnomocnictwo = std::to_array<Field TRecPelnomocnictwo::*>(
    {&TRecPelnomocnictwo::RodzajUbezpieczenia, &TRecPelnomocnictwo::ObszarDzialalnosci,
     &TRecPelnomocnictwo::MaksKwotaUbezpieczenia, &TRecPelnomocnictwo::Waluta,
     &TRecPelnomocnictwo::NazwaDzialu, &TRecPelnomocnictwo::NazwaGrupy,
     &TRecPelnomocnictwo::WazneOd, &TRecPelnomocnictwo::WazneDo});

// ---- Checksums each version carries -------------------------------------------------------

template <class R, auto Operation>
std::uint32_t checksumWith(const CRC32& calc, const R& record) {
    std::uint32_t crc = 0;
    (calc.*Operation)(&record, crc);
    return crc;
}

const RecordFormatOf<TRecZU> zakladV1(KIND_ZAKLAD, texts::TAG_ZAKLAD, kZakladV1,
                                      checksumWith<TRecZU, &CRC32::CRC32RecZaklad>);
const RecordFormatOf<TRecZU> zakladV2(KIND_ZAKLAD, texts::TAG_ZAKLAD, kZakladV2,
                                      checksumWith<TRecZU, &CRC32::CRC32RecZaklad2>);
const RecordFormatOf<TRecWniosek> wniosek(KIND_WNIOSEK, texts::TAG_WNIOSEK, kWniosek,
                                          checksumWith<TRecWniosek, &CRC32::CRC32RecWniosek>);
const RecordFormatOf<TRecAgenta> agentV1(KIND_AGENT, texts::TAG_AGENT, kAgentV1,
                                         checksumWith<TRecAgenta, &CRC32::CRC32RecAgent>);
const RecordFormatOf<TRecAgenta2> agentV2(KIND_AGENT, texts::TAG_AGENT, kAgentV2,
                                          checksumWith<TRecAgenta2, &CRC32::CRC32RecAgent>);
const RecordFormatOf<TRecAgenta3> agentV3(KIND_AGENT, texts::TAG_AGENT, kAgentV3,
                                          checksumWith<TRecAgenta3, &CRC32::CRC32RecAgent3>);
const RecordFormatOf<TRecPracownik> pracownik(
    KIND_PRACOWNIK, texts::TAG_PRACOWNIK, kPracownik,
    checksumWith<TRecPracownik, &CRC32::CRC32RecPracownik>);
const RecordFormatOf<TRecZarzad> zarzad(KIND_ZARZAD, texts::TAG_ZARZAD, kZarzad,
                                        checksumWith<TRecZarzad, &CRC32::CRC32RecZarzad>);
const RecordFormatOf<TRecPolisaOC> polisa(KIND_POLISA, texts::TAG_POLISA, kPolisa,
                                          checksumWith<TRecPolisaOC, &CRC32::CRC32RecPolisaOC>);
const RecordFormatOf<TRecPolisaOC3> polisa3(
    KIND_POLISA, texts::TAG_POLISA, kPolisa3,
    checksumWith<TRecPolisaOC3, &CRC32::CRC32RecPolisaOC3>);
const RecordFormatOf<TRecPelnomocnictwo> pelnomocnictwo(
    KIND_PELNOMOCNICTWO, texts::TAG_PELNOMOCNICTWO, kPelnomocnictwo,
    checksumWith<TRecPelnomocnictwo, &CRC32::CRC32RecPelnomocnictwo>);

const FileVersion kVersion1{
    1, "LUNET 1.0", "03.11.13.0001",
    {&zakladV1, &wniosek, &agentV1, &pracownik, &polisa, &pelnomocnictwo, nullptr}};
const FileVersion kVersion2{
    2, "LUNET 2.0", "03.11.13.0001",
    {&zakladV2, &wniosek, &agentV2, &pracownik, &polisa, &pelnomocnictwo, &zarzad}};
const FileVersion kVersion3{
    3, "LUNET 3.0", "03.03.06.0002",
    {&zakladV2, &wniosek, &agentV3, &pracownik, &polisa3, &pelnomocnictwo, &zarzad}};

}  // namespace

const RecordFormat* FileVersion::forTag(std::string_view tag) const {
    for (const RecordFormat* format : byKind)
        if (format && format->tag() == tag) return format;
    return nullptr;
}

const FileVersion& fileVersion1() { return kVersion1; }
const FileVersion& fileVersion2() { return kVersion2; }
const FileVersion& fileVersion3() { return kVersion3; }

RecordKind parentKind(RecordKind kind) {
    switch (kind) {
        case KIND_WNIOSEK: return KIND_ZAKLAD;
        case KIND_AGENT: return KIND_WNIOSEK;
        default: return KIND_AGENT;
    }
}

std::string_view recordTypeName(RecordKind kind) {
    switch (kind) {
        case KIND_ZAKLAD: return "ZAKLAD UBEZPIECZEŃ";
        case KIND_WNIOSEK: return "WNIOSEK";
        case KIND_AGENT: return "AGENT";
        case KIND_PRACOWNIK: return "PRACOWNIK";
        case KIND_POLISA: return "POLISA";
        case KIND_PELNOMOCNICTWO: return "PELNOMOCNICTWO";
        case KIND_ZARZAD: return "CZŁ. ZARZĄDU";
        default: return "NIEZNANY";
    }
}

}  // namespace tavik

namespace tavik {

std::string recordBeforeParentMessage(RecordKind kind) {
    return "Błędna kolejność rekordów: rekord " + std::string(recordTypeName(kind)) +
           " występuje przed pierwszym rekordem " + std::string(recordTypeName(parentKind(kind))) +
           " !";
}

}  // namespace tavik
