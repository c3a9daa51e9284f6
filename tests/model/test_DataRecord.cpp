#include <gtest/gtest.h>

#include "model/ApplicationFile.h"
#include "model/DataRecord.h"
#include "model/DataRecord3.h"
#include "model/Exception.h"
#include "model/FileHeader.h"
#include "tests/support/RpaBytes.h"
#include "tests/support/RpaFileBuilder.h"
#include "tests/support/TestStreams.h"
#include "tools/samples/SampleDocuments.h"

namespace tavik {
namespace {

using test::RpaFileBuilder;
using test::u8;

template <int V>
struct Version {
    static constexpr int value = V;
};

// One base for the three file versions.
template <class T>
class DataRecordTest : public ::testing::Test {
protected:
    static constexpr int kVersion = T::value;

    std::unique_ptr<DataRecord> document(const TRecZU& configured = test::builderUndertaking()) {
        auto doc = makeDocumentOfVersion(kVersion);
        doc->ZakladWzorcowy = std::make_unique<TRecZU>(configured);
        return doc;
    }

    // Reads records (without a header) into a fresh document.
    std::unique_ptr<DataRecord> read(const std::string& records,
                                     const TRecZU& configured = test::builderUndertaking()) {
        auto doc = document(configured);
        EXPECT_TRUE(doc->CzytajPlik(std::make_unique<MemoryInput>(keep(records))));
        return doc;
    }

    // The message a damaged file is refused with.
    std::string refusal(const std::string& records,
                        const TRecZU& configured = test::builderUndertaking()) {
        auto doc = document(configured);
        try {
            doc->CzytajPlik(std::make_unique<MemoryInput>(keep(records)));
        } catch (const Exception& e) {
            accepted_ = doc->PobierzListe().size();
            return e.message();
        }
        return "(accepted)";
    }

    // The sample listed into a fresh document (the sample keeps the records).
    std::unique_ptr<DataRecord> listed(samples::SampleDocument& sample) {
        auto doc = makeDocumentOfVersion(kVersion);
        sample.listInto(*doc);
        return doc;
    }

    // Written by the document under test to memory.
    std::string written(samples::SampleDocument& sample) {
        auto doc = listed(sample);
        MemoryOutput out;
        EXPECT_TRUE(doc->ZapiszDoStrumienia(out));
        return out.bytes();
    }

    RpaFileBuilder builder() { return RpaFileBuilder(kVersion); }
    // A file with one application and one record of every kind the version has.
    RpaFileBuilder fullApplication() {
        RpaFileBuilder b(kVersion);
        b.zaklad();
        b.wniosek();
        b.agent();
        for (RecordKind kind : {KIND_POLISA, KIND_PELNOMOCNICTWO, KIND_PRACOWNIK, KIND_ZARZAD})
            if (kind != KIND_ZARZAD || kVersion > 1) add(b, kind);
        return b;
    }
    static void add(RpaFileBuilder& b, RecordKind kind) {
        if (kind == KIND_POLISA) b.polisa();
        if (kind == KIND_PELNOMOCNICTWO) b.pelnomocnictwo();
        if (kind == KIND_PRACOWNIK) b.pracownik();
        if (kind == KIND_ZARZAD) b.zarzad();
    }

    const std::string& keep(const std::string& bytes) { return kept_.emplace_back(bytes); }

    std::size_t accepted_ = 0;
    std::deque<std::string> kept_;
};

using Versions = ::testing::Types<Version<1>, Version<2>, Version<3>>;
TYPED_TEST_SUITE(DataRecordTest, Versions);

// ---- Reading what was written ----------------------------------------------------------

TYPED_TEST(DataRecordTest, RoundTripKeepsEveryFieldChecksumAndLink) {
    samples::SampleShape shape;
    shape.applications = 4;
    samples::SampleDocument sample(this->kVersion, shape, 77);
    const std::string bytes = this->written(sample);

    MemoryInput in(bytes);
    auto doc = readApplicationFile(in, samples::sampleUndertaking());
    EXPECT_EQ(doc->version(), this->kVersion);
    EXPECT_EQ(doc->GetRecordCountWn(), 4);
    std::vector<ReadRecord> read = doc->TakeRecords();
    EXPECT_TRUE(doc->PobierzListe().empty());
    ASSERT_EQ(read.size(), sample.records().size());

    TRecWniosek* application = nullptr;
    TRecAgenta* agent = nullptr;
    for (std::size_t i = 0; i < read.size(); ++i) {
        const TRecord& original = *sample.records()[i];
        const TRecord& back = *read[i].record;
        SCOPED_TRACE("record " + std::to_string(i) + " " + back.TypRekordu.str());
        EXPECT_EQ(read[i].kind, sample.kinds()[i]);
        EXPECT_EQ(typeid(back), typeid(original));
        EXPECT_EQ(back.CRC, original.CRC);
        const auto a = original.fields(), b = back.fields();
        ASSERT_EQ(a.size(), b.size());
        for (std::size_t f = 0; f < a.size(); ++f)
            EXPECT_EQ(b[f].field->view(), a[f].field->view()) << a[f].name;

        switch (read[i].kind) {
            case KIND_WNIOSEK:
                application = static_cast<TRecWniosek*>(read[i].record.get());
                EXPECT_EQ(application->Zaklad, read[0].record.get());
                EXPECT_EQ(application->RodzajWniosku,
                          static_cast<const TRecWniosek&>(original).RodzajWniosku);
                break;
            case KIND_AGENT:
                agent = static_cast<TRecAgenta*>(read[i].record.get());
                EXPECT_EQ(agent->Wniosek, application);
                EXPECT_EQ(application->Agent, agent);
                break;
            case KIND_POLISA:
                EXPECT_EQ(static_cast<TRecPolisaOC&>(*read[i].record).Agent, agent);
                break;
            case KIND_PELNOMOCNICTWO:
                EXPECT_EQ(static_cast<TRecPelnomocnictwo&>(*read[i].record).Agent, agent);
                break;
            default:
                if (read[i].kind != KIND_ZAKLAD) {
                    EXPECT_EQ(static_cast<TRecOsoba&>(*read[i].record).Agent, agent);
                }
        }
    }
}

TYPED_TEST(DataRecordTest, WriterLaysDownTheFileOrderAndTheStoredChecksums) {
    RpaFileBuilder expected = this->fullApplication();
    const std::string golden = expected.file();
    // The golden file reads; what is read, written again, gives the very same bytes.
    MemoryInput in(golden);
    auto doc = readApplicationFile(in, test::builderUndertaking());
    std::vector<ReadRecord> records = doc->TakeRecords();
    std::deque<_RecData> entries;
    for (auto& r : records) {
        entries.push_back({r.record.get(), r.kind, 0});
        doc->PobierzListe().push_back(&entries.back());
    }
    MemoryOutput out;
    ASSERT_TRUE(doc->ZapiszDoStrumienia(out));
    EXPECT_EQ(out.bytes(), golden);
}

TYPED_TEST(DataRecordTest, HeaderAloneIsAnEmptyDocumentAndNoFileIsFalse) {
    const std::string bytes = test::headerOfVersion(this->kVersion);
    MemoryInput in(bytes);
    auto doc = readApplicationFile(in, test::builderUndertaking());
    EXPECT_TRUE(doc->PobierzListe().empty());
    EXPECT_FALSE(doc->CzytajPlik(nullptr));
}

TYPED_TEST(DataRecordTest, ApplicationKindsAndLinks) {
    RpaFileBuilder b = this->builder();
    b.zaklad();
    b.wniosek("WPIS", "1");
    b.wniosek("AKTUALIZACJA", "2");
    b.wniosek("WYKREŚLENIE", "3");
    b.agent();
    b.pracownik();
    auto doc = this->read(b.records());
    std::vector<_RecData*> list(doc->PobierzListe().begin(), doc->PobierzListe().end());
    ASSERT_EQ(list.size(), 6u);
    auto* zaklad = static_cast<TRecZU*>(list[0]->record);
    std::vector<int> kinds;
    for (int i = 1; i <= 3; ++i) {
        auto* w = static_cast<TRecWniosek*>(list[i]->record);
        kinds.push_back(w->RodzajWniosku);
        EXPECT_EQ(w->Zaklad, zaklad);
    }
    EXPECT_EQ(kinds, (std::vector<int>{0, 1, 2}));
    auto* agent = static_cast<TRecAgenta*>(list[4]->record);
    EXPECT_EQ(agent->Wniosek, list[3]->record);  // the last application before it
    EXPECT_EQ(static_cast<TRecWniosek*>(list[3]->record)->Agent, agent);
    EXPECT_EQ(static_cast<TRecWniosek*>(list[1]->record)->Agent, nullptr);
    EXPECT_EQ(static_cast<TRecPracownik*>(list[5]->record)->Agent, agent);
    for (_RecData* e : list)
        EXPECT_EQ(e->struck, 0);
    EXPECT_EQ(doc->GetRecordCountWn(), 3);
}

TYPED_TEST(DataRecordTest, FieldEndsAtItsFirstNulByte) {
    RpaFileBuilder b = this->builder();
    b.zaklad();
    TRecWniosek& w = b.wniosek();
    w.Komentarz = "AB";
    b.reseal();  // the checksum covers what is read: "AB"
    std::string records = b.records();
    const std::string stored = test::field("AB");
    const auto at = records.find(stored);
    ASSERT_NE(at, std::string::npos);
    records.replace(at, stored.size(), test::le16(5) + std::string("AB\0CD", 5));
    auto doc = this->read(records);
    auto* back = static_cast<TRecWniosek*>(doc->PobierzListe().back()->record);
    EXPECT_EQ(back->Komentarz.view(), "AB");
    EXPECT_EQ(back->Komentarz.length(), 2);
}

// A tag is a terminated string: NUL padding ends it early, one whose first byte is NUL is
// empty, and an empty tag ends the file whatever its stored length and whatever follows it.
TYPED_TEST(DataRecordTest, TagEndsAtItsFirstNulAndAnEmptyTagEndsTheRecords) {
    RpaFileBuilder padded = this->builder();
    padded.zaklad();
    std::string records = padded.records();
    records.replace(0, 5, test::le16(5) + std::string("ZKL\0\0", 5));
    EXPECT_EQ(this->read(records)->PobierzListe().size(), 1u);

    for (std::uint16_t length = 0; length <= 5; ++length) {
        SCOPED_TRACE(length);
        RpaFileBuilder b = this->builder();
        b.zaklad();
        b.wniosek();
        b.agent();
        b.raw(test::le16(length) + std::string("\0WNI\0", length));
        b.raw("whatever follows is not read");
        auto doc = this->read(b.records());
        EXPECT_EQ(doc->PobierzListe().size(), 3u);
        EXPECT_EQ(doc->GetRecordCountWn(), 1);

        // A stored file that ends this way opens with the records before the tag.
        MemoryInput in(this->keep(b.file()));
        auto opened = readApplicationFile(in, test::builderUndertaking());
        EXPECT_EQ(opened->version(), this->kVersion);
        EXPECT_EQ(opened->PobierzListe().size(), 3u);
    }
    // As the first tag of the file: an empty document.
    EXPECT_TRUE(this->read(test::le16(3) + std::string("\0KL", 3))->PobierzListe().empty());
}

// ---- The undertaking ---------------------------------------------------------------------

TYPED_TEST(DataRecordTest, ForeignUndertakingCodeIsRefused) {
    RpaFileBuilder b = this->builder();
    b.zaklad("KRM");
    EXPECT_EQ(this->refusal(b.records()), "Błędny KOD lub NAZWA ZAKŁADU!");
    EXPECT_EQ(this->accepted_, 0u);
}

TYPED_TEST(DataRecordTest, UndertakingNameIsComparedOnlyWhereTheFileStoresIt) {
    RpaFileBuilder b = this->builder();
    b.zaklad("JSK", "INNA NAZWA TEGO SAMEGO ZAKŁADU");
    b.wniosek();
    if (this->kVersion == 1) {
        EXPECT_EQ(this->refusal(b.records()), "Błędny KOD lub NAZWA ZAKŁADU!");
    } else {
        auto doc = this->read(b.records());
        auto* zaklad = static_cast<TRecZU*>(doc->PobierzListe().front()->record);
        EXPECT_EQ(zaklad->NazwaZU, test::builderUndertaking().NazwaZU);
    }
}

// ---- Every refusal -----------------------------------------------------------------------

TYPED_TEST(DataRecordTest, ChecksumOfEachRecordNamesItsApplication) {
    const auto damaged = [this](RecordKind kind) {
        RpaFileBuilder b = this->builder();
        b.zaklad();
        if (kind == KIND_ZAKLAD) return b.corrupt(), this->refusal(b.records());
        // A first application, so that the number must be the one of the last application.
        b.wniosek("WPIS", "6/KRAKÓW");
        b.agent();
        b.wniosek("WPIS", "7/ŁÓDŹ");
        if (kind != KIND_WNIOSEK) b.agent();
        this->add(b, kind);
        b.corrupt();
        const std::string message = this->refusal(b.records());
        EXPECT_EQ(this->accepted_, kind == KIND_WNIOSEK ? 3u : kind == KIND_AGENT ? 4u : 5u);
        return message;
    };
    EXPECT_EQ(damaged(KIND_ZAKLAD), "Błędna suma kontrolna dla rekordu ZAKLAD UBEZPIECZEŃ!");
    EXPECT_EQ(damaged(KIND_WNIOSEK),
              "Błędna suma kontrolna dla rekordu WNIOSEK\nWNIOSEK NR:7/ŁÓDŹ");
    EXPECT_EQ(damaged(KIND_AGENT), "Błędna suma kontrolna dla rekordu AGENT\nWNIOSEK NR: 7/ŁÓDŹ");
    EXPECT_EQ(damaged(KIND_POLISA), "Błędna suma kontrolna dla rekordu POLISA\nWNIOSEK NR:7/ŁÓDŹ");
    EXPECT_EQ(damaged(KIND_PELNOMOCNICTWO),
              "Błędna suma kontrolna dla rekordu PELNOMOCNICTWO\nWNIOSEK NR: 7/ŁÓDŹ");
    EXPECT_EQ(damaged(KIND_PRACOWNIK),
              "Błędna suma kontrolna dla rekordu PRACOWNIK\nWNIOSEK NR: 7/ŁÓDŹ");
    if (this->kVersion > 1) {
        EXPECT_EQ(damaged(KIND_ZARZAD),
                  "Błędna suma kontrolna dla rekordu CZŁ. ZARZĄDU\nWNIOSEK NR: 7/ŁÓDŹ");
    }
}

TYPED_TEST(DataRecordTest, ApplicationKindMustBeOneOfTheThree) {
    for (const char* kind : {"wpis", "NOWY", "WYKRESLENIE", "<E>"}) {
        RpaFileBuilder b = this->builder();
        b.zaklad();
        b.wniosek(kind, "3/2026");
        EXPECT_EQ(this->refusal(b.records()), "Błędny rodzaj operacji dla wniosku nr: 3/2026")
            << kind;
        b.corrupt();  // the kind is checked before the checksum
        EXPECT_EQ(this->refusal(b.records()), "Błędny rodzaj operacji dla wniosku nr: 3/2026");
    }
}

TYPED_TEST(DataRecordTest, DamagedTagIsRefusedAfterTheRecordsBeforeIt) {
    RpaFileBuilder b = this->builder();
    b.zaklad();
    const std::string zaklad = b.records();
    const std::string unknown = "Błędny nagłówek rekordu !",
                      tooLong =
                          "Błędny nagłówek rekordu: znacznik rekordu jest dłuższy niż 5 znaków !",
                      cut = "Nieoczekiwany koniec pliku w nagłówku rekordu !";
    const struct {
        std::string records, message;
        std::size_t accepted;
    } cases[] = {
        {zaklad + test::field("XYZ") + test::field("A"), unknown, 1},
        {zaklad + test::field("ZKLZKL") + std::string(100, 'x'), tooLong, 1},
        {test::le16(65535), tooLong, 0},
        {zaklad + "\x03", cut, 1},
        {zaklad + test::le16(3) + "WN", cut, 1},
        // A tag cut off before its bytes is a file ending inside a tag, even after a NUL.
        {zaklad + test::le16(3) + std::string(1, '\0'), cut, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.records.size());
        EXPECT_EQ(this->refusal(c.records), c.message);
        EXPECT_EQ(this->accepted_, c.accepted);
    }
}

TYPED_TEST(DataRecordTest, BoardMembersExistFromVersion2) {
    RpaFileBuilder b = this->builder();
    b.zaklad();
    b.wniosek();
    b.agent();
    RpaFileBuilder v2(2);
    v2.zarzad();
    b.raw(v2.records());
    if (this->kVersion == 1)
        EXPECT_EQ(this->refusal(b.records()), "Błędny nagłówek rekordu !");
    else
        EXPECT_EQ(this->read(b.records())->PobierzListe().size(), 4u);
}

TYPED_TEST(DataRecordTest, FileEndingInsideARecordIsRefused) {
    RpaFileBuilder zaklad = this->builder();
    zaklad.zaklad();
    const std::size_t zakladSize = zaklad.records().size();
    const std::string whole = this->fullApplication().records();
    EXPECT_EQ(this->refusal(whole.substr(0, zakladSize - 1)),
              "Nieoczekiwany koniec pliku w rekordzie ZAKLAD UBEZPIECZEŃ !");
    EXPECT_EQ(this->refusal(whole.substr(0, zakladSize + 7)),
              "Nieoczekiwany koniec pliku w rekordzie WNIOSEK !");
    // Inside a field of the last record, and inside its checksum word.
    const std::string last = this->kVersion == 1 ? "PRACOWNIK" : "CZŁ. ZARZĄDU";
    for (std::size_t cut : {whole.size() - 40, whole.size() - 1})
        EXPECT_EQ(this->refusal(whole.substr(0, cut)),
                  "Nieoczekiwany koniec pliku w rekordzie " + last + " !\nWNIOSEK NR: 12/2026");
}

TYPED_TEST(DataRecordTest, RecordBeforeItsParentKindIsRefused) {
    RpaFileBuilder noZaklad = this->builder();
    noZaklad.wniosek();
    EXPECT_EQ(this->refusal(noZaklad.records()),
              "Błędna kolejność rekordów: rekord WNIOSEK występuje przed pierwszym rekordem "
              "ZAKLAD UBEZPIECZEŃ !");

    RpaFileBuilder noApplication = this->builder();
    noApplication.zaklad();
    noApplication.agent();
    EXPECT_EQ(this->refusal(noApplication.records()),
              "Błędna kolejność rekordów: rekord AGENT występuje przed pierwszym rekordem "
              "WNIOSEK !");

    for (RecordKind kind : {KIND_POLISA, KIND_PELNOMOCNICTWO, KIND_PRACOWNIK, KIND_ZARZAD}) {
        if (kind == KIND_ZARZAD && this->kVersion == 1) continue;
        RpaFileBuilder b = this->builder();
        b.zaklad();
        b.wniosek();
        this->add(b, kind);
        EXPECT_EQ(this->refusal(b.records()), "Błędna kolejność rekordów: rekord " +
                                                  std::string(recordTypeName(kind)) +
                                                  " występuje przed pierwszym rekordem AGENT !");
        EXPECT_EQ(this->accepted_, 2u);
    }
}

// ---- Writing -----------------------------------------------------------------------------

TYPED_TEST(DataRecordTest, EmptyListWritesNoFile) {
    test::TempDir dir;
    auto doc = this->document();
    EXPECT_FALSE(doc->ZapiszDoPliku(dir.file("dane.rpa")));
    EXPECT_FALSE(test::fileExists(dir.file("dane.rpa")));
    EXPECT_EQ(doc->lastFailure().text, "");
}

TYPED_TEST(DataRecordTest, SaveEmptiesTheListAndKeepsTheRecords) {
    test::TempDir dir;
    samples::SampleShape shape;
    shape.applications = 2;
    samples::SampleDocument sample(this->kVersion, shape);
    auto doc = this->listed(sample);
    EXPECT_EQ(doc->GetRecordCountWn(), 2);
    ASSERT_TRUE(doc->ZapiszDoPliku(dir.file("dane.rpa")));
    EXPECT_TRUE(doc->PobierzListe().empty());
    EXPECT_EQ(doc->GetRecordCountWn(), 0);
    EXPECT_EQ(sample.records()[0]->TypRekordu.view(), "ZKL");  // still alive
    EXPECT_EQ(test::readFile(dir.file("dane.rpa")), this->written(sample));
    EXPECT_EQ(test::listFolder(dir.path()), std::vector<std::string>{"dane.rpa"});
}

TYPED_TEST(DataRecordTest, DeviceFailingAnywhereFailsTheSave) {
    samples::SampleDocument sample(this->kVersion, samples::SampleShape{});
    const std::size_t size = this->written(sample).size();
    for (std::size_t limit :
         {std::size_t{0}, std::size_t{10}, std::size_t{28}, std::size_t{100}, size / 2, size - 1}) {
        auto doc = this->listed(sample);
        test::FailingOutput out(limit);
        EXPECT_FALSE(doc->ZapiszDoStrumienia(out)) << limit;
        EXPECT_EQ(doc->lastFailure(), (UserMessage{"Nie zapisać danych do pliku!\nProszę sprawdzic "
                                                   "uprawnienia.",
                                                   "Ostrzeżenie", MessageIcon::Warning}));
        EXPECT_TRUE(doc->PobierzListe().empty());
    }
}

// A failed save names the file and the reason, leaves the list empty and any old file as it was.
TYPED_TEST(DataRecordTest, FailedSaveKeepsTheOldFile) {
    test::TempDir dir;
    const std::string path = dir.file("dane.rpa");
    test::writeFile(path, "THE PREVIOUS FILE");
    samples::SampleDocument sample(this->kVersion, samples::SampleShape{});
    auto doc = this->listed(sample);
    EXPECT_FALSE(doc->ZapiszDoPliku(dir.file("brak/dane.rpa")));
    EXPECT_EQ(doc->lastFailure(),
              (UserMessage{"Nie można utworzyc pliku!\nPlik: " + dir.file("brak/dane.rpa") +
                               "\nPrzyczyna: katalog nie istnieje",
                           "Ostrzeżenie", MessageIcon::Error}));
    EXPECT_TRUE(doc->PobierzListe().empty());

    sample.listInto(*doc);
    test::FaultyFileSystem system;
    system.failWritesToFile = 1;
    EXPECT_FALSE(doc->ZapiszDoPliku(path));
    EXPECT_EQ(doc->lastFailure(),
              (UserMessage{"Nie zapisać danych do pliku!\nProszę sprawdzic uprawnienia.\nPlik: " +
                               path + "\nPrzyczyna: brak miejsca na dysku",
                           "Ostrzeżenie", MessageIcon::Warning}));
    EXPECT_EQ(test::readFile(path), "THE PREVIOUS FILE");
    EXPECT_EQ(test::listFolder(dir.path()), std::vector<std::string>{"dane.rpa"});
}

// An agent of another version's class, or an entry without its record, in the middle of the list.
TYPED_TEST(DataRecordTest, RecordThatCannotBeWrittenFailsTheSaveAndKeepsTheOldFile) {
    test::TempDir dir;
    const std::string path = dir.file("dane.rpa");
    test::writeFile(path, "THE PREVIOUS FILE");
    samples::SampleDocument sample(this->kVersion, samples::SampleShape{});
    std::unique_ptr<TRecAgenta> foreign;
    if (this->kVersion == 3)
        foreign = std::make_unique<TRecAgenta2>();
    else
        foreign = std::make_unique<TRecAgenta3>();
    struct {
        _RecData entry;
        std::string name;
    } cases[] = {{{foreign.get(), KIND_AGENT, 0}, "AGENT"},
                 {{nullptr, KIND_PRACOWNIK, 0}, "PRACOWNIK"}};
    for (auto& c : cases) {
        auto doc = this->listed(sample);
        doc->PobierzListe().push_back(&c.entry);
        EXPECT_FALSE(doc->ZapiszDoPliku(path));
        EXPECT_EQ(doc->lastFailure().text, "Nie można zapisać rekordu " + c.name +
                                               " w pliku w wersji " +
                                               std::to_string(this->kVersion) + "!");
        EXPECT_EQ(test::readFile(path), "THE PREVIOUS FILE");
        EXPECT_EQ(test::listFolder(dir.path()), std::vector<std::string>{"dane.rpa"});
        EXPECT_TRUE(doc->PobierzListe().empty());
    }
}

TYPED_TEST(DataRecordTest, WriterRefusesAListInAnOrderTheReaderWouldRefuse) {
    samples::SampleDocument sample(this->kVersion, samples::SampleShape{});
    auto doc = this->listed(sample);
    doc->PobierzListe().erase(std::next(doc->PobierzListe().begin()));  // drop the application
    MemoryOutput out;
    EXPECT_FALSE(doc->ZapiszDoStrumienia(out));
    EXPECT_EQ(doc->lastFailure().text,
              "Błędna kolejność rekordów: rekord AGENT występuje przed pierwszym rekordem "
              "WNIOSEK !");
}

TYPED_TEST(DataRecordTest, AddingFillsTheEntryAndRefusesWhatIsMissing) {
    auto doc = this->document();
    TRecZU zaklad;
    TRecPracownik employee;
    _RecData entry{nullptr, 9, 1};
    EXPECT_TRUE(doc->DodajZaklad(&zaklad, &entry));
    EXPECT_EQ(entry.record, &zaklad);
    EXPECT_EQ(entry.kind, KIND_ZAKLAD);
    EXPECT_EQ(entry.struck, 0);
    _RecData second{&zaklad, 0, 0};
    EXPECT_FALSE(doc->DodajPracownika(nullptr, &second));
    EXPECT_EQ(second.record, nullptr);
    EXPECT_FALSE(doc->DodajPracownika(&employee, nullptr));
    EXPECT_FALSE(doc->DodajWniosek(nullptr, nullptr));
    EXPECT_EQ(doc->PobierzListe().size(), 1u);
    doc->PobierzListe().clear();
}

TEST(DataRecord2, AddsBoardMembers) {
    DataRecord3 doc;
    TRecZarzad member;
    _RecData entry;
    EXPECT_TRUE(doc.DodajZarzad(&member, &entry));
    EXPECT_EQ(entry.kind, KIND_ZARZAD);
    EXPECT_FALSE(doc.DodajZarzad(&member, nullptr));
}

}  // namespace
}  // namespace tavik
