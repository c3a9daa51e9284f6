#include "model/read_base.h"

#include "model/TextValues.h"

namespace tavik {

const char* read_error::what() const noexcept {
    return "read_error";
}

read_base::~read_base() = default;

void read_base::UstawLinie(std::string_view line) {
    line_.assign(line);
    position_ = 0;
}

void read_base::fail(int code) {
    errorCode_ = code;
    throw read_error();
}

std::string read_base::NastepnePole(bool allowEndOfLine) {
    errorCode_ = 0;
    const int length = static_cast<int>(line_.size());
    if (position_ == length) {  // the line is used up
        position_ = 0;
        ++lineCounter_;
        return {};
    }
    int scan = position_ > 0 ? position_ + 1 : 1;  // 1-based; step over the separator
    std::string field;
    std::size_t met = 0;
    char last = 0;
    for (; scan <= length; ++scan) {
        const char c = line_[static_cast<std::size_t>(scan - 1)];
        last = c;
        if (c == ';') {
            position_ = scan;
            break;
        }
        if (c == '\n') {  // not copied; it ends a line and scanning goes on behind it
            ++lineCounter_;
            position_ = 0;
            continue;
        }
        if (++met <= kFieldCapacity) field.push_back(c);
        position_ = scan + 1;
    }
    if (met > kFieldCapacity) fail(kFieldTooLong);
    if (last == '\n' && !allowEndOfLine) fail(kLineEndWhereSeparatorRequired);
    return field;
}

std::string read_base::CzytajTekst(std::size_t maximum, bool allowEndOfLine) {
    const std::string raw = NastepnePole(allowEndOfLine);
    // The length is tested before trimming: four blanks do not fit in three.
    if (raw.empty() || raw.size() > maximum) fail(kTextEmptyOrTooLong);
    return std::string(trimmed(raw));
}

std::int32_t read_base::CzytajLiczbe(std::size_t maximum, bool allowEndOfLine) {
    const std::string raw = NastepnePole(allowEndOfLine);
    if (raw.size() > maximum) fail(kNumberTooLong);
    if (raw.empty()) return 0;
    const std::optional<std::int32_t> value = decimalInteger(trimmed(raw));
    if (!value) fail(kNotANumber);
    return *value;
}

std::uint32_t checksumField(std::string_view text) {
    return hexadecimal32(text);
}

}  // namespace tavik
