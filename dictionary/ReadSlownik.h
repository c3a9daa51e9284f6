#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "dictionary/DictionaryList.h"
#include "model/read_base.h"

namespace tavik {

// The common base of the dictionary readers: the file's lines, the tokenizer, and the list of
// entries the undertaking readers fill.
class ReadSlownik : public read_base {
public:
    // The lines of a dictionary file (code page 1250).
    explicit ReadSlownik(std::vector<std::string> lines) : lines_(std::move(lines)) {}
    ~ReadSlownik() override;

    // Reads the lines into the reader's lists; called once after construction.
    virtual void Czytaj() {}

    const std::vector<std::unique_ptr<DictItem>>& entries() const { return entries_; }
    // The entry of the code (the first one in file order), or null.
    const DictItem* findByCode(std::string_view code) const;

protected:
    void addEntry(std::unique_ptr<DictItem> entry);

    std::vector<std::string> lines_;
    std::vector<std::unique_ptr<DictItem>> entries_;

private:
    std::unordered_map<std::string, const DictItem*> byCode_;
};

// Loads the lines of a dictionary file; raises tavik::Exception when it cannot be read.
std::vector<std::string> loadDictionaryLines(const std::string& path);

}  // namespace tavik
