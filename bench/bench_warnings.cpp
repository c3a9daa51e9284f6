// Listing every refusal and warning of a large version-3 application file, against opening it.
//
// The document: 20 000 applications, each with an agent, 3 board members, 5 employees,
// 2 powers of attorney and 2 policies. Opening is reading and verifying the file; the listing
// checks a copy of every record and looks for its warnings; the window's listing does so over
// the opened tree, with the rules of whole applications. The samples' numbers agree, as a
// real file's mostly do; a copy whose every NIP and sex is spoilt, so that every person draws
// warnings, is listed too, as the worst case. Prints Google Benchmark's table, then the
// listings against opening (at most 2 times) and the command line's check with and without
// --wszystko.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/BenchCli.h"
#include "bench/BenchSummary.h"
#include "document/DocumentTree.h"
#include "document/DocumentVerification.h"
#include "interchange/Warnings.h"
#include "model/ApplicationFile.h"
#include "tools/samples/SampleDocuments.h"

namespace {

using namespace tavik;

constexpr int kApplications = 20000;
constexpr CalendarDate kToday{2026, 6, 1};

// The worst case: every NIP's check digit one off and every sex against its PESEL, so that
// every agent and person draws warnings.
void spoilNumbers(samples::SampleDocument& sample) {
    const auto offByOne = [](Field& nip) {
        std::string value = nip.str();
        if (value.empty() || value.back() < '0' || value.back() > '9') return;
        value.back() = static_cast<char>('0' + (value.back() - '0' + 1) % 10);
        nip = value;
    };
    const CRC32 calc;
    for (std::size_t i = 0; i < sample.records().size(); ++i) {
        TRecord& record = *sample.records()[i];
        const RecordKind kind = sample.kinds()[i];
        if (kind == KIND_AGENT) {
            offByOne(static_cast<TRecAgenta&>(record).NIP_AGENTA);
        } else if (kind == KIND_PRACOWNIK || kind == KIND_ZARZAD) {
            auto& person = static_cast<TRecOsoba&>(record);
            offByOne(person.NIP);
            if (person.Plec != texts::EMPTY.view())
                person.Plec = person.Plec == texts::MEZCZYZNA.view() ? texts::KOBIETA.view()
                                                                     : texts::MEZCZYZNA.view();
        }
        record.CRC = fileVersion3().forKind(kind)->checksum(calc, record);
    }
}

struct Fixture {
    std::string folder;
    std::string path;       // the samples: their numbers agree, as a real file's mostly do
    std::string noisyPath;  // every number spoilt
    std::size_t findings = 0, noisyFindings = 0;

    Fixture() {
        char pattern[] = "/tmp/tavik-bench-XXXXXX";
        folder = ::mkdtemp(pattern);
        path = folder + "/duzy.rpa";
        noisyPath = folder + "/losowy.rpa";
        const samples::SampleShape shape{kApplications, 3, 5, 2, 2, false};
        samples::SampleDocument noisy(3, shape, 2026), sample(3, shape, 2026);
        spoilNumbers(noisy);
        for (auto [document, target] : {std::pair{&sample, path}, std::pair{&noisy, noisyPath}}) {
            auto file = makeDocumentOfVersion(3);
            document->listInto(*file);
            if (!file->ZapiszDoPliku(target)) std::abort();
        }
    }
    ~Fixture() {
        ::unlink(path.c_str());
        ::unlink(noisyPath.c_str());
        ::rmdir(folder.c_str());
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void BM_OpenFile(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) {
        auto document = readApplicationFile(f.path, samples::sampleUndertaking());
        std::vector<ReadRecord> records = document->TakeRecords();
        benchmark::DoNotOptimize(records.size());
        state.PauseTiming();  // freeing the document is not part of opening it
        records.clear();
        document.reset();
        state.ResumeTiming();
    }
}

// Opening as the document window does: reading, then building and sorting the tree.
void BM_OpenIntoTree(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) {
        auto tree = std::make_unique<DocumentTree>(3);
        tree->buildFromFile(
            readApplicationFile(f.path, samples::sampleUndertaking())->TakeRecords());
        tree->sortRecords(DocumentTree::SortOrder::Ascending);
        benchmark::DoNotOptimize(tree->nodeCount());
        state.PauseTiming();
        tree.reset();
        state.ResumeTiming();
    }
}

void listFindings(benchmark::State& state, const std::string& path, std::size_t& count) {
    const std::vector<ReadRecord> records =
        readApplicationFile(path, samples::sampleUndertaking())->TakeRecords();
    for (auto _ : state) {
        const std::vector<Finding> findings = findingsOf(records, kToday);
        count = findings.size();
        benchmark::DoNotOptimize(findings.data());
    }
}
void BM_ListFindings(benchmark::State& state) {
    listFindings(state, fixture().path, fixture().findings);
}
void BM_ListFindingsNoisy(benchmark::State& state) {
    listFindings(state, fixture().noisyPath, fixture().noisyFindings);
}

// "Sprawdź dokument": the listing of the document window's tree, rules of whole applications
// included.
void BM_ListProblemsOfTree(benchmark::State& state) {
    DocumentTree tree(3);
    tree.buildFromFile(
        readApplicationFile(fixture().path, samples::sampleUndertaking())->TakeRecords());
    tree.sortRecords(DocumentTree::SortOrder::Ascending);
    for (auto _ : state) {
        const std::vector<DocumentProblem> problems = listProblems(tree, kToday);
        benchmark::DoNotOptimize(problems.data());
    }
}

// The listing exits 1 only on a refusal, which the samples do not have.
void runCli(benchmark::State& state, const char* command) {
    runCliOn(state, fixture().path, command);
}
void BM_CliCheck(benchmark::State& state) {
    runCli(state, "check");
}
void BM_CliCheckAll(benchmark::State& state) {
    runCli(state, "check --wszystko");
}

BENCHMARK(BM_OpenFile)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_OpenIntoTree)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ListFindings)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ListFindingsNoisy)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_ListProblemsOfTree)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_CliCheck)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_CliCheckAll)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    BenchSummary collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    // A filtered run prints the ratios it has the figures for.
    const auto time = [&](const char* name) {
        const auto found = collector.time.find(name);
        return found == collector.time.end() ? 0.0 : found->second;
    };
    const double open = time("BM_OpenFile"), tree = time("BM_OpenIntoTree"),
                 list = time("BM_ListFindings"), noisy = time("BM_ListFindingsNoisy"),
                 check = time("BM_CliCheck"), checkAll = time("BM_CliCheckAll"),
                 window = time("BM_ListProblemsOfTree");
    std::printf("\nFile: %d applications; findings listed: %zu (spoilt numbers: %zu)\n",
                kApplications, fixture().findings, fixture().noisyFindings);
    const auto ratio = [](const char* what, double a, double b, const char* note) {
        if (a > 0 && b > 0) std::printf("%-46s %6.2f x  %s\n", what, a / b, note);
    };
    ratio("listing / reading and verifying", list, open, "(at most 2)");
    ratio("listing of spoilt numbers / reading", noisy, open, "");
    ratio("listing / opening as the window does", list, tree, "(read, tree, sort)");
    ratio("window's listing / opening as the window does", window, tree, "(at most 2)");
    ratio("tavik-cli check --wszystko / check", checkAll, check, "");
    benchmark::Shutdown();
    return 0;
}
