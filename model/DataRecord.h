#pragma once

#include <deque>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "model/ByteStream.h"
#include "model/CRC32.h"
#include "model/Recdata.h"
#include "model/RecordFormats.h"
#include "model/UserMessage.h"

namespace tavik {

class RpaWriter;

// The document of a version-1 application file, and the base of the later versions.
//
// Its record list is a hand-over list: the reader fills it and the window takes the records
// into its tree (TakeRecords); before a save the window lists its own records and the writer
// empties the list again. Records the reader made belong to the document until taken; records
// the window lists stay the window's.
class DataRecord {
public:
    DataRecord();
    virtual ~DataRecord();
    DataRecord(const DataRecord&) = delete;
    DataRecord& operator=(const DataRecord&) = delete;

    // The undertaking configured for the program; set before a file is read.
    std::unique_ptr<TRecZU> ZakladWzorcowy;

    // Writes the listed records through a temporary file that replaces fileName only when all
    // is written. False when the list is empty (no file is made) or the save fails; a failure
    // leaves lastFailure() for the window to show. The list is empty afterwards.
    virtual bool ZapiszDoPliku(const std::string& fileName);
    // Reads every record after the header; false when given no file. Raises tavik::Exception
    // on a damaged or foreign file; what was accepted before stays listed.
    virtual bool CzytajPlik(std::unique_ptr<InputStream> handle);
    virtual void WyczyscListe();
    // Raises tavik::Exception when the undertaking read is not the configured one.
    virtual void SprawdzZaklad(TRecZU& read) const;

    // Each writes one record to the file being saved; false when none is being saved, when
    // given no record, or when the record is not of the class this version stores.
    bool ZapiszRekordDoPliku(const TRecZU* record);
    bool ZapiszRekordDoPliku(const TRecAgenta* record);
    bool ZapiszRekordDoPliku(const TRecPracownik* record);
    bool ZapiszRekordDoPliku(const TRecPolisaOC* record);
    bool ZapiszRekordDoPliku(const TRecPelnomocnictwo* record);
    bool ZapiszRekordDoPliku(const TRecWniosek* record);

    // Each fills the entry and appends it; false, adding nothing, without a record or entry.
    bool DodajZaklad(TRecZU* record, _RecData* entry);
    bool DodajWniosek(TRecWniosek* record, _RecData* entry);
    bool DodajAgenta(TRecAgenta* record, _RecData* entry);
    bool DodajPracownika(TRecPracownik* record, _RecData* entry);
    bool DodajPolise(TRecPolisaOC* record, _RecData* entry);
    bool DodajPelnomocnictwo(TRecPelnomocnictwo* record, _RecData* entry);

    std::list<_RecData*>& PobierzListe() { return RecDataList; }
    int GetRecordCountWn() const;

    // Writes the listed records to a stream, as ZapiszDoPliku does to a file.
    bool ZapiszDoStrumienia(OutputStream& out);
    // The records the reader made, in list order; the list is empty afterwards.
    std::vector<ReadRecord> TakeRecords();

    int version() const { return format().number; }
    const UserMessage& lastFailure() const { return failure_; }

protected:
    virtual const FileVersion& format() const;
    bool add(TRecord* record, _RecData* entry, RecordKind kind);
    bool writeRecord(const TRecord* record, RecordKind kind);
    // Writes the list to the open writer and empties the list.
    bool writeList(RpaWriter& writer);
    void finishSave(const RpaWriter& writer, bool ok);

    CRC32 crc_;
    std::list<_RecData*> RecDataList;
    UserMessage failure_;

private:
    void readRecords(InputStream& in);

    RpaWriter* writer_ = nullptr;  // the file being saved
    std::vector<std::unique_ptr<TRecord>> readRecords_;
    std::deque<_RecData> readEntries_;
};

}  // namespace tavik
