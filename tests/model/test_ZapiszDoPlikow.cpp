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
using Names = std::vector<std::string>;

// A version-3 document of n applications to split into a folder of its own.
struct Split {
    explicit Split(int n) : sample(3, shape(n)) { sample.listInto(doc); }
    static samples::SampleShape shape(int n) {
        samples::SampleShape s;
        s.applications = n;
        return s;
    }
    bool into(const std::string& base = "dane") { return doc.ZapiszDoPlikow(dir.file(base)); }
    Names folder() const { return test::listFolder(dir.path()); }
    std::string part(int n) const { return dir.file("dane_" + std::to_string(n) + ".rpa"); }
    // Three parts of an earlier split, each holding its own text.
    void writeOldParts() {
        for (int n = 1; n <= 3; ++n)
            test::writeFile(part(n), "OLD " + std::to_string(n));
    }
    UserMessage writeFailure(int n, const std::string& reason) const {
        return {"Nie zapisać danych do pliku!\nProszę sprawdzic uprawnienia.\nPlik: " + part(n) +
                    "\nPrzyczyna: " + reason,
                "Ostrzeżenie", MessageIcon::Warning};
    }

    TempDir dir;
    samples::SampleDocument sample;
    DataRecord3 doc;
};

TEST(ZapiszDoPlikow, OneFilePerApplicationEachWithTheUndertaking) {
    Split s(2);
    ASSERT_TRUE(s.into());
    EXPECT_EQ(s.folder(), (Names{"dane_1.rpa", "dane_2.rpa"}));
    EXPECT_EQ(s.doc.writtenFiles(), (Names{s.part(1), s.part(2)}));
    EXPECT_TRUE(s.doc.PobierzListe().empty());

    // Together the two files hold every record of the document once, the undertaking twice.
    std::size_t next = 1;  // the sample's records after the undertaking
    for (int n : {1, 2}) {
        auto part = readApplicationFile(s.part(n), samples::sampleUndertaking());
        EXPECT_EQ(part->version(), 3);
        EXPECT_EQ(part->GetRecordCountWn(), 1);
        std::vector<ReadRecord> records = part->TakeRecords();
        ASSERT_GE(records.size(), 3u);
        EXPECT_EQ(records[0].kind, KIND_ZAKLAD);
        EXPECT_EQ(records[1].kind, KIND_WNIOSEK);
        for (std::size_t i = 1; i < records.size(); ++i, ++next) {
            ASSERT_LT(next, s.sample.records().size());
            EXPECT_EQ(records[i].kind, s.sample.kinds()[next]);
            EXPECT_EQ(records[i].record->CRC, s.sample.records()[next]->CRC);
        }
    }
    EXPECT_EQ(next, s.sample.records().size());
}

TEST(ZapiszDoPlikow, NamesFollowTheExactExtensionTest) {
    const std::pair<const char*, Names> cases[] = {
        {"dane", {"dane_1.rpa", "dane_2.rpa"}},
        {"dane.rpa", {"dane_1.rpa", "dane_2.rpa"}},
        {"dane.RPA", {"dane.RPA_1.rpa", "dane.RPA_2.rpa"}},
        {"a", {"a_1.rpa", "a_2.rpa"}},
    };
    for (const auto& [given, names] : cases) {
        Split s(2);
        ASSERT_TRUE(s.into(given)) << given;
        EXPECT_EQ(s.folder(), names) << given;
    }
}

TEST(ZapiszDoPlikow, EmptyListWritesNothing) {
    TempDir dir;
    DataRecord3 doc;
    EXPECT_FALSE(doc.ZapiszDoPlikow(dir.file("dane")));
    EXPECT_TRUE(test::listFolder(dir.path()).empty());
}

TEST(ZapiszDoPlikow, RecordBeforeAnyApplicationFailsTheSplit) {
    Split s(1);
    s.doc.PobierzListe().erase(std::next(s.doc.PobierzListe().begin()));  // the application
    EXPECT_FALSE(s.into());
    EXPECT_EQ(s.doc.lastFailure().text,
              "Błędna kolejność rekordów: rekord AGENT występuje przed pierwszym rekordem "
              "WNIOSEK !");
    EXPECT_TRUE(s.folder().empty());
    EXPECT_TRUE(s.doc.PobierzListe().empty());
}

TEST(ZapiszDoPlikow, RecordThatCannotBeWrittenInALaterFileWritesNone) {
    Split s(3);
    // The second application's agent is of a class version 3 does not store.
    TRecAgenta2 foreign;
    const auto agent = [](const _RecData* e) { return e->kind == KIND_AGENT; };
    auto& list = s.doc.PobierzListe();
    (*std::find_if(std::next(std::find_if(list.begin(), list.end(), agent)), list.end(), agent))
        ->record = &foreign;
    EXPECT_FALSE(s.into());
    EXPECT_EQ(s.doc.lastFailure().text, "Nie można zapisać rekordu AGENT w pliku w wersji 3!");
    EXPECT_TRUE(s.folder().empty());
    EXPECT_TRUE(s.doc.writtenFiles().empty());
}

TEST(ZapiszDoPlikow, FolderThatDoesNotExist) {
    Split s(1);
    EXPECT_FALSE(s.into("brak/dane"));
    EXPECT_EQ(s.doc.lastFailure(),
              (UserMessage{"Nie można utworzyc pliku!\nPlik: " + s.dir.file("brak/dane_1.rpa") +
                               "\nPrzyczyna: katalog nie istnieje",
                           "Ostrzeżenie", MessageIcon::Error}));
    EXPECT_TRUE(s.doc.writtenFiles().empty());
}

// ---- All or nothing ----------------------------------------------------------------------

// A full disk at any file: every old part stays byte for byte, no new part and no temporary
// file is left, and the message says which file and why. Without old parts the folder stays
// empty.
TEST(ZapiszDoPlikow, DiskFullAtAnyFileLeavesEveryOldFile) {
    for (bool old : {true, false})
        for (int failing = 1; failing <= 3; ++failing) {
            SCOPED_TRACE(failing);
            Split s(3);
            if (old) s.writeOldParts();
            test::FaultyFileSystem system;
            system.failWritesToFile = failing;
            EXPECT_FALSE(s.into());
            EXPECT_EQ(s.doc.lastFailure(), s.writeFailure(failing, "brak miejsca na dysku"));
            EXPECT_EQ(system.temporariesMade(), failing);  // nothing after the failure is written
            EXPECT_TRUE(s.doc.writtenFiles().empty());
            EXPECT_TRUE(s.doc.PobierzListe().empty());
            EXPECT_EQ(s.folder(),
                      old ? (Names{"dane_1.rpa", "dane_2.rpa", "dane_3.rpa"}) : Names{});
            for (int n = 1; old && n <= 3; ++n)
                EXPECT_EQ(test::readFile(s.part(n)), "OLD " + std::to_string(n));
            // Nothing was renamed: the targets are replaced only once every file is written.
            EXPECT_EQ(std::count(system.log.begin(), system.log.end(), "rename") +
                          std::count(system.log.begin(), system.log.end(), "exchange"),
                      0);
        }
}

// A target that cannot be replaced once all are written: those replaced before it are put
// back, whether they replaced an old file (parts 1 and 3) or made a new one (parts 2 and 4).
TEST(ZapiszDoPlikow, ReplacementFailingHalfWayPutsTheEarlierOnesBack) {
    for (int failing = 1; failing <= 4; ++failing) {
        SCOPED_TRACE(failing);
        Split s(4);
        test::writeFile(s.part(1), "OLD 1");
        test::writeFile(s.part(3), "OLD 3");
        test::FaultyFileSystem system;
        system.failReplacement = failing;
        system.error = EIO;
        EXPECT_FALSE(s.into());
        EXPECT_EQ(s.doc.lastFailure(), s.writeFailure(failing, "błąd wejścia/wyjścia"));
        EXPECT_EQ(s.folder(), (Names{"dane_1.rpa", "dane_3.rpa"}));
        EXPECT_EQ(test::readFile(s.part(1)) + test::readFile(s.part(3)), "OLD 1OLD 3");
        EXPECT_TRUE(s.doc.writtenFiles().empty());
    }
}

TEST(ZapiszDoPlikow, SuccessReplacesEveryOldFileAndSyncsTheFolderOnce) {
    Split s(4), reference(4);
    ASSERT_TRUE(reference.into());
    s.writeOldParts();
    test::writeFile(s.dir.file("dane_2.rpa.tmp-Ab3xY9"), "LEFT BY A KILLED SPLIT");
    test::writeFile(s.dir.file("dane_20.rpa.tmp-Ab3xY9"), "NOT OF THIS SPLIT");
    test::FaultyFileSystem system;
    ASSERT_TRUE(s.into());
    EXPECT_EQ(s.folder(), (Names{"dane_1.rpa", "dane_2.rpa", "dane_20.rpa.tmp-Ab3xY9", "dane_3.rpa",
                                 "dane_4.rpa"}));
    for (int n = 1; n <= 4; ++n)
        EXPECT_EQ(test::readFile(s.part(n)), test::readFile(reference.part(n))) << n;
    EXPECT_EQ(std::count(system.log.begin(), system.log.end(), "syncFolder"), 1);
    EXPECT_EQ(system.log.back(), "remove");  // the stale temporary file, after the sync
}

TEST(ZapiszDoPlikow, FolderThatCannotBeSyncedFailsTheSplitWithTheNewFilesInPlace) {
    Split s(3);
    s.writeOldParts();
    test::FaultyFileSystem system;
    system.failFolderSync = true;
    system.error = EIO;
    EXPECT_FALSE(s.into());
    EXPECT_EQ(s.doc.lastFailure(),
              s.writeFailure(1, "nie udało się utrwalić na dysku zmian w katalogu " + s.dir.path() +
                                    ": błąd wejścia/wyjścia"));
    EXPECT_EQ(s.folder(), (Names{"dane_1.rpa", "dane_2.rpa", "dane_3.rpa"}));
    EXPECT_NE(test::readFile(s.part(1)), "OLD 1");
}

}  // namespace
}  // namespace tavik
