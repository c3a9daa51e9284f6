#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "dictionary/Slownik.h"
#include "model/CRC32.h"
#include "model/Recdata.h"
#include "model/read_base.h"

namespace tavik {

template <class R, class Rows>
struct CiaRecordType;
template <class R>
struct CiaFieldRow;

// The text import: reads .cia files, one record per line, into lists of new records. Every
// field is checked against its length, coded values against the dictionary, the undertaking
// against the configured one; every record passes its check and gets its checksum. The first
// failure of a file discards everything read from it.
class ReadCIA : public read_base {
public:
    // Error codes of the reader besides the tokenizer's.
    static constexpr int kRecordUnreadable = 11;
    static constexpr int kRecordInvalid = 12;

    struct File {
        std::string name;
        std::vector<std::string> lines;   // code page 1250, without line ends
        std::vector<ReadRecord> records;  // what was imported from these lines
    };

    // The code and the division are code page 1250 texts; the division is named as the
    // dictionary's list of divisions names it, and only the first two have a list of groups.
    ReadCIA(const Slownik& dictionary, std::string undertakingCode, std::string insuranceDivision);
    ~ReadCIA() override;
    ReadCIA(const ReadCIA&) = delete;
    ReadCIA& operator=(const ReadCIA&) = delete;

    void DodajPlik(std::string name, std::vector<std::string> lines);

    // Reads every file into its own list, in order. The first failure raises tavik::Exception
    // with the line's number in front of its message; that file's list is then empty and the
    // files after it are not read, while the files before it keep their records.
    void CzytajWszystko();

    // Reads the lines into the current list: the list of the file being read, or, outside
    // CzytajWszystko, the reader's own entries(). Raises as CzytajWszystko does.
    virtual void CzytajLinie(const std::vector<std::string>& lines);

    struct LineRefusal {
        std::size_t line;  // from 1
        std::string message;
    };
    // Reads the lines of one file into entries(), going on past every refused line: returns
    // the refusals (without the line prefix) and sets recordLines to the line of each record
    // kept. A record below a refused one is read as if that one were not there.
    std::vector<LineRefusal> CzytajKazdaLinie(const std::vector<std::string>& lines,
                                              std::vector<std::size_t>& recordLines);

    const std::vector<File>& files() const { return files_; }
    // The records of a file with their ownership; the file's list is empty afterwards.
    std::vector<ReadRecord> TakeRecords(std::size_t file);
    // The list CzytajLinie fills when called on its own.
    std::vector<ReadRecord>& entries() { return ownEntries_; }

private:
    void readLine(const std::string& line);
    template <class R, class Rows>
    void readRecord(const CiaRecordType<R, Rows>& type);
    template <class R, class Rows>
    void readField(R& record, const CiaRecordType<R, Rows>& type, const CiaFieldRow<Rows>& row,
                   bool lastOfLine);
    void afterFields(TRecAgenta3& agent);
    void afterFields(TRecord&) {}
    void accepted(TRecWniosek& application);
    void accepted(TRecAgenta3& agent);
    void accepted(TRecord&) {}

    const Slownik& dictionary_;
    const std::string undertakingCode_;
    const std::string insuranceDivision_;
    const DictionaryList* insuranceGroups_;  // null when the division has no list of groups
    const CRC32 crc_;

    std::vector<File> files_;
    std::vector<ReadRecord> ownEntries_;
    std::vector<ReadRecord>* entries_ = &ownEntries_;
    TRecWniosek* currentApplication_ = nullptr;  // the agents of the lines below belong to it
};

}  // namespace tavik
