#include <gtest/gtest.h>

#include <typeinfo>

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

// The listed records, each as its tag, "*" when struck, and the positions of the records it
// links to ("-" for none): an application as "WNI:undertaking:agent:its kind", every other
// record below the one it belongs to. In full, each adds its kind, class, checksum and fields.
std::string described(DataRecord& doc, bool full = false) {
    const auto& list = doc.PobierzListe();
    const auto at = [&list](const void* linked) {
        int i = 0;
        for (const _RecData* e : list)
            if (++i, e->record == linked) return ":" + std::to_string(i - 1);
        return std::string(linked ? ":?" : ":-");
    };
    std::string out;
    for (const _RecData* e : list) {
        const TRecord* r = e->record;
        out += (out.empty() ? "" : "\n") + r->TypRekordu.str() + (e->struck ? "*" : "");
        if (const auto* w = dynamic_cast<const TRecWniosek*>(r))
            out += at(w->Zaklad) + at(w->Agent) + ":" + std::to_string(w->RodzajWniosku);
        else if (const auto* a = dynamic_cast<const TRecAgenta*>(r))
            out += at(a->Wniosek);
        else if (const auto* p = dynamic_cast<const TRecPolisaOC*>(r))
            out += at(p->Agent);
        else if (const auto* p = dynamic_cast<const TRecPelnomocnictwo*>(r))
            out += at(p->Agent);
        else if (const auto* o = dynamic_cast<const TRecOsoba*>(r))
            out += at(o->Agent);
        if (!full) continue;
        out +=
            " " + std::to_string(e->kind) + " " + typeid(*r).name() + " " + std::to_string(r->CRC);
        for (const auto& f : r->fields())
            out += "|" + f.field->str();
    }
    return out;
}

template <int V>
struct Version {
    static constexpr int value = V;
};

// One base for the three file versions.
template <class T>
class DataRecordTest : public ::testing::Test {
protected:
    static constexpr int kVersion = T::value;

    std::unique_ptr<DataRecord> document() {
        auto doc = makeDocumentOfVersion(kVersion);
        doc->ZakladWzorcowy = std::make_unique<TRecZU>(test::builderUndertaking());
        return doc;
    }

    // Reads records (without a header) into a fresh document.
    std::unique_ptr<DataRecord> read(const std::string& records) {
        auto doc = document();
        EXPECT_TRUE(doc->CzytajPlik(std::make_unique<MemoryInput>(keep(records))));
        return doc;
    }

    // The message a damaged file is refused with; accepted_ counts the records listed.
    std::string refusal(const std::string& records) {
        auto doc = document();
        std::string message = "(accepted)";
        try {
            doc->CzytajPlik(std::make_unique<MemoryInput>(keep(records)));
        } catch (const Exception& e) {
            message = e.message();
        }
        accepted_ = doc->PobierzListe().size();
        return message;
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
        for (RecordKind kind : agentKinds())
            add(b, kind);
        return b;
    }
    static void add(RpaFileBuilder& b, RecordKind kind) {
        if (kind == KIND_POLISA) b.polisa();
        if (kind == KIND_PELNOMOCNICTWO) b.pelnomocnictwo();
        if (kind == KIND_PRACOWNIK) b.pracownik();
        if (kind == KIND_ZARZAD) b.zarzad();
    }
    // The record kinds below an agent that the version has.
    std::vector<RecordKind> agentKinds() const {
        if (kVersion == 1) return {KIND_POLISA, KIND_PELNOMOCNICTWO, KIND_PRACOWNIK};
        return {KIND_POLISA, KIND_PELNOMOCNICTWO, KIND_PRACOWNIK, KIND_ZARZAD};
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
    EXPECT_EQ(described(*doc, true), described(*this->listed(sample), true));
    EXPECT_EQ(doc->TakeRecords().size(), sample.records().size());
    EXPECT_TRUE(doc->PobierzListe().empty());
}

TYPED_TEST(DataRecordTest, WriterLaysDownTheFileOrderAndTheStoredChecksums) {
    const std::string golden = this->fullApplication().file();
    // The golden file reads; what is read, written again, gives the very same bytes.
    MemoryInput in(golden);
    auto doc = readApplicationFile(in, test::builderUndertaking());
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

// Each application belongs to the undertaking, an agent to the last application before it.
TYPED_TEST(DataRecordTest, ApplicationKindsAndLinks) {
    RpaFileBuilder b = this->builder();
    b.zaklad();
    b.wniosek("WPIS", "1");
    b.wniosek("AKTUALIZACJA", "2");
    b.wniosek("WYKREŚLENIE", "3");
    b.agent();
    b.pracownik();
    auto doc = this->read(b.records());
    EXPECT_EQ(described(*doc), "ZKL\nWNI:0:-:0\nWNI:0:-:1\nWNI:0:4:2\nAGW:3\nPRW:4");
    EXPECT_EQ(doc->GetRecordCountWn(), 3);
}

TYPED_TEST(DataRecordTest, FieldEndsAtItsFirstNulByte) {
    RpaFileBuilder b = this->builder();
    b.zaklad();
    b.wniosek().Komentarz = "AB";
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
        // A stored file that ends this way opens with the records before the tag.
        MemoryInput in(this->keep(b.file()));
        auto opened = readApplicationFile(in, test::builderUndertaking());
        EXPECT_EQ(std::tuple(doc->PobierzListe().size(), doc->GetRecordCountWn(), opened->version(),
                             opened->PobierzListe().size()),
                  std::tuple(3u, 1, this->kVersion, 3u));
    }
    // As the first tag of the file: an empty document.
    EXPECT_TRUE(this->read(test::le16(3) + std::string("\0KL", 3))->PobierzListe().empty());
}

// A foreign code is refused; the name only where the file stores it (version 1).
TYPED_TEST(DataRecordTest, UndertakingOfAnotherCodeOrNameIsRefused) {
    RpaFileBuilder foreign = this->builder();
    foreign.zaklad("KRM");
    EXPECT_EQ(this->refusal(foreign.records()), "Błędny KOD lub NAZWA ZAKŁADU!");
    EXPECT_EQ(this->accepted_, 0u);

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

// Damaged tags, records before their parent kind, files ending inside a record, wrong checksums
// and application kinds, each refused after the records before it. Board members exist from
// version 2.
TYPED_TEST(DataRecordTest, EveryRefusalComesAfterTheRecordsBeforeIt) {
    const bool v1 = this->kVersion == 1;
    RpaFileBuilder b = this->builder();
    b.zaklad();
    const std::string zaklad = b.records(), whole = this->fullApplication().records();
    b.wniosek();
    const std::string application = b.records();
    b.agent();
    RpaFileBuilder v2(2);
    v2.zarzad();
    const std::string unknown = "Błędny nagłówek rekordu !",
                      tooLong =
                          "Błędny nagłówek rekordu: znacznik rekordu jest dłuższy niż 5 znaków !",
                      cut = "Nieoczekiwany koniec pliku w nagłówku rekordu !",
                      order = "Błędna kolejność rekordów: rekord ",
                      first = " występuje przed pierwszym rekordem ",
                      end = "Nieoczekiwany koniec pliku w rekordzie ",
                      last = v1 ? "PRACOWNIK" : "CZŁ. ZARZĄDU";
    struct Case {
        std::string records, message;
        std::size_t accepted;
    };
    std::vector<Case> cases = {
        {zaklad + test::field("XYZ") + test::field("A"), unknown, 1},
        {zaklad + test::field("ZKLZKL") + std::string(100, 'x'), tooLong, 1},
        {test::le16(65535), tooLong, 0},
        {zaklad + "\x03", cut, 1},
        {zaklad + test::le16(3) + "WN", cut, 1},
        // A tag cut off before its bytes is a file ending inside a tag, even after a NUL.
        {zaklad + test::le16(3) + std::string(1, '\0'), cut, 1},
        {b.records() + v2.records(), v1 ? unknown : "(accepted)", v1 ? 3u : 4u},
        {application.substr(zaklad.size()), order + "WNIOSEK" + first + "ZAKLAD UBEZPIECZEŃ !", 0},
        {zaklad + b.records().substr(application.size()), order + "AGENT" + first + "WNIOSEK !", 1},
        {whole.substr(0, zaklad.size() - 1), end + "ZAKLAD UBEZPIECZEŃ !", 0},
        {whole.substr(0, zaklad.size() + 7), end + "WNIOSEK !", 1},
        // Inside a field of the last record, and inside its checksum word.
        {whole.substr(0, whole.size() - 40), end + last + " !\nWNIOSEK NR: 12/2026", v1 ? 5u : 6u},
        {whole.substr(0, whole.size() - 1), end + last + " !\nWNIOSEK NR: 12/2026", v1 ? 5u : 6u},
    };
    for (RecordKind kind : this->agentKinds()) {
        RpaFileBuilder orphan = this->builder();
        orphan.zaklad();
        orphan.wniosek();
        this->add(orphan, kind);
        cases.push_back(
            {orphan.records(), order + std::string(recordTypeName(kind)) + first + "AGENT !", 2});
    }
    // A wrong checksum names the last application's number (there is an earlier one).
    const std::string wrong = "Błędna suma kontrolna dla rekordu ";
    RpaFileBuilder undertaking = this->builder();
    undertaking.zaklad();
    undertaking.corrupt();
    cases.push_back({undertaking.records(), wrong + "ZAKLAD UBEZPIECZEŃ!", 0});
    const char* numbered[] = {"WNIOSEK\nWNIOSEK NR:7/ŁÓDŹ",    "AGENT\nWNIOSEK NR: 7/ŁÓDŹ",
                              "POLISA\nWNIOSEK NR:7/ŁÓDŹ",     "PELNOMOCNICTWO\nWNIOSEK NR: 7/ŁÓDŹ",
                              "PRACOWNIK\nWNIOSEK NR: 7/ŁÓDŹ", "CZŁ. ZARZĄDU\nWNIOSEK NR: 7/ŁÓDŹ"};
    std::vector<RecordKind> kinds = this->agentKinds();
    kinds.insert(kinds.begin(), {KIND_WNIOSEK, KIND_AGENT});
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        RpaFileBuilder damaged = this->builder();
        damaged.zaklad();
        damaged.wniosek("WPIS", "6/KRAKÓW");
        damaged.agent();
        damaged.wniosek("WPIS", "7/ŁÓDŹ");
        if (kinds[i] != KIND_WNIOSEK) damaged.agent();
        this->add(damaged, kinds[i]);
        damaged.corrupt();
        cases.push_back({damaged.records(), wrong + numbered[i], std::min<std::size_t>(i + 3, 5)});
    }
    // The application kind is checked before the checksum.
    for (const char* kind : {"wpis", "NOWY", "WYKRESLENIE", "<E>"}) {
        RpaFileBuilder wrongKind = this->builder();
        wrongKind.zaklad();
        wrongKind.wniosek(kind, "3/2026");
        cases.push_back({wrongKind.records(), "Błędny rodzaj operacji dla wniosku nr: 3/2026", 1});
        wrongKind.corrupt();
        cases.push_back({wrongKind.records(), "Błędny rodzaj operacji dla wniosku nr: 3/2026", 1});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        this->accepted_ = 0;
        EXPECT_EQ(this->refusal(c.records), c.message);
        EXPECT_EQ(this->accepted_, c.accepted);
    }
}

// ---- Writing -----------------------------------------------------------------------------

TYPED_TEST(DataRecordTest, EmptyListWritesNoFileAndASaveEmptiesTheListAndKeepsTheRecords) {
    test::TempDir dir;
    auto empty = this->document();
    EXPECT_FALSE(empty->ZapiszDoPliku(dir.file("dane.rpa")));
    EXPECT_FALSE(test::fileExists(dir.file("dane.rpa")));
    EXPECT_EQ(empty->lastFailure().text, "");

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

// A failed save names the file and the reason, leaves the list empty and the old file as it
// was: a folder that does not exist, a full disk, an agent of another version's class or an
// entry without its record in the middle of the list, a list the reader would refuse.
TYPED_TEST(DataRecordTest, FailedSaveKeepsTheOldFile) {
    test::TempDir dir;
    const std::string path = dir.file("dane.rpa"), missing = dir.file("brak/dane.rpa");
    test::writeFile(path, "THE PREVIOUS FILE");
    samples::SampleDocument sample(this->kVersion, samples::SampleShape{});
    const std::unique_ptr<TRecAgenta> foreign(
        this->kVersion == 3 ? static_cast<TRecAgenta*>(new TRecAgenta2) : new TRecAgenta3);
    _RecData foreignAgent{foreign.get(), KIND_AGENT, 0}, noRecord{nullptr, KIND_PRACOWNIK, 0};
    // Saves the sample's list, changed first, and gives the failure.
    const auto failure = [&](const std::string& target, bool fullDisk, auto change) {
        SCOPED_TRACE(target);
        auto doc = this->listed(sample);
        change(doc->PobierzListe());
        test::FaultyFileSystem system;
        system.failWritesToFile = fullDisk;
        EXPECT_FALSE(doc->ZapiszDoPliku(target));
        EXPECT_TRUE(doc->PobierzListe().empty());
        EXPECT_EQ(test::readFile(path), "THE PREVIOUS FILE");
        EXPECT_EQ(test::listFolder(dir.path()), std::vector<std::string>{"dane.rpa"});
        return doc->lastFailure();
    };
    const auto asListed = [](std::list<_RecData*>&) {};
    const std::string cannot = "Nie można zapisać rekordu ",
                      inVersion = " w pliku w wersji " + std::to_string(this->kVersion) + "!";
    EXPECT_EQ(failure(missing, false, asListed),
              (UserMessage{"Nie można utworzyc pliku!\nPlik: " + missing +
                               "\nPrzyczyna: katalog nie istnieje",
                           "Ostrzeżenie", MessageIcon::Error}));
    EXPECT_EQ(failure(path, true, asListed),
              (UserMessage{"Nie zapisać danych do pliku!\nProszę sprawdzic uprawnienia.\nPlik: " +
                               path + "\nPrzyczyna: brak miejsca na dysku",
                           "Ostrzeżenie", MessageIcon::Warning}));
    EXPECT_EQ(failure(path, false, [&](auto& list) { list.push_back(&foreignAgent); }),
              (UserMessage{cannot + "AGENT" + inVersion, "Ostrzeżenie", MessageIcon::Error}));
    EXPECT_EQ(failure(path, false, [&](auto& list) { list.push_back(&noRecord); }),
              (UserMessage{cannot + "PRACOWNIK" + inVersion, "Ostrzeżenie", MessageIcon::Error}));
    EXPECT_EQ(failure(path, false, [](auto& list) { list.erase(std::next(list.begin())); }),
              (UserMessage{"Błędna kolejność rekordów: rekord AGENT występuje przed pierwszym "
                           "rekordem WNIOSEK !",
                           "Ostrzeżenie", MessageIcon::Error}));
}

// Each entry filled as (record, kind, struck); a missing record or entry adds nothing.
TYPED_TEST(DataRecordTest, AddingFillsTheEntryAndRefusesWhatIsMissing) {
    auto doc = this->document();
    TRecZU zaklad;
    TRecPracownik employee;
    _RecData entry{nullptr, 9, 1}, second{&zaklad, 0, 0};
    EXPECT_TRUE(doc->DodajZaklad(&zaklad, &entry));
    EXPECT_FALSE(doc->DodajPracownika(nullptr, &second) ||
                 doc->DodajPracownika(&employee, nullptr) || doc->DodajWniosek(nullptr, nullptr));
    EXPECT_EQ(std::tie(entry.record, entry.kind, entry.struck, second.record),
              std::tuple(&zaklad, KIND_ZAKLAD, 0, nullptr));
    EXPECT_EQ(doc->PobierzListe().size(), 1u);
    doc->PobierzListe().clear();

    DataRecord3 board;
    TRecZarzad member;
    EXPECT_TRUE(board.DodajZarzad(&member, &entry));
    EXPECT_EQ(entry.kind, KIND_ZARZAD);
    EXPECT_FALSE(board.DodajZarzad(&member, nullptr));
    board.PobierzListe().clear();
}

}  // namespace
}  // namespace tavik
