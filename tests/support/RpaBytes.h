#pragma once

// Builds application-file bytes by hand, independently of the writer under test.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "model/Cp1250.h"

namespace tavik::test {

inline std::string u8(std::string_view utf8) {
    return cp1250::fromUtf8OrThrow(utf8);
}

// A number whose last digit, its check digit, is one off.
inline std::string wrongLast(std::string number) {
    number.back() = static_cast<char>('0' + (number.back() - '0' + 1) % 10);
    return number;
}

inline std::string le16(std::uint16_t v) {
    return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
}

inline std::string le32(std::uint32_t v) {
    return {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
            static_cast<char>(v >> 24)};
}

inline std::string field(std::string_view text) {
    return le16(static_cast<std::uint16_t>(text.size())) + std::string(text);
}

inline std::string fields(std::initializer_list<std::string_view> texts) {
    std::string out;
    for (std::string_view t : texts)
        out += field(t);
    return out;
}

inline std::string header(std::string_view mark, std::string_view dictionary,
                          std::uint32_t word = 4096) {
    std::string out = le32(word);
    std::string m(mark), d(dictionary);
    m.resize(10, '\0');
    d.resize(14, '\0');
    return out + m + d;
}

inline std::string headerOfVersion(int version) {
    switch (version) {
        case 1: return header("LUNET 1.0", "03.11.13.0001");
        case 2: return header("LUNET 2.0", "03.11.13.0001");
        default: return header("LUNET 3.0", "03.03.06.0002");
    }
}

// An independent CRC: bit by bit, no table, so that a fault in the table cannot hide itself.
inline void referenceFeed(std::uint32_t& crc, unsigned char byte) {
    crc ^= byte;
    for (int k = 0; k < 8; ++k)
        crc = (crc & 1) ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
}

template <class Texts>
std::uint32_t referenceChecksum(const Texts& texts) {
    std::uint32_t crc = 0;
    for (std::string_view t : texts) {
        const std::size_t covered = t.size() & 0xFF;
        referenceFeed(crc, static_cast<unsigned char>(covered));
        for (std::size_t i = 0; i < covered; ++i)
            referenceFeed(crc, static_cast<unsigned char>(t[i]));
    }
    return ~crc;
}
inline std::uint32_t referenceChecksum(std::initializer_list<std::string_view> texts) {
    return referenceChecksum<std::initializer_list<std::string_view>>(texts);
}

}  // namespace tavik::test
