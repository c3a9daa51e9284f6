#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

// Shows Google Benchmark's table and keeps each benchmark's time per iteration (in the
// benchmark's own unit) under its name without arguments, for the summary printed after it.
class BenchSummary : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const std::string name = run.benchmark_name();
            time[name.substr(0, name.find('/'))] = run.GetAdjustedRealTime();
        }
    }
    std::map<std::string, double> time;
};
