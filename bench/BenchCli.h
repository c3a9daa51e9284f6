#pragma once

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

// The command line as an administrator runs it over an application file of the example
// undertaking, output thrown away; a non-zero exit marks the benchmark failed.
inline void runCliOn(benchmark::State& state, const std::string& path, const char* command) {
    const std::string line = std::string(TAVIK_CLI) + " " + command +
                             " --kod JSK --nazwa 'TOWARZYSTWO UBEZPIECZEŃ JASKÓŁKA SPÓŁKA "
                             "AKCYJNA' " +
                             path + " > /dev/null";
    for (auto _ : state)
        if (std::system(line.c_str()) != 0) state.SkipWithError(line.c_str());
}
