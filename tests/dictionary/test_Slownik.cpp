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

// A list's texts, or entries as code/name/division, in UTF-8 joined by ",".
std::string joined(const DictionaryList& list) {
    std::string out;
    for (const std::string& text : list)
        out += (out.empty() ? "" : ",") + cp1250::toUtf8(text);
    return out;
}
std::string joined(const std::vector<std::unique_ptr<DictItem>>& entries) {
    std::string out;
    for (const auto& e : entries)
        out += (out.empty() ? "" : ",") + e->Kod + "/" + cp1250::toUtf8(e->Nazwa) + "/" + e->Dzial;
    return out;
}

// The sections of a dictionary that hold anything, the divisions last: "B=X,Y C=Z", or with
// `counted` each one's size.
std::string sections(const Slownik& d, bool counted = false) {
    const std::pair<const char*, const DictionaryList*> lists[] = {
        {"A", &d.Zaklady},         {"B", &d.Wojewodztwa},         {"C", &d.Obywatelstwa},
        {"E", &d.Wyksztalcenie},   {"F", &d.RodzajeDzialalnosci}, {"G1", &d.GrupyDzial1},
        {"G2", &d.GrupyDzial2},    {"H", &d.FormyPrawne},         {"I", &d.RodzajeDokumentow},
        {"R", &d.RodzajeRejestrow}};
    std::string out;
    const auto add = [&](const char* letter, std::size_t size, const std::string& texts) {
        if (!size) return;
        if (!out.empty()) out += ' ';
        out.append(letter).append("=").append(counted ? std::to_string(size) : texts);
    };
    for (const auto& [letter, list] : lists)
        add(letter, list->size(), joined(*list));
    add("D", d.RodzajeUbezpieczen.size(), joined(d.RodzajeUbezpieczen));
    return out;
}

// The message a dictionary is refused with ("CRC " first for a checksum failure) and the
// sections it keeps.
std::string refusal(std::vector<std::string> lines) {
    Slownik d(std::move(lines));
    try {
        d.Czytaj();
        return "(accepted)";
    } catch (const ECRC32Err& e) {
        return "CRC " + e.message() + " | " + sections(d);
    } catch (const Exception& e) {
        return e.message() + " | " + sections(d);
    }
}

TEST(Slownik, EachLineGoesToItsSection) {
    // A checksum written without its leading zeros.
    std::string covered;
    std::uint32_t crc = 0;
    for (int n = 0; crc == 0 || crc >= 0x10000000; ++n) {
        covered = std::string("B;W").append(std::to_string(n)).append(";");
        crc = test::referenceChecksum({covered});
    }
    const std::string shortCrc = "B=" + covered.substr(2, covered.size() - 3);
    // A group's division is an integer: written "01", checksummed as "G;1;".
    const std::string rentowe = u8("G;1;UBEZPIECZENIA RENTOWE;");
    // clang-format off
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{line("B;MAZOWIECKIE;")}, "B=MAZOWIECKIE"},
        {{line("A;KRM;TOWARZYSTWO KORMORAN;Z;", ";<E>"), line("B;MAZOWIECKIE;"), line("C;POLSKIE;"),
          line("D;1;UBEZPIECZENIA NA ŻYCIE;"), line("E;WYŻSZE;"), line("F;INNE;"),
          line("G;1;GRUPA PIERWSZA;"), line("G;2;GRUPA DRUGA;"), line("H;SPÓŁKA JAWNA;"),
          line("I;PASZPORT;"), line("R;REGON;"),
          u8("X;cokolwiek;1234")},  // another letter: skipped
         "A=TOWARZYSTWO KORMORAN B=MAZOWIECKIE C=POLSKIE E=WYŻSZE F=INNE G1=GRUPA PIERWSZA "
         "G2=GRUPA DRUGA H=SPÓŁKA JAWNA I=PASZPORT R=REGON D=1/UBEZPIECZENIA NA ŻYCIE/<E>"},
        {{"G;01;" + rentowe.substr(4) + hex(test::referenceChecksum({rentowe})),
          line("G;3;GRUPA TRZECIEGO DZIAŁU;")},  // division 3 passes its checksum, adds nothing
         "G1=UBEZPIECZENIA RENTOWE"},
        {{covered + hex(crc, "%X")}, shortCrc},
        {{covered + hex(crc, "%08X")}, shortCrc},
        // Lines that cannot be read are skipped silently.
        {{"B;" + std::string(41, 'X') + ";00000000",  // name too long
          u8("A;KRM;KORMORAN;Z;0123456789"),          // checksum field of 10
          "G;ABC;NAZWA;00000000",                     // division not a number
          "B;MAZOWIECKIE",                            // no checksum field
          line("B;MAZOWIECKIE;")}, "B=MAZOWIECKIE"}};
    // clang-format on
    for (const auto& [lines, expected] : cases)
        EXPECT_EQ(sections(*read<Slownik>(lines)), expected);
    const auto fixed = read<Slownik>({});
    EXPECT_EQ(joined(fixed->RodzajeWnioskow) + " " + joined(fixed->RodzajeOperacji) + " " +
                  joined(fixed->Waluty) + " " + joined(fixed->Plcie),
              "WPIS,AKTUALIZACJA,WYKREŚLENIE NOWY,AKTUALIZACJA,WYKREŚLENIE PLN,EUR,CHF,USD "
              "KOBIETA,MĘŻCZYZNA");
}

TEST(Slownik, RefusalsKeepTheSectionsReadBefore) {
    const std::string blank = "Wystąpił błąd odczytu ze słownika ! | ";
    EXPECT_EQ(refusal({line("B;MAZOWIECKIE;"), "", line("B;OPOLSKIE;")}), blank + "B=MAZOWIECKIE");
    EXPECT_EQ(refusal({"ABC;X;1"}), blank);  // a letter of 3
    // A checksum that is no number counts as zero.
    EXPECT_EQ(refusal({u8("B;OPOLSKIE;XYZ")}),
              "CRC Błąd sumy kontrolnej słownika dla województw! | ");

    // A good line of the same section first: the mismatch empties that section's list, and
    // what comes after it is never reached.
    const std::string both = "B=ŚLĄSKIE C=INNE";
    // clang-format off
    const struct { const char* covered; const char* message; std::string kept; } cases[] = {
        {"A;KRM;KORMORAN;Z;", "Błąd sumy kontrolnej słownika dla ZU!", both},
        {"B;OPOLSKIE;", "Błąd sumy kontrolnej słownika dla województw!", "C=INNE"},
        {"C;CZESKIE;", "Błąd sumy kontrolnej słownika dla obywatelstw", "B=ŚLĄSKIE"},
        {"D;2;POZOSTAŁE;", "Błąd sumy kontrolnej słownika dla rodzajów ubezpieczeń", both},
        {"E;ŚREDNIE;", "Błąd sumy kontrolnej słownika dla wykształcenia", both},
        {"F;LEASING;", "Błąd sumy kontrolnej słownika dla rodzaju działalności!", both},
        {"G;2;KREDYT;", "Błąd sumy kontrolnej słownika dla grupy ubezpieczeń!", both},
        {"H;INNE SPÓŁKI;", "Błąd sumy kontrolnej słownika dla formy prawnej!", both},
        {"I;KARTA POBYTU;", "Błąd sumy kontrolnej słownika dla rodzaju dokumentów!", both},
        {"R;INNY REJESTR;", "Błąd sumy kontrolnej słownika dla rodzaju rejestrów!", both}};
    // clang-format on
    for (const auto& c : cases) {
        const std::string good = line(c.covered);
        std::string bad = good;
        const std::size_t last = u8(c.covered).size() - 2;  // the last character of the last field
        bad[last] = bad[last] == 'Z' ? 'Y' : 'Z';
        EXPECT_EQ(refusal({line("B;ŚLĄSKIE;"), good, line("C;INNE;"), bad, line("E;WYŻSZE;")}),
                  std::string("CRC ") + c.message + " | " + c.kept);
    }
}

TEST(SlownikZU, UndertakingsWithoutTheirChecksum) {
    auto d = read<SlownikZU>({
        u8("A;KRM;TOWARZYSTWO KORMORAN;Z;0123456789"),  // last field of 10: still read
        u8("A;JSK;TOWARZYSTWO JASKÓŁKA;M"),
        u8("A;TOOLONG;X;M"),  // a code of 7: skipped
        line("B;OPOLSKIE;"),
        "",
    });
    EXPECT_EQ(joined(d->entries()), "KRM/TOWARZYSTWO KORMORAN/Z,JSK/TOWARZYSTWO JASKÓŁKA/M");
    EXPECT_EQ(d->findByCode("JSK"), d->entries().at(1).get());
    EXPECT_EQ(d->findByCode("XXX"), nullptr);
}

TEST(SlownikZU3, OnlyUndertakingsWhoseSecondFurtherTextIsEmpty) {
    auto d = read<SlownikZU3>({
        u8("A;KRM;KORMORAN;Z;1A2B3C4D;<E>"),
        u8("A;JSK;JASKÓŁKA;M;1A2B3C4D;2019"),  // no longer active
        u8("A;LZR;LAZUROWE;M;1A2B3C4D"),       // no second further text
    });
    ASSERT_EQ(joined(d->entries()), "KRM/KORMORAN/Z");
    const auto& item = static_cast<const DictItem3&>(*d->entries()[0]);
    EXPECT_EQ(item.Dodatkowe1 + " " + item.Dodatkowe2, "1A2B3C4D <E>");
}

TEST(DictionaryList, FileOrderAndTheFirstIndexOfAText) {
    DictionaryList list;
    for (const char* t : {"B", "A", "B", "C"})
        list.add(t);
    EXPECT_EQ((std::vector{list.IndexOf("B"), list.IndexOf("C"), list.IndexOf("b")}),
              (std::vector{0, 3, -1}));
    EXPECT_FALSE(list.contains(""));
    list.clear();
    EXPECT_EQ(list.IndexOf("A"), -1);
}

TEST(BundledDictionary, LoadsInAllThreeReadersWithEveryListFilled) {
    const DictionaryFile file = readDictionaryFile(TAVIK_BUNDLED_DICTIONARY);
    const Slownik& d = *file.dictionary;
    EXPECT_EQ(sections(d, true), "A=15 B=16 C=33 E=8 F=15 G1=5 G2=18 H=8 I=8 R=7 D=2");
    EXPECT_EQ(d.RodzajeUbezpieczen.at(0)->Kod, "1");
    EXPECT_EQ(d.RodzajeDzialalnosci[d.RodzajeDzialalnosci.size() - 1], "INNE");
    EXPECT_TRUE(d.RodzajeDokumentow.contains(u8("DOWÓD OSOBISTY")));
    EXPECT_TRUE(d.FormyPrawne.contains(u8("OSOBA FIZYCZNA")));
    EXPECT_EQ(file.undertakings->entries().size(), d.Zaklady.size());
    EXPECT_EQ(file.activeUndertakings->entries().size(), d.Zaklady.size());
    ASSERT_NE(file.undertakings->findByCode("JSK"), nullptr);
    EXPECT_EQ(file.undertakings->findByCode("JSK")->Dzial, "M");
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
