#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "model/DataRecord.h"

// Valid, realistic documents of any size and version, checksummed as each version requires:
// the examples, the tests' golden files, the fuzz corpus and the benchmarks are made of them.
namespace tavik::samples {

struct SampleShape {
    int applications = 1;
    int boardMembers = 3;  // none in version 1, which has no board members
    int employees = 5;
    int powersOfAttorney = 2;
    int policies = 2;
    // Entries, updates and deletions in turn; without deletions, entries and updates only (a
    // deletion carries its agent alone).
    bool deletions = true;
};

// The undertaking the samples belong to (code page 1250).
TRecZU sampleUndertaking();

class SampleDocument {
public:
    SampleDocument(int version, const SampleShape& shape, std::uint32_t seed = 1);

    // Lists every record in the document, as the window does before a save.
    void listInto(DataRecord& document);

    const std::vector<std::unique_ptr<TRecord>>& records() const { return records_; }
    const std::vector<RecordKind>& kinds() const { return kinds_; }
    int version() const { return version_; }

private:
    void add(std::unique_ptr<TRecord> record, RecordKind kind);

    int version_;
    std::vector<std::unique_ptr<TRecord>> records_;
    std::vector<RecordKind> kinds_;
    std::deque<_RecData> entries_;
};

// The bytes of the application file of a sample document.
std::string sampleFileBytes(int version, const SampleShape& shape, std::uint32_t seed = 1);

}  // namespace tavik::samples
