#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "model/Field.h"

namespace tavik {

// A field seen through the record that holds it, with the name under which messages name it.
struct FieldRef {
    std::string_view name;  // UTF-8
    Field* field;
};
struct ConstFieldRef {
    std::string_view name;  // UTF-8
    const Field* field;
};

// The root of every record. Records live on the heap, have one owner and are deleted through
// this class; links between records are plain pointers that never own.
class TRecord {
public:
    virtual ~TRecord();
    TRecord& operator=(const TRecord&) = delete;

    // Every text field of the record in declaration order ("TypRekordu" first).
    std::vector<FieldRef> fields();
    std::vector<ConstFieldRef> fields() const;

    Field TypRekordu;
    std::uint32_t CRC = 0;

protected:
    explicit TRecord(std::string_view tag) : TypRekordu(tag) {}
    TRecord(const TRecord&) = default;

    virtual void collectFields(std::vector<FieldRef>& out) = 0;
};

class TRecAgenta;

class TRecZU : public TRecord {
public:
    TRecZU() : TRecord(texts::TAG_ZAKLAD) {}
    TRecZU(std::string_view kod, std::string_view nazwa) : TRecZU() {
        KodZU = kod, NazwaZU = nazwa;
    }
    TRecZU(const TRecZU&) = default;

    // True when "TypRekordu", KodZU and NazwaZU are equal byte for byte.
    virtual bool equals(const TRecZU& other) const;

    Field KodZU;
    Field NazwaZU;

protected:
    void collectFields(std::vector<FieldRef>& out) override;
};

class TRecWniosek : public TRecord {
public:
    TRecWniosek() : TRecWniosek(texts::TAG_WNIOSEK) {}
    TRecWniosek(const TRecWniosek&) = default;

    Field TypWniosku{texts::NOWY};
    Field NumerWniosku;
    Field DataWniosku;
    Field Komentarz;
    Field KodZU;                      // carried by a response header only
    std::int32_t RodzajWniosku = -1;  // -1 new, 0 WPIS, 1 AKTUALIZACJA, 2 WYKREŚLENIE
    TRecZU* Zaklad = nullptr;
    TRecAgenta* Agent = nullptr;

protected:
    explicit TRecWniosek(std::string_view tag) : TRecord(tag) {}
    void collectFields(std::vector<FieldRef>& out) override;
};

class TRecAgenta : public TRecord {
public:
    TRecAgenta() : TRecAgenta(texts::TAG_AGENT) {}
    TRecAgenta(const TRecAgenta&) = default;

    Field RodzajOperacji{texts::NOWY};
    Field NumerWZU;
    Field NUMER_W_RA;
    Field Nazwisko;
    Field Nazwisko2;
    Field Imie;
    Field Imie2;
    Field Miejscowosc;
    Field Ulica;
    Field NrDomu;
    Field NrLokalu;
    Field KodPocztowy;
    Field Poczta;
    Field Numer_z_Rejestru;
    Field RodzajRejestru;
    Field FormaPrawna;
    Field NazwaAgenta;
    Field NIP_AGENTA;
    Field NIP_Osoby_Fizycznej;
    Field Obywatelstwo;
    Field RodzajDokumentuOsFizAgenta;
    Field PESEL;  // the PESEL number or the document's series and number
    Field Miejscowosc_SiedzibaAgenta;
    Field Ulica_SiedzibaAgenta;
    Field NrDomu_SiedzibaAgenta;
    Field NrLokalu_SiedzibaAgenta;
    Field KodPocztowy_SiedzibaAgenta;
    Field Poczta_SiedzibaAgenta;
    Field ZWOLNIONY;
    Field DzialalnoscPodstawowa;
    Field InnaDzialalnosc;
    TRecWniosek* Wniosek = nullptr;

protected:
    explicit TRecAgenta(std::string_view tag) : TRecord(tag) {}
    void collectFields(std::vector<FieldRef>& out) override;
};

class TRecAgenta2 : public TRecAgenta {
public:
    TRecAgenta2() = default;
    TRecAgenta2(const TRecAgenta2&) = default;

    Field Liczba_czl_zarzadu;

protected:
    void collectFields(std::vector<FieldRef>& out) override;
};

class TRecAgenta3 : public TRecAgenta2 {
public:
    TRecAgenta3() = default;
    TRecAgenta3(const TRecAgenta3&) = default;

    Field DATA_ROZW_UM_AGENCYJNEJ;
    Field Przyczyny;  // deletion reasons, eight hexadecimal digits
    Field InfoDodatkowe;

protected:
    void collectFields(std::vector<FieldRef>& out) override;
};

// The fields an employee and a board member share; the two are distinct record types.
class TRecOsoba : public TRecord {
public:
    TRecOsoba(const TRecOsoba&) = default;

    Field Rodzaj_Operacji{texts::NOWY};
    Field NumerWZU;
    Field Numer_w_RA;
    Field Nazwisko;
    Field Nazwisko_drugi_czlon;
    Field Imie;
    Field Imie2;
    Field NazwiskoRodowe;
    Field ImieOjca;
    Field ImieMatki;
    Field Plec;
    Field Miejscowosc;
    Field Ulica;
    Field NumerDomu;
    Field NumerLokalu;
    Field KodPocztowy;
    Field POCZTA;
    Field Obywatelstwo;
    Field WYKSZTALCENIE;
    Field Nr_zezwolenia;
    Field Typ_Dokumentu;
    Field PESEL;  // the PESEL number or the document's series and number
    Field NIP;
    TRecAgenta* Agent = nullptr;

protected:
    explicit TRecOsoba(std::string_view tag) : TRecord(tag) {}
    void collectFields(std::vector<FieldRef>& out) override;
};

class TRecPracownik : public TRecOsoba {
public:
    TRecPracownik() : TRecOsoba(texts::TAG_PRACOWNIK) {}
    TRecPracownik(const TRecPracownik&) = default;

protected:
    explicit TRecPracownik(std::string_view tag) : TRecOsoba(tag) {}
};

class TRecZarzad : public TRecOsoba {
public:
    TRecZarzad() : TRecOsoba(texts::TAG_ZARZAD) {}
    TRecZarzad(const TRecZarzad&) = default;

protected:
    explicit TRecZarzad(std::string_view tag) : TRecOsoba(tag) {}
};

class TRecPolisaOC : public TRecord {
public:
    TRecPolisaOC() : TRecPolisaOC(texts::TAG_POLISA) {}
    TRecPolisaOC(const TRecPolisaOC&) = default;

    Field ID_PolisyOC;
    Field Nazwa_zakladu;
    Field Suma_ubezpieczenia;
    Field WazneOd;
    Field WazneDo;
    TRecAgenta* Agent = nullptr;

protected:
    explicit TRecPolisaOC(std::string_view tag) : TRecord(tag) {}
    void collectFields(std::vector<FieldRef>& out) override;
};

class TRecPolisaOC3 : public TRecPolisaOC {
public:
    TRecPolisaOC3() = default;
    TRecPolisaOC3(const TRecPolisaOC3&) = default;

    Field Kod_ZU;  // in a version-3 file the insurer's code replaces its name

protected:
    void collectFields(std::vector<FieldRef>& out) override;
};

class TRecPelnomocnictwo : public TRecord {
public:
    TRecPelnomocnictwo() : TRecPelnomocnictwo(texts::TAG_PELNOMOCNICTWO) {}
    TRecPelnomocnictwo(const TRecPelnomocnictwo&) = default;

    Field RodzajUbezpieczenia;
    Field ObszarDzialalnosci;
    Field MaksKwotaUbezpieczenia;
    Field Waluta;
    Field NazwaDzialu;
    Field NazwaGrupy;
    Field WazneOd;
    Field WazneDo;
    TRecAgenta* Agent = nullptr;

protected:
    explicit TRecPelnomocnictwo(std::string_view tag) : TRecord(tag) {}
    void collectFields(std::vector<FieldRef>& out) override;
};

// ---- The register's answers ------------------------------------------------------------

class TRecAgentOdp;

class TRecOdpowiedz : public TRecWniosek {
public:
    TRecOdpowiedz() : TRecWniosek(texts::TAG_ODPOWIEDZ) {}
    TRecOdpowiedz(const TRecOdpowiedz&) = default;

    Field KomentarzOdpowiedzi;
    Field NrOdpowiedzi;
    Field DataOdpowiedzi;
    Field NazwaZU;
    TRecAgentOdp* AgentOdp = nullptr;

protected:
    void collectFields(std::vector<FieldRef>& out) override;
};

class TRecAgentOdp : public TRecAgenta {
public:
    TRecAgentOdp() : TRecAgenta(texts::TAG_AGENT_ODP) {}
    TRecAgentOdp(const TRecAgentOdp&) = default;

    Field InfoOdp;  // not filled by the reader
    Field StatusAgenta;
    Field WartoscDodatkowa;  // up to 10 characters, second response version only
    Field PrzyczynyOdp;
    TRecOdpowiedz* Odpowiedz = nullptr;

protected:
    void collectFields(std::vector<FieldRef>& out) override;
};

// What every answer about a record below the agent appends to its record.
struct ResponseMembers {
    Field InfoOdp;  // not filled by the reader
    Field Status;
    TRecAgentOdp* AgentOdp = nullptr;

    void collect(std::vector<FieldRef>& out);
};

template <class Base>
class TRecResponseTo : public Base, public ResponseMembers {
public:
    TRecResponseTo(const TRecResponseTo&) = default;

protected:
    explicit TRecResponseTo(std::string_view tag) : Base(tag) {}
    void collectFields(std::vector<FieldRef>& out) override {
        Base::collectFields(out);
        ResponseMembers::collect(out);
    }
};

class TRecPracownikOdp : public TRecResponseTo<TRecPracownik> {
public:
    TRecPracownikOdp() : TRecResponseTo(texts::TAG_PRACOWNIK_ODP) {}
    TRecPracownikOdp(const TRecPracownikOdp&) = default;
};

class TRecZarzadOdp : public TRecResponseTo<TRecZarzad> {
public:
    TRecZarzadOdp() : TRecResponseTo(texts::TAG_ZARZAD_ODP) {}
    TRecZarzadOdp(const TRecZarzadOdp&) = default;
};

class TRecPelnomocnictwoOdp : public TRecResponseTo<TRecPelnomocnictwo> {
public:
    TRecPelnomocnictwoOdp() : TRecResponseTo(texts::TAG_PELNOMOCNICTWO_ODP) {}
    TRecPelnomocnictwoOdp(const TRecPelnomocnictwoOdp&) = default;
};

class TRecPolisaOdp : public TRecResponseTo<TRecPolisaOC> {
public:
    TRecPolisaOdp() : TRecResponseTo(texts::TAG_POLISA_ODP) {}
    TRecPolisaOdp(const TRecPolisaOdp&) = default;
};

// ---- The entry that ties a record to a document list and a tree node -----------------------

// One numbering for the tree, the document lists, the import window and the export; the
// response reader uses 7 to 12.
enum RecordKind : std::uint8_t {
    KIND_ZAKLAD = 0,
    KIND_WNIOSEK = 1,
    KIND_AGENT = 2,
    KIND_PRACOWNIK = 3,
    KIND_POLISA = 4,
    KIND_PELNOMOCNICTWO = 5,
    KIND_ZARZAD = 6,
    KIND_ODPOWIEDZ = 7,
    KIND_AGENT_ODP = 8,
    KIND_PRACOWNIK_ODP = 9,
    KIND_PELNOMOCNICTWO_ODP = 10,
    KIND_POLISA_ODP = 11,
    KIND_ZARZAD_ODP = 12,
};

struct _RecData {
    TRecord* record = nullptr;  // not owned by the entry
    std::uint8_t kind = 0;
    std::uint8_t struck = 0;  // a struck record stays in the window but is not saved
};

// A record a reader made, handed over with its ownership.
struct ReadRecord {
    std::unique_ptr<TRecord> record;
    RecordKind kind;
};

// The application a record belongs to through its links; null when a link is missing.
const TRecWniosek* applicationOf(const TRecord& record, RecordKind kind);

}  // namespace tavik
