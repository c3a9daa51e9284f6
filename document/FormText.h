#pragma once

#include <string>
#include <string_view>

// How the entry pages store what a clerk typed.
namespace tavik {

// Trimmed and upper-cased; "<E>" when nothing is left.
std::string fieldFromText(std::string_view cp1250Text);

// The text of a masked control: "<E>" when, once trimmed, it holds nothing but the mask's
// separators and blanks (an untouched "___-__-__-___" or "  .  .    "); otherwise as above.
std::string fieldFromMaskedText(std::string_view cp1250Text, std::string_view separators);

}  // namespace tavik
