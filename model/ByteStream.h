#pragma once

#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tavik {

// A source of bytes. Readers take one of these, not a path, so that tests and the fuzzer can
// hand them any bytes.
class InputStream {
public:
    virtual ~InputStream();
    // Reads up to n bytes and returns how many it read; 0 means the end. An I/O error raises
    // tavik::Exception.
    virtual std::size_t read(char* dst, std::size_t n) = 0;
};

// A sink of bytes. Writers take one of these, so that tests can hand them a device that fails.
class OutputStream {
public:
    virtual ~OutputStream();
    // Writes all n bytes, or returns false.
    virtual bool write(const char* src, std::size_t n) = 0;
};

class MemoryInput : public InputStream {
public:
    // Reads the bytes in place: they must outlive the stream.
    explicit MemoryInput(std::string_view bytes) : bytes_(bytes) {}
    explicit MemoryInput(std::string&&) = delete;
    std::size_t read(char* dst, std::size_t n) override;

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
};

class MemoryOutput : public OutputStream {
public:
    bool write(const char* src, std::size_t n) override {
        bytes_.append(src, n);
        return true;
    }
    const std::string& bytes() const { return bytes_; }

private:
    std::string bytes_;
};

// Reads a stream through a buffer, so that a field costs no system call. The buffer starts
// small and doubles while the stream keeps filling it, up to its capacity.
class BufferedReader {
public:
    static constexpr std::size_t kCapacity = 256 * 1024;
    // Past the end of what request() returns, this many more bytes may always be read; what
    // they hold is unspecified. Short fields are copied in one fixed-size move thanks to it.
    static constexpr std::size_t kReadAhead = 16;

    explicit BufferedReader(InputStream& in) : in_(in), buffer_(kInitialSize + kReadAhead) {}

    // Makes n bytes contiguous at the cursor and returns them, or nullptr when the stream ends
    // before n bytes; available() then tells how many there were. n must not exceed the
    // capacity.
    const char* request(std::size_t n) {
        return end_ - pos_ >= n ? buffer_.data() + pos_ : refill(n);
    }
    void consume(std::size_t n) { pos_ += n; }
    std::size_t available() const { return end_ - pos_; }

private:
    static constexpr std::size_t kInitialSize = 16 * 1024;
    std::size_t size() const { return buffer_.size() - kReadAhead; }
    const char* refill(std::size_t n);

    InputStream& in_;
    std::vector<char> buffer_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    bool atEnd_ = false;
};

// Writes a stream through a buffer that grows as the buffered reader's does. A failure of the
// stream sticks: later writes are dropped and flush() reports it.
class BufferedWriter {
public:
    static constexpr std::size_t kCapacity = 256 * 1024;
    explicit BufferedWriter(OutputStream& out) : out_(out), buffer_(16 * 1024) {}

    void write(const char* src, std::size_t n) {
        if (used_ + n <= buffer_.size() && !failed_) {
            std::memcpy(buffer_.data() + used_, src, n);
            used_ += n;
        } else {
            writeSlow(src, n);
        }
    }
    void write(std::string_view bytes) { write(bytes.data(), bytes.size()); }
    // Room for n more bytes, to be filled and then taken with advance(n); null after a failure.
    char* room(std::size_t n) {
        if (used_ + n > buffer_.size() && !makeRoom(n)) return nullptr;
        return failed_ ? nullptr : buffer_.data() + used_;
    }
    void advance(std::size_t n) { used_ += n; }
    bool flush();
    bool failed() const { return failed_; }

private:
    void writeSlow(const char* src, std::size_t n);
    bool makeRoom(std::size_t n);

    OutputStream& out_;
    std::vector<char> buffer_;
    std::size_t used_ = 0;
    bool failed_ = false;
};

}  // namespace tavik
