#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// Small readings of values held as text, shared by the tokenizer and the checks.
namespace tavik {

// Blanks and control characters: bytes up to 0x20, and 0x7F.
inline bool isBlank(char c) {
    const auto b = static_cast<unsigned char>(c);
    return b <= 0x20 || b == 0x7F;
}

// Without leading and trailing blanks and control characters.
std::string_view trimmed(std::string_view text);

// One to eight hexadecimal digits of either case as a number; 0 for anything else.
std::uint32_t hexadecimal32(std::string_view text);

// An optional sign and decimal digits, within 32 bits; nothing for anything else.
std::optional<std::int32_t> decimalInteger(std::string_view text);

}  // namespace tavik
