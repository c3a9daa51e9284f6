#include "model/RpaReader.h"

#include "model/Cp1250.h"
#include "model/Exception.h"
#include "model/FileMessages.h"

namespace tavik {

namespace {

// Checksums are verified in batches of this many records, several side by side.
constexpr std::size_t kBatch = 256;

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

RpaReader::RpaReader(const FileVersion& version, const CRC32& calc,
                     CheckUndertaking checkUndertaking, Accept accept)
    : version_(version),
      calc_(calc),
      checkUndertaking_(std::move(checkUndertaking)),
      accept_(std::move(accept)) {
    pending_.reserve(kBatch);
}

void RpaReader::read(InputStream& in) {
    BufferedReader buffer(in);
    RpaFieldReader fields(buffer);
    while (readOne(fields))
        if (pending_.size() == kBatch) acceptPending();
    // Whatever came before a damaged record is accepted, or refused for its own fault first.
    acceptPending();
    if (!fault_.empty()) throw Exception(fault_);
}

bool RpaReader::readOne(RpaFieldReader& in) {
    Field tag;
    switch (in.ReadTag(tag)) {
        case RpaFieldReader::Tag::End: return false;
        case RpaFieldReader::Tag::TooLong: fault_ = file_messages::kTagTooLong; return false;
        case RpaFieldReader::Tag::Truncated: fault_ = file_messages::kEndInsideHeader; return false;
        case RpaFieldReader::Tag::Read: break;
    }
    const RecordFormat* format = version_.forTag(tag.view());
    if (!format) {
        fault_ = file_messages::kBadRecordHeader;
        return false;
    }
    std::unique_ptr<TRecord> record = format->create();
    if (!format->read(*record, in)) {
        fault_ = std::string(file_messages::kEndInsideRecord) +
                 std::string(recordTypeName(format->kind())) + " !";
        if (format->kind() > KIND_WNIOSEK && lastReadApplication_)
            fault_ += "\nWNIOSEK NR: " + applicationNumber(lastReadApplication_);
        return false;
    }
    if (format->kind() == KIND_WNIOSEK)
        lastReadApplication_ = static_cast<const TRecWniosek*>(record.get());
    pending_.push_back({std::move(record), format});
    return true;
}

void RpaReader::acceptPending() {
    fedEnds_.clear();
    std::size_t used = 0;
    for (const Pending& p : pending_) {
        if (fed_.size() < used + p.format->maxFedBytes())
            fed_.resize(2 * (used + p.format->maxFedBytes()));
        used = p.format->writeFedBytes(*p.record, fed_.data() + used) - fed_.data();
        fedEnds_.push_back(used);
    }
    fedViews_.clear();
    std::size_t start = 0;
    for (std::size_t end : fedEnds_) {
        fedViews_.emplace_back(fed_.data() + start, end - start);
        start = end;
    }
    sums_.resize(pending_.size());
    calc_.checksumMany(fedViews_, sums_);

    for (std::size_t i = 0; i < pending_.size(); ++i)
        accept(pending_[i], sums_[i]);
    pending_.clear();
}

void RpaReader::accept(Pending& pending, std::uint32_t computed) {
    TRecord* record = pending.record.get();
    const RecordKind kind = pending.format->kind();

    if (kind == KIND_WNIOSEK) {
        auto* application = static_cast<TRecWniosek*>(record);
        application->RodzajWniosku = applicationKind(application->TypWniosku);
        if (application->RodzajWniosku < 0)
            throw Exception(std::string(file_messages::kBadApplicationKind) +
                            applicationNumber(application));
    }
    if (computed != record->CRC) {
        const TRecWniosek* named =
            kind == KIND_WNIOSEK ? static_cast<const TRecWniosek*>(record) : lastWniosek_;
        throw Exception(checksumMessage(kind, applicationNumber(named)));
    }

    // Each record belongs to the last record of its parent kind; a file without one is refused
    // rather than read with a record that belongs nowhere.
    const bool parentMissing = (kind == KIND_WNIOSEK && !lastZaklad_) ||
                               (kind == KIND_AGENT && !lastWniosek_) ||
                               (kind > KIND_AGENT && !lastAgent_);
    if (parentMissing) throw Exception(recordBeforeParentMessage(kind));

    switch (kind) {
        case KIND_ZAKLAD: {
            auto* zaklad = static_cast<TRecZU*>(record);
            checkUndertaking_(*zaklad);
            lastZaklad_ = zaklad;
            break;
        }
        case KIND_WNIOSEK: {
            auto* application = static_cast<TRecWniosek*>(record);
            application->Zaklad = lastZaklad_;
            lastWniosek_ = application;
            break;
        }
        case KIND_AGENT: {
            auto* agent = static_cast<TRecAgenta*>(record);
            agent->Wniosek = lastWniosek_;
            lastWniosek_->Agent = agent;
            lastAgent_ = agent;
            break;
        }
        case KIND_PRACOWNIK:
        case KIND_ZARZAD: static_cast<TRecOsoba*>(record)->Agent = lastAgent_; break;
        case KIND_POLISA: static_cast<TRecPolisaOC*>(record)->Agent = lastAgent_; break;
        case KIND_PELNOMOCNICTWO:
            static_cast<TRecPelnomocnictwo*>(record)->Agent = lastAgent_;
            break;
        default: break;
    }
    accept_(std::move(pending.record), kind);
}

}  // namespace tavik
