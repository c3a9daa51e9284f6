// The response readers on any bytes, through the version found in the text and through both
// readers whatever it is: they must refuse with a message or skip, never crash, leak or hang.
// Whatever they accept is linked as read and, written again with fresh checksums, reads to
// the same records. And a sample file with one byte changed where a checksum covers it is
// refused at that line.
#include <cstdint>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "interchange/ReadOdp.h"
#include "interchange/ReadOdp3.h"
#include "model/Exception.h"
#include "model/TextLines.h"
#include "tools/samples/SampleResponses.h"

namespace {

using namespace tavik;

const std::string& code() {
    static const std::string c = samples::sampleResponseCode();
    return c;
}

std::unique_ptr<ReadOdp> readerFor(int version) {
    if (version == 3) return std::make_unique<ReadOdp3>(code());
    return std::make_unique<ReadOdp>(code());
}

void require(bool condition) {
    if (!condition) std::abort();
}

// The links of each record as positions in the list (-1 for none); each must point back to
// a record of the right kind read before it.
std::vector<int> linksOf(const std::vector<ReadRecord>& records, int version) {
    std::map<const TRecord*, int> index{{nullptr, -1}};
    std::vector<int> links;
    const TRecord* header = nullptr;
    const TRecord* agent = nullptr;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const TRecord* r = records[i].record.get();
        index[r] = static_cast<int>(i);
        switch (records[i].kind) {
            case KIND_ODPOWIEDZ: {
                const auto* h = dynamic_cast<const TRecOdpowiedz*>(r);
                require(h != nullptr);
                header = r;
                // Set by a later agent of this header in version 3, so checked there.
                links.push_back(-1);
                break;
            }
            case KIND_AGENT_ODP: {
                const auto* a = dynamic_cast<const TRecAgentOdp*>(r);
                require(a != nullptr && a->Odpowiedz == header);
                agent = r;
                links.push_back(index[a->Odpowiedz]);
                break;
            }
            case KIND_PRACOWNIK_ODP:
            case KIND_ZARZAD_ODP:
            case KIND_PELNOMOCNICTWO_ODP:
            case KIND_POLISA_ODP: {
                const auto& m = dynamic_cast<const ResponseMembers&>(*r);
                require(m.AgentOdp == agent);
                links.push_back(index[m.AgentOdp]);
                break;
            }
            default: std::abort();
        }
    }
    // A header names the last agent read after it, in version 3 only.
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (records[i].kind != KIND_ODPOWIEDZ) continue;
        const TRecAgentOdp* expected = nullptr;
        for (std::size_t j = i + 1; version == 3 && j < records.size(); ++j) {
            if (records[j].kind == KIND_ODPOWIEDZ) break;
            if (records[j].kind == KIND_AGENT_ODP)
                expected = static_cast<const TRecAgentOdp*>(records[j].record.get());
        }
        require(static_cast<const TRecOdpowiedz&>(*records[i].record).AgentOdp == expected);
    }
    return links;
}

void requireSame(const std::vector<ReadRecord>& a, const std::vector<ReadRecord>& b, int version) {
    require(a.size() == b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        require(a[i].kind == b[i].kind);
        const auto fa = a[i].record->fields();
        const auto fb = b[i].record->fields();
        require(fa.size() == fb.size());
        for (std::size_t f = 0; f < fa.size(); ++f)
            require(fa[f].field->view() == fb[f].field->view());
    }
    require(linksOf(a, version) == linksOf(b, version));
}

// What a reader accepted, written again line by line, reads to the same records.
void checkAccepted(ReadOdp& reader, int version) {
    const std::vector<ReadRecord> records = reader.TakeRecords();
    linksOf(records, version);
    std::vector<std::string> lines;
    for (const ReadRecord& r : records)
        lines.push_back(samples::responseLine(*r.record, r.kind, version, code(), "REF"));
    auto again = readerFor(version);
    again->CzytajLinie(lines);  // a refusal escapes and is reported as a crash
    requireSame(records, again->TakeRecords(), version);
}

void readAnyBytes(const std::string& bytes) {
    const std::vector<std::string> lines = splitLines(bytes);
    const int found = responseFileVersion(bytes);
    for (int version : {found, 1, 3}) {
        if (version == -1) continue;
        auto reader = readerFor(version);
        try {
            reader->CzytajLinie(lines);
        } catch (const Exception&) {
            require(reader->entries().empty());
            continue;
        }
        checkAccepted(*reader, version);
    }
}

// One byte of a sample file changed after the tag, inside what the line's checksum covers.
void readDamagedSample(const std::uint8_t* data) {
    const int version = data[0] & 1 ? 3 : 1;
    const samples::SampleResponse sample(version, {1 + data[1] % 2, 1, 1, 1, 1}, data[1]);
    std::vector<std::string> lines = sample.lines();
    const std::size_t index = data[2] % lines.size();
    std::string& line = lines[index];
    const std::size_t covered = line.rfind(';') & 0xFF;
    if (covered <= 3) return;
    const std::size_t at = 3 + (data[3] | data[4] << 8) % (covered - 3);
    const char was = line[at];
    line[at] =
        static_cast<char>(data[5]) == was ? static_cast<char>(was ^ 1) : static_cast<char>(data[5]);
    std::string text;
    for (const std::string& l : lines)
        text += l + "\r\n";
    auto reader = readerFor(version);
    try {
        reader->Czytaj(text);
    } catch (const Exception& e) {
        const std::string prefix = "Wystąpił błąd w linii " + std::to_string(index + 1) + "\n";
        require(e.message().rfind(prefix, 0) == 0 && reader->entries().empty());
        return;
    }
    std::abort();  // the change went unnoticed
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    readAnyBytes(std::string(reinterpret_cast<const char*>(data), size));
    if (size >= 6) readDamagedSample(data);
    return 0;
}
