#pragma once

#include <string>
#include <string_view>

// The places where a message meets the user, message boxes and the command line's standard
// output and error, pass every text through here.
namespace tavik {

// The text as it may be shown: a control character that a file brought into the message
// cannot reach the terminal or the box raw. C0 controls other than "\n" (tab and CR included),
// DEL and the C1 controls U+0080–U+009F (code page 1250 maps its five undefined bytes there)
// are written as "\x1B": a backslash, "x" and two upper-case hexadecimal digits of the code
// point. A byte that is not part of valid UTF-8 is written the same way, with its value.
// Everything else, "\n" and backslashes included, stays as it is.
std::string showableText(std::string_view utf8);
// Whether a code point is shown escaped.
bool isEscapedInMessages(char32_t cp);
// Appends "\x" and the two hexadecimal digits of a value below 0x100.
void appendEscaped(std::string& out, unsigned value);

// The message for the exception being handled; call it only inside a catch block. For the
// failures nothing else catches: std::bad_alloc, another std::exception (its what()), or
// something that is not an exception at all.
std::string unexpectedFailureText();

}  // namespace tavik
