#pragma once

#include <memory>
#include <string>

#include "model/ByteStream.h"
#include "model/FileStreams.h"
#include "model/RecordFormats.h"
#include "model/UserMessage.h"

namespace tavik {

// Writes one application file of one version: the header, then records, each of the class the
// version stores and after a record of its parent kind, each with its stored checksum. A file
// is written through a temporary and replaces the target only when every byte is on the disk;
// any failure leaves the target as it was and says why in failure().
class RpaWriter {
public:
    explicit RpaWriter(const FileVersion& version) : version_(version) {}
    ~RpaWriter();
    RpaWriter(const RpaWriter&) = delete;
    RpaWriter& operator=(const RpaWriter&) = delete;

    void start(OutputStream& out);
    bool startFile(const std::string& path);
    bool write(const TRecord* record, unsigned kind);
    // Flushes what is buffered; a file is then committed over its target.
    bool finish();
    // Flushes a file to its temporary and hands it over staged, not yet over its target, so
    // that several files can replace theirs together; null on failure.
    std::unique_ptr<AtomicFileOutput> finishStaged();
    void abandon();

    // The failure to write the file `path` for the reason given: the format's message, then
    // the file and the reason ("\nPlik: …\nPrzyczyna: …").
    static UserMessage writeFailure(const std::string& path, const std::string& reason);

    bool isOpen() const { return buffer_ != nullptr; }
    const UserMessage& failure() const { return failure_; }

private:
    void begin(OutputStream& out);
    bool fail(std::string text, MessageIcon icon);
    bool failWriting();

    const FileVersion& version_;
    std::unique_ptr<AtomicFileOutput> file_;
    std::string path_;  // the file being written, as given
    std::unique_ptr<BufferedWriter> buffer_;
    bool seen_[3] = {};  // an undertaking, an application, an agent written to this file
    UserMessage failure_;
};

}  // namespace tavik
