#pragma once

#include <string>
#include <string_view>

// Record texts are code page 1250 bytes; messages and the command line are UTF-8.
// This unit is the only place that converts between the two.
namespace tavik::cp1250 {

// Always succeeds: every byte has a code point.
std::string toUtf8(std::string_view cp1250Text);

// Converts UTF-8 to code page 1250. Returns false and leaves a Polish explanation in *error
// when the input is not valid UTF-8 or holds a character the code page cannot hold; nothing
// is ever replaced silently.
bool fromUtf8(std::string_view utf8Text, std::string& out, std::string* error = nullptr);

// As above, but raises tavik::Exception with the explanation.
std::string fromUtf8OrThrow(std::string_view utf8Text);

// Decodes the UTF-8 sequence at utf8Text[pos]: its length and code point, or 0 when it is
// malformed (overlong forms, surrogates and values past U+10FFFF included).
std::size_t decodeUtf8(std::string_view utf8Text, std::size_t pos, char32_t& cp);

// Alphabetical order in Polish: negative, 0 or positive. Letters compare without regard to
// case first; texts that differ only there are ordered by their bytes.
int compareText(std::string_view a, std::string_view b);

// Upper case with the Polish and other Central European letters of the code page.
std::string toUpper(std::string_view cp1250Text);
void toUpperInPlace(std::string& cp1250Text);

}  // namespace tavik::cp1250
