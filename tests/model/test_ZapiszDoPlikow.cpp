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
    // The folder's files with their texts, "name:text" each on a line.
    std::string files() const {
        std::string out;
        for (const std::string& name : folder())
            out += name + ":" + test::readFile(dir.file(name)) + "\n";
        return out;
    }
    std::string part(int n) const { return dir.file("dane_" + std::to_string(n) + ".rpa"); }
    // Parts of an earlier split ("13": the first and the third), each holding its own text.
    void writeOld(const std::string& parts = "123") {
        for (char n : parts)
            test::writeFile(part(n - '0'), std::string("OLD ") + n);
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

// A split that cannot be made writes no file, and says why: an empty list (nothing to say), a
// record before any application, an agent in a later file of a class version 3 does not store,
// a folder that does not exist.
TEST(ZapiszDoPlikow, SplitThatCannotBeMadeWritesNoFile) {
    Split empty(1), early(1), foreign(3), missing(1);
    auto& list = foreign.doc.PobierzListe();
    const auto agent = [](const _RecData* e) { return e->kind == KIND_AGENT; };
    TRecAgenta2 older;
    (*std::find_if(std::next(std::find_if(list.begin(), list.end(), agent)), list.end(), agent))
        ->record = &older;
    empty.doc.PobierzListe().clear();
    early.doc.PobierzListe().erase(std::next(early.doc.PobierzListe().begin()));
    const std::pair<Split*, UserMessage> cases[] = {
        {&empty, {}},
        {&early,
         {"Błędna kolejność rekordów: rekord AGENT występuje przed pierwszym rekordem WNIOSEK !",
          "Ostrzeżenie", MessageIcon::Error}},
        {&foreign,
         {"Nie można zapisać rekordu AGENT w pliku w wersji 3!", "Ostrzeżenie",
          MessageIcon::Error}},
        {&missing,
         {"Nie można utworzyc pliku!\nPlik: " + missing.dir.file("brak/dane_1.rpa") +
              "\nPrzyczyna: katalog nie istnieje",
          "Ostrzeżenie", MessageIcon::Error}},
    };
    for (const auto& [s, failure] : cases) {
        SCOPED_TRACE(failure.text);
        EXPECT_FALSE(s->into(s == &missing ? "brak/dane" : "dane"));
        EXPECT_EQ(s->doc.lastFailure(), failure);
        EXPECT_TRUE(s->folder().empty());
        EXPECT_TRUE(s->doc.writtenFiles().empty());
        EXPECT_TRUE(s->doc.PobierzListe().empty());
    }
}

// ---- All or nothing ----------------------------------------------------------------------

// A fault at any step fails the split, names the file and the reason, and leaves nothing listed
// and no temporary file. A full disk at any file leaves every old part (or an empty folder): no
// later file is written, nothing is renamed, swapped or synced. A target that cannot be
// replaced once all are written puts back those replaced before it, whether they replaced an
// old file (parts 1 and 3) or made a new one (parts 2 and 4). A folder that cannot be synced
// leaves the new files in place.
TEST(ZapiszDoPlikow, FaultAtAnyStepFailsTheSplit) {
    Split reference(3);
    ASSERT_TRUE(reference.into());
    const std::string full = "brak miejsca na dysku", io = "błąd wejścia/wyjścia",
                      old123 = "dane_1.rpa:OLD 1\ndane_2.rpa:OLD 2\ndane_3.rpa:OLD 3\n";
    struct Case {
        int applications;
        std::string oldParts;
        int writes, replacement;
        bool sync;
        std::string files;
    };
    std::vector<Case> cases;
    for (int n = 1; n <= 3; ++n) {
        cases.push_back({3, "123", n, 0, false, old123});
        cases.push_back({3, "", n, 0, false, ""});
    }
    for (int n = 1; n <= 4; ++n)
        cases.push_back({4, "13", 0, n, false, "dane_1.rpa:OLD 1\ndane_3.rpa:OLD 3\n"});
    cases.push_back({3, "123", 0, 0, true, reference.files()});
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.oldParts << " " << c.writes << c.replacement << c.sync);
        Split s(c.applications);
        s.writeOld(c.oldParts);
        test::FaultyFileSystem system;
        system.failWritesToFile = c.writes;
        system.failReplacement = c.replacement;
        system.failFolderSync = c.sync;
        if (!c.writes) system.error = EIO;
        EXPECT_FALSE(s.into());
        const std::string reason = c.writes ? full
                                   : c.sync ? "nie udało się utrwalić na dysku zmian w katalogu " +
                                                  s.dir.path() + ": " + io
                                            : io;
        EXPECT_EQ(s.doc.lastFailure(), s.writeFailure(c.writes + c.replacement + c.sync, reason));
        EXPECT_TRUE(s.doc.writtenFiles().empty());
        EXPECT_TRUE(s.doc.PobierzListe().empty());
        EXPECT_EQ(s.files(), c.files);
        EXPECT_EQ(system.temporariesMade(), c.writes ? c.writes : c.applications);
        if (c.writes) {
            EXPECT_EQ(system.log, Names{});
        }
    }
}

TEST(ZapiszDoPlikow, SuccessReplacesEveryOldFileAndSyncsTheFolderOnce) {
    Split s(4), reference(4);
    ASSERT_TRUE(reference.into());
    s.writeOld();
    test::writeFile(s.dir.file("dane_2.rpa.tmp-Ab3xY9"), "LEFT BY A KILLED SPLIT");
    test::writeFile(s.dir.file("dane_20.rpa.tmp-Ab3xY9"), "NOT OF THIS SPLIT");
    test::FaultyFileSystem system;
    ASSERT_TRUE(s.into());
    std::string expected = reference.files();
    expected.insert(expected.find("dane_3.rpa:"), "dane_20.rpa.tmp-Ab3xY9:NOT OF THIS SPLIT\n");
    EXPECT_EQ(s.files(), expected);
    EXPECT_EQ(std::count(system.log.begin(), system.log.end(), "syncFolder"), 1);
    EXPECT_EQ(system.log.back(), "remove");  // the stale temporary file, after the sync
}

}  // namespace
}  // namespace tavik
