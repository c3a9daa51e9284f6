#include <gtest/gtest.h>

#include <algorithm>

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

TEST(ZapiszDoPlikow, FailureInALaterFileKeepsTheEarlierOnesAndSaysSo) {
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
    EXPECT_EQ(test::listFolder(dir.path()), std::vector<std::string>{"dane_1.rpa"});
    EXPECT_EQ(doc.writtenFiles(), std::vector<std::string>{dir.file("dane_1.rpa")});
}

TEST(ZapiszDoPlikow, FolderThatDoesNotExist) {
    TempDir dir;
    samples::SampleDocument sample(3, applications(1));
    DataRecord3 doc;
    sample.listInto(doc);
    EXPECT_FALSE(doc.ZapiszDoPlikow(dir.file("brak/dane")));
    EXPECT_EQ(doc.lastFailure().text, "Nie można utworzyc pliku!");
    EXPECT_TRUE(doc.writtenFiles().empty());
}

}  // namespace
}  // namespace tavik
