#pragma once

#include <memory>
#include <string>
#include <vector>

namespace tavik {

class Slownik;
class SlownikZU;
class SlownikZU3;

// The dictionary file read once into its three readers. They are shared: what was made with a
// dictionary (a document window) keeps it alive after a newer one has been read.
struct DictionaryFile {
    std::shared_ptr<const Slownik> dictionary;             // every code list
    std::shared_ptr<const SlownikZU> undertakings;         // every undertaking
    std::shared_ptr<const SlownikZU3> activeUndertakings;  // the undertakings still active
};

// Reads the dictionary file at `path` into its three readers. Raises tavik::Exception when the
// file cannot be read, and what Slownik::Czytaj raises (ECRC32Err for a line whose checksum does
// not match).
DictionaryFile readDictionaryFile(const std::string& path);
// The same over the lines of a dictionary file.
DictionaryFile readDictionaryLines(std::vector<std::string> lines);

}  // namespace tavik
