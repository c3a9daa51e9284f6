#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "model/ByteStream.h"
#include "model/CRC32.h"
#include "model/Recdata.h"

namespace tavik {

// One field as an application file stores it: a 16-bit little-endian length, then the bytes.
class RpaFieldReader {
public:
    explicit RpaFieldReader(BufferedReader& in) : in_(in) {}
    // False when the file ends inside the field.
    bool ReadField(Field& field) {
        if (const char* head = in_.request(2)) {
            const std::size_t length = static_cast<unsigned char>(head[0]) |
                                       (std::size_t{static_cast<unsigned char>(head[1])} << 8);
            if (in_.available() >= 2 + length) {
                if (length > 0) field.assignReadAhead(head + 2, length);
                in_.consume(2 + length);
                return true;
            }
        }
        return readFieldSlowly(field);
    }
    bool ReadWord(std::uint32_t& value);

    enum class Tag { Read, End, Truncated, TooLong };
    // The tag is the first field of a record; it holds at most 5 bytes. A tag of length 0, or
    // one whose first byte is NUL (an empty terminated string), is the end of the records.
    Tag ReadTag(Field& tag);

private:
    bool readFieldSlowly(Field& field);

    BufferedReader& in_;
};

class RpaFieldWriter {
public:
    explicit RpaFieldWriter(BufferedWriter& out) : out_(out) {}
    void WriteField(const Field& field);
    void WriteWord(std::uint32_t value);

private:
    BufferedWriter& out_;
};

// How one file version stores one kind of record: its class, its fields in file order and
// the checksum it carries.
class RecordFormat {
public:
    virtual ~RecordFormat();

    RecordKind kind() const { return kind_; }
    std::string_view tag() const { return tag_; }

    virtual std::unique_ptr<TRecord> create() const = 0;
    // True when the record is of the very class this version stores for the kind.
    virtual bool fits(const TRecord& record) const = 0;
    // The fields after the tag, then the checksum word; false when the file ends first.
    virtual bool read(TRecord& record, RpaFieldReader& in) const = 0;
    // The tag, the fields, then the stored checksum word, unchanged.
    virtual void write(const TRecord& record, RpaFieldWriter& out) const = 0;
    virtual std::uint32_t checksum(const CRC32& calc, const TRecord& record) const = 0;
    // Writes the bytes the checksum is computed over (see CRC32::checksumMany) and returns the
    // end of what it wrote; out must have room for maxFedBytes().
    virtual char* writeFedBytes(const TRecord& record, char* out) const = 0;
    virtual std::size_t maxFedBytes() const = 0;

protected:
    RecordFormat(RecordKind kind, std::string_view tag) : kind_(kind), tag_(tag) {}

private:
    RecordKind kind_;
    std::string_view tag_;
};

// One version of the application file.
struct FileVersion {
    int number;
    std::string_view mark;
    std::string_view dictionaryVersion;
    std::array<const RecordFormat*, 7> byKind;  // null where the version has no such record

    const RecordFormat* forKind(unsigned kind) const {
        return kind < byKind.size() ? byKind[kind] : nullptr;
    }
    const RecordFormat* forTag(std::string_view tag) const {
        if (tag.size() != 3) return nullptr;
        for (const RecordFormat* format : byKind)
            if (format && format->tag()[0] == tag[0] && format->tag()[1] == tag[1] &&
                format->tag()[2] == tag[2])
                return format;
        return nullptr;
    }
};

const FileVersion& fileVersion1();
const FileVersion& fileVersion2();
const FileVersion& fileVersion3();

// The parent kind a record of this kind links to: the undertaking for an application, the
// application for an agent, the agent for everything below it.
RecordKind parentKind(RecordKind kind);

// Record types as messages name them (UTF-8): "AGENT", "CZŁ. ZARZĄDU" …
std::string_view recordTypeName(RecordKind kind);

}  // namespace tavik

namespace tavik {

// "Błędna kolejność rekordów: rekord AGENT występuje przed pierwszym rekordem WNIOSEK !"
std::string recordBeforeParentMessage(RecordKind kind);

}  // namespace tavik
