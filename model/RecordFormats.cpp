#include "model/RecordFormats.h"

#include <cstring>
#include <span>
#include <typeinfo>

#include "model/Cp1250Texts.h"
#include "model/FieldOrders.h"

namespace tavik {

bool RpaFieldReader::readFieldSlowly(Field& field) {
    const char* head = in_.request(2);
    if (!head) return false;
    const std::size_t length = static_cast<unsigned char>(head[0]) |
                               (static_cast<std::size_t>(static_cast<unsigned char>(head[1])) << 8);
    const char* bytes = in_.request(2 + length);
    if (!bytes) return false;
    if (length > 0) field.assign({bytes + 2, length});
    in_.consume(2 + length);
    return true;
}

bool RpaFieldReader::ReadWord(std::uint32_t& value) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(in_.request(4));
    if (!bytes) return false;
    value = bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (std::uint32_t{bytes[3]} << 24);
    in_.consume(4);
    return true;
}

RpaFieldReader::Tag RpaFieldReader::ReadTag(Field& tag) {
    const char* head = in_.request(2);
    if (!head) return in_.available() == 0 ? Tag::End : Tag::Truncated;
    const std::size_t length = static_cast<unsigned char>(head[0]) |
                               (static_cast<std::size_t>(static_cast<unsigned char>(head[1])) << 8);
    if (length == 0) {
        in_.consume(2);
        return Tag::End;
    }
    if (length > 5) return Tag::TooLong;
    const char* bytes = in_.request(2 + length);
    if (!bytes) return Tag::Truncated;
    // The tag is a terminated string: one whose first byte is NUL is empty, and an empty tag
    // ends the file as a tag of length 0 does.
    if (bytes[2] == '\0') {
        in_.consume(2 + length);
        return Tag::End;
    }
    tag.assign({bytes + 2, length});
    in_.consume(2 + length);
    return Tag::Read;
}

void RpaFieldWriter::WriteField(const Field& field) {
    const std::uint16_t length = field.length();
    char* p = out_.room(2 + std::size_t{length});
    if (!p) return;  // the writer keeps the failure
    p[0] = static_cast<char>(length & 0xFF);
    p[1] = static_cast<char>(length >> 8);
    std::memcpy(p + 2, field.c_str(), length);
    out_.advance(2 + std::size_t{length});
}

void RpaFieldWriter::WriteWord(std::uint32_t value) {
    const char bytes[4] = {static_cast<char>(value), static_cast<char>(value >> 8),
                           static_cast<char>(value >> 16), static_cast<char>(value >> 24)};
    out_.write(bytes, 4);
}

RecordFormat::~RecordFormat() = default;

namespace {

template <class R>
class RecordFormatOf final : public RecordFormat {
public:
    RecordFormatOf(RecordKind kind, std::string_view tag, std::span<Field R::*const> fileOrder,
                   std::span<Field R::*const> checksumOrder, std::string_view trailer = {})
        : RecordFormat(kind, tag),
          fileOrder_(fileOrder),
          checksumOrder_(checksumOrder),
          trailer_(trailer) {}

    std::unique_ptr<TRecord> create() const override { return std::make_unique<R>(); }

    bool fits(const TRecord& record) const override { return typeid(record) == typeid(R); }

    bool read(TRecord& record, RpaFieldReader& in) const override {
        auto& r = static_cast<R&>(record);
        for (Field R::*member : fileOrder_)
            if (!in.ReadField(r.*member)) return false;
        return in.ReadWord(r.CRC);
    }

    void write(const TRecord& record, RpaFieldWriter& out) const override {
        const auto& r = static_cast<const R&>(record);
        out.WriteField(r.TypRekordu);
        for (Field R::*member : fileOrder_)
            out.WriteField(r.*member);
        out.WriteWord(r.CRC);
    }

    std::uint32_t checksum(const CRC32& calc, const TRecord& record) const override {
        return calc.orderedChecksum(static_cast<const R&>(record), checksumOrder_, trailer_);
    }

    char* writeFedBytes(const TRecord& record, char* out) const override {
        const auto& r = static_cast<const R&>(record);
        const auto put = [&out](std::string_view text) {
            const std::size_t covered = text.size() & 0xFF;
            *out++ = static_cast<char>(covered);
            std::memcpy(out, text.data(), covered);
            out += covered;
        };
        for (Field R::*member : checksumOrder_)
            put((r.*member).view());
        if (!trailer_.empty()) put(trailer_);
        return out;
    }

    std::size_t maxFedBytes() const override { return (checksumOrder_.size() + 1) * 256; }

private:
    std::span<Field R::*const> fileOrder_;
    std::span<Field R::*const> checksumOrder_;
    std::string_view trailer_;  // a constant text the checksum covers after the fields
};

namespace fo = file_order;
namespace co = checksum_order;

constexpr auto kPracownikFile = extendOrder<TRecPracownik>(fo::kOsoba);
constexpr auto kZarzadFile = extendOrder<TRecZarzad>(fo::kOsoba);
constexpr auto kPracownikChecksum = extendOrder<TRecPracownik>(co::kOsoba);
constexpr auto kZarzadChecksum = extendOrder<TRecZarzad>(co::kOsoba);

// The checksum each version carries for each record is the one its order gives.
const RecordFormatOf<TRecZU> zakladV1(KIND_ZAKLAD, texts::TAG_ZAKLAD, fo::kZakladV1, co::kZaklad);
const RecordFormatOf<TRecZU> zakladV2(KIND_ZAKLAD, texts::TAG_ZAKLAD, fo::kZakladV2,
                                      co::kZakladWithoutName, texts::EMPTY);
const RecordFormatOf<TRecWniosek> wniosek(KIND_WNIOSEK, texts::TAG_WNIOSEK, fo::kWniosek,
                                          co::kWniosek);
const RecordFormatOf<TRecAgenta> agentV1(KIND_AGENT, texts::TAG_AGENT, fo::kAgentV1, co::kAgent);
const RecordFormatOf<TRecAgenta2> agentV2(KIND_AGENT, texts::TAG_AGENT, fo::kAgentV2, co::kAgent2);
const RecordFormatOf<TRecAgenta3> agentV3(KIND_AGENT, texts::TAG_AGENT, fo::kAgentV3, co::kAgent3);
const RecordFormatOf<TRecPracownik> pracownik(KIND_PRACOWNIK, texts::TAG_PRACOWNIK, kPracownikFile,
                                              kPracownikChecksum);
const RecordFormatOf<TRecZarzad> zarzad(KIND_ZARZAD, texts::TAG_ZARZAD, kZarzadFile,
                                        kZarzadChecksum);
const RecordFormatOf<TRecPolisaOC> polisa(KIND_POLISA, texts::TAG_POLISA, fo::kPolisa, co::kPolisa);
const RecordFormatOf<TRecPolisaOC3> polisa3(KIND_POLISA, texts::TAG_POLISA, fo::kPolisa3,
                                            co::kPolisa3);
const RecordFormatOf<TRecPelnomocnictwo> pelnomocnictwo(KIND_PELNOMOCNICTWO,
                                                        texts::TAG_PELNOMOCNICTWO,
                                                        fo::kPelnomocnictwo, co::kPelnomocnictwo);

const FileVersion kVersion1{
    1,
    "LUNET 1.0",
    "03.11.13.0001",
    {&zakladV1, &wniosek, &agentV1, &pracownik, &polisa, &pelnomocnictwo, nullptr}};
const FileVersion kVersion2{
    2,
    "LUNET 2.0",
    "03.11.13.0001",
    {&zakladV2, &wniosek, &agentV2, &pracownik, &polisa, &pelnomocnictwo, &zarzad}};
const FileVersion kVersion3{
    3,
    "LUNET 3.0",
    "03.03.06.0002",
    {&zakladV2, &wniosek, &agentV3, &pracownik, &polisa3, &pelnomocnictwo, &zarzad}};

}  // namespace

const FileVersion& fileVersion1() {
    return kVersion1;
}
const FileVersion& fileVersion2() {
    return kVersion2;
}
const FileVersion& fileVersion3() {
    return kVersion3;
}

RecordKind parentKind(RecordKind kind) {
    switch (kind) {
        case KIND_WNIOSEK: return KIND_ZAKLAD;
        case KIND_AGENT: return KIND_WNIOSEK;
        default: return KIND_AGENT;
    }
}

std::string_view recordTypeName(RecordKind kind) {
    switch (kind) {
        case KIND_ZAKLAD: return "ZAKLAD UBEZPIECZEŃ";
        case KIND_WNIOSEK: return "WNIOSEK";
        case KIND_AGENT: return "AGENT";
        case KIND_PRACOWNIK: return "PRACOWNIK";
        case KIND_POLISA: return "POLISA";
        case KIND_PELNOMOCNICTWO: return "PELNOMOCNICTWO";
        case KIND_ZARZAD: return "CZŁ. ZARZĄDU";
        default: return "NIEZNANY";
    }
}

}  // namespace tavik

namespace tavik {

std::string recordBeforeParentMessage(RecordKind kind) {
    return "Błędna kolejność rekordów: rekord " + std::string(recordTypeName(kind)) +
           " występuje przed pierwszym rekordem " + std::string(recordTypeName(parentKind(kind))) +
           " !";
}

}  // namespace tavik
