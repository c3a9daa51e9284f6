#include <gtest/gtest.h>

#include "model/Exception.h"
#include "model/FileHeader.h"
#include "tests/support/RpaBytes.h"
#include "tests/support/TestStreams.h"

namespace tavik {
namespace {

using test::header;

// The version read and the bytes left after the header, or the message of the refusal.
std::string outcome(const std::string& bytes) {
    MemoryInput in(bytes);
    try {
        const int version = CzytajNaglowek(in);
        char rest[8] = {};
        in.read(rest, sizeof rest - 1);
        return std::to_string(version) + " " + rest;
    } catch (const Exception& e) {
        return e.message();
    }
}

TEST(FileHeader, VersionsOfTheKnownMarksAndEveryRefusal) {
    const std::string word = "Błędna wersja pliku !", dictionary = "Błędna wersja słownika !",
                      mark = "Błędny znacznik pliku !";
    const std::pair<std::string, std::string> cases[] = {
        {header("LUNET 1.0", "03.11.13.0001") + "REST", "1 REST"},
        {header("LUNET 2.0", "03.11.13.0001") + "REST", "2 REST"},
        {header("LUNET 3.0", "03.03.06.0002") + "REST", "3 REST"},
        {header("LUNET 3.1", "03.03.06.0002"), "3 "},
        // The first word is checked before the mark.
        {header("LUNET 3.0", "03.03.06.0002", 4097), word},
        {header("NIC", "NIC", 0), word},
        {"", word},
        {std::string("\x00\x10\x00", 3), word},
        // The dictionary version must be the mark's; a file may end inside it.
        {header("LUNET 3.1", "03.11.13.0001"), dictionary},
        {header("LUNET 1.0", "03.03.06.0002"), dictionary},
        {header("LUNET 2.0", ""), dictionary},
        {header("LUNET 3.0", "03.03.06.0002").substr(0, 20), dictionary},
        {header("LUNET 4.0", "03.03.06.0002"), mark},
        {header("lunet 3.0", "03.03.06.0002"), mark},
        {test::le32(4096), mark},
        // A mark filling its ten bytes without a terminator is compared within them only.
        {test::le32(4096) + "LUNET 3.0X" + std::string(14, '\0'), mark},
    };
    for (const auto& [bytes, expected] : cases)
        EXPECT_EQ(outcome(bytes), expected) << testing::PrintToString(bytes);
}

TEST(FileHeader, FileThatCannotBeOpened) {
    test::TempDir dir;
    std::unique_ptr<InputStream> handle;
    try {
        CzytajNaglowek(dir.file("brak.rpa"), handle);
        FAIL() << "expected a refusal";
    } catch (const Exception& e) {
        EXPECT_EQ(e.message(),
                  "Nie można otworzyć pliku " + dir.file("brak.rpa") + ": plik nie istnieje.");
    }
    EXPECT_EQ(handle, nullptr);
}

TEST(FileHeader, WrittenHeaderIsTwentyEightExactBytes) {
    int version = 0;
    for (const FileVersion* v : {&fileVersion1(), &fileVersion2(), &fileVersion3()}) {
        MemoryOutput out;
        BufferedWriter writer(out);
        writeFileHeader(writer, *v);
        writer.flush();
        EXPECT_EQ(out.bytes(), test::headerOfVersion(++version)) << version;
    }
}

}  // namespace
}  // namespace tavik
