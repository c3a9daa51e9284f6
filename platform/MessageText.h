#pragma once

#include <QString>
#include <string>
#include <string_view>

// The two places where a message meets the user, message boxes (Prompts: showMessage and ask)
// and the command line's standard output and error (tavik-cli), pass every text through here.
namespace tavik::platform {

// The text as it may be shown: a control character that a file brought into the message
// cannot reach the terminal or the box raw. C0 controls other than "\n" (tab and CR included),
// DEL and the C1 controls U+0080–U+009F (code page 1250 maps its five undefined bytes there)
// are written as "\x1B": a backslash, "x" and two upper-case hexadecimal digits of the code
// point. A byte that is not part of valid UTF-8 is written the same way, with its value.
// Everything else, "\n" and backslashes included, stays as it is.
std::string showableText(std::string_view utf8);
QString showableText(const QString& text);

// The message for the exception being handled; call it only inside a catch block. For the
// failures nothing else catches: std::bad_alloc, another std::exception (its what()), or
// something that is not an exception at all.
std::string unexpectedFailureText();

}  // namespace tavik::platform
