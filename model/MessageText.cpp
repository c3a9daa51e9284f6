#include "model/MessageText.h"

#include <exception>
#include <new>

#include "model/Cp1250.h"

namespace tavik {

bool isEscapedInMessages(char32_t cp) {
    return (cp < 0x20 && cp != U'\n') || (cp >= 0x7F && cp <= 0x9F);
}

void appendEscaped(std::string& out, unsigned value) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    out += "\\x";
    out += kHex[(value >> 4) & 0xF];
    out += kHex[value & 0xF];
}

std::string showableText(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t cp = 0;
        const std::size_t length = cp1250::decodeUtf8(utf8, i, cp);
        if (length == 0) {
            appendEscaped(out, static_cast<unsigned char>(utf8[i]));
            ++i;
        } else if (isEscapedInMessages(cp)) {
            appendEscaped(out, static_cast<unsigned>(cp));
            i += length;
        } else {
            out.append(utf8, i, length);
            i += length;
        }
    }
    return out;
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

}  // namespace tavik
