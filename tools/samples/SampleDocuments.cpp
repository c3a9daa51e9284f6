#include "tools/samples/SampleDocuments.h"

#include <array>
#include <cstdio>
#include <optional>

#include "model/ApplicationFile.h"
#include "model/Cp1250.h"
#include "model/RecordFormats.h"

namespace tavik::samples {

namespace {

// A deterministic pseudo-random source, so that a seed always gives the same document.
class Dice {
public:
    explicit Dice(std::uint32_t seed) : state_(seed * 2654435761u + 1) {}
    std::uint32_t next() {
        state_ = state_ * 1664525u + 1013904223u;
        return state_ >> 8;
    }
    std::uint32_t below(std::uint32_t n) { return next() % n; }

private:
    std::uint32_t state_;
};

// Word pools, converted to code page 1250 once.
class Pool {
public:
    Pool(std::initializer_list<const char*> utf8) {
        for (const char* word : utf8)
            words_.push_back(cp1250::fromUtf8OrThrow(word));
    }
    const std::string& pick(Dice& dice) const { return words_[dice.below(words_.size())]; }
    const std::string& operator[](std::size_t i) const { return words_[i % words_.size()]; }
    std::size_t size() const { return words_.size(); }

private:
    std::vector<std::string> words_;
};

const Pool& surnames() {
    static const Pool pool{"NOWAK",     "KOWALSKI",    "WIŚNIEWSKI", "WÓJCIK",     "KOWALCZYK",
                           "KAMIŃSKI",  "LEWANDOWSKI", "ZIELIŃSKI",  "SZYMAŃSKI",  "WOŹNIAK",
                           "DĄBROWSKI", "KOZŁOWSKI",   "JANKOWSKI",  "MAZUR",      "KWIATKOWSKI",
                           "KRAWCZYK",  "PIOTROWSKI",  "GRABOWSKI",  "NOWAKOWSKI", "PAWŁOWSKI"};
    return pool;
}
const Pool& womenNames() {
    static const Pool pool{"ANNA",    "MARIA", "KATARZYNA", "MAŁGORZATA", "AGNIESZKA",
                           "BARBARA", "EWA",   "ŻANETA",    "ZOFIA",      "JOANNA"};
    return pool;
}
const Pool& menNames() {
    static const Pool pool{"PIOTR",  "ANDRZEJ", "KRZYSZTOF", "TOMASZ",   "PAWEŁ",
                           "MICHAŁ", "ŁUKASZ",  "JÓZEF",     "GRZEGORZ", "JERZY"};
    return pool;
}
const Pool& namesOf(bool woman) {
    return woman ? womenNames() : menNames();
}
// A surname as a woman bears it: KOWALSKI, KOWALSKA.
std::string surnameOf(std::string surname, bool woman) {
    const std::size_t n = surname.size();
    if (woman && n > 3 &&
        (surname.compare(n - 3, 3, "SKI") == 0 || surname.compare(n - 3, 3, "CKI") == 0))
        surname.back() = 'A';
    return surname;
}
const Pool& towns() {
    static const Pool pool{"WARSZAWA", "KRAKÓW",       "ŁÓDŹ",     "WROCŁAW",
                           "POZNAŃ",   "GDAŃSK",       "SZCZECIN", "BYDGOSZCZ",
                           "LUBLIN",   "BIAŁYSTOK",    "KATOWICE", "GDYNIA",
                           "RZESZÓW",  "CZĘSTOCHOWA",  "TORUŃ",    "KIELCE",
                           "OLSZTYN",  "ZIELONA GÓRA", "OPOLE",    "GORZÓW WIELKOPOLSKI"};
    return pool;
}
const Pool& streets() {
    static const Pool pool{"MARSZAŁKOWSKA", "PIOTRKOWSKA",
                           "DŁUGA",         "KRÓTKA",
                           "OGRODOWA",      "LIPOWA",
                           "SŁONECZNA",     "KOŚCIUSZKI",
                           "MICKIEWICZA",   "3 MAJA",
                           "ŚWIĘTOJAŃSKA",  "GRUNWALDZKA",
                           "JANA PAWŁA II", "ALEJE JEROZOLIMSKIE",
                           "POLNA",         "ŹRÓDLANA"};
    return pool;
}
const Pool& words() {
    static const Pool pool{
        "WPIS",
        "AKTUALIZACJA",
        "WYKREŚLENIE",
        "OSOBA FIZYCZNA",
        "SPÓŁKA Z O.O.",
        "POLSKIE",
        "DOWÓD OSOBISTY",
        "PASZPORT",
        "KRAJOWY REJESTR SĄDOWY",
        "WYŻSZE",
        "ŚREDNIE",
        "KOBIETA",
        "MĘŻCZYZNA",
        "AGENCJA UBEZPIECZENIOWA",
        "SP. Z O.O.",
        "CAŁY KRAJ",
        "PLN",
        "POZOSTAŁE UBEZPIECZENIA OSOBOWE ORAZ UBEZPIECZENIA MAJĄTKOWE",
        "UBEZPIECZENIA ODPOWIEDZIALNOŚCI CYWILNEJ WSZYSTKICH RODZAJÓW, WYNIKAJĄCEJ Z POSIADANIA "
        "I UŻYTKOWANIA POJAZDÓW LĄDOWYCH Z NAPĘDEM WŁASNYM, ŁĄCZNIE Z ODPOWIEDZIALNOŚCIĄ "
        "PRZEWOŹNIKA",
        "UBEZPIECZENIA CASCO POJAZDÓW LĄDOWYCH, Z WYJĄTKIEM POJAZDÓW SZYNOWYCH",
        "SPRZEDAŻ POJAZDÓW SAMOCHODOWYCH",
        "UBEZPIECZENIA MAJĄTKOWE",
        "POŚREDNICTWO FINANSOWE",
        "TOWARZYSTWO UBEZPIECZEŃ JASKÓŁKA SPÓŁKA AKCYJNA",
        "JSK",
        "TOWARZYSTWO UBEZPIECZEŃ WZAJEMNYCH WRZOSOWY KRĄG",
        "WRZ",
        "00FF00FF",
        "UMOWA ROZWIĄZANA ZA POROZUMIENIEM STRON",
        "NOWY",
        "CENTRALNA EWIDENCJA I INFORMACJA O DZIAŁ. GOSP."};
    return pool;
}
enum Word {
    W_WPIS,
    W_AKTUALIZACJA,
    W_WYKRESLENIE,
    W_OSOBA_FIZYCZNA,
    W_SPOLKA_ZOO,
    W_POLSKIE,
    W_DOWOD,
    W_PASZPORT,
    W_KRS,
    W_WYZSZE,
    W_SREDNIE,
    W_KOBIETA,
    W_MEZCZYZNA,
    W_AGENCJA,
    W_SP_ZOO,
    W_CALY_KRAJ,
    W_PLN,
    W_DZIAL,
    W_GRUPA_OC,
    W_GRUPA_AC,
    W_SPRZEDAZ,
    W_MAJATKOWE,
    W_POSREDNICTWO,
    W_JSK_NAME,
    W_JSK,
    W_WRZ_NAME,
    W_WRZ,
    W_PRZYCZYNY,
    W_INFO,
    W_NOWY,
    W_CEIDG,
};
const std::string& word(Word w) {
    return words()[w];
}

std::string digits(Dice& dice, int count) {
    std::string out;
    for (int i = 0; i < count; ++i)
        out.push_back(static_cast<char>('0' + dice.below(10)));
    return out;
}

std::string date(Dice& dice, int fromYear, int years) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02u.%02u.%04u", 1 + dice.below(28), 1 + dice.below(12),
                  fromYear + dice.below(years));
    return buffer;
}

// A PESEL number with its check digit, for a birth in the twentieth century; its sex digit is
// even for a woman, as drawn when the sex is not known.
std::string pesel(Dice& dice, std::optional<bool> woman = std::nullopt) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02u%02u%02u%04u", 50 + dice.below(50),
                  1 + dice.below(12), 1 + dice.below(28), dice.below(10000));
    if (woman && ((buffer[9] - '0') % 2 == 0) != *woman)
        buffer[9] = static_cast<char>(buffer[9] ^ 1);
    static constexpr int kWeights[] = {1, 3, 7, 9, 1, 3, 7, 9, 1, 3};
    int sum = 0;
    for (int i = 0; i < 10; ++i)
        sum += (buffer[i] - '0') * kWeights[i];
    std::string number(buffer, 10);
    number.push_back(static_cast<char>('0' + (10 - sum % 10) % 10));
    return number;
}

// A NIP with its check digit, laid out as the checks expect: DDD-DD-DD-DDD for a company,
// DDD-DDD-DD-DD for a person. Nine digits whose remainder would be 10 have the ninth moved on.
std::string nip(Dice& dice, bool company) {
    std::string d = digits(dice, 10);
    static constexpr int kWeights[] = {6, 5, 7, 2, 3, 4, 5, 6, 7};
    for (;;) {
        int sum = 0;
        for (int i = 0; i < 9; ++i)
            sum += (d[i] - '0') * kWeights[i];
        if (sum % 11 != 10) {
            d[9] = static_cast<char>('0' + sum % 11);
            break;
        }
        d[8] = static_cast<char>('0' + (d[8] - '0' + 1) % 10);
    }
    if (company)
        return d.substr(0, 3) + "-" + d.substr(3, 2) + "-" + d.substr(5, 2) + "-" + d.substr(7, 3);
    return d.substr(0, 3) + "-" + d.substr(3, 3) + "-" + d.substr(6, 2) + "-" + d.substr(8, 2);
}

std::string postalCode(Dice& dice) {
    return digits(dice, 2) + "-" + digits(dice, 3);
}

std::string houseNumber(Dice& dice) {
    return std::to_string(1 + dice.below(180));
}

template <class R>
void checksum(int version, RecordKind kind, R& record) {
    static const CRC32 calc;
    const FileVersion& v = version == 1   ? fileVersion1()
                           : version == 2 ? fileVersion2()
                                          : fileVersion3();
    record.CRC = v.forKind(kind)->checksum(calc, record);
}

std::unique_ptr<TRecAgenta> makeAgent(int version) {
    if (version == 1) return std::make_unique<TRecAgenta>();
    if (version == 2) return std::make_unique<TRecAgenta2>();
    return std::make_unique<TRecAgenta3>();
}

// Every record is made as its check leaves it: the fields its operation does not use hold
// "<E>".
void clearForDeletion(TRecAgenta& a) {
    for (Field* f : {&a.PESEL,
                     &a.RodzajDokumentuOsFizAgenta,
                     &a.Nazwisko,
                     &a.Nazwisko2,
                     &a.Imie,
                     &a.Imie2,
                     &a.Miejscowosc,
                     &a.Ulica,
                     &a.NrDomu,
                     &a.NrLokalu,
                     &a.KodPocztowy,
                     &a.Poczta,
                     &a.NIP_Osoby_Fizycznej,
                     &a.RodzajRejestru,
                     &a.FormaPrawna,
                     &a.NIP_AGENTA,
                     &a.Miejscowosc_SiedzibaAgenta,
                     &a.NrDomu_SiedzibaAgenta,
                     &a.NrLokalu_SiedzibaAgenta,
                     &a.KodPocztowy_SiedzibaAgenta,
                     &a.Poczta_SiedzibaAgenta,
                     &a.DzialalnoscPodstawowa,
                     &a.InnaDzialalnosc,
                     &a.ZWOLNIONY})
        *f = texts::EMPTY.view();
}

void fillPerson(TRecOsoba& p, Dice& dice, const Field& operation, const char* raSuffix) {
    const bool woman = dice.below(2) == 0;
    p.Rodzaj_Operacji = operation;
    p.NumerWZU = std::to_string(10000 + dice.below(90000));
    if (operation != texts::NOWY.view()) p.Numer_w_RA = digits(dice, 8) + raSuffix;
    p.Nazwisko = surnameOf(surnames().pick(dice), woman);
    if (dice.below(5) == 0) p.Nazwisko_drugi_czlon = surnameOf(surnames().pick(dice), woman);
    p.Imie = namesOf(woman).pick(dice);
    if (dice.below(3) == 0) p.Imie2 = namesOf(woman).pick(dice);
    p.NazwiskoRodowe = surnameOf(surnames().pick(dice), woman);
    p.ImieOjca = menNames().pick(dice);
    p.ImieMatki = womenNames().pick(dice);
    p.Plec = word(woman ? W_KOBIETA : W_MEZCZYZNA);
    p.Miejscowosc = towns().pick(dice);
    p.Ulica = streets().pick(dice);
    p.NumerDomu = houseNumber(dice);
    if (dice.below(2) == 0) p.NumerLokalu = std::to_string(1 + dice.below(90));
    p.KodPocztowy = postalCode(dice);
    p.POCZTA = p.Miejscowosc;
    p.Obywatelstwo = word(W_POLSKIE);
    p.WYKSZTALCENIE = word(dice.below(2) ? W_WYZSZE : W_SREDNIE);
    p.Nr_zezwolenia = "ZEZW/" + digits(dice, 6);
    p.Typ_Dokumentu = word(W_DOWOD);
    p.PESEL = pesel(dice, woman);
    p.NIP = nip(dice, false);
    if (operation == texts::WYKRESLENIE.view())
        for (Field* f : {&p.Nr_zezwolenia, &p.Nazwisko, &p.Nazwisko_drugi_czlon, &p.Imie, &p.Imie2,
                         &p.NazwiskoRodowe, &p.ImieOjca, &p.ImieMatki, &p.Plec})
            *f = texts::EMPTY.view();
}

}  // namespace

TRecZU sampleUndertaking() {
    return TRecZU(word(W_JSK), word(W_JSK_NAME));
}

void SampleDocument::add(std::unique_ptr<TRecord> record, RecordKind kind) {
    records_.push_back(std::move(record));
    kinds_.push_back(kind);
}

SampleDocument::SampleDocument(int version, const SampleShape& shape, std::uint32_t seed)
    : version_(version) {
    Dice dice(seed);
    auto zaklad = std::make_unique<TRecZU>(sampleUndertaking());
    checksum(version, KIND_ZAKLAD, *zaklad);
    TRecZU* zakladRecord = zaklad.get();
    add(std::move(zaklad), KIND_ZAKLAD);

    static constexpr Word kOperations[] = {W_WPIS, W_AKTUALIZACJA, W_WYKRESLENIE};
    for (int a = 0; a < shape.applications; ++a) {
        const int kindIndex = a % (shape.deletions ? 3 : 2);
        const Field operation(word(kOperations[kindIndex]));
        // A person entered with the application is new; the others are updated or deleted.
        const Field personOperation(word(kindIndex == 0 ? W_NOWY : kOperations[kindIndex]));

        auto application = std::make_unique<TRecWniosek>();
        application->TypWniosku = operation;
        application->RodzajWniosku = kindIndex;
        application->NumerWniosku = std::to_string(a + 1) + "/" + std::to_string(2026);
        application->DataWniosku = date(dice, 2026, 1);
        if (dice.below(4) == 0) application->Komentarz = word(W_INFO);
        application->Zaklad = zakladRecord;
        checksum(version, KIND_WNIOSEK, *application);

        std::unique_ptr<TRecAgenta> agent = makeAgent(version);
        agent->RodzajOperacji = operation;
        agent->NumerWZU = std::to_string(100000 + a);
        agent->NUMER_W_RA = digits(dice, 8) + "/A";
        const bool person = dice.below(3) == 0;
        if (person) {
            const std::string surname = surnames().pick(dice);
            // One draw among the women's names and then the men's.
            const std::uint32_t name = dice.below(2 * womenNames().size());
            const bool woman = name < womenNames().size();
            agent->Imie = namesOf(woman)[name];
            agent->Nazwisko = surnameOf(surname, woman);
            agent->NazwaAgenta = agent->Imie.str() + " " + agent->Nazwisko.str();
            agent->RodzajRejestru = word(W_CEIDG);
            agent->Numer_z_Rejestru = digits(dice, 10);
            agent->Miejscowosc = towns().pick(dice);
            agent->Ulica = streets().pick(dice);
            agent->NrDomu = houseNumber(dice);
            agent->KodPocztowy = postalCode(dice);
            agent->Poczta = agent->Miejscowosc;
            agent->FormaPrawna = word(W_OSOBA_FIZYCZNA);
            agent->NIP_Osoby_Fizycznej = nip(dice, false);
            agent->Obywatelstwo = word(W_POLSKIE);
            agent->RodzajDokumentuOsFizAgenta = word(W_DOWOD);
            agent->PESEL = pesel(dice, woman);
        } else {
            agent->Numer_z_Rejestru = "0000" + digits(dice, 6);
            agent->RodzajRejestru = word(W_KRS);
            agent->FormaPrawna = word(W_SPOLKA_ZOO);
            agent->NazwaAgenta =
                word(W_AGENCJA) + " " + surnames().pick(dice) + " " + word(W_SP_ZOO);
            agent->NIP_AGENTA = nip(dice, true);
        }
        agent->Miejscowosc_SiedzibaAgenta = towns().pick(dice);
        agent->Ulica_SiedzibaAgenta = streets().pick(dice);
        agent->NrDomu_SiedzibaAgenta = houseNumber(dice);
        if (dice.below(2) == 0) agent->NrLokalu_SiedzibaAgenta = std::to_string(1 + dice.below(40));
        agent->KodPocztowy_SiedzibaAgenta = postalCode(dice);
        agent->Poczta_SiedzibaAgenta = agent->Miejscowosc_SiedzibaAgenta;
        const bool exempt = dice.below(4) == 0;
        agent->ZWOLNIONY = exempt ? "1" : "0";
        if (exempt) agent->DzialalnoscPodstawowa = word(W_SPRZEDAZ);
        if (auto* agent2 = dynamic_cast<TRecAgenta2*>(agent.get()))
            agent2->Liczba_czl_zarzadu = std::to_string(shape.boardMembers);
        if (kindIndex == 2) clearForDeletion(*agent);
        if (auto* agent3 = dynamic_cast<TRecAgenta3*>(agent.get()); agent3 && kindIndex == 2) {
            agent3->DATA_ROZW_UM_AGENCYJNEJ = date(dice, 2026, 1);
            agent3->Przyczyny = word(W_PRZYCZYNY);
        }
        agent->Wniosek = application.get();
        application->Agent = agent.get();
        checksum(version, KIND_AGENT, *agent);
        TRecAgenta* agentRecord = agent.get();
        add(std::move(application), KIND_WNIOSEK);
        add(std::move(agent), KIND_AGENT);

        // A deletion names the agent alone: its tree has no place for anything below it.
        if (kindIndex == 2) continue;
        for (int i = 0; i < shape.policies; ++i) {
            std::unique_ptr<TRecPolisaOC> policy;
            if (version == 3) {
                auto policy3 = std::make_unique<TRecPolisaOC3>();
                policy3->Kod_ZU = word(i % 2 ? W_WRZ : W_JSK);
                policy = std::move(policy3);
            } else {
                policy = std::make_unique<TRecPolisaOC>();
                policy->Nazwa_zakladu = word(i % 2 ? W_WRZ_NAME : W_JSK_NAME);
            }
            policy->ID_PolisyOC = "OC/" + std::to_string(2026) + "/" + digits(dice, 6);
            policy->Suma_ubezpieczenia = std::to_string(500000 + 10000 * dice.below(200));
            policy->WazneOd = date(dice, 2025, 1);
            policy->WazneDo = i == 0 ? std::string(texts::EMPTY) : date(dice, 2027, 2);
            policy->Agent = agentRecord;
            checksum(version, KIND_POLISA, *policy);
            add(std::move(policy), KIND_POLISA);
        }
        for (int i = 0; i < shape.powersOfAttorney; ++i) {
            auto power = std::make_unique<TRecPelnomocnictwo>();
            // Only an agent whose activity is exempt names the kind of insurance.
            if (exempt) power->RodzajUbezpieczenia = word(W_MAJATKOWE);
            power->ObszarDzialalnosci = word(W_CALY_KRAJ);
            power->MaksKwotaUbezpieczenia = std::to_string(100000 * (1 + dice.below(50)));
            power->Waluta = word(W_PLN);
            power->NazwaDzialu = word(W_DZIAL);
            power->NazwaGrupy = word(i % 2 ? W_GRUPA_AC : W_GRUPA_OC);
            power->WazneOd = date(dice, 2025, 1);
            power->WazneDo = date(dice, 2027, 3);
            power->Agent = agentRecord;
            checksum(version, KIND_PELNOMOCNICTWO, *power);
            add(std::move(power), KIND_PELNOMOCNICTWO);
        }
        for (int i = 0; i < shape.employees; ++i) {
            auto employee = std::make_unique<TRecPracownik>();
            fillPerson(*employee, dice, personOperation, "/P");
            employee->Agent = agentRecord;
            checksum(version, KIND_PRACOWNIK, *employee);
            add(std::move(employee), KIND_PRACOWNIK);
        }
        for (int i = 0; version > 1 && i < shape.boardMembers; ++i) {
            auto member = std::make_unique<TRecZarzad>();
            fillPerson(*member, dice, personOperation, "/C");
            member->Agent = agentRecord;
            checksum(version, KIND_ZARZAD, *member);
            add(std::move(member), KIND_ZARZAD);
        }
    }
}

void SampleDocument::listInto(DataRecord& document) {
    entries_.clear();
    for (std::size_t i = 0; i < records_.size(); ++i) {
        entries_.push_back({records_[i].get(), kinds_[i], 0});
        document.PobierzListe().push_back(&entries_.back());
    }
}

std::string sampleFileBytes(int version, const SampleShape& shape, std::uint32_t seed) {
    SampleDocument sample(version, shape, seed);
    std::unique_ptr<DataRecord> document = makeDocumentOfVersion(version);
    sample.listInto(*document);
    MemoryOutput out;
    document->ZapiszDoStrumienia(out);
    return out.bytes();
}

}  // namespace tavik::samples
