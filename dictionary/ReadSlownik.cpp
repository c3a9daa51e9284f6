#include "dictionary/ReadSlownik.h"

#include "model/Exception.h"
#include "model/FileStreams.h"
#include "model/TextLines.h"

namespace tavik {

ReadSlownik::~ReadSlownik() = default;

void ReadSlownik::addEntry(std::unique_ptr<DictItem> entry) {
    byCode_.try_emplace(entry->Kod, entry.get());
    entries_.push_back(std::move(entry));
}

const DictItem* ReadSlownik::findByCode(std::string_view code) const {
    const auto found = byCode_.find(std::string(code));
    return found == byCode_.end() ? nullptr : found->second;
}

std::vector<std::string> loadDictionaryLines(const std::string& path) {
    std::string bytes, reason;
    if (!readWholeFile(path, bytes, &reason))
        throw Exception("Nie można odczytać słownika " + path + ": " + reason + ".");
    return splitLines(bytes);
}

}  // namespace tavik
