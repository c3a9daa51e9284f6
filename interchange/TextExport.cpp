#include "interchange/TextExport.h"

#include "model/Cp1250.h"
#include "model/FileStreams.h"

namespace tavik {

namespace {

class LineBuilder {
public:
    LineBuilder& operator<<(std::string_view field) {
        line_.append(field);
        line_.push_back(';');
        return *this;
    }
    LineBuilder& operator<<(const Field& field) { return *this << field.view(); }
    std::string finish() {
        cp1250::toUpperInPlace(line_);
        return std::move(line_);
    }

private:
    std::string line_;
};

// A missing link writes the empty marker rather than failing the export.
void head(LineBuilder& line, const TRecord& record, RecordKind kind) {
    const TRecWniosek* application = applicationOf(record, kind);
    line << record.TypRekordu;
    line << (application && application->Zaklad ? application->Zaklad->KodZU.view()
                                                : texts::EMPTY.view());
    line << (application ? application->NumerWniosku.view() : texts::EMPTY.view());
}

std::string agentLine(const TRecAgenta& a, const ExportContext& context) {
    LineBuilder line;
    head(line, a, KIND_AGENT);
    line << a.NazwaAgenta << a.NumerWZU << a.NUMER_W_RA << a.FormaPrawna << a.RodzajRejestru
         << a.Numer_z_Rejestru << a.Miejscowosc_SiedzibaAgenta << a.Ulica_SiedzibaAgenta
         << a.NrDomu_SiedzibaAgenta << a.NrLokalu_SiedzibaAgenta << a.KodPocztowy_SiedzibaAgenta
         << a.Poczta_SiedzibaAgenta << a.ZWOLNIONY << a.DzialalnoscPodstawowa << a.InnaDzialalnosc
         << a.NIP_AGENTA << a.Nazwisko << a.Nazwisko2 << a.Imie << a.Imie2 << a.Obywatelstwo
         << a.RodzajDokumentuOsFizAgenta << a.PESEL << a.Miejscowosc << a.Ulica << a.NrDomu
         << a.NrLokalu << a.KodPocztowy << a.Poczta << a.NIP_Osoby_Fizycznej;
    const std::string_view empty = texts::EMPTY.view();
    if (context.documentVersion == 1) {
        line << empty << empty << empty << empty;
    } else if (context.documentVersion == 2 || context.documentVersion == 3) {
        if (const auto* a3 = dynamic_cast<const TRecAgenta3*>(&a))
            line << a3->Liczba_czl_zarzadu << a3->DATA_ROZW_UM_AGENCYJNEJ << a3->Przyczyny
                 << a3->InfoDodatkowe;
        else if (const auto* a2 = dynamic_cast<const TRecAgenta2*>(&a))
            line << a2->Liczba_czl_zarzadu << empty << empty << empty;
        else
            return {};
    } else {
        return {};
    }
    return line.finish();
}

std::string personLine(const TRecOsoba& p, RecordKind kind) {
    LineBuilder line;
    head(line, p, kind);
    line << p.Rodzaj_Operacji << p.NumerWZU << p.Numer_w_RA << p.Nazwisko << p.Nazwisko_drugi_czlon
         << p.Imie << p.Imie2 << p.ImieOjca << p.ImieMatki << p.NazwiskoRodowe << p.Obywatelstwo
         << p.Plec << p.Typ_Dokumentu << p.PESEL << p.WYKSZTALCENIE << p.Nr_zezwolenia
         << p.Miejscowosc << p.Ulica << p.NumerDomu << p.NumerLokalu << p.KodPocztowy << p.POCZTA
         << p.NIP;
    return line.finish();
}

std::string policyLine(const TRecPolisaOC& p, const ExportContext& context) {
    LineBuilder line;
    head(line, p, KIND_POLISA);
    line << p.ID_PolisyOC;
    if (const auto* p3 = dynamic_cast<const TRecPolisaOC3*>(&p)) {
        line << p3->Kod_ZU;
    } else {
        // An older policy knows its insurer by name; the line carries the code when it is known.
        std::optional<std::string> code;
        if (context.insurerCodeForName) code = context.insurerCodeForName(p.Nazwa_zakladu.view());
        line << (code ? std::string_view(*code) : p.Nazwa_zakladu.view());
    }
    line << p.Suma_ubezpieczenia << p.WazneOd << p.WazneDo;
    return line.finish();
}

std::string powerLine(const TRecPelnomocnictwo& p) {
    LineBuilder line;
    head(line, p, KIND_PELNOMOCNICTWO);
    line << p.NazwaDzialu << p.NazwaGrupy << p.RodzajUbezpieczenia << p.ObszarDzialalnosci
         << p.MaksKwotaUbezpieczenia << p.Waluta << p.WazneOd << p.WazneDo;
    return line.finish();
}

std::string applicationLine(const TRecWniosek& w) {
    LineBuilder line;
    line << w.TypRekordu << (w.Zaklad ? w.Zaklad->KodZU.view() : texts::EMPTY.view())
         << w.NumerWniosku << w.TypWniosku << w.DataWniosku << w.Komentarz;
    return line.finish();
}

}  // namespace

std::string exportLine(const TRecord& record, RecordKind kind, const ExportContext& context) {
    switch (kind) {
        case KIND_WNIOSEK: return applicationLine(static_cast<const TRecWniosek&>(record));
        case KIND_AGENT: return agentLine(static_cast<const TRecAgenta&>(record), context);
        case KIND_PRACOWNIK:
        case KIND_ZARZAD: return personLine(static_cast<const TRecOsoba&>(record), kind);
        case KIND_POLISA: return policyLine(static_cast<const TRecPolisaOC&>(record), context);
        case KIND_PELNOMOCNICTWO: return powerLine(static_cast<const TRecPelnomocnictwo&>(record));
        default: return {};
    }
}

std::string exportText(const std::vector<std::string>& lines) {
    std::string text;
    std::size_t size = 0;
    for (const std::string& line : lines)
        size += line.size() + 2;
    text.reserve(size);
    for (const std::string& line : lines)
        text.append(line).append("\r\n");
    return text;
}

bool writeExportFile(const std::string& path, const std::vector<std::string>& lines,
                     UserMessage& failure) {
    std::string reason;
    if (writeWholeFile(path, exportText(lines), &reason)) return true;
    failure = {"Nie można zapisać pliku " + path + ": " + reason + ".", "Błąd", MessageIcon::Error};
    return false;
}

}  // namespace tavik
