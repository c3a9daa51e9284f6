#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "model/Recdata.h"

namespace tavik {

// The checksum of records and dictionary lines: a table-driven CRC-32 with the reflected
// IEEE 802.3 polynomial that starts from 0 and feeds each field's length (its low 8 bits) as
// one byte before the field's bytes. Stored files depend on every detail of it.
//
// All operations take the running value by reference; record operations start from 0, invert
// at the end, return true, and return false when given no record.
class CRC32 {
public:
    using Table = std::array<std::uint32_t, 256>;

    CRC32();

    void CalcCrc32(std::uint8_t b, std::uint32_t& crc) const {
        crc = table_[(crc ^ b) & 0xFF] ^ (crc >> 8);
    }
    // Feeds length AND 255 as a byte, then only that many bytes of the value.
    void CRC32ForField(const Field& field, std::uint32_t& crc) const {
        CRC32ForText(field.view(), crc);
    }
    void CRC32ForText(std::string_view text, std::uint32_t& crc) const;
    bool CRC32Dict(std::string_view text, std::uint32_t& crc) const;

    bool CRC32RecZaklad(const TRecZU* rec, std::uint32_t& crc) const;
    bool CRC32RecZaklad2(const TRecZU* rec, std::uint32_t& crc) const;
    bool CRC32RecWniosek(const TRecWniosek* rec, std::uint32_t& crc) const;
    bool CRC32RecAgent(const TRecAgenta* rec, std::uint32_t& crc) const;
    bool CRC32RecAgent3(const TRecAgenta3* rec, std::uint32_t& crc) const;
    bool CRC32RecPracownik(const TRecPracownik* rec, std::uint32_t& crc) const;
    bool CRC32RecZarzad(const TRecZarzad* rec, std::uint32_t& crc) const;
    bool CRC32RecPelnomocnictwo(const TRecPelnomocnictwo* rec, std::uint32_t& crc) const;
    bool CRC32RecPolisaOC(const TRecPolisaOC* rec, std::uint32_t& crc) const;
    bool CRC32RecPolisaOC3(const TRecPolisaOC3* rec, std::uint32_t& crc) const;

    // The record checksum over the fields of an order, then an optional constant text.
    template <class R>
    std::uint32_t orderedChecksum(const R& record, std::span<Field R::*const> order,
                                  std::string_view trailer = {}) const {
        std::uint32_t crc = 0;
        for (Field R::*member : order)
            CRC32ForField(record.*member, crc);
        if (!trailer.empty()) CRC32ForText(trailer, crc);
        return ~crc;
    }

    // For each byte string: crc := 0, feed every byte, crc := NOT crc. The same values as one
    // at a time, faster: four strings are fed side by side so that their look-ups overlap.
    void checksumMany(std::span<const std::string_view> fed, std::span<std::uint32_t> out) const;

    std::uint32_t tableEntry(std::uint8_t n) const { return table_[n]; }

private:
    const Table& table_;
};

}  // namespace tavik
