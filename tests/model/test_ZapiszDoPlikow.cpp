#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>

#include "model/ApplicationFile.h"
#include "model/DataRecord3.h"
#include "tests/support/TestStreams.h"
#include "tools/samples/SampleDocuments.h"

namespace tavik {
namespace {

using test::TempDir;

samples::SampleShape applications(int n) {
    samples::SampleShape shape;
    shape.applications = n;
    return shape;
}

TEST(ZapiszDoPlikow, OneFilePerApplicationEachWithTheUndertaking) {
    TempDir dir;
    samples::SampleDocument sample(3, applications(2));
    DataRecord3 doc;
    sample.listInto(doc);
    ASSERT_TRUE(doc.ZapiszDoPlikow(dir.file("dane")));
    EXPECT_EQ(test::listFolder(dir.path()), (std::vector<std::string>{"dane_1.rpa", "dane_2.rpa"}));
    EXPECT_EQ(doc.writtenFiles(),
              (std::vector<std::string>{dir.file("dane_1.rpa"), dir.file("dane_2.rpa")}));
    EXPECT_TRUE(doc.PobierzListe().empty());

    // Together the two files hold every record of the document once, the undertaking twice.
    std::size_t next = 1;  // the sample's records after the undertaking
    for (const char* name : {"dane_1.rpa", "dane_2.rpa"}) {
        auto part = readApplicationFile(dir.file(name), samples::sampleUndertaking());
        EXPECT_EQ(part->version(), 3);
        EXPECT_EQ(part->GetRecordCountWn(), 1);
        std::vector<ReadRecord> records = part->TakeRecords();
        ASSERT_GE(records.size(), 3u);
        EXPECT_EQ(records[0].kind, KIND_ZAKLAD);
        EXPECT_EQ(records[1].kind, KIND_WNIOSEK);
        for (std::size_t i = 1; i < records.size(); ++i, ++next) {
            ASSERT_LT(next, sample.records().size());
            EXPECT_EQ(records[i].kind, sample.kinds()[next]);
            EXPECT_EQ(records[i].record->CRC, sample.records()[next]->CRC);
        }
    }
    EXPECT_EQ(next, sample.records().size());
}

TEST(ZapiszDoPlikow, NamesFollowTheExactExtensionTest) {
    struct Case {
        const char* given;
        const char* first;
    };
    for (const Case& c : {Case{"dane", "dane_1.rpa"}, Case{"dane.rpa", "dane_1.rpa"},
                          Case{"dane.RPA", "dane.RPA_1.rpa"}, Case{"a", "a_1.rpa"}}) {
        TempDir dir;
        samples::SampleDocument sample(3, applications(2));
        DataRecord3 doc;
        sample.listInto(doc);
        ASSERT_TRUE(doc.ZapiszDoPlikow(dir.file(c.given))) << c.given;
        std::string second = c.first;
        second.replace(second.size() - 5, 1, "2");
        EXPECT_EQ(test::listFolder(dir.path()), (std::vector<std::string>{c.first, second}))
            << c.given;
    }
}

TEST(ZapiszDoPlikow, EmptyListWritesNothing) {
    TempDir dir;
    DataRecord3 doc;
    EXPECT_FALSE(doc.ZapiszDoPlikow(dir.file("dane")));
    EXPECT_TRUE(test::listFolder(dir.path()).empty());
}

TEST(ZapiszDoPlikow, RecordBeforeAnyApplicationFailsTheSplit) {
    TempDir dir;
    samples::SampleDocument sample(3, applications(1));
    DataRecord3 doc;
    sample.listInto(doc);
    doc.PobierzListe().erase(std::next(doc.PobierzListe().begin()));  // the application
    EXPECT_FALSE(doc.ZapiszDoPlikow(dir.file("dane")));
    EXPECT_EQ(doc.lastFailure().text,
              "Błędna kolejność rekordów: rekord AGENT występuje przed pierwszym rekordem "
              "WNIOSEK !");
    EXPECT_TRUE(test::listFolder(dir.path()).empty());
    EXPECT_TRUE(doc.PobierzListe().empty());
}

TEST(ZapiszDoPlikow, RecordThatCannotBeWrittenInALaterFileWritesNone) {
    TempDir dir;
    samples::SampleDocument sample(3, applications(3));
    DataRecord3 doc;
    sample.listInto(doc);
    // The second application's agent is of a class version 3 does not store.
    TRecAgenta2 foreign;
    auto agents = std::find_if(doc.PobierzListe().begin(), doc.PobierzListe().end(),
                               [](const _RecData* e) { return e->kind == KIND_AGENT; });
    agents = std::find_if(std::next(agents), doc.PobierzListe().end(),
                          [](const _RecData* e) { return e->kind == KIND_AGENT; });
    (*agents)->record = &foreign;
    EXPECT_FALSE(doc.ZapiszDoPlikow(dir.file("dane")));
    EXPECT_EQ(doc.lastFailure().text, "Nie można zapisać rekordu AGENT w pliku w wersji 3!");
    EXPECT_TRUE(test::listFolder(dir.path()).empty());
    EXPECT_TRUE(doc.writtenFiles().empty());
}

TEST(ZapiszDoPlikow, FolderThatDoesNotExist) {
    TempDir dir;
    samples::SampleDocument sample(3, applications(1));
    DataRecord3 doc;
    sample.listInto(doc);
    EXPECT_FALSE(doc.ZapiszDoPlikow(dir.file("brak/dane")));
    EXPECT_EQ(doc.lastFailure().text,
              "Nie można utworzyc pliku!\nPlik: " + dir.file("brak/dane_1.rpa") +
                  "\nPrzyczyna: katalog nie istnieje");
    EXPECT_EQ(doc.lastFailure().icon, MessageIcon::Error);
    EXPECT_TRUE(doc.writtenFiles().empty());
}

// ---- All or nothing ----------------------------------------------------------------------

// Three parts of an earlier split, each holding its own text.
void writeOldParts(const TempDir& dir) {
    for (int part = 1; part <= 3; ++part)
        test::writeFile(dir.file("dane_" + std::to_string(part) + ".rpa"),
                        "OLD " + std::to_string(part));
}

void expectOldParts(const TempDir& dir) {
    EXPECT_EQ(test::listFolder(dir.path()),
              (std::vector<std::string>{"dane_1.rpa", "dane_2.rpa", "dane_3.rpa"}));
    for (int part = 1; part <= 3; ++part)
        EXPECT_EQ(test::readFile(dir.file("dane_" + std::to_string(part) + ".rpa")),
                  "OLD " + std::to_string(part))
            << part;
}

std::string writeFailure(const TempDir& dir, int part, const std::string& reason) {
    return "Nie zapisać danych do pliku!\nProszę sprawdzic uprawnienia.\nPlik: " +
           dir.file("dane_" + std::to_string(part) + ".rpa") + "\nPrzyczyna: " + reason;
}

// A full disk at any file: every old part stays byte for byte, no new part and no temporary
// file is left, and the message says which file and why.
TEST(ZapiszDoPlikow, DiskFullAtAnyFileLeavesEveryOldFile) {
    for (int failing = 1; failing <= 3; ++failing) {
        SCOPED_TRACE(failing);
        TempDir dir;
        writeOldParts(dir);
        samples::SampleDocument sample(3, applications(3));
        DataRecord3 doc;
        sample.listInto(doc);
        test::FaultyFileSystem system;
        system.failWritesToFile = failing;
        EXPECT_FALSE(doc.ZapiszDoPlikow(dir.file("dane")));
        EXPECT_EQ(doc.lastFailure().text, writeFailure(dir, failing, "brak miejsca na dysku"));
        EXPECT_EQ(doc.lastFailure().caption, "Ostrzeżenie");
        EXPECT_EQ(doc.lastFailure().icon, MessageIcon::Warning);
        EXPECT_EQ(system.temporariesMade(), failing);  // nothing after the failure is written
        EXPECT_TRUE(doc.writtenFiles().empty());
        EXPECT_TRUE(doc.PobierzListe().empty());
        expectOldParts(dir);
        // Nothing was renamed: the targets are replaced only once every file is written.
        EXPECT_TRUE(std::find(system.log.begin(), system.log.end(), "rename") == system.log.end());
        EXPECT_TRUE(std::find(system.log.begin(), system.log.end(), "exchange") ==
                    system.log.end());
    }
}

TEST(ZapiszDoPlikow, DiskFullWithoutOldFilesLeavesTheFolderEmpty) {
    TempDir dir;
    samples::SampleDocument sample(3, applications(3));
    DataRecord3 doc;
    sample.listInto(doc);
    test::FaultyFileSystem system;
    system.failWritesToFile = 3;
    EXPECT_FALSE(doc.ZapiszDoPlikow(dir.file("dane")));
    EXPECT_EQ(doc.lastFailure().text, writeFailure(dir, 3, "brak miejsca na dysku"));
    EXPECT_TRUE(test::listFolder(dir.path()).empty());
}

// A target that cannot be replaced once all are written: those replaced before it are put
// back, whether they replaced an old file (parts 1 and 3) or made a new one (parts 2 and 4).
TEST(ZapiszDoPlikow, ReplacementFailingHalfWayPutsTheEarlierOnesBack) {
    for (int failing = 1; failing <= 4; ++failing) {
        SCOPED_TRACE(failing);
        TempDir dir;
        test::writeFile(dir.file("dane_1.rpa"), "OLD 1");
        test::writeFile(dir.file("dane_3.rpa"), "OLD 3");
        samples::SampleDocument sample(3, applications(4));
        DataRecord3 doc;
        sample.listInto(doc);
        test::FaultyFileSystem system;
        system.failReplacement = failing;
        system.error = EIO;
        EXPECT_FALSE(doc.ZapiszDoPlikow(dir.file("dane")));
        EXPECT_EQ(doc.lastFailure().text, writeFailure(dir, failing, "błąd wejścia/wyjścia"));
        EXPECT_EQ(test::listFolder(dir.path()),
                  (std::vector<std::string>{"dane_1.rpa", "dane_3.rpa"}));
        EXPECT_EQ(test::readFile(dir.file("dane_1.rpa")), "OLD 1");
        EXPECT_EQ(test::readFile(dir.file("dane_3.rpa")), "OLD 3");
        EXPECT_TRUE(doc.writtenFiles().empty());
    }
}

TEST(ZapiszDoPlikow, SuccessReplacesEveryOldFileAndSyncsTheFolderOnce) {
    TempDir dir;
    writeOldParts(dir);
    test::writeFile(dir.file("dane_2.rpa.tmp-Ab3xY9"), "LEFT BY A KILLED SPLIT");
    test::writeFile(dir.file("dane_20.rpa.tmp-Ab3xY9"), "NOT OF THIS SPLIT");
    samples::SampleDocument sample(3, applications(4));
    DataRecord3 expected;
    sample.listInto(expected);
    TempDir reference;
    ASSERT_TRUE(expected.ZapiszDoPlikow(reference.file("dane")));

    DataRecord3 doc;
    sample.listInto(doc);
    test::FaultyFileSystem system;
    ASSERT_TRUE(doc.ZapiszDoPlikow(dir.file("dane")));
    EXPECT_EQ(test::listFolder(dir.path()),
              (std::vector<std::string>{"dane_1.rpa", "dane_2.rpa", "dane_20.rpa.tmp-Ab3xY9",
                                        "dane_3.rpa", "dane_4.rpa"}));
    for (const char* name : {"dane_1.rpa", "dane_2.rpa", "dane_3.rpa", "dane_4.rpa"})
        EXPECT_EQ(test::readFile(dir.file(name)), test::readFile(reference.file(name))) << name;
    EXPECT_EQ(std::count(system.log.begin(), system.log.end(), "syncFolder"), 1);
    EXPECT_EQ(system.log.back(), "remove");  // the stale temporary file, after the sync
}

TEST(ZapiszDoPlikow, FolderThatCannotBeSyncedFailsTheSplitWithTheNewFilesInPlace) {
    TempDir dir;
    writeOldParts(dir);
    samples::SampleDocument sample(3, applications(3));
    DataRecord3 doc;
    sample.listInto(doc);
    test::FaultyFileSystem system;
    system.failFolderSync = true;
    system.error = EIO;
    EXPECT_FALSE(doc.ZapiszDoPlikow(dir.file("dane")));
    EXPECT_EQ(doc.lastFailure().text,
              writeFailure(dir, 1,
                           "nie udało się utrwalić na dysku zmian w katalogu " + dir.path() +
                               ": błąd wejścia/wyjścia"));
    EXPECT_EQ(test::listFolder(dir.path()),
              (std::vector<std::string>{"dane_1.rpa", "dane_2.rpa", "dane_3.rpa"}));
    EXPECT_NE(test::readFile(dir.file("dane_1.rpa")), "OLD 1");
}

}  // namespace
}  // namespace tavik
