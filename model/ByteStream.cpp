#include "model/ByteStream.h"

#include <algorithm>
#include <cstring>

namespace tavik {

InputStream::~InputStream() = default;
OutputStream::~OutputStream() = default;

std::size_t MemoryInput::read(char* dst, std::size_t n) {
    const std::size_t count = std::min(n, bytes_.size() - pos_);
    if (count) std::memcpy(dst, bytes_.data() + pos_, count);
    pos_ += count;
    return count;
}

BufferedReader::BufferedReader(InputStream& in, std::size_t capacity)
    : in_(in), buffer_(capacity) {}

const char* BufferedReader::request(std::size_t n) {
    if (end_ - pos_ >= n) return buffer_.data() + pos_;
    if (n > buffer_.size()) return nullptr;
    if (pos_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + pos_, end_ - pos_);
        end_ -= pos_;
        pos_ = 0;
    }
    while (!atEnd_ && end_ < n) {
        const std::size_t got = in_.read(buffer_.data() + end_, buffer_.size() - end_);
        if (got == 0) atEnd_ = true;
        end_ += got;
    }
    return end_ >= n ? buffer_.data() : nullptr;
}

BufferedWriter::BufferedWriter(OutputStream& out, std::size_t capacity)
    : out_(out), buffer_(capacity) {}

void BufferedWriter::write(const char* src, std::size_t n) {
    if (failed_) return;
    if (used_ + n > buffer_.size()) {
        if (!flush()) return;
        if (n > buffer_.size()) {
            failed_ = !out_.write(src, n);
            return;
        }
    }
    std::memcpy(buffer_.data() + used_, src, n);
    used_ += n;
}

bool BufferedWriter::flush() {
    if (!failed_ && used_ > 0) failed_ = !out_.write(buffer_.data(), used_);
    used_ = 0;
    return !failed_;
}

}  // namespace tavik
