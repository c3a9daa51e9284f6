#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/ByteStream.h"
#include "model/CRC32.h"
#include "model/RecordFormats.h"

namespace tavik {

// Reads the records of one application file after its header: each record of the version's
// classes, its checksum verified, linked to the last record of its parent kind. Records are
// handed over in file order as they are accepted; the first fault raises tavik::Exception
// with its message, after everything before it was handed over.
class RpaReader {
public:
    using CheckUndertaking = std::function<void(TRecZU&)>;
    using Accept = std::function<void(std::unique_ptr<TRecord>, RecordKind)>;

    RpaReader(const FileVersion& version, const CRC32& calc, CheckUndertaking checkUndertaking,
              Accept accept);

    void read(InputStream& in);

private:
    struct Pending {
        std::unique_ptr<TRecord> record;
        const RecordFormat* format;
    };

    // Reads one record; false at the end of the records. A damaged record leaves its message
    // in fault_ and returns false.
    bool readOne(RpaFieldReader& in);
    // Verifies the checksums of the pending records together, then accepts them in order.
    void acceptPending();
    void accept(Pending& pending, std::uint32_t computed);

    const FileVersion& version_;
    const CRC32& calc_;
    CheckUndertaking checkUndertaking_;
    Accept accept_;

    std::vector<Pending> pending_;
    std::vector<char> fed_;
    std::vector<std::size_t> fedEnds_;
    std::vector<std::string_view> fedViews_;
    std::vector<std::uint32_t> sums_;
    std::string fault_;
    const TRecWniosek* lastReadApplication_ = nullptr;  // for the messages of damaged records

    TRecZU* lastZaklad_ = nullptr;
    TRecWniosek* lastWniosek_ = nullptr;
    TRecAgenta* lastAgent_ = nullptr;
};

}  // namespace tavik
