// Reading, verifying and writing a large version-3 application file.
//
// The document: 20 000 applications, each with an agent, 3 board members, 5 employees,
// 2 powers of attorney and 2 policies. Prints Google Benchmark's table, then the figures the
// file format is held to: read-and-verify and write throughput, the peak memory of a read
// document against the file size, read-and-verify time against one bare checksum pass, and
// building and sorting the document's tree against reading the file; searching the tree for a
// text only its last record holds; the command line's tree of the file against its check.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "bench/BenchCli.h"
#include "bench/BenchSummary.h"
#include "document/DocumentSearch.h"
#include "document/DocumentTree.h"
#include "model/ApplicationFile.h"
#include "model/FileStreams.h"
#include "tools/samples/SampleDocuments.h"

namespace {

using namespace tavik;

constexpr int kApplications = 20000;

struct Fixture {
    samples::SampleDocument sample{3, samples::SampleShape{kApplications, 3, 5, 2, 2, false}, 2026};
    std::string folder;
    std::string path;
    std::string bytes;
    std::vector<Field> chunks;  // the file's bytes as fields of at most 255 bytes

    Fixture() {
        char pattern[] = "/tmp/tavik-bench-XXXXXX";
        folder = ::mkdtemp(pattern);
        path = folder + "/duzy.rpa";
        auto document = makeDocumentOfVersion(3);
        sample.listInto(*document);
        if (!document->ZapiszDoPliku(path)) std::abort();
        if (!readWholeFile(path, bytes)) std::abort();
        for (std::size_t at = 0; at < bytes.size(); at += 255) {
            // A field ends at a NUL byte; the pass must cover every byte, so stand in for NUL.
            std::string piece = bytes.substr(at, 255);
            for (char& c : piece)
                c = c ? c : '\x01';
            chunks.emplace_back(piece);
        }
    }
    ~Fixture() {
        ::unlink(path.c_str());
        ::rmdir(folder.c_str());
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void BM_ReadAndVerify(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) {
        auto document = readApplicationFile(f.path, samples::sampleUndertaking());
        benchmark::DoNotOptimize(document->PobierzListe().size());
        state.PauseTiming();  // freeing the document is not part of reading it
        document.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.bytes.size()));
}

void BM_BuildAndSortTree(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<ReadRecord> records =
            readApplicationFile(f.path, samples::sampleUndertaking())->TakeRecords();
        auto tree = std::make_unique<DocumentTree>(3);
        state.ResumeTiming();
        tree->buildFromFile(std::move(records));
        tree->sortRecords(DocumentTree::SortOrder::Ascending);
        benchmark::DoNotOptimize(tree->nodeCount());
        state.PauseTiming();
        tree.reset();
        state.ResumeTiming();
    }
}

void BM_WriteFile(benchmark::State& state) {
    Fixture& f = fixture();
    const std::string target = f.folder + "/zapis.rpa";
    auto document = makeDocumentOfVersion(3);
    for (auto _ : state) {
        f.sample.listInto(*document);
        if (!document->ZapiszDoPliku(target)) state.SkipWithError("save failed");
    }
    ::unlink(target.c_str());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.bytes.size()));
}

void BM_BareChecksumPass(benchmark::State& state) {
    Fixture& f = fixture();
    const CRC32 calc;
    for (auto _ : state) {
        std::uint32_t crc = 0;
        for (const Field& chunk : f.chunks)
            calc.CRC32ForField(chunk, crc);
        benchmark::DoNotOptimize(crc);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.bytes.size()));
}

void BM_SearchToTheLastRecord(benchmark::State& state) {
    Fixture& f = fixture();
    DocumentTree tree(3);
    tree.buildFromFile(readApplicationFile(f.path, samples::sampleUndertaking())->TakeRecords());
    // Only the last record holds the text.
    static_cast<TRecPolisaOC&>(*tree.last()->record()).ID_PolisyOC = "SZUKANY/OSTATNI";
    const std::string text = searchTextOf("szukany/ostatni");
    for (auto _ : state) {
        if (findFirst(tree, text) != tree.last()) state.SkipWithError("not found");
    }
}

void runCli(benchmark::State& state, const char* command) {
    runCliOn(state, fixture().path, command);
}
void BM_CliCheck(benchmark::State& state) {
    runCli(state, "check");
}
void BM_CliTree(benchmark::State& state) {
    runCli(state, "tree");
}

BENCHMARK(BM_ReadAndVerify)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_BuildAndSortTree)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_WriteFile)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_BareChecksumPass)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_SearchToTheLastRecord)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_CliCheck)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_CliTree)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Keeps each benchmark's time per iteration for the summary.

long residentKiB() {
    long pages = 0, resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(statm);
    }
    return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

// Run in a fresh process so that nothing else lives in its heap: the growth of the resident
// set while one document is read, and the heap the document holds.
int measureMemory(const char* path) {
    const long before = residentKiB();
    const std::size_t heapBefore = mallinfo2().uordblks + mallinfo2().hblkhd;
    auto document = readApplicationFile(path, samples::sampleUndertaking());
    const std::size_t heapAfter = mallinfo2().uordblks + mallinfo2().hblkhd;
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    std::printf("%ld %zu\n", usage.ru_maxrss - before, heapAfter - heapBefore);
    return document->GetRecordCountWn() == kApplications ? 0 : 1;
}

void summary(const BenchSummary& collector, const char* self) {
    Fixture& f = fixture();
    const double mb = static_cast<double>(f.bytes.size()) / 1e6;
    const auto seconds = [&](const char* name) { return collector.time.at(name) / 1e3; };
    const double read = seconds("BM_ReadAndVerify"), write = seconds("BM_WriteFile"),
                 crc = seconds("BM_BareChecksumPass"), tree = seconds("BM_BuildAndSortTree");

    long peakKiB = -1;
    std::size_t heapBytes = 0;
    const std::string command = std::string(self) + " --measure-memory " + f.path;
    if (FILE* child = ::popen(command.c_str(), "r")) {
        if (std::fscanf(child, "%ld %zu", &peakKiB, &heapBytes) != 2) peakKiB = -1;
        ::pclose(child);
    }
    const double peakRatio = peakKiB * 1024.0 / static_cast<double>(f.bytes.size());

    std::printf("\nFile: %d applications, %zu records, %.1f MB\n", kApplications,
                f.sample.records().size(), mb);
    std::printf("read and verify      %8.0f MB/s   (at least 300)\n", mb / read);
    std::printf("write (atomic save)  %8.0f MB/s   (at least 400)\n", mb / write);
    std::printf("peak memory of read  %8.2f x file (at most 5; heap held by the document %.2f x)\n",
                peakRatio, static_cast<double>(heapBytes) / static_cast<double>(f.bytes.size()));
    std::printf("read / bare checksum %8.2f        (at most 3; bare pass %.0f MB/s)\n", read / crc,
                mb / crc);
    std::printf("tree build and sort  %8.2f x read (at most 2; %.0f ms)\n", tree / read,
                tree * 1e3);
    std::printf("search to the last   %8.1f ms     (at most 200)\n",
                seconds("BM_SearchToTheLastRecord") * 1e3);
    std::printf("tavik-cli tree       %8.2f x check (at most 2; %.0f ms against %.0f ms)\n",
                seconds("BM_CliTree") / seconds("BM_CliCheck"), seconds("BM_CliTree") * 1e3,
                seconds("BM_CliCheck") * 1e3);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--measure-memory") return measureMemory(argv[2]);
    benchmark::Initialize(&argc, argv);
    fixture();
    BenchSummary collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    summary(collector, argv[0]);
    benchmark::Shutdown();
    return 0;
}
