#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>

#include "dictionary/DictionaryFile.h"
#include "dictionary/SlownikZU.h"
#include "document/DocumentFile.h"
#include "document/DocumentVerification.h"
#include "interchange/ReadCIA.h"
#include "interchange/TextExport.h"
#include "interchange/Warnings.h"
#include "model/ApplicationFile.h"
#include "tests/support/RpaBytes.h"
#include "tests/support/TestStreams.h"
#include "tools/samples/SampleDocuments.h"

namespace tavik {
namespace {

using test::TempDir;
using test::u8;
using Messages = std::vector<UserMessage>;

const InsurerDirectory& insurers() {
    static const InsurerDirectory directory(
        *readDictionaryFile(TAVIK_BUNDLED_DICTIONARY).undertakings);
    return directory;
}

// A sample document of a version written to a file and opened into a tree.
struct Opened {
    TempDir dir;
    DocumentTree tree;
    std::string path;
    Opened(int version, int applications,
           DocumentTree::SortOrder order = DocumentTree::SortOrder::Insertion) {
        samples::SampleShape shape;
        shape.applications = applications;
        samples::SampleDocument sample(version, shape, 11);
        auto document = makeDocumentOfVersion(version);
        sample.listInto(*document);
        path = dir.file("dane.rpa");
        EXPECT_TRUE(document->ZapiszDoPliku(path));
        EXPECT_FALSE(openDocumentFile(tree, path, samples::sampleUndertaking(), order));
    }
};

// The report of a split of the source into the folder.
Messages splitReport(const std::string& source, const std::string& folder) {
    return {{"Plik " + source +
                 "\nzostał rozdzielony\n na pojedyncze wnioski, zapisane w katalogu\n" + folder,
             "Informacja", MessageIcon::Information}};
}

std::vector<ReadRecord> readBack(const std::string& path) {
    return readApplicationFile(path, samples::sampleUndertaking())->TakeRecords();
}

// The records of a file, each as its fields, sorted: a save writes them in tree order.
std::vector<std::string> recordSet(const std::string& path) {
    std::vector<std::string> out;
    for (const ReadRecord& r : readBack(path)) {
        out.emplace_back();
        for (const auto& f : r.record->fields())
            out.back() += f.field->str() + "|";
    }
    std::sort(out.begin(), out.end());
    return out;
}

TEST(OpenDocument, TreeOfEveryVersion) {
    for (int version = 1; version <= 3; ++version) {
        Opened d(version, 3);
        EXPECT_EQ(d.tree.fileVersion(), version);
        EXPECT_EQ(d.tree.applicationCount(), 3);
        EXPECT_EQ(d.tree.root()->text(), samples::sampleUndertaking().NazwaZU.str());
        std::size_t records = 0;
        d.tree.forEach([&](TreeNode& n) { records += n.hasRecord(); });
        EXPECT_EQ(records, readBack(d.path).size());
        // The third application is a deletion: its agent has no categories.
        for (const auto& app : d.tree.root()->children()) {
            const auto* a = static_cast<TRecWniosek*>(app->record());
            EXPECT_EQ(DocumentTree::agentOf(app.get())->childCount(),
                      a->RodzajWniosku == 2 ? 0u : 4u);
        }
    }
}

TEST(OpenDocument, FailureIsReportedAndTheTreeEmptied) {
    TempDir dir;
    test::writeFile(dir.file("zly.rpa"), "XXXX");
    DocumentTree tree;
    EXPECT_EQ(openDocumentFile(tree, dir.file("zly.rpa"), samples::sampleUndertaking(),
                               DocumentTree::SortOrder::Insertion),
              (UserMessage{"Wystąpił błąd przy odczycie pliku\n" + dir.file("zly.rpa") +
                               "\nBłędna wersja pliku !",
                           "Komunikat", MessageIcon::Error}));
    EXPECT_EQ(tree.nodeCount(), 0u);
}

// One application saves to a file that opens to the same records; struck-out records are not
// saved, but exported.
TEST(SaveDocument, WritesTheRecordsNotStruckOut) {
    Opened d(3, 1);
    const DocumentOutcome saved = saveDocument(d.tree, d.dir.file("kopia.rpa"), insurers());
    ASSERT_TRUE(saved.ok) << (saved.messages.empty() ? "" : saved.messages[0].text);
    EXPECT_EQ(recordSet(d.dir.file("kopia.rpa")), recordSet(d.path));
    TreeNode* agent = DocumentTree::agentOf(d.tree.root()->child(0));
    d.tree.toggleStrike(DocumentTree::categoryOf(agent, DocumentTree::POLISY)->child(0));
    ASSERT_TRUE(saveDocument(d.tree, d.dir.file("bez.rpa"), insurers()).ok);
    const std::size_t all = readBack(d.path).size();
    EXPECT_EQ(readBack(d.dir.file("bez.rpa")).size(), all - 1);
    EXPECT_EQ(exportLines(d.tree, insurers()).size(), all - 1);  // all but the undertaking
}

TEST(SaveDocument, RefusalsInTheirOrder) {
    Opened two(3, 2);
    DocumentOutcome outcome = saveDocument(two.tree, two.dir.file("x.rpa"), insurers());
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.messages, (Messages{{"W pliku znajdować się może tylko JEDEN WNIOSEK\naby "
                                           "zapisać zmiany należy plik wyeksportować\ndo pliku CIA",
                                           "Informacja", MessageIcon::Information}}));
    EXPECT_FALSE(test::fileExists(two.dir.file("x.rpa")));

    Opened old(1, 1);
    EXPECT_EQ(saveDocument(old.tree, old.dir.file("x.rpa"), insurers()).messages,
              (Messages{{"Aktualny plik zapisany jest w wersji 1.0,\naby plik mógł zostać "
                         "zapisany w wersji 3.0\nnależy uzupełnić informacje o członkach zarządu",
                         "Komunikat", MessageIcon::Warning}}));

    Opened invalid(3, 1);
    TreeNode* app = invalid.tree.root()->child(0);
    static_cast<TRecWniosek*>(app->record())->DataWniosku = "31.02.2026";
    outcome = saveDocument(invalid.tree, invalid.dir.file("x.rpa"), insurers());
    EXPECT_EQ(
        outcome.messages,
        (Messages{{"Błędny format daty w polu DataWniosku", "Walidacja", MessageIcon::Error},
                  {"Nie można zapisać struktury do pliku!", "Komunikat", MessageIcon::Error}}));
    EXPECT_EQ(outcome.select, app);
}

TEST(SplitDocument, OldVersionsAreWrittenAsVersion3WithNothingLost) {
    for (int version : {1, 2}) {
        Opened d(version, 3);
        const DocumentOutcome outcome = splitDocument(d.tree, d.dir.path(), "dane.rpa", insurers());
        ASSERT_TRUE(outcome.ok) << version
                                << (outcome.messages.empty() ? "" : outcome.messages[0].text);
        EXPECT_EQ(outcome.files,
                  (std::vector<std::string>{d.dir.file("dane_1.rpa"), d.dir.file("dane_2.rpa"),
                                            d.dir.file("dane_3.rpa")}));
        EXPECT_EQ(outcome.messages, splitReport(d.dir.file("dane.rpa"), d.dir.path()));
        std::size_t records = 0;
        for (const std::string& file : outcome.files) {
            auto part = readApplicationFile(file, samples::sampleUndertaking());
            EXPECT_EQ(part->version(), 3);
            for (const ReadRecord& r : part->TakeRecords()) {
                ++records;
                if (r.kind == KIND_POLISA) {
                    const auto& p = static_cast<const TRecPolisaOC3&>(*r.record);
                    EXPECT_TRUE(p.Kod_ZU == std::string_view("JSK") ||
                                p.Kod_ZU == std::string_view("WRZ"));
                }
                if (r.kind == KIND_AGENT) {
                    EXPECT_EQ(static_cast<const TRecAgenta3&>(*r.record).InfoDodatkowe.view(),
                              "<E>");
                }
            }
        }
        EXPECT_EQ(records, readBack(d.path).size() + 2);  // the undertaking in every part
    }
}

// All or nothing: a full disk at the second file replaces no part, leaves none half-written,
// and says which file failed and why. The report names the document that was split, not the
// folder joined with its name; an unnamed window is known by the title of the file it imported.
TEST(SplitDocument, FolderIsAllReplacedOrLeftAsItWasAndTheReportNamesTheSource) {
    Opened d(3, 2);
    const std::string folder = d.dir.file("podzial");
    ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
    test::writeFile(folder + "/dane_1.rpa", "OLD 1");
    {
        test::FaultyFileSystem system;
        system.failWritesToFile = 2;
        const DocumentOutcome outcome = writeSplit(d.tree, folder, "dane.rpa", insurers(), d.path);
        EXPECT_FALSE(outcome.ok);
        EXPECT_TRUE(outcome.files.empty());
        EXPECT_EQ(outcome.messages,
                  (Messages{{"Nie zapisać danych do pliku!\nProszę sprawdzic uprawnienia.\nPlik: " +
                                 folder + "/dane_2.rpa\nPrzyczyna: brak miejsca na dysku",
                             "Ostrzeżenie", MessageIcon::Warning}}));
        EXPECT_EQ(test::listFolder(folder), std::vector<std::string>{"dane_1.rpa"});
        EXPECT_EQ(test::readFile(folder + "/dane_1.rpa"), "OLD 1");
    }
    DocumentOutcome outcome = splitDocument(d.tree, folder, "dane.rpa", insurers(), {}, d.path);
    ASSERT_TRUE(outcome.ok);
    EXPECT_EQ(outcome.messages, splitReport(d.path, folder));
    EXPECT_EQ(test::listFolder(folder), (std::vector<std::string>{"dane_1.rpa", "dane_2.rpa"}));
    EXPECT_NE(test::readFile(folder + "/dane_1.rpa"), "OLD 1");
    EXPECT_EQ(writeSplit(d.tree, folder, "import", insurers(), "import").messages,
              splitReport("import", folder));
}

TEST(SplitDocument, OlderPolicyOfAnUnknownInsurerIsRefused) {
    Opened d(2, 2);
    TreeNode* agent = DocumentTree::agentOf(d.tree.root()->child(1));
    auto* policy = static_cast<TRecPolisaOC*>(
        DocumentTree::categoryOf(agent, DocumentTree::POLISY)->child(0)->record());
    policy->Nazwa_zakladu = u8("NIEZNANY ZAKŁAD");
    const DocumentOutcome outcome = splitDocument(d.tree, d.dir.path(), "dane.rpa", insurers());
    EXPECT_FALSE(outcome.ok);
    ASSERT_EQ(outcome.messages.size(), 1u);
    EXPECT_EQ(outcome.messages[0].text,
              "Nie można zapisać polisy " + cp1250::toUtf8(policy->ID_PolisyOC.view()) +
                  " w pliku w wersji 3.0:\nzakład ubezpieczeń „NIEZNANY ZAKŁAD” nie "
                  "występuje w słowniku.");
    EXPECT_EQ(test::listFolder(d.dir.path()), std::vector<std::string>{"dane.rpa"});
}

TEST(ExportDocument, LinesOfEveryRecordAndTheVersionTails) {
    Opened v1(1, 1);
    const std::vector<std::string> lines = exportLines(v1.tree, insurers());
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0].substr(0, 8), "WNI;JSK;");
    const auto agentLine = std::find_if(
        lines.begin(), lines.end(), [](const std::string& l) { return l.rfind("AGW;", 0) == 0; });
    ASSERT_NE(agentLine, lines.end());
    EXPECT_EQ(agentLine->substr(agentLine->size() - 16), "<E>;<E>;<E>;<E>;");
    for (const std::string& l : lines)
        EXPECT_EQ(l, cp1250::toUpper(l));
}

// A document of the undertaking alone has nothing to export: the export is refused as the
// save refuses an empty document, and the chosen file stays as it was (or is not made).
TEST(ExportDocument, DocumentWithoutApplicationsIsRefusedAndTheFileKept) {
    DocumentTree rootOnly;
    rootOnly.setRoot(std::make_unique<TRecZU>(samples::sampleUndertaking()));
    DocumentTree empty;
    for (const DocumentTree* tree : {&rootOnly, &empty}) {
        TempDir dir;
        const std::string before = "WNI;JSK;1/2026;WPIS;01.01.2026;<E>;\r\n";
        test::writeFile(dir.file("stary.cia"), before);
        EXPECT_EQ(exportDocument(*tree, dir.file("stary.cia"), insurers()),
                  (UserMessage{"Brak danych do odczytu/zapisu w pliku!", "Komunikat",
                               MessageIcon::Error}));
        EXPECT_EQ(test::readFile(dir.file("stary.cia")), before);
        EXPECT_TRUE(exportDocument(*tree, dir.file("nowy.cia"), insurers()));
        EXPECT_EQ(test::listFolder(dir.path()), std::vector<std::string>{"stary.cia"});
    }
}

// The listing of problems only reads: what the program writes of a document of every version
// (the split files, the export) is byte for byte the same after it; so is an import file read
// through the listing of its lines and exported again.
TEST(ProblemListing, EveryFileWrittenIsTheSameAfterIt) {
    const CalendarDate today{2026, 12, 8};
    for (int version : {1, 2, 3}) {
        SCOPED_TRACE(version);
        Opened d(version, 3);
        int round = 0;
        const auto written = [&] {
            const std::string folder = d.dir.file("runda" + std::to_string(++round));
            ::mkdir(folder.c_str(), 0700);
            const DocumentOutcome split = splitDocument(d.tree, folder, "dane.rpa", insurers());
            EXPECT_TRUE(split.ok);
            std::string bytes;
            for (const std::string& file : split.files)
                bytes += test::readFile(file);
            for (const std::string& line : exportLines(d.tree, insurers()))
                bytes += line;
            return bytes;
        };
        const std::string before = written();
        EXPECT_EQ(listProblems(d.tree, today), std::vector<DocumentProblem>{});
        EXPECT_EQ(written(), before);
    }

    samples::SampleShape shape;
    shape.applications = 3;
    samples::SampleDocument sample(3, shape, 12);
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < sample.records().size(); ++i)
        if (sample.kinds()[i] != KIND_ZAKLAD)
            lines.push_back(exportLine(*sample.records()[i], sample.kinds()[i], {}));
    const auto dictionary = readDictionaryFile(TAVIK_BUNDLED_DICTIONARY).dictionary;
    const std::string division = dictionary->RodzajeUbezpieczen.at(1)->Nazwa;
    const auto exported = [](ReadCIA& reader) {
        std::vector<std::string> out;
        for (const ReadRecord& r : reader.entries())
            out.push_back(exportLine(*r.record, r.kind, {}));
        return out;
    };
    ReadCIA listed(*dictionary, "JSK", division), imported(*dictionary, "JSK", division);
    EXPECT_EQ(lineFindingsOf(listed, lines, today), std::vector<LineFinding>{});
    imported.CzytajLinie(lines);
    EXPECT_EQ(exported(listed), exported(imported));
    EXPECT_EQ(exported(listed).size(), lines.size());
}

TEST(Verification, EveryRule) {
    DocumentTree empty;
    EXPECT_EQ(verifyDocument(empty).message->text, "Brak danych do odczytu/zapisu w pliku!");
    empty.setRoot(std::make_unique<TRecZU>(samples::sampleUndertaking()));
    EXPECT_EQ(verifyDocument(empty).message,
              (UserMessage{"Błędna struktura pliku!", "Komunikat - błąd podczas weryfikacji pliku",
                           MessageIcon::Error}));

    Opened d(3, 1);  // an entry of a company: board rule and employees apply
    TreeNode* app = d.tree.root()->child(0);
    TreeNode* agent = DocumentTree::agentOf(app);
    std::vector<std::string> progress;
    EXPECT_TRUE(verifyDocument(d.tree, [&](const std::string& s) { progress.push_back(s); }).ok);
    auto& agentRecord = static_cast<TRecAgenta3&>(*agent->record());
    if (agentRecord.FormaPrawna == u8("SPÓŁKA Z O.O.")) {
        EXPECT_EQ(progress, (std::vector<std::string>{"NR Pracownika: 0", "NR Pracownika: 1",
                                                      "NR Pracownika: 2", "NR Pracownika: 3",
                                                      "NR Pracownika: 4"}));
    }
    agentRecord.FormaPrawna = u8("SPÓŁKA S.A.");
    agentRecord.Liczba_czl_zarzadu = "9";
    VerificationResult r = verifyDocument(d.tree);
    EXPECT_EQ(std::tuple(r.ok, r.message->caption, r.select, r.page, r.frameNotice),
              std::tuple(false, std::string("Komunikat"),
                         DocumentTree::categoryOf(agent, DocumentTree::ZARZAD), 2, 3));

    agentRecord.Liczba_czl_zarzadu = "3";
    TreeNode* employees = DocumentTree::categoryOf(agent, DocumentTree::PRACOWNICY);
    for (const auto& e : employees->children())
        d.tree.toggleStrike(e.get());
    r = verifyDocument(d.tree);
    EXPECT_EQ(r.message->text, "Należy wprowadzić rekord pracownika");
    EXPECT_EQ(r.select, agent);

    d.tree.toggleStrike(agent);              // and its application
    EXPECT_TRUE(verifyDocument(d.tree).ok);  // struck applications are skipped
    d.tree.toggleStrike(app);
    agent->entry().struck = 1;  // an agent struck out alone
    r = verifyDocument(d.tree);
    EXPECT_EQ(r.message, (UserMessage{"WNIOSEK nie posiada przypisanego Agenta!", "Komunikat",
                                      MessageIcon::Error}));
    EXPECT_EQ(r.select, d.tree.root());
}

}  // namespace
}  // namespace tavik
