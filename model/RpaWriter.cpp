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
    path_ = path;
    file_ = std::make_unique<AtomicFileOutput>(path);
    if (!file_->open()) {
        const std::string reason = file_->errorText();
        file_.reset();
        return fail(
            std::string(file_messages::kCannotCreate) + file_messages::fileAndReason(path, reason),
            MessageIcon::Error);
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
    if (buffer_->failed()) return failWriting();
    return true;
}

bool RpaWriter::finish() {
    if (!isOpen()) return false;
    if (!buffer_->flush() || (file_ && !file_->commit())) return failWriting();
    buffer_.reset();
    file_.reset();
    return true;
}

std::unique_ptr<AtomicFileOutput> RpaWriter::finishStaged() {
    if (!isOpen() || !file_) return nullptr;
    if (!buffer_->flush() || !file_->stage()) {
        failWriting();
        return nullptr;
    }
    buffer_.reset();
    for (bool& seen : seen_)
        seen = false;
    return std::move(file_);  // the caller publishes it, or drops it and so removes it
}

void RpaWriter::abandon() {
    buffer_.reset();
    file_.reset();  // removes an uncommitted temporary file
    for (bool& seen : seen_)
        seen = false;
}

UserMessage RpaWriter::writeFailure(const std::string& path, const std::string& reason) {
    return {std::string(file_messages::kCannotWrite) + file_messages::fileAndReason(path, reason),
            std::string(file_messages::kCaptionWarning), MessageIcon::Warning};
}

// A file names itself and the reason; a stream (a test's device) has neither.
bool RpaWriter::failWriting() {
    if (file_) {
        failure_ = writeFailure(path_, file_->errorText());
        abandon();
        return false;
    }
    return fail(std::string(file_messages::kCannotWrite), MessageIcon::Warning);
}

bool RpaWriter::fail(std::string text, MessageIcon icon) {
    failure_ = {std::move(text), std::string(file_messages::kCaptionWarning), icon};
    abandon();
    return false;
}

}  // namespace tavik
