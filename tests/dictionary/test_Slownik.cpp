#include <gtest/gtest.h>

#include <cstdio>

#include "dictionary/DictionaryFile.h"
#include "dictionary/Slownik.h"
#include "dictionary/SlownikZU.h"
#include "dictionary/SlownikZU3.h"
#include "model/Exception.h"
#include "tests/support/RpaBytes.h"

namespace tavik {
namespace {

using test::u8;

std::string hex(std::uint32_t value, const char* format = "%08X") {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

// A dictionary line whose checksum covers `covered` (UTF-8 in, code page 1250 out).
std::string line(const std::string& covered, const std::string& tail = "") {
    const std::string cp = u8(covered);
    return cp + hex(test::referenceChecksum({cp})) + tail;
}

template <class Reader>
std::unique_ptr<Reader> read(std::vector<std::string> lines) {
    auto reader = std::make_unique<Reader>(std::move(lines));
    reader->Czytaj();
    return reader;
}

// The message a dictionary is refused with.
std::string refusal(std::vector<std::string> lines, bool* checksum = nullptr) {
    Slownik dictionary(std::move(lines));
    try {
        dictionary.Czytaj();
    } catch (const ECRC32Err& e) {
        if (checksum) *checksum = true;
        return e.message();
    } catch (const Exception& e) {
        if (checksum) *checksum = false;
        return e.message();
    }
    return "(accepted)";
}

TEST(Slownik, OneLineAndTheFixedLists) {
    auto d = read<Slownik>({line("B;MAZOWIECKIE;")});
    ASSERT_EQ(d->Wojewodztwa.size(), 1u);
    EXPECT_EQ(d->Wojewodztwa[0], "MAZOWIECKIE");
    EXPECT_EQ(std::vector<std::string>(d->RodzajeWnioskow.begin(), d->RodzajeWnioskow.end()),
              (std::vector<std::string>{"WPIS", "AKTUALIZACJA", u8("WYKREŚLENIE")}));
    EXPECT_EQ(std::vector<std::string>(d->RodzajeOperacji.begin(), d->RodzajeOperacji.end()),
              (std::vector<std::string>{"NOWY", "AKTUALIZACJA", u8("WYKREŚLENIE")}));
    EXPECT_EQ(std::vector<std::string>(d->Waluty.begin(), d->Waluty.end()),
              (std::vector<std::string>{"PLN", "EUR", "CHF", "USD"}));
    EXPECT_EQ(std::vector<std::string>(d->Plcie.begin(), d->Plcie.end()),
              (std::vector<std::string>{"KOBIETA", u8("MĘŻCZYZNA")}));
    for (const DictionaryList* l : {&d->Zaklady, &d->Obywatelstwa, &d->Wyksztalcenie,
                                    &d->RodzajeDzialalnosci, &d->GrupyDzial1, &d->GrupyDzial2,
                                    &d->FormyPrawne, &d->RodzajeDokumentow, &d->RodzajeRejestrow})
        EXPECT_TRUE(l->empty());
    EXPECT_TRUE(d->RodzajeUbezpieczen.empty());
}

TEST(Slownik, EverySectionGoesToItsList) {
    auto d = read<Slownik>({
        line("A;KRM;TOWARZYSTWO KORMORAN;Z;", ";<E>"), line("C;POLSKIE;"),
        line("D;1;UBEZPIECZENIA NA ŻYCIE;"), line("E;WYŻSZE;"), line("F;INNE;"),
        line("G;1;GRUPA PIERWSZA;"), line("G;2;GRUPA DRUGA;"), line("H;SPÓŁKA JAWNA;"),
        line("I;PASZPORT;"), line("R;REGON;"),
        u8("X;cokolwiek;1234"),  // another letter: skipped
    });
    EXPECT_EQ(d->Zaklady[0], "TOWARZYSTWO KORMORAN");
    EXPECT_EQ(d->Obywatelstwa[0], "POLSKIE");
    ASSERT_EQ(d->RodzajeUbezpieczen.size(), 1u);
    EXPECT_EQ(d->RodzajeUbezpieczen[0]->Kod, "1");
    EXPECT_EQ(d->RodzajeUbezpieczen[0]->Nazwa, u8("UBEZPIECZENIA NA ŻYCIE"));
    EXPECT_EQ(d->RodzajeUbezpieczen[0]->Dzial, "<E>");
    EXPECT_EQ(d->Wyksztalcenie[0], u8("WYŻSZE"));
    EXPECT_EQ(d->RodzajeDzialalnosci[0], "INNE");
    EXPECT_EQ(d->GrupyDzial1[0], "GRUPA PIERWSZA");
    EXPECT_EQ(d->GrupyDzial2[0], "GRUPA DRUGA");
    EXPECT_EQ(d->FormyPrawne[0], u8("SPÓŁKA JAWNA"));
    EXPECT_EQ(d->RodzajeDokumentow[0], "PASZPORT");
    EXPECT_EQ(d->RodzajeRejestrow[0], "REGON");
}

TEST(Slownik, GroupDivisionIsReadAsAnInteger) {
    const std::string name = u8("UBEZPIECZENIA RENTOWE");
    // Written "01", checksummed as "G;1;".
    const std::string cp = "G;1;" + name + ";";
    auto d = read<Slownik>({"G;01;" + name + ";" + hex(test::referenceChecksum({cp})),
                            line("G;3;GRUPA TRZECIEGO DZIAŁU;")});
    EXPECT_EQ(d->GrupyDzial1.size(), 1u);
    EXPECT_TRUE(d->GrupyDzial2.empty());  // division 3 passes its checksum and adds nothing
}

TEST(Slownik, ChecksumWithLeadingZerosWrittenOrLeftOut) {
    std::string covered;
    std::uint32_t crc = 0;
    for (int n = 0; crc == 0 || crc >= 0x10000000; ++n) {
        covered = std::string("B;W").append(std::to_string(n)).append(";");
        crc = test::referenceChecksum({covered});
    }
    EXPECT_EQ(read<Slownik>({covered + hex(crc, "%X")})->Wojewodztwa.size(), 1u);
    EXPECT_EQ(read<Slownik>({covered + hex(crc, "%08X")})->Wojewodztwa.size(), 1u);
}

TEST(Slownik, BlankLineStopsTheReading) {
    bool checksum = true;
    EXPECT_EQ(refusal({line("B;MAZOWIECKIE;"), "", line("B;OPOLSKIE;")}, &checksum),
              "Wystąpił błąd odczytu ze słownika !");
    EXPECT_FALSE(checksum);
    EXPECT_EQ(refusal({"ABC;X;1"}), "Wystąpił błąd odczytu ze słownika !");  // letter of 3
}

TEST(Slownik, EveryChecksumMessage) {
    struct Case {
        const char* covered;
        const char* message;
    };
    for (const Case& c : {
             Case{"A;KRM;KORMORAN;Z;", "Błąd sumy kontrolnej słownika dla ZU!"},
             Case{"B;OPOLSKIE;", "Błąd sumy kontrolnej słownika dla województw!"},
             Case{"C;CZESKIE;", "Błąd sumy kontrolnej słownika dla obywatelstw"},
             Case{"D;2;POZOSTAŁE;", "Błąd sumy kontrolnej słownika dla rodzajów ubezpieczeń"},
             Case{"E;ŚREDNIE;", "Błąd sumy kontrolnej słownika dla wykształcenia"},
             Case{"F;LEASING;", "Błąd sumy kontrolnej słownika dla rodzaju działalności!"},
             Case{"G;2;KREDYT;", "Błąd sumy kontrolnej słownika dla grupy ubezpieczeń!"},
             Case{"H;INNE SPÓŁKI;", "Błąd sumy kontrolnej słownika dla formy prawnej!"},
             Case{"I;KARTA POBYTU;", "Błąd sumy kontrolnej słownika dla rodzaju dokumentów!"},
             Case{"R;INNY REJESTR;", "Błąd sumy kontrolnej słownika dla rodzaju rejestrów!"},
         }) {
        // A good line of the same section first: the mismatch empties that section's list.
        std::string good = line(c.covered);
        std::string bad = good;
        const std::size_t last = u8(c.covered).size() - 2;  // the last character of the last field
        bad[last] = bad[last] == 'Z' ? 'Y' : 'Z';
        Slownik d({line("B;ŚLĄSKIE;"), good, line("C;INNE;"), bad, line("E;WYŻSZE;")});
        bool checksum = false;
        try {
            d.Czytaj();
        } catch (const ECRC32Err& e) {
            checksum = true;
            EXPECT_EQ(e.message(), c.message);
        }
        EXPECT_TRUE(checksum) << c.covered;
        const char letter = c.covered[0];
        const auto emptied = [&](char l, std::size_t size) { return l == letter ? 0 : size; };
        EXPECT_EQ(d.Zaklady.size(), emptied('A', 0));
        EXPECT_EQ(d.Wojewodztwa.size(), emptied('B', 1 + (letter == 'B')));
        EXPECT_EQ(d.RodzajeUbezpieczen.size(), emptied('D', 0));
        EXPECT_EQ(d.GrupyDzial2.size(), emptied('G', 0));
        EXPECT_TRUE(d.Wyksztalcenie.empty());  // read after the mismatch: never reached
    }
}

TEST(Slownik, ChecksumThatIsNoNumberCountsAsZero) {
    bool checksum = false;
    EXPECT_EQ(refusal({u8("B;OPOLSKIE;XYZ")}, &checksum),
              "Błąd sumy kontrolnej słownika dla województw!");
    EXPECT_TRUE(checksum);
}

TEST(Slownik, UnreadableLinesAreSkippedSilently) {
    auto d = read<Slownik>({
        "B;" + std::string(41, 'X') + ";00000000",  // name too long
        u8("A;KRM;KORMORAN;Z;0123456789"),          // checksum field of 10
        "G;ABC;NAZWA;00000000",                     // division not a number
        "B;MAZOWIECKIE",                            // no checksum field
        line("B;MAZOWIECKIE;"),
    });
    EXPECT_EQ(d->Wojewodztwa.size(), 1u);
    EXPECT_TRUE(d->Zaklady.empty());
    EXPECT_TRUE(d->GrupyDzial1.empty());
}

TEST(SlownikZU, UndertakingsWithoutTheirChecksum) {
    auto d = read<SlownikZU>({
        u8("A;KRM;TOWARZYSTWO KORMORAN;Z;0123456789"),  // last field of 10: still read
        u8("A;JSK;TOWARZYSTWO JASKÓŁKA;M"),
        u8("A;TOOLONG;X;M"),  // a code of 7: skipped
        line("B;OPOLSKIE;"),
        "",
    });
    ASSERT_EQ(d->entries().size(), 2u);
    EXPECT_EQ(d->entries()[0]->Kod, "KRM");
    EXPECT_EQ(d->entries()[0]->Nazwa, "TOWARZYSTWO KORMORAN");
    EXPECT_EQ(d->entries()[0]->Dzial, "Z");
    ASSERT_NE(d->findByCode("JSK"), nullptr);
    EXPECT_EQ(d->findByCode("JSK")->Nazwa, u8("TOWARZYSTWO JASKÓŁKA"));
    EXPECT_EQ(d->findByCode("XXX"), nullptr);
}

TEST(SlownikZU3, OnlyUndertakingsWhoseSecondFurtherTextIsEmpty) {
    auto d = read<SlownikZU3>({
        u8("A;KRM;KORMORAN;Z;1A2B3C4D;<E>"),
        u8("A;JSK;JASKÓŁKA;M;1A2B3C4D;2019"),  // no longer active
        u8("A;LZR;LAZUROWE;M;1A2B3C4D"),       // no second further text
    });
    ASSERT_EQ(d->entries().size(), 1u);
    const auto& item = static_cast<const DictItem3&>(*d->entries()[0]);
    EXPECT_EQ(item.Kod, "KRM");
    EXPECT_EQ(item.Dodatkowe1, "1A2B3C4D");
    EXPECT_EQ(item.Dodatkowe2, "<E>");
}

TEST(DictionaryList, FileOrderAndTheFirstIndexOfAText) {
    DictionaryList list;
    for (const char* t : {"B", "A", "B", "C"})
        list.add(t);
    EXPECT_EQ(list.IndexOf("B"), 0);
    EXPECT_EQ(list.IndexOf("C"), 3);
    EXPECT_EQ(list.IndexOf("b"), -1);
    EXPECT_FALSE(list.contains(""));
    list.clear();
    EXPECT_EQ(list.IndexOf("A"), -1);
}

TEST(BundledDictionary, LoadsInAllThreeReadersWithEveryListFilled) {
    const DictionaryFile file = readDictionaryFile(TAVIK_BUNDLED_DICTIONARY);
    const Slownik* d = file.dictionary.get();
    for (const DictionaryList* l :
         {&d->Zaklady, &d->Wojewodztwa, &d->Obywatelstwa, &d->Wyksztalcenie,
          &d->RodzajeDzialalnosci, &d->GrupyDzial1, &d->GrupyDzial2, &d->FormyPrawne,
          &d->RodzajeDokumentow, &d->RodzajeRejestrow})
        EXPECT_FALSE(l->empty());
    EXPECT_EQ(d->Wojewodztwa.size(), 16u);
    EXPECT_EQ(d->GrupyDzial1.size(), 5u);
    EXPECT_EQ(d->GrupyDzial2.size(), 18u);
    ASSERT_EQ(d->RodzajeUbezpieczen.size(), 2u);
    EXPECT_EQ(d->RodzajeUbezpieczen[0]->Kod, "1");
    EXPECT_EQ(d->RodzajeDzialalnosci[d->RodzajeDzialalnosci.size() - 1], "INNE");
    EXPECT_TRUE(d->RodzajeDokumentow.contains(u8("DOWÓD OSOBISTY")));
    EXPECT_TRUE(d->FormyPrawne.contains(u8("OSOBA FIZYCZNA")));

    const SlownikZU* zu = file.undertakings.get();
    const SlownikZU3* zu3 = file.activeUndertakings.get();
    EXPECT_EQ(zu->entries().size(), d->Zaklady.size());
    EXPECT_EQ(zu3->entries().size(), d->Zaklady.size());
    ASSERT_NE(zu->findByCode("JSK"), nullptr);
    EXPECT_EQ(zu->findByCode("JSK")->Dzial, "M");
}

TEST(DictionaryFile, RefusedWithTheReasonOfTheFileOrOfItsCodeLists) {
    const auto refusal = [](auto read) {
        try {
            read();
        } catch (const Exception& e) {
            return e.message();
        }
        return std::string("(accepted)");
    };
    EXPECT_EQ(refusal([] { readDictionaryFile("/nonexistent/slownik.dic"); }),
              "Nie można odczytać słownika /nonexistent/slownik.dic: plik nie istnieje.");
    // A damaged line of the code lists refuses the whole file, undertakings included.
    EXPECT_EQ(refusal([] {
                  readDictionaryLines({"B;MAZOWIECKIE;0", "A;JSK;X;M;<E>;<E>"});
              }),
              "Błąd sumy kontrolnej słownika dla województw!");
}

}  // namespace
}  // namespace tavik
