#include <gtest/gtest.h>

#include <typeinfo>

#include "dictionary/DictionaryFile.h"
#include "dictionary/Slownik.h"
#include "interchange/ReadCIA.h"
#include "interchange/TextExport.h"
#include "model/Exception.h"
#include "tests/support/RpaBytes.h"
#include "tools/samples/SampleDocuments.h"

namespace tavik {
namespace {

using test::u8;

const Slownik& dictionary() {
    static const DictionaryFile d = readDictionaryFile(TAVIK_BUNDLED_DICTIONARY);
    return *d.dictionary;
}

const std::string kDivision = u8("POZOSTAŁE UBEZPIECZENIA OSOBOWE ORAZ UBEZPIECZENIA MAJĄTKOWE");

// The lines of a sample document, as the export writes them.
std::vector<std::string> sampleLines(const samples::SampleDocument& sample) {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < sample.records().size(); ++i)
        if (sample.kinds()[i] != KIND_ZAKLAD)
            lines.push_back(exportLine(*sample.records()[i], sample.kinds()[i], {}));
    return lines;
}

// One valid line of each kind: an entry application with its agent and one record of each kind
// below it.
struct Lines {
    std::string W, A, O, E, P, Z;
};
const Lines& valid() {
    static const Lines lines = [] {
        const auto all = sampleLines(samples::SampleDocument(3, {1, 1, 1, 1, 1}, 7));
        return Lines{all[0], all[1], all[2], all[3], all[4], all[5]};
    }();
    return lines;
}

// The line with its field at a 1-based position replaced (UTF-8 in).
std::string set(std::string line, int position, std::string_view utf8) {
    std::size_t begin = 0;
    for (int i = 1; i < position; ++i)
        begin = line.find(';', begin) + 1;
    const std::size_t end = line.find(';', begin);
    return line.replace(begin, end == std::string::npos ? end : end - begin, u8(utf8));
}

// The first fields of a line, each with its ";".
std::string firstFields(const std::string& line, int count) {
    std::size_t end = 0;
    for (int i = 0; i < count; ++i)
        end = line.find(';', end) + 1;
    return line.substr(0, end);
}

struct Outcome {
    std::string message;  // empty when the file was read
    int errorCode = 0;
    std::vector<ReadRecord> records;
};

// The message reading the files fails with, "" when they were read.
std::string readAll(ReadCIA& reader) {
    try {
        reader.CzytajWszystko();
    } catch (const Exception& e) {
        return e.message();
    }
    return "";
}

Outcome import(std::vector<std::string> lines, const std::string& division = kDivision) {
    ReadCIA reader(dictionary(), "JSK", division);
    reader.DodajPlik("a.cia", std::move(lines));
    return {readAll(reader), reader.errorCode(), reader.TakeRecords(0)};
}

std::string isEmpty(const char* name, int maximum, const char* suffix = "") {
    return std::string("Pole ") + name +
           " jest puste\nmaksymalna długość pola: " + std::to_string(maximum) +
           "\nPole jest obowiązkowe!" + suffix;
}

struct Refusal {
    std::vector<std::string> lines;
    std::string message;  // after "Wystąpił błąd w linii N\n", N the last line
    int errorCode;
};

TEST(ReadCIA, EveryRefusalNamesItsLine) {
    const Lines& v = valid();
    const std::string
        code = "Błędny kod zakładu dla rekordu typu ",
        noRead = "Błąd odczytu rekordu!\nTyp rekordu: ",
        noDict = " nie pokrywa się z wartością ze słownika",
        structure = "Błąd w strukturze pliku!\n", type = "Błędny typ rekordu !",
        longType = "Błędny typ rekordu: pole typu rekordu jest puste lub dłuższe niż 3 znaki !",
        forbidden = structure + "Wiersz zawiera niedozwolony znak (NUL, CR lub LF)!",
        citizenship = "Niezgodność pomiędzy wartościami pól RODZAJ DOKUMENTU - OBYWATELSTWO!";
    const std::string person = set(set(v.A, 7, "OSOBA FIZYCZNA"), 25, "DOWÓD OSOBISTY");
    const std::string agent = noDict + "\nTyp rekordu: AGENT",
                      document = "Pole RODZAJ DOKUMENTU" + noDict;
    // clang-format off
    const std::vector<Refusal> cases = {
        // The undertaking's code.
        {{set(v.W, 2, "XYZ")}, code + "WNIOSEK!\n", 0},
        {{v.W, set(v.A, 2, "jsk")}, code + "AGENT!", 0},
        {{set(v.P, 2, "XYZ")}, code + "PRACOWNIK!", 0},
        {{set(v.Z, 2, "XYZ")}, code + "ZARZAD!", 0},
        {{set(v.O, 2, "XYZ")}, code + "POLISA!", 0},
        {{set(v.E, 2, "XYZ")}, "Błędny kod zakładu!\nTyp rekordu: PEŁNOMOCNICTWO!", 0},
        // A field that cannot be read: empty, too long, or missing at the end of the line.
        {{set(v.W, 6, std::string(256, 'K'))}, noRead + "WNIOSEK", 11},
        {{v.W, set(v.A, 5, "")}, noRead + "AGENT", 11},
        {{v.W, firstFields(v.A, 35)}, noRead + "AGENT", 11},
        {{set(v.P, 3, std::string(21, '1'))}, noRead + "PRACOWNIK", 11},
        {{set(v.Z, 26, "")}, noRead + "CZŁ. ZARZĄDU", 11},
        {{"POW;JSK;1"}, noRead + "POLISA", 11},
        {{set(v.E, 9, "PLNN")}, noRead + "PEŁNOMOCNICTWO!", 11},
        // The record checks.
        {{set(v.W, 3, "<E>")}, "Błąd walidacji rekordu WNIOSEK\n" + isEmpty("NUMERWNIOSKU", 20),
         12},
        {{v.W, set(v.A, 4, "<E>")}, "Wystąpił błąd walidacji rekordu AGENT!\n" +
             isEmpty("NAZWAAGENTA", 100, "\nTyp rekordu: AGENT\nRodzaj: WPIS"), 12},
        {{set(v.P, 7, "<E>")}, "Wystąpił błąd walidacji rekordu PRACOWNIK\n" +
             isEmpty("NAZWISKO", 28, "\nTyp rekordu: PRACOWNIK\nRodzaj: NOWY"), 12},
        {{set(v.Z, 7, "<E>")}, "Wystąpił błąd walidacji rekordu CZŁ. ZARZĄDU\n" +
             isEmpty("NAZWISKO", 28, "\nTyp rekordu: CZŁONEK ZARZĄDU\nRodzaj: NOWY"), 12},
        {{set(v.O, 4, "<E>")}, "Wystąpił błąd w walidacji rekordu POLISA!\n" +
             isEmpty("ID_POLISYOC", 25, "\nTyp rekordu: POLISA\nNazwa polisy: <E>"), 12},
        {{set(v.E, 7, "<E>")}, "Wystąpił błąd w walidacji rekordu PEŁNOMOCNICTWO!\n" +
             isEmpty("OBSZARDZIALALNOSCI", 200, "\nTyp rekordu: PEŁNOMOCNICTWO"), 12},
        // The dictionary and the settings.
        {{set(v.W, 4, "wpis")}, "Błędna wartość w polu TYP WNIOSKU dla rekordu WNIOSEK!\n", 0},
        {{v.W, set(v.A, 7, "SPÓŁKA")}, "Pole FORMA PRAWNA" + agent, 0},
        {{v.W, set(v.A, 8, "KRS")}, "Pole RODZAJ REJESTRU" + agent, 0},
        {{v.W, set(v.A, 17, "HANDEL")}, "Pole RODZAJ DZIAŁALNOŚCI" + agent, 0},
        {{v.W, set(v.A, 25, "dowód osobisty")}, document + "\nTyp rekordu: AGENT", 0},
        {{set(v.P, 16, "LEGITYMACJA")}, document + "\ndla rekordu typu PRACOWNIK", 0},
        {{set(v.Z, 16, "LEGITYMACJA")}, document + "\ndla rekordu typu CZŁ. ZARZĄDU", 0},
        {{set(v.Z, 18, "DOKTORAT")}, "Pole RODZAJ WYKSZTAŁCENIA" + noDict + " !", 0},
        {{set(v.O, 5, "JSKA")}, "Pole NAZWA ZAKŁADU" + noDict + "\nTyp rekordu: POLISA", 0},
        {{set(v.O, 5, "JS")}, "Pole NAZWA ZAKŁADU" + noDict + "\nTyp rekordu: POLISA", 0},
        {{set(v.E, 4, "pozostałe ubezpieczenia osobowe oraz ubezpieczenia majątkowe")},
         "Błędna wartość dla pola NAZWA DZIAŁU\nTyp rekordu: PEŁNOMOCNICTWO", 0},
        {{set(v.E, 5, "UBEZPIECZENIA NA ŻYCIE")},
         "Błędna wartość dla pola NAZWA GRUPY\nTyp  rekordu: PEŁNOMOCNICTWO", 0},
        // The identity document against the citizenship, checked before the fields after it.
        {{v.W, set(set(person, 24, "NIEMIECKIE"), 34, "")}, citizenship + "\nTyp rekordu: AGENT",
         0},
        {{set(set(v.P, 16, "DOWÓD OSOBISTY"), 14, "CZESKIE")}, citizenship, 0},
        // The file's structure and the tags.
        {{v.A}, structure + "Nie znaleziono rekordu WNIOSEK!", 0},
        {{v.W, v.A, v.P, v.A}, structure + "Drugi rekord AGENT dla tego samego rekordu WNIOSEK!",
         0},
        {{v.W, "AGX;JSK;1;"}, type, 0},
        {{v.W, v.A, "wni;JSK"}, type, 0},
        {{v.W, ""}, longType, 1221},
        {{"WNIO;JSK;1"}, longType, 1221},
        {{v.W, v.A.substr(0, 20) + "\n" + v.A.substr(20)}, forbidden, 0},
        {{v.W, v.A, set(v.P, 7, std::string("NO\0WAK", 6))}, forbidden, 0}};
    // clang-format on
    for (const Refusal& c : cases) {
        const Outcome out = import(c.lines);
        EXPECT_EQ(out.message,
                  "Wystąpił błąd w linii " + std::to_string(c.lines.size()) + "\n" + c.message)
            << cp1250::toUtf8(c.lines.back());
        EXPECT_EQ(out.errorCode, c.errorCode) << c.message;
        EXPECT_TRUE(out.records.empty());
    }
}

TEST(ReadCIA, FailureEmptiesItsFileAndStopsTheRest) {
    const Lines& v = valid();
    ReadCIA reader(dictionary(), "JSK", kDivision);
    reader.DodajPlik("1.cia", {v.W, v.A});
    reader.DodajPlik("2.cia", {v.W, v.A, v.P, "XYZ;"});
    reader.DodajPlik("3.cia", {v.W});
    EXPECT_EQ(readAll(reader), "Wystąpił błąd w linii 4\nBłędny typ rekordu !");
    EXPECT_EQ((std::vector{reader.files()[0].records.size(), reader.files()[1].records.size(),
                           reader.files()[2].records.size()}),
              (std::vector<std::size_t>{2, 0, 0}));
    // Every file starts without an application: an agent cannot reach into the file before.
    ReadCIA second(dictionary(), "JSK", kDivision);
    second.DodajPlik("1.cia", {v.W});
    second.DodajPlik("2.cia", {v.A});
    EXPECT_EQ(readAll(second),
              "Wystąpił błąd w linii 1\nBłąd w strukturze pliku!\nNie znaleziono rekordu WNIOSEK!");
    EXPECT_EQ(second.files()[0].records.size(), 1u);
}

// Reading on past refusals: each refused line is listed, the lines kept are numbered, and an
// agent below a refused application joins neither it nor the application before.
TEST(ReadCIA, EveryLineReadOnPastRefusals) {
    const Lines& v = valid();
    ReadCIA reader(dictionary(), "JSK", kDivision);
    std::vector<std::size_t> recordLines;
    const auto refusals = reader.CzytajKazdaLinie(
        {v.W, v.A, "XYZ;JSK;1;", v.P, set(v.W, 4, "ZMIANA"), v.A, v.W, v.A, v.A}, recordLines);
    std::vector<std::pair<std::size_t, std::string>> got;
    for (const auto& r : refusals)
        got.emplace_back(r.line, r.message);
    const std::vector<std::pair<std::size_t, std::string>> expected = {
        {3, "Błędny typ rekordu !"},
        {5, "Błędna wartość w polu TYP WNIOSKU dla rekordu WNIOSEK!\n"},
        {6, "Błąd w strukturze pliku!\nNie znaleziono rekordu WNIOSEK!"},
        {9, "Błąd w strukturze pliku!\nDrugi rekord AGENT dla tego samego rekordu WNIOSEK!"}};
    EXPECT_EQ(got, expected);
    EXPECT_EQ(recordLines, (std::vector<std::size_t>{1, 2, 4, 7, 8}));
    const std::vector<ReadRecord>& records = reader.entries();
    ASSERT_EQ(records.size(), 5u);
    EXPECT_EQ(static_cast<const TRecAgenta&>(*records[4].record).Wniosek, records[3].record.get());
    EXPECT_EQ(static_cast<const TRecWniosek&>(*records[0].record).Agent, records[1].record.get());
}

// A record's field values, each followed by ";".
std::string values(const TRecord& record) {
    std::string out;
    for (const auto& f : record.fields())
        out.append(f.field->view()).append(";");
    return out;
}

template <class R>
const R& only(const Outcome& out, std::size_t index) {
    EXPECT_EQ(out.message, "");
    return dynamic_cast<const R&>(*out.records.at(index).record);
}

TEST(ReadCIA, FieldsAsTheLineGivesThem) {
    const Lines& v = valid();
    // The last field may end the line without its ";"; the reasons hold "<E>" for none.
    const std::string full = set(set(v.A, 36, "00000000"), 4, "agencja łoś");
    const Outcome withEnd = import({v.W, firstFields(full, 35) + "00000000"});
    const Outcome withSeparator = import({v.W, full});
    const auto& a = only<TRecAgenta3>(withEnd, 1);
    EXPECT_EQ(values(a), values(only<TRecAgenta3>(withSeparator, 1)));
    // The operation is the application's kind.
    EXPECT_EQ(a.RodzajOperacji.str() + "|" + a.NazwaAgenta.str() + "|" + a.Przyczyny.str(),
              "WPIS|" + u8("AGENCJA ŁOŚ") + "|<E>");
    // A field written "<E>" passes the reader where an empty one fails it.
    EXPECT_EQ(only<TRecAgenta3>(import({v.W, set(v.A, 5, "<E>")}), 1).NumerWZU.str(), "<E>");

    // An insurer of three characters that is no insurer's name is its code.
    const Outcome coded = import({set(v.O, 5, "abc")});
    const auto& code = only<TRecPolisaOC3>(coded, 0);
    EXPECT_EQ(code.Nazwa_zakladu.str() + " " + code.Kod_ZU.str(), "ABC ABC");
    // A name found in the dictionary is kept as the name only, and the check wants the code.
    EXPECT_EQ(import({set(v.O, 5, "LAZUROWE TOWARZYSTWO UBEZPIECZEŃ SPÓŁKA AKCYJNA")}).message,
              "Wystąpił błąd w linii 1\nWystąpił błąd w walidacji rekordu POLISA!\n" +
                  isEmpty("KOD ZU", 3, "\nTyp rekordu: POLISA\nNazwa polisy: ") +
                  cp1250::toUtf8(code.ID_PolisyOC.view()));

    // A power of attorney is checked without its agent: an insurance kind given for an agent
    // that does not carry on an exempt activity is not refused here.
    const Outcome powers = import({v.W, set(v.A, 16, "0"), set(v.E, 6, "majątkowe")});
    const auto& power = only<TRecPelnomocnictwo>(powers, 2);
    EXPECT_EQ(power.RodzajUbezpieczenia.view(), u8("MAJĄTKOWE"));
    EXPECT_EQ(power.Agent, nullptr);
}

TEST(ReadCIA, GroupsFollowTheConfiguredDivision) {
    const Lines& v = valid();
    const std::string lifeGroup =
        set(set(v.E, 4, "UBEZPIECZENIA NA ŻYCIE"), 5, "UBEZPIECZENIA RENTOWE");
    // A division without groups accepts no power of attorney, not even one without a group.
    EXPECT_EQ(import({lifeGroup}, u8("UBEZPIECZENIA NA ŻYCIE")).message + "|" +
                  import({set(v.E, 5, "<E>")}).message + "|" +
                  import({set(set(v.E, 4, "INNY"), 5, "<E>")}, u8("INNY")).message,
              "||Wystąpił błąd w linii 1\nBłędna wartość dla pola NAZWA GRUPY\nTyp  "
              "rekordu: PEŁNOMOCNICTWO");
}

// Exported and imported again, a document gives back its records: the application learns its
// undertaking's code and a policy its insurer's code as the name; the checksums are those of a
// version-3 file.
TEST(ReadCIA, RoundTripOfASampleDocument) {
    const samples::SampleDocument sample(3, {3, 2, 2, 2, 2}, 2026);
    const Outcome out = import(sampleLines(sample));
    ASSERT_EQ(out.message, "");
    ASSERT_EQ(out.records.size(), sample.records().size() - 1);
    const TRecWniosek* application = nullptr;
    for (std::size_t i = 0; i < out.records.size(); ++i) {
        const TRecord& expected = *sample.records()[i + 1];
        TRecord& got = *out.records[i].record;
        ASSERT_EQ(out.records[i].kind, sample.kinds()[i + 1]);
        EXPECT_EQ(typeid(got), typeid(expected));
        EXPECT_EQ(got.CRC, expected.CRC) << i;
        std::string want;
        for (const auto& f : expected.fields())
            want += (f.name == "KodZU" ? std::string("JSK")
                     : f.name == "Nazwa zakładu"
                         ? static_cast<const TRecPolisaOC3&>(expected).Kod_ZU.str()
                         : std::string(cp1250::toUpper(f.field->view()))) +
                    ";";
        EXPECT_EQ(values(got), want) << i;
        if (auto* w = dynamic_cast<TRecWniosek*>(&got)) {
            EXPECT_EQ(w->RodzajWniosku, static_cast<const TRecWniosek&>(expected).RodzajWniosku);
            application = w;
        } else if (auto* a = dynamic_cast<TRecAgenta3*>(&got)) {
            EXPECT_EQ(a->Wniosek, application);
            EXPECT_EQ(application->Agent, a);
        } else if (auto* p = dynamic_cast<TRecOsoba*>(&got)) {
            EXPECT_EQ(p->Agent, nullptr);
        }
    }
}

}  // namespace
}  // namespace tavik
