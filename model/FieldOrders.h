#pragma once

#include <array>
#include <cstddef>

#include "model/Recdata.h"

// The two fixed lists of every record: the order in which a file stores its fields, and the
// order in which its checksum covers them. They differ, and stored files depend on both.
namespace tavik {

template <class R, std::size_t N>
using FieldOrder = std::array<Field R::*, N>;

// Converts an order to the member pointers of a derived class and appends that class's own
// fields, so that a longer record is the shorter one plus what it adds.
template <class To, class From, std::size_t N, class... Extra>
constexpr auto extendOrder(const std::array<Field From::*, N>& base, Extra... extra) {
    std::array<Field To::*, N + sizeof...(Extra)> order{};
    std::size_t i = 0;
    for (; i < N; ++i)
        order[i] = base[i];
    ((order[i++] = extra), ...);
    return order;
}

namespace file_order {  // the fields after the tag

inline constexpr auto kZakladV1 =
    std::to_array<Field TRecZU::*>({&TRecZU::KodZU, &TRecZU::NazwaZU});
inline constexpr auto kZakladV2 = std::to_array<Field TRecZU::*>({&TRecZU::KodZU});

inline constexpr auto kWniosek =
    std::to_array<Field TRecWniosek::*>({&TRecWniosek::TypWniosku, &TRecWniosek::NumerWniosku,
                                         &TRecWniosek::DataWniosku, &TRecWniosek::Komentarz});

inline constexpr auto kAgentV1 = std::to_array<Field TRecAgenta::*>({
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
inline constexpr auto kAgentV2 =
    extendOrder<TRecAgenta2>(kAgentV1, &TRecAgenta2::Liczba_czl_zarzadu);
inline constexpr auto kAgentV3 =
    extendOrder<TRecAgenta3>(kAgentV2, &TRecAgenta3::DATA_ROZW_UM_AGENCYJNEJ,
                             &TRecAgenta3::Przyczyny, &TRecAgenta3::InfoDodatkowe);
static_assert(kAgentV1.size() == 31 && kAgentV2.size() == 32 && kAgentV3.size() == 35);

inline constexpr auto kOsoba = std::to_array<Field TRecOsoba::*>({
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

inline constexpr auto kPolisa = std::to_array<Field TRecPolisaOC::*>(
    {&TRecPolisaOC::ID_PolisyOC, &TRecPolisaOC::Nazwa_zakladu, &TRecPolisaOC::Suma_ubezpieczenia,
     &TRecPolisaOC::WazneOd, &TRecPolisaOC::WazneDo});
// Version 3 stores the insurer's code where the older versions store its name.
inline constexpr auto kPolisa3 = std::to_array<Field TRecPolisaOC3::*>(
    {&TRecPolisaOC3::ID_PolisyOC, &TRecPolisaOC3::Kod_ZU, &TRecPolisaOC3::Suma_ubezpieczenia,
     &TRecPolisaOC3::WazneOd, &TRecPolisaOC3::WazneDo});

inline constexpr auto kPelnomocnictwo = std::to_array<Field TRecPelnomocnictwo::*>(
    {&TRecPelnomocnictwo::RodzajUbezpieczenia, &TRecPelnomocnictwo::ObszarDzialalnosci,
     &TRecPelnomocnictwo::MaksKwotaUbezpieczenia, &TRecPelnomocnictwo::Waluta,
     &TRecPelnomocnictwo::NazwaDzialu, &TRecPelnomocnictwo::NazwaGrupy,
     &TRecPelnomocnictwo::WazneOd, &TRecPelnomocnictwo::WazneDo});

}  // namespace file_order

namespace checksum_order {  // from the tag on

inline constexpr auto kZaklad =
    std::to_array<Field TRecZU::*>({&TRecZU::TypRekordu, &TRecZU::KodZU, &TRecZU::NazwaZU});
// Versions 2 and 3 do not store the name; the constant "<E>" takes its place.
inline constexpr auto kZakladWithoutName =
    std::to_array<Field TRecZU::*>({&TRecZU::TypRekordu, &TRecZU::KodZU});

inline constexpr auto kWniosek = std::to_array<Field TRecWniosek::*>(
    {&TRecWniosek::TypRekordu, &TRecWniosek::TypWniosku, &TRecWniosek::NumerWniosku,
     &TRecWniosek::DataWniosku, &TRecWniosek::Komentarz});

// Version 2 covers no more than version 1: "Liczba_czl_zarzadu" is left out.
inline constexpr auto kAgent = std::to_array<Field TRecAgenta::*>({
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
});
inline constexpr auto kAgent2 = extendOrder<TRecAgenta2>(kAgent);
inline constexpr auto kAgent3 = extendOrder<TRecAgenta3>(
    kAgent, &TRecAgenta3::Liczba_czl_zarzadu, &TRecAgenta3::DATA_ROZW_UM_AGENCYJNEJ,
    &TRecAgenta3::Przyczyny, &TRecAgenta3::InfoDodatkowe);
static_assert(kAgent.size() == 32 && kAgent3.size() == 36);

// Employees and board members alike; "NIP" is not covered.
inline constexpr auto kOsoba = std::to_array<Field TRecOsoba::*>({
    &TRecOsoba::TypRekordu,
    &TRecOsoba::Rodzaj_Operacji,
    &TRecOsoba::Numer_w_RA,
    &TRecOsoba::NumerWZU,
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

inline constexpr auto kPolisa = std::to_array<Field TRecPolisaOC::*>(
    {&TRecPolisaOC::TypRekordu, &TRecPolisaOC::ID_PolisyOC, &TRecPolisaOC::Suma_ubezpieczenia,
     &TRecPolisaOC::Nazwa_zakladu, &TRecPolisaOC::WazneOd, &TRecPolisaOC::WazneDo});
// "Nazwa zakładu" is not covered in version 3; the code is.
inline constexpr auto kPolisa3 = std::to_array<Field TRecPolisaOC3::*>(
    {&TRecPolisaOC3::TypRekordu, &TRecPolisaOC3::ID_PolisyOC, &TRecPolisaOC3::Suma_ubezpieczenia,
     &TRecPolisaOC3::Kod_ZU, &TRecPolisaOC3::WazneOd, &TRecPolisaOC3::WazneDo});

inline constexpr auto kPelnomocnictwo = std::to_array<Field TRecPelnomocnictwo::*>(
    {&TRecPelnomocnictwo::TypRekordu, &TRecPelnomocnictwo::RodzajUbezpieczenia,
     &TRecPelnomocnictwo::ObszarDzialalnosci, &TRecPelnomocnictwo::MaksKwotaUbezpieczenia,
     &TRecPelnomocnictwo::Waluta, &TRecPelnomocnictwo::NazwaDzialu, &TRecPelnomocnictwo::NazwaGrupy,
     &TRecPelnomocnictwo::WazneOd, &TRecPelnomocnictwo::WazneDo});

}  // namespace checksum_order

}  // namespace tavik
