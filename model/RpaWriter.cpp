#include "model/RpaWriter.h"

#include "model/FileHeader.h"
#include "model/FileMessages.h"

namespace tavik {

RpaWriter::~RpaWriter() {
    abandon();
}

void RpaWriter::start(OutputStream& out) {
    abandon();
    failure_ = {};
    begin(out);
}

void RpaWriter::begin(OutputStream& out) {
    buffer_ = std::make_unique<BufferedWriter>(out);
    writeFileHeader(*buffer_, version_);
}

bool RpaWriter::startFile(const std::string& path) {
    abandon();
    failure_ = {};
    file_ = std::make_unique<AtomicFileOutput>(path);
    if (!file_->open()) {
        file_.reset();
        return fail(std::string(file_messages::kCannotCreate), MessageIcon::Error);
    }
    begin(*file_);
    return true;
}

bool RpaWriter::write(const TRecord* record, unsigned kind) {
    // Records go into a file only after an application opened it.
    if (!isOpen())
        return fail(recordBeforeParentMessage(static_cast<RecordKind>(kind)), MessageIcon::Error);
    const RecordFormat* format = version_.forKind(kind);
    if (!record || !format || !format->fits(*record)) {
        const auto name = recordTypeName(static_cast<RecordKind>(kind));
        return fail("Nie można zapisać rekordu " + std::string(name) + " w pliku w wersji " +
                        std::to_string(version_.number) + "!",
                    MessageIcon::Error);
    }
    if (kind != KIND_ZAKLAD && !seen_[parentKind(format->kind())])
        return fail(recordBeforeParentMessage(format->kind()), MessageIcon::Error);
    if (kind <= KIND_AGENT) seen_[kind] = true;

    RpaFieldWriter fields(*buffer_);
    format->write(*record, fields);
    if (buffer_->failed())
        return fail(std::string(file_messages::kCannotWrite), MessageIcon::Warning);
    return true;
}

bool RpaWriter::finish() {
    if (!isOpen()) return false;
    const bool flushed = buffer_->flush();
    buffer_.reset();
    if (!flushed || (file_ && !file_->commit()))
        return fail(std::string(file_messages::kCannotWrite), MessageIcon::Warning);
    file_.reset();
    return true;
}

void RpaWriter::abandon() {
    buffer_.reset();
    file_.reset();  // removes an uncommitted temporary file
    for (bool& seen : seen_)
        seen = false;
}

bool RpaWriter::fail(std::string text, MessageIcon icon) {
    failure_ = {std::move(text), std::string(file_messages::kCaptionWarning), icon};
    abandon();
    return false;
}

}  // namespace tavik
