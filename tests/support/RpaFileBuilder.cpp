#include "tests/support/RpaFileBuilder.h"

#include <stdexcept>

#include "tests/support/RpaBytes.h"

namespace tavik::test {

namespace {

// Field names written out in their order, separated by "|".
std::vector<std::string> names(std::string_view list) {
    std::vector<std::string> out;
    for (std::size_t begin = 0;;) {
        const std::size_t end = list.find('|', begin);
        out.emplace_back(list.substr(begin, end - begin));
        if (end == std::string_view::npos) return out;
        begin = end + 1;
    }
}

const std::vector<std::string> kAgentFile = names(
    "RodzajOperacji|NUMER_W_RA|NumerWZU|NIP AGENTA|NIP Osoby Fizycznej|"
    "RodzajDokumentuOsFizAgenta|PESEL/Seria/NR|Nazwisko|Nazwisko2|Imie|Imie2|"
    "Obywatelstwo|Miejscowosc|Ulica|NrDomu|NrLokalu|KodPocztowy|Poczta|Numer_z_Rejestru|"
    "RodzajRejestru|FormaPrawna|NazwaAgenta|Miejscowosc_SiedzibaAgenta|"
    "Ulica_SiedzibaAgenta|NrDomu_SiedzibaAgenta|NrLokalu_SiedzibaAgenta|"
    "KodPocztowy_SiedzibaAgenta|Poczta_SiedzibaAgenta|ZWOLNIONY|DzialalnoscPodstawowa|"
    "InnaDzialalnosc");

const std::vector<std::string> kAgentChecksum = names(
    "TypRekordu|RodzajOperacji|NUMER_W_RA|NumerWZU|NIP AGENTA|NIP Osoby Fizycznej|"
    "Obywatelstwo|RodzajDokumentuOsFizAgenta|PESEL/Seria/NR|Nazwisko|Nazwisko2|Imie|"
    "Imie2|Miejscowosc|Ulica|NrDomu|NrLokalu|KodPocztowy|Poczta|Numer_z_Rejestru|"
    "RodzajRejestru|FormaPrawna|NazwaAgenta|Miejscowosc_SiedzibaAgenta|"
    "Ulica_SiedzibaAgenta|NrDomu_SiedzibaAgenta|NrLokalu_SiedzibaAgenta|"
    "KodPocztowy_SiedzibaAgenta|Poczta_SiedzibaAgenta|ZWOLNIONY|DzialalnoscPodstawowa|"
    "InnaDzialalnosc");

const std::vector<std::string> kPersonFile = names(
    "Rodzaj Operacji|NumerWZU|Numer w RA|NIP|PESEL/SERIA/NR|Nazwisko|"
    "Nazwisko drugi człon|Imie|Imie2|NazwiskoRodowe|ImieOjca|ImieMatki|Płec|"
    "Typ Dokumentu|Miejscowosc|Ulica|NumerDomu|NumerLokalu|KodPocztowy|POCZTA|"
    "Obywatelstwo|WYKSZTAŁCENIE|Nr zezwolenia");

const std::vector<std::string> kPersonChecksum = names(
    "TypRekordu|Rodzaj Operacji|Numer w RA|NumerWZU|PESEL/SERIA/NR|Nazwisko|"
    "Nazwisko drugi człon|Imie|Imie2|NazwiskoRodowe|ImieOjca|ImieMatki|Płec|"
    "Typ Dokumentu|Miejscowosc|Ulica|NumerDomu|NumerLokalu|KodPocztowy|POCZTA|"
    "Obywatelstwo|WYKSZTAŁCENIE|Nr zezwolenia");

const std::vector<std::string> kPowerOrder = names(
    "RodzajUbezpieczenia|ObszarDzialalnosci|MaksKwotaUbezpieczenia|Waluta|NazwaDzialu|"
    "NazwaGrupy|WazneOd|WazneDo");

std::vector<std::string> with(std::vector<std::string> base, std::vector<std::string> more) {
    base.insert(base.end(), more.begin(), more.end());
    return base;
}

const Field& fieldNamed(const TRecord& record, const std::string& name) {
    for (const ConstFieldRef& f : record.fields())
        if (f.name == name) return *f.field;
    throw std::logic_error("no field " + name);
}

}  // namespace

std::uint32_t checksumOf(const TRecord& record, RecordKind kind, int version) {
    std::uint32_t crc = 0;
    for (const std::string& name : RpaFileBuilder::checksumOrder(kind, version)) {
        const std::string text = name == "=<E>" ? "<E>" : fieldNamed(record, name).str();
        const std::size_t covered = text.size() & 0xFF;
        referenceFeed(crc, static_cast<unsigned char>(covered));
        for (std::size_t i = 0; i < covered; ++i)
            referenceFeed(crc, static_cast<unsigned char>(text[i]));
    }
    return ~crc;
}

TRecZU builderUndertaking() {
    return TRecZU("JSK", u8("TOWARZYSTWO UBEZPIECZEŃ JASKÓŁKA SPÓŁKA AKCYJNA"));
}

std::vector<std::string> RpaFileBuilder::fileOrder(RecordKind kind, int version) {
    switch (kind) {
        case KIND_ZAKLAD:
            return version == 1 ? std::vector<std::string>{"KodZU", "NazwaZU"}
                                : std::vector<std::string>{"KodZU"};
        case KIND_WNIOSEK: return {"TypWniosku", "NumerWniosku", "DataWniosku", "Komentarz"};
        case KIND_AGENT:
            if (version == 1) return kAgentFile;
            if (version == 2) return with(kAgentFile, {"Liczba_czl_zarzadu"});
            return with(kAgentFile, {"Liczba_czl_zarzadu", "DATA_ROZW_UM_AGENCYJNEJ", "Przyczyny",
                                     "InfoDodatkowe"});
        case KIND_POLISA:
            return {"ID_PolisyOC", version == 3 ? "Kod ZU" : "Nazwa zakładu", "Suma ubezpieczenia",
                    "WazneOd", "WazneDo"};
        case KIND_PELNOMOCNICTWO: return kPowerOrder;
        default: return kPersonFile;
    }
}

std::vector<std::string> RpaFileBuilder::checksumOrder(RecordKind kind, int version) {
    switch (kind) {
        case KIND_ZAKLAD:
            return version == 1 ? std::vector<std::string>{"TypRekordu", "KodZU", "NazwaZU"}
                                : std::vector<std::string>{"TypRekordu", "KodZU", "=<E>"};
        case KIND_WNIOSEK:
            return {"TypRekordu", "TypWniosku", "NumerWniosku", "DataWniosku", "Komentarz"};
        case KIND_AGENT:
            if (version < 3) return kAgentChecksum;
            return with(kAgentChecksum, {"Liczba_czl_zarzadu", "DATA_ROZW_UM_AGENCYJNEJ",
                                         "Przyczyny", "InfoDodatkowe"});
        case KIND_POLISA:
            return {"TypRekordu",
                    "ID_PolisyOC",
                    "Suma ubezpieczenia",
                    version == 3 ? "Kod ZU" : "Nazwa zakładu",
                    "WazneOd",
                    "WazneDo"};
        case KIND_PELNOMOCNICTWO: return with({"TypRekordu"}, kPowerOrder);
        default: return kPersonChecksum;
    }
}

RpaFileBuilder::RpaFileBuilder(int version) : version_(version) {}

template <class R>
R& RpaFileBuilder::add(std::unique_ptr<R> record, RecordKind kind) {
    // Distinct values, so that a field written in the wrong place cannot go unnoticed.
    for (const FieldRef& f : record->fields())
        if (f.name != "TypRekordu" && f.field->isEmpty())
            *f.field = u8(std::string(f.name)) + "_" + std::to_string(++serial_);
    R& ref = *record;
    pieces_.push_back({std::move(record), kind, {}});
    reseal();
    return ref;
}

TRecZU& RpaFileBuilder::zaklad(std::string kod, std::string nazwa) {
    auto r = std::make_unique<TRecZU>(
        kod, nazwa.empty() ? builderUndertaking().NazwaZU.str() : u8(nazwa));
    return add(std::move(r), KIND_ZAKLAD);
}

TRecWniosek& RpaFileBuilder::wniosek(std::string typ, std::string numer) {
    auto r = std::make_unique<TRecWniosek>();
    r->TypWniosku = u8(typ);
    r->NumerWniosku = u8(numer);
    r->DataWniosku = "05.12.2026";
    return add(std::move(r), KIND_WNIOSEK);
}

TRecAgenta& RpaFileBuilder::agent() {
    std::unique_ptr<TRecAgenta> r;
    if (version_ == 1)
        r = std::make_unique<TRecAgenta>();
    else if (version_ == 2)
        r = std::make_unique<TRecAgenta2>();
    else
        r = std::make_unique<TRecAgenta3>();
    r->RodzajOperacji = "WPIS";
    return add(std::move(r), KIND_AGENT);
}

TRecPolisaOC& RpaFileBuilder::polisa() {
    if (version_ == 3) {
        auto r = std::make_unique<TRecPolisaOC3>();
        r->Nazwa_zakladu = "<E>";  // not stored in version 3
        return add(std::move(r), KIND_POLISA);
    }
    return add(std::make_unique<TRecPolisaOC>(), KIND_POLISA);
}

TRecPelnomocnictwo& RpaFileBuilder::pelnomocnictwo() {
    return add(std::make_unique<TRecPelnomocnictwo>(), KIND_PELNOMOCNICTWO);
}

TRecPracownik& RpaFileBuilder::pracownik() {
    auto& r = add(std::make_unique<TRecPracownik>(), KIND_PRACOWNIK);
    return r;
}

TRecZarzad& RpaFileBuilder::zarzad() {
    return add(std::make_unique<TRecZarzad>(), KIND_ZARZAD);
}

void RpaFileBuilder::reseal() {
    Piece& last = pieces_.back();
    last.record->CRC = checksumOf(*last.record, last.kind, version_);
}

void RpaFileBuilder::corrupt() {
    pieces_.back().record->CRC ^= 0x00010000u;
}

void RpaFileBuilder::raw(std::string bytes) {
    pieces_.push_back({nullptr, KIND_ZAKLAD, bytes});
}

std::string RpaFileBuilder::records() const {
    std::string out;
    for (const Piece& piece : pieces_) {
        if (!piece.record) {
            out += piece.bytes;
            continue;
        }
        out += field(piece.record->TypRekordu.view());
        for (const std::string& name : fileOrder(piece.kind, version_))
            out += field(fieldNamed(*piece.record, name).view());
        out += le32(piece.record->CRC);
    }
    return out;
}

std::string RpaFileBuilder::file() const {
    return headerOfVersion(version_) + records();
}

}  // namespace tavik::test
