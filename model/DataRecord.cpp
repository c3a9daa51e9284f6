#include "model/DataRecord.h"

#include <algorithm>

#include "model/Cp1250.h"
#include "model/Exception.h"
#include "model/FileMessages.h"
#include "model/RpaWriter.h"

namespace tavik {

namespace {

// The checksum failures name the application they occur in, each in its own spelling.
std::string checksumMessage(RecordKind kind, const std::string& number) {
    switch (kind) {
        case KIND_ZAKLAD: return "Błędna suma kontrolna dla rekordu ZAKLAD UBEZPIECZEŃ!";
        case KIND_WNIOSEK: return "Błędna suma kontrolna dla rekordu WNIOSEK\nWNIOSEK NR:" + number;
        case KIND_POLISA: return "Błędna suma kontrolna dla rekordu POLISA\nWNIOSEK NR:" + number;
        default:
            return "Błędna suma kontrolna dla rekordu " + std::string(recordTypeName(kind)) +
                   "\nWNIOSEK NR: " + number;
    }
}

std::string applicationNumber(const TRecWniosek* application) {
    return application ? cp1250::toUtf8(application->NumerWniosku.view()) : std::string();
}

int applicationKind(const Field& typWniosku) {
    if (typWniosku == texts::WPIS.view()) return 0;
    if (typWniosku == texts::AKTUALIZACJA.view()) return 1;
    if (typWniosku == texts::WYKRESLENIE.view()) return 2;
    return -1;
}

}  // namespace

DataRecord::DataRecord() = default;

DataRecord::~DataRecord() { WyczyscListe(); }

const FileVersion& DataRecord::format() const { return fileVersion1(); }

void DataRecord::WyczyscListe() {
    RecDataList.clear();
    readRecords_.clear();
    readEntries_.clear();
}

std::vector<ReadRecord> DataRecord::TakeRecords() {
    std::vector<ReadRecord> taken;
    taken.reserve(readRecords_.size());
    for (std::size_t i = 0; i < readRecords_.size(); ++i)
        taken.push_back({std::move(readRecords_[i]), static_cast<RecordKind>(readEntries_[i].kind)});
    WyczyscListe();
    return taken;
}

int DataRecord::GetRecordCountWn() const {
    return static_cast<int>(std::count_if(RecDataList.begin(), RecDataList.end(), [](auto* e) {
        return e->kind == KIND_WNIOSEK;
    }));
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
    const FileVersion& version = format();
    BufferedReader buffer(in);
    RpaFieldReader reader(buffer);
    TRecZU* lastZaklad = nullptr;
    TRecWniosek* lastWniosek = nullptr;
    TRecAgenta* lastAgent = nullptr;

    for (;;) {
        Field tag;
        switch (reader.ReadTag(tag)) {
            case RpaFieldReader::Tag::End: return;
            case RpaFieldReader::Tag::TooLong:
                throw Exception(std::string(file_messages::kTagTooLong));
            case RpaFieldReader::Tag::Truncated:
                throw Exception(std::string(file_messages::kEndInsideHeader));
            case RpaFieldReader::Tag::Read: break;
        }
        const RecordFormat* format = version.forTag(tag.view());
        if (!format) throw Exception(std::string(file_messages::kBadRecordHeader));
        const RecordKind kind = format->kind();

        std::unique_ptr<TRecord> record = format->create();
        if (!format->read(*record, reader)) {
            std::string message = std::string(file_messages::kEndInsideRecord) +
                                  std::string(recordTypeName(kind)) + " !";
            if (kind != KIND_ZAKLAD && lastWniosek)
                message += "\nWNIOSEK NR: " + applicationNumber(lastWniosek);
            throw Exception(message);
        }

        if (kind == KIND_WNIOSEK) {
            auto& application = static_cast<TRecWniosek&>(*record);
            application.RodzajWniosku = applicationKind(application.TypWniosku);
            if (application.RodzajWniosku < 0)
                throw Exception(std::string(file_messages::kBadApplicationKind) +
                                applicationNumber(&application));
        }
        if (format->checksum(crc_, *record) != record->CRC) {
            const TRecWniosek* named = kind == KIND_WNIOSEK
                                           ? static_cast<const TRecWniosek*>(record.get())
                                           : lastWniosek;
            throw Exception(checksumMessage(kind, applicationNumber(named)));
        }

        // Each record belongs to the last record of its parent kind; a file without one is
        // refused rather than read with a dangling record.
        const bool parentMissing = (kind == KIND_WNIOSEK && !lastZaklad) ||
                                   (kind == KIND_AGENT && !lastWniosek) ||
                                   (kind > KIND_AGENT && !lastAgent);
        if (parentMissing) throw Exception(recordBeforeParentMessage(kind));

        switch (kind) {
            case KIND_ZAKLAD: {
                auto* zaklad = static_cast<TRecZU*>(record.get());
                SprawdzZaklad(*zaklad);
                lastZaklad = zaklad;
                break;
            }
            case KIND_WNIOSEK: {
                auto* application = static_cast<TRecWniosek*>(record.get());
                application->Zaklad = lastZaklad;
                lastWniosek = application;
                break;
            }
            case KIND_AGENT: {
                auto* agent = static_cast<TRecAgenta*>(record.get());
                agent->Wniosek = lastWniosek;
                lastWniosek->Agent = agent;
                lastAgent = agent;
                break;
            }
            case KIND_PRACOWNIK:
            case KIND_ZARZAD: static_cast<TRecOsoba*>(record.get())->Agent = lastAgent; break;
            case KIND_POLISA: static_cast<TRecPolisaOC*>(record.get())->Agent = lastAgent; break;
            case KIND_PELNOMOCNICTWO:
                static_cast<TRecPelnomocnictwo*>(record.get())->Agent = lastAgent;
                break;
            default: break;
        }
        readEntries_.push_back({record.get(), kind, 0});
        RecDataList.push_back(&readEntries_.back());
        readRecords_.push_back(std::move(record));
    }
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

bool DataRecord::DodajZaklad(TRecZU* r, _RecData* e) { return add(r, e, KIND_ZAKLAD); }
bool DataRecord::DodajWniosek(TRecWniosek* r, _RecData* e) { return add(r, e, KIND_WNIOSEK); }
bool DataRecord::DodajAgenta(TRecAgenta* r, _RecData* e) { return add(r, e, KIND_AGENT); }
bool DataRecord::DodajPracownika(TRecPracownik* r, _RecData* e) {
    return add(r, e, KIND_PRACOWNIK);
}
bool DataRecord::DodajPolise(TRecPolisaOC* r, _RecData* e) { return add(r, e, KIND_POLISA); }
bool DataRecord::DodajPelnomocnictwo(TRecPelnomocnictwo* r, _RecData* e) {
    return add(r, e, KIND_PELNOMOCNICTWO);
}

// ---- Writing ---------------------------------------------------------------------------

bool DataRecord::writeRecord(const TRecord* record, RecordKind kind) {
    return writer_ && writer_->write(record, kind);
}

bool DataRecord::ZapiszRekordDoPliku(const TRecZU* r) { return writeRecord(r, KIND_ZAKLAD); }
bool DataRecord::ZapiszRekordDoPliku(const TRecAgenta* r) { return writeRecord(r, KIND_AGENT); }
bool DataRecord::ZapiszRekordDoPliku(const TRecPracownik* r) {
    return writeRecord(r, KIND_PRACOWNIK);
}
bool DataRecord::ZapiszRekordDoPliku(const TRecPolisaOC* r) { return writeRecord(r, KIND_POLISA); }
bool DataRecord::ZapiszRekordDoPliku(const TRecPelnomocnictwo* r) {
    return writeRecord(r, KIND_PELNOMOCNICTWO);
}
bool DataRecord::ZapiszRekordDoPliku(const TRecWniosek* r) { return writeRecord(r, KIND_WNIOSEK); }

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
