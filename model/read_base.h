#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

#include "model/TextValues.h"

namespace tavik {

// Raised by every read operation of the tokenizer. It carries no text: the reader's error code
// says what failed, and the readers turn it into their own messages.
class read_error : public std::exception {
public:
    const char* what() const noexcept override;
};

// Cuts one line of a text file into its ";"-separated fields, enforcing maximum lengths and
// converting integers. Every text reader derives from it.
class read_base {
public:
    // A field holds at most this many characters.
    static constexpr std::size_t kFieldCapacity = 1024;

    // Error codes.
    static constexpr int kLineEndWhereSeparatorRequired = 1001;
    static constexpr int kFieldTooLong = 1002;
    static constexpr int kNumberTooLong = 1211;
    static constexpr int kNotANumber = 1212;
    static constexpr int kTextEmptyOrTooLong = 1221;

    virtual ~read_base();

    // Makes the text the current line, at its start.
    void UstawLinie(std::string_view line);

    // The next raw field; a line feed may end it only when allowEndOfLine.
    std::string NastepnePole(bool allowEndOfLine);
    // The next field trimmed of blanks and control characters; its raw length must be 1 to
    // maximum.
    std::string CzytajTekst(std::size_t maximum, bool allowEndOfLine);
    // The next field as a decimal integer; an empty field is 0.
    std::int32_t CzytajLiczbe(std::size_t maximum, bool allowEndOfLine);

    int errorCode() const { return errorCode_; }
    int lineCounter() const { return lineCounter_; }
    int position() const { return position_; }

protected:
    [[noreturn]] void fail(int code);

    int errorCode_ = 0;  // the derived readers put their own codes here too
    std::string line_;
    int lineCounter_ = 0;
    int position_ = 0;  // 1-based index of the last separator consumed; 0 at the line's start
};

// A checksum field of a dictionary or response line: up to eight hexadecimal digits, without a
// prefix; anything else is 0.
std::uint32_t checksumField(std::string_view text);

}  // namespace tavik
