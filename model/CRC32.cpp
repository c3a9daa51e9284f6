#include "model/CRC32.h"

#include <span>

namespace tavik {

namespace {

constexpr CRC32::Table makeTable() {
    CRC32::Table table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k) c = (c & 1) ? (c >> 1) ^ 0xEDB88320u : c >> 1;
        table[n] = c;
    }
    return table;
}

// Built by the compiler once; the operations never change it, so all calculators share it.
constexpr CRC32::Table kTable = makeTable();

template <class R>
using Order = std::span<Field R::* const>;

// Checksum orders. They differ from the orders in which the fields are stored in a file.
constexpr Field TRecZU::* kZaklad[] = {&TRecZU::TypRekordu, &TRecZU::KodZU, &TRecZU::NazwaZU};

constexpr Field TRecWniosek::* kWniosek[] = {
    &TRecWniosek::TypRekordu, &TRecWniosek::TypWniosku, &TRecWniosek::NumerWniosku,
    &TRecWniosek::DataWniosku, &TRecWniosek::Komentarz};

constexpr Field TRecAgenta::* kAgent[] = {
    &TRecAgenta::TypRekordu,
    &TRecAgenta::RodzajOperacji,
    &TRecAgenta::NUMER_W_RA,
    &TRecAgenta::NumerWZU,
    &TRecAgenta::NIP_AGENTA,
    &TRecAgenta::NIP_Osoby_Fizycznej,
    &TRecAgenta::Obywatelstwo,
    &TRecAgenta::RodzajDokumentuOsFizAgenta,
    &TRecAgenta::PESEL,
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
};
static_assert(std::size(kAgent) == 32);

constexpr Field TRecAgenta3::* kAgent3Tail[] = {
    &TRecAgenta3::Liczba_czl_zarzadu, &TRecAgenta3::DATA_ROZW_UM_AGENCYJNEJ,
    &TRecAgenta3::Przyczyny, &TRecAgenta3::InfoDodatkowe};

// Employees and board members alike; "NIP" is not covered.
constexpr Field TRecOsoba::* kOsoba[] = {
    &TRecOsoba::TypRekordu,     &TRecOsoba::Rodzaj_Operacji, &TRecOsoba::Numer_w_RA,
    &TRecOsoba::NumerWZU,       &TRecOsoba::PESEL,           &TRecOsoba::Nazwisko,
    &TRecOsoba::Nazwisko_drugi_czlon, &TRecOsoba::Imie,      &TRecOsoba::Imie2,
    &TRecOsoba::NazwiskoRodowe, &TRecOsoba::ImieOjca,        &TRecOsoba::ImieMatki,
    &TRecOsoba::Plec,           &TRecOsoba::Typ_Dokumentu,   &TRecOsoba::Miejscowosc,
    &TRecOsoba::Ulica,          &TRecOsoba::NumerDomu,       &TRecOsoba::NumerLokalu,
    &TRecOsoba::KodPocztowy,    &TRecOsoba::POCZTA,          &TRecOsoba::Obywatelstwo,
    &TRecOsoba::WYKSZTALCENIE,  &TRecOsoba::Nr_zezwolenia,
};
static_assert(std::size(kOsoba) == 23);

constexpr Field TRecPolisaOC::* kPolisa[] = {
    &TRecPolisaOC::TypRekordu, &TRecPolisaOC::ID_PolisyOC, &TRecPolisaOC::Suma_ubezpieczenia,
    &TRecPolisaOC::Nazwa_zakladu, &TRecPolisaOC::WazneOd, &TRecPolisaOC::WazneDo};

constexpr Field TRecPolisaOC3::* kPolisa3[] = {
    &TRecPolisaOC3::TypRekordu, &TRecPolisaOC3::ID_PolisyOC,
    &TRecPolisaOC3::Suma_ubezpieczenia, &TRecPolisaOC3::Kod_ZU,
    &TRecPolisaOC3::WazneOd, &TRecPolisaOC3::WazneDo};

constexpr Field TRecPelnomocnictwo::* kPelnomocnictwo[] = {
    &TRecPelnomocnictwo::TypRekordu,   &TRecPelnomocnictwo::RodzajUbezpieczenia,
    &TRecPelnomocnictwo::ObszarDzialalnosci, &TRecPelnomocnictwo::MaksKwotaUbezpieczenia,
    &TRecPelnomocnictwo::Waluta,       &TRecPelnomocnictwo::NazwaDzialu,
    &TRecPelnomocnictwo::NazwaGrupy,   &TRecPelnomocnictwo::WazneOd,
    &TRecPelnomocnictwo::WazneDo};

}  // namespace

CRC32::CRC32() : table_(kTable) {}

void CRC32::CRC32ForText(std::string_view text, std::uint32_t& crc) const {
    const std::size_t covered = text.size() & 0xFF;
    std::uint32_t c = table_[(crc ^ covered) & 0xFF] ^ (crc >> 8);
    for (std::size_t i = 0; i < covered; ++i)
        c = table_[(c ^ static_cast<unsigned char>(text[i])) & 0xFF] ^ (c >> 8);
    crc = c;
}

bool CRC32::CRC32Dict(std::string_view text, std::uint32_t& crc) const {
    crc = 0;
    CRC32ForText(text, crc);
    crc = ~crc;
    return true;
}

namespace {

template <class R, class Record>
void feed(const CRC32& calc, const Record& rec, Order<R> order, std::uint32_t& crc) {
    for (Field R::* member : order) calc.CRC32ForField(rec.*member, crc);
}

// crc := 0, the fields of each order in turn, crc := NOT crc.
template <class Record, class... Rs>
bool recordChecksum(const CRC32& calc, const Record* rec, std::uint32_t& crc, Order<Rs>... orders) {
    if (!rec) return false;
    crc = 0;
    (feed<Rs>(calc, *rec, orders, crc), ...);
    crc = ~crc;
    return true;
}

}  // namespace

bool CRC32::CRC32RecZaklad(const TRecZU* rec, std::uint32_t& crc) const {
    return recordChecksum(*this, rec, crc, Order<TRecZU>(kZaklad));
}

bool CRC32::CRC32RecZaklad2(const TRecZU* rec, std::uint32_t& crc) const {
    if (!rec) return false;
    crc = 0;
    CRC32ForField(rec->TypRekordu, crc);
    CRC32ForField(rec->KodZU, crc);
    CRC32ForText(texts::EMPTY, crc);  // these versions do not store the name
    crc = ~crc;
    return true;
}

bool CRC32::CRC32RecWniosek(const TRecWniosek* rec, std::uint32_t& crc) const {
    return recordChecksum(*this, rec, crc, Order<TRecWniosek>(kWniosek));
}

bool CRC32::CRC32RecAgent(const TRecAgenta* rec, std::uint32_t& crc) const {
    return recordChecksum(*this, rec, crc, Order<TRecAgenta>(kAgent));
}

bool CRC32::CRC32RecAgent3(const TRecAgenta3* rec, std::uint32_t& crc) const {
    return recordChecksum(*this, rec, crc, Order<TRecAgenta>(kAgent),
                          Order<TRecAgenta3>(kAgent3Tail));
}

bool CRC32::CRC32RecPracownik(const TRecPracownik* rec, std::uint32_t& crc) const {
    return recordChecksum(*this, rec, crc, Order<TRecOsoba>(kOsoba));
}

bool CRC32::CRC32RecZarzad(const TRecZarzad* rec, std::uint32_t& crc) const {
    return recordChecksum(*this, rec, crc, Order<TRecOsoba>(kOsoba));
}

bool CRC32::CRC32RecPelnomocnictwo(const TRecPelnomocnictwo* rec, std::uint32_t& crc) const {
    return recordChecksum(*this, rec, crc, Order<TRecPelnomocnictwo>(kPelnomocnictwo));
}

bool CRC32::CRC32RecPolisaOC(const TRecPolisaOC* rec, std::uint32_t& crc) const {
    return recordChecksum(*this, rec, crc, Order<TRecPolisaOC>(kPolisa));
}

bool CRC32::CRC32RecPolisaOC3(const TRecPolisaOC3* rec, std::uint32_t& crc) const {
    return recordChecksum(*this, rec, crc, Order<TRecPolisaOC3>(kPolisa3));
}

}  // namespace tavik
