#include "dictionary/Slownik.h"

#include "model/CRC32.h"
#include "model/Cp1250Texts.h"
#include "model/Exception.h"

namespace tavik {

namespace {

bool matches(const std::string& text, std::string_view checksum) {
    static const CRC32 calc;
    std::uint32_t crc = 0;
    calc.CRC32Dict(text, crc);
    return crc == checksumField(checksum);
}

}  // namespace

void Slownik::Czytaj() {
    RodzajeWnioskow.clear();
    for (std::string_view t :
         {std::string_view("WPIS"), std::string_view("AKTUALIZACJA"), texts::WYKRESLENIE.view()})
        RodzajeWnioskow.add(std::string(t));
    for (std::string_view t :
         {std::string_view("NOWY"), std::string_view("AKTUALIZACJA"), texts::WYKRESLENIE.view()})
        RodzajeOperacji.add(std::string(t));
    for (const char* t : {"PLN", "EUR", "CHF", "USD"})
        Waluty.add(t);
    Plcie.add(std::string(texts::KOBIETA.view()));
    Plcie.add(std::string(texts::MEZCZYZNA.view()));

    for (const std::string& line : lines_) {
        UstawLinie(line);
        std::string letter;
        try {
            letter = CzytajTekst(2, false);
        } catch (const read_error&) {
            throw Exception("Wystąpił błąd odczytu ze słownika !");
        }
        try {
            readSection(letter);
        } catch (const read_error&) {
            // A line whose fields cannot be read is skipped.
        }
    }
}

void Slownik::mismatch(const char* message) {
    throw ECRC32Err(message);
}

void Slownik::readNamed(const char* letter, std::size_t maximum, DictionaryList& list,
                        const char* message) {
    std::string name = CzytajTekst(maximum, false);
    const std::string checksum = CzytajTekst(8, true);
    if (!matches(std::string(letter) + ";" + name + ";", checksum)) {
        list.clear();
        mismatch(message);
    }
    list.add(std::move(name));
}

void Slownik::readSection(std::string_view letter) {
    if (letter == "A") {
        const std::string code = CzytajTekst(3, false);
        std::string name = CzytajTekst(250, false);
        const std::string division = CzytajTekst(1, false);
        const std::string checksum = CzytajTekst(8, true);
        const std::string text = "A;" + code + ";" + name + ";" + division + ";";
        if (!matches(std::string(trimmed(text)), checksum)) {
            Zaklady.clear();
            mismatch("Błąd sumy kontrolnej słownika dla ZU!");
        }
        Zaklady.add(std::move(name));
    } else if (letter == "B") {
        readNamed("B", 40, Wojewodztwa, "Błąd sumy kontrolnej słownika dla województw!");
    } else if (letter == "C") {
        readNamed("C", 20, Obywatelstwa, "Błąd sumy kontrolnej słownika dla obywatelstw");
    } else if (letter == "D") {
        auto item = std::make_unique<DictItem>();
        item->Kod = CzytajTekst(1, false);
        item->Nazwa = CzytajTekst(70, false);
        const std::string checksum = CzytajTekst(8, true);
        if (!matches("D;" + item->Kod + ";" + item->Nazwa + ";", checksum)) {
            RodzajeUbezpieczen.clear();
            mismatch("Błąd sumy kontrolnej słownika dla rodzajów ubezpieczeń");
        }
        RodzajeUbezpieczen.push_back(std::move(item));
    } else if (letter == "E") {
        readNamed("E", 20, Wyksztalcenie, "Błąd sumy kontrolnej słownika dla wykształcenia");
    } else if (letter == "F") {
        readNamed("F", 70, RodzajeDzialalnosci,
                  "Błąd sumy kontrolnej słownika dla rodzaju działalności!");
    } else if (letter == "G") {
        // The division is read as an integer: "01" is checksummed as "1".
        const std::int32_t division = CzytajLiczbe(2, false);
        std::string name = CzytajTekst(255, false);
        const std::string checksum = CzytajTekst(8, true);
        if (!matches("G;" + std::to_string(division) + ";" + name + ";", checksum)) {
            GrupyDzial1.clear();
            GrupyDzial2.clear();
            mismatch("Błąd sumy kontrolnej słownika dla grupy ubezpieczeń!");
        }
        if (division == 1) GrupyDzial1.add(std::move(name));
        if (division == 2) GrupyDzial2.add(std::move(name));
    } else if (letter == "H") {
        readNamed("H", 30, FormyPrawne, "Błąd sumy kontrolnej słownika dla formy prawnej!");
    } else if (letter == "I") {
        readNamed("I", 30, RodzajeDokumentow,
                  "Błąd sumy kontrolnej słownika dla rodzaju dokumentów!");
    } else if (letter == "R") {
        readNamed("R", 50, RodzajeRejestrow,
                  "Błąd sumy kontrolnej słownika dla rodzaju rejestrów!");
    }
}

}  // namespace tavik
