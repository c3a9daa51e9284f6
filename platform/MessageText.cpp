#include "platform/MessageText.h"

#include <exception>
#include <new>

namespace tavik::platform {

namespace {

void appendEscaped(std::string& out, unsigned value) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    out += "\\x";
    out += kHex[(value >> 4) & 0xF];
    out += kHex[value & 0xF];
}

// The length of the valid UTF-8 sequence at text[i] and its code point, or 0 when the byte
// there does not start one (overlong forms, surrogates and values past U+10FFFF are invalid).
std::size_t sequenceAt(std::string_view text, std::size_t i, char32_t& cp) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned lead = byte(i);
    std::size_t length = 0;
    char32_t min = 0;
    if (lead < 0x80) {
        cp = lead;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, cp = lead & 0x1F, min = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, cp = lead & 0x0F, min = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, cp = lead & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (i + length > text.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (byte(i + k) & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return length;
}

bool isControl(char32_t cp) {
    return (cp < 0x20 && cp != U'\n') || (cp >= 0x7F && cp <= 0x9F);
}

}  // namespace

std::string showableText(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t cp = 0;
        const std::size_t length = sequenceAt(utf8, i, cp);
        if (length == 0) {
            appendEscaped(out, static_cast<unsigned char>(utf8[i]));
            ++i;
        } else if (isControl(cp)) {
            appendEscaped(out, static_cast<unsigned>(cp));
            i += length;
        } else {
            out.append(utf8, i, length);
            i += length;
        }
    }
    return out;
}

QString showableText(const QString& text) {
    // Most texts hold no control character: they are returned as they are.
    bool clean = true;
    for (QChar c : text)
        clean = clean && !isControl(c.unicode()) && !c.isSurrogate();
    if (clean) return text;
    const QByteArray utf8 = text.toUtf8();
    return QString::fromStdString(showableText(std::string_view(utf8.constData(), utf8.size())));
}

std::string unexpectedFailureText() {
    try {
        throw;
    } catch (const std::bad_alloc&) {
        return "Brak pamięci do wykonania polecenia.";
    } catch (const std::exception& e) {
        return std::string("Nieoczekiwany błąd: ") + e.what();
    } catch (...) {
        return "Nieoczekiwany błąd nieznanego rodzaju.";
    }
}

}  // namespace tavik::platform
