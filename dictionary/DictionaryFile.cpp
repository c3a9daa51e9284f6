#include "dictionary/DictionaryFile.h"

#include "dictionary/Slownik.h"
#include "dictionary/SlownikZU.h"
#include "dictionary/SlownikZU3.h"

namespace tavik {

namespace {

template <class Reader>
std::shared_ptr<const Reader> read(std::vector<std::string> lines) {
    auto reader = std::make_shared<Reader>(std::move(lines));
    reader->Czytaj();
    return reader;
}

}  // namespace

DictionaryFile readDictionaryFile(const std::string& path) {
    return readDictionaryLines(loadDictionaryLines(path));
}

DictionaryFile readDictionaryLines(std::vector<std::string> lines) {
    DictionaryFile file;
    // The code lists first: a damaged line refuses the whole file before anything else is read.
    file.dictionary = read<Slownik>(lines);
    file.undertakings = read<SlownikZU>(lines);
    file.activeUndertakings = read<SlownikZU3>(std::move(lines));
    return file;
}

}  // namespace tavik
