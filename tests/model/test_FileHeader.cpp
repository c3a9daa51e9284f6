#include <gtest/gtest.h>

#include "model/Exception.h"
#include "model/FileHeader.h"
#include "tests/support/RpaBytes.h"
#include "tests/support/TestStreams.h"

namespace tavik {
namespace {

using test::header;

std::string refusal(const std::string& bytes) {
    MemoryInput in(bytes);
    try {
        CzytajNaglowek(in);
    } catch (const Exception& e) {
        return e.message();
    }
    return "(accepted)";
}

int versionOf(const std::string& bytes) {
    MemoryInput in(bytes);
    return CzytajNaglowek(in);
}

TEST(FileHeader, KnownMarksGiveTheirVersions) {
    EXPECT_EQ(versionOf(header("LUNET 1.0", "03.11.13.0001")), 1);
    EXPECT_EQ(versionOf(header("LUNET 2.0", "03.11.13.0001")), 2);
    EXPECT_EQ(versionOf(header("LUNET 3.0", "03.03.06.0002")), 3);
    EXPECT_EQ(versionOf(header("LUNET 3.1", "03.03.06.0002")), 3);
}

TEST(FileHeader, LeavesTheStreamAtTheFirstRecord) {
    const std::string bytes = header("LUNET 3.0", "03.03.06.0002") + "REST";
    MemoryInput in(bytes);
    CzytajNaglowek(in);
    char rest[4];
    ASSERT_EQ(in.read(rest, 4), 4u);
    EXPECT_EQ(std::string(rest, 4), "REST");
}

TEST(FileHeader, FirstWordIsCheckedBeforeTheMark) {
    EXPECT_EQ(refusal(header("LUNET 3.0", "03.03.06.0002", 4097)), "Błędna wersja pliku !");
    EXPECT_EQ(refusal(header("NIC", "NIC", 0)), "Błędna wersja pliku !");
    EXPECT_EQ(refusal(""), "Błędna wersja pliku !");
    EXPECT_EQ(refusal(std::string("\x00\x10\x00", 3)), "Błędna wersja pliku !");
}

TEST(FileHeader, DictionaryVersionMustMatchTheMark) {
    EXPECT_EQ(refusal(header("LUNET 3.1", "03.11.13.0001")), "Błędna wersja słownika !");
    EXPECT_EQ(refusal(header("LUNET 1.0", "03.03.06.0002")), "Błędna wersja słownika !");
    EXPECT_EQ(refusal(header("LUNET 2.0", "")), "Błędna wersja słownika !");
    // A file that ends inside the dictionary version.
    EXPECT_EQ(refusal(header("LUNET 3.0", "03.03.06.0002").substr(0, 20)),
              "Błędna wersja słownika !");
}

TEST(FileHeader, UnknownMarkIsRefused) {
    EXPECT_EQ(refusal(header("LUNET 4.0", "03.03.06.0002")), "Błędny znacznik pliku !");
    EXPECT_EQ(refusal(header("lunet 3.0", "03.03.06.0002")), "Błędny znacznik pliku !");
    EXPECT_EQ(refusal(test::le32(4096)), "Błędny znacznik pliku !");
    // A mark that fills its ten bytes without a terminator is compared within them only.
    std::string unterminated = test::le32(4096) + "LUNET 3.0X" + std::string(14, '\0');
    EXPECT_EQ(refusal(unterminated), "Błędny znacznik pliku !");
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
    for (int version = 1; version <= 3; ++version) {
        MemoryOutput out;
        BufferedWriter writer(out);
        const FileVersion& v = version == 1   ? fileVersion1()
                               : version == 2 ? fileVersion2()
                                              : fileVersion3();
        writeFileHeader(writer, v);
        writer.flush();
        EXPECT_EQ(out.bytes(), test::headerOfVersion(version)) << version;
    }
}

}  // namespace
}  // namespace tavik
