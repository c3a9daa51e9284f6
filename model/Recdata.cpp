#include "model/Recdata.h"

namespace tavik {

namespace {

struct Collector {
    std::vector<FieldRef>& out;
    Collector& operator()(std::string_view name, Field& field) {
        out.push_back({name, &field});
        return *this;
    }
};

}  // namespace

TRecord::~TRecord() = default;

std::vector<FieldRef> TRecord::fields() {
    std::vector<FieldRef> out;
    out.reserve(40);
    out.push_back({"TypRekordu", &TypRekordu});
    collectFields(out);
    return out;
}

std::vector<ConstFieldRef> TRecord::fields() const {
    std::vector<ConstFieldRef> out;
    for (const FieldRef& ref : const_cast<TRecord*>(this)->fields())
        out.push_back({ref.name, ref.field});
    return out;
}

bool TRecZU::equals(const TRecZU& other) const {
    return TypRekordu == other.TypRekordu && KodZU == other.KodZU && NazwaZU == other.NazwaZU;
}

void TRecZU::collectFields(std::vector<FieldRef>& out) {
    Collector{out}("KodZU", KodZU)("NazwaZU", NazwaZU);
}

void TRecWniosek::collectFields(std::vector<FieldRef>& out) {
    Collector{out}("TypWniosku", TypWniosku)("NumerWniosku", NumerWniosku)(
        "DataWniosku", DataWniosku)("Komentarz", Komentarz)("KodZU", KodZU);
}

void TRecAgenta::collectFields(std::vector<FieldRef>& out) {
    Collector{out}("RodzajOperacji", RodzajOperacji)("NumerWZU", NumerWZU)(
        "NUMER_W_RA", NUMER_W_RA)("Nazwisko", Nazwisko)("Nazwisko2", Nazwisko2)("Imie", Imie)(
        "Imie2", Imie2)("Miejscowosc", Miejscowosc)("Ulica", Ulica)("NrDomu", NrDomu)(
        "NrLokalu", NrLokalu)("KodPocztowy", KodPocztowy)("Poczta", Poczta)(
        "Numer_z_Rejestru", Numer_z_Rejestru)("RodzajRejestru", RodzajRejestru)(
        "FormaPrawna", FormaPrawna)("NazwaAgenta", NazwaAgenta)("NIP AGENTA", NIP_AGENTA)(
        "NIP Osoby Fizycznej", NIP_Osoby_Fizycznej)("Obywatelstwo", Obywatelstwo)(
        "RodzajDokumentuOsFizAgenta", RodzajDokumentuOsFizAgenta)("PESEL/Seria/NR", PESEL)(
        "Miejscowosc_SiedzibaAgenta", Miejscowosc_SiedzibaAgenta)(
        "Ulica_SiedzibaAgenta", Ulica_SiedzibaAgenta)("NrDomu_SiedzibaAgenta",
                                                      NrDomu_SiedzibaAgenta)(
        "NrLokalu_SiedzibaAgenta", NrLokalu_SiedzibaAgenta)("KodPocztowy_SiedzibaAgenta",
                                                            KodPocztowy_SiedzibaAgenta)(
        "Poczta_SiedzibaAgenta", Poczta_SiedzibaAgenta)("ZWOLNIONY", ZWOLNIONY)(
        "DzialalnoscPodstawowa", DzialalnoscPodstawowa)("InnaDzialalnosc", InnaDzialalnosc);
}

void TRecAgenta2::collectFields(std::vector<FieldRef>& out) {
    TRecAgenta::collectFields(out);
    Collector{out}("Liczba_czl_zarzadu", Liczba_czl_zarzadu);
}

void TRecAgenta3::collectFields(std::vector<FieldRef>& out) {
    TRecAgenta2::collectFields(out);
    Collector{out}("DATA_ROZW_UM_AGENCYJNEJ", DATA_ROZW_UM_AGENCYJNEJ)("Przyczyny", Przyczyny)(
        "InfoDodatkowe", InfoDodatkowe);
}

void TRecOsoba::collectFields(std::vector<FieldRef>& out) {
    Collector{out}("Rodzaj Operacji", Rodzaj_Operacji)("NumerWZU", NumerWZU)(
        "Numer w RA", Numer_w_RA)("Nazwisko", Nazwisko)(
        "Nazwisko drugi człon", Nazwisko_drugi_czlon)("Imie", Imie)("Imie2", Imie2)(
        "NazwiskoRodowe", NazwiskoRodowe)("ImieOjca", ImieOjca)("ImieMatki", ImieMatki)(
        "Płec", Plec)("Miejscowosc", Miejscowosc)("Ulica", Ulica)("NumerDomu", NumerDomu)(
        "NumerLokalu", NumerLokalu)("KodPocztowy", KodPocztowy)("POCZTA", POCZTA)(
        "Obywatelstwo", Obywatelstwo)("WYKSZTAŁCENIE", WYKSZTALCENIE)(
        "Nr zezwolenia", Nr_zezwolenia)("Typ Dokumentu", Typ_Dokumentu)("PESEL/SERIA/NR", PESEL)(
        "NIP", NIP);
}

void TRecPolisaOC::collectFields(std::vector<FieldRef>& out) {
    Collector{out}("ID_PolisyOC", ID_PolisyOC)("Nazwa zakładu", Nazwa_zakladu)(
        "Suma ubezpieczenia", Suma_ubezpieczenia)("WazneOd", WazneOd)("WazneDo", WazneDo);
}

void TRecPolisaOC3::collectFields(std::vector<FieldRef>& out) {
    TRecPolisaOC::collectFields(out);
    Collector{out}("Kod ZU", Kod_ZU);
}

void TRecPelnomocnictwo::collectFields(std::vector<FieldRef>& out) {
    Collector{out}("RodzajUbezpieczenia", RodzajUbezpieczenia)(
        "ObszarDzialalnosci", ObszarDzialalnosci)("MaksKwotaUbezpieczenia", MaksKwotaUbezpieczenia)(
        "Waluta", Waluta)("NazwaDzialu", NazwaDzialu)("NazwaGrupy", NazwaGrupy)("WazneOd", WazneOd)(
        "WazneDo", WazneDo);
}

void TRecOdpowiedz::collectFields(std::vector<FieldRef>& out) {
    TRecWniosek::collectFields(out);
    Collector{out}("KomentarzOdpowiedzi", KomentarzOdpowiedzi)("NrOdpowiedzi", NrOdpowiedzi)(
        "DataOdpowiedzi", DataOdpowiedzi)("NazwaZU", NazwaZU);
}

void TRecAgentOdp::collectFields(std::vector<FieldRef>& out) {
    TRecAgenta::collectFields(out);
    Collector{out}("InfoOdp", InfoOdp)("StatusAgenta", StatusAgenta)(
        "WartoscDodatkowa", WartoscDodatkowa)("PrzyczynyOdp", PrzyczynyOdp);
}

void ResponseMembers::collect(std::vector<FieldRef>& out) {
    Collector{out}("InfoOdp", InfoOdp)("Status", Status);
}

const TRecWniosek* applicationOf(const TRecord& record, RecordKind kind) {
    const TRecAgenta* agent = nullptr;
    switch (kind) {
        case KIND_WNIOSEK: return static_cast<const TRecWniosek*>(&record);
        case KIND_AGENT: agent = static_cast<const TRecAgenta*>(&record); break;
        case KIND_PRACOWNIK:
        case KIND_ZARZAD: agent = static_cast<const TRecOsoba&>(record).Agent; break;
        case KIND_POLISA: agent = static_cast<const TRecPolisaOC&>(record).Agent; break;
        case KIND_PELNOMOCNICTWO:
            agent = static_cast<const TRecPelnomocnictwo&>(record).Agent;
            break;
        default: break;
    }
    return agent ? agent->Wniosek : nullptr;
}

}  // namespace tavik
