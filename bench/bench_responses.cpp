// Reading a version-3 response file of 100 000 lines from memory, lines split and records
// freed included.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "bench/BenchSummary.h"
#include "interchange/ReadOdp3.h"
#include "model/TextLines.h"
#include "tools/samples/SampleResponses.h"

namespace {

using namespace tavik;

// Ten lines an agent, none of them deleted: its header, the agent, two board members, four
// employees, a power of attorney and a policy.
constexpr int kAgents = 10000;
const samples::ResponseShape kShape{kAgents, 2, 4, 1, 1, false};

const std::string& responseText() {
    static const std::string text = samples::sampleResponseText(3, kShape, 2026);
    return text;
}

std::size_t lineCount() {
    static const std::size_t count = splitLines(responseText()).size();
    return count;
}

void BM_ReadResponses(benchmark::State& state) {
    const std::string& text = responseText();
    for (auto _ : state) {
        ReadOdp3 reader(samples::sampleResponseCode());
        reader.Czytaj(text);
        benchmark::DoNotOptimize(reader.entries().data());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * lineCount()));
}

BENCHMARK(BM_ReadResponses)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    BenchSummary collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    const double milliseconds = collector.time.at("BM_ReadResponses");
    std::printf("\nReadOdp3 (%zu lines, %.1f MB)  %8.0f lines per second (at least 300 000)\n",
                lineCount(), responseText().size() / 1e6, lineCount() / (milliseconds / 1e3));
    benchmark::Shutdown();
    return 0;
}
