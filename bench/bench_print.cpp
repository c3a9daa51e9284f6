// Printing one large application to PDF with the command line, as a clerk's script runs it.
//
// The document: one version-3 entry whose agent has 50 employees, 10 board members, 20 powers
// of attorney and 20 policies. Each run is the whole program: it starts, reads the file, fills
// the template, lays the pages out and writes the PDF.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench/BenchSummary.h"
#include "model/FileStreams.h"
#include "tools/samples/SampleDocuments.h"

namespace {

using namespace tavik;

struct Fixture {
    std::string folder, path, pdf, command;
    bool failed = false;  // a run refused, or wrote no PDF

    Fixture() {
        char pattern[] = "/tmp/tavik-bench-print-XXXXXX";
        folder = ::mkdtemp(pattern);
        path = folder + "/wniosek.rpa";
        pdf = folder + "/wniosek.pdf";
        const samples::SampleShape shape{.applications = 1,
                                         .boardMembers = 10,
                                         .employees = 50,
                                         .powersOfAttorney = 20,
                                         .policies = 20};
        if (!writeWholeFile(path, samples::sampleFileBytes(3, shape, 2026))) std::abort();
        // The user's own settings (the sort order) play no part: an empty registry.
        ::setenv("TAVIK_REGISTRY", (folder + "/registry.json").c_str(), 1);
        command = std::string(TAVIK_CLI) +
                  " print --kod JSK --nazwa 'TOWARZYSTWO UBEZPIECZEŃ JASKÓŁKA SPÓŁKA AKCYJNA'"
                  " --dzial 'POZOSTAŁE UBEZPIECZENIA OSOBOWE ORAZ UBEZPIECZENIA MAJĄTKOWE'"
                  " --miejsce Warszawa --podpis 'JAN KOWALSKI' --szablony '" TAVIK_TEMPLATES_DIR
                  "' " +
                  path + " " + pdf + " > /dev/null";
    }
    ~Fixture() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void BM_CliPrintPdf(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) {
        if (std::system(f.command.c_str()) != 0) {
            f.failed = true;
            state.SkipWithError(f.command.c_str());
            break;
        }
    }
    // A run that wrote no PDF measured nothing.
    std::string bytes;
    if (!f.failed && (!readWholeFile(f.pdf, bytes) || bytes.rfind("%PDF-", 0) != 0)) {
        f.failed = true;
        state.SkipWithError("no PDF written");
    }
}

// Timed by the clock: the program runs as a child process, whose CPU time is not counted here.
BENCHMARK(BM_CliPrintPdf)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    fixture();
    BenchSummary collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    benchmark::Shutdown();
    if (fixture().failed || !collector.time.count("BM_CliPrintPdf")) return 1;
    std::printf(
        "\nPrinting an application of 50 employees, 10 board members, 20 powers and 20 policies "
        "to PDF  %.0f ms (at most 1000)\n",
        collector.time.at("BM_CliPrintPdf"));
    return 0;
}
