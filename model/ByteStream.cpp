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

const char* BufferedReader::refill(std::size_t n) {
    if (n > kCapacity) return nullptr;
    // A stream that filled the whole buffer is likely long: read it in larger pieces.
    if ((end_ == size() || n > size()) && size() < kCapacity)
        buffer_.resize(std::min(kCapacity, std::max(n, 2 * size())) + kReadAhead);
    if (pos_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + pos_, end_ - pos_);
        end_ -= pos_;
        pos_ = 0;
    }
    while (!atEnd_ && end_ < n) {
        const std::size_t got = in_.read(buffer_.data() + end_, size() - end_);
        if (got == 0) atEnd_ = true;
        end_ += got;
    }
    return end_ >= n ? buffer_.data() : nullptr;
}

void BufferedWriter::writeSlow(const char* src, std::size_t n) {
    if (failed_) return;
    if (used_ + n > buffer_.size()) {
        if (buffer_.size() < kCapacity) {
            buffer_.resize(std::min(kCapacity, 2 * buffer_.size()));
            write(src, n);
            return;
        }
        if (!flush()) return;
        if (n > buffer_.size()) {
            failed_ = !out_.write(src, n);
            return;
        }
    }
    std::memcpy(buffer_.data() + used_, src, n);
    used_ += n;
}

bool BufferedWriter::makeRoom(std::size_t n) {
    if (failed_) return false;
    if (used_ + n > buffer_.size() && buffer_.size() < kCapacity)
        buffer_.resize(std::min(kCapacity, std::max(2 * buffer_.size(), used_ + n)));
    if (used_ + n > buffer_.size() && !flush()) return false;
    if (n > buffer_.size()) buffer_.resize(n);
    return true;
}

bool BufferedWriter::flush() {
    if (!failed_ && used_ > 0) failed_ = !out_.write(buffer_.data(), used_);
    used_ = 0;
    return !failed_;
}

}  // namespace tavik
