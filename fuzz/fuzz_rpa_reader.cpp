// The application file reader on any bytes: it must refuse with a message, never crash, leak
// or hang; and whatever it accepts must survive being written and read again unchanged.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "model/ApplicationFile.h"
#include "model/Cp1250.h"
#include "model/Exception.h"

namespace {

const tavik::TRecZU& configured() {
    static const tavik::TRecZU undertaking(
        "JSK", tavik::cp1250::fromUtf8OrThrow("TOWARZYSTWO UBEZPIECZEŃ JASKÓŁKA SPÓŁKA AKCYJNA"));
    return undertaking;
}

std::string rewrite(tavik::DataRecord& document) {
    std::vector<tavik::ReadRecord> records = document.TakeRecords();
    std::vector<tavik::_RecData> entries;
    entries.reserve(records.size());
    for (auto& r : records)
        entries.push_back({r.record.get(), r.kind, 0});
    for (auto& e : entries)
        document.PobierzListe().push_back(&e);
    tavik::MemoryOutput out;
    if (!records.empty() && !document.ZapiszDoStrumienia(out)) std::abort();
    return out.bytes();
}

// What was accepted, written back, reads again and writes back to the same bytes.
void checkRoundTrip(tavik::DataRecord& document, int version) {
    const std::string first = rewrite(document);
    if (first.empty()) return;
    tavik::MemoryInput in(first);
    auto again = tavik::readApplicationFile(in, configured());
    if (again->version() != version || rewrite(*again) != first) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    // A whole file, header first.
    try {
        tavik::MemoryInput in(bytes);
        auto document = tavik::readApplicationFile(in, configured());
        checkRoundTrip(*document, document->version());
    } catch (const tavik::Exception&) {
    }

    // Records alone, the version chosen by the first byte: reaches the record reader without
    // the fuzzer having to find a header first.
    if (size > 0) {
        const int version = data[0] % 3 + 1;
        auto document = tavik::makeDocumentOfVersion(version);
        document->ZakladWzorcowy = std::make_unique<tavik::TRecZU>(configured());
        try {
            document->CzytajPlik(std::make_unique<tavik::MemoryInput>(bytes.substr(1)));
            checkRoundTrip(*document, version);
        } catch (const tavik::Exception&) {
        }
    }
    return 0;
}
