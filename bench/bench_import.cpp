// Importing a 100 000-line text file with every check: lengths, the dictionary, the settings,
// the record checks and the checksums. The file is a version-3 sample document as the export
// writes it: entries, updates and deletions in turn, each with its agent, and below the entries
// and updates 3 board members, 5 employees, 2 powers of attorney and 2 policies.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

#include "bench/BenchSummary.h"
#include "dictionary/DictionaryFile.h"
#include "dictionary/Slownik.h"
#include "interchange/ReadCIA.h"
#include "interchange/TextExport.h"
#include "model/Cp1250.h"
#include "model/Exception.h"
#include "tools/samples/SampleDocuments.h"

namespace {

using namespace tavik;

constexpr std::size_t kLines = 100000;

struct Fixture {
    DictionaryFile file = readDictionaryFile(TAVIK_BUNDLED_DICTIONARY);
    const Slownik& dictionary = *file.dictionary;
    std::string division =
        cp1250::fromUtf8OrThrow("POZOSTAŁE UBEZPIECZENIA OSOBOWE ORAZ UBEZPIECZENIA MAJĄTKOWE");
    std::vector<std::string> lines;

    Fixture() {
        // 30 lines for every three applications; the last application may lose its tail.
        const samples::SampleDocument sample(3, {static_cast<int>(kLines / 10 + 3), 3, 5, 2, 2},
                                             2026);
        for (std::size_t i = 0; i < sample.records().size() && lines.size() < kLines; ++i)
            if (sample.kinds()[i] != KIND_ZAKLAD)
                lines.push_back(exportLine(*sample.records()[i], sample.kinds()[i], {}));
        if (lines.size() != kLines) std::abort();
    }
};

const Fixture& fixture() {
    static const Fixture f;
    return f;
}

void BM_ImportCia(benchmark::State& state) {
    const Fixture& f = fixture();
    for (auto _ : state) {
        ReadCIA reader(f.dictionary, "JSK", f.division);
        try {
            reader.CzytajLinie(f.lines);
        } catch (const Exception& e) {
            std::fprintf(stderr, "%s\n", e.message().c_str());
            std::abort();
        }
        if (reader.entries().size() != kLines) std::abort();
        benchmark::DoNotOptimize(reader.entries().back().record->CRC);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kLines));
}

BENCHMARK(BM_ImportCia)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    fixture();
    BenchSummary collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    const double milliseconds = collector.time.at("BM_ImportCia");
    std::printf("\nText import (every check)  %8.0f lines per second (at least 200 000)\n",
                kLines / (milliseconds / 1e3));
    benchmark::Shutdown();
    return 0;
}
