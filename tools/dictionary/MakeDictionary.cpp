// Writes the bundled code dictionary: reads the readable UTF-8 source, converts every entry to
// code page 1250 and appends the checksum each line carries. Refuses an entry that a reader of
// the dictionary, a check or an import would refuse, so that a broken dictionary never ships.
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "model/CRC32.h"
#include "model/Cp1250.h"
#include "model/Exception.h"
#include "model/FileStreams.h"
#include "model/TextLines.h"
#include "model/read_base.h"

namespace {

struct Layout {
    std::vector<std::size_t> maxima;  // the tightest limit anywhere for each field
};

// Fields after the letter. "A": code, name, division; "D": division, name; "G": division
// (1 or 2), name; the rest: name.
const std::map<std::string, Layout> kLayouts = {
    {"A", {{3, 100, 1}}}, {"B", {{40}}},     {"C", {{20}}}, {"D", {{1, 60}}}, {"E", {{20}}},
    {"F", {{50}}},        {"G", {{1, 220}}}, {"H", {{20}}}, {"I", {{30}}},    {"R", {{50}}},
};

std::vector<std::string> split(const std::string& line) {
    std::vector<std::string> fields;
    std::stringstream in(line);
    for (std::string field; std::getline(in, field, ';');)
        fields.push_back(field);
    return fields;
}

std::string dictionaryLine(const std::string& utf8, int number) {
    const auto where = [&] { return "wiersz " + std::to_string(number) + ": "; };
    const std::string cp = tavik::cp1250::fromUtf8OrThrow(utf8);
    const std::vector<std::string> fields = split(cp);
    const auto layout = fields.empty() ? kLayouts.end() : kLayouts.find(fields[0]);
    if (layout == kLayouts.end()) throw tavik::Exception(where() + "nieznana sekcja");
    const std::vector<std::size_t>& maxima = layout->second.maxima;
    if (fields.size() != maxima.size() + 1)
        throw tavik::Exception(where() + "oczekiwano " + std::to_string(maxima.size()) + " pól");
    for (std::size_t i = 1; i < fields.size(); ++i)
        if (fields[i].empty() || fields[i].size() > maxima[i - 1] ||
            tavik::trimmed(fields[i]) != fields[i])
            throw tavik::Exception(where() + "pole " + std::to_string(i) +
                                   " puste, za długie lub z odstępem na brzegu");
    if (fields[0] == "G" && fields[1] != "1" && fields[1] != "2")
        throw tavik::Exception(where() + "dział grupy musi być 1 albo 2");

    // The checksum covers the letter and every field, each followed by ";".
    std::string covered;
    for (const std::string& f : fields)
        covered += f + ";";
    const tavik::CRC32 calc;
    std::uint32_t crc = 0;
    calc.CRC32Dict(covered, crc);
    char hex[9];
    std::snprintf(hex, sizeof hex, "%08X", crc);
    // An undertaking gets a sixth field "<E>": the reader of active undertakings takes the
    // checksum as its first further text and keeps the entry for the "<E>" in the second.
    return covered + hex + (fields[0] == "A" ? ";<E>" : "");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "użycie: %s ŹRÓDŁO.txt slownik.dic\n", argv[0]);
        return 2;
    }
    try {
        std::string source, reason;
        if (!tavik::readWholeFile(argv[1], source, &reason))
            throw tavik::Exception(std::string(argv[1]) + ": " + reason);
        std::string out;
        int number = 0;
        for (const std::string& line : tavik::splitLines(source)) {
            ++number;
            if (line.empty() || line[0] == '#') continue;
            out += dictionaryLine(line, number) + "\r\n";
        }
        tavik::AtomicFileOutput file(argv[2]);
        if (!file.open() || !file.write(out.data(), out.size()) || !file.commit())
            throw tavik::Exception(std::string(argv[2]) + ": " + file.errorText());
    } catch (const tavik::Exception& e) {
        std::fprintf(stderr, "%s: %s\n", argv[1], e.what());
        return 1;
    }
    return 0;
}
