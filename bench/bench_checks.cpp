// Loading the bundled dictionary in its three readers, and checking 100 000 valid agents of
// version 3.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>

#include "bench/BenchSummary.h"
#include "dictionary/DictionaryFile.h"
#include "dictionary/SlownikZU3.h"
#include "interchange/walidacja.h"
#include "tools/samples/SampleDocuments.h"

namespace {

using namespace tavik;

constexpr int kAgents = 100000;

void BM_LoadDictionary(benchmark::State& state) {
    for (auto _ : state) {
        const DictionaryFile file = readDictionaryFile(TAVIK_BUNDLED_DICTIONARY);
        benchmark::DoNotOptimize(file.activeUndertakings->entries().size());
    }
}

void BM_CheckAgents(benchmark::State& state) {
    // Entries, updates and deletions in turn, companies and natural persons.
    static samples::SampleDocument sample(3, samples::SampleShape{kAgents, 0, 0, 0, 0}, 2026);
    std::vector<TRecAgenta3*> agents;
    for (std::size_t i = 0; i < sample.records().size(); ++i)
        if (sample.kinds()[i] == KIND_AGENT)
            agents.push_back(static_cast<TRecAgenta3*>(sample.records()[i].get()));
    for (auto _ : state) {
        for (TRecAgenta3* agent : agents) {
            int code = 0;
            SprawdzAgenta3(code, agent);
            benchmark::DoNotOptimize(code);
        }
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * agents.size()));
}

BENCHMARK(BM_LoadDictionary)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CheckAgents)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    BenchSummary collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    const double loadMicroseconds = collector.time.at("BM_LoadDictionary");
    const double checkMilliseconds = collector.time.at("BM_CheckAgents");
    std::printf("\nDictionary (three readers)  %8.0f µs per load\n", loadMicroseconds);
    std::printf("SprawdzAgenta3             %8.0f agents per second (at least 500 000)\n",
                kAgents / (checkMilliseconds / 1e3));
    benchmark::Shutdown();
    return 0;
}
