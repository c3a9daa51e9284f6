#pragma once

#include <cstddef>
#include <string_view>

#include "model/Cp1250Table.h"

namespace tavik {

// A code page 1250 constant written in the source as UTF-8 and converted by the compiler:
// a character the code page cannot hold stops the build instead of slipping into a file.
template <std::size_t N>
struct Cp1250Literal {
    char bytes[N]{};
    std::size_t length = 0;

    consteval Cp1250Literal(const char (&utf8)[N]) {  // NOLINT: implicit on purpose
        for (std::size_t i = 0; i + 1 < N;) {
            const auto lead = static_cast<unsigned char>(utf8[i]);
            char32_t cp = 0;
            std::size_t size = 1;
            if (lead < 0x80) {
                cp = lead;
            } else if ((lead & 0xE0) == 0xC0) {
                cp = ((lead & 0x1F) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3F);
                size = 2;
            } else if ((lead & 0xF0) == 0xE0) {
                cp = ((lead & 0x0F) << 12) |
                     ((static_cast<unsigned char>(utf8[i + 1]) & 0x3F) << 6) |
                     (static_cast<unsigned char>(utf8[i + 2]) & 0x3F);
                size = 3;
            } else {
                throw "character outside code page 1250";
            }
            const int b = cp1250::byteForCodePoint(cp);
            if (b < 0) throw "character outside code page 1250";
            bytes[length++] = static_cast<char>(b);
            i += size;
        }
    }

    constexpr std::string_view view() const { return {bytes, length}; }
    constexpr operator std::string_view() const { return view(); }  // NOLINT
};

}  // namespace tavik
