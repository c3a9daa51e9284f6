// The tokenizer and the three dictionary readers on any bytes: they must refuse with a
// message or skip, never crash, leak or hang; and the tokenizer must give back the very line
// it cut.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "dictionary/Slownik.h"
#include "dictionary/SlownikZU.h"
#include "dictionary/SlownikZU3.h"
#include "model/Exception.h"
#include "model/TextLines.h"

namespace {

// The fields of a line joined with ";" are the line itself, for a line without line feeds
// whose fields fit the buffer.
void checkFieldsRebuildTheLine(const std::string& line) {
    if (line.find('\n') != std::string::npos) return;
    tavik::read_base reader;
    reader.UstawLinie(line);
    std::string joined;
    bool first = true;
    const int length = static_cast<int>(line.size());
    for (int calls = 0; reader.position() < length; ++calls) {
        if (calls > length + 1) std::abort();  // no progress
        std::string field;
        try {
            field = reader.NastepnePole(true);
        } catch (const tavik::read_error&) {
            return;  // a field past the buffer
        }
        joined += (first ? "" : ";") + field;
        first = false;
    }
    if (reader.position() == length && length > 0 && line.back() == ';') joined += ";";
    if (joined != line) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = tavik::splitLines(bytes);
    if (!lines.empty()) checkFieldsRebuildTheLine(lines.front());

    tavik::Slownik dictionary(lines);
    try {
        dictionary.Czytaj();
    } catch (const tavik::Exception&) {
    }
    tavik::SlownikZU undertakings(lines);
    undertakings.Czytaj();
    tavik::SlownikZU3 active(lines);
    active.Czytaj();
    // What the readers of undertakings keep can be found by its code.
    for (const auto& entry : undertakings.entries())
        if (!undertakings.findByCode(entry->Kod)) std::abort();
    return 0;
}
