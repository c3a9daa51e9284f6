#pragma once

#include "dictionary/ReadSlownik.h"

namespace tavik {

// The dictionary with all its sections, each line's checksum verified, and four fixed lists.
class Slownik : public ReadSlownik {
public:
    using ReadSlownik::ReadSlownik;

    // Raises tavik::Exception "Wystąpił błąd odczytu ze słownika !" for a line whose section
    // letter cannot be read (a blank line), and ECRC32Err with the section's message for a
    // checksum that does not match; the lists read before stay filled.
    void Czytaj() override;

    DictionaryList Zaklady;  // the undertakings' names
    DictionaryList Wojewodztwa;
    DictionaryList Obywatelstwa;
    std::vector<std::unique_ptr<DictItem>> RodzajeUbezpieczen;  // the divisions: code and name
    DictionaryList Wyksztalcenie;
    DictionaryList RodzajeDzialalnosci;
    DictionaryList GrupyDzial1;
    DictionaryList GrupyDzial2;
    DictionaryList FormyPrawne;
    DictionaryList RodzajeDokumentow;
    DictionaryList RodzajeRejestrow;

    DictionaryList RodzajeWnioskow;
    DictionaryList RodzajeOperacji;
    DictionaryList Waluty;
    DictionaryList Plcie;

private:
    void readSection(std::string_view letter);
    void readNamed(const char* letter, std::size_t maximum, DictionaryList& list,
                   const char* mismatch);
    [[noreturn]] void mismatch(const char* message);
};

}  // namespace tavik
