#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/Recdata.h"

// Response files as the register writes them, of version 1 or 3: for the tests, the examples,
// the fuzz seeds and the benchmarks. The lines are laid out here, apart from the reader.
namespace tavik::samples {

struct ResponseShape {
    int agents = 1;  // each answered in a response of its own: a header, then the agent
    int boardMembers = 3;
    int employees = 5;
    int powersOfAttorney = 2;
    int policies = 2;
    // Entries, updates and deletions in turn; a deletion is answered about its agent alone.
    // Without deletions, every agent has all of the above.
    bool deletions = true;
};

// The text, then ";" and the checksum of the text in eight upper-case hexadecimal digits.
std::string withChecksum(std::string_view text);

// The line of a response record of the kind (7 to 12) in the layout of the version, without
// a line end: tag, code, reference (not in a header), the fields, the checksum. A header
// carries its own KodZU; every other line the code given.
std::string responseLine(const TRecord& record, RecordKind kind, int version, std::string_view code,
                         std::string_view reference = "1/2026");

// A response file and the records a reader must make of it, linked as the reader links them.
class SampleResponse {
public:
    SampleResponse(int version, const ResponseShape& shape, std::uint32_t seed = 1);

    const std::vector<ReadRecord>& records() const { return records_; }
    const std::vector<std::string>& lines() const { return lines_; }
    // Code page 1250, every line ended by CR LF.
    std::string text() const;
    int version() const { return version_; }

private:
    int version_;
    std::vector<ReadRecord> records_;
    std::vector<std::string> lines_;
};

// The undertaking code of the samples' responses.
std::string sampleResponseCode();

std::string sampleResponseText(int version, const ResponseShape& shape, std::uint32_t seed = 1);

}  // namespace tavik::samples
