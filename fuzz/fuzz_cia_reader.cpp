// The text import on any bytes read as a .cia file with the bundled dictionary: it must read
// the file or refuse it with a message naming a line of it, never crash, leak or hang. What it
// reads is one record per line, linked as the lines say, checksummed as a version-3 file
// checksums it; and it is what the export writes: every record, exported once linked to its
// agent and application, imports again to the same record upper-cased. The listing of every
// problem of the lines agrees with the import: its first refusal is the line the import
// refuses, and without a refusal it reads the very records the import reads.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <typeinfo>

#include "dictionary/DictionaryFile.h"
#include "dictionary/Slownik.h"
#include "interchange/ReadCIA.h"
#include "interchange/TextExport.h"
#include "interchange/Warnings.h"
#include "model/Cp1250.h"
#include "model/Exception.h"
#include "model/RecordFormats.h"
#include "model/TextLines.h"

namespace {

using namespace tavik;

const Slownik& dictionary() {
    static const DictionaryFile d = readDictionaryFile(TAVIK_BUNDLED_DICTIONARY);
    return *d.dictionary;
}

const std::string& division() {
    static const std::string d =
        cp1250::fromUtf8OrThrow("POZOSTAŁE UBEZPIECZENIA OSOBOWE ORAZ UBEZPIECZENIA MAJĄTKOWE");
    return d;
}

[[noreturn]] void fail(const char* what, const std::string& detail = {}) {
    std::fprintf(stderr, "%s %s\n", what, detail.c_str());
    std::abort();
}

// The records of the lines, or the refusal's message.
std::vector<ReadRecord> import(const std::vector<std::string>& lines, std::string* refusal) {
    ReadCIA reader(dictionary(), "JSK", division());
    reader.DodajPlik("fuzz.cia", lines);
    try {
        reader.CzytajWszystko();
    } catch (const Exception& e) {
        *refusal = e.message();
        if (!reader.files()[0].records.empty()) fail("a refused file keeps records");
        return {};
    }
    return reader.TakeRecords(0);
}

void checkAsRead(const std::vector<ReadRecord>& records, std::size_t lineCount) {
    static const CRC32 calc;
    if (records.size() != lineCount) fail("not one record per line");
    const TRecWniosek* application = nullptr;
    for (const ReadRecord& r : records) {
        if (r.record->CRC != fileVersion3().forKind(r.kind)->checksum(calc, *r.record))
            fail("a checksum that is not the version-3 one");
        if (r.kind == KIND_WNIOSEK) {
            application = static_cast<const TRecWniosek*>(r.record.get());
        } else if (r.kind == KIND_AGENT) {
            const auto& agent = dynamic_cast<const TRecAgenta3&>(*r.record);
            if (!application || agent.Wniosek != application || application->Agent != &agent)
                fail("an agent not linked to its application");
        }
    }
}

// The listing reads the lines on past refusals, in line order, each finding at a line of the
// file. Returns the first refused line, or 0, and the number of records the listing read.
std::size_t listingOf(const std::vector<std::string>& lines, std::size_t& recordsRead) {
    ReadCIA reader(dictionary(), "JSK", division());
    const std::vector<LineFinding> findings = lineFindingsOf(reader, lines, {2026, 6, 1});
    recordsRead = reader.entries().size();
    std::size_t previous = 1, firstRefused = 0;
    for (const LineFinding& f : findings) {
        if (f.line < previous || f.line > lines.size()) fail("a finding out of line order");
        if (f.text.empty() || f.text.find('\n') != std::string::npos)
            fail("a finding that is not one line", f.text);
        previous = f.line;
        if (f.refusal && !firstRefused) firstRefused = f.line;
    }
    return firstRefused;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> lines = splitLines({reinterpret_cast<const char*>(data), size});
    std::string refusal;
    std::vector<ReadRecord> records = import(lines, &refusal);
    std::size_t listed = 0;
    const std::size_t firstRefused = listingOf(lines, listed);
    if (!refusal.empty()) {
        const std::string prefix = "Wystąpił błąd w linii ";
        if (refusal.compare(0, prefix.size(), prefix) != 0) fail("a refusal without its line");
        const std::size_t line = std::strtoul(refusal.c_str() + prefix.size(), nullptr, 10);
        if (line < 1 || line > lines.size()) fail("a refusal naming no line of the file", refusal);
        if (firstRefused != line) fail("the listing refuses another line first", refusal);
        return 0;
    }
    if (firstRefused || listed != records.size()) fail("the listing reads otherwise");
    checkAsRead(records, lines.size());

    // The export needs the links the window would make: the undertaking above every
    // application, the agent above every record below it (a stand-in before the first).
    TRecZU undertaking("JSK", "<E>");
    TRecWniosek standInApplication;
    standInApplication.Zaklad = &undertaking;
    TRecAgenta3 standInAgent;
    standInAgent.Wniosek = &standInApplication;
    TRecAgenta* agent = &standInAgent;
    std::vector<std::string> exported;
    for (ReadRecord& r : records) {
        TRecord* record = r.record.get();
        switch (r.kind) {
            case KIND_WNIOSEK: static_cast<TRecWniosek*>(record)->Zaklad = &undertaking; break;
            case KIND_AGENT: agent = static_cast<TRecAgenta*>(record); break;
            case KIND_PRACOWNIK:
            case KIND_ZARZAD: static_cast<TRecOsoba*>(record)->Agent = agent; break;
            case KIND_POLISA: static_cast<TRecPolisaOC*>(record)->Agent = agent; break;
            case KIND_PELNOMOCNICTWO:
                static_cast<TRecPelnomocnictwo*>(record)->Agent = agent;
                break;
            default: fail("a record of an unknown kind");
        }
        exported.push_back(exportLine(*record, r.kind, {}));
    }
    const std::vector<ReadRecord> again = import(exported, &refusal);
    if (!refusal.empty()) fail("an exported file is refused:", refusal);
    checkAsRead(again, exported.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        const TRecord& first = *records[i].record;
        const TRecord& second = *again[i].record;
        if (again[i].kind != records[i].kind || typeid(first) != typeid(second))
            fail("a record of another type");
        const auto a = first.fields(), b = second.fields();
        for (std::size_t f = 0; f < a.size(); ++f)
            if (b[f].field->view() != cp1250::toUpper(a[f].field->view()))
                fail("a field changes through the export:", std::string(a[f].name));
        if (records[i].kind == KIND_WNIOSEK &&
            static_cast<const TRecWniosek&>(first).RodzajWniosku !=
                static_cast<const TRecWniosek&>(second).RodzajWniosku)
            fail("the application's kind changes through the export");
    }
    return 0;
}
