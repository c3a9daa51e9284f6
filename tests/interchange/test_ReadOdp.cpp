#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "interchange/ReadOdp.h"
#include "interchange/ReadOdp3.h"
#include "model/CRC32.h"
#include "model/Exception.h"
#include "tools/samples/SampleResponses.h"

namespace tavik {
namespace {

using samples::withChecksum;

const std::string kCode = "JSK";

std::unique_ptr<ReadOdp> readerFor(int version) {
    if (version == 3) return std::make_unique<ReadOdp3>(kCode);
    return std::make_unique<ReadOdp>(kCode);
}

// The message a reading fails with ("" when it succeeds) and whether it was a checksum failure.
struct Outcome {
    std::string message;
    bool checksum = false;
};
Outcome read(ReadOdp& reader, const std::vector<std::string>& lines) {
    try {
        reader.CzytajLinie(lines);
    } catch (const ECRC32Err& e) {
        return {e.message(), true};
    } catch (const Exception& e) {
        return {e.message(), false};
    }
    return {};
}

// The line with its field at a 0-based position replaced and a fresh checksum.
std::string withField(std::string line, std::size_t index, const std::string& value) {
    std::size_t begin = 0;
    for (std::size_t i = 0; i < index; ++i)
        begin = line.find(';', begin) + 1;
    line.replace(begin, line.find(';', begin) - begin, value);
    return withChecksum(line.substr(0, line.rfind(';')));
}

TEST(ResponseVersion, TakenFromTheFirstFourCharacters) {
    const std::pair<const char*, int> cases[] = {
        {"ODP;JSK;X\r\n", 1}, {"OD3;", 3},  {"", -1},      {"ODP", -1},  {"OD3\r\n;", -1},
        {"odp;JSK", -1},      {"AGO;", -1}, {" ODP;", -1}, {"OD1;", -1},
    };
    for (const auto& [text, version] : cases)
        EXPECT_EQ(responseFileVersion(text), version) << text;
}

using Columns = std::vector<std::pair<std::string, std::size_t>>;  // field name, maximum

// A line whose every field after the code and the reference holds "v<position>" padded to its
// maximum lands, upper-cased, in the members named and nowhere else; one character more in any
// field is a read failure.
TEST(ReadOdp, EachLayoutFillsItsMembersUpToTheirMaximum) {
    // clang-format off
    const Columns agent = {
        {"NUMER_W_RA", 100}, {"NumerWZU", 20}, {"NazwaAgenta", 100}, {"RodzajRejestru", 50},
        {"Numer_z_Rejestru", 30}, {"NIP AGENTA", 13}, {"Miejscowosc_SiedzibaAgenta", 50},
        {"Ulica_SiedzibaAgenta", 50}, {"NrDomu_SiedzibaAgenta", 20},
        {"NrLokalu_SiedzibaAgenta", 20}, {"KodPocztowy_SiedzibaAgenta", 6},
        {"Poczta_SiedzibaAgenta", 50}, {"FormaPrawna", 50}, {"ZWOLNIONY", 3},
        {"DzialalnoscPodstawowa", 50}, {"InnaDzialalnosc", 50}, {"Obywatelstwo", 50},
        {"RodzajDokumentuOsFizAgenta", 50}, {"PESEL/Seria/NR", 20}, {"NIP Osoby Fizycznej", 13},
        {"Nazwisko", 28}, {"Nazwisko2", 28}, {"Imie", 24}, {"Imie2", 24}, {"Miejscowosc", 60},
        {"Ulica", 50}, {"NrDomu", 20}, {"NrLokalu", 20}, {"KodPocztowy", 20}, {"Poczta", 50}};
    auto with = [](Columns columns, const Columns& tail) {
        columns.insert(columns.end(), tail.begin(), tail.end());
        return columns;
    };
    auto person = [&](std::size_t street) {
        return Columns{
            {"Numer w RA", 14}, {"NumerWZU", 20}, {"Nazwisko", 60}, {"Nazwisko drugi człon", 60},
            {"Imie", 24}, {"Imie2", 24}, {"NazwiskoRodowe", 60}, {"Płec", 15}, {"ImieOjca", 30},
            {"ImieMatki", 30}, {"Obywatelstwo", 30}, {"Typ Dokumentu", 30},
            {"PESEL/SERIA/NR", 20}, {"NIP", 13}, {"Miejscowosc", 60}, {"Ulica", street},
            {"NumerDomu", 20}, {"NumerLokalu", 20}, {"KodPocztowy", 6}, {"POCZTA", 50},
            {"Nr zezwolenia", 30}, {"WYKSZTAŁCENIE", 35}, {"Status", 15}};
    };
    const Columns header = {{"NazwaZU", 100}, {"NrOdpowiedzi", 20}, {"TypWniosku", 16},
                            {"DataOdpowiedzi", 10}, {"KomentarzOdpowiedzi", 1024}};
    // clang-format on
    const std::map<std::string, std::string> headerUnread = {{"TypRekordu", "ODP"},
                                                             {"KodZU", kCode}};
    struct Row {
        int version;
        std::string tag;
        RecordKind kind;
        Columns columns;
        std::map<std::string, std::string> unread;  // what a new record holds besides "<E>"
    };
    // clang-format off
    const Row rows[] = {
        {1, "ODP", KIND_ODPOWIEDZ, header, headerUnread},
        {3, "OD3", KIND_ODPOWIEDZ, header, headerUnread},
        {1, "AGO", KIND_AGENT_ODP, with(agent, {{"StatusAgenta", 20}}),
         {{"RodzajOperacji", "NOWY"}}},
        {3, "AGO", KIND_AGENT_ODP,
         with(agent, {{"WartoscDodatkowa", 10}, {"PrzyczynyOdp", 10}, {"StatusAgenta", 20}}),
         {{"RodzajOperacji", "NOWY"}}},
        {1, "PRO", KIND_PRACOWNIK_ODP, person(60), {{"Rodzaj Operacji", "NOWY"}}},
        {3, "CZO", KIND_ZARZAD_ODP, person(50), {{"Rodzaj Operacji", "NOWY"}}},
        {1, "PEO", KIND_PELNOMOCNICTWO_ODP,
         {{"WazneOd", 10}, {"WazneDo", 10}, {"NazwaDzialu", 255}, {"NazwaGrupy", 255},
          {"RodzajUbezpieczenia", 255}, {"MaksKwotaUbezpieczenia", 13}, {"Waluta", 5},
          {"ObszarDzialalnosci", 255}}, {}},
        {3, "POO", KIND_POLISA_ODP,
         {{"Nazwa zakładu", 100}, {"ID_PolisyOC", 25}, {"WazneOd", 10}, {"WazneDo", 10},
          {"Suma ubezpieczenia", 13}}, {}}};
    // clang-format on
    // "v<i>" padded with "x" to n characters, or in upper case. Built by appending: GCC 12 warns
    // falsely about "v" + std::to_string(i).
    const auto padded = [](char v, std::size_t i, std::size_t n) {
        std::string value(1, v);
        value += std::to_string(i);
        value.resize(n, v == 'v' ? 'x' : 'X');
        return value;
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.tag + " v" + std::to_string(row.version));
        const std::string start =
            row.tag + ";" + kCode + (row.kind == KIND_ODPOWIEDZ ? "" : ";ref");
        std::map<std::string, std::string> expected = row.unread;
        expected.try_emplace("TypRekordu", row.tag);
        std::vector<std::string> values;
        for (std::size_t i = 0; i < row.columns.size(); ++i) {
            values.push_back(padded('v', i, row.columns[i].second));
            expected[row.columns[i].first] = padded('V', i, row.columns[i].second);
        }
        auto lineWith = [&](std::size_t longer) {
            std::string text = start;
            for (std::size_t i = 0; i < values.size(); ++i)
                text += ";" + values[i] + (i == longer ? "x" : "");
            return withChecksum(text);
        };
        auto reader = readerFor(row.version);
        ASSERT_EQ(read(*reader, {lineWith(values.size())}).message, "");
        ASSERT_EQ(reader->entries().size(), 1u);
        EXPECT_EQ(reader->entries()[0].kind, row.kind);
        for (const auto& f : reader->entries()[0].record->fields()) {
            const auto e = expected.find(std::string(f.name));
            EXPECT_EQ(f.field->view(), e == expected.end() ? "<E>" : e->second) << f.name;
        }
        for (std::size_t i = 0; i < values.size(); ++i)
            EXPECT_EQ(read(*reader, {lineWith(i)})
                          .message.rfind("Wystąpił błąd w linii 1\nWystąpił błąd przy odczycie", 0),
                      0u)
                << row.columns[i].first;
    }
}

// Each record's kind, field values and link (as a position in the list), one line each.
std::string describe(const std::vector<ReadRecord>& records) {
    std::map<const TRecord*, int> index{{nullptr, -1}};
    for (std::size_t i = 0; i < records.size(); ++i)
        index[records[i].record.get()] = static_cast<int>(i);
    std::string out;
    for (const ReadRecord& r : records) {
        out += std::to_string(r.kind);
        for (const auto& f : r.record->fields())
            out.append(";").append(f.field->view());
        const TRecord* link = nullptr;
        if (auto* h = dynamic_cast<const TRecOdpowiedz*>(r.record.get()))
            link = h->AgentOdp;
        else if (auto* a = dynamic_cast<const TRecAgentOdp*>(r.record.get()))
            link = a->Odpowiedz;
        else
            link = dynamic_cast<const ResponseMembers&>(*r.record).AgentOdp;
        out += " -> " + std::to_string(index[link]) + "\n";
    }
    return out;
}

TEST(ReadOdp, SampleFilesReadIntoTheirRecordsAndLinks) {
    for (int version : {1, 3}) {
        SCOPED_TRACE(version);
        const samples::SampleResponse sample(version, {3, 2, 2, 1, 2}, 7);
        auto reader = readerFor(version);
        ASSERT_EQ(responseFileVersion(sample.text()), version);
        reader->Czytaj(sample.text());
        EXPECT_EQ(describe(reader->TakeRecords()), describe(sample.records()));
        EXPECT_TRUE(reader->entries().empty());
    }
    // Version 1 leaves the header without its agent; what comes before any agent has none.
    auto reader = readerFor(1);
    const auto lines = samples::SampleResponse(1, {1, 0, 1, 0, 0}).lines();
    ASSERT_EQ(read(*reader, {lines[2], lines[0], lines[1]}).message, "");
    EXPECT_EQ(dynamic_cast<const TRecPracownikOdp&>(*reader->entries()[0].record).AgentOdp,
              nullptr);
    EXPECT_EQ(dynamic_cast<const TRecOdpowiedz&>(*reader->entries()[1].record).AgentOdp, nullptr);
}

TEST(ReadOdp, EveryRefusalCarriesItsLineAndEmptiesTheList) {
    // ODP, AGO, POO, PEO, PRO, CZO.
    const std::vector<std::string> valid = samples::SampleResponse(3, {1, 1, 1, 1, 1}).lines();
    const std::string
        code = "Błędny kod zakładu dla rekordu ",
        unread = "Wystąpił błąd przy odczycie rekordu ", crc = "Błąd sumy kontrolnej dla rekordu ",
        tag = "Błędny typ rekordu: pole typu rekordu jest puste lub dłuższe niż 3 znaki!";
    struct Row {
        int line;
        std::string text;
        std::string message;
        bool checksum;
    };
    std::vector<Row> rows = {
        // A ";" after the checksum, a checksum of other than eight digits or not hexadecimal.
        {5, valid[5] + ";", crc + "CZŁ. ZARZĄDU - ODPOWIEDŹ!", true},
        {2, valid[2].substr(0, valid[2].size() - 1), crc + "POLISA - ODPOWIEDŹ!", true},
        {2, valid[2] + "0", unread + "POLISA - ODPOWIEDŹ!", false},
        {2, valid[2].substr(0, valid[2].size() - 8) + "0000000G", crc + "POLISA - ODPOWIEDŹ!",
         true},
        // Lines too short to hold a checksum.
        {4, "PRO;JSK", unread + "PRACOWNIK ODPOWIEDŹ!", false},
        {3, "PEO;JSK;1;", unread + "PELNOMOCNICTWO - ODPOWIEDŹ!", false},
        {0, "OD3", unread + "ODPOWIEDŹ!", false},
        // A tag field that is empty or too long.
        {1, "", tag, false},
        {1, "AGOX;JSK", tag, false}};
    // Each line with a wrong undertaking's code, an empty third field, a byte changed.
    const std::string messages[][3] = {
        {code + "ODPOWIEDŹ!", unread + "ODPOWIEDŹ!", crc + "ODPOWIEDŹ!"},
        {code + "AGENT-ODPOWIEDŹ!", unread + "AGENTA ODPOWIEDŹ!", crc + "AGENT - ODPOWIEDŹ!"},
        {unread + "POLISA - ODPOWIEDŹ!", unread + "POLISA - ODPOWIEDŹ!",
         crc + "POLISA - ODPOWIEDŹ!"},
        {code + "PEŁNOMOCNICTWO - ODPOWIEDŹ!", unread + "PELNOMOCNICTWO - ODPOWIEDŹ!",
         crc + "PEŁNOMOCNICTWO - ODPOWIEDŹ!"},
        {code + "PRACOWNIK-ODPOWIEDŹ!", unread + "PRACOWNIK ODPOWIEDŹ!",
         crc + "PRACOWNIK - ODPOWIEDŹ!"},
        {code + "CZŁ. ZARZĄDU-ODPOWIEDŹ!", unread + "CZŁ. ZARZĄDU - ODPOWIEDŹ!",
         crc + "CZŁ. ZARZĄDU - ODPOWIEDŹ!"}};
    for (int i = 0; i < 6; ++i) {
        std::string changed = valid[i];
        changed[10] = changed[10] == 'Q' ? 'R' : 'Q';
        rows.push_back({i, withField(valid[i], 1, "XYZ"), messages[i][0], false});
        rows.push_back({i, withField(valid[i], 3, ""), messages[i][1], false});
        rows.push_back({i, changed, messages[i][2], true});
    }
    auto reader = readerFor(3);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        ASSERT_EQ(read(*reader, valid).message, "");
        std::vector<std::string> lines = valid;
        lines[row.line] = row.text;
        const Outcome outcome = read(*reader, lines);
        EXPECT_EQ(outcome.message,
                  "Wystąpił błąd w linii " + std::to_string(row.line + 1) + "\n" + row.message);
        EXPECT_EQ(outcome.checksum, row.checksum);
        EXPECT_TRUE(reader->entries().empty());
    }
}

// Four bytes that bring the text's checksum to the value: after four bytes the running value
// depends on the table entries they pick alone.
std::string forcing(std::uint32_t runningValue, std::uint32_t target) {
    const CRC32 calc;
    int entry[4];
    for (int i = 3; i >= 0; --i) {
        for (entry[i] = 0; calc.tableEntry(entry[i]) >> 24 != target >> 24; ++entry[i]) {
        }
        target = (target ^ calc.tableEntry(entry[i])) << 8;
    }
    std::string bytes;
    for (int i = 0; i < 4; ++i) {
        bytes.push_back(static_cast<char>((runningValue ^ entry[i]) & 0xFF));
        calc.CalcCrc32(static_cast<std::uint8_t>(bytes.back()), runningValue);
    }
    return bytes;
}

// A policy line's text whose checksum is 0: it ends in four forcing bytes, none of them a
// separator, the last one kept by trimming, at least one not hexadecimal.
std::string zeroChecksumText(const std::string& beforeForcing) {
    for (int attempt = 0;; ++attempt) {
        const std::string head =
            "POO;JSK;1;JSK;OC/" + std::to_string(attempt) + ";<E>;<E>;1" + beforeForcing;
        const CRC32 calc;
        std::uint32_t crc = 0;
        calc.CalcCrc32(static_cast<std::uint8_t>(head.size() + 4), crc);
        for (char c : head)
            calc.CalcCrc32(static_cast<std::uint8_t>(c), crc);
        const std::string tail = forcing(crc, 0xFFFFFFFF);
        if (tail.find_first_of(std::string_view(";\r\n\0", 4)) == std::string::npos &&
            static_cast<unsigned char>(tail.back()) > 0x20 &&
            tail.find_first_not_of("0123456789ABCDEFabcdef") != std::string::npos)
            return head + tail;
    }
}

TEST(ReadOdp, ANonHexadecimalChecksumCountsAsZero) {
    const std::string text = zeroChecksumText("");
    const std::string refused =
        "Wystąpił błąd w linii 1\nBłąd sumy kontrolnej dla rekordu POLISA - ODPOWIEDŹ!";
    auto reader = readerFor(1);
    for (const char* checksum : {"00000000", "0000000G", "ZZZZZZZZ", "0x1"})
        EXPECT_EQ(read(*reader, {text + ";" + checksum}).message, "") << checksum;
    EXPECT_EQ(read(*reader, {text + ";00000001"}).message, refused);
    // The checksum is the last field: one followed by ";" covers itself, even when it matches.
    EXPECT_EQ(read(*reader, {zeroChecksumText(";") + ";"}).message, refused);
}

TEST(ReadOdp, OnlyTheFirstLengthAnd255CharactersAreCovered) {
    // The text before the checksum has 256 + 40 characters: only the first 40 count.
    const std::string head = "ODP;JSK;NAZWA;NR;WPIS;01.02.2026;";
    const std::string text = head + std::string(256 + 40 - head.size(), 'K');
    auto reader = readerFor(1);
    for (std::size_t at : {std::size_t{45}, text.size() - 1}) {
        std::string line = withChecksum(text);
        line[at] = 'X';
        ASSERT_EQ(read(*reader, {line}).message, "") << at;
        const auto& header = dynamic_cast<const TRecOdpowiedz&>(*reader->entries()[0].record);
        EXPECT_EQ(header.KomentarzOdpowiedzi.view()[at - head.size()], 'X');
    }
    std::string line = withChecksum(text);
    line[39] = 'X';
    EXPECT_EQ(read(*reader, {line}).message,
              "Wystąpił błąd w linii 1\nBłąd sumy kontrolnej dla rekordu ODPOWIEDŹ!");
}

TEST(ReadOdp, UnknownTagsAreSkipped) {
    for (int version : {1, 3}) {
        const std::vector<std::string> other =
            samples::SampleResponse(4 - version, {1, 0, 0, 0, 1}).lines();
        std::vector<std::string> lines = samples::SampleResponse(version, {1, 0, 0, 0, 1}).lines();
        const std::size_t expected = lines.size();
        // The other version's header, a tag nobody knows, a blank tag, a tag in lower case.
        lines.insert(lines.begin() + 1, {other[0], "XYZ;JSK;1;2;ABCDEF01", "   ;JSK", "ago;JSK"});
        auto reader = readerFor(version);
        ASSERT_EQ(read(*reader, lines).message, "") << version;
        EXPECT_EQ(reader->entries().size(), expected);
    }
}

TEST(ReadOdp, ARecordTextEndsAtItsFirstNulAndIsTrimmedThere) {
    auto reader = readerFor(1);
    const char text[] = "POO;JSK;1;AB \x01\0CD;ID;<E>;<E>;7\0 8";
    ASSERT_EQ(read(*reader, {withChecksum({text, sizeof text - 1})}).message, "");
    const auto& policy = dynamic_cast<const TRecPolisaOdp&>(*reader->entries()[0].record);
    EXPECT_EQ(policy.Nazwa_zakladu.view(), "AB");
    EXPECT_EQ(policy.Suma_ubezpieczenia.view(), "7");
}

}  // namespace
}  // namespace tavik
