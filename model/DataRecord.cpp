#include "model/DataRecord.h"

#include <algorithm>

#include "model/Exception.h"
#include "model/FileMessages.h"
#include "model/RpaReader.h"
#include "model/RpaWriter.h"

namespace tavik {

DataRecord::DataRecord() = default;

DataRecord::~DataRecord() {
    WyczyscListe();
}

const FileVersion& DataRecord::format() const {
    return fileVersion1();
}

void DataRecord::WyczyscListe() {
    RecDataList.clear();
    readRecords_.clear();
    readEntries_.clear();
}

std::vector<ReadRecord> DataRecord::TakeRecords() {
    std::vector<ReadRecord> taken;
    taken.reserve(readRecords_.size());
    for (std::size_t i = 0; i < readRecords_.size(); ++i)
        taken.push_back(
            {std::move(readRecords_[i]), static_cast<RecordKind>(readEntries_[i].kind)});
    WyczyscListe();
    return taken;
}

int DataRecord::GetRecordCountWn() const {
    return static_cast<int>(std::count_if(RecDataList.begin(), RecDataList.end(),
                                          [](auto* e) { return e->kind == KIND_WNIOSEK; }));
}

// ---- Reading ---------------------------------------------------------------------------

void DataRecord::SprawdzZaklad(TRecZU& read) const {
    if (!ZakladWzorcowy || !read.equals(*ZakladWzorcowy))
        throw Exception(std::string(file_messages::kForeignUndertaking));
}

bool DataRecord::CzytajPlik(std::unique_ptr<InputStream> handle) {
    if (!handle) return false;
    WyczyscListe();
    readRecords(*handle);  // the file closes with the handle, also when reading fails
    return true;
}

void DataRecord::readRecords(InputStream& in) {
    RpaReader reader(
        format(), crc_, [this](TRecZU& zaklad) { SprawdzZaklad(zaklad); },
        [this](std::unique_ptr<TRecord> record, RecordKind kind) {
            readEntries_.push_back({record.get(), kind, 0});
            RecDataList.push_back(&readEntries_.back());
            readRecords_.push_back(std::move(record));
        });
    reader.read(in);
}

// ---- Adding to the list ---------------------------------------------------------------

bool DataRecord::add(TRecord* record, _RecData* entry, RecordKind kind) {
    if (!entry) return false;
    if (!record) {
        entry->record = nullptr;
        return false;
    }
    *entry = {record, kind, 0};
    RecDataList.push_back(entry);
    return true;
}

bool DataRecord::DodajZaklad(TRecZU* r, _RecData* e) {
    return add(r, e, KIND_ZAKLAD);
}
bool DataRecord::DodajWniosek(TRecWniosek* r, _RecData* e) {
    return add(r, e, KIND_WNIOSEK);
}
bool DataRecord::DodajAgenta(TRecAgenta* r, _RecData* e) {
    return add(r, e, KIND_AGENT);
}
bool DataRecord::DodajPracownika(TRecPracownik* r, _RecData* e) {
    return add(r, e, KIND_PRACOWNIK);
}
bool DataRecord::DodajPolise(TRecPolisaOC* r, _RecData* e) {
    return add(r, e, KIND_POLISA);
}
bool DataRecord::DodajPelnomocnictwo(TRecPelnomocnictwo* r, _RecData* e) {
    return add(r, e, KIND_PELNOMOCNICTWO);
}

// ---- Writing ---------------------------------------------------------------------------

bool DataRecord::writeRecord(const TRecord* record, RecordKind kind) {
    return writer_ && writer_->write(record, kind);
}

bool DataRecord::ZapiszRekordDoPliku(const TRecZU* r) {
    return writeRecord(r, KIND_ZAKLAD);
}
bool DataRecord::ZapiszRekordDoPliku(const TRecAgenta* r) {
    return writeRecord(r, KIND_AGENT);
}
bool DataRecord::ZapiszRekordDoPliku(const TRecPracownik* r) {
    return writeRecord(r, KIND_PRACOWNIK);
}
bool DataRecord::ZapiszRekordDoPliku(const TRecPolisaOC* r) {
    return writeRecord(r, KIND_POLISA);
}
bool DataRecord::ZapiszRekordDoPliku(const TRecPelnomocnictwo* r) {
    return writeRecord(r, KIND_PELNOMOCNICTWO);
}
bool DataRecord::ZapiszRekordDoPliku(const TRecWniosek* r) {
    return writeRecord(r, KIND_WNIOSEK);
}

bool DataRecord::writeList(RpaWriter& writer) {
    writer_ = &writer;
    bool ok = true;
    for (const _RecData* entry : RecDataList)
        if (!(ok = writeRecord(entry->record, static_cast<RecordKind>(entry->kind)))) break;
    writer_ = nullptr;
    return ok && writer.finish();
}

void DataRecord::finishSave(const RpaWriter& writer, bool ok) {
    if (!ok) failure_ = writer.failure();
    RecDataList.clear();  // the entries only: the records stay with their owner
}

bool DataRecord::ZapiszDoPliku(const std::string& fileName) {
    failure_ = {};
    if (RecDataList.empty()) return false;
    RpaWriter writer(format());
    const bool ok = writer.startFile(fileName) && writeList(writer);
    finishSave(writer, ok);
    return ok;
}

bool DataRecord::ZapiszDoStrumienia(OutputStream& out) {
    failure_ = {};
    if (RecDataList.empty()) return false;
    RpaWriter writer(format());
    writer.start(out);
    const bool ok = writeList(writer);
    finishSave(writer, ok);
    return ok;
}

}  // namespace tavik
