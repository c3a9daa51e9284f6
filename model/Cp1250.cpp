#include "model/Cp1250.h"

#include <algorithm>
#include <cstdio>

#include "model/Cp1250Table.h"
#include "model/Exception.h"

namespace tavik::cp1250 {

namespace {

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

std::string codePointName(char32_t cp) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(cp));
    return buffer;
}

}  // namespace

std::size_t decodeUtf8(std::string_view text, std::size_t pos, char32_t& cp) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[pos + i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        cp = lead;
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, cp = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, cp = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, cp = lead & 0x07, minimum = 0x10000;
    } else {
        return 0;
    }
    if (pos + length > text.size()) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (byte(i) & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return length;
}

std::string toUtf8(std::string_view cp1250Text) {
    std::string out;
    out.reserve(cp1250Text.size() + cp1250Text.size() / 4);
    for (char c : cp1250Text) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80)
            out.push_back(c);
        else
            appendUtf8(out, kHighHalf[b - 0x80]);
    }
    return out;
}

bool fromUtf8(std::string_view utf8Text, std::string& out, std::string* error) {
    std::string result;
    result.reserve(utf8Text.size());
    for (std::size_t pos = 0; pos < utf8Text.size();) {
        char32_t cp = 0;
        const std::size_t length = decodeUtf8(utf8Text, pos, cp);
        if (length == 0) {
            if (error)
                *error = "Tekst nie jest poprawnym tekstem UTF-8 (bajt nr " +
                         std::to_string(pos + 1) + ").";
            return false;
        }
        const int b = byteForCodePoint(cp);
        if (b < 0) {
            if (error)
                *error = "Znak \xE2\x80\x9E" + std::string(utf8Text.substr(pos, length)) +
                         "\xE2\x80\x9D (" + codePointName(cp) +
                         ") nie występuje w stronie kodowej 1250.";
            return false;
        }
        result.push_back(static_cast<char>(b));
        pos += length;
    }
    out = std::move(result);
    return true;
}

std::string fromUtf8OrThrow(std::string_view utf8Text) {
    std::string out;
    std::string error;
    if (!fromUtf8(utf8Text, out, &error)) throw Exception(error);
    return out;
}

int compareText(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const int wa = kCollation[static_cast<unsigned char>(a[i])];
        const int wb = kCollation[static_cast<unsigned char>(b[i])];
        if (wa != wb) return wa < wb ? -1 : 1;
    }
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}

void toUpperInPlace(std::string& cp1250Text) {
    for (char& c : cp1250Text)
        c = static_cast<char>(upperByte(static_cast<unsigned char>(c)));
}

std::string toUpper(std::string_view cp1250Text) {
    std::string out(cp1250Text);
    toUpperInPlace(out);
    return out;
}

}  // namespace tavik::cp1250
