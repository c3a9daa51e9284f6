#include "interchange/ReadCIA.h"

#include <iterator>
#include <span>
#include <type_traits>

#include "interchange/walidacja.h"
#include "model/Cp1250.h"
#include "model/Exception.h"

namespace tavik {

namespace {

inline constexpr Cp1250Literal POLSKIE{"POLSKIE"};
// What the deletion reasons hold when none is marked.
inline constexpr Cp1250Literal BEZ_PRZYCZYN{"00000000"};

constexpr std::string_view kLinePrefix = "Wystąpił błąd w linii ";
constexpr std::string_view kUnknownTag = "Błędny typ rekordu !";
// A blank line, or a tag field that cannot be a tag: the tokenizer refuses it before any
// record type is known.
constexpr std::string_view kUnreadableTag =
    "Błędny typ rekordu: pole typu rekordu jest puste lub dłuższe niż 3 znaki !";
// Characters no line of a text file holds: the tokenizer would go on behind a line end into
// what is another line, and a field cannot keep what follows a NUL.
constexpr std::string_view kForbiddenCharacter =
    "Błąd w strukturze pliku!\nWiersz zawiera niedozwolony znak (NUL, CR lub LF)!";
constexpr std::string_view kNoApplication =
    "Błąd w strukturze pliku!\nNie znaleziono rekordu WNIOSEK!";
// An application asks about one agent; its document has no place for a second.
constexpr std::string_view kSecondAgent =
    "Błąd w strukturze pliku!\nDrugi rekord AGENT dla tego samego rekordu WNIOSEK!";
constexpr std::string_view kBadApplicationKind =
    "Błędna wartość w polu TYP WNIOSKU dla rekordu WNIOSEK!\n";

}  // namespace

enum class CiaRule : std::uint8_t {
    None,
    Dictionary,       // unless "<E>", one of the texts of the row's dictionary list
    DocumentKind,     // unless "<E>", an identity document of the dictionary
    ApplicationKind,  // exactly one of the three kinds; sets RodzajWniosku
    Reasons,          // no reason marked is stored as "<E>"
    Insurer,          // an insurer's name, or a code of three that fills the code too
    Division,         // the configured insurance division
    Group,            // unless "<E>", a group of the configured division
};

template <class R>
struct CiaFieldRow {
    Field R::*field;
    std::uint16_t maximum;
    bool asRead = false;  // stored as read instead of upper-cased
    CiaRule rule = CiaRule::None;
    DictionaryList Slownik::*list = nullptr;
    std::string_view refusal = {};  // when the rule refuses the value
};

// One kind of line. Rows are of the class that declares the fields, so that employees and
// board members share theirs.
template <class R, class Rows>
struct CiaRecordType {
    RecordKind kind;
    std::string_view codeRefusal;
    std::string_view readFailure;
    std::string_view invalidPrefix;
    std::uint16_t applicationNumberMaximum;  // 0: the line carries the record's own number
    Field R::*codeField;                     // where the undertaking's code is kept, if at all
    std::span<const CiaFieldRow<Rows>> rows;
    // Rows read before the identity document is checked against the citizenship; past the
    // end: never.
    std::size_t citizenshipAfter;
    std::string_view citizenshipRefusal;
    std::string_view documentKindRefusal;
    void (*check)(int&, R*);
    std::uint32_t (*checksum)(const CRC32&, const R&);
};

namespace {

using Row = CiaRule;

template <class R, auto checksum>
std::uint32_t checksumOf(const CRC32& calc, const R& record) {
    std::uint32_t crc = 0;
    (calc.*checksum)(&record, crc);
    return crc;
}

constexpr bool AS_READ = true;
constexpr std::size_t kNever = static_cast<std::size_t>(-1);

// ---- Application ------------------------------------------------------------------------

constexpr CiaFieldRow<TRecWniosek> kApplicationRows[] = {
    {&TRecWniosek::NumerWniosku, 20},
    {&TRecWniosek::TypWniosku, 16, AS_READ, Row::ApplicationKind, nullptr, kBadApplicationKind},
    {&TRecWniosek::DataWniosku, 10},
    {&TRecWniosek::Komentarz, 255},
};

constexpr CiaRecordType<TRecWniosek, TRecWniosek> kApplication{
    KIND_WNIOSEK,
    "Błędny kod zakładu dla rekordu typu WNIOSEK!\n",
    "Błąd odczytu rekordu!\nTyp rekordu: WNIOSEK",
    "Błąd walidacji rekordu WNIOSEK\n",
    0,
    &TRecWniosek::KodZU,
    kApplicationRows,
    kNever,
    {},
    {},
    SprawdzWniosek,
    checksumOf<TRecWniosek, &CRC32::CRC32RecWniosek>,
};

// ---- Agent ------------------------------------------------------------------------------

using A = TRecAgenta3;

constexpr CiaFieldRow<A> kAgentRows[] = {
    {&A::NazwaAgenta, 100},
    {&A::NumerWZU, 20},
    {&A::NUMER_W_RA, 10},
    {&A::FormaPrawna, 50, AS_READ, Row::Dictionary, &Slownik::FormyPrawne,
     "Pole FORMA PRAWNA nie pokrywa się z wartością ze słownika\nTyp rekordu: AGENT"},
    {&A::RodzajRejestru, 50, AS_READ, Row::Dictionary, &Slownik::RodzajeRejestrow,
     "Pole RODZAJ REJESTRU nie pokrywa się z wartością ze słownika\nTyp rekordu: AGENT"},
    {&A::Numer_z_Rejestru, 30},
    {&A::Miejscowosc_SiedzibaAgenta, 50},
    {&A::Ulica_SiedzibaAgenta, 50},
    {&A::NrDomu_SiedzibaAgenta, 20},
    {&A::NrLokalu_SiedzibaAgenta, 20},
    {&A::KodPocztowy_SiedzibaAgenta, 6},
    {&A::Poczta_SiedzibaAgenta, 50},
    {&A::ZWOLNIONY, 3},
    {&A::DzialalnoscPodstawowa, 50, AS_READ, Row::Dictionary, &Slownik::RodzajeDzialalnosci,
     "Pole RODZAJ DZIAŁALNOŚCI nie pokrywa się z wartością ze słownika\nTyp rekordu: AGENT"},
    {&A::InnaDzialalnosc, 50},
    {&A::NIP_AGENTA, 13},
    {&A::Nazwisko, 28},
    {&A::Nazwisko2, 28},
    {&A::Imie, 24},
    {&A::Imie2, 24},
    {&A::Obywatelstwo, 100},
    {&A::RodzajDokumentuOsFizAgenta, 50, AS_READ, Row::DocumentKind},
    {&A::PESEL, 20},
    {&A::Miejscowosc, 50},
    {&A::Ulica, 50},
    {&A::NrDomu, 20},
    {&A::NrLokalu, 20},
    {&A::KodPocztowy, 20},
    {&A::Poczta, 50},
    {&A::NIP_Osoby_Fizycznej, 13},
    // The citizenship rule comes here.
    {&A::Liczba_czl_zarzadu, 3},
    {&A::DATA_ROZW_UM_AGENCYJNEJ, 10, AS_READ},
    {&A::Przyczyny, 8, AS_READ, Row::Reasons},
};

constexpr CiaRecordType<A, A> kAgent{
    KIND_AGENT,
    "Błędny kod zakładu dla rekordu typu AGENT!",
    "Błąd odczytu rekordu!\nTyp rekordu: AGENT",
    "Wystąpił błąd walidacji rekordu AGENT!\n",
    100,
    nullptr,
    kAgentRows,
    30,
    "Niezgodność pomiędzy wartościami pól RODZAJ DOKUMENTU - OBYWATELSTWO!\nTyp rekordu: AGENT",
    "Pole RODZAJ DOKUMENTU nie pokrywa się z wartością ze słownika\nTyp rekordu: AGENT",
    SprawdzAgenta3,
    checksumOf<A, &CRC32::CRC32RecAgent3>,
};

// ---- Employee and board member ----------------------------------------------------------

using P = TRecOsoba;

constexpr CiaFieldRow<P> kPersonRows[] = {
    {&P::Rodzaj_Operacji, 20},
    {&P::NumerWZU, 20},
    {&P::Numer_w_RA, 14},
    {&P::Nazwisko, 28},
    {&P::Nazwisko_drugi_czlon, 28},
    {&P::Imie, 24},
    {&P::Imie2, 24},
    {&P::ImieOjca, 24},
    {&P::ImieMatki, 24},
    {&P::NazwiskoRodowe, 28},
    {&P::Obywatelstwo, 100},
    {&P::Plec, 20},
    {&P::Typ_Dokumentu, 50, AS_READ, Row::DocumentKind},
    {&P::PESEL, 20},
    {&P::WYKSZTALCENIE, 50, AS_READ, Row::Dictionary, &Slownik::Wyksztalcenie,
     "Pole RODZAJ WYKSZTAŁCENIA nie pokrywa się z wartością ze słownika !"},
    {&P::Nr_zezwolenia, 30},
    {&P::Miejscowosc, 50},
    {&P::Ulica, 50},
    {&P::NumerDomu, 20},
    {&P::NumerLokalu, 20},
    {&P::KodPocztowy, 6},
    {&P::POCZTA, 50},
    {&P::NIP, 13},
};

constexpr std::string_view kPersonCitizenship =
    "Niezgodność pomiędzy wartościami pól RODZAJ DOKUMENTU - OBYWATELSTWO!";

constexpr CiaRecordType<TRecPracownik, P> kEmployee{
    KIND_PRACOWNIK,
    "Błędny kod zakładu dla rekordu typu PRACOWNIK!",
    "Błąd odczytu rekordu!\nTyp rekordu: PRACOWNIK",
    "Wystąpił błąd walidacji rekordu PRACOWNIK\n",
    20,
    nullptr,
    kPersonRows,
    std::size(kPersonRows),
    kPersonCitizenship,
    "Pole RODZAJ DOKUMENTU nie pokrywa się z wartością ze słownika\ndla rekordu typu PRACOWNIK",
    SprawdzPracownika,
    checksumOf<TRecPracownik, &CRC32::CRC32RecPracownik>,
};

constexpr CiaRecordType<TRecZarzad, P> kBoardMember{
    KIND_ZARZAD,
    "Błędny kod zakładu dla rekordu typu ZARZAD!",
    "Błąd odczytu rekordu!\nTyp rekordu: CZŁ. ZARZĄDU",
    "Wystąpił błąd walidacji rekordu CZŁ. ZARZĄDU\n",
    20,
    nullptr,
    kPersonRows,
    std::size(kPersonRows),
    kPersonCitizenship,
    "Pole RODZAJ DOKUMENTU nie pokrywa się z wartością ze słownika\ndla rekordu typu CZŁ. ZARZĄDU",
    SprawdzCzlonkaZarzadu,
    checksumOf<TRecZarzad, &CRC32::CRC32RecZarzad>,
};

// ---- Policy -----------------------------------------------------------------------------

using O = TRecPolisaOC3;

constexpr CiaFieldRow<O> kPolicyRows[] = {
    {&O::ID_PolisyOC, 25},
    {&O::Nazwa_zakladu, 150, false, Row::Insurer, nullptr,
     "Pole NAZWA ZAKŁADU nie pokrywa się z wartością ze słownika\nTyp rekordu: POLISA"},
    {&O::Suma_ubezpieczenia, 10},
    {&O::WazneOd, 10},
    {&O::WazneDo, 10},
};

// A policy that passed its check holds its insurer's code as its name too, so the checksum
// over the name is the version-3 one over the code.
constexpr CiaRecordType<O, O> kPolicy{
    KIND_POLISA,
    "Błędny kod zakładu dla rekordu typu POLISA!",
    "Błąd odczytu rekordu!\nTyp rekordu: POLISA",
    "Wystąpił błąd w walidacji rekordu POLISA!\n",
    20,
    nullptr,
    kPolicyRows,
    kNever,
    {},
    {},
    SprawdzPolise3,
    checksumOf<O, &CRC32::CRC32RecPolisaOC>,
};

// ---- Power of attorney ------------------------------------------------------------------

using W = TRecPelnomocnictwo;

constexpr CiaFieldRow<W> kPowerRows[] = {
    {&W::NazwaDzialu, 60, AS_READ, Row::Division, nullptr,
     "Błędna wartość dla pola NAZWA DZIAŁU\nTyp rekordu: PEŁNOMOCNICTWO"},
    {&W::NazwaGrupy, 220, AS_READ, Row::Group, nullptr,
     "Błędna wartość dla pola NAZWA GRUPY\nTyp  rekordu: PEŁNOMOCNICTWO"},
    {&W::RodzajUbezpieczenia, 100},
    {&W::ObszarDzialalnosci, 200},
    {&W::MaksKwotaUbezpieczenia, 13},
    {&W::Waluta, 3},
    {&W::WazneOd, 10},
    {&W::WazneDo, 10},
};

constexpr CiaRecordType<W, W> kPower{
    KIND_PELNOMOCNICTWO,
    "Błędny kod zakładu!\nTyp rekordu: PEŁNOMOCNICTWO!",
    "Błąd odczytu rekordu!\nTyp rekordu: PEŁNOMOCNICTWO!",
    "Wystąpił błąd w walidacji rekordu PEŁNOMOCNICTWO!\n",
    20,
    nullptr,
    kPowerRows,
    kNever,
    {},
    {},
    SprawdzPelnomocnictwo,
    checksumOf<W, &CRC32::CRC32RecPelnomocnictwo>,
};

// ---- Rules ------------------------------------------------------------------------------

bool documentContradictsCitizenship(const TRecAgenta3& a) {
    return a.FormaPrawna.view() == texts::OSOBA_FIZYCZNA.view() &&
           a.RodzajDokumentuOsFizAgenta.view() == texts::DOWOD_OSOBISTY.view() &&
           a.Obywatelstwo.view() != POLSKIE.view();
}
bool documentContradictsCitizenship(const TRecOsoba& p) {
    return p.Typ_Dokumentu.view() == texts::DOWOD_OSOBISTY.view() &&
           p.Obywatelstwo.view() != POLSKIE.view();
}
bool documentContradictsCitizenship(const TRecord&) {
    return false;
}

// Three scans of the line for one byte each: find_first_of would look each byte up in the
// set of three.
bool holdsForbiddenCharacter(std::string_view line) {
    return line.find('\0') != line.npos || line.find('\r') != line.npos ||
           line.find('\n') != line.npos;
}

[[noreturn]] void refuse(std::string_view message) {
    throw Exception(std::string(message));
}

bool isEmptyMarker(std::string_view value) {
    return value == texts::EMPTY.view();
}

}  // namespace

ReadCIA::ReadCIA(const Slownik& dictionary, std::string undertakingCode,
                 std::string insuranceDivision)
    : dictionary_(dictionary),
      undertakingCode_(std::move(undertakingCode)),
      insuranceDivision_(std::move(insuranceDivision)),
      insuranceGroups_(nullptr) {
    const auto& divisions = dictionary.RodzajeUbezpieczen;
    for (std::size_t i = 0; i < divisions.size(); ++i) {
        if (divisions[i]->Nazwa != insuranceDivision_) continue;
        if (i == 0) insuranceGroups_ = &dictionary.GrupyDzial1;
        if (i == 1) insuranceGroups_ = &dictionary.GrupyDzial2;
        break;
    }
}

ReadCIA::~ReadCIA() = default;

void ReadCIA::DodajPlik(std::string name, std::vector<std::string> lines) {
    files_.push_back({std::move(name), std::move(lines), {}});
}

void ReadCIA::CzytajWszystko() {
    for (File& file : files_)
        file.records.clear();
    struct Restore {
        ReadCIA& reader;
        ~Restore() { reader.entries_ = &reader.ownEntries_; }
    } restore{*this};
    for (File& file : files_) {
        entries_ = &file.records;
        CzytajLinie(file.lines);
    }
}

std::vector<ReadRecord> ReadCIA::TakeRecords(std::size_t file) {
    if (file >= files_.size()) return {};
    return std::move(files_[file].records);
}

void ReadCIA::CzytajLinie(const std::vector<std::string>& lines) {
    currentApplication_ = nullptr;  // an agent belongs to an application of its own file
    for (std::size_t i = 0; i < lines.size(); ++i) {
        try {
            readLine(lines[i]);
        } catch (Exception& e) {
            entries_->clear();
            currentApplication_ = nullptr;
            e.prependMessage(std::string(kLinePrefix) + std::to_string(i + 1) + "\n");
            throw;
        } catch (...) {  // out of memory: the list is emptied all the same
            entries_->clear();
            currentApplication_ = nullptr;
            throw;
        }
    }
}

std::vector<ReadCIA::LineRefusal> ReadCIA::CzytajKazdaLinie(const std::vector<std::string>& lines,
                                                            std::vector<std::size_t>& recordLines) {
    std::vector<LineRefusal> refusals;
    recordLines.clear();
    currentApplication_ = nullptr;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::size_t before = entries_->size();
        try {
            readLine(lines[i]);
        } catch (const Exception& e) {
            refusals.push_back({i + 1, e.message()});
        }
        if (entries_->size() > before) recordLines.push_back(i + 1);
    }
    currentApplication_ = nullptr;
    return refusals;
}

void ReadCIA::readLine(const std::string& line) {
    if (holdsForbiddenCharacter(line)) refuse(kForbiddenCharacter);
    UstawLinie(line);
    std::string tag;
    try {
        tag = CzytajTekst(3, false);
    } catch (const read_error&) {
        refuse(kUnreadableTag);
    }
    if (tag == texts::TAG_WNIOSEK.view())
        readRecord(kApplication);
    else if (tag == texts::TAG_AGENT.view())
        readRecord(kAgent);
    else if (tag == texts::TAG_PRACOWNIK.view())
        readRecord(kEmployee);
    else if (tag == texts::TAG_ZARZAD.view())
        readRecord(kBoardMember);
    else if (tag == texts::TAG_POLISA.view())
        readRecord(kPolicy);
    else if (tag == texts::TAG_PELNOMOCNICTWO.view())
        readRecord(kPower);
    else
        refuse(kUnknownTag);
}

template <class R, class Rows>
void ReadCIA::readRecord(const CiaRecordType<R, Rows>& type) {
    // Agents below a refused application must not join the one before it.
    if constexpr (std::is_same_v<R, TRecWniosek>) currentApplication_ = nullptr;
    auto record = std::make_unique<R>();
    R& r = *record;
    try {
        std::string code = CzytajTekst(3, false);
        if (code != undertakingCode_) refuse(type.codeRefusal);
        if (type.codeField) {
            cp1250::toUpperInPlace(code);
            r.*type.codeField = code;
        }
        if (type.applicationNumberMaximum) CzytajTekst(type.applicationNumberMaximum, false);
        const std::size_t count = type.rows.size();
        for (std::size_t i = 0; i < count; ++i) {
            if (i == type.citizenshipAfter && documentContradictsCitizenship(r))
                refuse(type.citizenshipRefusal);
            readField(r, type, type.rows[i], i + 1 == count);
        }
        if (count == type.citizenshipAfter && documentContradictsCitizenship(r))
            refuse(type.citizenshipRefusal);
    } catch (const read_error&) {
        errorCode_ = kRecordUnreadable;
        refuse(type.readFailure);
    }
    afterFields(r);
    try {
        int code = 0;
        type.check(code, &r);
    } catch (WalidationErr& e) {
        errorCode_ = kRecordInvalid;
        e.prependMessage(std::string(type.invalidPrefix));
        throw;
    }
    r.CRC = type.checksum(crc_, r);
    entries_->push_back({std::move(record), type.kind});
    accepted(r);
}

template <class R, class Rows>
void ReadCIA::readField(R& record, const CiaRecordType<R, Rows>& type, const CiaFieldRow<Rows>& row,
                        bool lastOfLine) {
    std::string value = CzytajTekst(row.maximum, lastOfLine);
    if (!row.asRead) cp1250::toUpperInPlace(value);
    switch (row.rule) {
        case CiaRule::None: break;
        case CiaRule::Dictionary:
            if (!isEmptyMarker(value) && !(dictionary_.*row.list).contains(value))
                refuse(row.refusal);
            break;
        case CiaRule::DocumentKind:
            if (!isEmptyMarker(value) && !dictionary_.RodzajeDokumentow.contains(value))
                refuse(type.documentKindRefusal);
            break;
        case CiaRule::ApplicationKind:
            if constexpr (std::is_same_v<R, TRecWniosek>) {
                if (value == texts::WPIS.view())
                    record.RodzajWniosku = 0;
                else if (value == texts::AKTUALIZACJA.view())
                    record.RodzajWniosku = 1;
                else if (value == texts::WYKRESLENIE.view())
                    record.RodzajWniosku = 2;
                else
                    refuse(row.refusal);
            }
            break;
        case CiaRule::Reasons:
            if (value == BEZ_PRZYCZYN.view()) value = texts::EMPTY.view();
            break;
        case CiaRule::Insurer:
            if constexpr (std::is_same_v<R, TRecPolisaOC3>) {
                if (isEmptyMarker(value) || dictionary_.Zaklady.contains(value)) break;
                if (value.size() != 3) refuse(row.refusal);
                record.Kod_ZU = value;
            }
            break;
        case CiaRule::Division:
            if (value != insuranceDivision_) refuse(row.refusal);
            break;
        case CiaRule::Group:
            // Without a list of groups for the division, no group can be right.
            if (!insuranceGroups_ || (!isEmptyMarker(value) && !insuranceGroups_->contains(value)))
                refuse(row.refusal);
            break;
    }
    record.*row.field = value;
}

void ReadCIA::afterFields(TRecAgenta3& agent) {
    agent.InfoDodatkowe = texts::EMPTY.view();  // the line may carry it; the import does not
    if (!currentApplication_) refuse(kNoApplication);
    if (currentApplication_->Agent) refuse(kSecondAgent);
    agent.RodzajOperacji = currentApplication_->TypWniosku;
    agent.Wniosek = currentApplication_;
}

void ReadCIA::accepted(TRecWniosek& application) {
    currentApplication_ = &application;
}

void ReadCIA::accepted(TRecAgenta3& agent) {
    // Only a record that is kept is linked back: a refused one is deleted.
    agent.Wniosek->Agent = &agent;
}

}  // namespace tavik
